#pragma once

#include "rom/CharacterTable.h"
#include "rom/Releases.h"

#include <cstdint>
#include <span>
#include <string>

namespace tarnwick {

// Marks the place of a code whose reading the table does not know.
inline constexpr std::string_view unknownReading = "\xEF\xBF\xBD"; // U+FFFD

// A name as UTF-8 text, read code by code through the table, so it can be searched. It follows
// the drawing rules: the plain-text marker is dropped, and on Japanese releases a marked code
// reads as its base glyph's reading followed by the combining voiced (U+3099) or semi-voiced
// (U+309A) sound mark, which a normalisation to NFC composes into the syllable where Unicode has
// one. A code the table leaves empty reads as U+FFFD, or, for text a person reads rather than
// searches (release notes), as the code in hexadecimal between brackets: "[A3]".
enum class UnknownCodes { Replacement, Hex };
std::string readGameText(std::span<const std::uint8_t> text, RomVariant release,
                         const CharacterTable& table,
                         UnknownCodes unknown = UnknownCodes::Replacement);

// A name read for a person's list, without the spaces around it: a name padded to its field, a
// label after the game list's leading space.
std::string withoutOuterSpaces(std::string_view text);

} // namespace tarnwick
