#include "editors/EditorDialog.h"

#include "controls/NameComboBox.h"
#include "resources/AppResources.h"
#include "resources/EditorTemplates.h"

#include <QIcon>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarnwick {
namespace {

// Long lists open as a scrolling drop-down of this many rows rather than a screen-high menu.
constexpr int visibleListRows = 16;

} // namespace

EditorDialog::EditorDialog(const DialogTemplate& resource, const QString& iconPath,
                           const RomImage& rom, QWidget* parent)
    : QDialog(parent) {
    registerAppResources();
    setWindowTitle(toQString(resource.caption));
    setWindowIcon(QIcon(iconPath));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(dialogFont());
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* surface = new QWidget(this);
    surface->setObjectName(QStringLiteral("surface"));
    layout->addWidget(surface);
    const auto makeNameLists = [&rom](const ControlTemplate& control, QWidget* owner) -> QWidget* {
        return control.kind == ControlKind::Custom ? new NameComboBox(rom, owner) : nullptr;
    };
    controls = buildFromTemplate(resource, surface, makeNameLists);
    for (QWidget* widget : std::as_const(controls))
        if (auto* list = qobject_cast<QComboBox*>(widget))
            list->setMaxVisibleItems(visibleListRows);
    connect(control<QPushButton>(okButtonId), &QPushButton::clicked, this, &QDialog::accept);
}

void EditorDialog::reject() {
    accept();
}

} // namespace tarnwick
