#pragma once

#include "CommandSupport.h"

#include "rom/RomImage.h"

#include <QCommandLineParser>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

// The files the merge command reads: the original, and each mod as an image, a patch or an
// export, each made into a document of the original's release.
namespace tarnwick::cli {

// The original: its document, loaded as File > Load does, and what its file holds past the
// image (a long GBA file's bytes), which the document does not.
class OriginalFile {
public:
    OriginalFile(QString filePath, const RomImage& loaded)
        : path(std::move(filePath)), document(loaded) {}
    // Reads the bytes past the image; a failure is reported.
    bool readTail(Io& io);

    const QString path;
    const RomImage& document;
    std::vector<std::uint8_t> tail;

    // The whole file as a patch applies to it, made when the first patch asks for it.
    const std::vector<std::uint8_t>& bytes();

private:
    std::optional<std::vector<std::uint8_t>> whole;
};

// A mod: the document the merge reads, the bytes its file holds past the image, and what kind
// of file it was given as.
struct MergeInput {
    RomImage document;
    FileKind kind = FileKind::Image;
    std::span<const std::uint8_t> tail;
    // The whole file of an image or a patch's result, which tail lies in; empty for an export.
    std::vector<std::uint8_t> file;
};

// Reads the file at path as a mod of the original: an image of its release (refused, as a load
// refuses it, without --any-image where its header names no release), a BPS or IPS patch
// applied to it, or an export whose tables
// are put onto it as import does. A file that is none of these for the original is refused: the
// failure names the file and the reason, and nothing is returned.
std::unique_ptr<MergeInput> readMergeInput(const QString& path, OriginalFile& original,
                                           const QCommandLineParser& parser, Io& io);

} // namespace tarnwick::cli
