#include "app/RomFileDialog.h"

#include "app/AppSettings.h"

#include <QFileDialog>
#include <QFileInfo>

namespace tarnwick {
namespace {

// Runs the dialog and remembers its folder and filter for the next one.
QString runFileDialog(QFileDialog& dialog, AppSettings& settings) {
    dialog.setNameFilter(romFileFilter());
    if (!settings.lastFilter().isEmpty())
        dialog.selectNameFilter(settings.lastFilter());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    settings.setLastFolder(QFileInfo(chosen).absolutePath());
    settings.setLastFilter(dialog.selectedNameFilter());
    return chosen;
}

} // namespace

QString romFileFilter() {
    return QStringLiteral("SNES ROM Files (*.smc *.fig *.sfc);;GBA ROM Files (*.gba);;"
                          "All Files (*)");
}

QString chooseRomFileWithDialog(QWidget* parent, AppSettings& settings) {
    // The dialog only offers files that exist; read-only files are fine to pick.
    QFileDialog dialog(parent, QStringLiteral("Load"), settings.lastFolder());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    return runFileDialog(dialog, settings);
}

QString chooseSaveFileWithDialog(QWidget* parent, AppSettings& settings, const QString& current) {
    QFileDialog dialog(parent, QStringLiteral("Save As"), current);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    return runFileDialog(dialog, settings);
}

} // namespace tarnwick
