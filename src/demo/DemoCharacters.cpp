#include "DemoCharacters.h"

#include <array>
#include <map>
#include <string>
#include <utility>

namespace tarnwick {

namespace {

constexpr std::string_view upperLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view lowerLetters = "abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view digits = "0123456789";
constexpr std::string_view punctuation = "-:.'!?+%";

constexpr std::uint8_t spaceCodeSnes = 0xFF;
constexpr std::uint8_t spaceCodeGba = 0x67;

// Codes of the letters A-Z on GBA English. Nine of them are fixed by the program's own labels
// and the hexadecimal digits; the rest fill free codes below 0xA0, the glyphs that font draws.
constexpr std::array<std::uint8_t, 26> gbaEnglishLetterCodes = {
    0x16, 0x24, 0x18, 0x21, 0x25, 0x26, 0x2A, 0x07, 0x1F, 0x2E, 0x2F, 0x29, 0x30,
    0x28, 0x20, 0x22, 0x31, 0x32, 0x13, 0x33, 0x2C, 0x35, 0x37, 0x39, 0x3A, 0x3B};

// Codes of "-:.'!?+%" per release. The first two are the separators the chest editor puts into
// its formation and monster-in-a-box labels.
constexpr PerRelease<std::array<std::uint8_t, 8>> punctuationCodes = {
    {{0xC0, 0xC1, 0xC5, 0xC3, 0xBE, 0xBF, 0xC6, 0xC7},
     {0xCE, 0xCF, 0xCB, 0xCC, 0xC7, 0xC8, 0xC9, 0xCA},
     {0x42, 0x36, 0x44, 0x45, 0x48, 0x49, 0x4C, 0x4D},
     {0xCE, 0xCF, 0xCB, 0xCC, 0xC7, 0xC8, 0xC9, 0xCA}}};

// Katakana cells of the Japanese fonts. The h, k, s and t rows come first so that the codes
// 0x20-0x33 (cell - 0x40) read as their voiced forms and 0x49-0x4D (cell - 0x17) as pa-po.
struct Kana {
    std::string_view key;
    std::uint8_t cell;
    std::string_view katakana;
};
constexpr std::array<Kana, 57> kanaCells = {
    {{"ha", 0x60, "ハ"},       {"hi", 0x61, "ヒ"},        {"fu", 0x62, "フ"},
     {"he", 0x63, "ヘ"},       {"ho", 0x64, "ホ"},        {"ka", 0x65, "カ"},
     {"ki", 0x66, "キ"},       {"ku", 0x67, "ク"},        {"ke", 0x68, "ケ"},
     {"ko", 0x69, "コ"},       {"sa", 0x6A, "サ"},        {"shi", 0x6B, "シ"},
     {"su", 0x6C, "ス"},       {"se", 0x6D, "セ"},        {"so", 0x6E, "ソ"},
     {"ta", 0x6F, "タ"},       {"chi", 0x70, "チ"},       {"tsu", 0x71, "ツ"},
     {"te", 0x72, "テ"},       {"to", 0x73, "ト"},        {"u", 0x74, "ウ"},
     {"a", 0x75, "ア"},        {"i", 0x76, "イ"},         {"e", 0x77, "エ"},
     {"o", 0x78, "オ"},        {"na", 0x79, "ナ"},        {"ni", 0x7A, "ニ"},
     {"nu", 0x7B, "ヌ"},       {"ne", 0x7C, "ネ"},        {"no", 0x7D, "ノ"},
     {"ma", 0x7E, "マ"},       {"mi", 0x7F, "ミ"},        {"mu", 0x80, "ム"},
     {"me", 0x81, "メ"},       {"mo", 0x82, "モ"},        {"ya", 0x83, "ヤ"},
     {"yu", 0x84, "ユ"},       {"yo", 0x85, "ヨ"},        {"ra", 0x86, "ラ"},
     {"ri", 0x87, "リ"},       {"ru", 0x88, "ル"},        {"re", 0x89, "レ"},
     {"ro", 0x8A, "ロ"},       {"wa", 0x8B, "ワ"},        {"wo", 0x8C, "ヲ"},
     {"n", 0x8D, "ン"},        {"small-ya", 0x8E, "ャ"},  {"small-yu", 0x8F, "ュ"},
     {"small-yo", 0x90, "ョ"}, {"small-tsu", 0x91, "ッ"}, {"long", 0x92, "ー"},
     {"small-a", 0x93, "ァ"},  {"small-i", 0x94, "ィ"},   {"small-u", 0x95, "ゥ"},
     {"small-e", 0x96, "ェ"},  {"small-o", 0x97, "ォ"},   {"dot", 0x98, "・"}}};

constexpr std::uint8_t voicedShift = 0x40;
constexpr std::uint8_t semiVoicedShift = 0x17;

std::uint8_t kanaCode(std::string_view key) {
    for (const Kana& kana : kanaCells)
        if (kana.key == key)
            return kana.cell;
    return 0;
}

std::uint8_t shifted(std::string_view key, std::uint8_t shift) {
    return static_cast<std::uint8_t>(kanaCode(key) - shift);
}

// Every romaji syllable the converter knows, with its codes.
// A syllable followed by one more kana. Appending in place rather than with operator+, which
// GCC's optimiser misreads as an overlapping copy.
GameString followedBy(GameString syllable, char kana) {
    syllable.push_back(kana);
    return syllable;
}

std::map<std::string, GameString, std::less<>> buildSyllables() {
    std::map<std::string, GameString, std::less<>> syllables;
    auto add = [&syllables](std::string romaji, std::initializer_list<std::uint8_t> codes) {
        GameString text;
        for (std::uint8_t c : codes)
            text += static_cast<char>(c);
        syllables[std::move(romaji)] = text;
    };
    for (const Kana& kana : kanaCells)
        if (kana.key.size() <= 3 && kana.key != "n" && kana.key != "dot")
            add(std::string(kana.key), {kana.cell});

    // Voiced and semi-voiced syllables are their plain row's codes moved down.
    constexpr std::array<std::pair<std::string_view, std::string_view>, 21> voiced = {
        {{"ba", "ha"}, {"bi", "hi"}, {"bu", "fu"}, {"be", "he"}, {"bo", "ho"},   {"ga", "ka"},
         {"gi", "ki"}, {"gu", "ku"}, {"ge", "ke"}, {"go", "ko"}, {"za", "sa"},   {"ji", "shi"},
         {"zu", "su"}, {"ze", "se"}, {"zo", "so"}, {"da", "ta"}, {"dji", "chi"}, {"dzu", "tsu"},
         {"de", "te"}, {"do", "to"}, {"vu", "u"}}};
    for (const auto& [romaji, plain] : voiced)
        add(std::string(romaji), {shifted(plain, voicedShift)});
    constexpr std::array<std::pair<std::string_view, std::string_view>, 5> semiVoiced = {
        {{"pa", "ha"}, {"pi", "hi"}, {"pu", "fu"}, {"pe", "he"}, {"po", "ho"}}};
    for (const auto& [romaji, plain] : semiVoiced)
        add(std::string(romaji), {shifted(plain, semiVoicedShift)});

    // Contracted syllables: an i-syllable followed by a small ya, yu, yo (or e).
    const std::array<std::pair<std::string_view, GameString>, 11> contracted = {
        {{"ky", syllables["ki"]},
         {"gy", syllables["gi"]},
         {"sh", syllables["shi"]},
         {"j", syllables["ji"]},
         {"ch", syllables["chi"]},
         {"ny", syllables["ni"]},
         {"hy", syllables["hi"]},
         {"by", syllables["bi"]},
         {"py", syllables["pi"]},
         {"my", syllables["mi"]},
         {"ry", syllables["ri"]}}};
    for (const auto& [prefix, base] : contracted) {
        const std::string p(prefix);
        syllables[p + "a"] = followedBy(base, static_cast<char>(kanaCode("small-ya")));
        syllables[p + "u"] = followedBy(base, static_cast<char>(kanaCode("small-yu")));
        syllables[p + "o"] = followedBy(base, static_cast<char>(kanaCode("small-yo")));
        if (prefix == "sh" || prefix == "j" || prefix == "ch")
            syllables[p + "e"] = followedBy(base, static_cast<char>(kanaCode("small-e")));
    }

    // Loanword syllables: a base kana followed by a small vowel.
    const std::array<std::pair<std::string_view, std::string_view>, 4> smallVowels = {
        {{"a", "small-a"}, {"i", "small-i"}, {"e", "small-e"}, {"o", "small-o"}}};
    for (const auto& [vowel, small] : smallVowels) {
        const char smallCode = static_cast<char>(kanaCode(small));
        syllables[std::string("f").append(vowel)] = followedBy(syllables["fu"], smallCode);
        syllables[std::string("v").append(vowel)] = followedBy(syllables["vu"], smallCode);
        if (vowel == "i" || vowel == "e")
            syllables[std::string("w").append(vowel)] = followedBy(syllables["u"], smallCode);
    }
    syllables["ti"] = followedBy(syllables["te"], static_cast<char>(kanaCode("small-i")));
    syllables["di"] = followedBy(syllables["de"], static_cast<char>(kanaCode("small-i")));
    return syllables;
}

const std::map<std::string, GameString, std::less<>>& syllableTable() {
    static const auto table = buildSyllables();
    return table;
}

bool isVowel(char c) {
    return std::string_view("aiueo").find(c) != std::string_view::npos;
}

} // namespace

std::optional<std::uint8_t> demoCharacterCode(RomVariant release, char c) {
    const std::size_t upper = upperLetters.find(c);
    const std::size_t lower = lowerLetters.find(c);
    const std::size_t digit = digits.find(c);
    const std::size_t mark = punctuation.find(c);
    const auto code = [](std::size_t base, std::size_t n) {
        return static_cast<std::uint8_t>(base + n);
    };
    if (digit != std::string_view::npos)
        return digitCodeTable[variantIndex(release)][digit];
    if (mark != std::string_view::npos)
        return punctuationCodes[variantIndex(release)][mark];

    switch (release) {
    case RomVariant::SnesEnglish:
        if (upper != std::string_view::npos)
            return code(0x80, upper);
        if (lower != std::string_view::npos)
            return code(0x9A, lower);
        if (c == ' ')
            return spaceCodeSnes;
        break;
    case RomVariant::GbaEnglish:
        if (upper != std::string_view::npos)
            return gbaEnglishLetterCodes[upper];
        if (lower != std::string_view::npos)
            return gbaEnglishLetterCodes[lower];
        if (c == ' ')
            return spaceCodeGba;
        break;
    case RomVariant::SnesJapanese:
    case RomVariant::GbaJapanese:
        if (upper != std::string_view::npos)
            return code(0x20, upper);
        if (lower != std::string_view::npos)
            return code(0x20, lower);
        if (c == ' ')
            return spaceCodeSnes;
        break;
    }
    return std::nullopt;
}

std::optional<GameString> encodeDemoText(RomVariant release, std::string_view text) {
    GameString encoded;
    for (char c : text) {
        const auto code = demoCharacterCode(release, c);
        if (!code)
            return std::nullopt;
        encoded += static_cast<char>(*code);
    }
    return encoded;
}

std::optional<GameString> encodeDemoKana(std::string_view romaji) {
    const auto& syllables = syllableTable();
    GameString encoded;
    std::size_t i = 0;
    while (i < romaji.size()) {
        const char c = romaji[i];
        const char next = i + 1 < romaji.size() ? romaji[i + 1] : '\0';
        if (c == '\'') {
            ++i;
            continue;
        }
        if (c == '-') {
            encoded += static_cast<char>(kanaCode("long"));
            ++i;
            continue;
        }
        if (c == '.') {
            encoded += static_cast<char>(kanaCode("dot"));
            ++i;
            continue;
        }
        if (c == ' ' || c == '+' || c == '%' || digits.find(c) != std::string_view::npos) {
            encoded += static_cast<char>(*demoCharacterCode(RomVariant::SnesJapanese, c));
            ++i;
            continue;
        }
        if (c == 'n' && !isVowel(next) && next != 'y') {
            encoded += static_cast<char>(kanaCode("n"));
            ++i;
            continue;
        }
        if (c == next && c != 'n' && !isVowel(c)) {
            encoded += static_cast<char>(kanaCode("small-tsu"));
            ++i;
            continue;
        }
        bool matched = false;
        for (std::size_t length = 3; length >= 1 && !matched; --length) {
            if (i + length > romaji.size())
                continue;
            const auto found = syllables.find(romaji.substr(i, length));
            if (found != syllables.end()) {
                encoded += found->second;
                i += length;
                matched = true;
            }
        }
        if (!matched)
            return std::nullopt;
    }
    return encoded;
}

std::string_view demoKatakana(std::string_view kanaKey) {
    for (const Kana& kana : kanaCells)
        if (kana.key == kanaKey)
            return kana.katakana;
    return {};
}

std::vector<DemoGlyphAssignment> demoGlyphAssignments(RomVariant release) {
    std::vector<DemoGlyphAssignment> glyphs;
    auto assign = [&glyphs, release](std::string_view keys) {
        for (std::size_t n = 0; n < keys.size(); ++n)
            glyphs.push_back({*demoCharacterCode(release, keys[n]), keys.substr(n, 1), false});
    };
    assign(upperLetters);
    if (release == RomVariant::SnesEnglish)
        assign(lowerLetters);
    assign(digits);
    assign(punctuation);
    const bool gbaEnglish = release == RomVariant::GbaEnglish;
    glyphs.push_back({gbaEnglish ? spaceCodeGba : spaceCodeSnes, "space", false});
    if (isJapaneseVariant(release)) {
        for (const Kana& kana : kanaCells)
            glyphs.push_back({kana.cell, kana.key, true});
        glyphs.push_back({voicedMarkCell, "voiced-mark", true});
        glyphs.push_back({semiVoicedMarkCell, "semi-voiced-mark", true});
    }
    return glyphs;
}

} // namespace tarnwick
