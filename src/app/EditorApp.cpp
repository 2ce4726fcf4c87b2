#include "app/EditorApp.h"

#include "app/MainDialog.h"
#include "controls/DialogTemplate.h"
#include "demo/DemoImage.h"
#include "demo/DemoTextFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

namespace tarnwick {

EditorApp::EditorApp(StartOptions startOptions) : options(std::move(startOptions)) {
    rom.setProgramDirectory(
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
}

QString EditorApp::writeDemo(RomVariant release, QString& error) {
    demoFolder = std::make_unique<QTemporaryDir>();
    if (!demoFolder->isValid()) {
        error = QStringLiteral("Could not create a folder for the demo image: %1")
                    .arg(demoFolder->errorString());
        return {};
    }
    const QString name =
        QStringLiteral("demo-%1.%2")
            .arg(toQString(releaseKey(release)),
                 isGbaVariant(release) ? QStringLiteral("gba") : QStringLiteral("smc"));
    const QString path = QDir(demoFolder->path()).filePath(name);
    const Status written =
        writeDemoImage(DemoImageOptions{release, false, 0}, QFile::encodeName(path).toStdString(),
                       ExistingFile::Refuse);
    if (!written) {
        error = QString::fromStdString(written.message());
        return {};
    }
    // The editors look for their text files in the program folder first; for the demo that is
    // the demo's own folder, with invented place and animation names in it.
    const std::string folder = QFile::encodeName(demoFolder->path()).toStdString();
    if (const Status texts = writeDemoTextFiles(folder); !texts) {
        error = QString::fromStdString(texts.message());
        return {};
    }
    rom.setProgramDirectory(folder);
    return path;
}

int EditorApp::run() {
    MainDialog window(rom);
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
        firstImage = writeDemo(*options.demoRelease, error);
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
            if (!window.loadFile(firstImage))
                exitCode = 1;
        });
    if (!options.screenshotPath.isEmpty())
        QTimer::singleShot(0, &window, [this, &window] { takeScreenshot(window); });
    window.exec();
    return exitCode;
}

void EditorApp::takeScreenshot(QWidget& window) {
    if (!window.grab().save(options.screenshotPath, "PNG")) {
        std::fprintf(stderr, "Could not write the picture \"%s\".\n",
                     QFile::encodeName(options.screenshotPath).constData());
        exitCode = 1;
    }
    window.close();
}

} // namespace tarnwick
