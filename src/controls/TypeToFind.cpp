#include "TypeToFind.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>

namespace tarnwick {
namespace {

// Kana to romaji and Latin letters to plain ASCII. Built once, on the first search, because
// loading its rules takes a few tens of milliseconds. Null when the rules are missing; keys
// then keep their kana.
icu::Transliterator* romanizer() {
    static const std::unique_ptr<icu::Transliterator> instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> created(icu::Transliterator::createInstance(
            "Katakana-Latin; Hiragana-Latin; Latin-ASCII", UTRANS_FORWARD, status));
        return U_SUCCESS(status) ? std::move(created) : nullptr;
    }();
    return instance.get();
}

QString romanized(const QString& text) {
    icu::Transliterator* transliterator = romanizer();
    if (transliterator == nullptr)
        return text;
    icu::UnicodeString converted(reinterpret_cast<const UChar*>(text.utf16()),
                                 static_cast<int32_t>(text.size()));
    transliterator->transliterate(converted);
    return QString(reinterpret_cast<const QChar*>(converted.getBuffer()), converted.length());
}

// What romanizing leaves of small kana and the long vowel mark ("vu~a", a lone macron) says
// nothing a user types.
QString withoutRomajiMarks(QString text) {
    text.removeIf([](QChar c) { return c == u'~' || c.category() == QChar::Mark_NonSpacing; });
    return text;
}

QString withoutLeadingSymbols(const QString& key) {
    qsizetype first = 0;
    while (first < key.size() && !key.at(first).isLetterOrNumber())
        ++first;
    return key.mid(first);
}

} // namespace

QString searchKey(const QString& text) {
    const QString unified = text.normalized(QString::NormalizationForm_KC);
    return withoutRomajiMarks(romanized(unified)).toCaseFolded();
}

TypeToFindModel::TypeToFindModel(QObject* parent) : QStandardItemModel(parent) {
    const auto forgetKeys = [this] { keysCurrent = false; };
    connect(this, &QAbstractItemModel::rowsInserted, this, forgetKeys);
    connect(this, &QAbstractItemModel::rowsRemoved, this, forgetKeys);
    connect(this, &QAbstractItemModel::rowsMoved, this, forgetKeys);
    connect(this, &QAbstractItemModel::modelReset, this, forgetKeys);
    connect(this, &QAbstractItemModel::dataChanged, this, forgetKeys);
}

const std::vector<QString>& TypeToFindModel::rowKeys() const {
    if (keysCurrent)
        return keys;
    keys.assign(static_cast<std::size_t>(rowCount()), QString());
    for (int row = 0; row < rowCount(); ++row)
        keys[static_cast<std::size_t>(row)] =
            withoutLeadingSymbols(searchKey(index(row, 0).data(Qt::DisplayRole).toString()));
    keysCurrent = true;
    return keys;
}

QModelIndexList TypeToFindModel::match(const QModelIndex& start, int role, const QVariant& value,
                                       int hits, Qt::MatchFlags flags) const {
    const bool typedSearch = role == Qt::DisplayRole && start.column() == 0 &&
                             (flags & Qt::MatchTypeMask) == Qt::MatchStartsWith &&
                             !flags.testFlag(Qt::MatchRecursive);
    // Other searches (findText, findData) never pay for the romaji rules.
    const QString typed = typedSearch ? searchKey(value.toString()) : QString();
    if (typed.isEmpty())
        return QStandardItemModel::match(start, role, value, hits, flags);

    const std::vector<QString>& rowKey = rowKeys();
    const int rows = rowCount();
    const int first = start.isValid() ? start.row() : 0;
    const int toVisit = flags.testFlag(Qt::MatchWrap) ? rows : rows - first;
    QModelIndexList found;
    for (int step = 0; step < toVisit && (hits < 0 || found.size() < hits); ++step) {
        const int row = (first + step) % rows;
        if (rowKey[static_cast<std::size_t>(row)].startsWith(typed))
            found.append(index(row, 0));
    }
    return found;
}

} // namespace tarnwick
