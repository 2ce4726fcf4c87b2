#include "DemoDocuments.h"
#include "tables/JsonNode.h"
#include "tables/JsonScalars.h"
#include "tables/TablesJson.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// What QJsonDocument writes for a value inside an array, without the brackets.
std::string qtText(const QJsonValue& value) {
    const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return text.mid(1, text.size() - 2).toStdString();
}

TEST(JsonScalars, AreWrittenAsQJsonDocumentWritesThem) {
    const QString strings[] = {
        QString(),
        QStringLiteral("Potion 12"),
        QStringLiteral("\"quoted\" back\\slash /"),
        QString::fromUtf16(u"\b\f\n\r\t \x01\x1b\x1f\x7f"),
        QString::fromUtf16(u"Äé ポーション \u00A0\uFFFD"),
        QString::fromUtf16(u"\U0001F600 pair"),
        QString(QChar(0xD83D)) + QStringLiteral("lone high"),
        QStringLiteral("lone low") + QChar(0xDE00),
        QStringLiteral("high at the end") + QChar(0xD800),
    };
    for (const QString& text : strings) {
        std::string written;
        appendJsonString(written, text);
        EXPECT_EQ(written, qtText(text)) << text.toStdString();
    }
    for (const std::int64_t number :
         {std::int64_t{0}, std::int64_t{255}, std::int64_t{-1}, std::int64_t{1} << 53,
          std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::min()}) {
        std::string written;
        appendJsonInteger(written, number);
        EXPECT_EQ(written, qtText(QJsonValue(static_cast<qint64>(number))));
    }
}

// The text lists an object's entries in the order QJsonObject keeps them, and an array's values
// in the order they came, integers (kept packed) or not.
TEST(JsonNode, HoldsWhatAQJsonValueHolds) {
    JsonNode node = JsonNode::object();
    QJsonObject object;
    for (const char* key : {"values", "label", "b", "_", "A", "a", "label"}) {
        node.insert(QString::fromLatin1(key), JsonNode(QString::fromLatin1(key)));
        object.insert(QString::fromLatin1(key), QString::fromLatin1(key));
    }
    QStringList keys;
    for (std::size_t i = 0; i < node.items().size(); ++i)
        keys << node.key(i);
    EXPECT_EQ(keys, object.keys());
    EXPECT_EQ(node.toJsonValue(), QJsonValue(object));

    JsonNode mixed = JsonNode::array();
    for (const JsonNode& value :
         {JsonNode(1), JsonNode(2), JsonNode(QStringLiteral("x")), JsonNode(3), JsonNode::array()})
        mixed.append(value);
    EXPECT_EQ(mixed.toJsonValue(),
              QJsonValue(QJsonArray{1, 2, QStringLiteral("x"), 3, QJsonArray()}));
}

TEST(ExportText, ReadsBackAsTheExportObject) {
    for (const RomVariant release : allReleases) {
        SCOPED_TRACE(releaseName(release));
        const RomImage& rom = test::sharedDemoDocument(release);
        const CharacterTable readings = builtInCharacterTable(release);
        QJsonParseError error;
        const QJsonDocument text = QJsonDocument::fromJson(exportTablesText(rom, readings), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
        EXPECT_EQ(text.object(), exportTables(rom, readings));
    }
}

} // namespace
} // namespace tarnwick
