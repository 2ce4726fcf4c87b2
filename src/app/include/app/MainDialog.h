#pragma once

#include "app/AppSettings.h"
#include "app/CheckImageDialog.h"
#include "app/DataFiles.h"
#include "app/TableFileCommands.h"
#include "rom/RomImage.h"

#include <QDialog>
#include <QHash>
#include <QIcon>
#include <QPointer>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QLineEdit;
class QPushButton;

namespace tarnwick {

class EditHistory;
class RomImage;

// What the user answers when edits that are not saved would be lost.
enum class UnsavedChoice { Save, Discard, Cancel };

// The main window: the File, Option and Help menus, the box showing the loaded image's title
// and the buttons that open the editors. It drives the document (load, save, release switch)
// and owns nothing but the flag that says whether an image is loaded.
class MainDialog : public QDialog {
    Q_OBJECT

public:
    // The questions the window asks the user; tests replace them.
    struct Prompts {
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
    };
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
    bool loadFile(const QString& path);
    bool isRomLoaded() const { return romLoaded; }
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
    void onSaveAs();
    // Lists every byte that saving would change.
    void showChanges();
    // Lists every byte where the tables differ from another image the user chooses.
    void compareWith();
    // Opens, or brings forward, the list of mistakes across records.
    void showCheckImage();
    // The changes from original to the document, as a mod's release notes.
    std::string changelogFrom(const RomImage& original) const;
    void fillRecentFiles();
    void onJapaneseToggled(bool checked);
    void onAbout();
    void onEditorButton(int controlId);
    // Runs one editor on the document as a modal dialog of this window, at a record if given.
    // The text files are read at every opening, so an edited one is picked up.
    template <typename Editor> void runEditor(std::optional<int> record = std::nullopt) {
        Editor editor(rom, history, this, readEditorTexts(programFolder, readings));
        if constexpr (requires { editor.selectRecord(0); })
            if (record)
                editor.selectRecord(*record);
        editor.exec();
    }

    // Asks whether to load an image whose header names no release; a No sets declined, so
    // the refusal that follows is not reported as a failure as well.
    UnnamedReleaseCheck unnamedImageQuestion(bool& declined);
    // Lets the user save or drop unsaved edits before they would be lost; false means stop.
    bool settleUnsavedEdits();
    // Saves into the image file, the first time in a session keeping its previous contents as
    // NAME.bak unless the user turned that off; false (with the reason reported) on failure.
    bool saveRom();
    void saved();
    // The title names the file and marks unsaved edits; Save needs an image.
    void refreshFileState();
    void setJapaneseChecked(bool checked);
    void showLoadedTitle();
    void pointAtTitleBox();

    RomImage& rom;
    EditHistory& history;
    std::unique_ptr<AppSettings> settings;
    Prompts prompts;
    QSet<QString> backedUp;
    QMenu* recentMenu = nullptr;
    QStatusBar* statusBar = nullptr;
    QLabel* pathLabel = nullptr; // the open file's path, when the whole path is shown
    QPointer<CheckImageDialog> checkDialog;
    QHash<int, QAction*> actions;
    QHash<int, QWidget*> controls;
    QLineEdit* titleBox = nullptr;
    QPushButton* animButton = nullptr;
    QIcon icon;
    QString programFolder;
    CharacterTable readings;
    bool romLoaded = false;
};

} // namespace tarnwick
