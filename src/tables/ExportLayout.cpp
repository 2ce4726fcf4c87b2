#include "ExportLayout.h"

#include "tables/JsonScalars.h"

namespace tarnwick {

namespace {

// How wide a list may be written on one line.
constexpr std::ptrdiff_t lineWidth = 100;

void writeScalar(std::string& out, const JsonNode& value) {
    if (value.kind() == JsonNode::Kind::String)
        appendJsonString(out, value.text());
    else
        appendJsonInteger(out, value.integer());
}

// Writes a flat value on one line: an array of scalars, or an object of scalars and (where
// listsAllowed) arrays of scalars, such as a record with its label. Stops and returns false as
// soon as the value turns out not to be flat or the line grows longer than budget, so that no
// line is built only to be thrown away; what was written then is the caller's to take back.
bool writeOneLine(std::string& out, const JsonNode& value, std::ptrdiff_t budget,
                  bool listsAllowed) {
    const std::size_t start = out.size();
    const auto written = [&] { return static_cast<std::ptrdiff_t>(out.size() - start); };
    const auto fits = [&] { return written() <= budget; };
    const bool array = value.kind() == JsonNode::Kind::Array;
    out += array ? '[' : '{';
    const std::span<const std::int64_t> integers = value.integers();
    for (std::size_t i = 0; i < integers.size(); ++i) {
        if (i > 0)
            out += ", ";
        appendJsonInteger(out, integers[i]);
        if (!fits())
            return false;
    }
    const std::vector<JsonNode>& items = value.items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const JsonNode& entry = items[i];
        if (i > 0)
            out += ", ";
        if (!array) {
            appendJsonString(out, value.key(i));
            out += ": ";
        }
        if (!entry.isContainer())
            writeScalar(out, entry);
        else if (array || !listsAllowed || entry.kind() != JsonNode::Kind::Array ||
                 !writeOneLine(out, entry, budget - written(), false))
            return false;
        if (!fits())
            return false;
    }
    out += array ? ']' : '}';
    return fits();
}

// A value at the given indent: on one line where it is flat and fits, otherwise one entry a
// line.
void writeValue(std::string& out, const JsonNode& value, std::ptrdiff_t indent) {
    if (!value.isContainer()) {
        writeScalar(out, value);
        return;
    }
    const bool array = value.kind() == JsonNode::Kind::Array;
    const std::size_t start = out.size();
    if (writeOneLine(out, value, lineWidth - indent, !array))
        return;
    out.resize(start);

    const std::string inner(static_cast<std::size_t>(indent + 4), ' ');
    out += array ? "[\n" : "{\n";
    const std::span<const std::int64_t> integers = value.integers();
    for (std::size_t i = 0; i < integers.size(); ++i) {
        out += inner;
        appendJsonInteger(out, integers[i]);
        out += i + 1 < integers.size() ? ",\n" : "\n";
    }
    const std::vector<JsonNode>& items = value.items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += inner;
        if (!array) {
            appendJsonString(out, value.key(i));
            out += ": ";
        }
        writeValue(out, items[i], indent + 4);
        out += i + 1 < items.size() ? ",\n" : "\n";
    }
    out.append(static_cast<std::size_t>(indent), ' ');
    out += array ? ']' : '}';
}

} // namespace

QByteArray exportLayout(const JsonNode& root) {
    std::string text;
    // An export of the largest release is about 170 KiB; growing to it step by step would copy
    // it several times over.
    text.reserve(256 * 1024);
    writeValue(text, root, 0);
    text += '\n';
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace tarnwick
