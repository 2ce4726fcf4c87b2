#pragma once

#include "app/WindowPrompts.h"
#include "rom/CharacterTable.h"
#include "rom/ImageCheck.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace tarnwick {

class EditHistory;
class RomImage;

// What a merge's conflicts and findings name records by, as the changelog does.
struct MergeNaming {
    const CharacterTable& readings;
    std::vector<std::string> chestLocations;
};

// A merge into the open document, which is its first side.
struct MergeRequest {
    const RomImage& original;
    const RomImage& second;
    QString secondName; // as messages name it, quoted
    QString stepName;   // the undo step: "Merge mod.bps"
    // The conflict question without its conflicts; "%1" in its text stands for how many places
    // conflict ("3 places").
    MergeConflictQuestion question;
};

// What the merge brought into the document.
struct MergeReport {
    QString source;   // what was merged, as Check Image names it: "mod.bps"
    QString status;   // the sentence for the status bar, which the command makes
    QString cameIn;   // "12 fields and 40 bytes outside the tables came in"
    int keptMine = 0; // conflicts settled for the document's own values
    bool changed = false;
    // Findings of Check Image that the merged document has and neither side had.
    std::vector<Finding> introduced;
};

// Merges what request.second changed against request.original into the document as one undo
// step, after the user settled the conflicts, if any. Returns nothing, with the document as it
// was, when the user cancels or the documents do not merge (reported as "Merge failed").
std::optional<MergeReport> mergeIntoDocument(RomImage& rom, EditHistory& history,
                                             const MergeRequest& request, const MergeNaming& naming,
                                             const WindowPrompts& prompts, QWidget* parent);

} // namespace tarnwick
