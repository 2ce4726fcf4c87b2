#include "patch/Bps.h"

#include "BpsActions.h"
#include "ByteMatch.h"
#include "patch/BpsNumber.h"
#include "patch/Crc32.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>
#include <vector>

namespace tarnwick {

namespace {

using patchdetail::BpsAction;
using patchdetail::matchLength;

// Finds source positions by the eight bytes found there. Only every eighth position is indexed,
// which keeps building the index for an 8 MiB image to a few milliseconds: a stretch the target
// shares with the source is still found within eight bytes of its start, and the match is then
// extended backwards over the bytes it missed. The table has at most one slot per position
// indexed: a position lost to a collision is found at the next one.
class SourceIndex {
public:
    static constexpr std::size_t window = 8;
    static constexpr std::size_t stride = 8;

    explicit SourceIndex(std::span<const std::uint8_t> bytes) : source(bytes) {
        const std::size_t entries = std::max<std::size_t>(source.size() / stride, 1);
        bits = std::clamp(static_cast<int>(std::bit_width(entries)) - 1, 8, 24);
        slots.assign(std::size_t{1} << bits, 0);
        // Positions are kept plus one in 32 bits (0 marks an empty slot); no image comes near.
        const std::size_t end = std::min<std::size_t>(source.size(), 0xFFFFFFF0);
        for (std::size_t at = 0; at + window <= end; at += stride)
            slots[slotOf(source.data() + at)] = static_cast<std::uint32_t>(at + 1);
    }

    // A source position that may hold the same eight bytes as bytes; the caller checks.
    std::optional<std::size_t> find(const std::uint8_t* bytes) const {
        const std::uint32_t entry = slots[slotOf(bytes)];
        if (entry == 0)
            return std::nullopt;
        return std::size_t{entry} - 1;
    }

private:
    std::size_t slotOf(const std::uint8_t* bytes) const {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes, window);
        return static_cast<std::size_t>((word * 0x9E3779B97F4A7C15ULL) >> (64 - bits));
    }

    std::span<const std::uint8_t> source;
    int bits = 8;
    std::vector<std::uint32_t> slots;
};

// One way to make the target bytes from some position on.
struct Candidate {
    BpsAction action = BpsAction::TargetRead;
    std::size_t from = 0; // where a SourceRead, SourceCopy or TargetCopy takes its bytes
    std::size_t length = 0;
    std::size_t cost = 0; // bytes the action takes in the patch

    // Patch bytes saved against giving the bytes literally.
    std::ptrdiff_t gain() const {
        return static_cast<std::ptrdiff_t>(length) - static_cast<std::ptrdiff_t>(cost);
    }
};

// An action interrupts the literal run before it, which then costs a new TargetRead header
// when it goes on, so an action must save at least this much to be worth taking.
constexpr std::ptrdiff_t smallestWorthwhileGain = 2;

// The most positions skipped between two looks for a match.
constexpr std::size_t largestStep = 31;

// Bytes that differ where they lie mostly match again a few bytes on: an edit in place. The
// source is searched for them elsewhere only once this many looks in a row found nothing
// cheaper, so the index of the whole source, which takes longer to build than most patches
// take to make, is built only for a target that has moved, inserted or new bytes. A stretch
// found then is extended backwards over the bytes looked at before.
constexpr std::size_t looksBeforeSearch = 16;

// Walks the target once, at each position taking whichever action saves the most, or giving
// the byte literally when none saves enough: a greedy encoder, linear in the target's length.
class BpsEncoder {
public:
    BpsEncoder(std::span<const std::uint8_t> sourceBytes, std::span<const std::uint8_t> targetBytes)
        : source(sourceBytes), target(targetBytes) {}

    std::vector<std::uint8_t> encode() {
        // Most edits of an image leave its length alone, so the patch is a few bytes per edit.
        out.reserve(1024 + target.size() / 64);
        out.insert(out.end(), {'B', 'P', 'S', '1'});
        appendBpsNumber(out, source.size());
        appendBpsNumber(out, target.size());
        appendBpsNumber(out, 0); // no metadata

        std::size_t literalStart = 0;
        std::size_t position = 0;
        std::size_t misses = 0;
        while (position < target.size()) {
            Candidate best = bestAt(position, misses >= looksBeforeSearch);
            if (best.gain() < smallestWorthwhileGain) {
                // Through bytes that match nothing, look less often the longer the stretch
                // goes on: two unrelated images then take a tenth of a second, not seconds.
                // A match found late is extended backwards; only those shorter than the step
                // are lost.
                position += 1 + std::min(misses++ / 16, largestStep);
                continue;
            }
            misses = 0;
            extendBackwards(best, position, literalStart);
            emitLiteral(literalStart, position);
            emit(best);
            position += best.length;
            literalStart = position;
        }
        emitLiteral(literalStart, target.size());

        appendCrc(crc32Of(source));
        appendCrc(crc32Of(target));
        appendCrc(crc32Of(out));
        return std::move(out);
    }

private:
    Candidate bestAt(std::size_t position, bool searchSource) {
        Candidate best;
        const auto consider = [&best](const Candidate& candidate) {
            if (candidate.length > 0 && candidate.gain() > best.gain())
                best = candidate;
        };
        const std::size_t targetLeft = target.size() - position;
        // The same bytes in the same place: the common case by far.
        if (position < source.size())
            consider(sourceRead(position, std::min(source.size() - position, targetLeft)));
        // A run of one byte: an overlapping copy of the byte before.
        if (position > 0)
            consider(copy(
                BpsAction::TargetCopy, position - 1,
                matchLength(target.data() + position - 1, target.data() + position, targetLeft)));
        // Source bytes that moved: first where the last copy from the source ended, which
        // follows an insertion or a deletion, then wherever the index has seen these bytes.
        if (sourceRelative < source.size() && sourceRelative != position)
            consider(sourceCopy(sourceRelative, position));
        if (searchSource && targetLeft >= SourceIndex::window) {
            if (!index)
                index.emplace(source);
            if (const std::optional<std::size_t> from = index->find(target.data() + position);
                from && *from != position)
                consider(sourceCopy(*from, position));
        }
        return best;
    }

    Candidate sourceRead(std::size_t position, std::size_t limit) const {
        const std::size_t length =
            matchLength(source.data() + position, target.data() + position, limit);
        if (length == 0)
            return {};
        return {BpsAction::SourceRead, position, length, commandLength(length)};
    }

    Candidate sourceCopy(std::size_t from, std::size_t position) const {
        const std::size_t limit = std::min(source.size() - from, target.size() - position);
        return copy(BpsAction::SourceCopy, from,
                    matchLength(source.data() + from, target.data() + position, limit));
    }

    Candidate copy(BpsAction action, std::size_t from, std::size_t length) const {
        if (length == 0)
            return {};
        const std::size_t relative =
            action == BpsAction::SourceCopy ? sourceRelative : targetRelative;
        return {action, from, length,
                commandLength(length) + bpsNumberLength(offsetCode(from, relative))};
    }

    static std::size_t commandLength(std::size_t length) {
        return bpsNumberLength(static_cast<std::uint64_t>(length - 1) << 2);
    }

    // Copies carry their start as a signed distance from where the last copy of their kind
    // ended: the magnitude shifted left once, with the sign in bit 0.
    static std::uint64_t offsetCode(std::size_t from, std::size_t relative) {
        return from >= relative ? static_cast<std::uint64_t>(from - relative) << 1
                                : (static_cast<std::uint64_t>(relative - from) << 1) | 1;
    }

    // Takes in the literal bytes just before position that the chosen action also covers.
    void extendBackwards(Candidate& candidate, std::size_t& position,
                         std::size_t literalStart) const {
        if (candidate.action == BpsAction::TargetRead)
            return;
        const std::span<const std::uint8_t> origin =
            candidate.action == BpsAction::TargetCopy ? target : source;
        while (position > literalStart && candidate.from > 0 &&
               origin[candidate.from - 1] == target[position - 1]) {
            --position;
            --candidate.from;
            ++candidate.length;
        }
    }

    void emitLiteral(std::size_t start, std::size_t end) {
        if (end == start)
            return;
        appendBpsNumber(out, (static_cast<std::uint64_t>(end - start - 1) << 2) |
                                 static_cast<std::uint64_t>(BpsAction::TargetRead));
        out.insert(out.end(), target.begin() + static_cast<std::ptrdiff_t>(start),
                   target.begin() + static_cast<std::ptrdiff_t>(end));
    }

    void emit(const Candidate& candidate) {
        appendBpsNumber(out, (static_cast<std::uint64_t>(candidate.length - 1) << 2) |
                                 static_cast<std::uint64_t>(candidate.action));
        if (candidate.action == BpsAction::SourceRead)
            return;
        std::size_t& relative =
            candidate.action == BpsAction::SourceCopy ? sourceRelative : targetRelative;
        appendBpsNumber(out, offsetCode(candidate.from, relative));
        relative = candidate.from + candidate.length;
    }

    void appendCrc(std::uint32_t crc) {
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(static_cast<std::uint8_t>(crc >> shift));
    }

    std::span<const std::uint8_t> source;
    std::span<const std::uint8_t> target;
    std::vector<std::uint8_t> out;
    std::optional<SourceIndex> index; // built when the source is first searched
    std::size_t sourceRelative = 0;
    std::size_t targetRelative = 0;
};

} // namespace

PatchResult createBps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> target) {
    return PatchResult::success(BpsEncoder(source, target).encode());
}

} // namespace tarnwick
