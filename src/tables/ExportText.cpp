#include "tables/JsonScalars.h"
#include "tables/TablesJson.h"

#include <QJsonArray>

namespace tarnwick {

namespace {

// How wide a list may be written on one line.
constexpr qsizetype lineWidth = 100;

bool isContainer(const QJsonValue& value) {
    return value.isArray() || value.isObject();
}

// Writes a flat value on one line: an array of scalars, or an object of scalars and (where
// listsAllowed) arrays of scalars, such as a record with its label. Stops and returns false as
// soon as the value turns out not to be flat or the line grows longer than budget, so that no
// line is built only to be thrown away; what was written then is the caller's to take back.
bool writeOneLine(QByteArray& out, const QJsonValue& value, qsizetype budget, bool listsAllowed) {
    const qsizetype start = out.size();
    const auto fits = [&] { return out.size() - start <= budget; };
    if (value.isArray()) {
        const QJsonArray list = value.toArray();
        out += '[';
        for (qsizetype i = 0; i < list.size(); ++i) {
            const QJsonValue entry = list[i];
            if (isContainer(entry))
                return false;
            if (i > 0)
                out += ", ";
            appendJsonScalar(out, entry);
            if (!fits())
                return false;
        }
        out += ']';
        return fits();
    }
    const QJsonObject object = value.toObject();
    out += '{';
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it != object.begin())
            out += ", ";
        appendJsonString(out, it.key());
        out += ": ";
        const QJsonValue entry = it.value();
        if (!isContainer(entry))
            appendJsonScalar(out, entry);
        else if (!listsAllowed || !entry.isArray() ||
                 !writeOneLine(out, entry, budget - (out.size() - start), false))
            return false;
        if (!fits())
            return false;
    }
    out += '}';
    return fits();
}

// A value at the given indent: on one line where it is flat and fits, otherwise one entry a
// line.
void writeValue(QByteArray& out, const QJsonValue& value, qsizetype indent) {
    if (!isContainer(value)) {
        appendJsonScalar(out, value);
        return;
    }
    const qsizetype start = out.size();
    if (writeOneLine(out, value, lineWidth - indent, value.isObject()))
        return;
    out.truncate(start);

    const QByteArray inner(indent + 4, ' ');
    const bool array = value.isArray();
    out += array ? "[\n" : "{\n";
    if (array) {
        const QJsonArray list = value.toArray();
        for (qsizetype i = 0; i < list.size(); ++i) {
            out += inner;
            writeValue(out, list[i], indent + 4);
            out += i + 1 < list.size() ? ",\n" : "\n";
        }
    } else {
        const QJsonObject object = value.toObject();
        qsizetype left = object.size();
        for (auto it = object.begin(); it != object.end(); ++it) {
            out += inner;
            appendJsonString(out, it.key());
            out += ": ";
            writeValue(out, it.value(), indent + 4);
            out += --left > 0 ? ",\n" : "\n";
        }
    }
    out += QByteArray(indent, ' ');
    out += array ? ']' : '}';
}

} // namespace

QByteArray exportText(const QJsonObject& json) {
    QByteArray text;
    writeValue(text, json, 0);
    text += '\n';
    return text;
}

} // namespace tarnwick
