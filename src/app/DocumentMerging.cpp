#include "app/DocumentMerging.h"

#include "graphics/MergeWords.h"
#include "graphics/NamedFindings.h"
#include "rom/DocumentMerge.h"
#include "rom/RomImage.h"

#include <QStringList>

#include <algorithm>

namespace tarnwick {
namespace {

QString counted(qsizetype count, const QString& one, const QString& many) {
    return count == 1 ? QStringLiteral("1 ") + one : QString::number(count) + ' ' + many;
}

// Fields whose value in the document the edit changes: those only the second side changed, and
// the conflicts settled for it.
int fieldsComingIn(const MergeResult& result, const std::vector<MergeSide>& choices) {
    int fields = 0;
    std::size_t conflict = 0;
    for (const FieldMerge& field : result.fields) {
        if (field.outcome == MergeOutcome::FromSecond)
            ++fields;
        else if (field.outcome == MergeOutcome::Conflict)
            fields += choices[conflict++] == MergeSide::Second ? 1 : 0;
    }
    return fields;
}

QString cameInText(int fields, std::uint64_t bytes) {
    if (fields == 0 && bytes == 0)
        return QStringLiteral("nothing came in that the open image did not hold already");
    QStringList parts;
    if (fields > 0)
        parts << counted(fields, QStringLiteral("field"), QStringLiteral("fields"));
    if (bytes > 0)
        parts << counted(static_cast<qsizetype>(bytes), QStringLiteral("byte"),
                         QStringLiteral("bytes")) +
                     QStringLiteral(" outside the tables");
    return parts.join(QStringLiteral(" and ")) + QStringLiteral(" came in");
}

} // namespace

std::optional<MergeReport> mergeIntoDocument(RomImage& rom, EditHistory& history,
                                             const MergeRequest& request, const MergeNaming& naming,
                                             const WindowPrompts& prompts, QWidget* parent) {
    const MergeResult result = merge(request.original, rom, request.second);
    if (!result.merges()) {
        prompts.reportFailure(
            parent, QStringLiteral("Merge failed"),
            QStringLiteral("Could not merge %1 into the open image: %2 (the open image is the "
                           "first, %1 the second).")
                .arg(request.secondName, QString::fromStdString(result.refusal)));
        return std::nullopt;
    }
    std::vector<MergeSide> choices = settleAll(result, MergeSide::First);
    if (!result.conflicts.empty()) {
        MergeConflictQuestion question = request.question;
        question.text =
            question.text.arg(counted(static_cast<qsizetype>(result.conflicts.size()),
                                      QStringLiteral("place"), QStringLiteral("places")));
        question.conflicts = conflictWords(result, request.original, rom, request.second,
                                           naming.readings, naming.chestLocations);
        const std::optional<std::vector<MergeSide>> settled =
            prompts.settleMergeConflicts ? prompts.settleMergeConflicts(parent, question)
                                         : std::nullopt;
        if (!settled || settled->size() != choices.size())
            return std::nullopt;
        choices = *settled;
    }
    const MergeEdit edit = mergeEdit(result, choices, rom, request.second);
    MergeReport report;
    std::uint64_t bytes = 0;
    for (const ByteWrite& write : edit.byteWrites)
        if (write.offset < rom.imageProper().size())
            bytes += std::min<std::uint64_t>(write.bytes.size(),
                                             rom.imageProper().size() - write.offset);
    report.cameIn = cameInText(fieldsComingIn(result, choices), bytes);
    report.keptMine =
        static_cast<int>(std::count(choices.begin(), choices.end(), MergeSide::First));
    if (edit.empty())
        return report;
    const RomImage before = rom;
    report.changed = recordMergeEdit(rom, history, edit, request.stepName.toStdString());
    report.introduced = introducedFindings(rom, before, request.second, naming.readings);
    return report;
}

} // namespace tarnwick
