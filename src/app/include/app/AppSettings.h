#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

namespace tarnwick {

// What the editor remembers between sessions: the recently opened files, the file dialog's
// folder and filter, the folders of the other file dialogs, and whether the first save of a session
// keeps a backup.
class AppSettings {
public:
    static constexpr int recentFileLimit = 10;

    // The user's own settings.
    AppSettings();
    // Settings kept in an INI file of the caller's choosing (tests).
    explicit AppSettings(const QString& iniFile);
    ~AppSettings();

    // Most recent first, at most recentFileLimit, each once.
    QStringList recentFiles() const;
    void addRecentFile(const QString& path);

    bool keepBackups() const;
    void setKeepBackups(bool keep);

    QString lastFolder() const;
    void setLastFolder(const QString& folder);
    QString lastFilter() const;
    void setLastFilter(const QString& filter);

    // The folder last used for files of one purpose ("tables", "patches" ...), apart from the
    // image folder above; empty when there is none yet.
    QString folderFor(const QString& purpose) const;
    void setFolderFor(const QString& purpose, const QString& folder);

private:
    std::unique_ptr<QSettings> settings;
};

} // namespace tarnwick
