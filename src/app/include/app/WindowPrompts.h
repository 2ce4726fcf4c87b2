#pragma once

#include "app/FileDialogs.h"
#include "graphics/MergeWords.h"
#include "rom/DocumentMerge.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace tarnwick {

class AppSettings;

// What the user answers when edits that are not saved would be lost.
enum class UnsavedChoice { Save, Discard, Cancel };

// What the user answers when the image file changed on disk since it was loaded or saved.
enum class ChangedFileChoice { SaveAs, Overwrite, Merge, Cancel };

// The places where the open document's own edits and the other side of a merge (a mod, or the
// file as another program changed it) hold different values, for the user to choose between.
struct MergeConflictQuestion {
    QString title;      // "Merge mod.bps"
    QString text;       // what the two sides are
    QString secondName; // the other side's values as the list names them: "The mod's"
    QString takeSecond; // the button that chooses them: "Take the Mod's"
    std::vector<ConflictWords> conflicts;
};

// The questions the main window and its file commands ask the user; tests replace them.
struct WindowPrompts {
    // The file to load, or an empty string when the user cancels.
    std::function<QString(QWidget* parent)> chooseRomFile;
    std::function<UnsavedChoice(QWidget* parent)> askAboutUnsavedEdits;
    // Whether to load an image whose header names none of the releases: reason says so,
    // release is what it would be read as.
    std::function<bool(QWidget* parent, const QString& reason, const QString& release)>
        loadUnnamedImage;
    std::function<void(QWidget* parent, const QString& title, const QString& message)>
        reportFailure;
    // Where to save the image instead, starting beside the current file; empty to cancel.
    std::function<QString(QWidget* parent, const QString& current)> chooseSaveFile;
    // Files other than the image: tables exports, patches and a patch's original image.
    FileChooser chooseFile;
    // Whether to read the image as the other release although its header names this one:
    // warning says what that does. False keeps everything as it is.
    std::function<bool(QWidget* parent, const QString& warning)> switchAgainstHeader;
    // What to do at Save when another program changed the file: change says what happened;
    // showChanges lists what it changed in the tables, as often as the user asks.
    std::function<ChangedFileChoice(QWidget* parent, const QString& change,
                                    const std::function<void()>& showChanges)>
        askAboutChangedFile;
    // One side for each conflict of a merge, in the question's order; nothing to cancel it.
    std::function<std::optional<std::vector<MergeSide>>(QWidget* parent,
                                                        const MergeConflictQuestion& question)>
        settleMergeConflicts;
};

// The questions asked with the standard dialogs; the file dialogs remember their folder and
// filter in settings.
WindowPrompts standardWindowPrompts(AppSettings& settings);

// The unsaved-edits question with its "Show Changes..." button, which runs showChanges.
UnsavedChoice askAboutUnsavedEditsWithMessageBox(QWidget* parent,
                                                 const std::function<void()>& showChanges);

} // namespace tarnwick
