// Painting cost of the game-text lists: every row of a long name list drawn from the font
// sheet, as the open list repaints it while the user scrolls. A frame is 16 ms.
#include "DemoDocuments.h"

#include "controls/NameComboBox.h"
#include "demo/DemoImage.h"
#include "demo/DemoTextFiles.h"
#include "graphics/GlyphSheets.h"
#include "rom/RomImage.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyleOptionViewItem>

#include <benchmark/benchmark.h>

namespace {

using namespace tarnwick;

// The longest list an editor fills: the item list with its extra GBA slots.
constexpr int listLength = 271;
constexpr int listWidth = 160;

RomImage& demoRom(RomVariant release) {
    return test::sharedDemoDocument(release);
}

// Arguments: the release (RomVariant) and the text zoom.
void paintNameList(benchmark::State& state) {
    const auto release = static_cast<RomVariant>(state.range(0));
    const RomImage& rom = demoRom(release);
    NameComboBox combo(rom);
    combo.setTextZoom(static_cast<int>(state.range(1)));
    for (int i = 0; i < listLength; ++i)
        combo.addGameItem(rom.monsterNames[static_cast<std::size_t>(i) % rom.monsterNames.size()]);
    combo.setCurrentItem(10);

    const int rowHeight = combo.rowHeight();
    QImage image(listWidth * combo.textZoom(), listLength * rowHeight, QImage::Format_RGB32);
    QAbstractItemDelegate* delegate = combo.view()->itemDelegate();
    QStyleOptionViewItem option;
    for (auto _ : state) {
        QPainter painter(&image);
        for (int row = 0; row < listLength; ++row) {
            option.rect = QRect(0, row * rowHeight, image.width(), rowHeight);
            option.state =
                QStyle::State_Enabled | (row == 20 ? QStyle::State_Selected : QStyle::State_None);
            delegate->paint(&painter, option, combo.model()->index(row, 0));
        }
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(std::string(releaseName(release)));
    state.counters["rows/s"] =
        benchmark::Counter(listLength, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(paintNameList)
    ->ArgsProduct({{0, 1, 2, 3}, {1}})
    ->Args({variantIndex(RomVariant::SnesJapanese), 2})
    ->Unit(benchmark::kMillisecond);

// Type-to-find in the longest list: the first letter typed into a freshly filled list reads
// every row's name into its search key (kana spelt in romaji) and finds the match; the typing
// that follows only compares keys. The reply to a keystroke should stay well inside a frame.
void findByTyping(benchmark::State& state) {
    const bool firstKey = state.range(0) == 0;
    RomImage& rom = demoRom(RomVariant::GbaJapanese);
    CharacterTable readings{};
    readCharacterTable(demoCharacterTable(RomVariant::GbaJapanese), readings);
    NameComboBox filled(rom);
    filled.setReadings(&readings);
    for (int i = 0; i < listLength; ++i)
        filled.addGameItem(rom.itemNames[static_cast<std::size_t>(i) % rom.itemNames.size()]);
    QAbstractItemModel& model = *filled.model();
    const auto search = [](QAbstractItemModel& searched) {
        return searched.match(searched.index(1, 0), Qt::DisplayRole, QStringLiteral("zz"), 1,
                              Qt::MatchStartsWith | Qt::MatchWrap);
    };
    search(model); // the romaji rules are loaded once per program run
    for (auto _ : state) {
        if (firstKey) {
            state.PauseTiming();
            const QString text = filled.itemText(0);
            filled.setItemText(0, QString()); // a changed row makes the keys be built afresh
            filled.setItemText(0, text);
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(search(model));
    }
    state.SetLabel(firstKey ? "first key" : "later keys");
}
BENCHMARK(findByTyping)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
