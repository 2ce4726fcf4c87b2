#pragma once

#include "rom/Releases.h"
#include "rom/RomImage.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The files a merge reads, each as the document it makes: the original image, and a mod of it
// given as an image, a patch or a tables export. The window's File > Merge Mod and the command
// line read them alike.
namespace tarnwick {

enum class ModKind { Image, Patch, Export };

// A document read for a merge, with the file it stands for: the bytes a long GBA file holds past
// its image, which the document does not hold, take part in a merge too (FileTails).
struct MergeFile {
    RomImage document;
    // The whole file: an image's as read, a patch's result; for an export, the original's file,
    // whose tables the export replaces in document.
    std::vector<std::uint8_t> file;
    ModKind kind = ModKind::Image;

    // The file's bytes past the image.
    std::span<const std::uint8_t> tail() const;
};

// Reads the image at path as one of release, the way a patch's result is read (adoptImageOf).
// When it is none, returns nothing and sets error to a sentence that names the file and why.
[[nodiscard]] std::optional<MergeFile> readMergeImage(const QString& path, RomVariant release,
                                                      QString& error);

// Reads the mod at path as the document it makes of original (read by readMergeImage): a BPS or
// IPS patch, told apart by its first bytes, applied to original's file; a tables export (a name
// ending in .json, or text starting with '{') put onto original's tables; or else an image of
// original's release. When the patch does not apply, or the export or image is of another
// release, returns nothing and sets error to a sentence that names the files and why.
[[nodiscard]] std::optional<MergeFile> readMergeMod(const QString& path, const MergeFile& original,
                                                    QString& error);

} // namespace tarnwick
