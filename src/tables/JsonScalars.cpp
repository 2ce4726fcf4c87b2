#include "tables/JsonScalars.h"

#include <QCborValue>
#include <QLocale>

#include <cmath>

namespace tarnwick {

namespace {

constexpr char hexDigits[] = "0123456789abcdef";

void appendEscape(QByteArray& out, char16_t unit, int digits) {
    out += "\\u";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += hexDigits[(unit >> shift) & 0xF];
}

void appendAscii(QByteArray& out, char16_t unit) {
    switch (unit) {
    case u'"':
        out += "\\\"";
        return;
    case u'\\':
        out += "\\\\";
        return;
    case u'\b':
        out += "\\b";
        return;
    case u'\f':
        out += "\\f";
        return;
    case u'\n':
        out += "\\n";
        return;
    case u'\r':
        out += "\\r";
        return;
    case u'\t':
        out += "\\t";
        return;
    default:
        if (unit < 0x20) {
            out += "\\u00";
            out += hexDigits[unit >> 4];
            out += hexDigits[unit & 0xF];
        } else {
            out += static_cast<char>(unit);
        }
    }
}

void appendUtf8(QByteArray& out, char32_t code) {
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

void appendJsonString(QByteArray& out, QStringView text) {
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
            appendEscape(out, unit, 4);
        }
    }
    out += '"';
}

void appendJsonScalar(QByteArray& out, const QJsonValue& value) {
    switch (value.type()) {
    case QJsonValue::String:
        appendJsonString(out, value.toString());
        return;
    case QJsonValue::Bool:
        out += value.toBool() ? "true" : "false";
        return;
    case QJsonValue::Double: {
        // A JSON number is held as an integer or a double; each is written its own way.
        const QCborValue number = QCborValue::fromJsonValue(value);
        if (number.isInteger()) {
            out += QByteArray::number(number.toInteger());
            return;
        }
        const double d = number.toDouble();
        out += std::isfinite(d) ? QByteArray::number(d, 'g', QLocale::FloatingPointShortest)
                                : QByteArray("null");
        return;
    }
    default:
        out += "null";
    }
}

} // namespace tarnwick
