#pragma once

namespace tarnwick {

// Makes the application's style (the one Qt chose, or the one asked for with -style) hand out
// the menu bar's overflow icon as a deferred icon. Every menu bar asks for that icon when it is
// made, and the style reads it from several image files, although the button shows only when
// the window is too narrow for its menus. Call once, after the QApplication is made.
void useDeferredOverflowIcon();

} // namespace tarnwick
