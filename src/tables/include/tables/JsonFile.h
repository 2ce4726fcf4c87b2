#pragma once

#include "qtio/FileNames.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <cstdint>
#include <optional>

namespace tarnwick {

// The longest JSON file read: an export of the largest release is about 170 KiB, so a file far
// longer is none, and reading it whole would only cost memory.
inline constexpr std::uint64_t largestJsonFile = 8u << 20;

// Reads a file holding one JSON object, refused when longer than largestJsonFile. On failure
// returns nothing and sets error to a sentence that names the file and the reason (for bad JSON,
// the line and column).
std::optional<QJsonObject> readJsonFile(const QString& path, QString& error);

// The same for text already read from the file at path, which the message names.
std::optional<QJsonObject> parseJsonObject(const QByteArray& text, const QString& path,
                                           QString& error);

} // namespace tarnwick
