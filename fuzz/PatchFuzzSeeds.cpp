#include "PatchFuzzSeeds.h"

#include "demo/DemoImage.h"
#include "io/AtomicFile.h"
#include "patch/FilePatch.h"

#include <cstdio>
#include <vector>

namespace tarnwick::fuzz {

namespace {

using Bytes = std::vector<std::uint8_t>;

enum class Change { Edited, Grown, Cut };

// The demo file with a few bytes of every area changed, and for the other changes grown or cut
// by lengths that are no whole number of banks.
Bytes changed(const Bytes& file, RomVariant release, std::uint64_t header, Change change) {
    Bytes result = file;
    for (const DemoArea& area : demoImageAreas(release))
        for (std::uint64_t k = 0; k < std::min<std::uint64_t>(area.area.length, 4); ++k)
            result[header + area.area.offset + k * 3] ^= static_cast<std::uint8_t>(0x5A + k);
    if (change == Change::Grown)
        result.resize(result.size() + 0x1000 + 123, 0xFF);
    if (change == Change::Cut)
        result.resize(result.size() - 300000);
    return result;
}

class SeedWriter {
public:
    explicit SeedWriter(std::string folderPath) : folder(std::move(folderPath)) {}

    void write(std::uint8_t selector, std::uint8_t split, const Bytes& body) {
        Bytes seed = {selector, split};
        seed.insert(seed.end(), body.begin(), body.end());
        const std::string path = folder + "/seed-" + std::to_string(count++);
        if (const Status status = writeWholeFile(path, seed, ExistingFile::Replace); !status) {
            std::fprintf(stderr, "%s\n", status.message().c_str());
            failed = true;
        }
    }

    // A seed for a case that splits the rest into first and second, with the split byte that
    // puts the split just after first; false when no split byte does.
    bool writeSplit(int patchCase, const Bytes& first, const Bytes& second) {
        const std::size_t total = first.size() + second.size();
        for (std::size_t split = 0; split < 256; ++split) {
            if (total * split / 255 == first.size()) {
                Bytes body = first;
                body.insert(body.end(), second.begin(), second.end());
                write(static_cast<std::uint8_t>(patchCase), static_cast<std::uint8_t>(split), body);
                return true;
            }
        }
        return false;
    }

    bool ok() const { return !failed; }

private:
    std::string folder;
    int count = 0;
    bool failed = false;
};

} // namespace

bool writePatchSeeds(const std::string& folder) {
    SeedWriter seeds(folder);
    for (const RomVariant release : allReleases) {
        for (const bool header : {false, true}) {
            if (header && isGbaVariant(release))
                continue;
            const Bytes file = buildDemoImage({release, header, 0});
            const std::uint64_t headerLength = header ? copierHeaderSize : 0;
            for (const Change change : {Change::Edited, Change::Grown, Change::Cut})
                for (const PatchFormat format : {PatchFormat::Bps, PatchFormat::Ips})
                    seeds.write(
                        demoPatchSelector(release, header), 0,
                        createFilePatch(format, file, changed(file, release, headerLength, change))
                            .bytes());
        }
        // Stretches of the tables' part of the image, and patches of them for the cases that
        // apply them; lengths are tried until the split byte can end the stretch exactly.
        const Bytes file = buildDemoImage({release, false, 0});
        const auto start = static_cast<std::ptrdiff_t>(demoImageAreas(release).front().area.offset);
        for (const PatchFormat format : {PatchFormat::Bps, PatchFormat::Ips}) {
            for (std::ptrdiff_t length = 600; length > 500; --length) {
                const Bytes stretch(file.begin() + start, file.begin() + start + length);
                Bytes edited = stretch;
                for (std::size_t k = 0; k < edited.size(); k += 50)
                    edited[k] ^= 0x33;
                edited.resize(edited.size() + 40, 0);
                if (seeds.writeSplit(2, stretch, createPatch(format, stretch, edited).bytes())) {
                    seeds.writeSplit(0, stretch, edited);
                    break;
                }
            }
        }
    }
    return seeds.ok();
}

} // namespace tarnwick::fuzz
