#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tarnwick {

class RomImage;

class AppSettings;

// A file the user is asked for: the dialog's title, its name filters (";;" between them), the
// file or folder it starts at, whether the file is to be written or read, and what kind of file
// it is, so that the next question of that kind starts where the user went last.
struct FileQuestion {
    QString title;
    QString filter;
    QString start;
    bool save = false;
    QString purpose;
};

// Asks for a file; an empty string when the user cancels.
using FileChooser = std::function<QString(QWidget* parent, const FileQuestion& question)>;
// Shows a failure: a title and a sentence naming the file and the reason.
using FailureReport =
    std::function<void(QWidget* parent, const QString& title, const QString& message)>;

// Asks with the standard file dialog. A save dialog adds the extension of the chosen filter to
// a name that has none.
QString chooseFileWithDialog(QWidget* parent, const FileQuestion& question);

// Wraps ask so that a question with a purpose starts in the folder of the last file chosen for
// that purpose (keeping the suggested file name), and remembers the folder of each answer.
FileChooser rememberingFolders(AppSettings& settings, FileChooser ask);

// File > Export Tables, Import Tables and Create Patch: the work behind the main window's
// commands. Each returns a sentence for the status bar on success, and an empty string when the
// user cancelled or the failure was reported.

// Writes the document's tables, as they are now, as the JSON that tarnwick-cli export writes.
QString exportTablesCommand(const RomImage& rom, QWidget* parent, const FileChooser& chooseFile,
                            const FailureReport& reportFailure);

// Reads a JSON export, checks all of it against the release and only then puts its tables into
// the document as one undoable step. The file is not saved: File > Save writes the tables.
QString importTablesCommand(RomImage& rom, QWidget* parent, const FileChooser& chooseFile,
                            const FailureReport& reportFailure);

// Writes a BPS or IPS patch from a clean original image the user picks to the file that File >
// Save would write now (the loaded image with its current edits), leaving the file as it is.
QString createPatchCommand(const RomImage& rom, QWidget* parent, const FileChooser& chooseFile,
                           const FailureReport& reportFailure);

} // namespace tarnwick
