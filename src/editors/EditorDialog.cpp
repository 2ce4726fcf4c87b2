#include "editors/EditorDialog.h"

#include "controls/ChestListBox.h"
#include "controls/NameComboBox.h"
#include "controls/PaletteComboBox.h"
#include "controls/WindowPlacement.h"
#include "editors/HistoryKeys.h"
#include "editors/ManualWindow.h"
#include "resources/AppResources.h"
#include "resources/ControlHelp.h"
#include "resources/DeferredIcon.h"
#include "resources/EditorTemplates.h"
#include "rom/RomImage.h"
#include "rom/TableEdit.h"

#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolTip>

namespace tarnwick {
namespace {

// Long lists open as a scrolling drop-down of this many rows rather than a screen-high menu.
constexpr int visibleListRows = 16;

// The lists that paint from the document's sheets; nullptr for the template's standard kinds.
QWidget* makeDocumentControl(const ControlTemplate& control, const RomImage& rom,
                             const CharacterTable* readings, QWidget* owner) {
    switch (control.kind) {
    case ControlKind::Custom: {
        auto* list = new NameComboBox(rom, owner);
        list->setReadings(readings);
        list->setPlainTextMode((control.style & plainTextStyle) != 0);
        return list;
    }
    case ControlKind::PaletteList:
        return new PaletteComboBox(rom, owner);
    case ControlKind::ListBox: {
        auto* list = new ChestListBox(rom, owner);
        list->setReadings(readings);
        return list;
    }
    default:
        return nullptr;
    }
}

} // namespace

EditorDialog::EditorDialog(const DialogTemplate& resource, const QString& iconPath, RomImage& rom,
                           EditHistory& steps, QWidget* parent, EditorTexts givenTexts)
    : QDialog(parent), editedRom(rom), history(steps), fileTexts(std::move(givenTexts)) {
    registerAppResources();
    setWindowIcon(deferredIcon(iconPath));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    QWidget* surface = addTemplateSurface(*this, resource);
    keepOnScreen(this, surface);
    // After the font: a style sheet set first would keep the controls in the default font.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    const CharacterTable* readings =
        fileTexts.characterTable ? &*fileTexts.characterTable : nullptr;
    controls = buildFromTemplate(resource, surface,
                                 [&rom, readings](const ControlTemplate& control, QWidget* owner) {
                                     return makeDocumentControl(control, rom, readings, owner);
                                 });
    for (QWidget* widget : std::as_const(controls))
        if (auto* list = qobject_cast<QComboBox*>(widget))
            list->setMaxVisibleItems(visibleListRows);
    applyControlHelp(resource.id, controls);
    manualHeading = QString::fromStdString(std::string(manualSection(resource.id)));
    // The status bar repeats a control's help while the pointer rests on it.
    statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("statusBar"));
    statusBar->setSizeGripEnabled(false);
    layout()->addWidget(statusBar);
    connect(control<QPushButton>(okButtonId), &QPushButton::clicked, this, &QDialog::accept);
    // Typing into a field builds one step until the field is left or Enter is pressed.
    for (QWidget* widget : std::as_const(controls)) {
        if (auto* field = qobject_cast<QLineEdit*>(widget))
            connect(field, &QLineEdit::editingFinished, this, [this] { closeTyping(); });
        else if (auto* spinBox = qobject_cast<QAbstractSpinBox*>(widget))
            connect(spinBox, &QAbstractSpinBox::editingFinished, this, [this] { closeTyping(); });
    }
    historyKeys = new HistoryKeys(rom, history, this);
    connect(historyKeys, &HistoryKeys::documentRestored, this, [this](const QString& done) {
        showDocument();
        // The editors have no Edit menu: a tip at the focused field names what was undone.
        QWidget* where = focusWidget() != nullptr ? focusWidget() : this;
        QToolTip::showText(where->mapToGlobal(QPoint(0, where->height())), done, where);
    });
}

void EditorDialog::closeTyping() {
    history.closeMerge();
}

void EditorDialog::edit(const QString& name, int fieldId, int record,
                        const std::function<void(TableEdit&)>& change) {
    const auto mergeKey =
        static_cast<EditHistory::MergeKey>(fieldId) << 32 | static_cast<std::uint32_t>(record + 1);
    TableEdit step(editedRom, history, name.toStdString(), mergeKey);
    change(step);
}

EditorDialog::~EditorDialog() {
    // Destroying the controls moves the focus, and a field losing it reports that its edit has
    // finished; the editor part that would handle that is gone by then.
    for (QWidget* widget : std::as_const(controls))
        widget->disconnect(this);
}

void EditorDialog::keyPressEvent(QKeyEvent* event) {
    // F1 opens the manual at this editor's section, wherever the focus is.
    if (event->matches(QKeySequence::HelpContents)) {
        openManual(this, manualHeading);
        return;
    }
    QDialog::keyPressEvent(event);
}

void EditorDialog::changeRecord(Record* record, const QString& kind, int index, int fieldId,
                                const QString& what, const std::function<void(Record&)>& change) {
    if (record == nullptr)
        return;
    edit(QStringLiteral("%1 %2: %3").arg(kind).arg(index).arg(what), fieldId, index,
         [&](TableEdit& step) { change(step.change(*record)); });
}

void EditorDialog::showFieldMessage(const std::string& message) {
    if (!message.empty())
        statusBar->showMessage(QString::fromStdString(message));
    else if (fieldMessageShown)
        statusBar->clearMessage();
    fieldMessageShown = !message.empty();
}

bool EditorDialog::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // The pointer leaving a control must not take back what a field's edit reported.
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (!fieldMessageShown || !tip.isEmpty()) {
            statusBar->showMessage(tip);
            fieldMessageShown = false;
        }
        return true;
    }
    return QDialog::event(event);
}

void EditorDialog::reject() {
    accept();
}

} // namespace tarnwick
