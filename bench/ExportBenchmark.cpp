// The tables as JSON: as the text that tarnwick-cli export and File > Export Tables write, and
// as the object the text reads back as (labels read through the built-in character table).
#include "DemoDocuments.h"
#include "tables/TablesJson.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tarnwick;

void exportObject(benchmark::State& state) {
    const auto release = static_cast<RomVariant>(state.range(0));
    const RomImage& rom = test::sharedDemoDocument(release);
    const CharacterTable readings = builtInCharacterTable(release);
    for (auto _ : state)
        benchmark::DoNotOptimize(exportTables(rom, readings));
    state.SetLabel(std::string(releaseName(release)));
}

void exportText(benchmark::State& state) {
    const auto release = static_cast<RomVariant>(state.range(0));
    const RomImage& rom = test::sharedDemoDocument(release);
    const CharacterTable readings = builtInCharacterTable(release);
    for (auto _ : state)
        benchmark::DoNotOptimize(exportTablesText(rom, readings));
    state.SetLabel(std::string(releaseName(release)));
}

BENCHMARK(exportObject)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(exportText)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace
