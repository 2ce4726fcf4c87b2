#include "CommandSupport.h"

#include "cli/Commands.h"
#include "graphics/Changelog.h"
#include "io/TextLines.h"
#include "qtio/QtFiles.h"
#include "rom/ChestRecord.h"

namespace tarnwick::cli {
namespace {

// Text files given to the command are small; anything far larger is not one of them.
constexpr std::uint64_t largestTextFile = 8u << 20;

} // namespace

int runChangelog(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("changelog"),
        QStringLiteral("[--japanese] [--any-image] [--markdown] [--table FILE] [--locations FILE] "
                       "ORIGINAL MODIFIED"),
        QStringLiteral("Writes what MODIFIED changes against ORIGINAL, as a mod's release notes\n"
                       "say it: grouped by table, one line per changed record in words and the\n"
                       "game's names (\"Shop 12 (Harrowmere): #3 Potion -> Elixir\"). Names are\n"
                       "read from each image through the release's character table; a code it\n"
                       "does not know is shown in hexadecimal, as [A3]. No file is changed.")};
    const QCommandLineOption markdown(QStringLiteral("markdown"),
                                      QStringLiteral("Write Markdown: a heading and a bullet list "
                                                     "for each table."));
    const QCommandLineOption table(
        QStringLiteral("table"),
        QStringLiteral("A character table file (lines \"HH=text\") read over the built-in "
                       "readings."),
        QStringLiteral("FILE"));
    const QCommandLineOption locations(
        QStringLiteral("locations"),
        QStringLiteral("A chest location file (chestloc.txt): line i describes chest i."),
        QStringLiteral("FILE"));
    const auto run = [&](RomImage& original, const QCommandLineParser& parser) {
        RomImage modified;
        if (!loadImageLike(modified, parser.positionalArguments().at(1), original, parser, io))
            return static_cast<int>(exitFailure);
        CharacterTable readings = builtInCharacterTable(original.variant());
        if (parser.isSet(table)) {
            const auto text = readInputFile(parser.value(table), largestTextFile, io);
            if (!text)
                return static_cast<int>(exitFailure);
            SkippedLine first;
            if (const int skipped = readCharacterTable(
                    std::string_view(text->constData(), static_cast<std::size_t>(text->size())),
                    readings, &first))
                warn(io, fromNative(
                             skippedLinesWarning(nativePath(parser.value(table)), skipped, first)));
        }
        std::vector<std::string> chestLocations;
        if (parser.isSet(locations)) {
            const auto text = readInputFile(parser.value(locations), largestTextFile, io);
            if (!text)
                return static_cast<int>(exitFailure);
            chestLocations = textLines(bytesOf(*text), chestCount);
        }
        const std::string text = changelogText(
            changelog(original, modified, readings, chestLocations),
            parser.isSet(markdown) ? ChangelogStyle::Markdown : ChangelogStyle::Plain);
        // Japanese names carry their sound marks as combining characters; NFC joins them.
        io.out << QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
                      .normalized(QString::NormalizationForm_C);
        return static_cast<int>(exitSuccess);
    };
    return runImageCommand(
        args, io,
        {syntax,
         {markdown, table, locations},
         {{QStringLiteral("MODIFIED"), QStringLiteral("The modified image, of the same release.")}},
         run});
}

} // namespace tarnwick::cli
