#include "rom/RomImage.h"

#include "io/AtomicFile.h"
#include "io/FileReading.h"
#include "io/ShownText.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace tarnwick {

namespace {

Status loadFailure(const std::string& path, const std::string& reason) {
    return Status::failure("Could not load " + quotedName(path) + ": " + reason + ".");
}

// "2,985,036 bytes": a length a person reads at a glance.
std::string groupedBytes(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits + (value == 1 ? " byte" : " bytes");
}

// "2.84 MiB" (cut, never rounded up, as it follows "at least"), or "8 MiB" for a whole number.
std::string mebibytes(std::uint64_t value) {
    char text[32];
    const std::uint64_t hundredths = value * 100 / 0x100000;
    if (value % 0x100000 == 0)
        std::snprintf(text, sizeof text, "%llu MiB", static_cast<unsigned long long>(value >> 20));
    else
        std::snprintf(text, sizeof text, "%llu.%02llu MiB",
                      static_cast<unsigned long long>(hundredths / 100),
                      static_cast<unsigned long long>(hundredths % 100));
    return text;
}

// Bytes as a quoted text, with anything but printable ASCII written as \xHH.
std::string quotedBytes(std::string_view bytes) {
    std::string text = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
            text += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        }
    }
    return text + "\"";
}

} // namespace

// ---- File ----------------------------------------------------------------------------------

void RomImage::unload() {
    // The buffer's memory is kept for the next image (at most 8 MiB); its bytes are gone.
    data.clear();
    fileData = ByteBuffer();
    gba = false;
    headerSize = 0;
    size = 0;
    cursor = 0;
    fileLength = 0;
    file = {};
    gpMultiplier = defaultGpMultiplier;
}

Status RomImage::load() {
    return load(readImageFile(path));
}

ImageFileRead RomImage::readImageFile(const std::string& path) {
    // A GBA file may be longer than its image; only the image is read, so memory stays bounded.
    ReadRequest request;
    request.count = gbaImageSize;
    ImageFileRead read;
    read.status = readFileBytes(path, "load", request, read.contents);
    return read;
}

Status RomImage::load(ImageFileRead read) {
    unload();
    if (!read.status)
        return read.status;
    BufferedFileContents& contents = read.contents;
    if (contents.bytes.size() != imageLengthOfFile(contents.length))
        return loadFailure(path, "the file could not be read completely");
    data = std::move(contents.bytes);
    takeFileShape(contents.length);
    file = ImageFile(contents.stamp, data.size());
    return Status::success();
}

const ImageFile& RomImage::openFile() const {
    takeFileChecksum();
    return file;
}

void RomImage::takeFileChecksum() const {
    if (file.awaitsChecksum())
        file.takeChecksum(data);
}

void RomImage::adoptFileBytes(std::span<const std::uint8_t> fileStart, std::uint64_t length) {
    unload();
    const std::uint64_t imageLength = imageLengthOfFile(length);
    const auto copied =
        static_cast<std::size_t>(std::min<std::uint64_t>(fileStart.size(), imageLength));
    data.assign(fileStart.begin(), fileStart.begin() + static_cast<std::ptrdiff_t>(copied));
    data.resize(imageLength, 0);
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
    ByteBuffer previous = data;
    writeTablesToImage();
    Status written = replaceFileStart(path, std::span<const std::uint8_t>(data.data(), size));
    if (!written)
        data = std::move(previous);
    else
        rememberFile();
    return written;
}

void RomImage::rememberFile() {
    fileData = ByteBuffer();
    FileStamp stamp;
    file = stampOfFile(path, stamp) ? ImageFile(stamp, size) : ImageFile();
}

Status RomImage::savedFileBytes(ByteBuffer& bytes) const {
    bytes = imageWithTables();
    if (fileLength <= bytes.size())
        return Status::success();
    // The bytes past the image are read straight in behind it.
    const std::size_t imageLength = bytes.size();
    ReadRequest request;
    request.offset = imageLength;
    request.count = fileLength - imageLength;
    const auto resize = [&bytes, imageLength](std::size_t tailSize) {
        bytes.resize(imageLength + tailSize);
        return bytes.data() + imageLength;
    };
    FileFacts tail;
    if (Status read =
            readFileInto(path, "read the bytes past the image from", request, resize, tail);
        !read)
        return read;
    if (tail.count != request.count)
        return Status::failure("Could not read the bytes past the image from " + quotedName(path) +
                               ": it is shorter now.");
    return Status::success();
}

Status RomImage::writeSavedFileTo(const std::string& newPath, ExistingFile existing) const {
    if (!hasImage())
        return Status::failure("Nothing was saved: no ROM is loaded.");
    const ByteBuffer image = imageWithTables();
    FileRange tail{path, image.size(), fileLength > image.size() ? fileLength - image.size() : 0,
                   std::nullopt};
    if (tail.length == 0)
        return writeWholeFile(newPath, image, existing);
    return writeFileWithTail(newPath, image, tail, existing);
}

Status RomImage::saveAs(const std::string& newPath) {
    if (Status written = writeSavedFileTo(newPath, ExistingFile::Replace); !written)
        return written;
    // The new file holds the tables now, as the image bytes do after a save.
    writeTablesToImage();
    path = newPath;
    rememberFile();
    return Status::success();
}

// ---- Release -------------------------------------------------------------------------------

std::int32_t RomImage::setHeaderSize(std::int32_t newSize) {
    const std::int32_t previous = headerSize;
    headerSize = newSize;
    return previous;
}

bool RomImage::settleRelease() {
    setHeaderSize(static_cast<std::int32_t>(copierHeaderLength(fileLength)));
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

std::optional<RomVariant> RomImage::namedRelease() const {
    if (!gba) {
        const std::uint8_t mark = readByte(snesLanguageByteOffset);
        if (mark == snesJapaneseMark)
            return RomVariant::SnesJapanese;
        if (mark == snesEnglishMark)
            return RomVariant::SnesEnglish;
        return std::nullopt;
    }
    const GameString code =
        readFixedString(static_cast<int>(gbaGameCodeArea.length), gbaGameCodeArea.offset);
    if (code == gbaJapaneseGameCode)
        return RomVariant::GbaJapanese;
    if (code == gbaEnglishGameCode)
        return RomVariant::GbaEnglish;
    return std::nullopt;
}

std::string RomImage::headerMark() const {
    if (!gba)
        return "title byte at 0xFFCE is " +
               quotedBytes(std::string(1, static_cast<char>(readByte(snesLanguageByteOffset))));
    return "game code at 0xAC is " +
           quotedBytes(
               readFixedString(static_cast<int>(gbaGameCodeArea.length), gbaGameCodeArea.offset));
}

std::string RomImage::unnamedReleaseReason() const {
    if (!gba)
        return "its " + headerMark() +
               ", where the English release has \"3\" and the Japanese one \"6\"";
    return "its " + headerMark() +
           ", where the English release has \"QK4E\" and the Japanese one \"QK4J\"";
}

std::string RomImage::releaseSwitchWarning(bool japaneseWanted) const {
    const std::optional<RomVariant> named = namedRelease();
    if (!hasImage() || !named || isJapaneseVariant(*named) == japaneseWanted)
        return {};
    const std::string_view wanted = releaseName(makeVariant(gba, japaneseWanted));
    return "The header of " + quotedName(path) + " names it " + std::string(releaseName(*named)) +
           " (its " + headerMark() + "). Read as " + std::string(wanted) +
           ", every table is read at the " + std::string(wanted) +
           " offsets, and saving writes the tables there.";
}

Status RomImage::checkFitsRelease() const {
    const std::uint64_t needed = requiredImageSize(variant());
    const auto header = static_cast<std::uint64_t>(std::max(headerSize, 0));
    if (size >= needed + header)
        return Status::success();
    // The size an image of the release needs is the same for every file. A copier header is
    // named only where it is what makes a long enough file too short.
    const std::string release(releaseName(variant()));
    const std::string atLeast = groupedBytes(needed) + " (" + mebibytes(needed) + ")";
    if (header > 0 && header != 0x200 && fileLength >= needed)
        return loadFailure(path, "it is too short: its last " + groupedBytes(header) +
                                     " (past its last whole 64 KiB bank) count as a copier "
                                     "header, which leaves less than the " +
                                     atLeast + " a " + release + " image holds");
    return loadFailure(path, "it is too short: it is " + groupedBytes(fileLength) + ", and a " +
                                 release + " image holds at least " + atLeast +
                                 (header == 0x200 ? " after its 512-byte copier header" : ""));
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

std::span<const std::uint8_t> RomImage::imageProper() const {
    const auto header = std::min<std::size_t>(static_cast<std::size_t>(std::max(headerSize, 0)),
                                              std::min<std::size_t>(size, data.size()));
    return std::span(data).subspan(header, std::min<std::size_t>(size, data.size()) - header);
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
    if (!imageIndex(offset, index))
        return;
    takeFileChecksum();
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
    if (cursor < data.size()) {
        takeFileChecksum();
        data[cursor] = value;
    }
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

void RomImage::writeImageBytes(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || !hasImage())
        return;
    if (fileData.empty())
        fileData = data;
    for (std::size_t at = 0; at < bytes.size(); ++at)
        writeByte(bytes[at], offset + at);
}

bool RomImage::imageDiffersFromFile() const {
    return !fileData.empty() && fileData != data;
}

void RomImage::putFileBytesBack() {
    if (!fileData.empty())
        data = std::move(fileData);
    fileData = ByteBuffer();
}

// ---- Loading as a whole --------------------------------------------------------------------

Status loadRom(RomImage& rom, const std::string& path, const UnnamedReleaseCheck& loadAnyway,
               std::optional<ImageFileRead> alreadyRead) {
    // The new image is read into a copy, so a load that fails or is declined leaves the open
    // document whole: its image, unsaved edits and release option. The copy starts
    // from the open document because slots the new release does not fill keep what they held.
    auto candidate = std::make_unique<RomImage>(rom);
    candidate->setPath(path);
    const Status loaded =
        alreadyRead ? candidate->load(std::move(*alreadyRead)) : candidate->load();
    if (!loaded)
        return loaded;
    candidate->settleRelease();
    if (Status fits = candidate->checkFitsRelease(); !fits)
        return fits;
    if (!candidate->namedRelease() && loadAnyway) {
        const std::string reason = quotedName(path) + " does not look like an image of Kavo: " +
                                   candidate->unnamedReleaseReason() + ".";
        if (!loadAnyway(reason, candidate->variant()))
            return Status::failure(reason);
    }
    if (Status parsed = candidate->parseTables(); !parsed)
        return parsed;
    rom = std::move(*candidate);
    return Status::success();
}

Status saveUnlessChangedOnDisk(RomImage& rom) {
    const FileChange change = rom.openFile().lookAgain(rom.getPath());
    if (!overwritesAnotherProgram(change))
        return rom.save();
    return Status::failure("Nothing was saved: " + fileChangeText(change, rom.getPath()));
}

// ---- Files as images --------------------------------------------------------------------

// The bytes as a load settles them, starting from the Japanese option given.
std::unique_ptr<RomImage> RomImage::settledFileStart(std::span<const std::uint8_t> fileStart,
                                                     std::uint64_t length, bool japanese) {
    auto image = std::make_unique<RomImage>();
    image->setJapanese(japanese);
    const auto kept = static_cast<std::size_t>(
        std::min<std::uint64_t>({fileStart.size(), releaseDecidingBytes, length}));
    image->data.assign(fileStart.begin(), fileStart.begin() + static_cast<std::ptrdiff_t>(kept));
    image->gba = length > largestSnesFile;
    image->size = static_cast<std::uint32_t>(imageLengthOfFile(length));
    image->fileLength = length;
    image->settleRelease();
    return image;
}

std::optional<RomVariant> imageFileRelease(std::span<const std::uint8_t> file) {
    return imageFileRelease(file, file.size());
}

std::optional<RomVariant> imageFileRelease(std::span<const std::uint8_t> fileStart,
                                           std::uint64_t length) {
    const auto image = RomImage::settledFileStart(fileStart, length, false);
    if (!image->checkFitsRelease())
        return std::nullopt;
    return image->variant();
}

std::string notAnImageOf(std::span<const std::uint8_t> file, RomVariant release) {
    return notAnImageOf(file, file.size(), release);
}

std::string notAnImageOf(std::span<const std::uint8_t> fileStart, std::uint64_t length,
                         RomVariant release) {
    const auto image = RomImage::settledFileStart(fileStart, length, isJapaneseVariant(release));
    if (image->variant() != release)
        return "it reads as a " + std::string(releaseName(image->variant())) + " image";
    if (!image->checkFitsRelease())
        return "it holds " + groupedBytes(length) + ", fewer than the " +
               groupedBytes(requiredImageSize(release)) + " a " +
               std::string(releaseName(release)) + " image needs";
    return {};
}

Status adoptImageOf(RomImage& rom, std::span<const std::uint8_t> file, RomVariant release) {
    rom.setJapanese(isJapaneseVariant(release));
    rom.adoptFileBytes(file, file.size());
    rom.settleRelease();
    if (rom.variant() != release || !rom.checkFitsRelease()) {
        rom.unload();
        return Status::failure(notAnImageOf(file, release));
    }
    return rom.parseTables();
}

} // namespace tarnwick
