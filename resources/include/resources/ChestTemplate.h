#pragma once

#include "controls/DialogTemplate.h"

#include <array>
#include <string_view>

// The chest editor's dialog template and the numbers that name its controls.
namespace tarnwick {

inline constexpr int chestEditorId = 136;
namespace chestControl {
inline constexpr int chest = 1004;
inline constexpr int chestNumber = 1002;
inline constexpr int location = 1040;
inline constexpr int type = 1008;
inline constexpr int typeNumber = 1005;
inline constexpr int contents = 1011;
inline constexpr int contentsNumber = 1009;
inline constexpr int gpMultiplier = 1015;
inline constexpr int memoryByte = 1017;
inline constexpr int memoryBit = 1016;
inline constexpr int x = 1007;
inline constexpr int y = 1012;
inline constexpr int bit1 = 1051;
inline constexpr int bit2 = 1052;
inline constexpr int bit4 = 1053;
inline constexpr int monsters = 1006;
inline constexpr int form1 = 1014;
inline constexpr int form2 = 1018;
} // namespace chestControl

// The Type list's labels, type 0-3, each behind a space as the list shows them.
inline constexpr std::array<std::string_view, 4> chestTypeLabels = {" Empty", " Monster", " Item",
                                                                    " GP/Dran"};

const DialogTemplate& chestEditorTemplate();

} // namespace tarnwick
