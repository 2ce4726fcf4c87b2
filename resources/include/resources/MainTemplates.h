#pragma once

#include "controls/DialogTemplate.h"

#include <span>
#include <string_view>

// The main window's and the About box's resources: dialog templates, the menu and the numbers
// that name their controls and commands.
namespace tarnwick {

namespace mainControl {
inline constexpr int espers = 1001;
inline constexpr int chests = 1002;
inline constexpr int anim14 = 1003;
inline constexpr int anim8 = 1004;
inline constexpr int shops = 1005;
inline constexpr int titleBox = 1008;
inline constexpr int fonts = 1046;
} // namespace mainControl

namespace command {
inline constexpr int load = 32771;
inline constexpr int exit = 32772;
inline constexpr int japanese = 32773;
inline constexpr int about = 32774;
inline constexpr int manual = 32777;
inline constexpr int save = 57603;
inline constexpr int saveAs = 57604;
inline constexpr int recentFiles = 57616; // the pop-up of recently opened files
inline constexpr int exportTables = 32781;
inline constexpr int importTables = 32782;
inline constexpr int createPatch = 32783;
inline constexpr int keepBackups = 32776;
inline constexpr int changes = 32775;
inline constexpr int compareWith = 32784;
inline constexpr int checkImage = 32785;
inline constexpr int reload = 32786;
inline constexpr int mergeMod = 32787;
inline constexpr int undo = 57643;
inline constexpr int redo = 57644;
} // namespace command

inline constexpr int mainDialogId = 102;
inline constexpr int aboutDialogId = 100;
inline constexpr int mainMenuId = 135;

const DialogTemplate& mainDialogTemplate();
const DialogTemplate& aboutDialogTemplate();

// One entry of a menu resource: a pop-up's title, the item's text, its command (0 for a
// separator), whether it carries a check mark and its keyboard shortcut.
struct MenuItemTemplate {
    std::string_view menu;
    std::string_view text;
    int command = 0;
    bool checkable = false;
    std::string_view shortcut;
};

std::span<const MenuItemTemplate> mainMenuTemplate();

} // namespace tarnwick
