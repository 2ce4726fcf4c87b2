#include "app/EditorApp.h"

#include "app/DemoFolder.h"
#include "app/MainDialog.h"
#include "qtio/FileNames.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

namespace tarnwick {

EditorApp::EditorApp(StartOptions startOptions) : options(std::move(startOptions)) {}

int EditorApp::run() {
    if (!options.imagePath.isEmpty() && !options.demoRelease)
        firstRead.start(fileSystemName(options.imagePath));
    MainDialog window(rom, history);
    if (!options.screenshotPath.isEmpty()) {
        // Nobody is there to answer a message box: report to the terminal instead.
        MainDialog::Prompts unattended = MainDialog::standardPrompts(window.appSettings());
        unattended.reportFailure = [](QWidget*, const QString& title, const QString& message) {
            std::fprintf(stderr, "%s: %s\n", title.toLocal8Bit().constData(),
                         message.toLocal8Bit().constData());
        };
        unattended.loadUnnamedImage = [](QWidget*, const QString& reason, const QString&) {
            std::fprintf(stderr, "%s Not loaded: nobody is there to confirm it.\n",
                         reason.toLocal8Bit().constData());
            return false;
        };
        window.setPrompts(unattended);
    }
    QString firstImage = options.imagePath;
    if (options.demoRelease) {
        QString error;
        firstImage = prepareDemoImage(*options.demoRelease, options.freshDemo, error);
        // The demo's own folder holds its text files, looked for before any other.
        if (!firstImage.isEmpty())
            window.setProgramFolder(QFileInfo(firstImage).absolutePath());
        // The demo image lives in a folder of the program's choosing: the title and the status
        // bar say where, so a saved edit can be found.
        window.setFullPathShown(true);
        if (firstImage.isEmpty()) {
            exitCode = 1;
            QTimer::singleShot(0, &window, [&window, error] {
                QMessageBox::warning(&window, QStringLiteral("Demo image"), error);
            });
        }
    }
    // The window is on screen before the first load, so any message has a window to belong to.
    if (!firstImage.isEmpty())
        QTimer::singleShot(0, &window, [this, &window, firstImage] {
            if (!window.loadFile(firstImage, firstRead.take(fileSystemName(firstImage))))
                exitCode = 1;
        });
    if (!options.screenshotPath.isEmpty())
        QTimer::singleShot(0, &window, [this, &window] { takeScreenshot(window); });
    window.exec();
    return exitCode;
}

void EditorApp::takeScreenshot(QWidget& window) {
    // The load just before posted the layout its new texts need (the release in the status
    // bar); the picture shows the window as laid out for them, as the user sees it.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (!window.grab().save(options.screenshotPath, "PNG")) {
        std::fprintf(stderr, "Could not write the picture \"%s\".\n",
                     QFile::encodeName(options.screenshotPath).constData());
        exitCode = 1;
    }
    window.close();
}

} // namespace tarnwick
