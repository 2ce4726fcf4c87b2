#include "rom/EditHistory.h"

#include "rom/RomImage.h"

#include <algorithm>

namespace tarnwick {

bool EditHistory::record(std::span<const TableChange> added, MergeKey mergeKey, std::string name) {
    if (added.empty())
        return false;
    wroteImageBytes = false;
    if (mergeOpen && mergeKey != noMerge && !steps.empty() && steps.back().mergeKey == mergeKey) {
        mergeIntoLastStep(added);
        documentChanged();
        return true;
    }
    return addStep(added, mergeKey, std::move(name), {});
}

bool EditHistory::recordWithImageBytes(std::span<const TableChange> added,
                                       std::vector<ImageBytesChange> bytes, std::string name) {
    if (bytes.empty())
        return record(added, noMerge, std::move(name));
    wroteImageBytes = true;
    return addStep(added, noMerge, std::move(name), std::move(bytes));
}

bool EditHistory::addStep(std::span<const TableChange> added, MergeKey mergeKey, std::string name,
                          std::vector<ImageBytesChange> bytes) {
    // A new action replaces the steps that were undone; the state they led to is gone.
    changes.resize(cursor == 0 ? 0 : steps[cursor - 1].changesEnd);
    names.resize(cursor == 0 ? 0 : steps[cursor - 1].nameEnd);
    steps.resize(cursor);
    std::erase_if(byteSteps, [this](const StepBytes& undone) { return undone.step >= cursor; });
    if (cleanStep > cursor)
        cleanStep = neverClean;
    changes.insert(changes.end(), added.begin(), added.end());
    names += name;
    if (!bytes.empty())
        byteSteps.push_back({cursor, std::move(bytes)});
    steps.push_back({static_cast<std::uint32_t>(changes.size()),
                     static_cast<std::uint32_t>(names.size()), mergeKey});
    ++cursor;
    mergeOpen = mergeKey != noMerge;
    documentChanged();
    return true;
}

// The last step's changes are the last ones in the array, so a merge only touches its tail.
void EditHistory::mergeIntoLastStep(std::span<const TableChange> added) {
    const auto first =
        static_cast<std::ptrdiff_t>(steps.size() > 1 ? steps.end()[-2].changesEnd : 0);
    for (const TableChange& change : added) {
        const auto same =
            std::find_if(changes.begin() + first, changes.end(), [&](const TableChange& known) {
                return known.table == change.table && known.record == change.record &&
                       known.slot == change.slot;
            });
        if (same != changes.end())
            same->after = change.after;
        else
            changes.push_back(change);
    }
    // Typing a value back to what it was leaves nothing to undo in that slot.
    changes.erase(std::remove_if(changes.begin() + first, changes.end(),
                                 [](const TableChange& c) { return c.before == c.after; }),
                  changes.end());
    if (changes.size() == static_cast<std::size_t>(first)) {
        steps.pop_back();
        names.resize(steps.empty() ? 0 : steps.back().nameEnd);
        --cursor;
        mergeOpen = false;
    } else {
        steps.back().changesEnd = static_cast<std::uint32_t>(changes.size());
    }
}

bool EditHistory::undo(RomImage& rom) {
    if (!canUndo())
        return false;
    --cursor;
    undoChanges(rom, stepChanges(cursor));
    undoChanges(rom, stepBytes(cursor));
    wroteImageBytes = !stepBytes(cursor).empty();
    mergeOpen = false;
    documentChanged();
    return true;
}

bool EditHistory::redo(RomImage& rom) {
    if (!canRedo())
        return false;
    redoChanges(rom, stepChanges(cursor));
    redoChanges(rom, stepBytes(cursor));
    wroteImageBytes = !stepBytes(cursor).empty();
    ++cursor;
    mergeOpen = false;
    documentChanged();
    return true;
}

std::span<const TableChange> EditHistory::nextUndo() const {
    return canUndo() ? stepChanges(cursor - 1) : std::span<const TableChange>{};
}

std::span<const TableChange> EditHistory::nextRedo() const {
    return canRedo() ? stepChanges(cursor) : std::span<const TableChange>{};
}

std::string EditHistory::nextUndoName() const {
    return canUndo() ? stepName(cursor - 1) : std::string();
}

std::string EditHistory::nextRedoName() const {
    return canRedo() ? stepName(cursor) : std::string();
}

void EditHistory::setClean() {
    cleanStep = cursor;
    mergeOpen = false;
}

void EditHistory::clear() {
    // Moving empty vectors in gives the memory back, which clear() (or "= {}") would keep.
    changes = std::vector<TableChange>();
    steps = std::vector<Step>();
    names = std::string();
    byteSteps = std::vector<StepBytes>();
    wroteImageBytes = false;
    cursor = 0;
    cleanStep = 0;
    mergeOpen = false;
    documentChanged();
}

void EditHistory::documentChanged() const {
    if (changeListener)
        changeListener();
}

std::size_t EditHistory::memoryBytes() const {
    std::size_t bytes = byteSteps.capacity() * sizeof(StepBytes);
    for (const StepBytes& step : byteSteps)
        for (const ImageBytesChange& change : step.changes)
            bytes += sizeof(change) + change.before.capacity() + change.after.capacity();
    return sizeof(*this) + changes.capacity() * sizeof(TableChange) +
           steps.capacity() * sizeof(Step) + names.capacity() + bytes;
}

std::span<const TableChange> EditHistory::stepChanges(std::size_t step) const {
    const std::size_t begin = step == 0 ? 0 : steps[step - 1].changesEnd;
    return std::span<const TableChange>(changes).subspan(begin, steps[step].changesEnd - begin);
}

std::span<const ImageBytesChange> EditHistory::stepBytes(std::size_t step) const {
    const auto found = std::find_if(byteSteps.begin(), byteSteps.end(),
                                    [step](const StepBytes& b) { return b.step == step; });
    return found == byteSteps.end() ? std::span<const ImageBytesChange>() : found->changes;
}

std::string EditHistory::stepName(std::size_t step) const {
    const std::size_t begin = step == 0 ? 0 : steps[step - 1].nameEnd;
    return names.substr(begin, steps[step].nameEnd - begin);
}

bool hasUnsavedEdits(const EditHistory& history, const RomImage& rom) {
    return !history.isClean() && (rom.tablesDifferFromImage() || rom.imageDiffersFromFile());
}

} // namespace tarnwick
