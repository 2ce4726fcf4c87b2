#pragma once

#include "io/OutputRule.h"
#include "rom/RomImage.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What the commands of tarnwick-cli share: their output streams, messages, argument parsing and
// loading an image the way File > Load does.
namespace tarnwick::cli {

inline constexpr auto programName = "tarnwick-cli";

struct Io {
    QTextStream& out;
    QTextStream& err;
};

// ---- Small conversions ----
std::string nativePath(const QString& path);
QString fromNative(const std::string& text);
QString hex(std::uint64_t value, int digits = 6);
QString byteCount(std::uint64_t value);
// Text read from the game (UTF-8) as the window shows it: Japanese names carry their sound marks
// as combining characters, which NFC joins to the letters.
QString shownName(std::string_view text);
// The title as one character per byte, with control characters shown as escapes.
QString printableTitle(const GameString& title);

// ---- Failures: one line on the error stream, and the exit code ----
int fail(Io& io, const QString& message);
// A line on the error stream that does not stop the command.
void warn(Io& io, const QString& message);
int usageError(Io& io, const QString& command, const QString& message);

// ---- Arguments ----
struct CommandSyntax {
    QString name;
    QString arguments;   // as shown in the usage line
    QString description; // one paragraph for --help
};

// A command's positional arguments in order: name and description, as --help lists them.
using ArgumentList = QList<std::pair<QString, QString>>;

// Adds the positional arguments to the parser and parses a command's arguments, which must
// hold exactly those. Returns an exit code when the command should not go on: after --help,
// or on an argument error (already reported).
std::optional<int> parseArguments(QCommandLineParser& parser, const CommandSyntax& syntax,
                                  const ArgumentList& arguments, const QStringList& args, Io& io);

// A command that works on one image, loaded as File > Load does: its syntax, its own options,
// the arguments after the image (name and description), the work it does on the loaded image,
// and the image's own argument where "IMAGE" is not the name its usage line gives it.
// Every such command also takes --japanese and --any-image.
struct ImageCommand {
    CommandSyntax syntax;
    QList<QCommandLineOption> options;
    ArgumentList argumentsAfterImage;
    std::function<int(RomImage& rom, const QCommandLineParser& parser)> run;
    std::pair<QString, QString> image{QStringLiteral("IMAGE"), QStringLiteral("The image file.")};
    // Checks the options before any file is read, so that wrong usage is told as such; returns
    // the exit code of a usage error (already reported).
    std::function<std::optional<int>(const QCommandLineParser& parser)> checkUsage = {};
};

// Loads an image as File > Load does, with the --japanese and --any-image of a command that
// runImageCommand parsed; a failure is reported and false returned.
bool loadImage(RomImage& rom, const QString& path, const QCommandLineParser& parser, Io& io);

// Loads a second image, which must be of the first one's release to be compared with it; a
// failure is reported and false returned.
bool loadImageLike(RomImage& other, const QString& path, const RomImage& first,
                   const QCommandLineParser& parser, Io& io);

// Parses the arguments, loads IMAGE (refusing one whose header names no release unless
// --any-image was given) and runs the command. Returns the exit code; failures are reported.
int runImageCommand(const QStringList& args, Io& io, const ImageCommand& command);

// Reads the export at jsonPath, checks all of it against the document's release and puts its
// tables into the document (nothing is saved). Returns an exit code when that failed (already
// reported).
std::optional<int> putExportIntoDocument(const QString& jsonPath, RomImage& rom, Io& io);
inline const std::pair<QString, QString> exportArgument{
    QStringLiteral("JSON"), QStringLiteral("A file written by the export command.")};

// ---- Input files ----
// A whole file in memory, refused when longer than largest; a failure is reported.
std::optional<QByteArray> readInputFile(const QString& path, std::uint64_t largest, Io& io);

// ---- Output files ----
// --force: the one meaning it has in every command.
QCommandLineOption forceOption();
// Writes bytes to path under the output rule every command follows: an existing file is
// replaced only with --force, a folder never, and an input of another kind not even then.
// A failure is reported; returns the exit code.
int writeOutput(Io& io, const QString& path, std::span<const std::uint8_t> bytes, FileKind kind,
                const std::vector<InputFile>& inputs, bool force);
// Checks an output against the rule without writing it (for commands writing several files).
bool mayWriteOutput(Io& io, const QString& path, FileKind kind,
                    const std::vector<InputFile>& inputs, bool force);
InputFile inputFile(const QString& path, FileKind kind);

// ---- The commands ----
int runInfo(const QStringList& args, Io& io);
int runExport(const QStringList& args, Io& io);
int runImport(const QStringList& args, Io& io);
int runDiff(const QStringList& args, Io& io);
int runSheets(const QStringList& args, Io& io);
int runDemoImage(const QStringList& args, Io& io);
int runPatch(const QStringList& args, Io& io);
int runApply(const QStringList& args, Io& io);
int runCheck(const QStringList& args, Io& io);
int runChangelog(const QStringList& args, Io& io);
int runMerge(const QStringList& args, Io& io);

} // namespace tarnwick::cli
