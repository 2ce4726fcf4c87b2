#include "CommandSupport.h"

#include "DataFileOptions.h"
#include "cli/Commands.h"
#include "graphics/Changelog.h"

namespace tarnwick::cli {

int runChangelog(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("changelog"),
        QStringLiteral("[--japanese] [--any-image] [--markdown] [--table FILE] [--locations FILE] "
                       "ORIGINAL MODIFIED"),
        QStringLiteral("Writes what MODIFIED changes against ORIGINAL, as a mod's release notes\n"
                       "say it: grouped by table, one line per changed record in words and the\n"
                       "game's names (\"Shop 12 (Harrowmere): #3 Potion -> Elixir\"). Names are\n"
                       "read from each image through the release's character table; a code it\n"
                       "does not know is shown in hexadecimal, as [A3]. The character table and\n"
                       "chest locations are the files the window reads for MODIFIED: found beside\n"
                       "it, then beside the program, then in the user's data folders, unless\n"
                       "--table or --locations names one. No file is changed.")};
    const QCommandLineOption markdown(QStringLiteral("markdown"),
                                      QStringLiteral("Write Markdown: a heading and a bullet list "
                                                     "for each table."));
    const QCommandLineOption table = tableOption();
    const QCommandLineOption locations = locationsOption();
    const auto run = [&](RomImage& original, const QCommandLineParser& parser) {
        RomImage modified;
        if (!loadImageLike(modified, parser.positionalArguments().at(1), original, parser, io))
            return static_cast<int>(exitFailure);
        // The window names the changes of the image it has open: the modified one.
        const auto naming =
            namingFilesFor(original.variant(), dataFoldersFor(modified.getPath()), parser, io);
        if (!naming)
            return static_cast<int>(exitFailure);
        const std::string text = changelogText(
            changelog(original, modified, naming->readings, naming->chestLocations),
            parser.isSet(markdown) ? ChangelogStyle::Markdown : ChangelogStyle::Plain);
        io.out << shownName(text);
        return static_cast<int>(exitSuccess);
    };
    return runImageCommand(
        args, io,
        {syntax,
         {markdown, table, locations},
         {{QStringLiteral("MODIFIED"), QStringLiteral("The modified image, of the same release.")}},
         run,
         {QStringLiteral("ORIGINAL"), QStringLiteral("The image before the changes.")}});
}

} // namespace tarnwick::cli
