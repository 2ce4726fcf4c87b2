#include "resources/ControlHelp.h"

#include "resources/AnimTemplates.h"
#include "resources/ChestTemplate.h"
#include "resources/EditorTemplates.h"
#include "resources/MainTemplates.h"

#include <QString>
#include <QWidget>

#include <array>

namespace tarnwick {
namespace {

struct Help {
    int templateId;
    int controlId;
    std::string_view text;
};

constexpr int chest = chestEditorId;
constexpr int shop = shopEditorId;
constexpr int esper = esperEditorId;
constexpr int anim8 = anim8EditorId;
constexpr int anim14 = anim14EditorId;

constexpr auto helpTable = std::to_array<Help>({
    // ---- Main window ----
    {mainDialogId, mainControl::titleBox,
     "The loaded image's internal title; \"No ROM Loaded\" until an image is opened."},
    {mainDialogId, mainControl::chests,
     "Edit the treasure chests: what each holds, where it lies, its opened-flag and its flags."},
    {mainDialogId, mainControl::espers,
     "Edit the espers: the spells each teaches, their learn rates and the level-up bonus."},
    {mainDialogId, mainControl::shops,
     "Edit the shops: their type, price modifier and the eight items each sells."},
    {mainDialogId, mainControl::anim8,
     "Edit the 8-byte animation strings of the weapons and the enemy specials."},
    {mainDialogId, mainControl::anim14,
     "Edit the 14-byte animation strings (15-byte on GBA images) of spells, espers, tools, items "
     "and other effects."},
    {mainDialogId, mainControl::fonts, "The font editor's frame; it edits nothing."},

    // ---- Chest editor ----
    {chest, chestControl::chest, "The chest to edit, listed by what it holds: chests 0-311."},
    {chest, chestControl::chestNumber, "The chest to edit by its number, 0-311 (decimal)."},
    {chest, chestControl::location,
     "Where each chest lies, from chestloc.txt: pick a place to edit its chest."},
    {chest, chestControl::type,
     "What the chest holds: nothing, a monster-in-a-box, an item or money (GP)."},
    {chest, chestControl::typeNumber,
     "The chest's type as a number (decimal): 0 empty, 1 monster, 2 item, 3 money."},
    {chest, chestControl::contents,
     "The item, the monster-in-a-box entry or the amount of money the chest holds."},
    {chest, chestControl::contentsNumber,
     "The contents as a number (decimal): an item 0-255 (0-270 on GBA images), a "
     "monster-in-a-box entry 0-255, or the money divided by the GP multiplier."},
    {chest, chestControl::gpMultiplier,
     "Every money chest holds its number times this multiplier in GP, 0-255 (decimal). One value "
     "for all money chests; GBA images have none."},
    {chest, chestControl::memoryByte,
     "The byte of the game's opened-chest memory that marks this chest opened, 0-63 (decimal). "
     "Two chests with the same byte and bit open together."},
    {chest, chestControl::memoryBit,
     "The bit of that byte that marks this chest opened, 0-7 (decimal)."},
    {chest, chestControl::x, "The chest's column on its map, 0-255 tiles (decimal)."},
    {chest, chestControl::y, "The chest's row on its map, 0-255 tiles (decimal)."},
    {chest, chestControl::bit1, "Flag bit 1 of Byte 3 (record byte 3, counted from 0)."},
    {chest, chestControl::bit2,
     "Flag bit 2 of Byte 3 (record byte 3, counted from 0); on GBA images, for an item chest, "
     "the item number's ninth bit (items 256-270)."},
    {chest, chestControl::bit4, "Flag bit 4 of Byte 3 (record byte 3, counted from 0)."},
    {chest, chestControl::monsters,
     "The monsters of the two formations the chest's monster-in-a-box entry starts."},
    {chest, chestControl::form1,
     "Form 1 of the monster-in-a-box entry: a formation number, 0-575 (decimal). Every chest "
     "naming the entry shares it."},
    {chest, chestControl::form2,
     "Form 2 of the monster-in-a-box entry: a formation number, 0-575 (decimal). Every chest "
     "naming the entry shares it."},

    // ---- Shop editor ----
    {shop, shopControl::shop, "The shop to edit: its number and its place."},
    {shop, shopControl::type, "The kind of shop, as the game names its shop types."},
    {shop, shopControl::priceModifier, "How the shop's prices differ from the items' own prices."},
    {shop, shopControl::firstSlot + 0, "Item #1 the shop sells (items 0-255)."},
    {shop, shopControl::firstSlot + 1, "Item #2 the shop sells (items 0-255)."},
    {shop, shopControl::firstSlot + 2, "Item #3 the shop sells (items 0-255)."},
    {shop, shopControl::firstSlot + 3, "Item #4 the shop sells (items 0-255)."},
    {shop, shopControl::firstSlot + 4, "Item #5 the shop sells (items 0-255)."},
    {shop, shopControl::firstSlot + 5, "Item #6 the shop sells (items 0-255)."},
    {shop, shopControl::firstSlot + 6, "Item #7 the shop sells (items 0-255)."},
    {shop, shopControl::firstSlot + 7, "Item #8 the shop sells (items 0-255)."},

    // ---- Esper editor ----
    {esper, esperControl::esper, "The esper to edit."},
    {esper, esperControl::bonus,
     "The bonus a character gets on gaining a level while the esper is equipped."},
    {esper, esperControl::spells[0], "Spell #1 the esper teaches."},
    {esper, esperControl::spells[1], "Spell #2 the esper teaches."},
    {esper, esperControl::spells[2], "Spell #3 the esper teaches."},
    {esper, esperControl::spells[3], "Spell #4 the esper teaches."},
    {esper, esperControl::spells[4], "Spell #5 the esper teaches."},
    {esper, esperControl::learnRates[0],
     "How fast spell #1 is learned, 0-255 (decimal); a larger number is kept modulo 256."},
    {esper, esperControl::learnRates[1],
     "How fast spell #2 is learned, 0-255 (decimal); a larger number is kept modulo 256."},
    {esper, esperControl::learnRates[2],
     "How fast spell #3 is learned, 0-255 (decimal); a larger number is kept modulo 256."},
    {esper, esperControl::learnRates[3],
     "How fast spell #4 is learned, 0-255 (decimal); a larger number is kept modulo 256."},
    {esper, esperControl::learnRates[4],
     "How fast spell #5 is learned, 0-255 (decimal); a larger number is kept modulo 256."},

    // ---- 8-byte animation strings ----
    {anim8, anim8Control::category, "The kind of entry: weapons or enemy specials."},
    {anim8, anim8Control::entry, "The weapon or enemy special whose animation string to edit."},
    {anim8, anim8Control::fields[0],
     "The right hand's animation number, 00-FF hexadecimal (record byte 0, counted from 0)."},
    {anim8, anim8Control::fields[1],
     "The left hand's animation number, 00-FF hexadecimal (record byte 1, counted from 0)."},
    {anim8, anim8Control::fields[2],
     "The right hand's palette number, 00-FF hexadecimal (record byte 2, counted from 0)."},
    {anim8, anim8Control::fields[3],
     "The hit graphic's animation number, 00-FF hexadecimal (record byte 3, counted from 0)."},
    {anim8, anim8Control::fields[4],
     "The hit graphic's palette number, 00-FF hexadecimal (record byte 4, counted from 0)."},
    {anim8, anim8Control::fields[5],
     "Byte6, whose use is not known, 00-FF hexadecimal (record byte 5, counted from 0)."},
    {anim8, anim8Control::fields[6],
     "The sound played, 00-FF hexadecimal (record byte 6, counted from 0)."},
    {anim8, anim8Control::fields[7],
     "Byte8, whose use is not known, 00-FF hexadecimal (record byte 7, counted from 0)."},
    {anim8, anim8Control::rightHandList,
     "Pick the right hand's animation by name; its number goes into the field."},
    {anim8, anim8Control::leftHandList,
     "Pick the left hand's animation by name; its number goes into the field."},
    {anim8, anim8Control::hitList,
     "Pick the hit graphic's animation by name; its number goes into the field."},
    {anim8, anim8Control::rightHandPaletteList,
     "Pick the right hand's palette by its colours; its number goes into the field."},
    {anim8, anim8Control::hitPaletteList,
     "Pick the hit graphic's palette by its colours; its number goes into the field."},

    // ---- 14/15-byte animation strings ----
    {anim14, anim14Control::category,
     "The kind of entry: spells, espers, tools, items and other effects."},
    {anim14, anim14Control::entry, "The entry whose animation string to edit."},
    {anim14, anim14Control::numberFields[0],
     "Animation 1's number, 000-2FF hexadecimal; 300 or more means no animation (record bytes 0 "
     "and 1, counted from 0)."},
    {anim14, anim14Control::numberFields[1],
     "Animation 2's number, 000-2FF hexadecimal; 300 or more means no animation (record bytes 2 "
     "and 3, counted from 0)."},
    {anim14, anim14Control::numberFields[2],
     "Animation 3's number, 000-2FF hexadecimal; 300 or more means no animation (record bytes 4 "
     "and 5, counted from 0)."},
    {anim14, anim14Control::numberFields[3],
     "Animation 4's number, 000-2FF hexadecimal; 300 or more means no animation (record bytes 11 "
     "and 12, counted from 0)."},
    {anim14, anim14Control::highBits[0],
     "Animation 1's high bit: bit 7 of its number's high byte (record byte 1, counted from 0)."},
    {anim14, anim14Control::highBits[1],
     "Animation 2's high bit: bit 7 of its number's high byte (record byte 3, counted from 0)."},
    {anim14, anim14Control::highBits[2],
     "Animation 3's high bit: bit 7 of its number's high byte (record byte 5, counted from 0)."},
    {anim14, anim14Control::highBits[3],
     "Animation 4's high bit: bit 7 of its number's high byte (record byte 12, counted from 0)."},
    {anim14, anim14Control::animationLists[0], "Pick animation 1 by name; the last entry is none."},
    {anim14, anim14Control::animationLists[1], "Pick animation 2 by name; the last entry is none."},
    {anim14, anim14Control::animationLists[2], "Pick animation 3 by name; the last entry is none."},
    {anim14, anim14Control::animationLists[3], "Pick animation 4 by name; the last entry is none."},
    {anim14, anim14Control::paletteFields[0],
     "Animation 1's palette number, 00-FF hexadecimal (record byte 6, counted from 0)."},
    {anim14, anim14Control::paletteFields[1],
     "Animation 2's palette number, 00-FF hexadecimal (record byte 7, counted from 0)."},
    {anim14, anim14Control::paletteFields[2],
     "Animation 3's palette number, 00-FF hexadecimal (record byte 8, counted from 0)."},
    {anim14, anim14Control::paletteLists[0], "Pick animation 1's palette by its colours."},
    {anim14, anim14Control::paletteLists[1], "Pick animation 2's palette by its colours."},
    {anim14, anim14Control::paletteLists[2], "Pick animation 3's palette by its colours."},
    {anim14, anim14Control::sound,
     "The sound played, 00-FF hexadecimal (record byte 9, counted from 0)."},
    {anim14, anim14Control::unnamed,
     "A byte whose use is not known, 00-FF hexadecimal (record byte 10, counted from 0)."},
    {anim14, anim14Control::repeatDelay,
     "The delay before the animation repeats, 00-FF hexadecimal (record byte 13, counted from "
     "0)."},
    {anim14, anim14Control::gbaOnly,
     "The byte only the GBA images' 15-byte records have, 00-FF hexadecimal (record byte 14, "
     "counted from 0)."},
});

} // namespace

std::string_view controlHelp(int templateId, int controlId) {
    for (const Help& help : helpTable)
        if (help.templateId == templateId && help.controlId == controlId)
            return help.text;
    return {};
}

std::string_view manualSection(int templateId) {
    switch (templateId) {
    case mainDialogId:
        return "The main window";
    case chestEditorId:
        return "The Chest Editor";
    case shopEditorId:
        return "The Shop Editor";
    case esperEditorId:
        return "The Esper Editor";
    case anim8EditorId:
        return "The 8-Byte Animation Editor";
    case anim14EditorId:
        return "The 14-Byte Animation Editor";
    default:
        return {};
    }
}

void applyControlHelp(int templateId, const QHash<int, QWidget*>& controls) {
    for (auto it = controls.begin(); it != controls.end(); ++it) {
        const std::string_view help = controlHelp(templateId, it.key());
        if (help.empty())
            continue;
        const QString text = QString::fromUtf8(help.data(), static_cast<qsizetype>(help.size()));
        it.value()->setToolTip(text);
        it.value()->setStatusTip(text);
    }
}

} // namespace tarnwick
