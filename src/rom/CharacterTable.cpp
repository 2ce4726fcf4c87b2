#include "rom/CharacterTable.h"

#include "io/ShownText.h"

#include <charconv>

namespace tarnwick {
namespace {

constexpr std::string_view hexDigits = "0123456789ABCDEF";
constexpr std::string_view latinAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

void setRun(CharacterTable& table, std::uint8_t firstCode, std::string_view letters) {
    for (std::size_t i = 0; i < letters.size(); ++i)
        table[static_cast<std::size_t>(firstCode + i)] = std::string(1, letters[i]);
}

// The GBA English font has one case. Its letters lie scattered; only the ones its hexadecimal
// digits and the program's "No Spell" and "No Bonus" labels use are known.
struct CodeLetter {
    std::uint8_t code;
    char letter;
};
constexpr std::array<CodeLetter, 6> gbaEnglishLabelLetters = {
    {{0x28, 'N'}, {0x20, 'O'}, {0x13, 'S'}, {0x22, 'P'}, {0x29, 'L'}, {0x2C, 'U'}}};

} // namespace

CharacterTable builtInCharacterTable(RomVariant release) {
    CharacterTable table;
    const auto& digits = digitCodeTable[variantIndex(release)];
    for (std::size_t d = 0; d < digits.size(); ++d)
        table[digits[d]] = std::string(1, hexDigits[d]);

    switch (release) {
    case RomVariant::SnesEnglish:
        setRun(table, 0x80, latinAlphabet);
        setRun(table, 0x9A, "abcdefghijklmnopqrstuvwxyz");
        table[0xFF] = std::string(1, ' ');
        break;
    case RomVariant::SnesJapanese:
    case RomVariant::GbaJapanese:
        // Capitals after the plain-text marker; without it these codes are marked kana.
        setRun(table, 0x20, latinAlphabet);
        table[0xFF] = std::string(1, ' ');
        break;
    case RomVariant::GbaEnglish:
        for (const CodeLetter& known : gbaEnglishLabelLetters)
            table[known.code] = std::string(1, known.letter);
        table[0x67] = std::string(1, ' ');
        break;
    }
    return table;
}

std::string characterTableFileName(RomVariant release) {
    return "charset-" + std::string(releaseKey(release)) + ".tbl";
}

int readCharacterTable(std::string_view fileText, CharacterTable& table,
                       SkippedLine* firstSkipped) {
    int skipped = 0;
    int lineNumber = 0;
    const auto skip = [&](std::string reason) {
        if (skipped++ == 0 && firstSkipped)
            *firstSkipped = {lineNumber, std::move(reason)};
    };
    while (!fileText.empty()) {
        ++lineNumber;
        const std::size_t end = fileText.find('\n');
        std::string_view line = fileText.substr(0, end);
        fileText = end == std::string_view::npos ? std::string_view() : fileText.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;

        unsigned code = 0;
        if (line.size() < 3 || line[2] != '=' ||
            std::from_chars(line.data(), line.data() + 2, code, 16).ptr != line.data() + 2) {
            skip("it is not \"HH=text\"");
            continue;
        }
        const std::string_view reading = line.substr(3);
        if (reading.size() > longestReading) {
            skip("its reading is longer than " + std::to_string(longestReading) + " bytes");
            continue;
        }
        table[code] = escapedText(reading);
    }
    return skipped;
}

std::string skippedLinesWarning(std::string_view path, int skipped, const SkippedLine& first) {
    const std::string count = skipped == 1 ? "1 line" : std::to_string(skipped) + " lines";
    return quotedName(path) + ": " + count + " skipped; line " + std::to_string(first.number) +
           ": " + first.reason + ".";
}

} // namespace tarnwick
