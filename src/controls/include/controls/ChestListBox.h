#pragma once

#include "rom/CharacterTable.h"
#include "rom/ChestLabels.h"

#include <QListWidget>

#include <cstdint>
#include <optional>
#include <span>

namespace tarnwick {

class RomImage;

// The read-only list of a chest's monster-in-a-box lines: game text in the game's font on navy,
// two entries to a line, nothing selectable. A screen reader reads each line as its entries'
// readings ("1: Pale Newt, 2: Ash Golem").
class ChestListBox : public QListWidget {
    Q_OBJECT

public:
    // Each row holds the game bytes of its line's two entries under these roles, their reading
    // as accessible text and no display text.
    static constexpr int leftEntryRole = Qt::UserRole + 1;
    static constexpr int rightEntryRole = Qt::UserRole + 2;
    static constexpr int rowHeight = 15;
    // The font sheet and release are read from rom whenever something is painted.
    explicit ChestListBox(const RomImage& rom, QWidget* parent = nullptr);

    // What each code reads as, for the lines' accessible text: the application's table for the
    // release, kept by the caller while the control lives; without one the release's built-in
    // readings serve. Set it before adding lines.
    void setReadings(const CharacterTable* table) { readings = table; }

    // Replaces the lines; clear() empties the list.
    void setLines(std::span<const MonsterLine> lines);
    void addLine(const MonsterLine& line);
    // The entries of a line; empty ones for a row outside the list.
    MonsterLine line(int row) const;
    const RomImage& document() const { return rom; }

private:
    const CharacterTable& readingsFor() const;
    QString entryReading(const GameString& entry) const;

    const RomImage& rom;
    const CharacterTable* readings = nullptr;
    mutable std::optional<CharacterTable> builtInReadings;
};

} // namespace tarnwick
