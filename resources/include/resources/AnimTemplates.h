#pragma once

#include "controls/DialogTemplate.h"

#include <array>

// The dialog templates of the two animation string editors and of the font editor frame, and
// the numbers that name their controls.
namespace tarnwick {

inline constexpr int anim8EditorId = 138;
namespace anim8Control {
inline constexpr int category = 1029;
inline constexpr int entry = 1028;
// The eight fields in record byte order (byte 0 to byte 7), and the list paired with each
// (0: none): animation lists for the animation numbers, palette lists for the palettes.
inline constexpr std::array<int, 8> fields = {1031, 1032, 1033, 1037, 1038, 1040, 1034, 1039};
inline constexpr std::array<int, 8> pairedLists = {1009, 1010, 1035, 1011, 1042, 0, 0, 0};
inline constexpr int rightHandList = 1009;
inline constexpr int leftHandList = 1010;
inline constexpr int hitList = 1011;
inline constexpr int rightHandPaletteList = 1035;
inline constexpr int hitPaletteList = 1042;
} // namespace anim8Control

inline constexpr int anim14EditorId = 139;
namespace anim14Control {
inline constexpr int category = 1029;
inline constexpr int entry = 1028;
// Per animation 1-4: its "Index:" field, "High Bit" box and list of animation names.
inline constexpr std::array<int, 4> numberFields = {1019, 1021, 1023, 1030};
inline constexpr std::array<int, 4> highBits = {1013, 1014, 1015, 1016};
inline constexpr std::array<int, 4> animationLists = {1009, 1010, 1011, 1012};
// Per animation 1-3: its "Palette:" field and palette list.
inline constexpr std::array<int, 3> paletteFields = {1025, 1026, 1027};
inline constexpr std::array<int, 3> paletteLists = {1033, 1038, 1039};
inline constexpr int sound = 1034;
inline constexpr int unnamed = 1035;
inline constexpr int repeatDelay = 1036;
inline constexpr int gbaOnly = 1037;
// The fields of the plain bytes 9, 10, 13 and 14, in that order.
inline constexpr std::array<int, 4> plainFields = {sound, unnamed, repeatDelay, gbaOnly};
} // namespace anim14Control

inline constexpr int fontEditorId = 149;
namespace fontControl {
inline constexpr int fontType = 1004;
inline constexpr int character = 1005;
inline constexpr int characterArrows = 1006;
inline constexpr int up = 1007;
inline constexpr int left = 1008;
inline constexpr int down = 1009;
inline constexpr int right = 1010;
} // namespace fontControl

// The category lists' labels come with the record rules, not with the templates.
const DialogTemplate& anim8EditorTemplate();
// The caption is the SNES one; on GBA the editor names the 15-byte records itself.
const DialogTemplate& anim14EditorTemplate();
// The arrows beside the character edit (Custom) are supplied by the font editor.
const DialogTemplate& fontEditorTemplate();

} // namespace tarnwick
