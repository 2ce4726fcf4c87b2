#pragma once

#include "app/FileDialogs.h"

#include <QString>

#include <functional>

class QWidget;

namespace tarnwick {

class AppSettings;

// What the user answers when edits that are not saved would be lost.
enum class UnsavedChoice { Save, Discard, Cancel };

// What the user answers when the image file changed on disk since it was loaded or saved.
enum class ChangedFileChoice { SaveAs, Overwrite, Cancel };

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
};

// The questions asked with the standard dialogs; the file dialogs remember their folder and
// filter in settings.
WindowPrompts standardWindowPrompts(AppSettings& settings);

// The unsaved-edits question with its "Show Changes..." button, which runs showChanges.
UnsavedChoice askAboutUnsavedEditsWithMessageBox(QWidget* parent,
                                                 const std::function<void()>& showChanges);

} // namespace tarnwick
