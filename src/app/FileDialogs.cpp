#include "app/FileDialogs.h"

#include "app/AppSettings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace tarnwick {
namespace {

// Runs the dialog and remembers its folder and filter for the next one.
QString runFileDialog(QFileDialog& dialog, AppSettings& settings) {
    dialog.setNameFilter(romFileFilter());
    if (!settings.lastFilter().isEmpty())
        dialog.selectNameFilter(settings.lastFilter());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    settings.setLastFolder(QFileInfo(chosen).absolutePath());
    settings.setLastFilter(dialog.selectedNameFilter());
    return chosen;
}

// The extension a name filter such as "BPS Patches (*.bps)" offers; empty for "*".
QString suffixOfFilter(const QString& filter) {
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

QString romFileFilter() {
    return QStringLiteral("SNES ROM Files (*.smc *.fig *.sfc);;GBA ROM Files (*.gba);;"
                          "All Files (*)");
}

QString chooseRomFileWithDialog(QWidget* parent, AppSettings& settings) {
    // The dialog only offers files that exist; read-only files are fine to pick.
    QFileDialog dialog(parent, QStringLiteral("Load"), settings.lastFolder());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    return runFileDialog(dialog, settings);
}

QString chooseSaveFileWithDialog(QWidget* parent, AppSettings& settings, const QString& current) {
    QFileDialog dialog(parent, QStringLiteral("Save As"), current);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    return runFileDialog(dialog, settings);
}

QString chooseFileWithDialog(QWidget* parent, const FileQuestion& question) {
    QFileDialog dialog(parent, question.title, question.start);
    dialog.setNameFilter(question.filter);
    dialog.setAcceptMode(question.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(question.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (question.save) {
        // The start's extension picks the filter; a name typed without one gets the filter's.
        const QString startSuffix = QFileInfo(question.start).suffix();
        for (const QString& filter : dialog.nameFilters())
            if (!startSuffix.isEmpty() && suffixOfFilter(filter) == startSuffix) {
                dialog.selectNameFilter(filter);
                break;
            }
        dialog.setDefaultSuffix(suffixOfFilter(dialog.selectedNameFilter()));
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog](const QString& filter) { dialog.setDefaultSuffix(suffixOfFilter(filter)); });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

FileChooser rememberingFolders(AppSettings& settings, FileChooser ask) {
    return [&settings, ask = std::move(ask)](QWidget* parent, const FileQuestion& question) {
        FileQuestion asked = question;
        const QString folder =
            question.purpose.isEmpty() ? QString() : settings.folderFor(question.purpose);
        if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
            const QFileInfo start(question.start);
            asked.start = question.start.isEmpty() || start.isDir()
                              ? folder
                              : QDir(folder).filePath(start.fileName());
        }
        const QString chosen = ask(parent, asked);
        if (!chosen.isEmpty() && !question.purpose.isEmpty())
            settings.setFolderFor(question.purpose, QFileInfo(chosen).absolutePath());
        return chosen;
    };
}

} // namespace tarnwick
