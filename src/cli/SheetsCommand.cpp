#include "CommandSupport.h"

#include "cli/Commands.h"
#include "cli/SheetsExport.h"
#include "graphics/GlyphSheets.h"

#include <QDir>

namespace tarnwick::cli {

int runSheets(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("sheets"),
        QStringLiteral("[--japanese] [--any-image] [--force] IMAGE OUTDIR"),
        QStringLiteral("Renders the image's small font and its 2048 colours the way the editor\n"
                       "shows them and writes them as PNG files into OUTDIR (created if missing):\n"
                       "font-sheet.png, 128 x 384 pixels, the font in its three list colour\n"
                       "schemes, and palette-sheet.png, 128 x 1024 pixels, 8 x 8 swatches in\n"
                       "ROM order. Existing sheet files are left alone unless --force is given.")};
    const QCommandLineOption force = forceOption();
    const auto run = [&](RomImage& rom, const QCommandLineParser& parser) {
        const QString path = parser.positionalArguments().at(0);
        const QString folder = parser.positionalArguments().at(1);
        // Both files are checked before either is written, so a refusal leaves no half set.
        const QDir dir(folder);
        for (const char* name : {fontSheetFileName, paletteSheetFileName})
            if (!mayWriteOutput(io, dir.filePath(QLatin1String(name)), FileKind::Picture,
                                {inputFile(path, FileKind::Image)}, parser.isSet(force)))
                return static_cast<int>(exitFailure);
        if (const std::optional<QString> failed = writeSheetFiles(renderGlyphSheets(rom), folder))
            return fail(io, *failed);
        return static_cast<int>(exitSuccess);
    };
    return runImageCommand(
        args, io,
        {syntax,
         {force},
         {{QStringLiteral("OUTDIR"), QStringLiteral("The folder to write the sheets into.")}},
         run});
}

} // namespace tarnwick::cli
