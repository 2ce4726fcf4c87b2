#pragma once

#include <QDialog>
#include <QHash>
#include <QIcon>
#include <QString>

#include <functional>

class QAction;
class QLineEdit;
class QPushButton;

namespace tarnwick {

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
    };
    static Prompts standardPrompts();

    explicit MainDialog(RomImage& rom, QWidget* parent = nullptr);
    void setPrompts(Prompts newPrompts) { prompts = std::move(newPrompts); }

    // File > Load after the file is chosen (also a dropped file or one named at start).
    // Returns true when the image was loaded.
    bool loadFile(const QString& path);
    bool isRomLoaded() const { return romLoaded; }
    QAction* commandAction(int commandId) const { return actions.value(commandId); }

    // Rebuilds the document's font sheet, palette sheet and glyph table from the loaded image.
    void buildGlyphSheets();

public slots:
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenu();
    void buildControls();
    void connectButtons();

    void onLoad();
    void onSave();
    void onJapaneseToggled(bool checked);
    void onAbout();
    void onEditorButton(int controlId);

    // Lets the user save or drop unsaved edits before they would be lost; false means stop.
    bool settleUnsavedEdits();
    bool saveRom();
    void setJapaneseChecked(bool checked);
    void showLoadedTitle();
    void pointAtTitleBox();

    RomImage& rom;
    Prompts prompts;
    QHash<int, QAction*> actions;
    QHash<int, QWidget*> controls;
    QLineEdit* titleBox = nullptr;
    QPushButton* animButton = nullptr;
    QIcon icon;
    bool romLoaded = false;
};

} // namespace tarnwick
