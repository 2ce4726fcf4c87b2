#pragma once

#include "patch/PatchResult.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Patches in the IPS format: "PATCH", then records of a 3-byte big-endian offset and a 2-byte
// size followed by that many bytes, or by a 2-byte count and one byte to repeat when the size
// is 0; then "EOF", and optionally the 3-byte length to cut the result to.
namespace tarnwick {

// Three-byte offsets reach 16 MiB; longer images cannot be described.
inline constexpr std::uint64_t largestIpsImage = 0x1000000;
// A record cannot start here: its offset reads as "EOF", the end of the records.
inline constexpr std::uint32_t ipsEofOffset = 0x454F46;

// A patch that turns source into target. Refuses images over largestIpsImage bytes.
PatchResult createIps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> target);

// The image an IPS patch makes from source: records past the end lengthen it (with zeros
// before them), and a length after "EOF" cuts it. Refuses, saying why, a patch that ends inside
// a record or before "EOF", an empty run, bytes after "EOF" that are not a length, and a length
// that would lengthen the image.
PatchResult applyIps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch);

// The image that applyIpsRecords changes, wherever it is kept: in memory, in a file, or only
// its first bytes.
class IpsImage {
public:
    virtual ~IpsImage() = default;
    virtual std::uint64_t length() const = 0;
    // Puts bytes at offset; past the end the image grows, with zeros before them.
    virtual void put(std::uint64_t offset, std::span<const std::uint8_t> bytes) = 0;
    // Puts count bytes of value from offset on, as put does.
    virtual void fill(std::uint64_t offset, std::size_t count, std::uint8_t value) = 0;
    // Cuts the image to length bytes, never more than it has.
    virtual void cut(std::uint64_t length) = 0;
};

// Applies the records of an IPS patch to image, each checked before it is used. Returns why
// the patch cannot be applied, as applyIps says it, having changed the image up to the damage;
// empty when the whole patch was applied.
[[nodiscard]] std::string applyIpsRecords(std::span<const std::uint8_t> patch, IpsImage& image);

// The first bytes of an image and its length as an IPS patch changes them: what a patch makes
// of a file, and whether it applies at all, known without holding the whole file.
class IpsImageStart : public IpsImage {
public:
    // fileStart: the first bytes of a file of fileLength bytes, at least the first kept of them
    // (all of them for a shorter file). Of the result, the first kept bytes are followed.
    IpsImageStart(std::span<const std::uint8_t> fileStart, std::uint64_t fileLength,
                  std::size_t kept);
    std::span<const std::uint8_t> bytes() const { return start; }
    std::uint64_t length() const override { return imageLength; }
    void put(std::uint64_t offset, std::span<const std::uint8_t> bytes) override;
    void fill(std::uint64_t offset, std::size_t count, std::uint8_t value) override;
    void cut(std::uint64_t length) override;

private:
    // Past the end, the image grows with zeros; start keeps the first kept bytes of it.
    void grow(std::uint64_t end);

    std::vector<std::uint8_t> start;
    std::uint64_t imageLength;
    std::size_t keptLength;
};

// The length after "EOF" that a patch cuts its result to; nothing when it has none, or when the
// patch is damaged before it.
[[nodiscard]] std::optional<std::size_t> ipsCutLength(std::span<const std::uint8_t> patch);

} // namespace tarnwick
