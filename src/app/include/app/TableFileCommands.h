#pragma once

#include "app/FileDialogs.h"
#include "rom/CharacterTable.h"

#include <QString>

#include <functional>

class QWidget;

namespace tarnwick {

class EditHistory;
class RomImage;

// Shows a failure: a title and a sentence naming the file and the reason.
using FailureReport =
    std::function<void(QWidget* parent, const QString& title, const QString& message)>;

// File > Export Tables, Import Tables and Create Patch: the work behind the main window's
// commands. Each returns a sentence for the status bar on success, and an empty string when the
// user cancelled or the failure was reported.

// Writes the document's tables, as they are now, as the JSON that tarnwick-cli export writes.
QString exportTablesCommand(const RomImage& rom, const CharacterTable& readings, QWidget* parent,
                            const FileChooser& chooseFile, const FailureReport& reportFailure);

// Reads a JSON export, checks all of it against the release and only then puts its tables into
// the document as one undoable step. The file is not saved: File > Save writes the tables.
QString importTablesCommand(RomImage& rom, EditHistory& history, QWidget* parent,
                            const FileChooser& chooseFile, const FailureReport& reportFailure);

// Writes a BPS or IPS patch from a clean original image the user picks to the file that File >
// Save would write now (the loaded image with its current edits), leaving the file as it is.
QString createPatchCommand(const RomImage& rom, QWidget* parent, const FileChooser& chooseFile,
                           const FailureReport& reportFailure);

} // namespace tarnwick
