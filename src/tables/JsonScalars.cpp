#include "tables/JsonScalars.h"

#include <charconv>
#include <iterator>

namespace tarnwick {

namespace {

constexpr char hexDigits[] = "0123456789abcdef";

void appendEscape(std::string& out, char16_t unit) {
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += hexDigits[(unit >> shift) & 0xF];
}

void appendAscii(std::string& out, char16_t unit) {
    char escaped = 0;
    switch (unit) {
    case u'"':
        escaped = '"';
        break;
    case u'\\':
        escaped = '\\';
        break;
    case u'\b':
        escaped = 'b';
        break;
    case u'\f':
        escaped = 'f';
        break;
    case u'\n':
        escaped = 'n';
        break;
    case u'\r':
        escaped = 'r';
        break;
    case u'\t':
        escaped = 't';
        break;
    default:
        if (unit < 0x20)
            appendEscape(out, unit);
        else
            out += static_cast<char>(unit);
        return;
    }
    out += '\\';
    out += escaped;
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (code & 0x3F));
}

} // namespace

void appendJsonString(std::string& out, QStringView text) {
    out += '"';
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            appendAscii(out, unit);
        } else if (!QChar::isSurrogate(unit)) {
            appendUtf8(out, unit);
        } else if (QChar::isHighSurrogate(unit) && i + 1 < size &&
                   QChar::isLowSurrogate(text[i + 1].unicode())) {
            appendUtf8(out, QChar::surrogateToUcs4(unit, text[++i].unicode()));
        } else {
            // Half a pair is no character UTF-8 can hold.
            appendEscape(out, unit);
        }
    }
    out += '"';
}

void appendJsonInteger(std::string& out, std::int64_t value) {
    char digits[24];
    const std::to_chars_result end = std::to_chars(std::begin(digits), std::end(digits), value);
    out.append(digits, end.ptr);
}

} // namespace tarnwick
