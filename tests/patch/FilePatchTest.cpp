#include "patch/FilePatch.h"
#include "PatchBytes.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

using test::Bytes;
using test::bytesOf;
using test::operator+;

constexpr std::size_t bank = 0x10000;
constexpr std::size_t header = 0x200;

Bytes snesFile(bool withHeader) {
    Bytes file(bank * 2 + (withHeader ? header : 0));
    for (std::size_t i = 0; i < file.size(); ++i)
        file[i] = static_cast<std::uint8_t>(i * 7);
    return file;
}

// "PATCH", one record writing AB CD at file offset 0x000210, "EOF": written by hand, as another
// tool would write it for the bytes at 0x210 of the file on disk.
const Bytes handWrittenIps =
    bytesOf("PATCH") + Bytes{0x00, 0x02, 0x10, 0x00, 0x02, 0xAB, 0xCD} + bytesOf("EOF");

TEST(FilePatch, IpsAddressesTheFileAsItLiesOnDiskWithOrWithoutCopierHeader) {
    for (const bool withHeader : {false, true}) {
        SCOPED_TRACE(withHeader);
        const Bytes file = snesFile(withHeader);
        PatchResult patched = applyFilePatch(file, handWrittenIps);
        ASSERT_TRUE(patched.isOk()) << patched.message();
        Bytes expected = file;
        expected[0x210] = 0xAB;
        expected[0x211] = 0xCD;
        EXPECT_EQ(patched.bytes(), expected);

        // Made from the same two files, the patch is the hand-written one.
        const PatchResult made = createFilePatch(PatchFormat::Ips, file, expected);
        ASSERT_TRUE(made.isOk()) << made.message();
        EXPECT_EQ(made.bytes(), handWrittenIps);
    }
}

TEST(FilePatch, IpsBetweenFilesThatDifferInTheirCopierHeaderRewritesEveryByte) {
    const PatchResult made = createFilePatch(PatchFormat::Ips, snesFile(true), snesFile(false));
    ASSERT_TRUE(made.isOk()) << made.message();
    EXPECT_EQ(applyFilePatch(snesFile(true), made.bytes()).bytes(), snesFile(false));
    EXPECT_NE(ipsCreationHeaderNote(snesFile(true), snesFile(false)).find("takes the header off"),
              std::string::npos);
}

Bytes ipsRun(std::size_t offset, std::size_t count, std::uint8_t value) {
    return {static_cast<std::uint8_t>(offset >> 16),
            static_cast<std::uint8_t>(offset >> 8),
            static_cast<std::uint8_t>(offset),
            0,
            0,
            static_cast<std::uint8_t>(count >> 8),
            static_cast<std::uint8_t>(count),
            value};
}

TEST(FilePatch, IpsOfGrownCutAndHeaderedFilesIsTheOneAnotherToolWrites) {
    const Bytes plain = snesFile(false);
    Bytes cut(plain.begin(), plain.begin() + 0x1B6A3);
    cut[0x1234] = 0x5A;
    const Bytes grownHeadered = snesFile(true) + Bytes(123, 0xEE);
    struct Case {
        const char* name;
        Bytes original, modified, patch;
    };
    const Case cases[] = {
        {"grown by 0x1007B bytes", plain, plain + Bytes(0x1007B, 0xEE),
         bytesOf("PATCH") + ipsRun(0x20000, 0xFFFF, 0xEE) + ipsRun(0x2FFFF, 0x7C, 0xEE) +
             bytesOf("EOF")},
        {"cut to 0x1B6A3 bytes", plain, cut,
         bytesOf("PATCH") + Bytes{0x00, 0x12, 0x34, 0x00, 0x01, 0x5A} + bytesOf("EOF") +
             Bytes{0x01, 0xB6, 0xA3}},
        {"headered, cut from an odd length", grownHeadered, snesFile(true),
         bytesOf("PATCH") + bytesOf("EOF") + Bytes{0x02, 0x02, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(createFilePatch(PatchFormat::Ips, c.original, c.modified).bytes(), c.patch);
        EXPECT_EQ(applyFilePatch(c.original, c.patch).bytes(), c.modified);
    }
}

TEST(FilePatch, IpsHeaderNoteSaysWhichWayTheBytesWouldBeOff) {
    const Bytes noCut = bytesOf("PATCHEOF");
    const std::pair<Bytes, Bytes> cases[] = {
        {snesFile(false), noCut},
        {snesFile(true), noCut},
        {snesFile(false), noCut + Bytes{0x02, 0x02, 0x00}},
        {snesFile(true), noCut + Bytes{0x01, 0x80, 0x00}},
        {Bytes(0x800200), noCut},
    };
    const char* expected[] = {"512 bytes late", "512 bytes early",
                              "cuts the image to 131584 "
                              "bytes, the length of a copy with a 512-byte copier header, which "
                              "the image lacks: made on such a copy, its bytes land 512 bytes "
                              "late",
                              "without the 512-byte copier header the image has: made on "
                              "such a copy, its bytes land 512 bytes early",
                              ""};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const std::string note = ipsApplicationHeaderNote(cases[i].first, cases[i].second);
        EXPECT_NE(note.find(expected[i]), std::string::npos) << note;
        EXPECT_EQ(note.empty(), *expected[i] == 0) << note;
    }
}

TEST(FilePatch, BpsDescribesTheImageProperAndKeepsTheHeaderOfTheFileItIsAppliedTo) {
    const Bytes headered = snesFile(true);
    Bytes modified = snesFile(false);
    modified[0x1234] ^= 0xFF;
    const PatchResult made = createFilePatch(PatchFormat::Bps, headered, modified);
    ASSERT_TRUE(made.isOk()) << made.message();

    const PatchResult onHeadered = applyFilePatch(headered, made.bytes());
    ASSERT_TRUE(onHeadered.isOk()) << onHeadered.message();
    EXPECT_EQ(onHeadered.bytes(), Bytes(headered.begin(), headered.begin() + header) + modified);
    const PatchResult onPlain = applyFilePatch(snesFile(false), made.bytes());
    ASSERT_TRUE(onPlain.isOk()) << onPlain.message();
    EXPECT_EQ(onPlain.bytes(), modified);

    // A failure on a headered file says that the header was left out.
    const PatchResult wrong = applyFilePatch(modified + Bytes(header), made.bytes());
    ASSERT_FALSE(wrong.isOk());
    EXPECT_NE(wrong.message().find("copier header was left out"), std::string::npos);
}

} // namespace
} // namespace tarnwick
