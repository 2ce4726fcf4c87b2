#pragma once

#include "controls/DialogTemplate.h"

// The editors' dialog templates and the numbers that name their controls. Controls of the
// Custom kind are lists of game names (NameComboBox).
namespace tarnwick {

inline constexpr int okButtonId = 1;

inline constexpr int shopEditorId = 137;
namespace shopControl {
inline constexpr int shop = 1004;
inline constexpr int type = 1014;
inline constexpr int priceModifier = 1015;
inline constexpr int firstSlot = 1016; // slots 1-8 are 1016-1023
} // namespace shopControl

inline constexpr int esperEditorId = 140;
namespace esperControl {
inline constexpr int esper = 1011;
inline constexpr int bonus = 1012;
// Spell lists and learn-rate edits of spells 1-5.
inline constexpr int spells[] = {1013, 1014, 1017, 1018, 1019};
inline constexpr int learnRates[] = {1015, 1020, 1021, 1022, 1023};
} // namespace esperControl

const DialogTemplate& shopEditorTemplate();
const DialogTemplate& esperEditorTemplate();

} // namespace tarnwick
