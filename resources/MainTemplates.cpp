#include "resources/MainTemplates.h"

#include <array>

namespace tarnwick {
namespace {

using K = ControlKind;

// Dialog 102, 128 x 56 dialog units. The Fonts button exists but is never shown.
constexpr std::array mainControls = {
    ControlTemplate{mainControl::titleBox, K::Edit, "titleBox", "", 2, 2, 124, 12,
                    readOnlyStyle | centredStyle, "Image Title"},
    ControlTemplate{mainControl::chests, K::PushButton, "chestsButton", "&Chests", 2, 16, 36, 10},
    ControlTemplate{mainControl::espers, K::PushButton, "espersButton", "Es&pers", 46, 16, 36, 10},
    ControlTemplate{mainControl::shops, K::PushButton, "shopsButton", "&Shops", 90, 16, 36, 10},
    ControlTemplate{0, K::GroupBox, "animationGroup", "Animation Strings", 2, 26, 80, 24},
    ControlTemplate{mainControl::anim8, K::PushButton, "anim8Button", "&8-Byte", 6, 35, 32, 10},
    ControlTemplate{mainControl::anim14, K::PushButton, "anim14Button", "&14-Byte", 46, 35, 32, 10},
    ControlTemplate{mainControl::fonts, K::PushButton, "fontsButton", "Fo&nts", 90, 35, 36, 10,
                    hiddenStyle},
};

// Dialog 100, 160 x 22 dialog units: the icon, two lines of text and OK.
constexpr std::array aboutControls = {
    ControlTemplate{0, K::Icon, "aboutIcon", "", 4, 2, 18, 18},
    ControlTemplate{0, K::Label, "versionLabel", "", 26, 2, 96, 9},
    ControlTemplate{0, K::Label, "purposeLabel", "Game data table editor", 26, 11, 100, 9},
    ControlTemplate{1, K::PushButton, "okButton", "OK", 126, 4, 30, 14, defaultStyle},
};

constexpr std::array mainMenu = {
    MenuItemTemplate{"&File", "&Load", command::load, false, "Ctrl+O"},
    MenuItemTemplate{"&File", "&Recent", command::recentFiles, false, ""},
    MenuItemTemplate{"&File", "&Save", command::save, false, "Ctrl+S"},
    MenuItemTemplate{"&File", "Save &As...", command::saveAs, false, "Ctrl+Shift+S"},
    MenuItemTemplate{"&File", "Reloa&d", command::reload, false, "F5"},
    MenuItemTemplate{"&File", "&Changes...", command::changes, false, ""},
    MenuItemTemplate{"&File", "Co&mpare With...", command::compareWith, false, ""},
    MenuItemTemplate{"&File", "", 0, false, ""},
    MenuItemTemplate{"&File", "&Export Tables...", command::exportTables, false, ""},
    MenuItemTemplate{"&File", "&Import Tables...", command::importTables, false, ""},
    MenuItemTemplate{"&File", "Create &Patch...", command::createPatch, false, ""},
    MenuItemTemplate{"&File", "Mer&ge Mod...", command::mergeMod, false, ""},
    MenuItemTemplate{"&File", "", 0, false, ""},
    MenuItemTemplate{"&File", "E&xit", command::exit, false, "Ctrl+Q"},
    MenuItemTemplate{"&Edit", "&Undo", command::undo, false, "Ctrl+Z"},
    MenuItemTemplate{"&Edit", "&Redo", command::redo, false, "Ctrl+Shift+Z"},
    MenuItemTemplate{"&Option", "&Japanese", command::japanese, true, ""},
    MenuItemTemplate{"&Option", "Keep a &Backup When Saving", command::keepBackups, true, ""},
    MenuItemTemplate{"&Tools", "&Check Image...", command::checkImage, false, "Ctrl+K"},
    MenuItemTemplate{"&Help", "&Manual", command::manual, false, "F1"},
    MenuItemTemplate{"&Help", "&About", command::about, false, ""},
};

} // namespace

const DialogTemplate& mainDialogTemplate() {
    static const DialogTemplate dialog{mainDialogId, "Tarnwick", 128, 56, mainControls};
    return dialog;
}

const DialogTemplate& aboutDialogTemplate() {
    static const DialogTemplate dialog{aboutDialogId, "About", 160, 22, aboutControls};
    return dialog;
}

std::span<const MenuItemTemplate> mainMenuTemplate() {
    return mainMenu;
}

} // namespace tarnwick
