// The floor a command-line run of tarnwick-cli is measured against: a Qt Core program that
// starts, optionally reads one file whole and writes a given number of bytes to standard output,
// then exits. What tarnwick-cli spends above this is its own work.
//
//   tarnwick_minimal_core [--read FILE] [--write BYTES]

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    qsizetype checksum = 0;
    std::size_t toWrite = 0;
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--read")) {
            QFile file(args[i + 1]);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(args[i + 1]));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            checksum += bytes.isEmpty() ? 0 : bytes.back();
        } else if (args[i] == QLatin1String("--write")) {
            toWrite = args[i + 1].toULongLong();
        }
    }
    // Lines of text, as the commands write them.
    std::string line(63, static_cast<char>('a' + (checksum & 7)));
    line += '\n';
    for (std::size_t written = 0; written < toWrite; written += line.size())
        std::fwrite(line.data(), 1, std::min(line.size(), toWrite - written), stdout);
    return 0;
}
