#include "tables/TablesJson.h"

#include "ExportLayout.h"
#include "graphics/RecordNames.h"
#include "io/ShownText.h"
#include "tables/JsonFile.h"

#include <QJsonArray>
#include <QJsonValue>

#include <algorithm>
#include <array>
#include <cmath>

namespace tarnwick {

namespace {

template <auto member> std::span<const GameString> namesOf(const RomImage& rom) {
    return rom.*member;
}
template <auto member>
constexpr NameBinding bindNames(std::string_view key, const PerRelease<NameArea>& area,
                                bool reservedSlotZero = false) {
    return {key, &area, &namesOf<member>, reservedSlotZero};
}

// JSON key <-> document name table <-> per-release area, for export and info.
constexpr std::array nameTableList = {
    bindNames<&RomImage::itemNames>("itemNames", itemNameArea),
    bindNames<&RomImage::monsterNames>("monsterNames", monsterNameArea),
    bindNames<&RomImage::spellNames>("spellNames", spellNameArea),
    bindNames<&RomImage::esperNames>("esperNames", esperNameArea),
    bindNames<&RomImage::attackNames>("attackNames", attackNameArea),
    bindNames<&RomImage::bonusNames>("bonusNames", bonusNameArea),
    // GBA English reads five shop type names into slots 1-5; slot 0 is exported (empty) so
    // that list positions stay shop type numbers.
    bindNames<&RomImage::shopTypeNames>("shopTypeNames", shopTypeNameArea, true),
};

QString hexName(const GameString& name) {
    const QByteArray bytes(name.data(), static_cast<qsizetype>(name.size()));
    return QString::fromLatin1(bytes.toHex().toUpper());
}

// ---- Reading an export ---------------------------------------------------------------------

// What was found where something else was expected, short enough for a one-line message.
QString describe(const QJsonValue& value) {
    switch (value.type()) {
    case QJsonValue::Array:
        return QStringLiteral("an array of %1 values").arg(value.toArray().size());
    case QJsonValue::Object:
        return QStringLiteral("an object");
    case QJsonValue::Undefined:
        return QStringLiteral("nothing");
    case QJsonValue::Double:
        return QString::number(value.toDouble(), 'g', 17);
    case QJsonValue::String:
        // A value may be megabytes long; the message quotes its start.
        return QString::fromStdString(shortQuote(value.toString().toStdString()));
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    default:
        return QStringLiteral("null");
    }
}

bool readByteValue(const QJsonValue& value, std::int32_t& result) {
    if (!value.isDouble())
        return false;
    const double number = value.toDouble();
    if (number != std::floor(number) || number < 0 || number > 255)
        return false;
    result = static_cast<std::int32_t>(number);
    return true;
}

QString byteError(const QString& path, const QJsonValue& value) {
    return QStringLiteral("%1: expected an integer 0-255, found %2").arg(path, describe(value));
}

// The value as an array of exactly expected elements (records or values); otherwise sets error.
std::optional<QJsonArray> sizedArray(const QJsonValue& value, const QString& path, int expected,
                                     const QString& elements, QString& error) {
    if (!value.isArray()) {
        error = QStringLiteral("%1: expected an array of %2 %3, found %4")
                    .arg(path)
                    .arg(expected)
                    .arg(elements, describe(value));
        return std::nullopt;
    }
    QJsonArray array = value.toArray();
    if (array.size() != expected) {
        error = QStringLiteral("%1: expected %2 %3, found %4")
                    .arg(path)
                    .arg(expected)
                    .arg(elements)
                    .arg(array.size());
        return std::nullopt;
    }
    return array;
}

bool readRecords(const QJsonValue& value, const QString& path, const TablePlacement& where,
                 std::vector<Record>& records, QString& error) {
    if (value.isUndefined()) {
        error = path + QStringLiteral(": missing");
        return false;
    }
    const auto rows = sizedArray(value, path, where.count, QStringLiteral("records"), error);
    if (!rows)
        return false;
    records.assign(static_cast<std::size_t>(where.count), Record{});
    for (int i = 0; i < where.count; ++i) {
        const QString rowPath = QStringLiteral("%1[%2]").arg(path).arg(i);
        // A record is its values with a label beside them, or (version 1) the values alone.
        const QJsonValue row = (*rows)[i];
        const QJsonValue rowValues = row.isObject() ? row.toObject().value("values") : row;
        const auto values =
            sizedArray(rowValues, rowPath, where.recordSize, QStringLiteral("values"), error);
        if (!values)
            return false;
        Record& record = records[static_cast<std::size_t>(i)];
        for (int j = 0; j < where.recordSize; ++j) {
            if (!readByteValue((*values)[j], record[static_cast<std::size_t>(j)])) {
                error = byteError(QStringLiteral("%1[%2]").arg(rowPath).arg(j), (*values)[j]);
                return false;
            }
        }
    }
    return true;
}

bool checkHeader(const QJsonObject& json, RomVariant release, QString& error) {
    const QString format = asciiText(tablesFormat);
    if (json.value("format") != QJsonValue(format)) {
        error = QStringLiteral("format: expected \"%1\", found %2")
                    .arg(format, describe(json.value("format")));
        return false;
    }
    // Version 1 wrote each record as a bare array of values; it still reads.
    const QJsonValue version = json.value("version");
    if (!version.isDouble() ||
        (version.toDouble() != 1 && version.toDouble() != tablesFormatVersion)) {
        error = QStringLiteral("version: expected 1 or %1, found %2")
                    .arg(tablesFormatVersion)
                    .arg(describe(version));
        return false;
    }
    const QString key = asciiText(releaseKey(release));
    if (json.value("release") != QJsonValue(key)) {
        error = QStringLiteral("release: expected \"%1\" for a %2 image, found %3")
                    .arg(key, asciiText(releaseName(release)), describe(json.value("release")));
        return false;
    }
    return true;
}

} // namespace

QString asciiText(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::span<const NameBinding> nameTables() {
    return nameTableList;
}

int filledNameSlots(const NameBinding& binding, RomVariant release) {
    const int count = (*binding.area)[variantIndex(release)].count;
    if (count == 0)
        return 0;
    return binding.reservedSlotZero ? count + 1 : count;
}

namespace {

// The export, built once for the text and for the JSON object alike.
JsonNode exportTree(const RomImage& rom, const CharacterTable& readings) {
    const RomVariant release = rom.variant();
    const int r = variantIndex(release);

    JsonNode tables = JsonNode::object();
    const std::span<const TableBinding> bindings = recordTables();
    for (std::size_t t = 0; t < bindings.size(); ++t) {
        const TableBinding& binding = bindings[t];
        const TablePlacement& where = (*binding.placement)[r];
        const auto records = binding.constRecords(rom).first(static_cast<std::size_t>(where.count));
        const std::vector<std::string> labels = recordNames(rom, readings, t);
        JsonNode rows = JsonNode::array(records.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            JsonNode values = JsonNode::array(static_cast<std::size_t>(where.recordSize));
            for (int j = 0; j < where.recordSize; ++j)
                values.append(records[i][static_cast<std::size_t>(j)]);
            // The label is for people reading the file (and a diff of two exports); import
            // reads the values only.
            JsonNode row = JsonNode::object(2);
            row.insert(QStringLiteral("label"),
                       i < labels.size() ? QString::fromStdString(labels[i]) : QString());
            row.insert(QStringLiteral("values"), std::move(values));
            rows.append(std::move(row));
        }
        tables.insert(asciiText(binding.key), std::move(rows));
    }

    JsonNode names = JsonNode::object();
    for (const NameBinding& binding : nameTableList) {
        const auto filled =
            binding.names(rom).first(static_cast<std::size_t>(filledNameSlots(binding, release)));
        JsonNode list = JsonNode::array(filled.size());
        for (const GameString& name : filled)
            list.append(hexName(name));
        names.insert(asciiText(binding.key), std::move(list));
    }
    names.insert(QStringLiteral("emptyItemName"), hexName(rom.emptyItemName));

    JsonNode digits = JsonNode::array(rom.digitCodes.size());
    for (std::uint8_t code : rom.digitCodes)
        digits.append(code);

    // The title box shows one character per byte; Latin-1 maps each byte to the same code.
    const GameString title = rom.internalTitle();

    JsonNode json = JsonNode::object();
    json.insert(QStringLiteral("format"), asciiText(tablesFormat));
    json.insert(QStringLiteral("version"), tablesFormatVersion);
    json.insert(QStringLiteral("release"), asciiText(releaseKey(release)));
    json.insert(QStringLiteral("headerSize"), rom.getHeaderSize());
    json.insert(QStringLiteral("title"),
                QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size())));
    json.insert(QStringLiteral("gpMultiplier"), rom.gpMultiplier);
    json.insert(QStringLiteral("digitCodes"), std::move(digits));
    json.insert(QStringLiteral("tables"), std::move(tables));
    json.insert(QStringLiteral("names"), std::move(names));
    return json;
}

} // namespace

QJsonObject exportTables(const RomImage& rom, const CharacterTable& readings) {
    return exportTree(rom, readings).toJsonValue().toObject();
}

QByteArray exportTablesText(const RomImage& rom, const CharacterTable& readings) {
    return exportLayout(exportTree(rom, readings));
}

std::optional<ImportedTables> readImportedTables(const QJsonObject& json, RomVariant release,
                                                 QString& error) {
    if (!checkHeader(json, release, error))
        return std::nullopt;
    const int r = variantIndex(release);

    ImportedTables result;
    // The GP multiplier byte exists only on SNES images, so a GBA export's value means nothing.
    if (gpMultiplierOffset[r]) {
        const QJsonValue value = json.value("gpMultiplier");
        std::int32_t multiplier = 0;
        if (value.isUndefined()) {
            error = QStringLiteral("gpMultiplier: missing");
            return std::nullopt;
        }
        if (!readByteValue(value, multiplier)) {
            error = byteError(QStringLiteral("gpMultiplier"), value);
            return std::nullopt;
        }
        result.gpMultiplier = multiplier;
    }

    const QJsonValue tablesValue = json.value("tables");
    if (!tablesValue.isObject()) {
        error =
            tablesValue.isUndefined()
                ? QStringLiteral("tables: missing")
                : QStringLiteral("tables: expected an object, found %1").arg(describe(tablesValue));
        return std::nullopt;
    }
    const QJsonObject tables = tablesValue.toObject();
    for (const TableBinding& binding : recordTables()) {
        const QString key = asciiText(binding.key);
        std::vector<Record>& records = result.records.emplace_back();
        if (!readRecords(tables.value(key), QStringLiteral("tables.") + key,
                         (*binding.placement)[r], records, error))
            return std::nullopt;
    }
    return result;
}

std::optional<ImportedTables> readExportFile(const QString& path, RomVariant release,
                                             QString& error) {
    const std::optional<QJsonObject> json = readJsonFile(path, error);
    if (!json)
        return std::nullopt;
    std::optional<ImportedTables> tables = readImportedTables(*json, release, error);
    if (!tables)
        error = QStringLiteral("%1: %2.").arg(quotedPath(path), error);
    return tables;
}

void storeImportedTables(const ImportedTables& tables, RomImage& rom) {
    const int r = variantIndex(rom.variant());
    for (std::size_t t = 0; t < recordTables().size() && t < tables.records.size(); ++t) {
        const TableBinding& binding = recordTables()[t];
        const auto recordSize = static_cast<std::size_t>((*binding.placement)[r].recordSize);
        const std::span<Record> target = binding.records(rom);
        const std::vector<Record>& source = tables.records[t];
        // Only the slots the release stores are replaced; the others keep what they held.
        for (std::size_t i = 0; i < source.size() && i < target.size(); ++i)
            std::copy_n(source[i].begin(), recordSize, target[i].begin());
    }
    if (tables.gpMultiplier)
        rom.gpMultiplier = *tables.gpMultiplier;
}

} // namespace tarnwick
