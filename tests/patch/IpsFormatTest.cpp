#include "../core/TestFiles.h"
#include "PatchBytes.h"
#include "patch/FilePatch.h"
#include "patch/Ips.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <random>
#include <string>

namespace tarnwick {
namespace {

using test::Bytes;
using test::bytesOf;
using test::operator+;

struct IpsRecord {
    std::size_t offset = 0;
    std::size_t size = 0; // bytes written
    bool run = false;
};

struct IpsParts {
    std::vector<IpsRecord> records;
    std::optional<std::size_t> cutTo;
};

// The records of a patch this program made, read independently of applyIps.
IpsParts partsOf(const Bytes& patch) {
    IpsParts parts;
    const auto number = [&patch](std::size_t at, int bytes) {
        std::size_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value = value << 8 | patch.at(at + static_cast<std::size_t>(i));
        return value;
    };
    std::size_t at = 5;
    while (number(at, 3) != ipsEofOffset) {
        IpsRecord record{number(at, 3), number(at + 3, 2), false};
        at += 5;
        if (record.size == 0) {
            record = {record.offset, number(at, 2), true};
            at += 3;
        } else {
            at += record.size;
        }
        parts.records.push_back(record);
    }
    at += 3;
    if (at + 3 == patch.size())
        parts.cutTo = number(at, 3);
    EXPECT_TRUE(at == patch.size() || parts.cutTo);
    return parts;
}

// Bytes without runs, so that only the runs a test makes are runs.
Bytes patterned(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 % 251);
    return bytes;
}

// Changes every byte of the stretch.
void randomise(Bytes& bytes, std::size_t start, std::size_t count) {
    std::mt19937 random(static_cast<std::uint32_t>(start + count));
    for (std::size_t i = start; i < start + count; ++i)
        bytes[i] ^= static_cast<std::uint8_t>(random() | 1);
}

TEST(Ips, CornerCasesRoundTripWithValidRecords) {
    struct Case {
        const char* name;
        std::size_t sourceSize;
        std::function<void(Bytes&)> edit;
        std::size_t largestPatch;
        std::function<void(const IpsParts&)> check;
    };
    constexpr std::size_t eof = ipsEofOffset;
    const auto noCheck = [](const IpsParts&) {};
    const Case cases[] = {
        {"a byte at the EOF offset", 0x460000, [](Bytes& b) { b[eof] ^= 0xFF; }, 20,
         [](const IpsParts& p) {
             ASSERT_EQ(p.records.size(), 1u);
             EXPECT_EQ(p.records[0].offset, eof - 1);
             EXPECT_EQ(p.records[0].size, 2u);
         }},
        {"a run from the EOF offset", 0x460000,
         [](Bytes& b) { std::fill_n(b.begin() + eof, 100, 0x77); }, 30, noCheck},
        {"a record split onto the EOF offset", 0x480000,
         [](Bytes& b) { randomise(b, eof - 0xFFFF, 0x20000); }, 0x20000 + 40, noCheck},
        {"a long run", 0x100000, [](Bytes& b) { std::fill_n(b.begin() + 0x1000, 0x30000, 0x55); },
         5 + 4 * 8 + 3,
         [](const IpsParts& p) {
             for (const IpsRecord& r : p.records)
                 EXPECT_TRUE(r.run);
         }},
        {"a record over 0xFFFF bytes", 0x100000, [](Bytes& b) { randomise(b, 0x2000, 0x12345); },
         0x12345 + 20, [](const IpsParts& p) { EXPECT_EQ(p.records.size(), 2u); }},
        {"nearby edits share a record", 0x1000,
         [](Bytes& b) {
             b[0x100] ^= 1;
             b[0x105] ^= 1;
         },
         5 + 5 + 6 + 3, [](const IpsParts& p) { EXPECT_EQ(p.records.size(), 1u); }},
        {"a shorter target", 0x400000,
         [](Bytes& b) {
             b.resize(0x300000);
             b[0x10] ^= 1;
         },
         20, [](const IpsParts& p) { EXPECT_EQ(p.cutTo, 0x300000u); }},
        {"an empty target", 0x1000, [](Bytes& b) { b.clear(); }, 11,
         [](const IpsParts& p) { EXPECT_EQ(p.cutTo, 0u); }},
        {"a longer target ending in zeros", 0x1000,
         [](Bytes& b) {
             b.resize(0x3000, 0);
             randomise(b, 0x1000, 0x1000);
         },
         0x1000 + 40, [](const IpsParts& p) { EXPECT_FALSE(p.cutTo); }},
        {"the last byte of 16 MiB", largestIpsImage, [](Bytes& b) { b.back() ^= 1; }, 20,
         [](const IpsParts& p) { EXPECT_EQ(p.records.at(0).offset, 0xFFFFFFu); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes source = patterned(c.sourceSize);
        Bytes target = source;
        c.edit(target);
        const PatchResult patch = createIps(source, target);
        ASSERT_TRUE(patch) << patch.message();
        EXPECT_LE(patch.bytes().size(), c.largestPatch);
        const IpsParts parts = partsOf(patch.bytes());
        for (const IpsRecord& record : parts.records) {
            EXPECT_NE(record.offset, eof);
            EXPECT_GE(record.size, 1u);
            EXPECT_LE(record.size, 0xFFFFu);
            EXPECT_LE(record.offset + record.size, target.size());
        }
        c.check(parts);
        const PatchResult applied = applyIps(source, patch.bytes());
        ASSERT_TRUE(applied) << applied.message();
        EXPECT_TRUE(applied.bytes() == target);
    }
}

TEST(Ips, RefusesImagesOver16MiB) {
    const Bytes small(0x100, 1);
    const Bytes large(largestIpsImage + 1, 1);
    for (const auto& [source, target, which] :
         {std::tuple{&large, &small, "original"}, std::tuple{&small, &large, "modified"}}) {
        const PatchResult patch = createIps(*source, *target);
        ASSERT_FALSE(patch);
        EXPECT_NE(patch.message().find("over 16 MiB"), std::string::npos) << patch.message();
        EXPECT_NE(patch.message().find(std::string("the ") + which + " image has 16777217 bytes"),
                  std::string::npos)
            << patch.message();
    }
}

TEST(Ips, AppliesRecordsPastTheEndAndCuts) {
    struct Case {
        const char* name;
        Bytes records; // between "PATCH" and the end
        Bytes expected;
    };
    const Case cases[] = {
        {"zeros before a record past the end", Bytes{0, 0, 6, 0, 1, 0xAA} + bytesOf("EOF"),
         bytesOf("abcd") + Bytes{0, 0, 0xAA}},
        {"a run past the end", Bytes{0, 0, 2, 0, 0, 0, 3, 0xBB} + bytesOf("EOF"),
         bytesOf("ab") + Bytes{0xBB, 0xBB, 0xBB}},
        {"a cut", bytesOf("EOF") + Bytes{0, 0, 1}, bytesOf("a")},
        {"a record across the bytes followed", Bytes{0, 0, 1, 0, 2, 'X', 'Y'} + bytesOf("EOF"),
         bytesOf("aXYd")},
    };
    // The same in memory, for the first two bytes and the length alone, and in a copy of a file.
    test::TempDir dir;
    const std::string file = dir.file("image");
    test::writeBytes(file, bytesOf("abcd"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes patch = bytesOf("PATCH") + c.records;
        const PatchResult applied = applyIps(bytesOf("abcd"), patch);
        ASSERT_TRUE(applied) << applied.message();
        EXPECT_EQ(applied.bytes(), c.expected);

        IpsImageStart start(bytesOf("abcd"), 4, 2);
        EXPECT_EQ(applyIpsRecords(patch, start), "");
        EXPECT_EQ(start.length(), c.expected.size());
        const std::size_t kept = std::min<std::size_t>(2, c.expected.size());
        EXPECT_TRUE(std::ranges::equal(start.bytes(), std::span(c.expected).first(kept)));

        const std::string out = dir.file("out");
        ASSERT_TRUE(writeIpsPatchedFile({file, 0, 4, {}}, patch, out, ExistingFile::Replace));
        EXPECT_EQ(test::readBytes(out), c.expected);
    }
}

TEST(Ips, RefusesMalformedPatchesSayingWhy) {
    struct Case {
        Bytes patch;
        std::string message;
    };
    const Bytes eof = bytesOf("EOF");
    const Case cases[] = {
        {bytesOf("PATCX") + eof, "does not start with \"PATCH\""},
        {bytesOf("PATCH"), "ends at byte 0x5 without \"EOF\""},
        {bytesOf("PATCH") + Bytes{0, 0, 0x10, 0}, "the record at byte 0x5 is cut short"},
        {bytesOf("PATCH") + Bytes{0, 0, 0x10, 0, 4, 0xAA}, "has 1 byte of its 4 bytes"},
        {bytesOf("PATCH") + Bytes{0, 0, 0x10, 0, 0, 0, 5}, "is cut short"},
        {bytesOf("PATCH") + Bytes{0, 0, 0x10, 0, 0, 0, 0, 0xAA} + eof, "repeats a byte no times"},
        {bytesOf("PATCH") + Bytes{0, 0, 0x10, 0, 1, 0xAA}, "without \"EOF\""},
        {bytesOf("PATCH") + eof + Bytes{0, 0}, "2 bytes follow \"EOF\""},
        {bytesOf("PATCH") + eof + Bytes{0, 0, 0, 0}, "4 bytes follow \"EOF\""},
        {bytesOf("PATCH") + eof + Bytes{0, 0, 5},
         "the length after \"EOF\" (5 bytes) is longer than the image (4 bytes)"},
    };
    // A copy of a file is made only for a patch that applies.
    test::TempDir dir;
    const std::string file = dir.file("image");
    test::writeBytes(file, bytesOf("abcd"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const PatchResult applied = applyIps(bytesOf("abcd"), c.patch);
        ASSERT_FALSE(applied);
        EXPECT_NE(applied.message().find(c.message), std::string::npos) << applied.message();
        const Status written =
            writeIpsPatchedFile({file, 0, 4, {}}, c.patch, dir.file("out"), ExistingFile::Refuse);
        EXPECT_NE(written.message().find(c.message), std::string::npos) << written.message();
        EXPECT_EQ(test::folderEntries(dir.path()).size(), 1u);
    }
}

} // namespace
} // namespace tarnwick
