#pragma once

#include <QJsonValue>
#include <QString>

#include <cstdint>
#include <span>
#include <vector>

namespace tarnwick {

// A JSON value built to be written out: an integer, a string, an array or an object. It costs a
// fraction of what a QJsonValue does to build and to walk, which matters for an export of
// thousands of records. An object keeps its entries in the order of their keys, as QJsonObject
// does, so both write the same text.
class JsonNode {
public:
    enum class Kind { Integer, String, Array, Object };

    JsonNode(std::int64_t integer = 0) : number(integer) {}
    JsonNode(QString value) : nodeKind(Kind::String), string(std::move(value)) {}
    static JsonNode array(std::size_t expectedSize = 0);
    static JsonNode object(std::size_t expectedSize = 0);

    Kind kind() const { return nodeKind; }
    bool isContainer() const { return nodeKind == Kind::Array || nodeKind == Kind::Object; }
    std::int64_t integer() const { return number; }
    // A string's value.
    const QString& text() const { return string; }
    // An array's values, or an object's values in the order of their keys. An array of integers
    // alone (a record's bytes, most of an export) keeps them packed in integers() instead.
    const std::vector<JsonNode>& items() const { return children; }
    std::span<const std::int64_t> integers() const { return numbers; }
    // The key of an object's value items()[index].
    const QString& key(std::size_t index) const { return keys[index]; }

    // Adds a value to an array.
    void append(JsonNode value);
    // Adds an entry to an object, in key order; a key that is there already takes the value.
    void insert(const QString& entryKey, JsonNode value);

    QJsonValue toJsonValue() const;

private:
    Kind nodeKind = Kind::Integer;
    std::int64_t number = 0;
    QString string;
    std::vector<JsonNode> children;
    std::vector<QString> keys;
    std::vector<std::int64_t> numbers;
};

} // namespace tarnwick
