#include "CliTestSupport.h"
#include "tables/JsonFile.h"
#include "tables/TablesJson.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// Text already in memory takes the same path as a file: an object comes back whole, anything
// else is refused in one line that names the file and, for bad JSON, the line of the fault,
// counted over LF and CR LF line ends alike.
TEST(JsonText, ReadsAnObjectAndNamesTheFileAndLineOfAFault) {
    struct Case {
        QByteArray text;
        const char* message; // nullptr: the text is an object
    };
    const Case cases[] = {
        {"{\"format\": \"tarnwick-tables\", \"version\": 1}", nullptr},
        {"", "line 1, column 1:"},
        {"{\n  \"a\": 1,,\n}", "line 2, column"},
        {"{\r\n\"a\":\r\n}", "line 3, column"},
        {"{\"a\": 1}\n\n  ]", "line 3, column"},
        {"[1, 2]", "expected a JSON object at the top level, found an array"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        QString error;
        const std::optional<QJsonObject> json =
            parseJsonObject(c.text, QStringLiteral("tables.json"), error);
        if (!c.message) {
            ASSERT_TRUE(json) << error.toStdString();
            EXPECT_EQ(json->value("version").toInt(), 1);
            EXPECT_TRUE(error.isEmpty());
            continue;
        }
        EXPECT_FALSE(json);
        EXPECT_TRUE(error.startsWith("\"tables.json\"")) << error.toStdString();
        EXPECT_TRUE(error.contains(c.message)) << error.toStdString();
        EXPECT_FALSE(error.contains('\n')) << error.toStdString();
    }
}

// A file far longer than any export is refused by its length, and a message quotes only the
// start of a long value, so neither the memory nor the message grows with the file.
TEST(JsonText, RefusesHugeFilesAndQuotesLongValuesShort) {
    const std::pair<QByteArray, const char*> cases[] = {
        {"{\"format\": \"" + QByteArray(5'000'000, 'x') + "\"}",
         "format: expected \"tarnwick-tables\", found \"xxxx"},
        {"{\"format\": \"\\u001b]0;X\\u0007\"}", "found \"\\x1B]0;X\\x07\""},
        {"{}" + QByteArray(largestJsonFile - 1, ' '), "8388608 bytes at most"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("tables.json");
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(message);
        test::writeFile(path, text);
        QString error;
        EXPECT_FALSE(readExportFile(path, RomVariant::SnesEnglish, error));
        EXPECT_TRUE(error.contains(message)) << error.toStdString();
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
        EXPECT_LT(error.size(), 300);
    }
}

} // namespace
} // namespace tarnwick
