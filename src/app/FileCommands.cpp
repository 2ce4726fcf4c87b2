#include "app/FileCommands.h"

#include "app/ChangesDialog.h"
#include "controls/DialogTemplate.h"
#include "qtio/FileNames.h"
#include "rom/EditHistory.h"
#include "rom/RomImage.h"
#include "rom/SaveWithBackup.h"
#include "rom/TableDifferences.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <memory>

namespace tarnwick {

namespace {

QString fromNative(const std::string& path) {
    return nameFromFileSystem(path);
}

} // namespace

FileCommands::FileCommands(RomImage& document, EditHistory& steps, AppSettings& appSettings,
                           const WindowPrompts& questions, const CharacterTable& characterReadings,
                           Changelog describeChanges, ChestLocations chestLines,
                           QWidget* parentWindow)
    : QObject(parentWindow), rom(document), history(steps), settings(appSettings),
      prompts(questions), readings(characterReadings), changelog(std::move(describeChanges)),
      chestLocations(std::move(chestLines)), window(parentWindow) {
    settleTimer.setSingleShot(true);
    settleTimer.setInterval(200);
    connect(&settleTimer, &QTimer::timeout, this, &FileCommands::lookAtOpenFile);
}

QString FileCommands::openPath() const {
    return fromNative(rom.getPath());
}

// ---- Loading -----------------------------------------------------------------------------

bool FileCommands::loadFile(const QString& path, std::optional<ImageFileRead> alreadyRead) {
    return loadNative(fileSystemName(path), path, std::move(alreadyRead));
}

bool FileCommands::reload() {
    if (!romLoaded)
        return false;
    return loadNative(rom.getPath(), openPath());
}

UnnamedReleaseCheck FileCommands::unnamedImageQuestion(bool& declined) {
    return [this, &declined](const std::string& reason, RomVariant release) {
        declined = !prompts.loadUnnamedImage(window, QString::fromStdString(reason),
                                             toQString(releaseName(release)));
        return !declined;
    };
}

bool FileCommands::loadNative(const std::string& path, const QString& shown,
                              std::optional<ImageFileRead> alreadyRead) {
    // The file is read and checked before the unsaved edits are asked about, so a file that
    // is no image fails at once; a load that fails or is declined leaves the open image.
    auto candidate = std::make_unique<RomImage>(rom);
    bool declined = false;
    const UnnamedReleaseCheck loadAnyway = unnamedImageQuestion(declined);
    const Status result = loadRom(*candidate, path, loadAnyway, std::move(alreadyRead));
    if (!result) {
        emit stateChanged();
        if (!declined)
            prompts.reportFailure(window, QStringLiteral("Load failed"),
                                  QString::fromStdString(result.message()));
        return false;
    }
    if (!settleUnsavedEdits())
        return false;
    rom = std::move(*candidate);
    romLoaded = true;
    // The steps of the image before do not apply to this one.
    history.clear();
    settings.addRecentFile(shown);
    watchOpenFile();
    emit loaded();
    return true;
}

bool FileCommands::settleUnsavedEdits() {
    if (!romLoaded || !hasUnsavedEdits(history, rom))
        return true;
    switch (prompts.askAboutUnsavedEdits(window)) {
    case UnsavedChoice::Save:
        return save();
    case UnsavedChoice::Discard:
        return true;
    case UnsavedChoice::Cancel:
        return false;
    }
    return false;
}

// ---- Saving ------------------------------------------------------------------------------

bool FileCommands::save() {
    if (!romLoaded)
        return false;
    const FileChange change = rom.openFile().lookAgain(rom.getPath());
    bool savedElsewhere = false;
    mergeBeforeSave.reset();
    if (!mayOverwriteChangedFile(change, savedElsewhere))
        return savedElsewhere;
    if (!writeIntoFile()) {
        // The merge is in the document all the same, as an unsaved step.
        if (mergeBeforeSave)
            emit stateChanged();
        return false;
    }
    if (mergeBeforeSave) {
        mergeBeforeSave->status =
            QStringLiteral("Saved %1 with the changes on disk merged: %2.")
                .arg(shownPath(QFileInfo(openPath()).fileName()), mergeBeforeSave->cameIn);
        emit mergedOnSave(*mergeBeforeSave);
    }
    return true;
}

bool FileCommands::mayOverwriteChangedFile(FileChange change, bool& savedElsewhere) {
    if (!overwritesAnotherProgram(change))
        return true;
    const QString text = QString::fromStdString(fileChangeText(change, rom.getPath()));
    const ChangedFileChoice choice =
        prompts.askAboutChangedFile
            ? prompts.askAboutChangedFile(window, text, [this] { showChangesOnDisk(); })
            : ChangedFileChoice::Cancel;
    switch (choice) {
    case ChangedFileChoice::SaveAs:
        savedElsewhere = saveAs();
        return false;
    case ChangedFileChoice::Overwrite:
        return true;
    case ChangedFileChoice::Merge:
        return mergeChangesOnDisk();
    case ChangedFileChoice::Cancel:
        return false;
    }
    return false;
}

bool FileCommands::mergeChangesOnDisk() {
    const std::optional<RomImage> onDisk = readFileOnDisk(QStringLiteral("Merge failed"));
    if (!onDisk)
        return false;
    const RomImage asLoaded = fileAsLoaded();
    const QString name = shownPath(QFileInfo(openPath()).fileName());
    const MergeRequest request{
        asLoaded,
        *onDisk,
        QStringLiteral("the file on disk"),
        QStringLiteral("Merge the changes on disk"),
        {QStringLiteral("Merge the Changes on Disk"),
         QStringLiteral("Since %1 was loaded or last saved here, another program and your edits "
                        "have changed %2 differently. Choose which value each place keeps; "
                        "nothing is saved until you press Merge.")
             .arg(name, QStringLiteral("%1")),
         QStringLiteral("Theirs"),
         QStringLiteral("Take Theirs"),
         {}}};
    mergeBeforeSave =
        mergeIntoDocument(rom, history, request, {readings, chestLocations()}, prompts, window);
    if (mergeBeforeSave)
        mergeBeforeSave->source = QStringLiteral("the changes on disk");
    return mergeBeforeSave.has_value();
}

bool FileCommands::writeIntoFile() {
    // The first save of a file in a session keeps its previous contents as NAME.bak.
    const std::string& path = rom.getPath();
    const QString key = openPath();
    const bool backUp = settings.keepBackups() && !backedUp.contains(key);
    const Status written = backUp ? saveWithBackup(rom, path + ".bak") : rom.save();
    if (!written) {
        prompts.reportFailure(window, QStringLiteral("Save failed"),
                              QString::fromStdString(written.message()));
        return false;
    }
    if (backUp)
        backedUp.insert(key);
    // The document matches its file now: undoing back to here makes it clean again.
    history.setClean();
    watchOpenFile();
    emit saved(shownPath(QFileInfo(openPath()).fileName()));
    return true;
}

bool FileCommands::saveAs() {
    if (!romLoaded)
        return false;
    const QString target = prompts.chooseSaveFile(window, openPath());
    if (target.isEmpty())
        return false;
    const Status written = rom.saveAs(fileSystemName(target));
    if (!written) {
        prompts.reportFailure(window, QStringLiteral("Save failed"),
                              QString::fromStdString(written.message()));
        return false;
    }
    settings.addRecentFile(target);
    history.setClean();
    watchOpenFile();
    emit saved(shownPath(QFileInfo(target).fileName()));
    return true;
}

// ---- Comparing ---------------------------------------------------------------------------

void FileCommands::compareWith() {
    if (!romLoaded)
        return;
    const QString path = prompts.chooseFile(
        window,
        {QStringLiteral("Compare With: Choose an Image of the Same Release"), romFileFilter(),
         QFileInfo(openPath()).path(), false, QStringLiteral("originals")});
    if (path.isEmpty())
        return;
    RomImage other;
    other.setJapanese(rom.isJapanese());
    bool declined = false;
    const UnnamedReleaseCheck loadAnyway = unnamedImageQuestion(declined);
    const Status loaded = loadRom(other, fileSystemName(path), loadAnyway);
    QString failure = loaded ? QString() : QString::fromStdString(loaded.message());
    if (loaded && other.variant() != rom.variant())
        failure = QStringLiteral("%1 is a %2 image and the open one a %3 image: only images "
                                 "of one release compare.")
                      .arg(quotedPath(path), toQString(releaseName(other.variant())),
                           toQString(releaseName(rom.variant())));
    if (!failure.isEmpty()) {
        if (!declined)
            prompts.reportFailure(window, QStringLiteral("Compare failed"), failure);
        return;
    }
    ChangesDialog changes(rom, readings,
                          {recordDifferences(other, rom), QFileInfo(path).fileName(),
                           [this, &other] { return changelog(other, rom); }},
                          window);
    changes.exec();
}

RomImage FileCommands::fileAsLoaded() const {
    // The image bytes without what a merge wrote, and the tables read from them.
    RomImage asLoaded = rom;
    asLoaded.putFileBytesBack();
    (void)asLoaded.parseTables();
    return asLoaded;
}

std::optional<RomImage> FileCommands::readFileOnDisk(const QString& title) {
    RomImage onDisk;
    onDisk.setJapanese(rom.isJapanese());
    const Status loaded = loadRom(onDisk, rom.getPath());
    QString failure = loaded ? QString() : QString::fromStdString(loaded.message());
    if (loaded && onDisk.variant() != rom.variant())
        failure = QStringLiteral("The file on disk is a %1 image now; the open one is a %2 image.")
                      .arg(toQString(releaseName(onDisk.variant())),
                           toQString(releaseName(rom.variant())));
    if (!failure.isEmpty()) {
        prompts.reportFailure(window, title, failure);
        return std::nullopt;
    }
    return onDisk;
}

void FileCommands::showChangesOnDisk() {
    const RomImage asLoaded = fileAsLoaded();
    const std::optional<RomImage> read = readFileOnDisk(QStringLiteral("Show Changes"));
    if (!read)
        return;
    const RomImage& onDisk = *read;
    ChangesDialog changes(
        onDisk, readings,
        {recordDifferences(asLoaded, onDisk),
         QStringLiteral("%1 as Loaded").arg(shownPath(QFileInfo(openPath()).fileName())),
         [this, &asLoaded, &onDisk] { return changelog(asLoaded, onDisk); }},
        window);
    changes.exec();
}

// ---- Watching the open file --------------------------------------------------------------

void FileCommands::startWatching() {
    if (watcher)
        return;
    watcher = std::make_unique<QFileSystemWatcher>();
    connect(watcher.get(), &QFileSystemWatcher::fileChanged, &settleTimer,
            qOverload<>(&QTimer::start));
    if (!romLoaded)
        return;
    watchOpenFile();
    lookAtOpenFile();
}

void FileCommands::watchOpenFile() {
    if (watcher) {
        // A save by rename puts another file under the name: the watch starts afresh on it.
        if (const QStringList watched = watcher->files(); !watched.isEmpty())
            watcher->removePaths(watched);
        if (QFileInfo::exists(openPath()))
            watcher->addPath(openPath());
    }
    if (notifiedChange != FileChange::None) {
        notifiedChange = FileChange::None;
        emit matchesDisk();
    }
}

void FileCommands::lookAtOpenFile() {
    if (!romLoaded)
        return;
    // Another program that saves by rename leaves the watch on a file that has no name.
    if (watcher && QFileInfo::exists(openPath()) && !watcher->files().contains(openPath()))
        watcher->addPath(openPath());
    const FileChange change = rom.openFile().lookAgain(rom.getPath());
    if (change == notifiedChange)
        return;
    notifiedChange = change;
    if (change == FileChange::None)
        emit matchesDisk();
    else
        emit changedOnDisk(QString::fromStdString(fileChangeText(
                               change, std::filesystem::path(rom.getPath()).filename())),
                           change != FileChange::Gone);
}

} // namespace tarnwick
