#pragma once

#include "app/AppSettings.h"
#include "app/DocumentMerging.h"
#include "app/WindowPrompts.h"
#include "rom/CharacterTable.h"
#include "rom/RomImage.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace tarnwick {

class EditHistory;

// The window's commands on the image file: load, save (the first save of a session keeping a
// backup), save as, reload and compare with another image, and the watch that tells when
// another program changes the open file. Before Save writes, it looks at the file again and
// asks when another program has changed it since; the answer Merge brings that program's
// changes in first.
class FileCommands : public QObject {
    Q_OBJECT

public:
    // The changes from original to modified, as a mod's release notes.
    using Changelog =
        std::function<std::string(const RomImage& original, const RomImage& modified)>;
    // The chest location lines that name chests, read when a merge asks about conflicts.
    using ChestLocations = std::function<std::vector<std::string>()>;

    // prompts and readings belong to the window and are read at each command; window is the
    // parent of every question.
    FileCommands(RomImage& rom, EditHistory& history, AppSettings& settings,
                 const WindowPrompts& prompts, const CharacterTable& readings, Changelog changelog,
                 ChestLocations chestLocations, QWidget* window);

    bool isRomLoaded() const { return romLoaded; }
    // Loads the image at path (a QString as a file dialog, a drop or the command line gives
    // it), after the unsaved edits are settled; true when it was loaded.
    bool loadFile(const QString& path, std::optional<ImageFileRead> alreadyRead = {});
    // Saves into the image file; false (with the reason reported) when nothing was saved.
    bool save();
    // Saves into another file that the user chooses, which the window then works on.
    bool saveAs();
    // Loads the open file again, after the unsaved edits are settled.
    bool reload();
    // The open file is watched from the window's first paint on: the watch, and the kernel's
    // teardown of it, stay off the way to the first picture. The file is looked at once here,
    // so a change made since the load is noticed all the same.
    void startWatching();
    // Lists every byte where the tables differ from another image the user chooses.
    void compareWith();
    // Lets the user save or drop unsaved edits before they would be lost; false means stop.
    bool settleUnsavedEdits();
    // Lists what another program changed in the open file's tables since it was loaded.
    void showChangesOnDisk();

signals:
    // A new image is in the document (after a load or a reload).
    void loaded();
    // The document was written to its file; name is the file's name.
    void saved(const QString& name);
    // A command ended without changing the document, which the window shows again.
    void stateChanged();
    // Another program changed the open file: text says how. canReload is false when the file
    // is gone.
    void changedOnDisk(const QString& text, bool canReload);
    // The open file holds the document's bytes again (after a save or a reload).
    void matchesDisk();
    // A save brought another program's changes in first (the answer Merge).
    void mergedOnSave(const MergeReport& report);

private:
    bool loadNative(const std::string& path, const QString& shownPath,
                    std::optional<ImageFileRead> alreadyRead = {});
    // Asks whether to load an image whose header names no release; a No sets declined, so
    // the refusal that follows is not reported as a failure as well.
    UnnamedReleaseCheck unnamedImageQuestion(bool& declined);
    bool writeIntoFile();
    // What the user chose when the file changed on disk: true to go on writing over it.
    bool mayOverwriteChangedFile(FileChange change, bool& savedElsewhere);
    // Merges what another program changed in the file since the load into the document, as the
    // user settles the conflicts; false when that was cancelled or failed (reported).
    bool mergeChangesOnDisk();
    // The file as it is on disk now, of the open image's release; nothing when it cannot be
    // read as one (the failure is reported under title).
    std::optional<RomImage> readFileOnDisk(const QString& title);
    // The file as the document last read or wrote it.
    RomImage fileAsLoaded() const;
    void watchOpenFile();
    void lookAtOpenFile();
    // The open file's path, its bytes kept exact (see qtio/FileNames.h).
    QString openPath() const;

    RomImage& rom;
    EditHistory& history;
    AppSettings& settings;
    const WindowPrompts& prompts;
    const CharacterTable& readings;
    Changelog changelog;
    ChestLocations chestLocations;
    QWidget* window;
    std::optional<MergeReport> mergeBeforeSave;
    QSet<QString> backedUp;
    std::unique_ptr<QFileSystemWatcher> watcher;
    // Another program's write comes as several notifications; one look follows the last.
    QTimer settleTimer;
    FileChange notifiedChange = FileChange::None;
    bool romLoaded = false;
};

} // namespace tarnwick
