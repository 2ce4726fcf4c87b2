#include "rom/AtomicFile.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace tarnwick {

namespace fs = std::filesystem;

namespace {

Status saveFailure(const std::string& path, const std::string& reason) {
    return Status::failure("Could not save \"" + path + "\": " + reason + ".");
}

std::string errnoText() {
    return std::generic_category().message(errno);
}

// A name beside target that no file has yet.
fs::path temporaryNameBeside(const fs::path& target) {
    std::random_device entropy;
    std::uniform_int_distribution<unsigned> hexDigit(0, 15);
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string suffix = ".tarnwick-save-";
        for (int i = 0; i < 8; ++i)
            suffix += "0123456789abcdef"[hexDigit(entropy)];
        fs::path candidate = target;
        candidate += suffix;
        std::error_code ec;
        if (!fs::exists(candidate, ec) && !ec)
            return candidate;
    }
    return {};
}

// Copies everything in source from offset on to out.
bool copyTail(std::ifstream& source, std::uint64_t offset, std::ofstream& out) {
    source.seekg(static_cast<std::streamoff>(offset));
    if (!source)
        return false;
    std::array<char, 1 << 16> buffer{};
    while (source) {
        source.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const std::streamsize got = source.gcount();
        if (got > 0 && !out.write(buffer.data(), got))
            return false;
    }
    return source.eof();
}

} // namespace

Status replaceFileStart(const std::string& path, std::span<const std::uint8_t> head) {
    std::error_code ec;
    // Follow a link so that the file it points at is replaced, not the link.
    const fs::path target = fs::weakly_canonical(fs::path(path), ec);
    if (ec)
        return saveFailure(path, ec.message());
    const fs::file_status status = fs::status(target, ec);
    if (!fs::exists(status))
        return saveFailure(path, "the file no longer exists");
    if (!fs::is_regular_file(status))
        return saveFailure(path, "it is not a regular file");
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none)
        return saveFailure(path, "the file is read-only");
    const std::uint64_t originalLength = fs::file_size(target, ec);
    if (ec)
        return saveFailure(path, ec.message());

    std::ifstream original(target, std::ios::binary);
    if (!original)
        return saveFailure(path, "the file cannot be read: " + errnoText());

    const fs::path temporary = temporaryNameBeside(target);
    if (temporary.empty())
        return saveFailure(path, "no temporary file name is free in its folder");
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out)
        return saveFailure(path, "a new file cannot be created in its folder: " + errnoText());

    auto discardTemporary = [&temporary] {
        std::error_code ignored;
        fs::remove(temporary, ignored);
    };
    out.write(reinterpret_cast<const char*>(head.data()),
              static_cast<std::streamsize>(head.size()));
    const bool tailCopied = originalLength <= head.size() || copyTail(original, head.size(), out);
    out.flush();
    const bool written = tailCopied && out.good();
    out.close();
    if (!written || out.fail()) {
        const std::string reason = errnoText();
        discardTemporary();
        return saveFailure(path, "writing the new contents failed: " + reason);
    }

    fs::permissions(temporary, status.permissions(), fs::perm_options::replace, ec);
    fs::rename(temporary, target, ec);
    if (ec) {
        discardTemporary();
        return saveFailure(path, "the new contents could not replace the file: " + ec.message());
    }
    return Status::success();
}

} // namespace tarnwick
