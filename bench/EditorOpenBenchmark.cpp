// Cost of opening an editor as the main window's button does: building the dialog from its
// template, filling every list with names and showing the first record, and with "drawn" the
// first painting of the whole dialog. Not included, though the user waits for them too: the
// reading of the user's text files that precedes every opening, the window system's making of
// the dialog's window, and what only the first opening in a session pays (the fonts and styles
// its controls are the first to use), which the repeated iterations have behind them. The user
// waits for this on every click, so it should stay well under 50 ms. Changing an animation
// number reloads the whole record while the user types, so that should stay under a few
// milliseconds.
#include "DemoDocuments.h"

#include "controls/DialogTemplate.h"
#include "editors/AnimString14Dialog.h"
#include "editors/AnimString8Dialog.h"
#include "editors/EsperEditorDialog.h"
#include "editors/ShopEditorDialog.h"
#include "resources/AnimTemplates.h"
#include "rom/EditHistory.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

using namespace tarnwick;

// Arguments: the release, and 1 to draw the whole dialog once as its first showing does.
template <typename Editor> void openEditor(benchmark::State& state) {
    const auto release = static_cast<RomVariant>(state.range(0));
    const bool draw = state.range(1) != 0;
    RomImage& rom = test::sharedDemoDocument(release);
    EditHistory history;
    for (auto _ : state) {
        Editor editor(rom, history);
        if (draw)
            benchmark::DoNotOptimize(editor.grab());
        benchmark::DoNotOptimize(&editor);
    }
    state.SetLabel(std::string(releaseName(release)) + (draw ? ", drawn" : ""));
}

void openShopEditor(benchmark::State& state) {
    openEditor<ShopEditorDialog>(state);
}
void openEsperEditor(benchmark::State& state) {
    openEditor<EsperEditorDialog>(state);
}

void openAnim8Editor(benchmark::State& state) {
    openEditor<AnimString8Dialog>(state);
}
void openAnim14Editor(benchmark::State& state) {
    openEditor<AnimString14Dialog>(state);
}

// One keystroke into animation 1's "Index:" field of an open 15-byte editor: the number is
// stored and the whole record shown again, as after every number the user types.
void changeAnimationNumber(benchmark::State& state) {
    const auto release = static_cast<RomVariant>(state.range(0));
    RomImage& rom = test::sharedDemoDocument(release);
    const Record saved = rom.anim14Table[0];
    EditHistory history;
    AnimString14Dialog editor(rom, history);
    editor.show();
    QLineEdit* field = nullptr;
    for (QLineEdit* edit : editor.findChildren<QLineEdit*>())
        if (edit->property(controlIdProperty).toInt() == anim14Control::numberFields[0])
            field = edit;
    int digit = 0;
    for (auto _ : state) {
        field->selectAll();
        digit = (digit + 1) % 10;
        QKeyEvent key(QEvent::KeyPress, Qt::Key_0 + digit, Qt::NoModifier, QString::number(digit));
        QCoreApplication::sendEvent(field, &key);
    }
    if (rom.anim14Table[0][0] != digit)
        state.SkipWithError("the keystroke did not reach the record");
    rom.anim14Table[0] = saved;
    state.SetLabel(std::string(releaseName(release)));
}

constexpr int gbaEnglish = variantIndex(RomVariant::GbaEnglish);
constexpr int gbaJapanese = variantIndex(RomVariant::GbaJapanese);
constexpr int snesEnglish = variantIndex(RomVariant::SnesEnglish);

BENCHMARK(openShopEditor)
    ->ArgsProduct({{gbaEnglish, gbaJapanese, snesEnglish}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(openEsperEditor)
    ->ArgsProduct({{gbaEnglish, gbaJapanese, snesEnglish}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

BENCHMARK(openAnim8Editor)
    ->ArgsProduct({{gbaEnglish, snesEnglish}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(openAnim14Editor)
    ->ArgsProduct({{gbaEnglish, gbaJapanese, snesEnglish}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(changeAnimationNumber)->Arg(gbaEnglish)->Arg(gbaJapanese)->Unit(benchmark::kMicrosecond);

} // namespace
