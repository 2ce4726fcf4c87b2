#include "patch/Ips.h"

#include "PatchText.h"
#include "patch/PatchFormat.h"

#include <algorithm>
#include <vector>

namespace tarnwick {

namespace {

using patchdetail::byteCountText;
using patchdetail::hexText;

constexpr std::size_t magicLength = 5;

PatchResult damaged(const std::string& reason) {
    return PatchResult::failure("the patch is damaged: " + reason);
}

// Reads the patch front to back; every read checks that the bytes are there.
class IpsReader {
public:
    explicit IpsReader(std::span<const std::uint8_t> patchBytes) : patch(patchBytes) {}

    std::size_t position() const { return at; }
    std::size_t left() const { return patch.size() - at; }

    bool number(int bytes, std::size_t& value) {
        if (left() < static_cast<std::size_t>(bytes))
            return false;
        value = 0;
        for (int i = 0; i < bytes; ++i)
            value = value << 8 | patch[at++];
        return true;
    }

    std::span<const std::uint8_t> take(std::size_t count) {
        const std::span<const std::uint8_t> bytes = patch.subspan(at, count);
        at += count;
        return bytes;
    }

private:
    std::span<const std::uint8_t> patch;
    std::size_t at = magicLength;
};

// Makes room for count bytes at offset, lengthening the image with zeros when they lie past it.
std::span<std::uint8_t> placeFor(std::vector<std::uint8_t>& image, std::size_t offset,
                                 std::size_t count) {
    if (offset + count > image.size())
        image.resize(offset + count);
    return std::span<std::uint8_t>(image).subspan(offset, count);
}

} // namespace

PatchResult applyIps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch) {
    if (patchFormatOf(patch) != PatchFormat::Ips)
        return PatchResult::failure("the patch is no IPS patch: it does not start with \"PATCH\"");
    std::vector<std::uint8_t> image(source.begin(), source.end());
    IpsReader reader(patch);
    // Offsets have three bytes and sizes two, so no record reaches past 16 MiB and 64 KiB.
    while (true) {
        const std::size_t recordAt = reader.position();
        std::size_t offset = 0;
        if (!reader.number(3, offset))
            return damaged("it ends at byte " + hexText(recordAt) + " without \"EOF\"");
        if (offset == ipsEofOffset)
            break;
        const std::string record = "the record at byte " + hexText(recordAt);
        std::size_t size = 0;
        if (!reader.number(2, size))
            return damaged(record + " is cut short");
        if (size > 0) {
            if (reader.left() < size)
                return damaged(record + " has " + byteCountText(reader.left()) + " of its " +
                               byteCountText(size));
            const std::span<const std::uint8_t> bytes = reader.take(size);
            std::ranges::copy(bytes, placeFor(image, offset, size).begin());
            continue;
        }
        std::size_t count = 0;
        std::size_t value = 0;
        if (!reader.number(2, count) || !reader.number(1, value))
            return damaged(record + " is cut short");
        if (count == 0)
            return damaged(record + " repeats a byte no times");
        std::ranges::fill(placeFor(image, offset, count), static_cast<std::uint8_t>(value));
    }

    if (reader.left() == 0)
        return PatchResult::success(std::move(image));
    std::size_t length = 0;
    if (reader.left() != 3 || !reader.number(3, length))
        return damaged(byteCountText(reader.left()) + " follow \"EOF\", where only a 3-byte "
                                                      "length may");
    if (length > image.size())
        return damaged("the length after \"EOF\" (" + byteCountText(length) +
                       ") is longer than the image (" + byteCountText(image.size()) + ")");
    image.resize(length);
    return PatchResult::success(std::move(image));
}

std::optional<std::size_t> ipsCutLength(std::span<const std::uint8_t> patch) {
    if (patchFormatOf(patch) != PatchFormat::Ips)
        return std::nullopt;
    IpsReader reader(patch);
    std::size_t offset = 0;
    std::size_t size = 0;
    while (reader.number(3, offset) && offset != ipsEofOffset) {
        if (!reader.number(2, size))
            return std::nullopt;
        // A run record holds a count and a byte.
        const std::size_t skipped = size > 0 ? size : 3;
        if (reader.left() < skipped)
            return std::nullopt;
        reader.take(skipped);
    }
    std::size_t length = 0;
    if (offset != ipsEofOffset || reader.left() != 3 || !reader.number(3, length))
        return std::nullopt;
    return length;
}

} // namespace tarnwick
