#pragma once

#include <QString>

class QWidget;

namespace tarnwick {

// The file-open dialog's filters: SNES images first, then GBA images, then every file.
QString romFileFilter();

// Asks for an image file to open; an empty string when the user cancels.
QString chooseRomFileWithDialog(QWidget* parent);

} // namespace tarnwick
