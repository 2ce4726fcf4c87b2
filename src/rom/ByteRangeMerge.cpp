#include "ByteRangeMerge.h"

#include <algorithm>
#include <cstring>

namespace tarnwick {
namespace {

// Walks stretches of the three ranges and gathers consecutive changed bytes of one outcome.
class RunBuilder {
public:
    RunBuilder(std::span<const std::uint8_t> o, std::span<const std::uint8_t> f,
               std::span<const std::uint8_t> s, std::uint64_t offset, std::vector<ByteRun>& out,
               std::vector<MergeConflict>& conflicting)
        : original(o), first(f), second(s), base(offset), runs(out), conflicts(conflicting) {}

    void walk(std::size_t begin, std::size_t end) {
        std::size_t at = begin;
        while (at < end) {
            // Most bytes are alike on all three sides; whole blocks of them pass quickly.
            if (end - at >= block && unchanged(at, block)) {
                if (open)
                    close(at);
                at += block;
                continue;
            }
            if (end - at >= 8 && unchanged(at, 8)) {
                if (open)
                    close(at);
                at += 8;
                continue;
            }
            step(at);
            ++at;
        }
        close(end);
    }

private:
    static constexpr std::size_t block = 256;

    bool unchanged(std::size_t at, std::size_t count) const {
        return std::memcmp(original.data() + at, first.data() + at, count) == 0 &&
               std::memcmp(original.data() + at, second.data() + at, count) == 0;
    }

    void step(std::size_t at) {
        const std::uint8_t o = original[at], f = first[at], s = second[at];
        if (f == o && s == o) {
            close(at);
            return;
        }
        const MergeOutcome outcome = f == o   ? MergeOutcome::FromSecond
                                     : s == o ? MergeOutcome::FromFirst
                                     : f == s ? MergeOutcome::Alike
                                              : MergeOutcome::Conflict;
        if (open && outcome == current)
            return;
        close(at);
        open = true;
        start = at;
        current = outcome;
    }

    void close(std::size_t end) {
        if (!open)
            return;
        open = false;
        runs.push_back({base + start, end - start, current});
        if (current != MergeOutcome::Conflict)
            return;
        MergeConflict conflict;
        conflict.table = outsideTablesIndex;
        conflict.offset = base + start;
        conflict.firstBytes.assign(first.begin() + static_cast<std::ptrdiff_t>(start),
                                   first.begin() + static_cast<std::ptrdiff_t>(end));
        conflict.secondBytes.assign(second.begin() + static_cast<std::ptrdiff_t>(start),
                                    second.begin() + static_cast<std::ptrdiff_t>(end));
        conflicts.push_back(std::move(conflict));
    }

    std::span<const std::uint8_t> original, first, second;
    std::uint64_t base;
    std::vector<ByteRun>& runs;
    std::vector<MergeConflict>& conflicts;
    bool open = false;
    std::size_t start = 0;
    MergeOutcome current = MergeOutcome::FromFirst;
};

} // namespace

void mergeByteRanges(std::span<const std::uint8_t> original, std::span<const std::uint8_t> first,
                     std::span<const std::uint8_t> second, std::uint64_t base,
                     std::span<const ByteArea> skipped, std::vector<ByteRun>& runs,
                     std::vector<MergeConflict>& conflicts) {
    const std::size_t length = std::min({original.size(), first.size(), second.size()});
    RunBuilder builder(original, first, second, base, runs, conflicts);
    std::size_t at = 0;
    for (const ByteArea& area : skipped) {
        if (area.end() <= base + at)
            continue;
        const std::uint64_t from = area.offset > base ? area.offset - base : 0;
        if (from >= length)
            break;
        builder.walk(at, static_cast<std::size_t>(std::max<std::uint64_t>(from, at)));
        at = static_cast<std::size_t>(std::min<std::uint64_t>(area.end() - base, length));
    }
    builder.walk(at, length);
}

} // namespace tarnwick
