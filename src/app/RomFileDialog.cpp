#include "app/RomFileDialog.h"

#include <QFileDialog>

namespace tarnwick {

QString romFileFilter() {
    return QStringLiteral("SNES ROM Files (*.smc *.fig *.sfc);;GBA ROM Files (*.gba);;"
                          "All Files (*)");
}

QString chooseRomFileWithDialog(QWidget* parent) {
    // The dialog only offers files that exist; read-only files are fine to pick.
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Load"), QString(), romFileFilter());
}

} // namespace tarnwick
