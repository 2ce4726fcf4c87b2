#pragma once

#include "controls/CurrentItemComboBox.h"
#include "rom/CharacterTable.h"
#include "rom/GameString.h"

#include <QImage>

#include <optional>
#include <span>

class QPainter;

namespace tarnwick {

class RomImage;

// A drop-down list of names painted with the game's own font (or, in plain-text mode, with the
// widget's font) that remembers the record's current item and marks it in the open list.
// Typing letters, digits or kana selects the next name that starts with them.
class NameComboBox : public CurrentItemComboBox {
    Q_OBJECT

public:
    // Rows added with addGameItem hold the game's bytes under this role and, as display text,
    // their reading through the document's character table.
    static constexpr int gameTextRole = Qt::UserRole + 1;
    // Plain-text rows are this high, or as high as the font's lines when they are taller, so no
    // letter loses its top or its descender; game-text rows are gameTextRowHeight.
    static constexpr int plainTextRowHeight = 14;

    // The sheets and release are read from rom whenever something is painted, so the control
    // follows a reload or a release switch without being told.
    explicit NameComboBox(const RomImage& rom, QWidget* parent = nullptr);

    // ---- Game text ----
    // What each code reads as, for finding rows by typing: the application's table for the
    // release (with the user's table file), kept by the caller while the control lives. Without
    // one the release's built-in readings serve. Set it before adding rows.
    void setReadings(const CharacterTable* table) { readings = table; }
    void addGameItem(const GameString& text);
    void addGameItems(std::span<const GameString> texts);
    // The bytes of a game-text row; empty for a plain row or an index outside the list.
    GameString gameItem(int index) const;

    // ---- Plain text (the chest location list): rows added with addItem(QString) ----
    void setPlainTextMode(bool plain);
    bool plainTextMode() const { return plainText; }

    // Integer magnification of game text, so the 8-pixel font stays readable on large screens.
    // Glyphs are scaled by pixel repetition only. Values below 1 count as 1.
    void setTextZoom(int zoom);
    int textZoom() const { return zoom; }

    // Height of one row of the open list.
    int rowHeight() const;
    // Width a row needs to show the item at index whole.
    int rowWidth(int index) const;
    // Paints the selection field's contents for the selected item into box: the normal scheme's
    // background over the whole box and the text from its top-left corner. Nothing when no item
    // is selected.
    void paintSelectionField(QPainter& painter, const QRect& box) const;
    const RomImage& document() const { return rom; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int widestRow() const;
    // Row sizes or drawing changed: the control and its list lay themselves out again.
    void rowsChanged();

    const CharacterTable& readingsFor() const;

    const RomImage& rom;
    const CharacterTable* readings = nullptr;
    mutable std::optional<CharacterTable> builtInReadings;
    int zoom = 1;
    bool plainText = false;
};

} // namespace tarnwick
