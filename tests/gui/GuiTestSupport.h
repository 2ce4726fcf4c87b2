#pragma once

#include "app/MainDialog.h"
#include "controls/DialogTemplate.h"
#include "rom/Releases.h"
#include "testimage/DemoImage.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <vector>

namespace tarnwick::testing {

// The control of a window that carries a resource number, or nullptr.
template <typename Widget = QWidget> Widget* findControl(const QWidget* root, int id) {
    for (Widget* widget : root->findChildren<Widget*>())
        if (widget->property(controlIdProperty).toInt() == id)
            return widget;
    return nullptr;
}

inline QString releaseFileName(RomVariant release) {
    return toQString(releaseKey(release)) +
           (isGbaVariant(release) ? QStringLiteral(".gba") : QStringLiteral(".smc"));
}

// Writes a demo image of the release into the folder and returns its path.
inline QString writeDemoFile(const QTemporaryDir& folder, RomVariant release,
                             bool copierHeader = false) {
    const QString path = QDir(folder.path()).filePath(
        (copierHeader ? QStringLiteral("header-") : QString()) + releaseFileName(release));
    const Status written = writeDemoImage(DemoImageOptions{release, copierHeader, 0},
                                          QFile::encodeName(path).toStdString());
    return written ? path : QString();
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Stands in for the user at the window's questions: hands out chosen files in turn, answers
// the unsaved-edits question as told and records what it was asked and shown.
struct ScriptedUser {
    QStringList filesToChoose;
    UnsavedChoice unsavedAnswer = UnsavedChoice::Cancel;
    int fileDialogs = 0;
    int unsavedQuestions = 0;
    QStringList failures;

    MainDialog::Prompts prompts() {
        return {[this](QWidget*) {
                    ++fileDialogs;
                    return filesToChoose.isEmpty() ? QString() : filesToChoose.takeFirst();
                },
                [this](QWidget*) {
                    ++unsavedQuestions;
                    return unsavedAnswer;
                },
                [this](QWidget*, const QString& title, const QString& message) {
                    failures << title + QStringLiteral(": ") + message;
                }};
    }
};

// Saves a picture of the widget as it is drawn now, under the build folder's screenshots.
inline bool saveScreenshot(QWidget* widget, const QString& name) {
    QDir().mkpath(QStringLiteral(TARNWICK_SCREENSHOT_DIR));
    return widget->grab().save(QDir(QStringLiteral(TARNWICK_SCREENSHOT_DIR)).filePath(name));
}

} // namespace tarnwick::testing
