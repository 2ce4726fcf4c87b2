#include "DemoNames.h"

#include "DemoCharacters.h"

#include <algorithm>
#include <cassert>
#include <cctype>
#include <functional>
#include <random>
#include <set>
#include <span>

namespace tarnwick {

namespace {

using Words = std::span<const std::string_view>;

// ---- English words ---------------------------------------------------------------------------

constexpr std::string_view materials[] = {
    "Iron", "Bronze", "Steel", "Silver", "Ember", "Frost",  "Storm", "Oak",   "Bone",  "Moon",
    "Sun",  "Ash",    "Rune",  "Jade",   "Star",  "Shadow", "Thorn", "Glass", "Coral", "Dusk"};
constexpr std::string_view weaponNouns[] = {"Blade", "Dagger", "Spear", "Axe",   "Sword",  "Rod",
                                            "Staff", "Bow",    "Claw",  "Lance", "Hammer", "Whip",
                                            "Sabre", "Knife",  "Mace",  "Flail", "Pike",   "Sling"};
constexpr std::string_view armourNouns[] = {"Shield", "Buckler", "Helm",  "Cap",      "Hood",
                                            "Mail",   "Vest",    "Robe",  "Gauntlet", "Plate",
                                            "Cloak",  "Circlet", "Armor", "Tunic"};
constexpr std::string_view relicAdjectives[] = {"Lucky",  "Sacred", "Swift", "Silent",  "Brave",
                                                "Hearty", "Wise",   "Keen",  "Warding", "Healing",
                                                "Dream",  "Wind",   "Star",  "Moon"};
constexpr std::string_view relicNouns[] = {"Ring",   "Charm",  "Amulet",  "Band",   "Bangle",
                                           "Brooch", "Badge",  "Gem",     "Locket", "Talisman",
                                           "Boots",  "Gloves", "Earring", "Pendant"};
constexpr std::string_view tools[] = {"Grapnel", "Lockpick",  "Spyglass", "Hand Drill",
                                      "Lantern", "Flash Jar", "Snare",    "Rope Ladder"};
constexpr std::string_view consumables[] = {
    "Potion",     "Big Potion",  "Tonic",     "Salve",       "Herb",       "Mint Leaf",
    "Honey Drop", "Clear Water", "Bread",     "Spice Cake",  "Eye Drops",  "Antidote",
    "Bandage",    "Firebomb",    "Ice Shard", "Spark Stone", "Smoke Ball", "Sleep Dust",
    "Dried Meat", "Cocoa",       "Feather",   "Jelly",       "Candy"};
constexpr std::string_view emptyItem = "Empty";

constexpr std::string_view monsterKinds[] = {
    "Wolf",  "Sprite", "Toad",  "Wisp",   "Golem", "Drake",  "Crab",  "Bat",   "Mole",   "Moth",
    "Slime", "Wyrm",   "Hound", "Ghoul",  "Crow",  "Boar",   "Shade", "Troll", "Newt",   "Beetle",
    "Eel",   "Lynx",   "Ogre",  "Mantis", "Viper", "Hornet", "Gator", "Raven", "Knight", "Mage"};
constexpr std::string_view monsterPrefixes[] = {
    "Cave", "Dire", "Frost", "Ember", "Bog",  "Gloom", "Iron", "Storm", "Ash",  "Moss",
    "Rune", "Dusk", "Sand",  "Mire",  "Grim", "Pale",  "Rust", "Thorn", "Void", "Sky"};

constexpr std::string_view attackPrefixes[] = {
    "Acid", "Bone", "Dark", "Dust", "Foul", "Gale", "Hail", "Lava", "Mist", "Mud",
    "Nova", "Rock", "Sand", "Soul", "Star", "Tail", "Tusk", "Web",  "Wind", "Zap"};
constexpr std::string_view attackNouns[] = {
    "Bite", "Spit", "Claw", "Slam",  "Breath", "Rain", "Spray", "Beam",  "Burst", "Howl",
    "Roar", "Kick", "Lash", "Sting", "Wave",   "Gaze", "Fang",  "Crush", "Blast", "Spin"};

constexpr std::string_view spells[] = {
    "Flame",   "Blaze",  "Inferno", "Frost",   "Chill",   "Glacier", "Spark",   "Shock",  "Voltaic",
    "Gust",    "Gale",   "Tempest", "Tremor",  "Rupture", "Tide",    "Torrent", "Deluge", "Venom",
    "Blight",  "Plague", "Mend",    "Restore", "Renew",   "Soothe",  "Purify",  "Revive", "Rally",
    "Ward",    "Aegis",  "Bulwark", "Mirror",  "Hasten",  "Hinder",  "Snare",   "Lull",   "Daze",
    "Hush",    "Dim",    "Hex",     "Jinx",    "Wither",  "Siphon",  "Leech",   "Anchor", "Levity",
    "Phase",   "Blink",  "Veil",    "Astral",  "Nova",    "Eclipse", "Zenith",  "Void",   "Prism",
    "Sunbeam", "Lunar",  "Bloom"};
constexpr std::string_view espers[] = {
    "Aurelis", "Brimmon", "Corvane", "Drossel", "Elowyn",  "Fennow", "Galdoran", "Hespera",
    "Ixolde",  "Jorvath", "Kestrel", "Lumaris", "Morrow",  "Nyxa",   "Orvenna",  "Pellan",
    "Quillon", "Rhosyn",  "Sableth", "Tamsin",  "Ulvar",   "Verith", "Wyndle",   "Xandor",
    "Yssra",   "Zephra",  "Ambrel",  "Bastren", "Cindrel", "Dovrak", "Emberly"};
constexpr std::string_view bonuses[] = {
    "Life +10%", "Life +30%", "Life +50%", "Mana +10%", "Mana +30%", "Mana +50%",
    "Might +1",  "Might +2",  "Grace +1",  "Grace +2",  "Wits +1",   "Wits +2",
    "Guard +1",  "Guard +2",  "Spirit +1", "Spirit +2", "Luck +1"};

// ---- Japanese words, in romaji -------------------------------------------------------------

constexpr std::string_view jaMaterials[] = {"ai-an", "buronzu", "suchi-ru", "shiruba-", "jeido",
                                            "ru-n",  "mu-n",    "san",      "suta-",    "bo-n",
                                            "o-ku",  "kora-ru", "dasuku",   "gurasu",   "fure-mu",
                                            "aisu",  "suto-mu", "shado-",   "so-n",     "gurin"};
constexpr std::string_view jaWeaponNouns[] = {
    "bure-do", "daga-",  "supia",  "akusu",  "so-do", "roddo", "sutaffu", "bou",   "kuro-",
    "ransu",   "hanma-", "hoippu", "se-ba-", "naifu", "me-su", "fureiru", "paiku", "suringu"};
constexpr std::string_view jaArmourNouns[] = {
    "shi-rudo", "bakkura-",   "herumu",  "kyappu",  "fu-do",      "meiru", "besuto",
    "ro-bu",    "gantoretto", "pure-to", "kuro-ku", "sa-kuretto", "a-ma-", "chunikku"};
constexpr std::string_view jaRelicAdjectives[] = {
    "rakki-", "seinto",   "majikku", "pawa-", "supi-do", "ga-do",   "hi-ringu",
    "ho-ri-", "sairento", "bureibu", "ha-to", "uindo",   "dori-mu", "hoshi"};
constexpr std::string_view jaRelicNouns[] = {
    "ringu", "cha-mu",  "amyuretto", "bando",  "banguru", "buro-chi",  "bajji",
    "jemu",  "roketto", "tarisuman", "bu-tsu", "guro-bu", "iya-ringu", "pendanto"};
constexpr std::string_view jaTools[] = {"fukku", "pikku",  "suko-pu", "doriru",
                                        "ranpu", "hanabi", "wana",    "ro-pu"};
constexpr std::string_view jaConsumables[] = {
    "po-shon",      "tonikku",  "sarubu",      "ha-bu",        "kusuri",     "mintori-fu",
    "hani-doroppu", "kiyomizu", "pan",         "supaisuke-ki", "megusuri",   "dokukeshi",
    "houtai",       "kaenbin",  "hyoukesseki", "raiseki",      "kemuridama", "nemurigona",
    "hoshiniku",    "kokoa",    "hane",        "jeri-",        "kyandi-"};
constexpr std::string_view jaEmptyItem = "nashi";

constexpr std::string_view jaMonsterKinds[] = {
    "urufu",  "supuraito", "to-do",   "wisupu",  "go-remu", "doreiku", "kurabu", "batto",
    "mo-ru",  "mosu",      "suraimu", "wa-mu",   "haundo",  "gu-ru",   "kurou",  "boa",
    "she-do", "toro-ru",   "nyu-to",  "bi-toru", "i-ru",    "rinkusu", "o-ga",   "kamakiri",
    "baipa-", "ho-netto",  "wani",    "reibun",  "naito",   "meiji"};
constexpr std::string_view jaMonsterPrefixes[] = {
    "keibu", "furosuto", "enba-", "boggu",  "guru-mu", "ai-an", "suto-mu",
    "asshu", "mosu",     "ru-n",  "dasuku", "sando",   "maia",  "gurimu",
    "pe-ru", "rasuto",   "so-n",  "boido",  "sukai",   "yami"};

constexpr std::string_view jaAttackPrefixes[] = {
    "asido", "bo-n",  "da-ku", "dasuto", "ge-ru", "heiru", "raba",  "misuto", "maddo", "noba",
    "rokku", "sando", "souru", "suta-",  "teiru", "kiba",  "we-bu", "uindo",  "zappu", "doku"};
constexpr std::string_view jaAttackNouns[] = {"baito", "supitto", "kuro-",    "suramu",   "buresu",
                                              "rein",  "supure-", "bi-mu",    "ba-suto",  "hauru",
                                              "roa",   "kikku",   "rasshu",   "sutingu",  "we-bu",
                                              "ge-zu", "fangu",   "kurasshu", "burasuto", "supin"};

constexpr std::string_view jaSpells[] = {
    "fure-mu", "bure-zu", "gu-ren",    "furosuto",  "chiru",    "hyo-ga",   "supa-ku",  "shokku",
    "raigo",   "gasuto",  "ge-ru",     "tenpesuto", "toremo-",  "ruputa",   "taido",    "torento",
    "deruja",  "benomu",  "buraito",   "pure-gu",   "mendo",    "risutoa",  "rinyu-",   "su-zu",
    "pyua",    "ribaibu", "rari-",     "wo-do",     "ijisu",    "buruwa-",  "mira-",    "kasoku",
    "hinda-",  "sunea",   "raru",      "de-zu",     "sairensu", "burindo",  "hekkusu",  "ka-su",
    "wiza-",   "saifon",  "ri-chi",    "anka-",     "rebiti",   "feizu",    "burinku",  "be-ru",
    "kometto", "noba",    "ekuripusu", "zenisu",    "boido",    "purizumu", "sanbi-mu", "runa",
    "buru-mu"};
constexpr std::string_view jaEspers[] = {
    "aurerisu",   "burimon",      "korubein", "dorosseru",  "erouin",   "fenou",    "garudora",
    "hesupera",   "ikusorudeia-", "jorubasu", "kesutoreru", "rumarisu", "moro-",    "nikusa",
    "orubenna",   "peran",        "kuiron",   "roshin",     "saburesu", "tamushin", "uruba-",
    "verisu",     "uindoru",      "zandoru",  "isura",      "zefura",   "anbureru", "basutoren",
    "shindoreru", "doburakku",    "enbari-"};
constexpr std::string_view jaBonuses[] = {
    "raifu+10%", "raifu+30%", "raifu+100%", "mana+10%",  "mana+30%",   "mana+50%",
    "pawa-+1",   "pawa-+2",   "supi-do+1",  "supi-do+2", "chiryoku+1", "chiryoku+2",
    "ga-do+1",   "ga-do+2",   "seishin+1",  "seishin+2", "rakki-+10%"};

// ---- Building the lists --------------------------------------------------------------------

using Fits = std::function<bool(const std::string&)>;

// Appends wanted names made of a first and a second word, taken in a fixed shuffled order,
// skipping the ones that are too long or already used. The shuffle draws on the raw output of
// std::mt19937, which the standard fixes, so every platform builds the same names.
void appendCombinations(std::vector<std::string>& names, std::set<std::string>& used, Words firsts,
                        Words seconds, std::string_view joiner, std::size_t wanted,
                        const Fits& fits, std::uint32_t seed) {
    std::vector<std::string> candidates;
    for (std::string_view first : firsts)
        for (std::string_view second : seconds)
            candidates.push_back(std::string(first) + std::string(joiner) + std::string(second));
    std::mt19937 generator(seed);
    for (std::size_t i = candidates.size(); i > 1; --i)
        std::swap(candidates[i - 1], candidates[generator() % i]);

    std::size_t added = 0;
    for (const std::string& candidate : candidates) {
        if (added == wanted)
            break;
        if (fits(candidate) && used.insert(candidate).second) {
            names.push_back(candidate);
            ++added;
        }
    }
    assert(added == wanted);
}

void appendWords(std::vector<std::string>& names, std::set<std::string>& used, Words words) {
    for (std::string_view word : words) {
        names.emplace_back(word);
        used.emplace(word);
    }
}

struct Vocabulary {
    Words materials, weaponNouns, armourNouns, relicAdjectives, relicNouns, tools, consumables;
    std::string_view emptyItem;
    Words monsterKinds, monsterPrefixes, attackPrefixes, attackNouns, spells, espers, bonuses;
    std::string_view joiner;
};

std::vector<std::string> buildNames(const Vocabulary& words, DemoNameTable table,
                                    const Fits& fits) {
    constexpr std::size_t weaponCount = 92;
    constexpr std::size_t laterWeaponCount = 15;
    std::vector<std::string> names;
    std::set<std::string> used;
    switch (table) {
    case DemoNameTable::Items: {
        std::vector<std::string> weapons;
        appendCombinations(weapons, used, words.materials, words.weaponNouns, words.joiner,
                           weaponCount + laterWeaponCount, fits, 11);
        names.assign(weapons.begin(), weapons.begin() + weaponCount);
        appendCombinations(names, used, words.materials, words.armourNouns, words.joiner, 71, fits,
                           12);
        appendWords(names, used, words.tools);
        appendCombinations(names, used, words.relicAdjectives, words.relicNouns, words.joiner, 61,
                           fits, 13);
        appendWords(names, used, words.consumables);
        names.emplace_back(words.emptyItem);
        names.insert(names.end(), weapons.begin() + weaponCount, weapons.end());
        break;
    }
    case DemoNameTable::Monsters:
        appendWords(names, used, words.monsterKinds);
        appendCombinations(names, used, words.monsterPrefixes, words.monsterKinds, words.joiner,
                           monsterNameSlots - names.size(), fits, 21);
        break;
    case DemoNameTable::Attacks:
        appendCombinations(names, used, words.attackPrefixes, words.attackNouns, words.joiner,
                           attackNameSlots, fits, 31);
        break;
    case DemoNameTable::Spells:
        appendWords(names, used, words.spells);
        break;
    case DemoNameTable::Espers:
        appendWords(names, used, words.espers);
        break;
    case DemoNameTable::Bonuses:
        appendWords(names, used, words.bonuses);
        break;
    }
    return names;
}

constexpr Vocabulary englishWords = {materials,    weaponNouns,     armourNouns,    relicAdjectives,
                                     relicNouns,   tools,           consumables,    emptyItem,
                                     monsterKinds, monsterPrefixes, attackPrefixes, attackNouns,
                                     spells,       espers,          bonuses,        " "};
constexpr Vocabulary japaneseWords = {
    jaMaterials,    jaWeaponNouns,     jaArmourNouns,    jaRelicAdjectives,
    jaRelicNouns,   jaTools,           jaConsumables,    jaEmptyItem,
    jaMonsterKinds, jaMonsterPrefixes, jaAttackPrefixes, jaAttackNouns,
    jaSpells,       jaEspers,          jaBonuses,        "'"};

constexpr std::size_t tableIndex(DemoNameTable table) {
    return static_cast<std::size_t>(table);
}

std::size_t fieldLength(RomVariant release, DemoNameTable table) {
    return static_cast<std::size_t>(demoNameArea(release, table).fieldLength);
}

} // namespace

std::string_view demoNameTableName(DemoNameTable table) {
    constexpr std::array<std::string_view, 6> names = {"items",  "monsters", "spells",
                                                       "espers", "attacks",  "bonuses"};
    return names[tableIndex(table)];
}

const NameArea& demoNameArea(RomVariant release, DemoNameTable table) {
    const std::array<const PerRelease<NameArea>*, 6> areas = {&itemNameArea,   &monsterNameArea,
                                                              &spellNameArea,  &esperNameArea,
                                                              &attackNameArea, &bonusNameArea};
    return (*areas[tableIndex(table)])[variantIndex(release)];
}

const std::vector<std::string>& demoEnglishNames(DemoNameTable table) {
    static const auto lists = [] {
        std::array<std::vector<std::string>, 6> built;
        for (DemoNameTable t : allDemoNameTables) {
            const std::size_t limit = fieldLength(RomVariant::SnesEnglish, t);
            built[tableIndex(t)] = buildNames(
                englishWords, t, [limit](const std::string& name) { return name.size() <= limit; });
        }
        return built;
    }();
    return lists[tableIndex(table)];
}

const std::vector<std::string>& demoJapaneseNames(DemoNameTable table) {
    static const auto lists = [] {
        std::array<std::vector<std::string>, 6> built;
        for (DemoNameTable t : allDemoNameTables) {
            const std::size_t limit = std::min(fieldLength(RomVariant::SnesJapanese, t),
                                               fieldLength(RomVariant::GbaJapanese, t));
            built[tableIndex(t)] = buildNames(japaneseWords, t, [limit](const std::string& name) {
                const auto kana = encodeDemoKana(name);
                return kana && kana->size() <= limit;
            });
        }
        return built;
    }();
    return lists[tableIndex(table)];
}

std::vector<GameString> demoNameStrings(RomVariant release, DemoNameTable table) {
    const NameArea& area = demoNameArea(release, table);
    const auto count = static_cast<std::size_t>(area.count);
    std::vector<GameString> strings;
    strings.reserve(count);
    if (isJapaneseVariant(release)) {
        for (std::size_t n = 0; n < count; ++n) {
            GameString kana = encodeDemoKana(demoJapaneseNames(table)[n]).value();
            if (isGbaVariant(release))
                kana.resize(static_cast<std::size_t>(area.fieldLength), '\xFF');
            strings.push_back(kana);
        }
    } else {
        for (std::size_t n = 0; n < count; ++n)
            strings.push_back(encodeDemoText(release, demoEnglishNames(table)[n]).value());
    }
    return strings;
}

std::array<GameString, shopTypeNameSlots> demoShopTypeStrings(RomVariant release) {
    std::array<GameString, shopTypeNameSlots> strings;
    if (release == RomVariant::SnesEnglish || release == RomVariant::GbaEnglish)
        for (std::size_t type = 0; type < strings.size(); ++type)
            strings[type] = encodeDemoText(release, demoShopTypeNames[type]).value();
    if (release == RomVariant::GbaEnglish)
        strings[0].clear();
    return strings;
}

GameString demoEmptyItemName(RomVariant release) {
    switch (release) {
    case RomVariant::SnesEnglish:
        return demoNameStrings(release, DemoNameTable::Items)[255];
    case RomVariant::GbaEnglish:
        return encodeDemoText(release, std::string(" ").append(demoGbaEmptyItemText)).value();
    case RomVariant::SnesJapanese:
    case RomVariant::GbaJapanese:
        break;
    }
    return GameString(japaneseEmptyItemName.begin(), japaneseEmptyItemName.end());
}

} // namespace tarnwick
