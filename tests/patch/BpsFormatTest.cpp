#include "PatchBytes.h"
#include "patch/Bps.h"
#include "patch/BpsNumber.h"
#include "patch/Crc32.h"
#include "patch/PatchFormat.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnwick {
namespace {

using test::Bytes;
using test::bytesOf;
using test::littleEndian32;
using test::operator+;

TEST(BpsNumber, EncodesAndDecodesWorkedValues) {
    struct Case {
        std::uint64_t value;
        Bytes encoded;
    };
    // Worked by hand: seven bits a byte, the top bit closing, each later byte adding 1 << 7n.
    const Case cases[] = {
        {0, {0x80}},
        {1, {0x81}},
        {127, {0xFF}},
        {128, {0x00, 0x80}},
        {129, {0x01, 0x80}},
        {16511, {0x7F, 0xFF}},
        {16512, {0x00, 0x00, 0x80}},
        {2113663, {0x7F, 0x7F, 0xFF}},
        {2113664, {0x00, 0x00, 0x00, 0x80}},
        {0x800000, {0x00, 0x7F, 0x7E, 0x82}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        Bytes out;
        appendBpsNumber(out, c.value);
        EXPECT_EQ(out, c.encoded);
        EXPECT_EQ(bpsNumberLength(c.value), c.encoded.size());
        std::size_t position = 0;
        EXPECT_EQ(readBpsNumber(c.encoded, position), c.value);
        EXPECT_EQ(position, c.encoded.size());
    }
}

TEST(Crc32, MatchesPublishedCheckValues) {
    const std::pair<std::string, std::uint32_t> cases[] = {
        {"", 0x00000000},
        {"a", 0xE8B7BE43},
        {"123456789", 0xCBF43926},
        {"The quick brown fox jumps over the lazy dog", 0x414FA339},
    };
    for (const auto& [text, crc] : cases)
        EXPECT_EQ(crc32Of(bytesOf(text)), crc) << text;
}

// A 200-byte source and the same with byte 100 changed; its patch worked out by hand.
Bytes countingBytes() {
    Bytes bytes(200);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i);
    return bytes;
}

TEST(Bps, CreatesTheExpectedBytesForOneChangedByte) {
    const Bytes source = countingBytes();
    Bytes target = source;
    target[100] = 0xFF;
    const Bytes expected = bytesOf("BPS1") +
                           Bytes{0x48, 0x80, 0x48, 0x80, 0x80, // sizes 200 and 200, no metadata
                                 0x0C, 0x82,                   // SourceRead 100
                                 0x81, 0xFF,                   // TargetRead 1: 0xFF
                                 0x08, 0x82} +                 // SourceRead 99
                           littleEndian32(0xED086180) +
                           littleEndian32(0x273EE278) + littleEndian32(0x13CC02CE);
    const PatchResult patch = createBps(source, target);
    ASSERT_TRUE(patch) << patch.message();
    EXPECT_EQ(patch.bytes(), expected);
    const PatchResult applied = applyBps(source, expected);
    ASSERT_TRUE(applied) << applied.message();
    EXPECT_EQ(applied.bytes(), target);
}

// "ABCDEFGH" to "ABxyzFGHCDDDDD" through all four actions, written by hand.
const Bytes handSource = bytesOf("ABCDEFGH");
const Bytes handTarget = bytesOf("ABxyzFGHCDDDDD");
const Bytes handActions = {
    0x84,                 // SourceRead 2: AB
    0x89, 'x',  'y', 'z', // TargetRead 3
    0x8A, 0x8A,           // SourceCopy 3 from +5: FGH
    0x86, 0x8D,           // SourceCopy 2 from -6 (back to 2): CD
    0x8F, 0x92,           // TargetCopy 4 from +9, overlapping itself: DDDD
};

// A patch around the given actions with checksums that match, so that only the actions are
// at fault.
Bytes sealed(std::uint64_t sourceSize, std::uint64_t targetSize, const Bytes& actions,
             std::uint32_t targetCrc = crc32Of(handTarget)) {
    Bytes patch = bytesOf("BPS1");
    appendBpsNumber(patch, sourceSize);
    appendBpsNumber(patch, targetSize);
    appendBpsNumber(patch, 0);
    patch = patch + actions + littleEndian32(crc32Of(handSource)) + littleEndian32(targetCrc);
    return patch + littleEndian32(crc32Of(patch));
}

// body with zero source and target CRCs and the patch CRC that matches.
Bytes withChecksums(const Bytes& body) {
    const Bytes patch = body + littleEndian32(0) + littleEndian32(0);
    return patch + littleEndian32(crc32Of(patch));
}

TEST(Bps, AppliesAHandWrittenPatchUsingEveryAction) {
    const Bytes patch = bytesOf("BPS1") + Bytes{0x88, 0x8E, 0x80} + handActions +
                        littleEndian32(0x68DCB61C) + littleEndian32(0xCD542C5F) +
                        littleEndian32(0x8A74A018);
    EXPECT_EQ(sealed(8, 14, handActions), patch);
    const PatchResult applied = applyBps(handSource, patch);
    ASSERT_TRUE(applied) << applied.message();
    EXPECT_EQ(applied.bytes(), handTarget);
}

TEST(Bps, RefusesMalformedPatchesAndOtherImagesSayingWhy) {
    struct Case {
        const char* name;
        Bytes source;
        Bytes patch;
        std::string message;
    };
    const Bytes good = sealed(8, 14, handActions);
    Bytes damagedByte = good;
    damagedByte[8] ^= 1;
    const Case cases[] = {
        {"other magic", handSource, bytesOf("BPS2") + good, "does not start with \"BPS1\""},
        {"too short", handSource, bytesOf("BPS1") + Bytes(10, 0x80), "too short"},
        {"damaged", handSource, damagedByte, "records the CRC32 0x"},
        {"other size", bytesOf("ABCDEFG"), good, "expects 8 bytes, the image has 7 bytes"},
        {"other image", bytesOf("ABCDEFGX"), good, "expects the CRC32 0x"},
        {"header cut", handSource, withChecksums(bytesOf("BPS1") + Bytes{0x08, 0x0E, 0x00}),
         "header is cut short"},
        {"metadata too long", handSource,
         withChecksums(bytesOf("BPS1") + Bytes{0x88, 0x8E, 0x90} + handActions),
         "metadata runs past"},
        {"action cut", handSource, sealed(8, 14, {0x84, 0x09}), "byte 0x8 is cut short"},
        {"past the target", handSource, sealed(8, 14, {0xBC}), "writes past the end of the 14"},
        {"past the source", handSource, sealed(8, 14, {0xA4}), "reads past the end of the source"},
        {"literal runs on", handSource, sealed(8, 14, {0x89, 'x'}), "runs into the checksums"},
        {"source copy before the start", handSource, sealed(8, 14, {0x82, 0x83}),
         "copies from outside the source"},
        {"source copy past the end", handSource, sealed(8, 14, {0x86, 0x8E}),
         "copies from outside the source"},
        {"copy offset cut", handSource, sealed(8, 14, {0x86}), "is cut short"},
        {"target copy of nothing", handSource, sealed(8, 14, {0x83, 0x80}),
         "copies from a part of the result not yet made"},
        {"target copy ahead", handSource, sealed(8, 14, {0x84, 0x83, 0x84}), "not yet made"},
        {"too few bytes", handSource, sealed(8, 14, {0x84}),
         "its actions make 2 bytes of the 14 bytes"},
        {"other result", handSource, sealed(8, 14, handActions, 0x12345678),
         "the patched image is not the one the patch was made to give"},
        {"huge result", handSource, sealed(8, largestPatchResult + 1, {0x84}), "more than the"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PatchResult result = applyBps(c.source, c.patch);
        ASSERT_FALSE(result);
        EXPECT_NE(result.message().find(c.message), std::string::npos) << result.message();
        EXPECT_TRUE(result.bytes().empty());
    }
}

} // namespace
} // namespace tarnwick
