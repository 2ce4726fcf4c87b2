#include "graphics/GameTextLayout.h"

#include <algorithm>

namespace tarnwick {
namespace {

// The marks are the lower four rows of two cells of the font: 0x51 (voiced) and 0x52
// (semi-voiced). They are copied into the four rows above the base character.
constexpr int markHeight = 4;
constexpr int voicedMarkX = 8;
constexpr int semiVoicedMarkX = 16;
constexpr int markRowInBand = 44;

constexpr std::uint8_t firstVoiced = 0x20;
constexpr std::uint8_t lastVoiced = 0x48;
constexpr std::uint8_t firstSemiVoiced = 0x49;
constexpr std::uint8_t lastSemiVoiced = 0x52;
constexpr int voicedBaseShift = 0x40;
constexpr int semiVoicedBaseShift = 0x17;
static_assert(firstSemiVoiced == lastVoiced + 1, "the two mark ranges are adjacent");

struct Pen {
    int x = 0;
    int y = 0;
};

Pen penStart(TextPlace place) {
    return place == TextPlace::SelectionField ? Pen{4, 3} : Pen{6, 0};
}

GlyphBlit clippedToSheet(GlyphBlit blit) {
    blit.width = std::clamp(blit.width, 0, fontSheetWidth - blit.sourceX);
    return blit;
}

} // namespace

ListScheme listSchemeFor(bool highlighted, bool current, TextPlace place) {
    if (place == TextPlace::SelectionField)
        return ListScheme::Normal;
    if (highlighted)
        return ListScheme::Highlight;
    return current ? ListScheme::Current : ListScheme::Normal;
}

void layoutGameText(std::span<const std::uint8_t> text, RomVariant release,
                    const GlyphTable& glyphs, ListScheme scheme, TextPlace place,
                    std::vector<GlyphBlit>& blits) {
    blits.clear();
    static constexpr std::uint8_t emptyName[] = {emptyNameCode};
    if (text.empty())
        text = emptyName;
    const bool marked = text.front() == plainTextMarker;
    if (marked)
        text = text.subspan(1);

    const bool composeMarks = isJapaneseVariant(release) && !marked;
    const bool proportional = release == RomVariant::GbaEnglish;
    const int band = bandTop(scheme);
    Pen pen = penStart(place);
    for (std::uint8_t code : text) {
        if (composeMarks && code >= firstVoiced && code <= lastSemiVoiced) {
            const bool voiced = code <= lastVoiced;
            blits.push_back({voiced ? voicedMarkX : semiVoicedMarkX, band + markRowInBand, cellSize,
                             markHeight, pen.x, pen.y});
            code =
                static_cast<std::uint8_t>(code + (voiced ? voicedBaseShift : semiVoicedBaseShift));
        }
        const int width = proportional ? glyphs[code].width : cellSize;
        blits.push_back(clippedToSheet(
            {cellX(code), cellY(code, scheme), width, cellSize, pen.x, pen.y + markHeight}));
        pen.x += proportional ? width + 1 : cellSize;
    }
}

} // namespace tarnwick
