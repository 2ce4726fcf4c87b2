// Feeds arbitrary bytes to patch making and applying. The first input byte picks what to do and
// the second where the rest splits into an image and a second part: the second part is a
// modified image to patch to and back, or a patch of either format to apply. BPS patches get
// checksums that match, so that their actions are run rather than refused at the door. The
// demo case applies the rest, as a patch, to a demo file as it lies on disk (copier header and
// all), as the programs apply a user's patch.
//
// Run with --write-seeds FOLDER, the fuzzer writes its seeds there and ends.
#include "PatchFuzzSeeds.h"
#include "demo/DemoImage.h"
#include "patch/Bps.h"
#include "patch/BpsNumber.h"
#include "patch/Crc32.h"
#include "patch/FilePatch.h"
#include "patch/Ips.h"
#include "patch/PatchFormat.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace {

using namespace tarnwick;
using Bytes = std::vector<std::uint8_t>;

void appendCrc(Bytes& bytes, std::uint32_t crc) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(crc >> shift));
}

// Patches from source to target in both formats must give target back.
void roundTrip(std::span<const std::uint8_t> source, std::span<const std::uint8_t> target) {
    for (const PatchFormat format : {PatchFormat::Bps, PatchFormat::Ips}) {
        const PatchResult patch = createPatch(format, source, target);
        if (!patch)
            __builtin_trap();
        const PatchResult applied = applyPatch(source, patch.bytes());
        if (!applied || !std::ranges::equal(applied.bytes(), target))
            __builtin_trap();
    }
}

// The source laid over with the second part at an offset the selector gives, and cut or
// lengthened: most of it unchanged, as an edited image is.
Bytes editedCopy(std::span<const std::uint8_t> source, std::span<const std::uint8_t> edits,
                 std::uint8_t selector) {
    Bytes target(source.begin(), source.end());
    const std::size_t at = source.empty() ? 0 : (selector * 37u) % source.size();
    if (target.size() < at + edits.size())
        target.resize(at + edits.size());
    std::copy(edits.begin(), edits.end(), target.begin() + static_cast<std::ptrdiff_t>(at));
    if ((selector & 0x80) != 0)
        target.resize(target.size() / 2);
    return target;
}

// "BPS1", the source's size, the fuzzed header rest and actions, and checksums that match the
// source and the patch.
Bytes sealedBps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> body) {
    Bytes patch = {'B', 'P', 'S', '1'};
    appendBpsNumber(patch, source.size());
    patch.insert(patch.end(), body.begin(), body.end());
    appendCrc(patch, crc32Of(source));
    appendCrc(patch, 0);
    appendCrc(patch, crc32Of(patch));
    return patch;
}

// A demo file as the demo case's selector picks it, built once.
const Bytes& demoFile(std::uint8_t selector) {
    static std::array<std::unique_ptr<Bytes>, 2 * releaseCount> files;
    const int choice = (selector / fuzz::patchCaseCount) % (2 * releaseCount);
    const auto release = static_cast<RomVariant>(choice % releaseCount);
    const bool header = choice >= releaseCount && !isGbaVariant(release);
    auto& file = files[static_cast<std::size_t>(choice)];
    if (!file)
        file = std::make_unique<Bytes>(buildDemoImage({release, header, 0}));
    return *file;
}

// Applies the bytes to the demo file as a patch. A changed BPS patch would fail its own
// checksum before its actions are read, so that checksum is made to match.
void applyToDemoFile(std::uint8_t selector, std::span<const std::uint8_t> bytes) {
    const Bytes& file = demoFile(selector);
    Bytes patch(bytes.begin(), bytes.end());
    if (patchFormatOf(patch) == PatchFormat::Bps && patch.size() >= 16) {
        patch.resize(patch.size() - 4);
        appendCrc(patch, crc32Of(patch));
    }
    (void)applyFilePatch(file, patch);
    if (patchFormatOf(patch) == PatchFormat::Ips)
        (void)ipsApplicationHeaderNote(file, patch);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (*argc == 3 && std::string_view((*argv)[1]) == "--write-seeds")
        std::exit(fuzz::writePatchSeeds((*argv)[2]) ? EXIT_SUCCESS : EXIT_FAILURE);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t length) {
    if (length < 2)
        return 0;
    const std::uint8_t selector = input[0];
    const std::span<const std::uint8_t> payload(input + 2, length - 2);
    const std::size_t split = payload.size() * input[1] / 255;
    const std::span<const std::uint8_t> source = payload.first(split);
    const std::span<const std::uint8_t> second = payload.subspan(split);

    switch (selector % fuzz::patchCaseCount) {
    case 0:
        roundTrip(source, second);
        break;
    case 1:
        roundTrip(source, editedCopy(source, second, selector));
        break;
    case 2:
        (void)applyPatch(source, second);
        break;
    case 3: {
        Bytes patch = {'P', 'A', 'T', 'C', 'H'};
        patch.insert(patch.end(), second.begin(), second.end());
        const PatchResult applied = applyIps(source, patch);
        // Followed from the first bytes alone, the patch does the same to them and the length.
        const auto kept = static_cast<std::size_t>(selector / fuzz::patchCaseCount);
        IpsImageStart start(source, source.size(), kept);
        if (applyIpsRecords(patch, start).empty() != applied.isOk())
            __builtin_trap();
        if (applied &&
            (start.length() != applied.bytes().size() ||
             !std::ranges::equal(
                 start.bytes(),
                 std::span(applied.bytes()).first(std::min(kept, applied.bytes().size())))))
            __builtin_trap();
        break;
    }
    case 4:
        (void)applyBps(source, sealedBps(source, second));
        break;
    case fuzz::demoPatchCase:
        applyToDemoFile(selector, payload);
        break;
    }
    return 0;
}
