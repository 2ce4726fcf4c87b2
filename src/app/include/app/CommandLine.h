#pragma once

#include "rom/Releases.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tarnwick {

// What the editor was asked to do at start.
struct StartOptions {
    enum class Action { Run, ShowHelp, ShowVersion, Fail };
    Action action = Action::Run;
    QString imagePath; // an image to open at once, its name's bytes kept (qtio/FileNames.h)
    std::optional<RomVariant> demoRelease; // open the kept demo image of this release
    bool freshDemo = false;                // replace the kept demo image with a new one first
    QString screenshotPath;                // save a picture of the window here, then quit
    QString text;                          // help, version or the reason the line was refused
};

// Reads the editor's command line (the program name first):
//   tarnwick [IMAGE]
//   tarnwick --demo [--fresh] [snes-en|snes-ja|gba-en|gba-ja]
// either followed by --screenshot FILE to save a picture of the window and quit.
StartOptions parseStartOptions(const QStringList& arguments);

} // namespace tarnwick
