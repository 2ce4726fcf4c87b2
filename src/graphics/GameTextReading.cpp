#include "graphics/GameTextReading.h"

#include "graphics/GameTextLayout.h"
#include "rom/GameString.h"

namespace tarnwick {
namespace {

constexpr std::string_view combiningVoicedMark = "\xE3\x82\x99";     // U+3099
constexpr std::string_view combiningSemiVoicedMark = "\xE3\x82\x9A"; // U+309A

void appendReading(std::string& out, const CharacterTable& table, std::uint8_t code,
                   UnknownCodes unknown) {
    const std::string& reading = table[code];
    if (!reading.empty()) {
        out += reading;
    } else if (unknown == UnknownCodes::Replacement) {
        out += unknownReading;
    } else {
        constexpr std::string_view digits = "0123456789ABCDEF";
        out += '[';
        out += digits[code >> 4];
        out += digits[code & 0xF];
        out += ']';
    }
}

} // namespace

std::string readGameText(std::span<const std::uint8_t> text, RomVariant release,
                         const CharacterTable& table, UnknownCodes unknown) {
    const bool marked = !text.empty() && text.front() == plainTextMarker;
    if (marked)
        text = text.subspan(1);
    const bool composeMarks = isJapaneseVariant(release) && !marked;

    std::string out;
    out.reserve(text.size());
    for (const std::uint8_t code : text) {
        const std::optional<MarkedCode> withMark = composeMarks ? markedCode(code) : std::nullopt;
        if (!withMark) {
            appendReading(out, table, code, unknown);
            continue;
        }
        appendReading(out, table, withMark->base, unknown);
        out +=
            withMark->mark == JapaneseMark::Voiced ? combiningVoicedMark : combiningSemiVoicedMark;
    }
    return out;
}

std::string withoutOuterSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

} // namespace tarnwick
