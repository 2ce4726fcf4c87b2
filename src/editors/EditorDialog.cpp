#include "editors/EditorDialog.h"

#include "controls/ChestListBox.h"
#include "controls/NameComboBox.h"
#include "controls/PaletteComboBox.h"
#include "editors/ActionRecorder.h"
#include "resources/AppResources.h"
#include "resources/EditorTemplates.h"

#include <QIcon>
#include <QPushButton>

namespace tarnwick {
namespace {

// Long lists open as a scrolling drop-down of this many rows rather than a screen-high menu.
constexpr int visibleListRows = 16;

// The lists that paint from the document's sheets; nullptr for the template's standard kinds.
QWidget* makeDocumentControl(const ControlTemplate& control, const RomImage& rom, QWidget* owner) {
    switch (control.kind) {
    case ControlKind::Custom: {
        auto* list = new NameComboBox(rom, owner);
        list->setPlainTextMode((control.style & plainTextStyle) != 0);
        return list;
    }
    case ControlKind::PaletteList:
        return new PaletteComboBox(rom, owner);
    case ControlKind::ListBox:
        return new ChestListBox(rom, owner);
    default:
        return nullptr;
    }
}

} // namespace

EditorDialog::EditorDialog(const DialogTemplate& resource, const QString& iconPath, RomImage& rom,
                           QWidget* parent)
    : QDialog(parent) {
    registerAppResources();
    setWindowIcon(QIcon(iconPath));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    QWidget* surface = addTemplateSurface(*this, resource);
    // After the font: a style sheet set first would keep the controls in the default font.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    controls = buildFromTemplate(resource, surface,
                                 [&rom](const ControlTemplate& control, QWidget* owner) {
                                     return makeDocumentControl(control, rom, owner);
                                 });
    for (QWidget* widget : std::as_const(controls))
        if (auto* list = qobject_cast<QComboBox*>(widget))
            list->setMaxVisibleItems(visibleListRows);
    connect(control<QPushButton>(okButtonId), &QPushButton::clicked, this, &QDialog::accept);
    recorder = new ActionRecorder(rom, this);
    connect(recorder, &ActionRecorder::documentRestored, this, [this] { showDocument(); });
}

EditorDialog::~EditorDialog() {
    // Destroying the controls moves the focus, and a field losing it reports that its edit has
    // finished; the editor part that would handle that is gone by then.
    for (QWidget* widget : std::as_const(controls))
        widget->disconnect(this);
}

void EditorDialog::done(int result) {
    recorder->flush();
    QDialog::done(result);
}

void EditorDialog::reject() {
    accept();
}

} // namespace tarnwick
