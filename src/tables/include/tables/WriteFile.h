#pragma once

#include "rom/AtomicFile.h"
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

} // namespace tarnwick
