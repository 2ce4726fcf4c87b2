// Feeds arbitrary bytes to the import of a tables file, as the command line and the editor
// read one: the text parsed as a JSON object, checked against a release and read into record
// tables, which then go into a demo document.
//
// Input: a selector byte, then the file's text. The selector picks the release of the document
// (bits 0-1) and, with bit 2 set, lays the parsed object over an export of that release's demo
// image: objects key by key, arrays element by element, anything else replacing what was there.
// A complete export is far larger than the inputs the fuzzer makes, so without the overlay the
// record checks past the header would hardly ever be reached.
#include "demo/DemoImage.h"
#include "rom/RecordTables.h"
#include "rom/RomImage.h"
#include "rom/TableDifferences.h"
#include "tables/JsonFile.h"
#include "tables/TablesJson.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

using namespace tarnwick;

// A demo document of one release and its export as it was loaded. Opening a demo image costs
// far more than a run, so each is opened once; every import replaces all the slots it checks.
struct DemoTables {
    RomImage rom;
    QJsonObject exported;
};

DemoTables& demoTables(RomVariant release) {
    static std::array<std::unique_ptr<DemoTables>, releaseCount> documents;
    auto& document = documents[static_cast<std::size_t>(variantIndex(release))];
    if (!document) {
        document = std::make_unique<DemoTables>();
        if (!openDemoImage(document->rom, {release}))
            __builtin_trap();
        document->exported =
            exportTables(document->rom, builtInCharacterTable(document->rom.variant()));
    }
    return *document;
}

QJsonValue overlay(const QJsonValue& base, const QJsonValue& patch) {
    if (base.isObject() && patch.isObject()) {
        QJsonObject result = base.toObject();
        const QJsonObject changes = patch.toObject();
        for (auto it = changes.begin(); it != changes.end(); ++it)
            result.insert(it.key(), overlay(result.value(it.key()), it.value()));
        return result;
    }
    if (base.isArray() && patch.isArray()) {
        QJsonArray result = base.toArray();
        const QJsonArray changes = patch.toArray();
        for (qsizetype i = 0; i < changes.size(); ++i) {
            if (i < result.size())
                result[i] = overlay(result.at(i), changes.at(i));
            else
                result.append(changes.at(i));
        }
        return result;
    }
    return patch;
}

bool sameTables(const ImportedTables& a, const ImportedTables& b, RomVariant release) {
    if (a.gpMultiplier != b.gpMultiplier || a.records.size() != b.records.size())
        return false;
    for (std::size_t t = 0; t < a.records.size(); ++t) {
        const int recordSize = (*recordTables()[t].placement)[variantIndex(release)].recordSize;
        if (a.records[t].size() != b.records[t].size())
            return false;
        for (std::size_t i = 0; i < a.records[t].size(); ++i)
            for (int j = 0; j < recordSize; ++j)
                if (a.records[t][i][static_cast<std::size_t>(j)] !=
                    b.records[t][i][static_cast<std::size_t>(j)])
                    return false;
    }
    return true;
}

// Stores the tables in the document; exporting it and importing the export again must give
// the same tables back.
void storeAndCompare(const ImportedTables& tables, RomVariant release) {
    DemoTables& document = demoTables(release);
    storeImportedTables(tables, document.rom);
    QString error;
    const auto again = readImportedTables(
        exportTables(document.rom, builtInCharacterTable(document.rom.variant())), release, error);
    if (!again || !sameTables(tables, *again, release))
        __builtin_trap();
    (void)tableDifferences(document.rom);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t length) {
    if (length == 0)
        return 0;
    const std::uint8_t selector = input[0];
    const auto release = static_cast<RomVariant>(selector & 3);
    const QByteArray text(reinterpret_cast<const char*>(input + 1),
                          static_cast<qsizetype>(length - 1));

    QString error;
    std::optional<QJsonObject> json = parseJsonObject(text, QStringLiteral("tables.json"), error);
    if (!json) {
        if (error.isEmpty())
            __builtin_trap();
        return 0;
    }
    if ((selector & 4) != 0)
        json = overlay(demoTables(release).exported, *json).toObject();

    const std::optional<ImportedTables> tables = readImportedTables(*json, release, error);
    if (!tables) {
        // A refusal always says which value and why.
        if (error.isEmpty())
            __builtin_trap();
        return 0;
    }
    storeAndCompare(*tables, release);
    return 0;
}
