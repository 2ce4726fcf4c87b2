#pragma once

#include "rom/GameString.h"
#include "rom/Releases.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// The character codes of the demo images: which code of each release's font draws which letter,
// digit, punctuation mark or kana, and the encoders that turn demo text into game strings.
//
// SNES English  'A'-'Z' 0x80-0x99, 'a'-'z' 0x9A-0xB3, '0'-'9' 0xB4-0xBD, space 0xFF.
// GBA English   single case; letters scattered over 0x07-0x3B, digits as in digitCodeTable,
//               space 0x67. Codes 0x00, 0x04, 0x6C and 0xC2 mean something else in its strings.
// Japanese      'A'-'Z' 0x20-0x39 (read as Latin only after the 0xFE marker), '0'-'9'
//               0x53-0x5C, space 0xFF, katakana from 0x60 on. Codes 0x20-0x48 draw glyph
//               code + 0x40 under a voiced mark and 0x49-0x52 glyph code + 0x17 under a
//               semi-voiced mark, so the h, k, s and t rows sit in 0x60-0x73 and their voiced
//               and semi-voiced syllables need no glyphs of their own.
namespace tarnwick {

// Japanese fonts keep the marks in the bottom four rows of these two cells.
inline constexpr std::uint8_t voicedMarkCell = 0x51;
inline constexpr std::uint8_t semiVoicedMarkCell = 0x52;

// The code of one character of Latin text: a letter, digit, space or one of - : . ' ! ? + %.
// Releases with a single case take either case. Empty when the font has no such character.
std::optional<std::uint8_t> demoCharacterCode(RomVariant release, char c);

// Latin text in the release's codes (a Japanese release gives the codes a marked label uses,
// without the marker). Empty when a character has no code.
std::optional<GameString> encodeDemoText(RomVariant release, std::string_view text);

// Japanese text written in romaji, as the Japanese releases' kana codes. Understands the
// syllables of the five vowels (ka, shi, tsu, ga, pa ...), contracted ones (kya, sho, ju),
// loanword ones (fa, ti, vu, we), a doubled consonant for the small tsu, '-' for the long vowel,
// '.' for the middle dot, n before a consonant or at the end, an apostrophe between syllables
// (so "an'i" is a-n-i, not a-ni), digits, space, '+' and '%'.
// Empty when the text holds anything else.
std::optional<GameString> encodeDemoKana(std::string_view romaji);

// Which glyph a cell of the release's font shows: the key names the picture in the demo font,
// among the Latin pictures ("A", "a", "7", "-", "space") or the kana ones ("a", "ka",
// "small-tsu", "voiced-mark" ...).
struct DemoGlyphAssignment {
    std::uint8_t code = 0;
    std::string_view key;
    bool kana = false;
};
std::vector<DemoGlyphAssignment> demoGlyphAssignments(RomVariant release);

// The katakana (UTF-8) a kana key of the demo font draws; empty for the marks and unknown keys.
std::string_view demoKatakana(std::string_view kanaKey);

} // namespace tarnwick
