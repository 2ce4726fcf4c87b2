#include "resources/EditorTemplates.h"

#include <array>

namespace tarnwick {
namespace {

using K = ControlKind;

// Dialog 137, 200 x 100 dialog units: the shop and its type and price on top, then the eight
// items on sale in two columns.
constexpr std::array shopControls = {
    ControlTemplate{0, K::Label, "shopLabel", "&Shop:", 4, 6, 24, 8},
    ControlTemplate{shopControl::shop, K::ComboBox, "shopList", "", 30, 4, 72, 12},
    ControlTemplate{0, K::Label, "typeLabel", "&Type:", 108, 6, 22, 8},
    ControlTemplate{shopControl::type, K::Custom, "typeList", "", 132, 4, 64, 12},
    ControlTemplate{0, K::Label, "modifierLabel", "&Cost Modifier:", 4, 20, 58, 8},
    ControlTemplate{shopControl::priceModifier, K::ComboBox, "modifierList", "", 64, 18, 132, 12},
    ControlTemplate{0, K::Label, "slot1Label", "#&1:", 4, 36, 14, 8},
    ControlTemplate{shopControl::firstSlot + 0, K::Custom, "slot1List", "", 20, 34, 78, 12},
    ControlTemplate{0, K::Label, "slot2Label", "#&2:", 4, 49, 14, 8},
    ControlTemplate{shopControl::firstSlot + 1, K::Custom, "slot2List", "", 20, 47, 78, 12},
    ControlTemplate{0, K::Label, "slot3Label", "#&3:", 4, 62, 14, 8},
    ControlTemplate{shopControl::firstSlot + 2, K::Custom, "slot3List", "", 20, 60, 78, 12},
    ControlTemplate{0, K::Label, "slot4Label", "#&4:", 4, 75, 14, 8},
    ControlTemplate{shopControl::firstSlot + 3, K::Custom, "slot4List", "", 20, 73, 78, 12},
    ControlTemplate{0, K::Label, "slot5Label", "#&5:", 102, 36, 14, 8},
    ControlTemplate{shopControl::firstSlot + 4, K::Custom, "slot5List", "", 118, 34, 78, 12},
    ControlTemplate{0, K::Label, "slot6Label", "#&6:", 102, 49, 14, 8},
    ControlTemplate{shopControl::firstSlot + 5, K::Custom, "slot6List", "", 118, 47, 78, 12},
    ControlTemplate{0, K::Label, "slot7Label", "#&7:", 102, 62, 14, 8},
    ControlTemplate{shopControl::firstSlot + 6, K::Custom, "slot7List", "", 118, 60, 78, 12},
    ControlTemplate{0, K::Label, "slot8Label", "#&8:", 102, 75, 14, 8},
    ControlTemplate{shopControl::firstSlot + 7, K::Custom, "slot8List", "", 118, 73, 78, 12},
    ControlTemplate{okButtonId, K::PushButton, "okButton", "OK", 150, 87, 46, 11, defaultStyle},
};

// Dialog 140, 118 x 100 dialog units: the esper, its five spells with their learn rates, and
// the level-up bonus. There is no Cancel button: every change is kept.
constexpr std::array esperControls = {
    ControlTemplate{0, K::Label, "esperLabel", "&Esper:", 4, 6, 26, 8},
    ControlTemplate{esperControl::esper, K::Custom, "esperList", "", 42, 4, 44, 12},
    ControlTemplate{0, K::Label, "spell1Label", "Spell #&1:", 4, 22, 38, 8},
    ControlTemplate{esperControl::spells[0], K::Custom, "spell1List", "", 42, 20, 48, 12},
    ControlTemplate{0, K::Label, "rate1Label", "x", 92, 22, 6, 8},
    ControlTemplate{esperControl::learnRates[0], K::Edit, "rate1Edit", "", 98, 20, 16, 12,
                    numberStyle, "Spell #1 Learn Rate"},
    ControlTemplate{0, K::Label, "spell2Label", "Spell #&2:", 4, 35, 38, 8},
    ControlTemplate{esperControl::spells[1], K::Custom, "spell2List", "", 42, 33, 48, 12},
    ControlTemplate{0, K::Label, "rate2Label", "x", 92, 35, 6, 8},
    ControlTemplate{esperControl::learnRates[1], K::Edit, "rate2Edit", "", 98, 33, 16, 12,
                    numberStyle, "Spell #2 Learn Rate"},
    ControlTemplate{0, K::Label, "spell3Label", "Spell #&3:", 4, 48, 38, 8},
    ControlTemplate{esperControl::spells[2], K::Custom, "spell3List", "", 42, 46, 48, 12},
    ControlTemplate{0, K::Label, "rate3Label", "x", 92, 48, 6, 8},
    ControlTemplate{esperControl::learnRates[2], K::Edit, "rate3Edit", "", 98, 46, 16, 12,
                    numberStyle, "Spell #3 Learn Rate"},
    ControlTemplate{0, K::Label, "spell4Label", "Spell #&4:", 4, 61, 38, 8},
    ControlTemplate{esperControl::spells[3], K::Custom, "spell4List", "", 42, 59, 48, 12},
    ControlTemplate{0, K::Label, "rate4Label", "x", 92, 61, 6, 8},
    ControlTemplate{esperControl::learnRates[3], K::Edit, "rate4Edit", "", 98, 59, 16, 12,
                    numberStyle, "Spell #4 Learn Rate"},
    ControlTemplate{0, K::Label, "spell5Label", "Spell #&5:", 4, 74, 38, 8},
    ControlTemplate{esperControl::spells[4], K::Custom, "spell5List", "", 42, 72, 48, 12},
    ControlTemplate{0, K::Label, "rate5Label", "x", 92, 74, 6, 8},
    ControlTemplate{esperControl::learnRates[4], K::Edit, "rate5Edit", "", 98, 72, 16, 12,
                    numberStyle, "Spell #5 Learn Rate"},
    ControlTemplate{0, K::Label, "bonusLabel", "&Level Up Bonus:", 4, 88, 60, 8},
    ControlTemplate{esperControl::bonus, K::Custom, "bonusList", "", 64, 86, 50, 12},
    ControlTemplate{okButtonId, K::PushButton, "okButton", "OK", 90, 4, 24, 12, defaultStyle},
};

} // namespace

const DialogTemplate& shopEditorTemplate() {
    static const DialogTemplate dialog{shopEditorId, "Shop Editor", 200, 100, shopControls};
    return dialog;
}

const DialogTemplate& esperEditorTemplate() {
    static const DialogTemplate dialog{esperEditorId, "Esper Editor", 118, 100, esperControls};
    return dialog;
}

} // namespace tarnwick
