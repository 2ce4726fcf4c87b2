#pragma once

#include "rom/Releases.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

// What each code of a release's font reads as, in UTF-8: a letter, a digit, a kana, or a few
// characters for a code that draws a ligature. Empty where the reading is unknown. Names stay
// game bytes everywhere; readings only let a user find a name by typing it.
using CharacterTable = std::array<std::string, 256>;

// The readings every image of the release is known to have: its digits, its space and the Latin
// letters its font places where the program's own labels and digits show them. Kana are not
// among them; a table file supplies those.
CharacterTable builtInCharacterTable(RomVariant release);

// "charset-snes-en.tbl" and so on: the table file a user can put beside the program (or in the
// per-user data folder) to give every code of that release's font its reading.
std::string characterTableFileName(RomVariant release);

// The longest reading a table file may give a code, in bytes of UTF-8: a game character reads
// as a few characters at most, and every name read through the table grows by its readings.
inline constexpr std::size_t longestReading = 32;

// A line of a table file that was skipped: its number (from 1) and why.
struct SkippedLine {
    int number = 0;
    std::string reason;
};

// Reads a table file over table: each line "HH=text" gives code HH (two hexadecimal digits)
// the text after the '=' (UTF-8, which may be a space), with control characters escaped as
// \xHH so that no reading can reach a terminal or a window raw. Lines end with LF or CR LF;
// empty lines and lines starting with '#' are comments. Later lines win. Returns how many other
// lines there were, and lines with a reading longer than longestReading, which are skipped;
// firstSkipped, when given, is set to the first of them.
int readCharacterTable(std::string_view fileText, CharacterTable& table,
                       SkippedLine* firstSkipped = nullptr);

// A one-line warning that names the table file, how many of its lines were skipped and the
// first of them.
std::string skippedLinesWarning(std::string_view path, int skipped, const SkippedLine& first);

} // namespace tarnwick
