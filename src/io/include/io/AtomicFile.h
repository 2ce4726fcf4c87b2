#pragma once

#include "io/Status.h"

#include <cstdint>
#include <span>
#include <string>

// Every file the programs write goes through here. The new contents go to a temporary file in
// the target's folder, which is flushed to disk and then renamed over the target, and the folder
// is flushed after the rename: a failure, a crash or a power loss leaves either the old file or
// the complete new one, never a mixture.
namespace tarnwick {

// Replaces the start of an existing file with head and keeps every byte the file holds past
// head's length, and the file's permissions.
Status replaceFileStart(const std::string& path, std::span<const std::uint8_t> head);

// What writeWholeFile does when a file of that name exists.
enum class ExistingFile { Refuse, Replace };

// Writes bytes as the whole contents of the file at path.
Status writeWholeFile(const std::string& path, std::span<const std::uint8_t> bytes,
                      ExistingFile existing);

} // namespace tarnwick
