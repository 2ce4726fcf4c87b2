// Making and applying patches for the 8 MiB GBA English demo image with edits in every table,
// name area and sheet; and, as the worst case, a patch between two unrelated 8 MiB images.
// These time the formats alone, on images already in memory. What a user waits for is the
// command, which also starts, reads both files and writes its output durably, and applies an
// IPS patch to a copy of the image file rather than to one in memory as applyPatch does here:
// scripts/bench-process.sh times that.
#include "demo/DemoImage.h"
#include "patch/PatchFormat.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

using namespace tarnwick;
using Bytes = std::vector<std::uint8_t>;

constexpr RomVariant release = RomVariant::GbaEnglish;

const Bytes& original() {
    static const Bytes image = buildDemoImage({release, false, 0});
    return image;
}

// One byte in every 32 of each area changed, as a thorough edit of every table would.
const Bytes& edited() {
    static const Bytes image = [] {
        Bytes bytes = original();
        for (const DemoArea& area : demoImageAreas(release))
            for (std::uint64_t at = area.area.offset; at < area.area.end(); at += 32)
                bytes[at] ^= 0x21;
        return bytes;
    }();
    return image;
}

const Bytes& unrelated() {
    static const Bytes image = buildDemoImage({RomVariant::GbaJapanese, false, 0});
    return image;
}

PatchFormat formatArgument(const benchmark::State& state) {
    return state.range(0) == 0 ? PatchFormat::Bps : PatchFormat::Ips;
}

void createPatchForEdits(benchmark::State& state) {
    const PatchFormat format = formatArgument(state);
    std::size_t size = 0;
    for (auto _ : state) {
        const PatchResult patch = createPatch(format, original(), edited());
        if (!patch)
            state.SkipWithError(patch.message().c_str());
        size = patch.bytes().size();
        benchmark::DoNotOptimize(patch.bytes().data());
    }
    state.SetLabel(std::string(patchFormatName(format)) + ", " + std::to_string(size) + " bytes");
}

void applyPatchForEdits(benchmark::State& state) {
    const PatchFormat format = formatArgument(state);
    const PatchResult patch = createPatch(format, original(), edited());
    for (auto _ : state) {
        const PatchResult applied = applyPatch(original(), patch.bytes());
        if (!applied)
            state.SkipWithError(applied.message().c_str());
        benchmark::DoNotOptimize(applied.bytes().data());
    }
    state.SetLabel(std::string(patchFormatName(format)));
}

void createPatchBetweenUnrelatedImages(benchmark::State& state) {
    const PatchFormat format = formatArgument(state);
    std::size_t size = 0;
    for (auto _ : state) {
        const PatchResult patch = createPatch(format, original(), unrelated());
        size = patch.bytes().size();
        benchmark::DoNotOptimize(patch.bytes().data());
    }
    state.SetLabel(std::string(patchFormatName(format)) + ", " + std::to_string(size) + " bytes");
}

BENCHMARK(createPatchForEdits)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(applyPatchForEdits)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(createPatchBetweenUnrelatedImages)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

} // namespace
