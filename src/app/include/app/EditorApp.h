#pragma once

#include "app/CommandLine.h"
#include "rom/RomImage.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace tarnwick {

// The application: the one document, the main window run until it closes, and the image the
// command line asked to open first.
class EditorApp {
public:
    explicit EditorApp(StartOptions startOptions);
    int run();

private:
    // Writes a demo image of the release into a temporary folder; empty on failure.
    QString writeDemo(RomVariant release, QString& error);
    // Saves a picture of the window and closes it; the exit code says whether both worked.
    void takeScreenshot(QWidget& window);

    RomImage rom;
    StartOptions options;
    std::unique_ptr<QTemporaryDir> demoFolder;
    int exitCode = 0;
};

} // namespace tarnwick
