// The tables as JSON: as the text that tarnwick-cli export and File > Export Tables write, and
// as the object the text reads back as (labels read through the built-in character table).
#include "DemoDocuments.h"
#include "tables/TablesJson.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tarnwick;

// The export as a JSON object (exportTables) or as the text a file gets (exportTablesText).
template <auto exportAs> void exportBenchmark(benchmark::State& state) {
    const auto release = static_cast<RomVariant>(state.range(0));
    const RomImage& rom = test::sharedDemoDocument(release);
    const CharacterTable readings = builtInCharacterTable(release);
    for (auto _ : state)
        benchmark::DoNotOptimize(exportAs(rom, readings));
    state.SetLabel(std::string(releaseName(release)));
}

BENCHMARK(exportBenchmark<exportTables>)
    ->Name("exportObject")
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(exportBenchmark<exportTablesText>)
    ->Name("exportText")
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond);

} // namespace
