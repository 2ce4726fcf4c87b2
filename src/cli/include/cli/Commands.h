#pragma once

#include <QStringList>
#include <QTextStream>

#include <string>
#include <vector>

namespace tarnwick {

// Exit status of tarnwick-cli.
enum ExitCode : int {
    exitSuccess = 0,
    exitFailure = 1,     // a file could not be read, written or used
    exitDifferences = 1, // diff found differences, as diff and cmp report them
    exitUsage = 2,       // the command line itself was wrong
};

// Runs one command line of tarnwick-cli (the arguments after the program name). Results go to
// out; a failure writes one line to err, naming the file and the reason. Returns the exit code.
int runCli(const QStringList& args, QTextStream& out, QTextStream& err);
// The same for the arguments as the bytes the program was given, so that a file name that is
// not UTF-8 reaches the file system as it is (see qtio/FileNames.h).
int runCli(const std::vector<std::string>& args, QTextStream& out, QTextStream& err);

} // namespace tarnwick
