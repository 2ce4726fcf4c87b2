#pragma once

#include "rom/AtomicFile.h"
#include "rom/OutputRule.h"
#include "tables/ReadFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tarnwick {

// Writes bytes as the whole file at path the one way every file is written: complete and
// flushed beside it before it replaces what was there. The message names the file on failure.
inline Status writeFile(const QString& path, const QByteArray& bytes, ExistingFile existing) {
    return writeWholeFile(QFile::encodeName(path).toStdString(), bytesOf(bytes), existing);
}

// Writes a file that the user has chosen, and agreed to replace if it exists, in a file dialog:
// even then a folder is not replaced, nor an input of the command by a file of another kind.
inline Status writeOutputFile(const QString& path, const QByteArray& bytes, FileKind kind,
                              std::span<const InputFile> inputs) {
    const std::string nativePath = QFile::encodeName(path).toStdString();
    if (Status allowed = checkOutputFile(nativePath, kind, inputs, true); !allowed)
        return allowed;
    return writeWholeFile(nativePath, bytesOf(bytes), ExistingFile::Replace);
}

} // namespace tarnwick
