#include "app/AboutDialog.h"

#include "controls/WindowPlacement.h"

#include "resources/AppResources.h"
#include "resources/MainTemplates.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace tarnwick {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    registerAppResources();
    const DialogTemplate& resource = aboutDialogTemplate();
    QWidget* surface = addTemplateSurface(*this, resource);
    buildFromTemplate(resource, surface);
    keepOnScreen(this, surface);

    auto* icon = surface->findChild<QLabel*>(QStringLiteral("aboutIcon"));
    icon->setPixmap(QIcon(QStringLiteral(":/icons/tarnwick.svg")).pixmap(icon->size()));
    surface->findChild<QLabel*>(QStringLiteral("versionLabel"))
        ->setText(QStringLiteral("Tarnwick %1").arg(QStringLiteral(TARNWICK_VERSION)));
    auto* ok = surface->findChild<QPushButton*>(QStringLiteral("okButton"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace tarnwick
