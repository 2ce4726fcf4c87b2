#pragma once

#include "editors/EditorTexts.h"

#include <QDialog>

namespace tarnwick {

class EditHistory;
class RomImage;

// "Font Editor": a laid-out frame whose controls take input but are connected to nothing. It
// reads and writes nothing of the document, so OK keeps and Escape cancels as usual.
class FontEditorDialog : public QDialog {
    Q_OBJECT

public:
    // The document is not used; the editor takes it like every other editor.
    FontEditorDialog(RomImage& rom, EditHistory& history, QWidget* parent = nullptr,
                     EditorTexts texts = {});
};

} // namespace tarnwick
