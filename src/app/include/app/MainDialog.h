#pragma once

#include "app/AppSettings.h"
#include "app/CheckImageDialog.h"
#include "app/DataFiles.h"
#include "app/FileCommands.h"
#include "app/TableFileCommands.h"
#include "app/WindowPrompts.h"
#include "rom/RomImage.h"

#include <QDialog>
#include <QHash>
#include <QIcon>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QLineEdit;
class QPushButton;

namespace tarnwick {

class EditHistory;
class FileChangedNotice;
class RomImage;

// The main window: the File, Option and Help menus, the box showing the loaded image's title
// and the buttons that open the editors. It drives the document (load, save, release switch)
// and owns nothing but the flag that says whether an image is loaded.
class MainDialog : public QDialog {
    Q_OBJECT

public:
    // The questions the window asks the user; tests replace them.
    using Prompts = WindowPrompts;
    // The questions asked with the standard dialogs; the file dialogs remember their folder and
    // filter in settings.
    static Prompts standardPrompts(AppSettings& settings);

    // settings is the user's own unless a test gives others.
    MainDialog(RomImage& rom, EditHistory& history, QWidget* parent = nullptr,
               std::unique_ptr<AppSettings> settings = nullptr);
    ~MainDialog() override;
    void setPrompts(Prompts newPrompts) { prompts = std::move(newPrompts); }
    AppSettings& appSettings() { return *settings; }

    // File > Load after the file is chosen (also a dropped file or one named at start).
    // Returns true when the image was loaded.
    bool loadFile(const QString& path, std::optional<ImageFileRead> alreadyRead = {}) {
        return files->loadFile(path, std::move(alreadyRead));
    }
    bool isRomLoaded() const { return files->isRomLoaded(); }
    // Builds the document's font sheet, palette sheet and glyph table from the image, when it
    // changed since they were last built. Only the editors draw with them, so a load leaves
    // them to the first editor that opens.
    void prepareGlyphSheets();
    // The load, save and compare commands and the watch on the open file.
    FileCommands& fileCommands() { return *files; }
    // Names the open file by its whole path in the title and in the status bar, for a file kept
    // in a folder the user did not choose (the demo image).
    void setFullPathShown(bool shown);
    QAction* commandAction(int commandId) const { return actions.value(commandId); }

    // Rebuilds the document's font sheet, palette sheet and glyph table from the loaded image.
    void buildGlyphSheets();
    // Reads the release's readings again: the built-in ones and the user's table file, if any.
    void readCharacterTable();
    const CharacterTable& characterTable() const { return readings; }
    // Tools > Check Image's window while it is open, else nullptr.
    CheckImageDialog* checkImageDialog() const { return checkDialog; }
    // Opens the editor of the table with this key ("shopTable") at the record, as a modal
    // dialog; a monster-in-a-box entry opens the chest editor at the first chest using it.
    void openEditorAt(const QString& table, int record);
    // The folder searched first for the user's text files: the program's own, or the demo's.
    void setProgramFolder(const QString& folder) { programFolder = folder; }
    const QString& getProgramFolder() const { return programFolder; }

public slots:
    void done(int result) override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenu();
    void buildControls();
    void connectButtons();

    void onLoad();
    void onSave();
    // The window shows a new image: its title, release, sheets and readings.
    void imageLoaded();
    void saved(const QString& name);
    // Lists every byte that saving would change.
    void showChanges();
    // Opens, or brings forward, the list of mistakes across records.
    void showCheckImage();
    // File > Merge Mod, and what a merge brought in: the status bar says how much, and Check
    // Image, when open, marks the mistakes it introduced.
    void mergeMod();
    void showMerge(const MergeReport& report);
    // The chest location lines of the open image's data files.
    std::vector<std::string> chestLocations() const;
    // The changes from original to modified, as a mod's release notes.
    std::string changelogBetween(const RomImage& original, const RomImage& modified) const;
    void fillRecentFiles();
    void onJapaneseToggled(bool checked);
    void onAbout();
    void onEditorButton(int controlId);
    // Runs one editor on the document as a modal dialog of this window, at a record if given.
    // The text files are read at every opening, so an edited one is picked up.
    template <typename Editor> void runEditor(std::optional<int> record = std::nullopt) {
        prepareGlyphSheets();
        Editor editor(rom, history, this,
                      readEditorTexts(dataFileFolders(rom.getPath(), programFolder), readings));
        if constexpr (requires { editor.selectRecord(0); })
            if (record)
                editor.selectRecord(*record);
        editor.exec();
    }

    // The title names the file and marks unsaved edits; Save needs an image.
    void refreshFileState();
    void setJapaneseChecked(bool checked);
    void showLoadedTitle();
    void pointAtTitleBox();
    // The bar that says another program has changed the open file.
    FileChangedNotice& fileChangedNotice();
    void hideFileChangedNotice();

    RomImage& rom;
    EditHistory& history;
    std::unique_ptr<AppSettings> settings;
    Prompts prompts;
    // The menu bar's menus. They are windows of their own, owned here rather than by the main
    // window: a picture of the window (grab, --screenshot) lays out every child widget, hidden
    // windows too, and the menus need laying out only when they open.
    std::vector<std::unique_ptr<QMenu>> menus;
    QMenu* recentMenu = nullptr;
    QStatusBar* statusBar = nullptr;
    QLabel* pathLabel = nullptr; // the open file's path, when the whole path is shown
    QLabel* releaseLabel = nullptr;
    QPointer<CheckImageDialog> checkDialog;
    QHash<int, QAction*> actions;
    QHash<int, QWidget*> controls;
    QLineEdit* titleBox = nullptr;
    QPushButton* animButton = nullptr;
    QIcon icon;
    QString programFolder;
    CharacterTable readings;
    FileCommands* files = nullptr;
    FileChangedNotice* changedNotice = nullptr;
    bool drawn = false; // painted once: the settings' writes are no longer held
    // The image changed since the sheets were built: the next editor builds them again.
    bool sheetsOutOfDate = false;
};

} // namespace tarnwick
