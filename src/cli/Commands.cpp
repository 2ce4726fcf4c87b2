#include "cli/Commands.h"

#include "CommandSupport.h"
#include "qtio/FileNames.h"

#include <array>

#ifndef TARNWICK_VERSION
#define TARNWICK_VERSION "unknown"
#endif

namespace tarnwick {
namespace cli {
namespace {

// ---- Dispatch ------------------------------------------------------------------------------

struct Command {
    const char* name;
    int (*run)(const QStringList& args, Io& io);
};

constexpr std::array commands = {
    Command{"info", &runInfo},     Command{"export", &runExport},
    Command{"import", &runImport}, Command{"diff", &runDiff},
    Command{"sheets", &runSheets}, Command{"demo-image", &runDemoImage},
    Command{"patch", &runPatch},   Command{"apply", &runApply},
    Command{"check", &runCheck},   Command{"changelog", &runChangelog},
    Command{"merge", &runMerge},
};

const char* const overview =
    "Usage: tarnwick-cli COMMAND [options] ARGUMENTS\n"
    "Reads and writes the data tables of Kavo cartridge images (SNES and GBA, English and\n"
    "Japanese) and renders their font and palettes. Runs without a display.\n"
    "\n"
    "Commands:\n"
    "  info IMAGE              Release, header, title, size and where each table lies.\n"
    "  export [-o FILE] IMAGE  The record tables and names as JSON.\n"
    "  import [-o FILE] IMAGE JSON\n"
    "                          Puts the record tables of an export into the image and\n"
    "                          saves it, or writes the result to FILE.\n"
    "  diff IMAGE JSON|MODIFIED\n"
    "                          Lists the bytes where the record tables of an export, or of\n"
    "                          a second image, differ from IMAGE; changes no file. Exits 1\n"
    "                          when there are differences, 0 when there are none.\n"
    "  sheets IMAGE OUTDIR     The font and palette sheets as PNG files.\n"
    "  demo-image --release RELEASE [--header] [--tail BYTES] [--with-data-files] OUT\n"
    "                          Writes a synthetic image, and with --with-data-files the\n"
    "                          demo's text files beside it.\n"
    "  patch [--bps|--ips] ORIGINAL MODIFIED OUT\n"
    "                          Writes a patch from ORIGINAL to MODIFIED: BPS, or IPS with\n"
    "                          --ips or an OUT ending in .ips. BPS leaves a SNES copier\n"
    "                          header out; IPS addresses the files as they are on disk.\n"
    "  apply IMAGE PATCH OUT   Applies a BPS or IPS patch to IMAGE and writes OUT.\n"
    "  check [--against ORIGINAL] [--json] IMAGE\n"
    "                          Lists the mistakes across records a mod may have made;\n"
    "                          exits 1 when there are errors.\n"
    "  changelog [--markdown] ORIGINAL MODIFIED\n"
    "                          What MODIFIED changes, in words and the game's names, one\n"
    "                          line per changed record, for a mod's release notes.\n"
    "  merge [--prefer first|second] [--json] -o OUT ORIGINAL FIRST SECOND\n"
    "                          Merges two mods of ORIGINAL (images, BPS or IPS patches, or\n"
    "                          exports) field by field into OUT; lists the conflicts and\n"
    "                          writes nothing, exiting 1, unless --prefer settles them.\n"
    "\n"
    "The commands that read an IMAGE take --japanese, to read it as a Japanese release unless\n"
    "its header says English, and --any-image, to load a file whose header names none of the\n"
    "four releases.\n"
    "\n"
    "Every command that writes a file leaves an existing one alone unless --force is given,\n"
    "never replaces a folder, and never writes over one of its own input files a file of\n"
    "another kind (an export or a patch over an image, an image over a patch).\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help; 'tarnwick-cli COMMAND --help' shows a command's.\n"
    "  -v, --version  Show the version.\n"
    "\n"
    "Exit status: 0 on success, 1 when a file cannot be read, written or used (and when diff\n"
    "finds differences), 2 when the command line is wrong.\n";

} // namespace
} // namespace cli

int runCli(const std::vector<std::string>& args, QTextStream& out, QTextStream& err) {
    QStringList names;
    for (const std::string& arg : args)
        names += nameFromFileSystem(arg);
    return runCli(names, out, err);
}

int runCli(const QStringList& args, QTextStream& out, QTextStream& err) {
    using namespace cli;
    Io io{out, err};
    // Without a command, the usage says what there is to do.
    if (args.isEmpty()) {
        err << overview;
        return exitUsage;
    }
    const QString& first = args.front();
    if (first == QLatin1String("-h") || first == QLatin1String("--help") ||
        first == QLatin1String("help")) {
        out << overview;
        return exitSuccess;
    }
    if (first == QLatin1String("-v") || first == QLatin1String("--version")) {
        out << programName << " " << TARNWICK_VERSION << "\n";
        return exitSuccess;
    }
    for (const Command& command : commands)
        if (first == QLatin1String(command.name))
            return command.run(args.mid(1), io);
    return usageError(io, {}, QStringLiteral("unknown command %1").arg(quotedPath(first)));
}

} // namespace tarnwick
