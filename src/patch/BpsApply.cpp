#include "patch/Bps.h"

#include "BpsActions.h"
#include "PatchText.h"
#include "io/LargePages.h"
#include "patch/BpsNumber.h"
#include "patch/Crc32.h"
#include "patch/PatchFormat.h"

#include <algorithm>
#include <vector>

namespace tarnwick {

namespace {

using patchdetail::BpsAction;
using patchdetail::byteCountText;
using patchdetail::crcText;
using patchdetail::hexText;

std::uint32_t readCrc(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

PatchResult damaged(const std::string& reason) {
    return PatchResult::failure("the patch is damaged: " + reason);
}

// Runs the actions of a patch whose checksum, sizes and source CRC have been checked. Every
// length and offset is checked against the source, the result and the patch before it is used.
class BpsDecoder {
public:
    BpsDecoder(std::span<const std::uint8_t> sourceBytes, std::span<const std::uint8_t> actionBytes,
               std::size_t firstAction, std::size_t resultSize)
        : source(sourceBytes), actions(actionBytes), at(firstAction), targetSize(resultSize) {}

    PatchResult run() {
        result.reserve(targetSize);
        preferLargePages(result.data(), targetSize);
        while (at < actions.size()) {
            const std::size_t actionAt = at;
            const std::optional<std::uint64_t> code = readBpsNumber(actions, at);
            if (!code)
                return damaged("the action at byte " + hexText(actionAt) + " is cut short");
            const std::uint64_t length = (*code >> 2) + 1;
            if (length > targetSize - result.size())
                return damaged("the action at byte " + hexText(actionAt) +
                               " writes past the end of the " + byteCountText(targetSize) +
                               " the result should have");
            const auto count = static_cast<std::size_t>(length);
            std::string problem;
            switch (static_cast<BpsAction>(*code & 3)) {
            case BpsAction::SourceRead:
                problem = sourceRead(count);
                break;
            case BpsAction::TargetRead:
                problem = targetRead(count);
                break;
            case BpsAction::SourceCopy:
                problem = sourceCopy(count);
                break;
            case BpsAction::TargetCopy:
                problem = targetCopy(count);
                break;
            }
            if (!problem.empty())
                return damaged("the action at byte " + hexText(actionAt) + " " + problem);
        }
        if (result.size() != targetSize)
            return damaged("its actions make " + byteCountText(result.size()) + " of the " +
                           byteCountText(targetSize) + " the result should have");
        return PatchResult::success(std::move(result));
    }

private:
    std::string sourceRead(std::size_t count) {
        const std::size_t from = result.size();
        if (from > source.size() || count > source.size() - from)
            return "reads past the end of the source";
        result.insert(result.end(), source.begin() + static_cast<std::ptrdiff_t>(from),
                      source.begin() + static_cast<std::ptrdiff_t>(from + count));
        return {};
    }

    std::string targetRead(std::size_t count) {
        if (count > actions.size() - at)
            return "runs into the checksums at the end of the patch";
        result.insert(result.end(), actions.begin() + static_cast<std::ptrdiff_t>(at),
                      actions.begin() + static_cast<std::ptrdiff_t>(at + count));
        at += count;
        return {};
    }

    std::string sourceCopy(std::size_t count) {
        if (!moveRelative(sourceRelative))
            return "is cut short";
        if (sourceRelative < 0 || static_cast<std::uint64_t>(sourceRelative) > source.size() ||
            count > source.size() - static_cast<std::size_t>(sourceRelative))
            return "copies from outside the source";
        const auto from = static_cast<std::size_t>(sourceRelative);
        result.insert(result.end(), source.begin() + static_cast<std::ptrdiff_t>(from),
                      source.begin() + static_cast<std::ptrdiff_t>(from + count));
        sourceRelative += static_cast<std::int64_t>(count);
        return {};
    }

    std::string targetCopy(std::size_t count) {
        if (!moveRelative(targetRelative))
            return "is cut short";
        // A target copy may overlap what it writes, but must start in what is already there.
        if (targetRelative < 0 || static_cast<std::uint64_t>(targetRelative) >= result.size())
            return "copies from a part of the result not yet made";
        const auto from = static_cast<std::size_t>(targetRelative);
        const std::size_t to = result.size();
        result.resize(to + count);
        if (from + count <= to)
            std::copy_n(result.begin() + static_cast<std::ptrdiff_t>(from), count,
                        result.begin() + static_cast<std::ptrdiff_t>(to));
        else
            for (std::size_t i = 0; i < count; ++i)
                result[to + i] = result[from + i];
        targetRelative += static_cast<std::int64_t>(count);
        return {};
    }

    // Reads a copy's signed distance and moves the relative offset by it. Numbers stay below
    // 2^57, so the sum cannot overflow; the caller checks where it lands.
    bool moveRelative(std::int64_t& relative) {
        const std::optional<std::uint64_t> code = readBpsNumber(actions, at);
        if (!code)
            return false;
        const auto distance = static_cast<std::int64_t>(*code >> 1);
        relative += (*code & 1) != 0 ? -distance : distance;
        return true;
    }

    std::span<const std::uint8_t> source;
    std::span<const std::uint8_t> actions; // the patch up to its checksums
    std::size_t at;
    std::size_t targetSize;
    std::vector<std::uint8_t> result;
    std::int64_t sourceRelative = 0;
    std::int64_t targetRelative = 0;
};

} // namespace

PatchResult applyBps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch) {
    if (patchFormatOf(patch) != PatchFormat::Bps)
        return PatchResult::failure("the patch is no BPS patch: it does not start with \"BPS1\"");
    if (patch.size() < patchdetail::bpsHeaderMinimum + patchdetail::bpsFooterLength)
        return damaged("at " + byteCountText(patch.size()) +
                       " it is too short to hold a BPS "
                       "header and checksums");

    const std::size_t body = patch.size() - patchdetail::bpsFooterLength;
    const std::uint32_t sourceCrc = readCrc(patch, body);
    const std::uint32_t targetCrc = readCrc(patch, body + 4);
    const std::uint32_t patchCrc = readCrc(patch, body + 8);
    if (const std::uint32_t actual = crc32Of(patch.first(body + 8)); actual != patchCrc)
        return damaged("it records the CRC32 " + crcText(patchCrc) + ", but its bytes give " +
                       crcText(actual));

    const std::span<const std::uint8_t> actions = patch.first(body);
    std::size_t at = 4;
    const std::optional<std::uint64_t> sourceSize = readBpsNumber(actions, at);
    const std::optional<std::uint64_t> targetSize = readBpsNumber(actions, at);
    const std::optional<std::uint64_t> metadataSize = readBpsNumber(actions, at);
    if (!sourceSize || !targetSize || !metadataSize)
        return damaged("its header is cut short");
    if (*metadataSize > actions.size() - at)
        return damaged("its metadata runs past its end");
    at += static_cast<std::size_t>(*metadataSize);

    if (*sourceSize != source.size())
        return PatchResult::failure(
            "the image is not the one the patch was made for: the patch expects " +
            byteCountText(*sourceSize) + ", the image has " + byteCountText(source.size()));
    if (const std::uint32_t actual = crc32Of(source); actual != sourceCrc)
        return PatchResult::failure(
            "the image is not the one the patch was made for: the patch expects the CRC32 " +
            crcText(sourceCrc) + ", the image has " + crcText(actual));
    if (*targetSize > largestPatchResult)
        return PatchResult::failure("the patch would make an image of " +
                                    byteCountText(*targetSize) + ", more than the " +
                                    byteCountText(largestPatchResult) + " allowed");

    PatchResult made = BpsDecoder(source, actions, at, static_cast<std::size_t>(*targetSize)).run();
    if (!made)
        return made;
    if (const std::uint32_t actual = crc32Of(made.bytes()); actual != targetCrc)
        return PatchResult::failure("the patched image is not the one the patch was made to give: "
                                    "the patch expects the CRC32 " +
                                    crcText(targetCrc) + ", the result has " + crcText(actual));
    return made;
}

} // namespace tarnwick
