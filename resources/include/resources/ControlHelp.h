#pragma once

#include <QHash>

#include <string_view>

class QWidget;

// What each control of the windows means in the game, with its range and whether its number is
// decimal or hexadecimal: shown as the control's tooltip and, while the pointer rests on it, in
// the window's status bar.
namespace tarnwick {

// The help of a control of the dialog template templateId; empty for a control without any
// (labels and frames explain themselves).
std::string_view controlHelp(int templateId, int controlId);

// The heading of the manual's section on the window of this template; empty for none.
std::string_view manualSection(int templateId);

// Gives each control of the template its help as tooltip and status tip.
void applyControlHelp(int templateId, const QHash<int, QWidget*>& controls);

} // namespace tarnwick
