// Cost of opening an editor as the main window's button does: building the dialog from its
// template, filling every list with names and showing the first record. The user waits for
// this on every click, so it should stay well under 50 ms.
#include "DemoDocuments.h"

#include "editors/EsperEditorDialog.h"
#include "editors/ShopEditorDialog.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tarnwick;

// Arguments: the release, and 1 to draw the whole dialog once as its first showing does.
template <typename Editor> void openEditor(benchmark::State& state) {
    const auto release = static_cast<RomVariant>(state.range(0));
    const bool draw = state.range(1) != 0;
    RomImage& rom = test::sharedDemoDocument(release);
    for (auto _ : state) {
        Editor editor(rom);
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

constexpr int gbaEnglish = variantIndex(RomVariant::GbaEnglish);
constexpr int gbaJapanese = variantIndex(RomVariant::GbaJapanese);
constexpr int snesEnglish = variantIndex(RomVariant::SnesEnglish);

BENCHMARK(openShopEditor)
    ->ArgsProduct({{gbaEnglish, gbaJapanese, snesEnglish}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(openEsperEditor)
    ->ArgsProduct({{gbaEnglish, gbaJapanese, snesEnglish}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

} // namespace
