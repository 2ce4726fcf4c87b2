#include "tables/JsonFile.h"

#include "io/ShownText.h"
#include "qtio/QtFiles.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <utility>

namespace tarnwick {

namespace {

// Line and column (both from 1) of a byte offset in text.
std::pair<qsizetype, qsizetype> lineAndColumn(const QByteArray& text, qsizetype offset) {
    const QByteArray before = text.left(offset);
    const qsizetype line = before.count('\n') + 1;
    const qsizetype column = offset - (before.lastIndexOf('\n') + 1) + 1;
    return {line, column};
}

} // namespace

std::optional<QJsonObject> readJsonFile(const QString& path, QString& error) {
    const std::optional<QByteArray> read = readFile(path, error, largestJsonFile);
    if (!read)
        return std::nullopt;
    return parseJsonObject(*read, path, error);
}

std::optional<QJsonObject> parseJsonObject(const QByteArray& text, const QString& path,
                                           QString& error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        const auto [line, column] = lineAndColumn(text, parseError.offset);
        error = QStringLiteral("%1 is not valid JSON: line %2, column %3: %4.")
                    .arg(quotedPath(path))
                    .arg(line)
                    .arg(column)
                    .arg(parseError.errorString());
        return std::nullopt;
    }
    if (!document.isObject()) {
        error = QStringLiteral("%1: expected a JSON object at the top level, found %2.")
                    .arg(quotedPath(path), document.isArray() ? QStringLiteral("an array")
                                                              : QStringLiteral("nothing"));
        return std::nullopt;
    }
    return document.object();
}

} // namespace tarnwick
