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
    // whose tables the export replaces in document. Where imageInFile is false (the original
    // made from a loaded document, and an export put onto it) only the bytes past the image,
    // since the document holds the rest.
    std::vector<std::uint8_t> file;
    bool imageInFile = true;
    ModKind kind = ModKind::Image;
    // What the user is to be told of a file that was read all the same: that an IPS patch
    // carries no checksum, so whether it was made for the original cannot be checked.
    QString caution;

    // The file's bytes past the image.
    std::span<const std::uint8_t> tail() const;
    // The whole file's length, and the whole file, made from the document where file holds
    // only the tail.
    std::uint64_t fileLength() const;
    std::vector<std::uint8_t> wholeFile() const;
};

// Reads the image at path as one of release, the way a patch's result is read (adoptImageOf).
// When it is none, returns nothing and sets error to a sentence that names the file and why.
[[nodiscard]] std::optional<MergeFile> readMergeImage(const QString& path, RomVariant release,
                                                      QString& error);

// The original from a document just loaded from its file (loadRom, which settles the release as
// asked and reads the image only): reads the bytes the file holds past the image, so the image
// is read once, and keeps only those in file. When they cannot be read, returns nothing and sets
// error to a sentence that names the file and why.
[[nodiscard]] std::optional<MergeFile> mergeFileOfLoaded(RomImage loaded, QString& error);

// Reads the mod at path as the document it makes of original (read by readMergeImage): a BPS or
// IPS patch, told apart by its first bytes, applied to original's file; a tables export (a name
// ending in .json, or text starting with '{') put onto original's tables; or else an image of
// original's release. When the patch does not apply, or the export or image is of another
// release, returns nothing and sets error to a sentence that names the files and why. An image
// whose header names no release is read only when mergeAnyway, given, agrees, as loadRom asks
// its loadAnyway; a refusal's error is the reason.
[[nodiscard]] std::optional<MergeFile> readMergeMod(const QString& path, const MergeFile& original,
                                                    QString& error,
                                                    const UnnamedReleaseCheck& mergeAnyway = {});

} // namespace tarnwick
