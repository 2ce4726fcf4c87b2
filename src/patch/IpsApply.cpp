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

std::string damaged(const std::string& reason) {
    return "the patch is damaged: " + reason;
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

// An image held in memory, grown as records reach past its end.
class ImageInMemory : public IpsImage {
public:
    explicit ImageInMemory(std::vector<std::uint8_t>& bytes) : image(bytes) {}
    std::uint64_t length() const override { return image.size(); }
    void put(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
        std::ranges::copy(bytes, placeFor(offset, bytes.size()).begin());
    }
    void fill(std::uint64_t offset, std::size_t count, std::uint8_t value) override {
        std::ranges::fill(placeFor(offset, count), value);
    }
    void cut(std::uint64_t length) override { image.resize(static_cast<std::size_t>(length)); }

private:
    // Makes room for count bytes at offset, lengthening the image with zeros when they lie
    // past it.
    std::span<std::uint8_t> placeFor(std::uint64_t offset, std::size_t count) {
        const auto at = static_cast<std::size_t>(offset);
        if (at + count > image.size())
            image.resize(at + count);
        return std::span<std::uint8_t>(image).subspan(at, count);
    }

    std::vector<std::uint8_t>& image;
};

} // namespace

std::string applyIpsRecords(std::span<const std::uint8_t> patch, IpsImage& image) {
    if (patchFormatOf(patch) != PatchFormat::Ips)
        return "the patch is no IPS patch: it does not start with \"PATCH\"";
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
            image.put(offset, reader.take(size));
            continue;
        }
        std::size_t count = 0;
        std::size_t value = 0;
        if (!reader.number(2, count) || !reader.number(1, value))
            return damaged(record + " is cut short");
        if (count == 0)
            return damaged(record + " repeats a byte no times");
        image.fill(offset, count, static_cast<std::uint8_t>(value));
    }

    if (reader.left() == 0)
        return {};
    std::size_t length = 0;
    if (reader.left() != 3 || !reader.number(3, length))
        return damaged(byteCountText(reader.left()) + " follow \"EOF\", where only a 3-byte "
                                                      "length may");
    if (length > image.length())
        return damaged("the length after \"EOF\" (" + byteCountText(length) +
                       ") is longer than the image (" + byteCountText(image.length()) + ")");
    image.cut(length);
    return {};
}

PatchResult applyIps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch) {
    std::vector<std::uint8_t> bytes(source.begin(), source.end());
    ImageInMemory image(bytes);
    if (std::string problem = applyIpsRecords(patch, image); !problem.empty())
        return PatchResult::failure(std::move(problem));
    return PatchResult::success(std::move(bytes));
}

IpsImageStart::IpsImageStart(std::span<const std::uint8_t> fileStart, std::uint64_t fileLength,
                             std::size_t kept)
    : start(fileStart.begin(),
            fileStart.begin() + static_cast<std::ptrdiff_t>(std::min(fileStart.size(), kept))),
      imageLength(fileLength), keptLength(kept) {
    start.resize(static_cast<std::size_t>(std::min<std::uint64_t>(imageLength, keptLength)));
}

void IpsImageStart::grow(std::uint64_t end) {
    imageLength = std::max(imageLength, end);
    start.resize(static_cast<std::size_t>(std::min<std::uint64_t>(imageLength, keptLength)));
}

void IpsImageStart::put(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    grow(offset + bytes.size());
    if (offset < start.size())
        std::ranges::copy(bytes.first(std::min<std::size_t>(bytes.size(), start.size() - offset)),
                          start.begin() + static_cast<std::ptrdiff_t>(offset));
}

void IpsImageStart::fill(std::uint64_t offset, std::size_t count, std::uint8_t value) {
    grow(offset + count);
    if (offset < start.size())
        std::fill_n(start.begin() + static_cast<std::ptrdiff_t>(offset),
                    std::min<std::size_t>(count, start.size() - offset), value);
}

void IpsImageStart::cut(std::uint64_t length) {
    imageLength = std::min(imageLength, length);
    start.resize(static_cast<std::size_t>(std::min<std::uint64_t>(imageLength, keptLength)));
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
