#include "io/ShownText.h"

#include <cstdint>
#include <cstdio>

namespace tarnwick {

namespace {

void appendHex(std::string& out, unsigned char byte) {
    char escaped[5];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
    out += escaped;
}

bool isControl(std::string_view sequence) {
    const auto lead = static_cast<unsigned char>(sequence[0]);
    if (sequence.size() == 1)
        return lead < 0x20 || lead == 0x7F;
    // C1 controls are U+0080-U+009F, encoded C2 80 to C2 9F.
    return sequence.size() == 2 && lead == 0xC2 && static_cast<unsigned char>(sequence[1]) < 0xA0;
}

// A byte that is not UTF-8 is escaped, or, in 8-bit text, kept unless it is a C1 control
// (80-9F) there.
enum class OtherBytes { Escaped, KeptUnlessC1 };

// Escapes text up to limit bytes of output; true when all of it fitted.
bool appendEscaped(std::string& out, std::string_view text, std::size_t limit,
                   OtherBytes otherBytes = OtherBytes::Escaped) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t length = utf8SequenceLength(text.substr(at));
        const std::string_view sequence = text.substr(at, length == 0 ? 1 : length);
        const bool escaped = length == 0
                                 ? otherBytes == OtherBytes::Escaped ||
                                       (static_cast<unsigned char>(sequence[0]) & 0xE0u) == 0x80u
                                 : isControl(sequence);
        const std::size_t shownLength = escaped ? 4 * sequence.size() : sequence.size();
        if (out.size() + shownLength > limit)
            return false;
        if (escaped) {
            for (const char c : sequence)
                appendHex(out, static_cast<unsigned char>(c));
        } else {
            out += sequence;
        }
        at += sequence.size();
    }
    return true;
}

} // namespace

std::size_t utf8SequenceLength(std::string_view text) {
    if (text.empty())
        return 0;
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0u) != 0x80u)
            return 0;
        code = code << 6 | (next & 0x3Fu);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    return length;
}

std::string escapedText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendEscaped(out, text, std::string::npos);
    return out;
}

std::string escapedControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendEscaped(out, text, std::string::npos, OtherBytes::KeptUnlessC1);
    return out;
}

std::string quotedName(std::string_view path) {
    return "\"" + escapedText(path) + "\"";
}

std::string shortQuote(std::string_view value, std::size_t limit) {
    std::string out = "\"";
    const bool whole = appendEscaped(out, value, limit + 1);
    return out + (whole ? "\"" : "…\"");
}

} // namespace tarnwick
