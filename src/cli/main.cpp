#include "cli/Commands.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The arguments as the bytes they are (less any that Qt took as its own), so that a file
    // name that is not UTF-8 still names its file.
    return tarnwick::runCli(std::vector<std::string>(argv + 1, argv + argc), out, err);
}
