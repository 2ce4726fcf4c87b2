#include "patch/Ips.h"

#include "ByteMatch.h"
#include "PatchText.h"

#include <algorithm>
#include <vector>

namespace tarnwick {

namespace {

using patchdetail::matchLength;

constexpr std::size_t largestRecord = 0xFFFF;
// A record's offset and size: the cost of starting a record rather than carrying on with one.
constexpr std::size_t recordHeader = 5;
// A run record: header, count and the byte.
constexpr std::size_t runRecord = recordHeader + 3;

// Writes the records that turn source into target: one per stretch of changed bytes, where
// stretches closer than a record header are joined, and runs that cost less as a run record
// split out.
class IpsEncoder {
public:
    IpsEncoder(std::span<const std::uint8_t> sourceBytes, std::span<const std::uint8_t> targetBytes)
        : source(sourceBytes), target(targetBytes),
          common(std::min(sourceBytes.size(), targetBytes.size())) {}

    std::vector<std::uint8_t> encode() {
        out.reserve(1024 + target.size() / 64);
        out.insert(out.end(), {'P', 'A', 'T', 'C', 'H'});
        std::size_t position = 0;
        while (position < target.size()) {
            position += unchangedFrom(position);
            if (position >= target.size())
                break;
            const std::size_t end = changedStretchEnd(position);
            putStretch(position, end);
            position = end;
        }
        out.insert(out.end(), {'E', 'O', 'F'});
        // A shorter target: the length to cut the result to.
        if (target.size() < source.size())
            putNumber(target.size(), 3);
        return std::move(out);
    }

private:
    // Bytes past the source's end are new and always written.
    std::size_t unchangedFrom(std::size_t position) const {
        if (position >= common)
            return 0;
        return matchLength(source.data() + position, target.data() + position, common - position);
    }

    std::size_t changedStretchEnd(std::size_t position) const {
        std::size_t end = position;
        while (end < target.size()) {
            const std::size_t same = unchangedFrom(end);
            if (same == 0) {
                ++end;
                continue;
            }
            // Unchanged bytes cost less inside the record than a new record's header, unless
            // they run to the end of the target and need no record at all.
            if (same > recordHeader || end + same >= target.size())
                break;
            end += same;
        }
        return end;
    }

    void putStretch(std::size_t start, std::size_t end) {
        std::size_t pending = start; // first byte not yet in a record
        std::size_t at = start;
        while (at < end) {
            const std::size_t run =
                1 + matchLength(target.data() + at, target.data() + at + 1, end - at - 1);
            // A run record pays off when it saves its own size, and the header of the plain
            // record that has to resume behind it.
            const std::size_t resumeCost = at + run < end ? recordHeader : 0;
            const std::size_t savedHeader = at == pending ? recordHeader : 0;
            if (run + savedHeader > runRecord + resumeCost) {
                putPlain(pending, at);
                putRun(at, run);
                pending = at + run;
            }
            at += run;
        }
        putPlain(pending, end);
    }

    // Plain records for target[start, end), split at the size limit. A record that would start
    // at the offset reading "EOF" starts a byte earlier, writing the target's byte there again.
    void putPlain(std::size_t start, std::size_t end) {
        while (start < end) {
            if (start == ipsEofOffset)
                --start;
            const std::size_t length = std::min(end - start, largestRecord);
            putNumber(start, 3);
            putNumber(length, 2);
            out.insert(out.end(), target.begin() + static_cast<std::ptrdiff_t>(start),
                       target.begin() + static_cast<std::ptrdiff_t>(start + length));
            start += length;
        }
    }

    // Run records for count bytes of target[start]'s value from start on.
    void putRun(std::size_t start, std::size_t count) {
        const std::uint8_t value = target[start];
        const std::size_t end = start + count;
        while (start < end) {
            if (start == ipsEofOffset) {
                putPlain(start, start + 1);
                ++start;
                continue;
            }
            const std::size_t length = std::min(end - start, largestRecord);
            putNumber(start, 3);
            putNumber(0, 2);
            putNumber(length, 2);
            out.push_back(value);
            start += length;
        }
    }

    void putNumber(std::size_t value, int bytes) {
        for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
            out.push_back(static_cast<std::uint8_t>(value >> shift));
    }

    std::span<const std::uint8_t> source;
    std::span<const std::uint8_t> target;
    std::size_t common; // bytes both images have
    std::vector<std::uint8_t> out;
};

std::string tooLarge(const char* which, std::size_t size) {
    return "IPS patches cannot describe images over 16 MiB (" +
           patchdetail::hexText(largestIpsImage) + " bytes), and the " + which + " image has " +
           patchdetail::byteCountText(size) + "; make a BPS patch instead";
}

} // namespace

PatchResult createIps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> target) {
    if (source.size() > largestIpsImage)
        return PatchResult::failure(tooLarge("original", source.size()));
    if (target.size() > largestIpsImage)
        return PatchResult::failure(tooLarge("modified", target.size()));
    return PatchResult::success(IpsEncoder(source, target).encode());
}

} // namespace tarnwick
