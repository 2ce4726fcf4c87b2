#include "app/CommandLine.h"
#include "app/DeferredIconStyle.h"
#include "app/EditorApp.h"
#include "qtio/FileNames.h"
#include "resources/AppResources.h"
#include "resources/DeferredIcon.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

void printLine(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    if (!text.endsWith(QLatin1Char('\n')))
        std::fputc('\n', stream);
}

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Tarnwick"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARNWICK_VERSION));
}

} // namespace

int main(int argc, char* argv[]) {
    using tarnwick::StartOptions;
    // The arguments as the bytes they are, so that an image whose name is not UTF-8 can be
    // named; fileSystemName turns the image path back into those bytes.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments += tarnwick::nameFromFileSystem(argv[i]);
    // The command line is read before any window system is needed, so --help and --version
    // work without a display. Only the help text needs an application object (for its name).
    StartOptions options = tarnwick::parseStartOptions(arguments);
    if (options.action == StartOptions::Action::ShowHelp) {
        QCoreApplication reader(argc, argv);
        nameApplication();
        options = tarnwick::parseStartOptions(arguments);
    }
    switch (options.action) {
    case StartOptions::Action::ShowHelp:
        printLine(stdout, options.text);
        return 0;
    case StartOptions::Action::ShowVersion:
        printLine(stdout, QStringLiteral("tarnwick " TARNWICK_VERSION));
        return 0;
    case StartOptions::Action::Fail:
        printLine(stderr, options.text);
        return 2;
    case StartOptions::Action::Run:
        break;
    }
    QApplication app(argc, argv);
    nameApplication();
    // Lets the desktop match the window with the installed desktop entry (on Wayland too).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tarnwick.Tarnwick"));
    tarnwick::registerAppResources();
    QApplication::setWindowIcon(tarnwick::deferredIcon(QStringLiteral(":/icons/tarnwick.svg")));
    tarnwick::useDeferredOverflowIcon();
    tarnwick::EditorApp editor(std::move(options));
    return editor.run();
}
