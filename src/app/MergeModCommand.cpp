#include "app/MergeModCommand.h"

#include "app/FileDialogs.h"
#include "qtio/FileNames.h"
#include "rom/RomImage.h"
#include "tables/MergeFiles.h"

#include <QFileInfo>

#include <algorithm>

namespace tarnwick {
namespace {

const QString modFilter =
    QStringLiteral("Mods (*.smc *.sfc *.fig *.gba *.bps *.ips *.json);;"
                   "SNES ROM Files (*.smc *.fig *.sfc);;GBA ROM Files (*.gba);;"
                   "Patches (*.bps *.ips);;Tables Exports (*.json);;All Files (*)");

} // namespace

std::optional<MergeReport> mergeModCommand(RomImage& rom, EditHistory& history,
                                           const MergeNaming& naming, const WindowPrompts& prompts,
                                           QWidget* parent) {
    if (!rom.hasImage())
        return std::nullopt;
    const QString folder = QFileInfo(nameFromFileSystem(rom.getPath())).path();
    const QString originalPath = prompts.chooseFile(
        parent, {QStringLiteral("Merge Mod: Choose the Original Image the Mod Was Made From"),
                 romFileFilter(), folder, false, QStringLiteral("originals")});
    if (originalPath.isEmpty())
        return std::nullopt;
    const auto fail = [&](const QString& message) {
        prompts.reportFailure(parent, QStringLiteral("Merge failed"), message);
        return std::nullopt;
    };
    QString error;
    const std::optional<MergeFile> original = readMergeImage(originalPath, rom.variant(), error);
    if (!original)
        return fail(error);
    const QString modPath = prompts.chooseFile(
        parent, {QStringLiteral("Merge Mod: Choose the Mod (an Image, a Patch or a Tables Export)"),
                 modFilter, folder, false, QStringLiteral("mods")});
    if (modPath.isEmpty())
        return std::nullopt;
    const std::optional<MergeFile> mod = readMergeMod(modPath, *original, error);
    if (!mod)
        return fail(error);
    // The document holds no bytes past a GBA image, so none of a mod's can come in.
    if (!std::ranges::equal(mod->tail(), original->tail()))
        return fail(QStringLiteral("%1 changes what %2 holds past its 8 MiB image, which the "
                                   "window does not merge.")
                        .arg(quotedPath(modPath), quotedPath(originalPath)));

    const QString name = shownPath(QFileInfo(modPath).fileName());
    MergeRequest request{
        original->document,
        mod->document,
        quotedPath(modPath),
        QStringLiteral("Merge %1").arg(name),
        {QStringLiteral("Merge %1").arg(name),
         QStringLiteral("%1 and the open image's own edits have changed %2 differently. Choose "
                        "which value each place keeps; nothing changes until you press Merge.")
             .arg(name, QStringLiteral("%1")),
         QStringLiteral("The mod's"),
         QStringLiteral("Take the Mod's"),
         {}}};
    std::optional<MergeReport> report =
        mergeIntoDocument(rom, history, request, naming, prompts, parent);
    if (report) {
        report->source = name;
        report->status =
            QStringLiteral("Merged %1: %2%3.")
                .arg(name, report->cameIn,
                     report->keptMine == 0 ? QString()
                     : report->keptMine == 1
                         ? QStringLiteral("; 1 conflict kept mine")
                         : QStringLiteral("; %1 conflicts kept mine").arg(report->keptMine));
        // An IPS patch cannot be checked against the original: the status bar says so.
        if (!mod->caution.isEmpty())
            report->status += QLatin1Char(' ') + mod->caution;
    }
    return report;
}

} // namespace tarnwick
