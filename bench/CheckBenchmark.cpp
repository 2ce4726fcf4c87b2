// The cost of checking a whole image for the mistakes a mod makes: every rule over every table,
// as a build script or the check list after each edit runs it.
#include "demo/DemoImage.h"
#include "rom/ImageCheck.h"
#include "rom/RomImage.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace tarnwick;

void checkWholeImage(benchmark::State& state) {
    RomImage rom;
    if (!openDemoImage(rom, {static_cast<RomVariant>(state.range(0))}))
        std::abort();
    std::size_t findings = 0;
    for (auto _ : state) {
        const std::vector<Finding> found = checkImage(rom);
        findings = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(checkWholeImage)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
