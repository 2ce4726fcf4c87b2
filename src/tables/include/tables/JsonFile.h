#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace tarnwick {

// Reads a file holding one JSON object. On failure returns nothing and sets error to a sentence
// that names the file and the reason (for bad JSON, the line and column).
std::optional<QJsonObject> readJsonFile(const QString& path, QString& error);

// The same for text already read from the file at path, which the message names.
std::optional<QJsonObject> parseJsonObject(const QByteArray& text, const QString& path,
                                           QString& error);

} // namespace tarnwick
