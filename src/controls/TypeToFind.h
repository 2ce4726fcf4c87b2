#pragma once

#include <QStandardItemModel>
#include <QString>

#include <vector>

namespace tarnwick {

// The form in which type-to-find compares a name with what the user typed: compatibility
// characters unified (half-width kana, full-width Latin), kana spelt in romaji, accents
// dropped and case folded, so "po", "PO" and "ポ" all find "ポーション" and "Potion".
QString searchKey(const QString& text);

// An item model whose "starts with" search on the display text compares search keys, which is
// the search the list views and combo boxes run when the user types. A name's key ignores what
// precedes its first letter or digit (item icons, unknown codes). Every other search is the
// standard one.
class TypeToFindModel final : public QStandardItemModel {
public:
    explicit TypeToFindModel(QObject* parent = nullptr);

    QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits,
                          Qt::MatchFlags flags) const override;

private:
    // Keys are built at the first search after a change, not for every item added, since most
    // lists are never searched.
    const std::vector<QString>& rowKeys() const;

    mutable std::vector<QString> keys;
    mutable bool keysCurrent = false;
};

} // namespace tarnwick
