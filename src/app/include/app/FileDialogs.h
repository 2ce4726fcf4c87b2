#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every file dialog of the window: images to open and save, and the other files the commands
// ask for, each starting where its kind of file went last.
namespace tarnwick {

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

// Asks with the standard file dialog. A save dialog adds the extension of the chosen filter to
// a name that has none.
QString chooseFileWithDialog(QWidget* parent, const FileQuestion& question);

// Wraps ask so that a question with a purpose starts in the folder of the last file chosen for
// that purpose (keeping the suggested file name), and remembers the folder of each answer.
FileChooser rememberingFolders(AppSettings& settings, FileChooser ask);

// The file dialogs' filters: SNES images first, then GBA images, then every file.
QString romFileFilter();

// Asks for an image file to open, starting in the folder and with the filter used last time;
// an empty string when the user cancels.
QString chooseRomFileWithDialog(QWidget* parent, AppSettings& settings);

// Asks where to save the image, starting beside current; an empty string when the user cancels.
QString chooseSaveFileWithDialog(QWidget* parent, AppSettings& settings, const QString& current);

} // namespace tarnwick
