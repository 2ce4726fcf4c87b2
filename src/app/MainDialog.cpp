#include "app/MainDialog.h"

#include "app/AboutDialog.h"
#include "app/RomFileDialog.h"
#include "editors/AnimString14Dialog.h"
#include "editors/AnimString8Dialog.h"
#include "editors/EsperEditorDialog.h"
#include "editors/FontEditorDialog.h"
#include "editors/ShopEditorDialog.h"
#include "graphics/GlyphSheets.h"
#include "resources/AppResources.h"
#include "resources/MainTemplates.h"
#include "rom/RomImage.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tarnwick {
namespace {

const QString noRomText = QStringLiteral("No ROM Loaded");

constexpr int editorButtons[] = {mainControl::chests, mainControl::espers, mainControl::shops,
                                 mainControl::anim8,  mainControl::anim14, mainControl::fonts};

UnsavedChoice askWithMessageBox(QWidget* parent) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tarnwick"),
                    QStringLiteral("The tables have changes that are not saved."),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setInformativeText(QStringLiteral("Save them into the image file first?"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return UnsavedChoice::Save;
    case QMessageBox::Discard:
        return UnsavedChoice::Discard;
    default:
        return UnsavedChoice::Cancel;
    }
}

bool askToLoadUnnamedImage(QWidget* parent, const QString& reason, const QString& release) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Tarnwick"), reason,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setInformativeText(
        QStringLiteral("Load it anyway as %1? Its tables may show nonsense, and saving it writes "
                       "them into the file.")
            .arg(release));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void reportWithMessageBox(QWidget* parent, const QString& title, const QString& message) {
    QMessageBox::warning(parent, title, message);
}

// The single local file that a drag carries, or an empty string.
QString droppedFile(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasUrls() || mime->urls().size() != 1)
        return {};
    const QUrl url = mime->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

MainDialog::Prompts MainDialog::standardPrompts() {
    return {chooseRomFileWithDialog, askWithMessageBox, askToLoadUnnamedImage,
            reportWithMessageBox};
}

MainDialog::MainDialog(RomImage& document, QWidget* parent)
    : QDialog(parent), rom(document), prompts(standardPrompts()),
      icon((registerAppResources(), QStringLiteral(":/icons/tarnwick.svg"))) {
    rom.setPath({});
    setWindowTitle(toQString(mainDialogTemplate().caption));
    setWindowIcon(icon);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(dialogFont());
    setAcceptDrops(true);
    buildMenu();
    buildControls();
    connectButtons();
    titleBox->setText(noRomText);
    titleBox->setFocus();
}

void MainDialog::buildMenu() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    QHash<QString, QMenu*> menus;
    for (const MenuItemTemplate& item : mainMenuTemplate()) {
        const QString title = toQString(item.menu);
        QMenu* menu = menus.value(title);
        if (menu == nullptr) {
            menu = bar->addMenu(title);
            menus.insert(title, menu);
        }
        if (item.command == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(toQString(item.text));
        action->setProperty(controlIdProperty, item.command);
        action->setCheckable(item.checkable);
        if (!item.shortcut.empty())
            action->setShortcut(QKeySequence(toQString(item.shortcut)));
        actions.insert(item.command, action);
    }
    connect(actions.value(command::load), &QAction::triggered, this, &MainDialog::onLoad);
    connect(actions.value(command::save), &QAction::triggered, this, &MainDialog::onSave);
    connect(actions.value(command::exit), &QAction::triggered, this, &QDialog::accept);
    connect(actions.value(command::japanese), &QAction::triggered, this,
            &MainDialog::onJapaneseToggled);
    connect(actions.value(command::about), &QAction::triggered, this, &MainDialog::onAbout);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setMenuBar(bar);
}

void MainDialog::buildControls() {
    auto* surface = new QWidget(this);
    surface->setObjectName(QStringLiteral("surface"));
    controls = buildFromTemplate(mainDialogTemplate(), surface);
    layout()->addWidget(surface);
    titleBox = qobject_cast<QLineEdit*>(controls.value(mainControl::titleBox));
    animButton = qobject_cast<QPushButton*>(controls.value(mainControl::anim14));
}

void MainDialog::connectButtons() {
    for (const int id : editorButtons) {
        auto* button = qobject_cast<QPushButton*>(controls.value(id));
        connect(button, &QPushButton::clicked, this, [this, id] { onEditorButton(id); });
    }
}

// ---- Closing -----------------------------------------------------------------------------

void MainDialog::done(int result) {
    // Exit, Escape, Enter and the close box all end here; unsaved edits are offered first.
    if (settleUnsavedEdits())
        QDialog::done(result);
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // Enter presses the focused button; elsewhere it closes the window like Exit.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        else
            accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// ---- Loading and saving ------------------------------------------------------------------

void MainDialog::onLoad() {
    const QString path = prompts.chooseRomFile(this);
    if (!path.isEmpty())
        loadFile(path);
}

bool MainDialog::loadFile(const QString& path) {
    if (!settleUnsavedEdits())
        return false;
    titleBox->setText(noRomText);
    romLoaded = false;

    bool declined = false;
    const auto loadAnyway = [this, &declined](const std::string& reason) {
        declined = !prompts.loadUnnamedImage(this, QString::fromStdString(reason),
                                             toQString(releaseName(rom.variant())));
        return !declined;
    };
    const Status loaded = loadRom(rom, QFile::encodeName(path).toStdString(), loadAnyway);
    // The image settled the release, or a failed load kept it: the check mark follows the
    // document's flag either way.
    setJapaneseChecked(rom.isJapanese());
    if (!loaded) {
        if (!declined)
            prompts.reportFailure(this, QStringLiteral("Load failed"),
                                  QString::fromStdString(loaded.message()));
        return false;
    }
    showLoadedTitle();
    romLoaded = true;
    buildGlyphSheets();
    return true;
}

void MainDialog::showLoadedTitle() {
    const GameString title = rom.internalTitle();
    // The title's bytes are shown as Latin-1 text, unconverted otherwise.
    titleBox->setText(QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size())));
    titleBox->setCursorPosition(0);
    animButton->setText(rom.isGba() ? QStringLiteral("15-Byte") : QStringLiteral("14-Byte"));
}

void MainDialog::onSave() {
    if (!romLoaded) {
        pointAtTitleBox();
        return;
    }
    (void)saveRom();
}

bool MainDialog::saveRom() {
    const Status saved = rom.save();
    if (!saved) {
        prompts.reportFailure(this, QStringLiteral("Save failed"),
                              QString::fromStdString(saved.message()));
        return false;
    }
    return true;
}

bool MainDialog::settleUnsavedEdits() {
    if (!romLoaded || !rom.tablesDifferFromImage())
        return true;
    switch (prompts.askAboutUnsavedEdits(this)) {
    case UnsavedChoice::Save:
        return saveRom();
    case UnsavedChoice::Discard:
        return true;
    case UnsavedChoice::Cancel:
        return false;
    }
    return false;
}

// ---- Release -----------------------------------------------------------------------------

void MainDialog::onJapaneseToggled(bool checked) {
    // The action has already moved its check mark; put it back if the user keeps the edits.
    if (romLoaded && !settleUnsavedEdits()) {
        setJapaneseChecked(!checked);
        return;
    }
    rom.setJapanese(checked);
    if (!romLoaded)
        return;
    buildGlyphSheets();
    const Status parsed = rom.parseTables();
    if (!parsed) {
        // The image is too short for the other release: stay with the one that worked.
        prompts.reportFailure(this, QStringLiteral("Cannot switch release"),
                              QString::fromStdString(parsed.message()));
        rom.setJapanese(!checked);
        setJapaneseChecked(!checked);
        buildGlyphSheets();
    }
}

void MainDialog::setJapaneseChecked(bool checked) {
    QAction* japanese = actions.value(command::japanese);
    const QSignalBlocker blocker(japanese);
    japanese->setChecked(checked);
}

void MainDialog::buildGlyphSheets() {
    tarnwick::buildGlyphSheets(rom);
}

// ---- Other commands ----------------------------------------------------------------------

void MainDialog::onAbout() {
    AboutDialog about(this);
    about.exec();
}

void MainDialog::onEditorButton(int controlId) {
    if (!romLoaded) {
        pointAtTitleBox();
        return;
    }
    switch (controlId) {
    case mainControl::shops: {
        ShopEditorDialog editor(rom, this);
        editor.exec();
        break;
    }
    case mainControl::espers: {
        EsperEditorDialog editor(rom, this);
        editor.exec();
        break;
    }
    case mainControl::anim8: {
        AnimString8Dialog editor(rom, this);
        editor.exec();
        break;
    }
    case mainControl::anim14: {
        AnimString14Dialog editor(rom, this);
        editor.exec();
        break;
    }
    case mainControl::fonts: {
        FontEditorDialog editor(rom, this);
        editor.exec();
        break;
    }
    default:
        // The other editors are opened here once they exist.
        break;
    }
}

void MainDialog::pointAtTitleBox() {
    titleBox->setFocus(Qt::OtherFocusReason);
    titleBox->selectAll();
}

// ---- Dropping files ----------------------------------------------------------------------

void MainDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainDialog::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Load after the drop has finished, so the source application is not kept waiting on any
    // question or message the load brings up.
    QMetaObject::invokeMethod(
        this, [this, path] { loadFile(path); }, Qt::QueuedConnection);
}

} // namespace tarnwick
