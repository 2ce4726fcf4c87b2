#pragma once

#include "rom/TableChanges.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace tarnwick {

class RomImage;

// The undo history of one document: a list of steps, each the table changes of one user
// action, a cursor between the steps that are done and those undone, and the step at which the
// document matches its file.
//
// One history belongs to one document and is shared by the main window and every editor, so
// Ctrl+Z in an editor and Edit > Undo walk the same steps. After undo or redo the caller shows
// the document's values again; the history only writes the tables. Each step has a name a
// person reads ("Chest 12: X"), for the Undo and Redo commands. The changes of all steps lie
// in one array and their names in one text, so a step costs 16 bytes, its name's characters
// and 12 bytes a changed slot.
class EditHistory {
public:
    // Consecutive actions recorded with the same key other than noMerge form one step: the
    // caller gives each field its own key (editor, field and record, say), so that typing in a
    // field undoes as one step while typing in the next field starts another.
    using MergeKey = std::uint64_t;
    static constexpr MergeKey noMerge = 0;

    // Adds one action after the current step, dropping the steps that were undone. The action
    // joins the current step instead when that step was recorded with the same merge key just
    // before, with no undo, redo, setClean or closeMerge in between; a merged step whose
    // changes cancel out disappears. An action without changes records nothing. Returns true
    // when the history changed.
    bool record(std::span<const TableChange> changes, MergeKey mergeKey = noMerge,
                std::string name = {});
    // Adds an action that also wrote image bytes outside the tables (a merge) as a step of its
    // own: undo puts its bytes back with its slots, and redo writes both again. An action
    // without changes of either kind records nothing.
    bool recordWithImageBytes(std::span<const TableChange> changes,
                              std::vector<ImageBytesChange> bytes, std::string name);
    // The next action starts a step of its own whatever its key (the field lost the focus).
    void closeMerge() { mergeOpen = false; }

    bool canUndo() const { return cursor > 0; }
    bool canRedo() const { return cursor < steps.size(); }
    // Puts the document's values from before the current step back and moves the cursor
    // before it. False, with nothing changed, when there is no step to undo.
    bool undo(RomImage& rom);
    // Applies the step after the cursor again and moves the cursor past it. False, with
    // nothing changed, when there is no step to redo.
    bool redo(RomImage& rom);
    // The changes that undo or redo would apply (empty when there are none), for menu texts.
    std::span<const TableChange> nextUndo() const;
    std::span<const TableChange> nextRedo() const;
    // The names of the steps that undo or redo would apply; empty when there are none.
    std::string nextUndoName() const;
    std::string nextRedoName() const;

    std::size_t stepCount() const { return steps.size(); }
    // Steps done: 0 before the first step, stepCount() after the last.
    std::size_t currentStep() const { return cursor; }

    // The document now matches its file (it was just saved): undoing or redoing back to this
    // point makes it clean again.
    void setClean();
    // True at the step where the document was last saved, loaded or cleared. A state that was
    // undone and then replaced by a new action is never clean again until the next save.
    bool isClean() const { return cleanStep == cursor; }
    // Forgets every step; the document as it is counts as clean (after a load, or a release
    // switch that reads the tables again).
    void clear();

    // Called after every action recorded, undo, redo and clear: the document's tables may now
    // hold other values, so a view of them (a list of findings) looks again. One listener; an
    // empty function removes it.
    void setChangeListener(std::function<void()> listener) { changeListener = std::move(listener); }
    // True when the last action recorded, undone or redone wrote image bytes, where the font or
    // the palettes may lie: the listener draws the sheets again then.
    bool lastChangeWroteImageBytes() const { return wroteImageBytes; }

    // Bytes the history holds on the heap and in itself.
    std::size_t memoryBytes() const;

private:
    struct Step {
        std::uint32_t changesEnd; // one past the step's last change in changes
        std::uint32_t nameEnd;    // one past the step's name in names
        MergeKey mergeKey;
    };
    static constexpr std::size_t neverClean = static_cast<std::size_t>(-1);

    // The image bytes of a step that wrote some; few steps do, so they are kept apart.
    struct StepBytes {
        std::size_t step;
        std::vector<ImageBytesChange> changes;
    };

    bool addStep(std::span<const TableChange> added, MergeKey mergeKey, std::string name,
                 std::vector<ImageBytesChange> bytes);
    std::span<const TableChange> stepChanges(std::size_t step) const;
    std::span<const ImageBytesChange> stepBytes(std::size_t step) const;
    std::string stepName(std::size_t step) const;
    void mergeIntoLastStep(std::span<const TableChange> added);
    void documentChanged() const;

    std::vector<TableChange> changes;
    std::vector<Step> steps;
    std::string names;
    std::vector<StepBytes> byteSteps; // in step order
    std::size_t cursor = 0;
    std::size_t cleanStep = 0;
    bool mergeOpen = false;
    bool wroteImageBytes = false;
    std::function<void()> changeListener;
};

// True when the document holds edits its file does not: the history is away from its clean
// point and the tables differ from the image bytes, or bytes a merge wrote differ from the
// file's. Edits taken back by hand, or an import of the values the file holds, leave nothing to
// save. The clean point answers without comparing.
bool hasUnsavedEdits(const EditHistory& history, const RomImage& rom);

} // namespace tarnwick
