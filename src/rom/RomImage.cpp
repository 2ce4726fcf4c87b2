#include "rom/RomImage.h"

#include "rom/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tarnwick {

namespace fs = std::filesystem;

namespace {

Status loadFailure(const std::string& path, const std::string& reason) {
    return Status::failure("Could not load \"" + path + "\": " + reason + ".");
}

std::string hexAndBytes(std::uint64_t value) {
    char text[64];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return std::string(text) + " (" + std::to_string(value) + ") bytes";
}

} // namespace

// ---- File ----------------------------------------------------------------------------------

void RomImage::unload() {
    // The buffer's memory is kept for the next image (at most 8 MiB); its bytes are gone.
    data.clear();
    gba = false;
    headerSize = 0;
    size = 0;
    cursor = 0;
    fileLength = 0;
    gpMultiplier = defaultGpMultiplier;
}

Status RomImage::load() {
    unload();
    if (path.empty())
        return Status::failure("Could not load: no file was given.");

    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status))
        return loadFailure(path, "the file does not exist");
    if (fs::is_directory(status))
        return loadFailure(path, "it is a folder, not a file");
    // Opened for reading only, so a read-only file (a ROM or a text file) can still be read.
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return loadFailure(path,
                           "the file cannot be opened: " + std::generic_category().message(errno));
    const std::streamoff end = in.tellg();
    if (end < 0)
        return loadFailure(path, "its length cannot be determined");

    // A GBA file may be longer than its image; only the image is read, so memory stays bounded.
    const auto length = static_cast<std::uint64_t>(end);
    data.resize(imageLengthOfFile(length));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size()));
    if (static_cast<std::uint64_t>(in.gcount()) != data.size()) {
        unload();
        return loadFailure(path, "the file could not be read completely");
    }
    takeFileShape(length);
    return Status::success();
}

void RomImage::adoptFileBytes(std::span<const std::uint8_t> fileStart, std::uint64_t length) {
    unload();
    const std::uint64_t imageLength = imageLengthOfFile(length);
    const auto copied =
        static_cast<std::size_t>(std::min<std::uint64_t>(fileStart.size(), imageLength));
    data.assign(fileStart.begin(), fileStart.begin() + static_cast<std::ptrdiff_t>(copied));
    data.resize(imageLength);
    takeFileShape(length);
}

std::uint64_t RomImage::imageLengthOfFile(std::uint64_t length) {
    return length > largestSnesFile ? gbaImageSize : length;
}

void RomImage::takeFileShape(std::uint64_t length) {
    gba = length > largestSnesFile;
    size = static_cast<std::uint32_t>(data.size());
    fileLength = length;
}

Status RomImage::save() {
    if (!hasImage())
        return Status::failure("Nothing was saved: no ROM is loaded.");
    // The image bytes stay as they were when the file cannot be written, so the document
    // still knows that its tables hold changes the file does not have.
    std::vector<std::uint8_t> previous = data;
    writeTablesToImage();
    Status written = replaceFileStart(path, std::span<const std::uint8_t>(data.data(), size));
    if (!written)
        data = std::move(previous);
    return written;
}

// ---- Release -------------------------------------------------------------------------------

std::int32_t RomImage::setHeaderSize(std::int32_t newSize) {
    const std::int32_t previous = headerSize;
    headerSize = newSize;
    return previous;
}

bool RomImage::settleRelease() {
    setHeaderSize(static_cast<std::int32_t>(size % snesBankSize));
    const bool wasJapanese = japanese;
    if (!gba) {
        const std::uint8_t mark = readByte(snesLanguageByteOffset);
        if (!japanese && mark == snesJapaneseMark)
            japanese = true;
        else if (japanese && mark == snesEnglishMark)
            japanese = false;
    } else {
        const GameString code =
            readFixedString(static_cast<int>(gbaGameCodeArea.length), gbaGameCodeArea.offset);
        if (!japanese && code == gbaJapaneseGameCode)
            japanese = true;
        else if (japanese && code == gbaEnglishGameCode)
            japanese = false;
    }
    return japanese != wasJapanese;
}

Status RomImage::checkFitsRelease() const {
    const std::uint64_t needed =
        requiredImageSize(variant()) + static_cast<std::uint64_t>(headerSize);
    if (size >= needed)
        return Status::success();
    const std::string headerNote = headerSize > 0 ? " (with the " + std::to_string(headerSize) +
                                                        "-byte copier header its length implies)"
                                                  : "";
    return loadFailure(path, "the file is too short for a " + std::string(releaseName(variant())) +
                                 " image: it needs at least " + hexAndBytes(needed) + headerNote +
                                 " and holds " + hexAndBytes(size));
}

GameString RomImage::internalTitle() const {
    const ByteArea& area = internalTitleArea[variantIndex(variant())];
    return readFixedString(static_cast<int>(area.length), area.offset);
}

// ---- Byte access ---------------------------------------------------------------------------

bool RomImage::imageIndex(std::uint64_t offset, std::uint64_t& index) const {
    const auto header = static_cast<std::uint64_t>(std::max(headerSize, 0));
    if (header > data.size() || offset >= data.size() - header)
        return false;
    index = header + offset;
    return true;
}

std::uint8_t RomImage::readByte(std::uint64_t offset) const {
    std::uint64_t index = 0;
    return imageIndex(offset, index) ? data[index] : 0;
}

std::uint16_t RomImage::readWord(std::uint64_t offset) const {
    return static_cast<std::uint16_t>(readByte(offset) | readByte(offset + 1) << 8);
}

void RomImage::writeByte(std::uint8_t value, std::uint64_t offset) {
    std::uint64_t index = 0;
    if (imageIndex(offset, index))
        data[index] = value;
}

void RomImage::seek(std::uint64_t offset) {
    cursor = static_cast<std::uint64_t>(std::max(headerSize, 0)) + offset;
}

std::uint8_t RomImage::nextByte() {
    const std::uint8_t value = cursor < data.size() ? data[cursor] : 0;
    ++cursor;
    return value;
}

void RomImage::putByte(std::uint8_t value) {
    if (cursor < data.size())
        data[cursor] = value;
    ++cursor;
}

void RomImage::readTable(int count, int recordSize, std::span<Record> table, std::uint64_t offset) {
    seek(offset);
    const auto records = std::min(static_cast<std::size_t>(std::max(count, 0)), table.size());
    const auto bytes = static_cast<std::size_t>(std::clamp(recordSize, 0, recordSlots));
    for (std::size_t i = 0; i < records; ++i)
        for (std::size_t j = 0; j < bytes; ++j)
            table[i][j] = nextByte();
}

void RomImage::writeTable(int count, int recordSize, std::span<const Record> table,
                          std::uint64_t offset) {
    seek(offset);
    const auto records = std::min(static_cast<std::size_t>(std::max(count, 0)), table.size());
    const auto bytes = static_cast<std::size_t>(std::clamp(recordSize, 0, recordSlots));
    for (std::size_t i = 0; i < records; ++i)
        for (std::size_t j = 0; j < bytes; ++j)
            putByte(static_cast<std::uint8_t>(table[i][j] & 0xFF));
}

std::string RomImage::readLine() {
    if (cursor >= data.size())
        return {};
    // Only the pair CR LF ends a line; a lone CR or LF is part of it.
    constexpr std::array<std::uint8_t, 2> lineEnd = {0x0D, 0x0A};
    const auto begin = data.begin() + static_cast<std::ptrdiff_t>(cursor);
    const auto end = std::search(begin, data.end(), lineEnd.begin(), lineEnd.end());
    std::string line(begin, end);
    cursor = end == data.end() ? data.size() : static_cast<std::uint64_t>(end - data.begin()) + 2;
    return line;
}

// ---- Loading as a whole --------------------------------------------------------------------

Status loadRom(RomImage& rom, const std::string& path) {
    rom.setPath(path);
    if (Status loaded = rom.load(); !loaded)
        return loaded;
    rom.settleRelease();
    if (Status parsed = rom.parseTables(); !parsed) {
        rom.unload();
        return parsed;
    }
    return Status::success();
}

} // namespace tarnwick
