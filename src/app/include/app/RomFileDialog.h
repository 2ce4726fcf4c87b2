#pragma once

#include <QString>

class QWidget;

namespace tarnwick {

class AppSettings;

// The file dialogs' filters: SNES images first, then GBA images, then every file.
QString romFileFilter();

// Asks for an image file to open, starting in the folder and with the filter used last time;
// an empty string when the user cancels.
QString chooseRomFileWithDialog(QWidget* parent, AppSettings& settings);

// Asks where to save the image, starting beside current; an empty string when the user cancels.
QString chooseSaveFileWithDialog(QWidget* parent, AppSettings& settings, const QString& current);

} // namespace tarnwick
