#pragma once

#include "GuiTestSupport.h"
#include "editors/EditorTexts.h"
#include "rom/EditHistory.h"

#include <QByteArray>
#include <QDialog>

#include <memory>

namespace tarnwick::testing {

// Shows a window and waits until it is the active one, as a user would find it.
inline void showAndWait(QWidget& window) {
    window.show();
    window.activateWindow();
    (void)QTest::qWaitForWindowActive(&window);
}

// An editor of the given kind on a demo document of a release. The user's text files are handed
// in as the application hands them (texts), so a test sets them without any file.
template <typename Editor> struct EditorFixture {
    RomImage rom;
    EditHistory history;
    EditorTexts texts;
    std::unique_ptr<Editor> editor;

    explicit EditorFixture(RomVariant release) {
        if (!openDemoImage(rom, {release}).isOk())
            qFatal("demo image does not open");
    }
    Editor& open() {
        editor = std::make_unique<Editor>(rom, history, nullptr, texts);
        showAndWait(*editor);
        return *editor;
    }
    template <typename Widget = QComboBox> Widget* control(int id) const {
        return findControl<Widget>(editor.get(), id);
    }
};

// The bytes of a text file as the application reads them.
inline TextFile textFile(const QByteArray& bytes) {
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

// An editor open on a document, without any of the user's text files.
template <typename Editor>
std::unique_ptr<Editor> openEditor(RomImage& rom, EditHistory& history, EditorTexts texts = {}) {
    auto editor = std::make_unique<Editor>(rom, history, nullptr, std::move(texts));
    showAndWait(*editor);
    return editor;
}

} // namespace tarnwick::testing
