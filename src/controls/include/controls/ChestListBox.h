#pragma once

#include "rom/GameString.h"

#include <QListWidget>

#include <cstdint>
#include <span>

namespace tarnwick {

class RomImage;

// The read-only list of a chest's monster-in-a-box lines: game text in the game's font on navy,
// two entries to a line, nothing selectable.
class ChestListBox : public QListWidget {
    Q_OBJECT

public:
    // Each row holds its line's game bytes under this role and no display text.
    static constexpr int lineRole = Qt::UserRole + 1;
    static constexpr int rowHeight = 15;
    // The font sheet and release are read from rom whenever something is painted.
    explicit ChestListBox(const RomImage& rom, QWidget* parent = nullptr);

    // Replaces the lines; clear() empties the list.
    void setLines(std::span<const GameString> lines);
    void addLine(const GameString& line);
    // The bytes of a line; empty for a row outside the list.
    GameString line(int row) const;
    const RomImage& document() const { return rom; }

private:
    const RomImage& rom;
};

} // namespace tarnwick
