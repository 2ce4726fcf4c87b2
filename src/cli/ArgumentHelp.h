#pragma once

#include "CommandSupport.h"

#include <QCommandLineParser>
#include <QString>

// The texts a command's parser gives the user, in the tool's own wording and layout.
namespace tarnwick::cli {

// The parser's help with the usage line of the command as the user types it, and with its
// arguments listed in a column wide enough for their whole names.
QString commandHelpText(const QCommandLineParser& parser, const CommandSyntax& syntax,
                        const ArgumentList& arguments);

// Why the parser refused the arguments, as the tool's other usage errors say it:
// "unknown option --bogus", "missing value after '--table'".
QString parseErrorText(const QCommandLineParser& parser);

} // namespace tarnwick::cli
