#pragma once

#include <QIcon>
#include <QString>

namespace tarnwick {

// An icon read from file (an SVG among the program's resources) the first time something draws
// it or asks for its sizes, rather than when it is made. A window icon is set before the window
// is shown, yet the offscreen and Wayland platforms never draw it, and reading an SVG loads the
// SVG plugins, which the start-up would otherwise wait for.
QIcon deferredIcon(const QString& file);

} // namespace tarnwick
