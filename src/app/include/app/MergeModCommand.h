#pragma once

#include "app/DocumentMerging.h"
#include "app/WindowPrompts.h"

#include <optional>

class QWidget;

namespace tarnwick {

class EditHistory;
class RomImage;

// File > Merge Mod: the original image the user picks and a mod of it (an image, a BPS or IPS
// patch, or a tables export) are read and checked, and what the mod changed comes into the
// document as one undo step named "Merge NAME", the document's own edits being the first side.
// Returns nothing when the user cancelled or the failure was reported.
std::optional<MergeReport> mergeModCommand(RomImage& rom, EditHistory& history,
                                           const MergeNaming& naming, const WindowPrompts& prompts,
                                           QWidget* parent);

} // namespace tarnwick
