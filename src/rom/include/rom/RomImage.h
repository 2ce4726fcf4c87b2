#pragma once

#include "io/AtomicFile.h"
#include "io/FileReading.h"
#include "io/Status.h"
#include "pixels/GlyphEntry.h"
#include "pixels/Image.h"
#include "rom/CharacterTable.h"
#include "rom/GameString.h"
#include "rom/ImageFile.h"
#include "rom/Record.h"
#include "rom/Releases.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarnwick {

// The ROM document: the loaded file's bytes, its release, the record tables that the editors
// change and the names decoded from it.
//
// Offsets given to the byte operations count from the start of the image proper; the document
// adds the copier header. Reads outside the loaded bytes give 0 and writes there are dropped,
// so no byte pattern can make the document touch memory it does not own.
// A file as a load reads it (the first 8 MiB of a GBA file), or why it could not be read.
struct ImageFileRead {
    Status status = Status::success();
    BufferedFileContents contents;
};

class RomImage {
public:
    // ---- File ----
    // Paths are in the file system's own encoding (UTF-8 here); messages quote them as given.
    void setPath(std::string newPath) { path = std::move(newPath); }
    const std::string& getPath() const { return path; }
    // Reads the file at the path (the first 8 MiB of a GBA image). On failure the document
    // holds no image and the message names the file and the reason.
    Status load();
    // Reads what load reads of the file at path, without a document: a read made ahead of the
    // load (on another thread) is the same as the load's own.
    static ImageFileRead readImageFile(const std::string& path);
    // Takes a read of the file at the path as load would have made it at that moment.
    Status load(ImageFileRead read);
    // Writes the record tables into the image bytes, then the image into the file, replacing
    // it only once the complete new file has been written.
    Status save();
    // Writes the image with its tables to another file, which the document then works on. The
    // bytes a long GBA file holds past its image come along; the first file stays as it was.
    Status saveAs(const std::string& newPath);
    // Takes the first bytes of a file of the given length as if load had read them: a GBA file
    // keeps its first 8 MiB, a SNES file all of them (padded with zeros if fewer were given).
    void adoptFileBytes(std::span<const std::uint8_t> fileStart, std::uint64_t length);
    bool hasImage() const { return !data.empty(); }
    // Forgets the loaded bytes (after a load whose image turned out unusable).
    void unload();
    // Bytes that count as the image and that save writes: the whole SNES file, copier header
    // included, or the 8 MiB of a GBA image.
    std::uint32_t getSize() const { return size; }
    // The file's length on disk when it was loaded (larger than getSize for a long GBA file).
    std::uint64_t getFileLength() const { return fileLength; }
    // The file as the document last read or wrote it, to tell whether another program has
    // changed it since; not known for bytes that did not come from a file.
    const ImageFile& openFile() const;

    // ---- Release ----
    bool isGba() const { return gba; }
    bool isJapanese() const { return japanese; }
    void setJapanese(bool flag) { japanese = flag; }
    RomVariant variant() const { return makeVariant(gba, japanese); }
    std::int32_t setHeaderSize(std::int32_t newSize);
    std::int32_t getHeaderSize() const { return headerSize; }
    // Sets the copier header size from the file length and corrects the Japanese flag from the
    // SNES title byte or the GBA game code. Returns true when it switched the flag.
    bool settleRelease();
    // The release the image's header names by the SNES language byte or the GBA game code;
    // nothing when it names none, as a file that is not an image of the game does not.
    std::optional<RomVariant> namedRelease() const;
    // Why the header names no release: the byte or code it holds instead.
    std::string unnamedReleaseReason() const;
    // The header's byte or code that names a release, as the user would look for it.
    std::string headerMark() const;
    // What switching the Japanese option to japaneseWanted would do to an image whose header
    // names the other language's release: a sentence for the user to confirm. Empty when no
    // image is loaded, the header names no release, or it names the wanted one.
    std::string releaseSwitchWarning(bool japaneseWanted) const;
    // Success when the image holds every area that the current release reads and writes.
    Status checkFitsRelease() const;
    // The internal title: 20 bytes of the SNES header or the GBA title with its game code.
    GameString internalTitle() const;

    // ---- Byte access ----
    // The image bytes after the copier header, as the file holds them (not the tables' edits).
    std::span<const std::uint8_t> imageProper() const;
    std::uint8_t readByte(std::uint64_t offset) const;
    // The 16-bit little-endian value at offset (pointers, colours).
    std::uint16_t readWord(std::uint64_t offset) const;
    void writeByte(std::uint8_t value, std::uint64_t offset);
    void seek(std::uint64_t offset);
    std::uint8_t nextByte();
    void putByte(std::uint8_t value);
    void readTable(int count, int recordSize, std::span<Record> table, std::uint64_t offset);
    void writeTable(int count, int recordSize, std::span<const Record> table, std::uint64_t offset);
    // Writes bytes of the image proper outside the tables (a merged mod's), those past it left
    // out. The file's own bytes are kept, so that the document knows its image differs from its
    // file and can put them back.
    void writeImageBytes(std::uint64_t offset, std::span<const std::uint8_t> bytes);
    // True when bytes written by writeImageBytes since the last load or save differ from the
    // file's.
    bool imageDiffersFromFile() const;
    // Puts the file's bytes back where writeImageBytes changed them: the image as the last load
    // or save left it, whose tables parseTables reads as the file holds them.
    void putFileBytesBack();

    // ---- Game text ----
    GameString readFixedString(int length, std::uint64_t offset) const;
    GameString readGbaString(int shift);

    // Fills digit codes, the GP multiplier, the record tables and the name tables from the
    // image for the current release. Unsaved edits are replaced. Refuses an image that is too
    // short for the release.
    Status parseTables();
    // Writes the record tables (and the GP multiplier on SNES) into the image bytes.
    void writeTablesToImage();
    // The bytes that save would write (getSize of them, copier header included) with the tables
    // written in, leaving the document's own bytes as they are.
    ByteBuffer imageWithTables() const;
    // The whole file as a save would leave it: the image with its tables and, for a GBA file
    // longer than its image, the bytes past it, read from the file (which alone holds them).
    Status savedFileBytes(ByteBuffer& bytes) const;
    // Writes that file to newPath instead, the bytes past the image copied from the file in
    // bounded memory. The document stays on its own file.
    Status writeSavedFileTo(const std::string& newPath, ExistingFile existing) const;
    // True when the record tables or the GP multiplier hold values that the image bytes do not.
    bool tablesDifferFromImage() const;
    // Reads the name tables from the image again, after bytes outside the tables were written;
    // the record tables stay as they are.
    void parseNames();

    // ---- Record tables ----
    std::array<Record, chestCapacity> chestTable{};
    std::array<Record, monsterBoxCapacity> monsterBoxTable{};
    std::array<Record, shopCapacity> shopTable{};
    std::array<Record, esperCapacity> esperTable{};
    std::array<Record, anim8Capacity> anim8Table{};
    std::array<Record, anim14Capacity> anim14Table{};
    std::int32_t gpMultiplier = defaultGpMultiplier;

    // ---- Names ----
    std::array<std::uint8_t, 16> digitCodes{};
    std::array<GameString, itemNameSlots> itemNames;
    std::array<GameString, monsterNameSlots> monsterNames;
    std::array<GameString, spellNameSlots> spellNames;
    std::array<GameString, esperNameSlots> esperNames;
    std::array<GameString, attackNameSlots> attackNames;
    std::array<GameString, bonusNameSlots> bonusNames;
    std::array<GameString, shopTypeNameSlots> shopTypeNames;
    GameString emptyItemName;

    // ---- Sheets (rebuilt by buildGlyphSheets after a load or a release switch) ----
    // The small font in three colour bands, 2048 colours as swatches, and the glyphs as read.
    Image fontSheet;
    Image paletteSheet;
    GlyphTable glyphTable{};

private:
    friend std::optional<RomVariant> imageFileRelease(std::span<const std::uint8_t> fileStart,
                                                      std::uint64_t length);
    friend std::string notAnImageOf(std::span<const std::uint8_t> fileStart, std::uint64_t length,
                                    RomVariant release);
    // A document of a file's shape and first bytes, enough to settle its release and check its
    // length; it reads zeros past them and holds no image to save.
    static std::unique_ptr<RomImage> settledFileStart(std::span<const std::uint8_t> fileStart,
                                                      std::uint64_t length, bool japanese);
    // Bytes of a file of this length that form the image: all of a SNES file, 8 MiB of a GBA one.
    static std::uint64_t imageLengthOfFile(std::uint64_t length);
    void takeFileShape(std::uint64_t length);
    // Takes the file at path as the one the document's bytes were just written to.
    void rememberFile();
    // A load leaves the checksum of the image bytes to be taken when it is first needed: before
    // the bytes change, or when the file is looked at. A command that only reads the image never
    // pays for it.
    void takeFileChecksum() const;
    bool imageIndex(std::uint64_t offset, std::uint64_t& index) const;
    void readNameTable(std::span<GameString> slots, const NameArea& area);

    ByteBuffer data;
    // The image bytes as the file holds them, copied at the first writeImageBytes after a load
    // or save; empty while data holds them.
    ByteBuffer fileData;
    std::string path;
    std::uint64_t cursor = 0;
    bool gba = false;
    bool japanese = false;
    std::int32_t headerSize = 0;
    std::uint32_t size = 0;
    std::uint64_t fileLength = 0;
    mutable ImageFile file;
};

// Asked when an image's header names none of the four releases, with a sentence that names the
// file and says so and the release it would be read as; true loads it so. Without a check such
// an image loads as before.
using UnnamedReleaseCheck = std::function<bool(const std::string& reason, RomVariant release)>;

// Load, settle the header and release, check the image is long enough and parse it: what
// File > Load does to the document. The document changes only when all of it succeeds; a load
// that fails or is declined leaves it exactly as it was.
// A read of the file made ahead of the call (readImageFile) is taken instead of reading it again.
Status loadRom(RomImage& rom, const std::string& path, const UnnamedReleaseCheck& loadAnyway = {},
               std::optional<ImageFileRead> alreadyRead = {});

// Saves the document into its file only while the file holds the bytes the document came from;
// when another program changed it since, nothing is written and the message says what changed.
Status saveUnlessChangedOnDisk(RomImage& rom);

// The release that a file of these bytes loads as by the rules of a load (its length tells SNES
// from GBA, its header may name the Japanese release, the release must find all its areas), or
// nothing when it is too short for that release: none of the game's images.
std::optional<RomVariant> imageFileRelease(std::span<const std::uint8_t> file);

// The first bytes of a file that decide which release it loads as and whether it is one: the
// SNES title byte behind a copier header of up to a bank, or the GBA game code.
inline constexpr std::uint64_t releaseDecidingBytes = snesBankSize + snesLanguageByteOffset + 1;

// imageFileRelease and notAnImageOf for a file of length bytes of which only the first are
// given, at least releaseDecidingBytes of them (all of a shorter file).
std::optional<RomVariant> imageFileRelease(std::span<const std::uint8_t> fileStart,
                                           std::uint64_t length);
std::string notAnImageOf(std::span<const std::uint8_t> fileStart, std::uint64_t length,
                         RomVariant release);

// Why a file of these bytes is no image of release by those rules, as a phrase for a message
// ("it holds 0x151 (337) bytes, ..."); empty when it is one. A header that names no release
// keeps release's language, as a load with the Japanese option set to release's does.
std::string notAnImageOf(std::span<const std::uint8_t> file, RomVariant release);

// Puts a file's bytes that were made in memory (a patch's result) into the document as a load of
// release would read them: header and release settled, tables and names read. When they are no
// image of release the message is notAnImageOf's phrase and the document holds no image.
Status adoptImageOf(RomImage& rom, std::span<const std::uint8_t> file, RomVariant release);

} // namespace tarnwick
