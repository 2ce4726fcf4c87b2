#include "cli/Commands.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick-cli"));
    QFile standardOutput;
    standardOutput.open(stdout, QIODevice::WriteOnly);
    QTextStream out(&standardOutput);
    QTextStream err(stderr);
    // The arguments as the bytes they are (less any that Qt took as its own), so that a file
    // name that is not UTF-8 still names its file.
    const int code = tarnwick::runCli(std::vector<std::string>(argv + 1, argv + argc), out, err);
    // Output that never arrived (a full disk, a closed pipe) is a failure, not a success.
    out.flush();
    if (!standardOutput.flush() || standardOutput.error() != QFileDevice::NoError) {
        err << "tarnwick-cli: could not write to standard output: " << standardOutput.errorString()
            << Qt::endl;
        return code == tarnwick::exitSuccess ? tarnwick::exitFailure : code;
    }
    return code;
}
