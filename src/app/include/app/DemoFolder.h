#pragma once

#include "rom/Releases.h"

#include <QString>

namespace tarnwick {

// The folder that keeps the demo images and the demo's text files between runs: demo/ in the
// user's application data folder, so that a saved edit to a demo image is there next time.
QString demoFolderPath();

// The demo image of a release in the demo folder, ready to open. The image is written when it
// is missing or when fresh asks for a new copy over the kept one; the demo's text files are
// added beside it where missing. Empty, with the reason in error, when it cannot be written.
QString prepareDemoImage(RomVariant release, bool fresh, QString& error);

} // namespace tarnwick
