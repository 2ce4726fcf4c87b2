// Cost of an edit while Tools > Check Image is open, as the user waits for it: the Chest
// Editor's Y field stepped up (or back down) as one Up press does, the edit recorded, the list
// looking again through the history's listener as the main window wires it, and then the event
// loop's pending layout and paint work done for both shown windows. A forced repaint of the
// list's rows follows, so the figure covers drawing every visible row even where the list
// would have repainted less. Not included: the window system's own compositing and
// the key event's delivery to the spin box. Every keystroke pays this, so it should stay well
// under a frame (16 ms); the aim is under 5 ms.
#include "DemoDocuments.h"

#include "app/CheckImageDialog.h"
#include "controls/DialogTemplate.h"
#include "editors/ChestEditorDialog.h"
#include "resources/ChestTemplate.h"
#include "rom/EditHistory.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <QSpinBox>
#include <QWindow>

#include <benchmark/benchmark.h>

namespace {

using namespace tarnwick;

// Counts the paint events the findings list's rows receive.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

void editWithCheckListOpen(benchmark::State& state) {
    const auto release = static_cast<RomVariant>(state.range(0));
    RomImage& rom = test::sharedDemoDocument(release);
    const auto savedChests = rom.chestTable;
    const CharacterTable readings = builtInCharacterTable(release);
    EditHistory history;
    CheckImageDialog list(rom, readings);
    history.setChangeListener([&list] { list.refresh(); });
    ChestEditorDialog editor(rom, history);
    editor.move(0, 0);
    editor.show();
    list.show();
    // Paint only reaches windows the platform has exposed.
    while (!editor.windowHandle()->isExposed() || !list.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();

    auto* yField = static_cast<QSpinBox*>(nullptr);
    for (QSpinBox* field : editor.findChildren<QSpinBox*>())
        if (field->property(controlIdProperty).toInt() == chestControl::y)
            yField = field;
    auto* rows = list.findChild<QAbstractItemView*>(QStringLiteral("findingsTable"));
    PaintCounter counter;
    rows->viewport()->installEventFilter(&counter);
    const int paintsBefore = counter.paints;
    const int startY = yField->value();
    bool up = startY < yField->maximum();
    for (auto _ : state) {
        up ? yField->stepUp() : yField->stepDown();
        up = !up;
        QCoreApplication::processEvents();
        rows->viewport()->repaint();
    }
    if (yField->value() != startY && yField->value() != startY + (up ? -1 : 1))
        state.SkipWithError("the Y field did not step");
    state.counters["rows"] = list.shownCount();
    state.counters["list paints/edit"] =
        benchmark::Counter(counter.paints - paintsBefore, benchmark::Counter::kAvgIterations);
    history.setChangeListener({});
    rom.chestTable = savedChests;
    state.SetLabel(std::string(releaseName(release)));
}

// The list looking again with nothing shown: every rule over every table, the names of the
// records found and the rows brought up to date.
void refreshCheckList(benchmark::State& state) {
    const auto release = static_cast<RomVariant>(state.range(0));
    const RomImage& rom = test::sharedDemoDocument(release);
    const CharacterTable readings = builtInCharacterTable(release);
    CheckImageDialog list(rom, readings);
    for (auto _ : state)
        list.refresh();
    state.counters["rows"] = list.shownCount();
    state.SetLabel(std::string(releaseName(release)));
}

constexpr int gbaEnglish = variantIndex(RomVariant::GbaEnglish);
constexpr int snesEnglish = variantIndex(RomVariant::SnesEnglish);

BENCHMARK(editWithCheckListOpen)
    ->Arg(snesEnglish)
    ->Arg(gbaEnglish)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);
BENCHMARK(refreshCheckList)->Arg(snesEnglish)->Arg(gbaEnglish)->Unit(benchmark::kMillisecond);

} // namespace
