// Loading an image (read, settle the release, check its size, parse every table and name)
// against a plain read of the same file into memory. The file is in the page cache from the
// second iteration on, as a file just written or opened before is; a cold read from disk is not
// timed. The process start-up the command line adds is timed by scripts/bench-process.sh.
#include "demo/DemoImage.h"
#include "rom/RomImage.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

using namespace tarnwick;

// One demo file per release, written once and removed at exit.
const std::string& demoFile(RomVariant release) {
    static std::map<RomVariant, std::string> files;
    static struct Cleanup {
        ~Cleanup() {
            for (const auto& [release, path] : files)
                std::filesystem::remove(path);
        }
    } cleanup;
    auto [it, added] = files.try_emplace(release);
    if (added) {
        it->second = (std::filesystem::temp_directory_path() /
                      ("tarnwick-bench-" + std::string(releaseKey(release)) + ".bin"))
                         .string();
        if (!writeDemoImage({release, false, 0}, it->second, ExistingFile::Replace))
            std::abort();
    }
    return it->second;
}

RomVariant releaseArgument(const benchmark::State& state) {
    return static_cast<RomVariant>(state.range(0));
}

void plainRead(benchmark::State& state) {
    const std::string& path = demoFile(releaseArgument(state));
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary | std::ios::ate);
        std::vector<char> bytes(static_cast<std::size_t>(in.tellg()));
        in.seekg(0);
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetLabel(std::string(releaseName(releaseArgument(state))));
}

void loadAndParse(benchmark::State& state) {
    const std::string& path = demoFile(releaseArgument(state));
    for (auto _ : state) {
        RomImage rom;
        if (!loadRom(rom, path))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(rom.itemNames.data());
    }
    state.SetLabel(std::string(releaseName(releaseArgument(state))));
}

BENCHMARK(plainRead)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(loadAndParse)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

} // namespace
