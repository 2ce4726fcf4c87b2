// Cost of Tools > Check Image looking again after an edit: every rule over every table, the
// names of the records found and the list filled and sized. It runs after every keystroke
// while the list is open, so it should stay well under a frame (16 ms).
#include "DemoDocuments.h"

#include "app/CheckImageDialog.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tarnwick;

void refreshCheckList(benchmark::State& state) {
    const auto release = static_cast<RomVariant>(state.range(0));
    const RomImage& rom = test::sharedDemoDocument(release);
    const CharacterTable readings = builtInCharacterTable(release);
    CheckImageDialog list(rom, readings);
    for (auto _ : state)
        list.refresh();
    state.counters["rows"] = list.shownCount();
    state.SetLabel(std::string(releaseName(release)));
}
BENCHMARK(refreshCheckList)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
