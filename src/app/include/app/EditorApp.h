#pragma once

#include "app/CommandLine.h"
#include "rom/EditHistory.h"
#include "rom/ImageReadAhead.h"
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
    // The image the command line names, read while the window is built.
    ImageReadAhead firstRead;
    int exitCode = 0;
};

} // namespace tarnwick
