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
    // Puts path first; opening the file that is first already changes nothing, and writes
    // nothing.
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

    // Changes are kept in memory, not written, until writes are released; they are written
    // then, or when the settings go, whichever comes first. The window holds them until it is
    // drawn, so that the disk's wait for the settings file does not delay the first picture.
    void holdWrites();
    void releaseWrites();

private:
    class WriteHold;
    std::unique_ptr<QSettings> settings;
    WriteHold* writeHold = nullptr; // owned by settings
};

} // namespace tarnwick
