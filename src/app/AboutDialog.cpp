#include "app/AboutDialog.h"

#include "resources/AppResources.h"
#include "resources/MainTemplates.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarnwick {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    registerAppResources();
    const DialogTemplate& resource = aboutDialogTemplate();
    setWindowTitle(toQString(resource.caption));
    setFont(dialogFont());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* surface = new QWidget(this);
    layout->addWidget(surface);
    buildFromTemplate(resource, surface);

    auto* icon = surface->findChild<QLabel*>(QStringLiteral("aboutIcon"));
    icon->setPixmap(QIcon(QStringLiteral(":/icons/tarnwick.svg")).pixmap(icon->size()));
    surface->findChild<QLabel*>(QStringLiteral("versionLabel"))
        ->setText(QStringLiteral("Tarnwick %1").arg(QStringLiteral(TARNWICK_VERSION)));
    auto* ok = surface->findChild<QPushButton*>(QStringLiteral("okButton"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace tarnwick
