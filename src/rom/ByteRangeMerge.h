#pragma once

#include "rom/DocumentMerge.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tarnwick {

// The three-way merge of byte ranges of one length, byte by byte: base is the offset of their
// first byte, skipped the areas (sorted by offset) that take no part. Appends the runs of
// changed bytes to runs and the runs in conflict, with both sides' bytes, to conflicts.
void mergeByteRanges(std::span<const std::uint8_t> original, std::span<const std::uint8_t> first,
                     std::span<const std::uint8_t> second, std::uint64_t base,
                     std::span<const ByteArea> skipped, std::vector<ByteRun>& runs,
                     std::vector<MergeConflict>& conflicts);

} // namespace tarnwick
