#pragma once

class QSize;
class QWidget;

namespace tarnwick {

// The room a window's contents have on the screen it opens on (its parent's, else its own): the
// screen's available area less the window frame, as far as the frame is known yet.
QSize roomOnScreen(const QWidget* window);

// Shrinks the window to the room on its screen, as far as its minimum size allows, and moves it
// wholly inside the screen's available area, frame included.
void fitOnScreen(QWidget* window);

// Fits the window on its screen (fitOnScreen) each time it is shown. A window laid out at a
// fixed size that its screen cannot hold gets `scrolledPart` (a widget in the window's layout)
// put into a scroll area, so the window can shrink and every control stays reachable.
void keepOnScreen(QWidget* window, QWidget* scrolledPart = nullptr);

// As keepOnScreen; its first showing also places it beside `anchor`'s window (when there is
// one): to its right where the screen has room, else to its left, narrowed to the room; where
// even its narrowest does not fit, the anchor's window moves over to make room.
void keepBeside(QWidget* window, QWidget* anchor);

} // namespace tarnwick
