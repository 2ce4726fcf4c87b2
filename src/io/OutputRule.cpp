#include "io/OutputRule.h"

#include "io/ShownText.h"

#include <filesystem>
#include <system_error>

namespace tarnwick {

namespace fs = std::filesystem;

std::string_view fileKindName(FileKind kind) {
    switch (kind) {
    case FileKind::Image:
        return "image";
    case FileKind::Json:
        return "JSON export";
    case FileKind::Patch:
        return "patch";
    case FileKind::Picture:
        return "picture";
    }
    return "file";
}

bool isSameFile(const std::string& path, const std::string& other) {
    std::error_code error;
    return fs::equivalent(path, other, error);
}

Status checkOutputFile(const std::string& path, FileKind kind, std::span<const InputFile> inputs,
                       bool replaceExisting, std::string_view replaceHint) {
    const auto refuse = [&path](const std::string& reason) {
        return Status::failure("Could not write " + quotedName(path) + ": " + reason);
    };
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) {
        // A link that leads to no file is still there, and the user's: replaced only as a file is.
        if (!fs::is_symlink(fs::symlink_status(path, error)) || replaceExisting)
            return Status::success();
        return refuse("a link of that name exists already." + std::string(replaceHint));
    }
    if (fs::is_directory(status))
        return refuse("it is a folder.");
    for (const InputFile& input : inputs) {
        // The same file under another name (a link, a relative path) counts too.
        if (input.kind == kind || !isSameFile(path, input.path))
            continue;
        const std::string_view article = kind == FileKind::Image ? "an " : "a ";
        return refuse("it is the " + std::string(fileKindName(input.kind)) +
                      " this command reads, and " + std::string(article) +
                      std::string(fileKindName(kind)) + " is never written over it.");
    }
    if (!replaceExisting)
        return refuse("a file of that name exists already." + std::string(replaceHint));
    return Status::success();
}

} // namespace tarnwick
