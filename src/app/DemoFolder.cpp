#include "app/DemoFolder.h"

#include "controls/DialogTemplate.h"
#include "demo/DemoImage.h"
#include "demo/DemoTextFiles.h"
#include "qtio/FileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tarnwick {

QString demoFolderPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("demo"));
}

QString prepareDemoImage(RomVariant release, bool fresh, QString& error) {
    const QString folder = demoFolderPath();
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("Could not create the folder %1 for the demo image.")
                    .arg(quotedPath(folder));
        return {};
    }
    const QString name =
        QStringLiteral("demo-%1.%2")
            .arg(toQString(releaseKey(release)),
                 isGbaVariant(release) ? QStringLiteral("gba") : QStringLiteral("smc"));
    const QString path = QDir(folder).filePath(name);
    if (fresh || !QFileInfo::exists(path)) {
        const Status written = writeDemoImage(DemoImageOptions{release, false, 0},
                                              fileSystemName(path), ExistingFile::Replace);
        if (!written) {
            error = QString::fromStdString(written.message());
            return {};
        }
    }
    // The editors look for their text files in the program folder first; for the demo that is
    // the demo folder, with invented place and animation names in it.
    if (const Status texts = writeDemoTextFiles(fileSystemName(folder)); !texts) {
        error = QString::fromStdString(texts.message());
        return {};
    }
    return path;
}

} // namespace tarnwick
