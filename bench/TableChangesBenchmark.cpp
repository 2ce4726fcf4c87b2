// The cost of undo: turning one user action into a step (copy the tables, run the action,
// compare), undoing and redoing a step, and the memory a long session's history holds.
#include "demo/DemoImage.h"
#include "rom/ChestRecord.h"
#include "rom/EditHistory.h"
#include "rom/MonsterBox.h"
#include "rom/RomImage.h"
#include "rom/ShopRecord.h"
#include "rom/TableChanges.h"
#include "rom/TableEdit.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

using namespace tarnwick;

RomImage openDocument() {
    RomImage rom;
    if (!openDemoImage(rom, {RomVariant::GbaEnglish}))
        std::abort();
    return rom;
}

// One of the things users do most, the field chosen by number: an item of a shop, a chest's
// type, its contents, a formation number (two bytes), an esper's spell.
void typicalAction(RomImage& rom, int field, int value) {
    const auto index = static_cast<std::size_t>(field / 5);
    switch (field % 5) {
    case 0:
        setShopItem(rom.shopTable[index % shopCapacity], 1 + field % shopItemSlots, value);
        break;
    case 1:
        chooseChestType(rom.chestTable[index % chestCapacity], rom.variant(),
                        value % chestTypeCount, value);
        break;
    case 2:
        storeChosenContents(rom.chestTable[index % chestCapacity], rom.variant(), value % 271);
        break;
    case 3:
        setMonsterBoxForm(rom, static_cast<int>(index % monsterBoxCapacity), 1 + field % 2, value);
        break;
    default:
        rom.esperTable[index % esperCapacity][1 + 2 * (index % 5)] = value & 0xFF;
        break;
    }
}

// One edit as the editors make it: through a named transaction that records the record it took.
void editThroughTransaction(benchmark::State& state) {
    RomImage rom = openDocument();
    EditHistory history;
    int n = 0;
    for (auto _ : state) {
        ++n;
        const auto shop = static_cast<std::size_t>(n) % shopCapacity;
        const int slot = 1 + n % shopItemSlots;
        TableEdit edit(rom, history,
                       "Shop " + std::to_string(shop) + ": item #" + std::to_string(slot));
        setShopItem(edit.change(rom.shopTable[shop]), slot, n & 0xFF);
    }
    state.counters["steps"] = static_cast<double>(history.stepCount());
}
BENCHMARK(editThroughTransaction)->Unit(benchmark::kMicrosecond);

// Snapshot before the action, compare after: the work every user action adds.
void snapshotAndDiffOneAction(benchmark::State& state) {
    RomImage rom = openDocument();
    int n = 0;
    for (auto _ : state) {
        const TableSnapshot before = takeSnapshot(rom);
        ++n;
        typicalAction(rom, n, n * 13);
        const std::vector<TableChange> changes = changesSince(before, rom);
        benchmark::DoNotOptimize(changes.data());
    }
}

// The compare alone, over tables that did not change: all 78 KB are read.
void diffUnchangedTables(benchmark::State& state) {
    RomImage rom = openDocument();
    const TableSnapshot before = takeSnapshot(rom);
    for (auto _ : state) {
        const std::vector<TableChange> changes = changesSince(before, rom);
        benchmark::DoNotOptimize(changes.data());
    }
}

// One undo and one redo of a step: a handler's few slots, or (range 1) an import that
// changed every slot of every table.
void undoThenRedoStep(benchmark::State& state) {
    RomImage rom = openDocument();
    EditHistory history;
    const TableSnapshot before = takeSnapshot(rom);
    if (state.range(0) == 0) {
        typicalAction(rom, 1, 2);   // a chest's type
        typicalAction(rom, 3, 500); // and a formation number, as one step
    } else {
        for (Record& chest : rom.chestTable)
            for (std::int32_t& slot : chest)
                slot ^= 0x55;
        for (Record& animation : rom.anim14Table)
            for (std::int32_t& slot : animation)
                slot ^= 0x55;
    }
    const std::vector<TableChange> changes = changesSince(before, rom);
    history.record(changes);
    for (auto _ : state) {
        history.undo(rom);
        history.redo(rom);
        benchmark::ClobberMemory();
    }
    state.counters["slots"] = static_cast<double>(changes.size());
}

// 10,000 steps of typical actions, each recorded as the GUI will: snapshot, act, compare,
// record. Every third action is three keystrokes in one field, merged into one step.
void historyOf10000Steps(benchmark::State& state) {
    constexpr int steps = 10000;
    std::size_t bytes = 0;
    std::size_t slots = 0;
    for (auto _ : state) {
        RomImage rom = openDocument();
        EditHistory history;
        int n = 0;
        while (history.stepCount() < steps) {
            const int keystrokes = n % 3 == 0 ? 3 : 1;
            const auto field = static_cast<EditHistory::MergeKey>(n + 1);
            for (int key = 0; key < keystrokes; ++key) {
                const TableSnapshot before = takeSnapshot(rom);
                typicalAction(rom, n, n * 13 + key);
                history.record(changesSince(before, rom), field);
            }
            ++n;
        }
        bytes = history.memoryBytes();
        slots = 0;
        while (history.canUndo()) {
            slots += history.nextUndo().size();
            history.undo(rom);
        }
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["bytesPerStep"] = static_cast<double>(bytes) / steps;
    state.counters["slotsPerStep"] = static_cast<double>(slots) / steps;
}

BENCHMARK(snapshotAndDiffOneAction)->Unit(benchmark::kMicrosecond);
BENCHMARK(diffUnchangedTables)->Unit(benchmark::kMicrosecond);
BENCHMARK(undoThenRedoStep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(historyOf10000Steps)->Unit(benchmark::kMillisecond);

} // namespace
