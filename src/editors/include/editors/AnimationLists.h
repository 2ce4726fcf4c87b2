#pragma once

#include <span>
#include <string>
#include <vector>

class QComboBox;
class QObject;

namespace tarnwick {

// Gives every list the same rows: the palette numbers 0 to EF, or the animation names (the
// file's 8-bit bytes as Latin-1 text). The lists share one model, owned by owner, so the rows
// are made once however many lists show them.
void fillPaletteLists(std::span<QComboBox* const> lists, QObject* owner);
void fillAnimationLists(std::span<QComboBox* const> lists, const std::vector<std::string>& names,
                        QObject* owner);

} // namespace tarnwick
