#include "resources/ChestTemplate.h"

#include "resources/EditorTemplates.h"

#include <array>

namespace tarnwick {
namespace {

using K = ControlKind;
namespace c = chestControl;

// Dialog 136: what the chest holds on the left with its number fields beside the lists, where
// it lies and its memory flag on the right, the byte-3 flags below, and the monster-in-a-box
// formations at the bottom, whose two-column monster list needs the dialog's width.
constexpr std::array chestControls = {
    ControlTemplate{0, K::Label, "chestLabel", "&Chest:", 4, 6, 36, 8},
    ControlTemplate{c::chest, K::Custom, "chestList", "", 42, 4, 92, 12},
    ControlTemplate{c::chestNumber, K::SpinEdit, "chestNumber", "", 136, 4, 30, 12, noStyle,
                    "Chest Number"},
    ControlTemplate{c::location, K::Custom, "locationList", "", 170, 4, 82, 12, plainTextStyle,
                    "Location"},
    ControlTemplate{0, K::Label, "typeLabel", "&Type:", 4, 20, 36, 8},
    ControlTemplate{c::type, K::ComboBox, "typeList", "", 42, 18, 92, 12},
    ControlTemplate{c::typeNumber, K::SpinEdit, "typeNumber", "", 136, 18, 30, 12, noStyle,
                    "Type Number"},
    ControlTemplate{0, K::Label, "gpLabel", "&GP Multiplier:", 168, 20, 56, 8},
    ControlTemplate{c::gpMultiplier, K::SpinEdit, "gpMultiplier", "", 224, 18, 28, 12},
    ControlTemplate{0, K::Label, "contentsLabel", "C&ontents:", 4, 34, 36, 8},
    ControlTemplate{c::contents, K::Custom, "contentsList", "", 42, 32, 92, 12},
    ControlTemplate{c::contentsNumber, K::SpinEdit, "contentsNumber", "", 136, 32, 30, 12, noStyle,
                    "Contents Number"},
    ControlTemplate{0, K::Label, "memoryByteLabel", "&Memory Byte:", 168, 34, 56, 8},
    ControlTemplate{c::memoryByte, K::SpinEdit, "memoryByte", "", 224, 32, 28, 12},
    ControlTemplate{0, K::Label, "xLabel", "&X Loc:", 4, 48, 36, 8},
    ControlTemplate{c::x, K::SpinEdit, "xLocation", "", 42, 46, 30, 12},
    ControlTemplate{0, K::Label, "yLabel", "&Y Loc:", 80, 48, 26, 8},
    ControlTemplate{c::y, K::SpinEdit, "yLocation", "", 106, 46, 30, 12},
    ControlTemplate{0, K::Label, "memoryBitLabel", "Memory &Bit:", 168, 48, 56, 8},
    ControlTemplate{c::memoryBit, K::SpinEdit, "memoryBit", "", 224, 46, 28, 12},
    ControlTemplate{0, K::GroupBox, "byte3Group", "Byte 3 - Other", 4, 62, 248, 22},
    ControlTemplate{c::bit1, K::CheckBox, "bit1Box", "Bit &1:", 12, 72, 50, 10, textLeftStyle},
    ControlTemplate{c::bit2, K::CheckBox, "bit2Box", "Bit &2:", 78, 72, 84, 10, textLeftStyle},
    ControlTemplate{c::bit4, K::CheckBox, "bit4Box", "Bit &4:", 178, 72, 50, 10, textLeftStyle},
    ControlTemplate{0, K::GroupBox, "monsterGroup", "Monster-in-a-box Stuff", 4, 88, 194, 80},
    ControlTemplate{0, K::Label, "form1Label", "&Form 1:", 10, 100, 30, 8},
    ControlTemplate{c::form1, K::SpinEdit, "form1", "", 42, 98, 34, 12},
    ControlTemplate{0, K::Label, "form2Label", "Fo&rm 2:", 94, 100, 30, 8},
    ControlTemplate{c::form2, K::SpinEdit, "form2", "", 126, 98, 34, 12},
    ControlTemplate{c::monsters, K::ListBox, "monsterList", "", 10, 113, 182, 51, noStyle,
                    "Monsters"},
    ControlTemplate{okButtonId, K::PushButton, "okButton", "OK", 206, 154, 46, 14, defaultStyle},
};

} // namespace

const DialogTemplate& chestEditorTemplate() {
    static const DialogTemplate dialog{chestEditorId, "Chest Editor", 256, 172, chestControls};
    return dialog;
}

} // namespace tarnwick
