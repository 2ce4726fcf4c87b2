// Rendering the font and palette sheets of each release's demo image: the work a Load or a
// switch of the Japanese option does before any list can paint a name.
#include "demo/DemoImage.h"
#include "graphics/GlyphSheets.h"
#include "rom/RomImage.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

namespace {

using namespace tarnwick;

// One document per release, holding its demo image as a load would leave it.
RomImage& demoDocument(RomVariant release) {
    static std::map<RomVariant, std::unique_ptr<RomImage>> documents;
    auto& document = documents[release];
    if (!document) {
        const std::vector<std::uint8_t> file = buildDemoImage({release, false, 0});
        document = std::make_unique<RomImage>();
        document->adoptFileBytes(file, file.size());
        document->settleRelease();
    }
    return *document;
}

RomVariant releaseArgument(const benchmark::State& state) {
    return static_cast<RomVariant>(state.range(0));
}

// Both sheets and the glyph table, returned as new pictures.
void renderSheets(benchmark::State& state) {
    const RomImage& rom = demoDocument(releaseArgument(state));
    for (auto _ : state) {
        GlyphSheets sheets = renderGlyphSheets(rom);
        benchmark::DoNotOptimize(sheets.fontSheet.pixels().data());
        benchmark::DoNotOptimize(sheets.paletteSheet.pixels().data());
    }
    state.SetLabel(std::string(releaseName(releaseArgument(state))));
}

// The same, stored into the document in place of the previous sheets.
void buildSheetsIntoDocument(benchmark::State& state) {
    RomImage& rom = demoDocument(releaseArgument(state));
    for (auto _ : state) {
        buildGlyphSheets(rom);
        benchmark::DoNotOptimize(rom.fontSheet.pixels().data());
    }
    state.SetLabel(std::string(releaseName(releaseArgument(state))));
}

BENCHMARK(renderSheets)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(buildSheetsIntoDocument)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

} // namespace
