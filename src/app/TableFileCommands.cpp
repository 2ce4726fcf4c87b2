#include "app/TableFileCommands.h"

#include "app/AppSettings.h"
#include "app/FileDialogs.h"
#include "patch/FilePatch.h"
#include "qtio/QtFiles.h"
#include "rom/RomImage.h"
#include "rom/TableEdit.h"
#include "tables/TablesJson.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#include <optional>
#include <span>
#include <vector>

namespace tarnwick {
namespace {

const QString jsonFilter = QStringLiteral("JSON Files (*.json);;All Files (*)");
// Exports and imports share a folder; patches and the originals they are made from have theirs.
const QString tablesPurpose = QStringLiteral("tables");
const QString patchFilter =
    QStringLiteral("BPS Patches (*.bps);;IPS Patches (*.ips);;All Files (*)");

QString fromNative(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

// The loaded image's path with another extension, where the dialogs start.
QString besideImage(const RomImage& rom, const QString& suffix) {
    const QFileInfo image(fromNative(rom.getPath()));
    return image.dir().filePath(image.completeBaseName() + QLatin1Char('.') + suffix);
}

} // namespace

QString exportTablesCommand(const RomImage& rom, const CharacterTable& readings, QWidget* parent,
                            const FileChooser& chooseFile, const FailureReport& reportFailure) {
    if (!rom.hasImage())
        return {};
    const QString path = chooseFile(parent, {QStringLiteral("Export Tables"), jsonFilter,
                                             besideImage(rom, "json"), true, tablesPurpose});
    if (path.isEmpty())
        return {};
    const QByteArray json = exportTablesText(rom, readings);
    // The file dialog has asked before replacing a file; the loaded image is never replaced.
    const InputFile image[] = {{rom.getPath(), FileKind::Image}};
    if (const Status written = writeOutputFile(path, json, FileKind::Json, image); !written) {
        reportFailure(parent, QStringLiteral("Export failed"), fromNative(written.message()));
        return {};
    }
    return QStringLiteral("Exported the tables to %1.").arg(QFileInfo(path).fileName());
}

QString importTablesCommand(RomImage& rom, EditHistory& history, QWidget* parent,
                            const FileChooser& chooseFile, const FailureReport& reportFailure) {
    if (!rom.hasImage())
        return {};
    const QString path = chooseFile(parent, {QStringLiteral("Import Tables"), jsonFilter,
                                             besideImage(rom, "json"), false, tablesPurpose});
    if (path.isEmpty())
        return {};
    // Everything is read and checked before the document is touched, so a bad file changes
    // nothing.
    QString error;
    const std::optional<ImportedTables> tables = readExportFile(path, rom.variant(), error);
    if (!tables) {
        reportFailure(parent, QStringLiteral("Import failed"), error);
        return {};
    }
    TableEdit step(rom, history, "Import tables");
    step.changeEverything();
    storeImportedTables(*tables, rom);
    return QStringLiteral("Imported the tables from %1; Save writes them into the image.")
        .arg(QFileInfo(path).fileName());
}

QString createPatchCommand(const RomImage& rom, QWidget* parent, const FileChooser& chooseFile,
                           const FailureReport& reportFailure) {
    if (!rom.hasImage())
        return {};
    const QString originalPath = chooseFile(
        parent, {QStringLiteral("Create Patch: Choose the Clean Original Image"), romFileFilter(),
                 QFileInfo(fromNative(rom.getPath())).path(), false, QStringLiteral("originals")});
    if (originalPath.isEmpty())
        return {};
    QString error;
    // Files beyond the largest image a patch may make are none of the game's images.
    const std::optional<QByteArray> original = readFile(originalPath, error, largestPatchResult);
    if (!original) {
        reportFailure(parent, QStringLiteral("Create patch failed"), error);
        return {};
    }
    // The patch is for the clean image of the loaded release: a file that is none (another
    // release, or one cut short) would make a patch that turns it into the loaded image.
    if (const std::string why = notAnImageOf(bytesOf(*original), rom.variant()); !why.empty()) {
        const std::string_view release = releaseName(rom.variant());
        reportFailure(
            parent, QStringLiteral("Create patch failed"),
            QStringLiteral("%1 is no %2 image like the loaded one: %3.")
                .arg(quotedPath(originalPath),
                     QString::fromLatin1(release.data(), static_cast<qsizetype>(release.size())),
                     fromNative(why)));
        return {};
    }
    const QString patchPath = chooseFile(
        parent, {QStringLiteral("Save Patch (BPS leaves a SNES copier header out, IPS keeps it)"),
                 patchFilter, besideImage(rom, "bps"), true, QStringLiteral("patches")});
    if (patchPath.isEmpty())
        return {};
    const PatchFormat format =
        patchFormatOfName(fileSystemName(patchPath)).value_or(PatchFormat::Bps);

    ByteBuffer modified;
    if (const Status read = rom.savedFileBytes(modified); !read) {
        reportFailure(parent, QStringLiteral("Create patch failed"),
                      QString::fromStdString(read.message()));
        return {};
    }
    const PatchResult patch = createFilePatch(format, bytesOf(*original), modified);
    const QString formatName = QString::fromLatin1(
        patchFormatName(format).data(), static_cast<qsizetype>(patchFormatName(format).size()));
    if (!patch) {
        reportFailure(parent, QStringLiteral("Create patch failed"),
                      QStringLiteral("Could not make the %1 patch from %2 to the loaded image: "
                                     "%3.")
                          .arg(formatName, quotedPath(originalPath), fromNative(patch.message())));
        return {};
    }
    const QByteArray bytes(reinterpret_cast<const char*>(patch.bytes().data()),
                           static_cast<qsizetype>(patch.bytes().size()));
    const std::vector<InputFile> images = {{rom.getPath(), FileKind::Image},
                                           {fileSystemName(originalPath), FileKind::Image}};
    if (const Status written = writeOutputFile(patchPath, bytes, FileKind::Patch, images);
        !written) {
        reportFailure(parent, QStringLiteral("Create patch failed"), fromNative(written.message()));
        return {};
    }
    // An IPS patch of headered files fits only copies with the header: the user must know.
    const std::string note = format == PatchFormat::Ips
                                 ? ipsCreationHeaderNote(bytesOf(*original), modified)
                                 : std::string();
    return QStringLiteral("Wrote the %1 patch %2%3.")
        .arg(formatName, shownPath(QFileInfo(patchPath).fileName()),
             note.empty() ? QString() : QStringLiteral(": ") + fromNative(note));
}

} // namespace tarnwick
