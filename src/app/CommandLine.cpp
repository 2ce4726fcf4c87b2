#include "app/CommandLine.h"

#include "qtio/FileNames.h"

#include <QCommandLineParser>

namespace tarnwick {
namespace {

StartOptions failWith(const QString& reason) {
    StartOptions options;
    options.action = StartOptions::Action::Fail;
    options.text = reason + QStringLiteral("\nTry 'tarnwick --help'.");
    return options;
}

} // namespace

StartOptions parseStartOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Edits the chests, shops, espers and battle animation strings of an image."));
    parser.addPositionalArgument(QStringLiteral("image"),
                                 QStringLiteral("Image to open (.smc, .fig, .sfc or .gba)."),
                                 QStringLiteral("[IMAGE]"));
    const QCommandLineOption demoOption(
        QStringLiteral("demo"),
        QStringLiteral("Open a generated demo image instead; the argument then names its "
                       "release: snes-en (the default), snes-ja, gba-en or gba-ja. The image is "
                       "kept, with the edits saved into it, in the folder \"demo\" of the "
                       "user's data folder and opened again next time."));
    const QCommandLineOption freshOption(
        QStringLiteral("fresh"),
        QStringLiteral("With --demo: replace the kept demo image with a new copy first."));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Show this help."));
    const QCommandLineOption versionOption(QStringLiteral("version"),
                                           QStringLiteral("Show the version."));
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"),
        QStringLiteral("Save a picture of the window to FILE (PNG) once the image is open, "
                       "then quit."),
        QStringLiteral("FILE"));
    parser.addOptions({demoOption, freshOption, screenshotOption, helpOption, versionOption});

    if (!parser.parse(arguments))
        return failWith(parser.errorText());
    StartOptions options;
    if (parser.isSet(helpOption)) {
        options.action = StartOptions::Action::ShowHelp;
        options.text = parser.helpText();
        return options;
    }
    if (parser.isSet(versionOption)) {
        options.action = StartOptions::Action::ShowVersion;
        return options;
    }
    options.screenshotPath = parser.value(screenshotOption);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        return failWith(QStringLiteral("Only one image can be opened."));
    if (parser.isSet(freshOption) && !parser.isSet(demoOption))
        return failWith(QStringLiteral("--fresh goes with --demo."));
    if (parser.isSet(demoOption)) {
        options.freshDemo = parser.isSet(freshOption);
        const QString key = positional.value(0, QStringLiteral("snes-en"));
        options.demoRelease = releaseFromKey(key.toStdString());
        if (!options.demoRelease)
            return failWith(QStringLiteral("--demo: expected snes-en, snes-ja, gba-en or gba-ja, "
                                           "not %1.")
                                .arg(quotedPath(key)));
        return options;
    }
    options.imagePath = positional.value(0);
    return options;
}

} // namespace tarnwick
