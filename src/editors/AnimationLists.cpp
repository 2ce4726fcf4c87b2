#include "editors/AnimationLists.h"

#include "rom/AnimRecord.h"
#include "rom/HexText.h"

#include <QComboBox>
#include <QStringListModel>

namespace tarnwick {
namespace {

void shareRows(std::span<QComboBox* const> lists, const QStringList& rows, QObject* owner) {
    auto* model = new QStringListModel(rows, owner);
    for (QComboBox* list : lists)
        list->setModel(model);
}

} // namespace

void fillPaletteLists(std::span<QComboBox* const> lists, QObject* owner) {
    QStringList rows;
    rows.reserve(animPaletteChoices);
    for (int palette = 0; palette < animPaletteChoices; ++palette)
        rows << QString::fromStdString(formatHex(palette, animByteDigits));
    shareRows(lists, rows, owner);
}

void fillAnimationLists(std::span<QComboBox* const> lists, const std::vector<std::string>& names,
                        QObject* owner) {
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(names.size()));
    // The file is plain 8-bit text; Latin-1 shows every byte as some character.
    for (const std::string& name : names)
        rows << QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    shareRows(lists, rows, owner);
}

} // namespace tarnwick
