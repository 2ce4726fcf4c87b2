#include "tables/JsonNode.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>

namespace tarnwick {

JsonNode JsonNode::array(std::size_t expectedSize) {
    JsonNode node;
    node.nodeKind = Kind::Array;
    node.numbers.reserve(expectedSize);
    return node;
}

void JsonNode::append(JsonNode value) {
    if (children.empty() && value.nodeKind == Kind::Integer) {
        numbers.push_back(value.number);
        return;
    }
    // The first value of another kind unpacks the integers before it.
    if (children.empty()) {
        children.reserve(std::max(numbers.capacity(), numbers.size() + 1));
        for (const std::int64_t integer : numbers)
            children.emplace_back(integer);
        numbers = {};
    }
    children.push_back(std::move(value));
}

JsonNode JsonNode::object(std::size_t expectedSize) {
    JsonNode node;
    node.nodeKind = Kind::Object;
    node.children.reserve(expectedSize);
    node.keys.reserve(expectedSize);
    return node;
}

void JsonNode::insert(const QString& entryKey, JsonNode value) {
    // QJsonObject orders its keys as QString compares them.
    const auto at = std::lower_bound(keys.begin(), keys.end(), entryKey);
    const auto index = at - keys.begin();
    if (at != keys.end() && *at == entryKey) {
        children[static_cast<std::size_t>(index)] = std::move(value);
        return;
    }
    keys.insert(at, entryKey);
    children.insert(children.begin() + index, std::move(value));
}

QJsonValue JsonNode::toJsonValue() const {
    switch (nodeKind) {
    case Kind::Integer:
        return QJsonValue(static_cast<qint64>(number));
    case Kind::String:
        return string;
    case Kind::Array: {
        QJsonArray list;
        for (const std::int64_t integer : numbers)
            list.append(static_cast<qint64>(integer));
        for (const JsonNode& child : children)
            list.append(child.toJsonValue());
        return list;
    }
    case Kind::Object: {
        QJsonObject object;
        for (std::size_t i = 0; i < children.size(); ++i)
            object.insert(keys[i], children[i].toJsonValue());
        return object;
    }
    }
    return {};
}

} // namespace tarnwick
