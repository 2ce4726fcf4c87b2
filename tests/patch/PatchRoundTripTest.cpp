#include "PatchBytes.h"
#include "demo/DemoImage.h"
#include "patch/BpsNumber.h"
#include "patch/FilePatch.h"
#include "patch/ImageProper.h"
#include "patch/PatchFormat.h"
#include "rom/Releases.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tarnwick {
namespace {

using test::Bytes;
using test::bytesOf;

enum class Edit { Scattered, EveryArea, MovedBlock, Inserted, Longer, Shorter };

std::uint8_t differentByte(std::uint8_t byte, std::mt19937& random) {
    return static_cast<std::uint8_t>(byte ^ (random() | 1));
}

std::size_t anywhere(const Bytes& bytes, std::size_t room, std::mt19937& random) {
    return std::uniform_int_distribution<std::size_t>(0, bytes.size() - room)(random);
}

Bytes edited(Bytes image, RomVariant release, Edit edit, std::mt19937& random) {
    switch (edit) {
    case Edit::Scattered:
        for (int i = 0; i < 300; ++i) {
            std::uint8_t& byte = image[anywhere(image, 1, random)];
            byte = differentByte(byte, random);
        }
        break;
    case Edit::EveryArea:
        // A few bytes in every table, name area and sheet, and one area rewritten whole.
        for (const DemoArea& area : demoImageAreas(release)) {
            for (int i = 0; i < 4; ++i) {
                std::uint8_t& byte = image[area.area.offset + random() % area.area.length];
                byte = differentByte(byte, random);
            }
        }
        for (std::uint64_t at = demoImageAreas(release).front().area.offset,
                           end = at + demoImageAreas(release).front().area.length;
             at < end; ++at)
            image[at] = static_cast<std::uint8_t>(random());
        break;
    case Edit::MovedBlock: {
        const std::size_t from = anywhere(image, 0x4000, random);
        const std::size_t to = anywhere(image, 0x4000, random);
        const Bytes block(image.begin() + static_cast<std::ptrdiff_t>(from),
                          image.begin() + static_cast<std::ptrdiff_t>(from + 0x4000));
        std::copy(block.begin(), block.end(), image.begin() + static_cast<std::ptrdiff_t>(to));
        break;
    }
    case Edit::Inserted: {
        Bytes inserted(37);
        for (std::uint8_t& byte : inserted)
            byte = static_cast<std::uint8_t>(random());
        image.insert(image.begin() + static_cast<std::ptrdiff_t>(image.size() / 2),
                     inserted.begin(), inserted.end());
        break;
    }
    case Edit::Longer:
        image.resize(image.size() + 0x10000, 0xFF);
        for (int i = 0; i < 100; ++i)
            image.push_back(static_cast<std::uint8_t>(random()));
        break;
    case Edit::Shorter:
        image.resize(image.size() * 3 / 4);
        image[anywhere(image, 1, random)] ^= 0x10;
        break;
    }
    return image;
}

TEST(PatchRoundTrip, EditedDemoImagesComeBackByteForByteInBothFormats) {
    struct Case {
        const char* name;
        Edit edit;
        std::size_t largestBps; // 0: no bound
    };
    // The bounds hold only if unchanged, moved and repeated bytes are not given literally.
    const Case cases[] = {
        {"scattered bytes", Edit::Scattered, 300 * 6 + 40},
        {"every area", Edit::EveryArea, 0},
        {"a moved block", Edit::MovedBlock, 0x100},
        {"inserted bytes", Edit::Inserted, 0x100},
        {"a longer image", Edit::Longer, 0x100 + 100},
        {"a shorter image", Edit::Shorter, 0x40},
    };
    for (const RomVariant release : allReleases) {
        const Bytes original = buildDemoImage({release, false, 0});
        std::mt19937 random(static_cast<std::uint32_t>(variantIndex(release)));
        for (const Case& c : cases) {
            const Bytes modified = edited(original, release, c.edit, random);
            for (const PatchFormat format : {PatchFormat::Bps, PatchFormat::Ips}) {
                SCOPED_TRACE(std::string(releaseName(release)) + ", " + c.name + ", " +
                             std::string(patchFormatName(format)));
                const PatchResult patch = createPatch(format, original, modified);
                ASSERT_TRUE(patch) << patch.message();
                EXPECT_EQ(patchFormatOf(patch.bytes()), format);
                if (format == PatchFormat::Bps && c.largestBps > 0) {
                    EXPECT_LE(patch.bytes().size(), c.largestBps);
                }
                const PatchResult applied = applyPatch(original, patch.bytes());
                ASSERT_TRUE(applied) << applied.message();
                EXPECT_TRUE(applied.bytes() == modified);
            }
        }
    }
}

TEST(CopierHeader, IsWhatASnesFileHoldsPastWholeBanks) {
    struct Case {
        std::uint64_t fileLength;
        std::size_t header;
    };
    const Case cases[] = {
        {0, 0},
        {0x200, 0x200},
        {0x300000, 0},
        {0x300200, 0x200},
        // The document reads such a file with its tables moved by the odd bytes.
        {0x300100, 0x100},
        {0x300400, 0x400},
        {0x7F0200, 0x200},
        {0x7FFFFF, 0xFFFF},
        {0x800000, 0},
        {0x800200, 0},
        {0x1000200, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(copierHeaderLength(c.fileLength), c.header) << std::hex << c.fileLength;

    const Bytes headered = buildDemoImage({RomVariant::SnesJapanese, true, 0});
    const Bytes plain = buildDemoImage({RomVariant::SnesJapanese, false, 0});
    EXPECT_TRUE(std::ranges::equal(imageProper(headered), plain));
    EXPECT_TRUE(std::ranges::equal(imageProper(plain), plain));
}

TEST(FilePatch, BpsOfFilesOfAnyLengthKeepsEveryByteButACopierHeader) {
    struct Case {
        RomVariant release;
        bool headered;
        std::size_t modifiedLength;
        std::uint64_t sourceSize; // as the patch records it
    };
    const Case cases[] = {
        {RomVariant::SnesEnglish, false, 0x300000 + 0x100000 + 123, 0x300000},
        {RomVariant::SnesEnglish, false, 0x300000 - 300000, 0x300000},
        {RomVariant::SnesEnglish, true, 0x300200 + 0x8000, 0x300000},
        {RomVariant::GbaEnglish, false, 0x800000 - 300000, 0x800000},
        {RomVariant::GbaEnglish, false, 0x7F8200, 0x800000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.modifiedLength);
        const Bytes original = buildDemoImage({c.release, c.headered, 0});
        Bytes modified = original;
        modified.resize(c.modifiedLength, 0xA5);
        modified[0x1234] ^= 0xFF;
        const PatchResult patch = createFilePatch(PatchFormat::Bps, original, modified);
        ASSERT_TRUE(patch) << patch.message();
        std::size_t at = 4;
        EXPECT_EQ(readBpsNumber(patch.bytes(), at), c.sourceSize);
        const PatchResult applied = applyFilePatch(original, patch.bytes());
        ASSERT_TRUE(applied) << applied.message();
        EXPECT_TRUE(applied.bytes() == modified);
    }
}

} // namespace
} // namespace tarnwick
