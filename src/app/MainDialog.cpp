#include "app/MainDialog.h"

#include "app/AboutDialog.h"
#include "app/AppSettings.h"
#include "app/ChangesDialog.h"
#include "app/CheckImageDialog.h"
#include "app/DataFiles.h"
#include "app/FileChangedNotice.h"
#include "app/FileDialogs.h"
#include "app/MergeModCommand.h"
#include "controls/WindowPlacement.h"
#include "editors/AnimString14Dialog.h"
#include "editors/AnimString8Dialog.h"
#include "editors/ChestEditorDialog.h"
#include "editors/EsperEditorDialog.h"
#include "editors/FontEditorDialog.h"
#include "editors/ManualWindow.h"
#include "editors/ShopEditorDialog.h"
#include "graphics/Changelog.h"
#include "graphics/GlyphSheets.h"
#include "io/AtomicFile.h"
#include "qtio/FileNames.h"
#include "resources/AppResources.h"
#include "resources/ControlHelp.h"
#include "resources/DeferredIcon.h"
#include "resources/MainTemplates.h"
#include "rom/EditHistory.h"
#include "rom/MonsterBox.h"
#include "rom/RomImage.h"
#include "rom/TableDifferences.h"

#include <QAction>
#include <QBoxLayout>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStatusTipEvent>

#include <algorithm>

namespace tarnwick {
namespace {

const QString noRomText = QStringLiteral("No ROM Loaded");

constexpr int editorButtons[] = {mainControl::chests, mainControl::espers, mainControl::shops,
                                 mainControl::anim8,  mainControl::anim14, mainControl::fonts};

// A path cut in the middle when it is wider than the label, so that its file name stays in view.
class PathLabel final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect area = contentsRect();
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width()));
    }
};

// A status bar that cuts a message too long for it with an ellipsis instead of mid-word; its
// tooltip then holds the whole text. The message itself stays whole (currentMessage).
class ElidingStatusBar final : public QStatusBar {
public:
    using QStatusBar::QStatusBar;

protected:
    void paintEvent(QPaintEvent* event) override {
        const QString message = currentMessage();
        if (message.isEmpty()) {
            setToolTip({});
            QStatusBar::paintEvent(event);
            return;
        }
        // The message runs up to the first permanent widget, as the plain status bar draws it.
        int right = contentsRect().right() - 6;
        for (const QObject* child : children())
            if (const auto* widget = qobject_cast<const QWidget*>(child);
                widget != nullptr && widget->isVisible())
                right = std::min(right, widget->geometry().left() - 6);
        const QRect area(contentsRect().left() + 6, contentsRect().top(),
                         right - contentsRect().left() - 6, contentsRect().height());
        const QString shown = fontMetrics().elidedText(message, Qt::ElideRight, area.width());
        setToolTip(shown == message ? QString() : message);
        QPainter painter(this);
        painter.setPen(palette().windowText().color());
        painter.drawText(area, Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    }
};

// The single local file that a drag carries, or an empty string.
QString droppedFile(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasUrls() || mime->urls().size() != 1)
        return {};
    const QUrl url = mime->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

MainDialog::Prompts MainDialog::standardPrompts(AppSettings& settings) {
    return standardWindowPrompts(settings);
}

MainDialog::MainDialog(RomImage& document, EditHistory& steps, QWidget* parent,
                       std::unique_ptr<AppSettings> givenSettings)
    : QDialog(parent), rom(document), history(steps),
      settings(givenSettings ? std::move(givenSettings) : std::make_unique<AppSettings>()),
      prompts(standardPrompts(*settings)),
      icon((registerAppResources(), deferredIcon(QStringLiteral(":/icons/tarnwick.svg")))),
      programFolder(QCoreApplication::applicationDirPath()) {
    rom.setPath({});
    files = new FileCommands(
        rom, history, *settings, prompts, readings,
        [this](const RomImage& original, const RomImage& modified) {
            return changelogBetween(original, modified);
        },
        [this] { return chestLocations(); }, this);
    connect(files, &FileCommands::loaded, this, &MainDialog::imageLoaded);
    connect(files, &FileCommands::saved, this, &MainDialog::saved);
    connect(files, &FileCommands::stateChanged, this, &MainDialog::refreshFileState);
    connect(files, &FileCommands::mergedOnSave, this, &MainDialog::showMerge);
    setWindowIcon(icon);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAcceptDrops(true);
    buildControls();
    keepOnScreen(this, findChild<QWidget*>(QStringLiteral("surface"), Qt::FindDirectChildrenOnly));
    buildMenu();
    connectButtons();
    // Another program's change to the open file shows in the window; Reload reads it again.
    connect(files, &FileCommands::changedOnDisk, this, [this](const QString& text, bool canReload) {
        fileChangedNotice().showChange(text, canReload);
    });
    connect(files, &FileCommands::matchesDisk, this, &MainDialog::hideFileChangedNotice);
    titleBox->setText(noRomText);
    titleBox->setFocus();
    // The window's own question can list the changes it asks about.
    prompts.askAboutUnsavedEdits = [this](QWidget* owner) {
        return askAboutUnsavedEditsWithMessageBox(owner, [this] { showChanges(); });
    };
    // Whatever changes the tables (an editor, undo, an import), the findings follow.
    history.setChangeListener([this] {
        // A merge's bytes, and their undo, may have changed the font or the palettes.
        if (history.lastChangeWroteImageBytes())
            sheetsOutOfDate = true;
        if (checkDialog)
            checkDialog->refresh();
    });
    refreshFileState();
    // The settings a start-up changes (the image opened) are written once the window is drawn.
    settings->holdWrites();
}

MainDialog::~MainDialog() {
    history.setChangeListener({});
}

// ---- Changes and checks ------------------------------------------------------------------

void MainDialog::showChanges() {
    ChangesDialog changes(rom, readings,
                          {tableDifferences(rom),
                           {},
                           [this] {
                               // The tables as the image file holds them.
                               RomImage original = rom;
                               (void)original.parseTables();
                               return changelogBetween(original, rom);
                           }},
                          this);
    changes.exec();
}

std::string MainDialog::changelogBetween(const RomImage& original, const RomImage& modified) const {
    return changelogText(changelog(original, modified, readings, chestLocations()),
                         ChangelogStyle::Plain);
}

std::vector<std::string> MainDialog::chestLocations() const {
    return chestLocationLines(dataFileFolders(rom.getPath(), programFolder));
}

void MainDialog::mergeMod() {
    if (const std::optional<MergeReport> report =
            mergeModCommand(rom, history, {readings, chestLocations()}, prompts, this))
        showMerge(*report);
    refreshFileState();
}

void MainDialog::showMerge(const MergeReport& report) {
    refreshFileState();
    statusBar->showMessage(report.status, 10000);
    if (checkDialog && report.changed)
        checkDialog->markIntroduced(report.introduced, report.source);
}

void MainDialog::showCheckImage() {
    if (!isRomLoaded())
        return;
    if (!checkDialog) {
        checkDialog = new CheckImageDialog(rom, readings, this);
        checkDialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(checkDialog, &CheckImageDialog::openRecord, this, &MainDialog::openEditorAt);
    }
    checkDialog->show();
    checkDialog->raise();
    checkDialog->activateWindow();
}

void MainDialog::openEditorAt(const QString& table, int record) {
    if (!isRomLoaded())
        return;
    if (table == QLatin1String("chestTable"))
        runEditor<ChestEditorDialog>(record);
    else if (table == QLatin1String("monsterBoxTable"))
        runEditor<ChestEditorDialog>(firstChestOpening(rom, record));
    else if (table == QLatin1String("shopTable"))
        runEditor<ShopEditorDialog>(record);
    else if (table == QLatin1String("esperTable"))
        runEditor<EsperEditorDialog>(record);
    else if (table == QLatin1String("anim8Table"))
        runEditor<AnimString8Dialog>(record);
    else if (table == QLatin1String("anim14Table"))
        runEditor<AnimString14Dialog>(record);
    refreshFileState();
}

void MainDialog::buildMenu() {
    // Filled before it joins the window: as a child it would be 100 pixels wide until the
    // first layout, and the menus that do not fit go into an overflow menu that stays made.
    auto* bar = new QMenuBar;
    bar->setObjectName(QStringLiteral("menuBar"));
    QHash<QString, QMenu*> menuOfTitle;
    for (const MenuItemTemplate& item : mainMenuTemplate()) {
        const QString title = toQString(item.menu);
        QMenu* menu = menuOfTitle.value(title);
        if (menu == nullptr) {
            menu = menus.emplace_back(std::make_unique<QMenu>(title)).get();
            bar->addMenu(menu);
            menuOfTitle.insert(title, menu);
        }
        if (item.command == 0) {
            menu->addSeparator();
            continue;
        }
        if (item.command == command::recentFiles) {
            // Filled each time it opens, so files that have gone since show disabled.
            recentMenu = menu->addMenu(toQString(item.text));
            recentMenu->setObjectName(QStringLiteral("recentMenu"));
            connect(recentMenu, &QMenu::aboutToShow, this, &MainDialog::fillRecentFiles);
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
    connect(actions.value(command::saveAs), &QAction::triggered, files, &FileCommands::saveAs);
    connect(actions.value(command::reload), &QAction::triggered, files, &FileCommands::reload);
    connect(actions.value(command::changes), &QAction::triggered, this, &MainDialog::showChanges);
    connect(actions.value(command::compareWith), &QAction::triggered, files,
            &FileCommands::compareWith);
    connect(actions.value(command::checkImage), &QAction::triggered, this,
            &MainDialog::showCheckImage);
    connect(actions.value(command::mergeMod), &QAction::triggered, this, &MainDialog::mergeMod);
    // The tables file commands report success in the status bar; an import is an edit.
    const auto connectFileCommand = [this](int id, auto run) {
        connect(actions.value(id), &QAction::triggered, this, [this, run] {
            const QString done = run(this, prompts.chooseFile, prompts.reportFailure);
            refreshFileState();
            if (!done.isEmpty())
                statusBar->showMessage(done, 5000);
        });
    };
    connectFileCommand(command::exportTables, [this](auto&&... args) {
        return exportTablesCommand(rom, readings, args...);
    });
    connectFileCommand(command::importTables, [this](auto&&... args) {
        return importTablesCommand(rom, history, args...);
    });
    connectFileCommand(command::createPatch,
                       [this](auto&&... args) { return createPatchCommand(rom, args...); });
    actions.value(command::redo)
        ->setShortcuts(
            {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    connect(actions.value(command::undo), &QAction::triggered, this, [this] {
        history.undo(rom);
        refreshFileState();
    });
    connect(actions.value(command::redo), &QAction::triggered, this, [this] {
        history.redo(rom);
        refreshFileState();
    });
    QAction* backups = actions.value(command::keepBackups);
    backups->setChecked(settings->keepBackups());
    connect(backups, &QAction::toggled, this,
            [this](bool keep) { settings->setKeepBackups(keep); });
    connect(actions.value(command::exit), &QAction::triggered, this, &QDialog::accept);
    connect(actions.value(command::japanese), &QAction::triggered, this,
            &MainDialog::onJapaneseToggled);
    connect(actions.value(command::about), &QAction::triggered, this, &MainDialog::onAbout);
    connect(actions.value(command::manual), &QAction::triggered, this,
            [this] { openManual(this); });

    layout()->setMenuBar(bar);
}

void MainDialog::buildControls() {
    controls =
        buildFromTemplate(mainDialogTemplate(), addTemplateSurface(*this, mainDialogTemplate()));
    applyControlHelp(mainDialogId, controls);
    statusBar = new ElidingStatusBar(this);
    statusBar->setObjectName(QStringLiteral("statusBar"));
    statusBar->setSizeGripEnabled(false);
    // The release the tables are read as, whatever the Japanese option's check mark says.
    releaseLabel = new QLabel(statusBar);
    releaseLabel->setObjectName(QStringLiteral("releaseLabel"));
    statusBar->addPermanentWidget(releaseLabel);
    layout()->addWidget(statusBar);
    titleBox = qobject_cast<QLineEdit*>(controls.value(mainControl::titleBox));
    animButton = qobject_cast<QPushButton*>(controls.value(mainControl::anim14));
}

FileChangedNotice& MainDialog::fileChangedNotice() {
    // Made when first needed: most sessions never see it, and a hidden bar is still set up.
    if (changedNotice == nullptr) {
        changedNotice = new FileChangedNotice(this);
        auto* rows = qobject_cast<QBoxLayout*>(layout());
        rows->insertWidget(rows->indexOf(statusBar), changedNotice);
        connect(changedNotice, &FileChangedNotice::reloadRequested, files, &FileCommands::reload);
    }
    return *changedNotice;
}

void MainDialog::hideFileChangedNotice() {
    if (changedNotice != nullptr)
        changedNotice->hide();
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
    if (files->settleUnsavedEdits())
        QDialog::done(result);
}

bool MainDialog::event(QEvent* event) {
    if (event->type() == QEvent::Paint && !drawn) {
        drawn = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                settings->releaseWrites();
                files->startWatching();
            },
            Qt::QueuedConnection);
    }
    // The status bar repeats the help of the control under the pointer.
    if (event->type() == QEvent::StatusTip) {
        statusBar->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QDialog::event(event);
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

void MainDialog::imageLoaded() {
    // The image settled the release: the check mark follows it.
    setJapaneseChecked(rom.isJapanese());
    showLoadedTitle();
    hideFileChangedNotice();
    if (checkDialog)
        checkDialog->markIntroduced({}, {});
    sheetsOutOfDate = true;
    readCharacterTable();
    refreshFileState();
}

void MainDialog::showLoadedTitle() {
    const GameString title = rom.internalTitle();
    // The title's bytes are shown as Latin-1 text, unconverted otherwise.
    titleBox->setText(QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size())));
    titleBox->setCursorPosition(0);
    animButton->setText(rom.isGba() ? QStringLiteral("&15-Byte") : QStringLiteral("&14-Byte"));
}

void MainDialog::onSave() {
    if (!isRomLoaded()) {
        pointAtTitleBox();
        return;
    }
    (void)files->save();
}

void MainDialog::saved(const QString& name) {
    refreshFileState();
    statusBar->showMessage(QStringLiteral("Saved %1.").arg(name), 5000);
}

void MainDialog::refreshFileState() {
    actions.value(command::save)->setEnabled(isRomLoaded());
    actions.value(command::saveAs)->setEnabled(isRomLoaded());
    actions.value(command::reload)->setEnabled(isRomLoaded());
    for (const int id : {command::changes, command::compareWith, command::checkImage})
        actions.value(id)->setEnabled(isRomLoaded());
    // A load or a release switch reads other tables and names: the findings follow them too.
    if (checkDialog)
        checkDialog->refresh();
    for (const int id :
         {command::exportTables, command::importTables, command::createPatch, command::mergeMod})
        actions.value(id)->setEnabled(isRomLoaded());
    // The commands name the step they take back or bring again: "Undo Chest 12: X".
    const auto nameStep = [this](int id, const QString& verb, const std::string& step) {
        QAction* action = actions.value(id);
        action->setEnabled(isRomLoaded() && !step.empty());
        action->setText(isRomLoaded() && !step.empty()
                            ? verb + QLatin1Char(' ') + QString::fromStdString(step)
                            : verb);
    };
    nameStep(command::undo, QStringLiteral("&Undo"), history.nextUndoName());
    nameStep(command::redo, QStringLiteral("&Redo"), history.nextRedoName());
    if (!isRomLoaded()) {
        setWindowTitle(toQString(mainDialogTemplate().caption));
        setWindowModified(false);
        releaseLabel->clear();
        if (pathLabel != nullptr)
            pathLabel->clear();
        return;
    }
    const QString path = shownPath(nameFromFileSystem(rom.getPath()));
    // The file's name first, where a narrow title bar still shows it, then its folder.
    const QFileInfo file(path);
    QString folder = file.absolutePath();
    const QString home = QDir::homePath();
    if (folder == home || folder.startsWith(home + QLatin1Char('/')))
        folder = QLatin1Char('~') + folder.mid(home.size());
    setWindowTitle(QStringLiteral("%1[*] \u2013 %2 \u2013 %3")
                       .arg(file.fileName(), folder, toQString(mainDialogTemplate().caption)));
    releaseLabel->setText(toQString(releaseName(rom.variant())));
    // The history knows whether the document is as it was last loaded or saved.
    setWindowModified(hasUnsavedEdits(history, rom));
    if (pathLabel != nullptr) {
        pathLabel->setText(path);
        pathLabel->setToolTip(path);
    }
}

void MainDialog::setFullPathShown(bool shown) {
    if (shown == (pathLabel != nullptr))
        return;
    if (shown) {
        // A normal status bar widget: a passing message covers it, and it shows again after.
        pathLabel = new PathLabel(statusBar);
        pathLabel->setObjectName(QStringLiteral("pathLabel"));
        // A long path is cut off rather than widening the window.
        pathLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        statusBar->addWidget(pathLabel, 1);
    } else {
        delete pathLabel;
        pathLabel = nullptr;
    }
    refreshFileState();
}

void MainDialog::fillRecentFiles() {
    recentMenu->clear();
    const QStringList recent = settings->recentFiles();
    if (recent.isEmpty()) {
        recentMenu->addAction(QStringLiteral("(none)"))->setEnabled(false);
        return;
    }
    for (const QString& file : recent) {
        QAction* entry = recentMenu->addAction(file);
        entry->setEnabled(QFileInfo::exists(file));
        connect(entry, &QAction::triggered, this, [this, file] { loadFile(file); });
    }
}

// ---- Release -----------------------------------------------------------------------------

void MainDialog::onJapaneseToggled(bool checked) {
    // The action has already moved its check mark; put it back if the user keeps things as
    // they are: the image's header names the other release, or the edits are not to be lost.
    const QString warning =
        isRomLoaded() ? QString::fromStdString(rom.releaseSwitchWarning(checked)) : QString();
    const bool keep = !warning.isEmpty() && !prompts.switchAgainstHeader(this, warning);
    if (keep || (isRomLoaded() && !files->settleUnsavedEdits())) {
        setJapaneseChecked(!checked);
        return;
    }
    rom.setJapanese(checked);
    if (!isRomLoaded())
        return;
    sheetsOutOfDate = true;
    const Status parsed = rom.parseTables();
    if (parsed) {
        // The tables are read afresh: no earlier step applies to them, nor a merge's bytes.
        const bool merged = rom.imageDiffersFromFile();
        rom.putFileBytesBack();
        if (merged) {
            (void)rom.parseTables();
            sheetsOutOfDate = true;
        }
        history.clear();
    }
    if (!parsed) {
        // The image is too short for the other release: stay with the one that worked.
        prompts.reportFailure(this, QStringLiteral("Cannot switch release"),
                              QString::fromStdString(parsed.message()));
        rom.setJapanese(!checked);
        setJapaneseChecked(!checked);
        sheetsOutOfDate = true;
    }
    readCharacterTable();
    refreshFileState();
}

void MainDialog::setJapaneseChecked(bool checked) {
    QAction* japanese = actions.value(command::japanese);
    const QSignalBlocker blocker(japanese);
    japanese->setChecked(checked);
}

void MainDialog::prepareGlyphSheets() {
    if (sheetsOutOfDate)
        buildGlyphSheets();
}

void MainDialog::buildGlyphSheets() {
    tarnwick::buildGlyphSheets(rom);
    sheetsOutOfDate = false;
}

void MainDialog::readCharacterTable() {
    QString warning;
    readings =
        characterTableFor(rom.variant(), dataFileFolders(rom.getPath(), programFolder), &warning);
    if (!warning.isEmpty())
        statusBar->showMessage(warning, 10000);
}

// ---- Other commands ----------------------------------------------------------------------

void MainDialog::onAbout() {
    AboutDialog about(this);
    about.exec();
}

void MainDialog::onEditorButton(int controlId) {
    if (!isRomLoaded()) {
        pointAtTitleBox();
        return;
    }
    switch (controlId) {
    case mainControl::chests:
        runEditor<ChestEditorDialog>();
        break;
    case mainControl::shops:
        runEditor<ShopEditorDialog>();
        break;
    case mainControl::espers:
        runEditor<EsperEditorDialog>();
        break;
    case mainControl::anim8:
        runEditor<AnimString8Dialog>();
        break;
    case mainControl::anim14:
        runEditor<AnimString14Dialog>();
        break;
    case mainControl::fonts:
        runEditor<FontEditorDialog>();
        break;
    default:
        break;
    }
    refreshFileState();
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
