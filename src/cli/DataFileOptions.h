#pragma once

#include "CommandSupport.h"

#include "rom/CharacterTable.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <optional>
#include <string>
#include <vector>

// The user's data files for the commands that name records: the files given with --table and
// --locations, or else the ones the window would read for the same image.
namespace tarnwick::cli {

QCommandLineOption tableOption();
QCommandLineOption locationsOption();

// The folders searched for the data files of the image at imagePath (as the document keeps
// it), in the window's order: the image's folder, the program's, the user's.
QStringList dataFoldersFor(const std::string& imagePath);

// The readings of the release: the built-in ones, overridden by the --table file when the
// parser has that option set, else by the release's table file in the folders. A file named
// with --table that cannot be read is reported and nothing returned; skipped lines are warned of.
std::optional<CharacterTable> readingsFor(RomVariant release, const QStringList& folders,
                                          const QCommandLineParser& parser, Io& io);

// The chest location lines from the --locations file, else from the folders; none when there is
// no file. A file named with --locations that cannot be read is reported and nothing returned.
std::optional<std::vector<std::string>> chestLocationsFor(const QStringList& folders,
                                                          const QCommandLineParser& parser, Io& io);

// Both of the above, for the commands that name records in words: readings and chest locations.
struct RecordNamingFiles {
    CharacterTable readings;
    std::vector<std::string> chestLocations;
};
std::optional<RecordNamingFiles> namingFilesFor(RomVariant release, const QStringList& folders,
                                                const QCommandLineParser& parser, Io& io);

} // namespace tarnwick::cli
