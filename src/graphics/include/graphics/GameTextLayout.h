#pragma once

#include "graphics/SheetLayout.h"
#include "pixels/GlyphEntry.h"
#include "rom/GameString.h"
#include "rom/Releases.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tarnwick {

// One block copy from the font sheet: a source rectangle and where its top-left corner lands,
// relative to the top-left corner of the item being painted.
struct GlyphBlit {
    int sourceX = 0;
    int sourceY = 0;
    int width = 0;
    int height = 0;
    int targetX = 0;
    int targetY = 0;

    friend bool operator==(const GlyphBlit&, const GlyphBlit&) = default;
};

// Where a string is painted: a row of the open list, or the combo box's selection field.
enum class TextPlace { ListRow, SelectionField };

// What an empty name shows: the cell of this code, so the row is never blank.
inline constexpr std::uint8_t emptyNameCode = 0xFF;
// Height of a game-text row: 4 rows for a Japanese mark above the 8-pixel cell.
inline constexpr int gameTextRowHeight = 12;

// The colour scheme of an item: the highlight for the list's selected or focused row, the
// current scheme for the row holding the record's value, the normal one otherwise. The
// selection field always shows the normal scheme.
ListScheme listSchemeFor(bool highlighted, bool current, TextPlace place);

// On Japanese images, codes 0x20-0x48 of a string without the plain-text marker draw the glyph
// of code + 0x40 under a voiced mark and 0x49-0x52 the glyph of code + 0x17 under a semi-voiced
// mark, so the font needs no cells of its own for those syllables.
enum class JapaneseMark { Voiced, SemiVoiced };
struct MarkedCode {
    std::uint8_t base = 0;
    JapaneseMark mark = JapaneseMark::Voiced;
};
// The base glyph and mark of a code of those ranges; nothing for any other code.
std::optional<MarkedCode> markedCode(std::uint8_t code);

// Lays out a string of game character codes as block copies from the font sheet, for the
// release's drawing rules: the pen starts 6 pixels in (4 and 3 pixels down in the selection
// field); Japanese codes 0x20-0x52 are drawn as their base glyph under a voiced or semi-voiced
// mark; GBA English glyphs are their own width and advance one pixel more; the rest are 8x8
// cells. Source rectangles never leave the sheet. Replaces the contents of blits.
void layoutGameText(std::span<const std::uint8_t> text, RomVariant release,
                    const GlyphTable& glyphs, ListScheme scheme, TextPlace place,
                    std::vector<GlyphBlit>& blits);

// The space between the words of a name in the SNES and Japanese fonts; drawn as a blank.
inline constexpr std::uint8_t nameSpaceCode = 0xFF;

// Lays out a line of the chest editor's monster list, relative to the top-left corner of a row
// this wide, from the normal band only: the left entry from 2 pixels in, the right entry from
// the middle of the row, however long the left one is. The glyph row starts 5 pixels down with
// Japanese marks in the four rows above it; GBA English glyphs advance by their width alone;
// a space code is a blank of one glyph's width. There is no plain-text marker.
void layoutChestLine(std::span<const std::uint8_t> left, std::span<const std::uint8_t> right,
                     RomVariant release, const GlyphTable& glyphs, int rowWidth,
                     std::vector<GlyphBlit>& blits);

} // namespace tarnwick
