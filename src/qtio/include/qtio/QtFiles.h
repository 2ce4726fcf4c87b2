#pragma once

#include "io/AtomicFile.h"
#include "io/FileReading.h"
#include "io/LargePages.h"
#include "io/OutputRule.h"
#include "qtio/FileNames.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <limits>
#include <optional>
#include <span>

// The file operations of the I/O module for code that holds paths as QString and bytes as
// QByteArray: the same reader, writer and output rule, nothing of their own. Paths go to the
// file system as fileSystemName makes them, so a name that is not UTF-8 is found.
namespace tarnwick {

// The bytes as the unsigned values the cores take. Valid while bytes lives and is not changed.
inline std::span<const std::uint8_t> bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

// Reads the whole regular file at path. A file longer than largest bytes is refused, also when
// it grows while it is read, so a wrong pick cannot fill the memory. On failure returns nothing
// and sets error to a sentence that names the file and the reason.
inline std::optional<QByteArray>
readFile(const QString& path, QString& error,
         std::uint64_t largest = std::numeric_limits<std::uint64_t>::max()) {
    ReadRequest request;
    request.largest = largest;
    QByteArray bytes;
    const auto resize = [&bytes](std::size_t size) {
        // New bytes are left unset: the read fills them. The first size is the file's, and
        // taken exactly; resize would round a growing array up.
        if (bytes.isNull()) {
            bytes = QByteArray(static_cast<qsizetype>(size), Qt::Uninitialized);
            preferLargePages(bytes.data(), size);
        } else {
            bytes.resize(static_cast<qsizetype>(size));
        }
        return reinterpret_cast<std::uint8_t*>(bytes.data());
    };
    FileFacts facts;
    const Status read = readFileInto(fileSystemName(path), "read", request, resize, facts);
    if (!read) {
        error = QString::fromStdString(read.message());
        return std::nullopt;
    }
    return bytes;
}

// Writes bytes as the whole file at path the one way every file is written: complete and
// flushed beside it before it replaces what was there. The message names the file on failure.
inline Status writeFile(const QString& path, const QByteArray& bytes, ExistingFile existing) {
    return writeWholeFile(fileSystemName(path), bytesOf(bytes), existing);
}

// Writes a file that the user has chosen, and agreed to replace if it exists, in a file dialog:
// even then a folder is not replaced, nor an input of the command by a file of another kind.
inline Status writeOutputFile(const QString& path, const QByteArray& bytes, FileKind kind,
                              std::span<const InputFile> inputs) {
    const std::string nativePath = fileSystemName(path);
    if (Status allowed = checkOutputFile(nativePath, kind, inputs, true); !allowed)
        return allowed;
    return writeWholeFile(nativePath, bytesOf(bytes), ExistingFile::Replace);
}

} // namespace tarnwick
