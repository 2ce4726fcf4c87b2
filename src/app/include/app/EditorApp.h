#pragma once

#include "app/CommandLine.h"
#include "rom/EditHistory.h"
#include "rom/RomImage.h"

#include <QString>

class QWidget;

namespace tarnwick {

// The application: the one document, the main window run until it closes, and the image the
// command line asked to open first.
class EditorApp {
public:
    explicit EditorApp(StartOptions startOptions);
    int run();

private:
    // Saves a picture of the window and closes it; the exit code says whether both worked.
    void takeScreenshot(QWidget& window);

    // The document and, beside it, the steps of the user's edits to it.
    RomImage rom;
    EditHistory history;
    StartOptions options;
    int exitCode = 0;
};

} // namespace tarnwick
