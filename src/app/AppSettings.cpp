#include "app/AppSettings.h"

#include <QEvent>
#include <QFileInfo>
#include <QSettings>

namespace tarnwick {
namespace {

const QString recentKey = QStringLiteral("recentFiles");
const QString backupsKey = QStringLiteral("keepBackups");
const QString folderKey = QStringLiteral("fileDialog/folder");
const QString filterKey = QStringLiteral("fileDialog/filter");
const QString purposeFolderGroup = QStringLiteral("fileDialog/folders/");

} // namespace

// QSettings writes its changes when it receives the update request it posts to itself after
// the first change; while held, that request is kept back and remembered instead.
class AppSettings::WriteHold final : public QObject {
public:
    using QObject::QObject;
    bool held = false;
    bool requestKept = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (held && event->type() == QEvent::UpdateRequest) {
            requestKept = true;
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

AppSettings::AppSettings()
    : settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                           QStringLiteral("Tarnwick"),
                                           QStringLiteral("Tarnwick"))) {}

AppSettings::AppSettings(const QString& iniFile)
    : settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

AppSettings::~AppSettings() = default;

QStringList AppSettings::recentFiles() const {
    return settings->value(recentKey).toStringList();
}

void AppSettings::addRecentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = recentFiles();
    if (!files.isEmpty() && files.constFirst() == absolute)
        return;
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > recentFileLimit)
        files.removeLast();
    settings->setValue(recentKey, files);
}

bool AppSettings::keepBackups() const {
    return settings->value(backupsKey, true).toBool();
}

void AppSettings::setKeepBackups(bool keep) {
    settings->setValue(backupsKey, keep);
}

QString AppSettings::lastFolder() const {
    return settings->value(folderKey).toString();
}

void AppSettings::setLastFolder(const QString& folder) {
    settings->setValue(folderKey, folder);
}

QString AppSettings::lastFilter() const {
    return settings->value(filterKey).toString();
}

void AppSettings::setLastFilter(const QString& filter) {
    settings->setValue(filterKey, filter);
}

QString AppSettings::folderFor(const QString& purpose) const {
    return settings->value(purposeFolderGroup + purpose).toString();
}

void AppSettings::setFolderFor(const QString& purpose, const QString& folder) {
    settings->setValue(purposeFolderGroup + purpose, folder);
}

void AppSettings::holdWrites() {
    if (writeHold == nullptr) {
        writeHold = new WriteHold(settings.get());
        settings->installEventFilter(writeHold);
    }
    writeHold->held = true;
}

void AppSettings::releaseWrites() {
    if (writeHold == nullptr || !writeHold->held)
        return;
    writeHold->held = false;
    if (writeHold->requestKept) {
        writeHold->requestKept = false;
        settings->sync();
    }
}

} // namespace tarnwick
