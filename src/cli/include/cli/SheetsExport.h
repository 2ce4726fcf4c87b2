#pragma once

#include "graphics/GlyphSheets.h"
#include "pixels/Image.h"

#include <QString>

#include <optional>

namespace tarnwick {

inline constexpr auto fontSheetFileName = "font-sheet.png";
inline constexpr auto paletteSheetFileName = "palette-sheet.png";

// Writes the font sheet and the palette sheet as PNG files into folder, creating the folder if
// it is missing. Each file is written beside its target and renamed over it, so a failed write
// leaves no half file. Returns the message for the user on failure, naming the file or folder
// and the reason.
std::optional<QString> writeSheetFiles(const GlyphSheets& sheets, const QString& folder);

} // namespace tarnwick
