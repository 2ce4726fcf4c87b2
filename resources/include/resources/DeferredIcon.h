#pragma once

#include <QIcon>
#include <QString>

#include <functional>

namespace tarnwick {

// An icon read from file (an SVG among the program's resources) the first time something draws
// it or asks for its sizes, rather than when it is made. A window icon is set before the window
// is shown, yet the offscreen and Wayland platforms never draw it, and reading an SVG loads the
// SVG plugins, which the start-up would otherwise wait for.
QIcon deferredIcon(const QString& file);
// The same for an icon that make gives: made the first time something draws it.
QIcon deferredIcon(std::function<QIcon()> make);

} // namespace tarnwick
