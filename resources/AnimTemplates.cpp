#include "resources/AnimTemplates.h"

#include "resources/EditorTemplates.h"

namespace tarnwick {
namespace {

using K = ControlKind;

// Drop-down lists are given the height of their closed field; the open list takes as many
// rows as the editors allow (a template for a list-box platform would give the open height).
constexpr int listHeight = 12;

// Dialog 138, 250 x 133 dialog units: category and entry on the left, the three unnamed bytes
// top right, then one group per animation of the string with its number, palette and list.
constexpr std::array anim8Controls = {
    ControlTemplate{anim8Control::category, K::ComboBox, "categoryList", "", 6, 2, 72, listHeight,
                    noStyle, "Category"},
    ControlTemplate{okButtonId, K::PushButton, "okButton", "OK", 90, 2, 44, 10, defaultStyle},
    ControlTemplate{anim8Control::entry, K::Custom, "entryList", "", 6, 15, 72, listHeight, noStyle,
                    "Entry"},
    ControlTemplate{0, K::Label, "byte6Label", "Byte&6:", 90, 17, 24, 8},
    ControlTemplate{1040, K::Edit, "byte6Edit", "", 114, 16, 20, 10, upperStyle},
    ControlTemplate{0, K::Label, "soundLabel", "&Sound:", 146, 17, 24, 8},
    ControlTemplate{1034, K::Edit, "soundEdit", "", 170, 16, 20, 10, upperStyle},
    ControlTemplate{0, K::Label, "byte8Label", "Byte&8:", 202, 17, 24, 8},
    ControlTemplate{1039, K::Edit, "byte8Edit", "", 226, 16, 20, 10, upperStyle},
    ControlTemplate{0, K::GroupBox, "rightHandGroup", "Right Hand", 3, 27, 244, 34},
    ControlTemplate{0, K::Label, "rightHandIndexLabel", "&Index:", 7, 37, 24, 8},
    ControlTemplate{1031, K::Edit, "rightHandIndexEdit", "", 32, 36, 20, 10, upperStyle,
                    "Right Hand Index"},
    ControlTemplate{0, K::Label, "rightHandPaletteLabel", "&Palette:", 139, 37, 32, 8},
    ControlTemplate{1033, K::Edit, "rightHandPaletteEdit", "", 172, 36, 20, 10, upperStyle,
                    "Right Hand Palette"},
    ControlTemplate{anim8Control::rightHandPaletteList, K::PaletteList, "rightHandPaletteList", "",
                    194, 35, 50, listHeight, noStyle, "Right Hand Palette List"},
    ControlTemplate{anim8Control::rightHandList, K::ComboBox, "rightHandList", "", 6, 48, 238,
                    listHeight, noStyle, "Right Hand Animation"},
    ControlTemplate{0, K::GroupBox, "leftHandGroup", "Left Hand", 3, 61, 244, 34},
    ControlTemplate{0, K::Label, "leftHandIndexLabel", "I&ndex:", 7, 71, 24, 8},
    ControlTemplate{1032, K::Edit, "leftHandIndexEdit", "", 32, 70, 20, 10, upperStyle,
                    "Left Hand Index"},
    ControlTemplate{anim8Control::leftHandList, K::ComboBox, "leftHandList", "", 6, 82, 238,
                    listHeight, noStyle, "Left Hand Animation"},
    ControlTemplate{0, K::GroupBox, "hitGroup", "Hit Graphic", 3, 95, 244, 34},
    ControlTemplate{0, K::Label, "hitIndexLabel", "In&dex:", 7, 105, 24, 8},
    ControlTemplate{1037, K::Edit, "hitIndexEdit", "", 32, 104, 20, 10, upperStyle,
                    "Hit Graphic Index"},
    ControlTemplate{0, K::Label, "hitPaletteLabel", "P&alette:", 139, 105, 32, 8},
    ControlTemplate{1038, K::Edit, "hitPaletteEdit", "", 172, 104, 20, 10, upperStyle,
                    "Hit Graphic Palette"},
    ControlTemplate{anim8Control::hitPaletteList, K::PaletteList, "hitPaletteList", "", 194, 103,
                    50, listHeight, noStyle, "Hit Graphic Palette List"},
    ControlTemplate{anim8Control::hitList, K::ComboBox, "hitList", "", 6, 116, 238, listHeight,
                    noStyle, "Hit Graphic Animation"},
};

// Dialog 139, 250 x 167 dialog units: category and entry on the left, the plain bytes top
// right, then one group per animation: number, "High Bit", palette (not for the fourth) and
// the list of animation names. The "GBA Only:" field starts disabled.
constexpr std::array anim14Controls = {
    ControlTemplate{anim14Control::category, K::ComboBox, "categoryList", "", 6, 2, 72, listHeight,
                    noStyle, "Category"},
    ControlTemplate{okButtonId, K::PushButton, "okButton", "OK", 90, 2, 40, 10, defaultStyle},
    ControlTemplate{anim14Control::entry, K::Custom, "entryList", "", 6, 15, 72, listHeight,
                    noStyle, "Entry"},
    ControlTemplate{0, K::Label, "gbaOnlyLabel", "GBA &Only:", 133, 3, 38, 8},
    ControlTemplate{anim14Control::gbaOnly, K::Edit, "gbaOnlyEdit", "", 172, 2, 20, 10,
                    upperStyle | disabledStyle},
    ControlTemplate{0, K::Label, "unnamedLabel", "  ???:", 200, 3, 24, 8},
    ControlTemplate{anim14Control::unnamed, K::Edit, "unnamedEdit", "", 225, 2, 20, 10, upperStyle,
                    "Unnamed Byte"},
    ControlTemplate{0, K::Label, "soundLabel", "&Sound:", 122, 17, 24, 8},
    ControlTemplate{anim14Control::sound, K::Edit, "soundEdit", "", 147, 16, 20, 10, upperStyle},
    ControlTemplate{0, K::Label, "repeatDelayLabel", "&Repeat Delay:", 171, 17, 53, 8},
    ControlTemplate{anim14Control::repeatDelay, K::Edit, "repeatDelayEdit", "", 225, 16, 20, 10,
                    upperStyle},
    ControlTemplate{0, K::GroupBox, "animation1Group", "Animation 1", 3, 27, 244, 34},
    ControlTemplate{0, K::Label, "index1Label", "&Index:", 7, 37, 24, 8},
    ControlTemplate{1019, K::Edit, "index1Edit", "", 32, 36, 20, 10, upperStyle,
                    "Animation 1 Index"},
    ControlTemplate{1013, K::CheckBox, "highBit1Box", "&High Bit:", 54, 37, 46, 9, textLeftStyle,
                    "Animation 1 High Bit"},
    ControlTemplate{0, K::Label, "palette1Label", "&Palette:", 139, 37, 32, 8},
    ControlTemplate{1025, K::Edit, "palette1Edit", "", 172, 36, 20, 10, upperStyle,
                    "Animation 1 Palette"},
    ControlTemplate{1033, K::PaletteList, "palette1List", "", 194, 35, 50, listHeight, noStyle,
                    "Animation 1 Palette List"},
    ControlTemplate{1009, K::ComboBox, "animation1List", "", 6, 48, 238, listHeight, noStyle,
                    "Animation 1"},
    ControlTemplate{0, K::GroupBox, "animation2Group", "Animation 2", 3, 61, 244, 34},
    ControlTemplate{0, K::Label, "index2Label", "I&ndex:", 7, 71, 24, 8},
    ControlTemplate{1021, K::Edit, "index2Edit", "", 32, 70, 20, 10, upperStyle,
                    "Animation 2 Index"},
    ControlTemplate{1014, K::CheckBox, "highBit2Box", "High &Bit:", 54, 71, 46, 9, textLeftStyle,
                    "Animation 2 High Bit"},
    ControlTemplate{0, K::Label, "palette2Label", "P&alette:", 139, 71, 32, 8},
    ControlTemplate{1026, K::Edit, "palette2Edit", "", 172, 70, 20, 10, upperStyle,
                    "Animation 2 Palette"},
    ControlTemplate{1038, K::PaletteList, "palette2List", "", 194, 69, 50, listHeight, noStyle,
                    "Animation 2 Palette List"},
    ControlTemplate{1010, K::ComboBox, "animation2List", "", 6, 82, 238, listHeight, noStyle,
                    "Animation 2"},
    ControlTemplate{0, K::GroupBox, "animation3Group", "Animation 3", 3, 95, 244, 34},
    ControlTemplate{0, K::Label, "index3Label", "In&dex:", 7, 105, 24, 8},
    ControlTemplate{1023, K::Edit, "index3Edit", "", 32, 104, 20, 10, upperStyle,
                    "Animation 3 Index"},
    ControlTemplate{1015, K::CheckBox, "highBit3Box", "High Bi&t:", 54, 105, 46, 9, textLeftStyle,
                    "Animation 3 High Bit"},
    ControlTemplate{0, K::Label, "palette3Label", "Pa&lette:", 139, 105, 32, 8},
    ControlTemplate{1027, K::Edit, "palette3Edit", "", 172, 104, 20, 10, upperStyle,
                    "Animation 3 Palette"},
    ControlTemplate{1039, K::PaletteList, "palette3List", "", 194, 103, 50, listHeight, noStyle,
                    "Animation 3 Palette List"},
    ControlTemplate{1011, K::ComboBox, "animation3List", "", 6, 116, 238, listHeight, noStyle,
                    "Animation 3"},
    ControlTemplate{0, K::GroupBox, "animation4Group", "Animation 4", 3, 129, 244, 34},
    ControlTemplate{0, K::Label, "index4Label", "Ind&ex:", 7, 139, 24, 8},
    ControlTemplate{1030, K::Edit, "index4Edit", "", 32, 138, 20, 10, upperStyle,
                    "Animation 4 Index"},
    ControlTemplate{1016, K::CheckBox, "highBit4Box", "Hi&gh Bit:", 54, 139, 46, 9, textLeftStyle,
                    "Animation 4 High Bit"},
    ControlTemplate{1012, K::ComboBox, "animation4List", "", 6, 150, 238, listHeight, noStyle,
                    "Animation 4"},
};

// Dialog 149, 312 x 236 dialog units: a character area on the left, the font and character
// choice top right and four arrow buttons above the "Edit Character" frame. None of it is
// connected to anything.
constexpr std::array fontControls = {
    ControlTemplate{0, K::GroupBox, "charactersGroup", "Characters", 4, 6, 208, 224},
    ControlTemplate{okButtonId, K::PushButton, "okButton", "OK", 276, 4, 32, 12, defaultStyle},
    ControlTemplate{0, K::Label, "fontTypeLabel", "&Font Type:", 227, 21, 44, 9},
    ControlTemplate{fontControl::fontType, K::ComboBox, "fontTypeList", "", 276, 20, 32,
                    listHeight},
    ControlTemplate{0, K::Label, "characterLabel", "&Character:", 227, 38, 44, 9},
    ControlTemplate{fontControl::character, K::Edit, "characterEdit", "", 276, 37, 27, 12,
                    numberStyle},
    ControlTemplate{fontControl::characterArrows, K::Custom, "characterArrows", "", 303, 36, 7, 14,
                    noStyle, "Character Arrows"},
    ControlTemplate{0, K::GroupBox, "editCharacterGroup", "Edit Character", 212, 110, 96, 120},
    ControlTemplate{fontControl::up, K::PushButton, "upButton", "/\\", 254, 64, 13, 12, noStyle,
                    "Up"},
    ControlTemplate{fontControl::left, K::PushButton, "leftButton", "<", 240, 78, 12, 12, noStyle,
                    "Left"},
    ControlTemplate{fontControl::down, K::PushButton, "downButton", "\\/", 254, 92, 13, 12, noStyle,
                    "Down"},
    ControlTemplate{fontControl::right, K::PushButton, "rightButton", ">", 268, 78, 12, 12, noStyle,
                    "Right"},
};

} // namespace

const DialogTemplate& anim8EditorTemplate() {
    static const DialogTemplate dialog{anim8EditorId, "8-Byte Animation String Editor", 250, 133,
                                       anim8Controls};
    return dialog;
}

const DialogTemplate& anim14EditorTemplate() {
    static const DialogTemplate dialog{anim14EditorId, "14-Byte Animation String Editor", 250, 167,
                                       anim14Controls};
    return dialog;
}

const DialogTemplate& fontEditorTemplate() {
    static const DialogTemplate dialog{fontEditorId, "Font Editor", 312, 236, fontControls};
    return dialog;
}

} // namespace tarnwick
