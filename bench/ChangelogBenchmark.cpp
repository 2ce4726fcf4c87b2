// The cost of writing a mod's changelog: two images of a release differing in every record of
// every table, each line naming its values through the character table.
#include "demo/DemoImage.h"
#include "demo/DemoTextFiles.h"
#include "graphics/Changelog.h"
#include "rom/RecordTables.h"
#include "rom/RomImage.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>

namespace {

using namespace tarnwick;

void changelogOfEveryRecordChanged(benchmark::State& state) {
    const auto release = static_cast<RomVariant>(state.range(0));
    RomImage original;
    if (!openDemoImage(original, {release}))
        std::abort();
    RomImage modified = original;
    // One more in the first and last byte of every record: every table changes everywhere.
    for (const TableBinding& binding : recordTables())
        for (Record& record : binding.records(modified)) {
            record.front() = (record.front() + 1) & 0xFF;
            record[4] = (record[4] + 1) & 0xFF;
        }
    modified.gpMultiplier += 1;
    CharacterTable readings = builtInCharacterTable(release);
    readCharacterTable(demoCharacterTable(release), readings);
    std::size_t lines = 0;
    for (auto _ : state) {
        const std::string text =
            changelogText(changelog(original, modified, readings), ChangelogStyle::Markdown);
        lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(changelogOfEveryRecordChanged)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
