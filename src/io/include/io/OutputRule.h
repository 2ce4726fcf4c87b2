#pragma once

#include "io/Status.h"

#include <span>
#include <string>
#include <string_view>

// The one rule for every file the programs write: nothing existing is replaced unless the user
// said so, a folder is never replaced, and an input is never replaced by a file of another kind
// (a patch or an export written over the image it was made from), whatever the user said.
namespace tarnwick {

enum class FileKind { Image, Json, Patch, Picture };

// "image", "JSON export", "patch" or "picture", for messages.
std::string_view fileKindName(FileKind kind);

struct InputFile {
    std::string path;
    FileKind kind;
};

// Whether path names the file at other, under that name or another (a link, a relative path).
bool isSameFile(const std::string& path, const std::string& other);

// Success when a file of kind may be written at path. replaceHint follows the message when the
// only obstacle is an existing file that replaceExisting would allow replacing (" Give --force
// to replace it.").
Status checkOutputFile(const std::string& path, FileKind kind, std::span<const InputFile> inputs,
                       bool replaceExisting, std::string_view replaceHint = {});

} // namespace tarnwick
