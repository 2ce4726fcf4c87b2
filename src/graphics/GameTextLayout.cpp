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

// On a Japanese image a code of the marked ranges is its base glyph with a mark above: the
// mark's copy is added (its top at markTop) and the base glyph's code returned.
std::uint8_t composeMark(std::uint8_t code, int band, int x, int markTop,
                         std::vector<GlyphBlit>& blits) {
    const std::optional<MarkedCode> marked = markedCode(code);
    if (!marked)
        return code;
    blits.push_back({marked->mark == JapaneseMark::Voiced ? voicedMarkX : semiVoicedMarkX,
                     band + markRowInBand, cellSize, markHeight, x, markTop});
    return marked->base;
}

} // namespace

std::optional<MarkedCode> markedCode(std::uint8_t code) {
    constexpr std::uint8_t firstVoiced = 0x20;
    constexpr std::uint8_t lastVoiced = 0x48;
    constexpr std::uint8_t lastSemiVoiced = 0x52;
    constexpr int voicedBaseShift = 0x40;
    constexpr int semiVoicedBaseShift = 0x17;
    if (code < firstVoiced || code > lastSemiVoiced)
        return std::nullopt;
    if (code <= lastVoiced)
        return MarkedCode{static_cast<std::uint8_t>(code + voicedBaseShift), JapaneseMark::Voiced};
    return MarkedCode{static_cast<std::uint8_t>(code + semiVoicedBaseShift),
                      JapaneseMark::SemiVoiced};
}

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
        if (composeMarks)
            code = composeMark(code, band, pen.x, pen.y, blits);
        const int width = proportional ? glyphs[code].width : cellSize;
        blits.push_back(clippedToSheet(
            {cellX(code), cellY(code, scheme), width, cellSize, pen.x, pen.y + markHeight}));
        pen.x += proportional ? width + 1 : cellSize;
    }
}

void layoutChestLine(std::span<const std::uint8_t> left, std::span<const std::uint8_t> right,
                     RomVariant release, const GlyphTable& glyphs, int rowWidth,
                     std::vector<GlyphBlit>& blits) {
    constexpr int penLeft = 2;
    constexpr int penTop = 5;
    blits.clear();
    const bool composeMarks = isJapaneseVariant(release);
    const bool proportional = release == RomVariant::GbaEnglish;
    const int band = bandTop(ListScheme::Normal);
    const auto layEntry = [&](std::span<const std::uint8_t> entry, int x) {
        for (std::uint8_t code : entry) {
            if (composeMarks)
                code = composeMark(code, band, x, penTop - markHeight, blits);
            const int width = proportional ? glyphs[code].width : cellSize;
            if (code != nameSpaceCode)
                blits.push_back(clippedToSheet(
                    {cellX(code), cellY(code, ListScheme::Normal), width, cellSize, x, penTop}));
            x += width;
        }
    };
    layEntry(left, penLeft);
    layEntry(right, (rowWidth + 1) / 2);
}

} // namespace tarnwick
