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

TEST(FilePatch, IpsRefusesFilesThatDifferInTheirCopierHeader) {
    const PatchResult made = createFilePatch(PatchFormat::Ips, snesFile(true), snesFile(false));
    ASSERT_FALSE(made.isOk());
    EXPECT_NE(made.message().find("the original has a 512-byte copier header where the modified "
                                  "image has no copier header"),
              std::string::npos)
        << made.message();
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
