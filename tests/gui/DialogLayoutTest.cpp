// Every dialog laid out at this run's scale (ctest runs the suite at QT_SCALE_FACTOR 1 and 2):
// no template control overlaps a sibling or pokes out of its dialog, every caption fits, and
// every window opens inside the screen.
#include "WindowTestSupport.h"

#include "app/AboutDialog.h"
#include "app/ChangesDialog.h"
#include "app/CheckImageDialog.h"
#include "app/DataFiles.h"
#include "demo/DemoTextFiles.h"
#include "editors/AnimString14Dialog.h"
#include "editors/AnimString8Dialog.h"
#include "editors/ChestEditorDialog.h"
#include "editors/EsperEditorDialog.h"
#include "editors/FontEditorDialog.h"
#include "editors/ManualWindow.h"
#include "editors/ShopEditorDialog.h"
#include "resources/MainTemplates.h"
#include "rom/TableDifferences.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionGroupBox>
#include <QtTest>

#include <functional>
#include <memory>

// Makes a dialog on the document, given the editors' texts and an image file of its release.
using MakeDialog = std::function<std::unique_ptr<QWidget>(
    tarnwick::RomImage&, tarnwick::EditHistory&, const tarnwick::EditorTexts&, const QString&)>;
Q_DECLARE_METATYPE(MakeDialog)

namespace tarnwick::testing {
namespace {

template <typename Editor> MakeDialog editor() {
    return [](RomImage& rom, EditHistory& history, const EditorTexts& texts, const QString&) {
        return std::make_unique<Editor>(rom, history, nullptr, texts);
    };
}

std::unique_ptr<QWidget> mainWindow(RomImage& rom, EditHistory& history, const EditorTexts&,
                                    const QString& imagePath) {
    auto window = std::make_unique<MainDialog>(
        rom, history, nullptr, std::make_unique<AppSettings>(imagePath + QStringLiteral(".ini")));
    window->loadFile(imagePath);
    return window;
}

// The window before a load, as its template makes it: a load relabels the animation button.
std::unique_ptr<QWidget> emptyMainWindow(RomImage& rom, EditHistory& history, const EditorTexts&,
                                         const QString& imagePath) {
    return std::make_unique<MainDialog>(
        rom, history, nullptr, std::make_unique<AppSettings>(imagePath + QStringLiteral(".ini")));
}

std::unique_ptr<QWidget> aboutBox(RomImage&, EditHistory&, const EditorTexts&, const QString&) {
    return std::make_unique<AboutDialog>();
}

std::unique_ptr<QWidget> changes(RomImage& rom, EditHistory&, const EditorTexts&, const QString&) {
    return std::make_unique<ChangesDialog>(rom, builtInCharacterTable(rom.variant()),
                                           ChangesList{tableDifferences(rom), {}, {}});
}

std::unique_ptr<QWidget> manual(RomImage&, EditHistory&, const EditorTexts&, const QString&) {
    auto window = std::make_unique<ManualWindow>();
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    return window;
}

// A group box's caption, in its parent's coordinates.
QRect titleRect(const QGroupBox* group) {
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                       QStyle::SC_GroupBoxLabel, group);
    return title.translated(group->pos());
}

// A control inside a group box's frame belongs to the group; anything else that meets the
// group, its caption included, overlaps it.
bool insideGroup(const QWidget* control, const QWidget* other) {
    const auto* group = qobject_cast<const QGroupBox*>(other);
    return group != nullptr && group->geometry().contains(control->geometry()) &&
           !titleRect(group).intersects(control->geometry());
}

QStringList overlaps(const QList<QWidget*>& controls, const QWidget* surface) {
    QStringList found;
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QWidget* a = controls[i];
        if (!surface->rect().contains(a->geometry()))
            found << a->objectName() + QStringLiteral(" reaches past the dialog");
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            const QWidget* b = controls[j];
            if (a->geometry().intersects(b->geometry()) && !insideGroup(a, b) && !insideGroup(b, a))
                found << a->objectName() + QStringLiteral(" overlaps ") + b->objectName();
        }
    }
    return found;
}

// Room the text of a label, button or check box needs against the room the control gives it;
// an empty size for other controls.
std::pair<QSize, QSize> textRoom(const QWidget* control) {
    const QFontMetrics metrics = control->fontMetrics();
    const QStyle* style = control->style();
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        const QRect room = label->contentsRect();
        if (!label->wordWrap())
            return {{metrics.horizontalAdvance(withoutMnemonic(label->text())), metrics.height()},
                    room.size()};
        const QRect wrapped =
            metrics.boundingRect(room, Qt::TextWordWrap | label->alignment(), label->text());
        return {wrapped.size(), room.size()};
    }
    if (const auto* button = qobject_cast<const QPushButton*>(control)) {
        const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        return {{metrics.horizontalAdvance(withoutMnemonic(button->text())) + 2 * margin,
                 metrics.height() + 2 * frame},
                button->size()};
    }
    if (const auto* box = qobject_cast<const QCheckBox*>(control))
        return {{box->sizeHint().width(), metrics.height()}, box->size()};
    return {};
}

QStringList clippedCaptions(const QList<QWidget*>& controls) {
    QStringList found;
    for (const QWidget* control : controls) {
        const auto [needed, given] = textRoom(control);
        if (needed.width() > given.width() || needed.height() > given.height())
            found << control->objectName() + QStringLiteral(" cuts its text");
    }
    return found;
}

// Fields a screen reader cannot name, names two fields share, captions with two letters or
// more that no Alt key reaches (the default button excepted: Enter presses it), and Alt keys
// that two captions or menus claim.
QStringList keyboardProblems(const QWidget* dialog, const QList<QWidget*>& controls) {
    QStringList found;
    QStringList names;
    QHash<QString, QString> mnemonics;
    const auto claim = [&](const QString& caption, const QString& owner) {
        const QString key = QKeySequence::mnemonic(caption).toString();
        if (key.isEmpty()
                ? std::ranges::count_if(caption, [](QChar c) { return c.isLetterOrNumber(); }) >= 2
                : mnemonics.contains(key))
            found << owner + QStringLiteral(" has no mnemonic of its own ") + key;
        else if (!key.isEmpty())
            mnemonics.insert(key, owner);
    };
    if (const auto* bar = dialog->findChild<QMenuBar*>())
        for (const QAction* menu : bar->actions())
            claim(menu->text(), menu->text());
    for (QWidget* control : controls) {
        const QString owner = control->objectName();
        if (const auto* label = qobject_cast<const QLabel*>(control)) {
            if (label->buddy() != nullptr)
                claim(label->text(), owner);
            else if (label->text().contains(u'&'))
                found << owner + QStringLiteral(" shows its '&' for want of a field");
            continue;
        }
        const auto* button = qobject_cast<const QAbstractButton*>(control);
        if (button != nullptr && !(qobject_cast<const QPushButton*>(button) &&
                                   static_cast<const QPushButton*>(button)->isDefault()))
            claim(button->text(), owner);
        if (qobject_cast<const QGroupBox*>(control) != nullptr)
            continue;
        // A button speaks its caption; a field the name the template rule gave it (a drop-down
        // list's own name on this platform is its current text).
        const QString name = button != nullptr && control->accessibleName().isEmpty()
                                 ? captionName(button->text())
                                 : control->accessibleName();
        if (name.isEmpty())
            found << owner + QStringLiteral(" has no accessible name");
        else if (names.contains(name))
            found << owner + QStringLiteral(" shares the name ") + name;
        names << name;
    }
    return found;
}

} // namespace

class DialogLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void controlsKeepApartAndShowTheirText_data() {
        QTest::addColumn<int>("release");
        QTest::addColumn<MakeDialog>("make");
        const std::pair<const char*, MakeDialog> dialogs[] = {
            {"main", mainWindow},
            {"empty-main", emptyMainWindow},
            {"about", aboutBox},
            {"font", editor<FontEditorDialog>()},
            {"shop", editor<ShopEditorDialog>()},
            {"esper", editor<EsperEditorDialog>()},
            {"chest", editor<ChestEditorDialog>()},
            {"anim8", editor<AnimString8Dialog>()},
            {"anim14", editor<AnimString14Dialog>()},
        };
        for (const auto& [name, make] : dialogs)
            for (RomVariant release : allReleases)
                QTest::addRow("%s-%s", name, releaseKey(release).data())
                    << variantIndex(release) << make;
    }

    void controlsKeepApartAndShowTheirText() {
        QFETCH(int, release);
        QFETCH(MakeDialog, make);
        const auto variant = static_cast<RomVariant>(release);
        RomImage rom;
        QVERIFY(openDemoImage(rom, {variant}).isOk());
        // The demo's text files, whose location and animation names run long.
        QTemporaryDir programFolder;
        QVERIFY(writeDemoTextFiles(QFile::encodeName(programFolder.path()).toStdString()).isOk());
        const EditorTexts texts =
            readEditorTexts({programFolder.path()}, builtInCharacterTable(variant));
        EditHistory history;
        const std::unique_ptr<QWidget> dialog =
            make(rom, history, texts, writeDemoFile(programFolder, variant));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));

        auto* surface = dialog->findChild<QWidget*>(QStringLiteral("surface"));
        QVERIFY(surface != nullptr);
        QList<QWidget*> controls;
        for (QWidget* child : surface->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->isVisible() && child->property(controlIdProperty).isValid())
                controls << child;
        QVERIFY(!controls.isEmpty());
        QStringList problems = overlaps(controls, surface) + clippedCaptions(controls);
        // The main window's animation button is relabelled by a load, without a mnemonic.
        if (!qobject_cast<MainDialog*>(dialog.get()) || rom.getPath().empty())
            problems += keyboardProblems(dialog.get(), controls);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void windowsOpenInsideTheScreen_data() {
        QTest::addColumn<int>("release");
        QTest::addColumn<MakeDialog>("make");
        const std::pair<const char*, MakeDialog> windows[] = {
            {"main", mainWindow},
            {"about", aboutBox},
            {"font", editor<FontEditorDialog>()},
            {"chest", editor<ChestEditorDialog>()},
            {"shop", editor<ShopEditorDialog>()},
            {"anim14", editor<AnimString14Dialog>()},
            {"changes", changes},
            {"manual", manual},
        };
        for (const auto& [name, make] : windows)
            for (RomVariant release : {RomVariant::SnesEnglish, RomVariant::GbaJapanese})
                QTest::addRow("%s-%s", name, releaseKey(release).data())
                    << variantIndex(release) << make;
    }

    // Whatever the scale, a window too large for the screen shrinks into it (scrolling what no
    // longer fits) rather than running past its edges.
    void windowsOpenInsideTheScreen() {
        QFETCH(int, release);
        QFETCH(MakeDialog, make);
        const auto variant = static_cast<RomVariant>(release);
        RomImage rom;
        QVERIFY(openDemoImage(rom, {variant}).isOk());
        QTemporaryDir folder;
        QVERIFY(writeDemoTextFiles(QFile::encodeName(folder.path()).toStdString()).isOk());
        EditHistory history;
        const std::unique_ptr<QWidget> window =
            make(rom, history, readEditorTexts({folder.path()}, builtInCharacterTable(variant)),
                 writeDemoFile(folder, variant));
        window->move(-40, -40);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QRect screen = window->screen()->availableGeometry();
        QVERIFY2(screen.contains(window->frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                          .arg(window->x())
                                                                          .arg(window->y())
                                                                          .arg(window->width())
                                                                          .arg(window->height())));
    }

    // Tools > Check Image opens beside the window, clear of its menus, and inside the screen.
    void checkImageOpensBesideTheWindow() {
        WindowOnDemoFile f(RomVariant::SnesEnglish);
        const QRect screen = f.window.screen()->availableGeometry();
        f.window.move(screen.topLeft());
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.window.commandAction(command::checkImage)->trigger();
        CheckImageDialog* check = f.window.checkImageDialog();
        QVERIFY(QTest::qWaitForWindowExposed(check));
        QVERIFY(screen.contains(check->frameGeometry()));
        QVERIFY(!check->frameGeometry().intersects(f.window.frameGeometry()));
    }
};

} // namespace tarnwick::testing

QTEST_MAIN(tarnwick::testing::DialogLayoutTest)
#include "DialogLayoutTest.moc"
