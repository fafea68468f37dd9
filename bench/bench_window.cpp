// The main window on the generated data: what the user waits for after a click.

#include "bench_common.h"

#include "app/frmMain.h"
#include "catalogue/gui/CatalogueBrowser.h"
#include "controls/Combo.h"
#include "controls/Grid.h"
#include "editor/gui/SellListView.h"

#include <QApplication>
#include <QUndoStack>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

template <typename T> T* control(vw::frmMain& window, const QString& name) {
    return window.findChild<T*>(name);
}

// Chooses, through the NPC drop-down, the first record whose first list is the longest, so the
// list drop-down's default choice shows it.
int chooseLongestList(vw::frmMain& window) {
    const auto& records = window.document().records();
    size_t best = 0;
    for (size_t i = 1; i < records.size(); ++i) {
        if (records[i].listLength(0) > records[best].listLength(0))
            best = i;
    }
    vw::Combo* npcs = control<vw::Combo>(window, u"Combo2"_s);
    for (int e = 0; e < npcs->entryCount(); ++e) {
        if (npcs->entryData(e) == static_cast<qint32>(best)) {
            npcs->setText(npcs->entryText(e));
            return records.empty() ? 0 : records[best].listLength(0);
        }
    }
    return 0;
}

// 250 name look-ups and a full rebuild of the list grid.
void ShowSellList(benchmark::State& state) {
    vw::frmMain* window = vwbench::window(state);
    if (!window)
        return;
    const int items = chooseLongestList(*window);
    vw::Grid* grid = control<vw::Grid>(*window, u"MSFlexGrid1"_s);
    if (items < 250 || grid->rows() - 1 != items) {
        state.SkipWithError("no 250-item list is shown");
        return;
    }
    vwbench::flushEvents();
    double repaint = 0;
    for (auto _ : state) {
        window->sellLists().showSellList();
        repaint += vwbench::settle(state);
    }
    // The repaint the event loop does afterwards, not part of the measured time.
    state.counters["repaint_ms"] = benchmark::Counter(repaint, benchmark::Counter::kAvgIterations);
    state.counters["items"] = grid->rows() - 1;
}
BENCHMARK(ShowSellList)->Apply(vwbench::timed);

// The largest filter result of the catalogue: every miscellaneous item without a grade.
void FillItemGrid(benchmark::State& state) {
    vw::frmMain* window = vwbench::window(state);
    if (!window)
        return;
    control<vw::Combo>(*window, u"Combo1"_s)->setText(u"etcitem|杂项"_s);
    control<vw::Combo>(*window, u"Combo8"_s)->setText(u"all|全部"_s);
    control<vw::Combo>(*window, u"Combo3"_s)->setText(u"无级别"_s);
    vw::Grid* grid = control<vw::Grid>(*window, u"MSFlexGrid2"_s);
    if (grid->rows() - 1 < 5000) {
        state.SkipWithError("the item grid holds fewer than 5,000 items");
        return;
    }
    vwbench::flushEvents();
    double repaint = 0;
    for (auto _ : state) {
        window->catalogue().fillItemGrid();
        repaint += vwbench::settle(state);
    }
    // The repaint the event loop does afterwards, not part of the measured time.
    state.counters["repaint_ms"] = benchmark::Counter(repaint, benchmark::Counter::kAvgIterations);
    state.counters["items"] = grid->rows() - 1;
}
BENCHMARK(FillItemGrid)->Apply(vwbench::timed);

// A search that matches many items by name, with the item grid filled from it.
void SearchItems(benchmark::State& state) {
    vw::frmMain* window = vwbench::window(state);
    if (!window)
        return;
    vw::Grid* grid = control<vw::Grid>(*window, u"MSFlexGrid2"_s);
    double repaint = 0;
    for (auto _ : state) {
        window->catalogue().searchItems(u"ore"_s);
        repaint += vwbench::settle(state);
    }
    state.counters["repaint_ms"] = benchmark::Counter(repaint, benchmark::Counter::kAvgIterations);
    state.counters["items"] = grid->rows() - 1;
}
BENCHMARK(SearchItems)->Apply(vwbench::timed);

// The load as the user sees it: read, NPC name look-ups, the selection chain to the first list.
void WholeLoad(benchmark::State& state) {
    vw::frmMain* window = vwbench::window(state);
    if (!window)
        return;
    for (auto _ : state) {
        vwbench::trigger(*window, "ID_Load");
        vwbench::settle(state);
    }
    state.counters["records"] = static_cast<double>(window->document().records().size());
}
BENCHMARK(WholeLoad)->Apply(vwbench::timed);

// The window's memory after reading the same script a second and a third time, against the
// first read: each read replaces the records of the one before.
void ReloadMemory(benchmark::State& state) {
    vw::frmMain* window = vwbench::window(state);
    if (!window)
        return;
    std::array<double, 2> resident{};
    for (auto _ : state) {
        for (double& mb : resident) {
            vwbench::trigger(*window, "ID_Load");
            vwbench::flushEvents();
            mb = vwbench::residentMb();
        }
    }
    const double first = vwbench::residentAfterFirstLoadMb();
    state.counters["first_mb"] = first;
    state.counters["second_mb"] = resident[0];
    state.counters["third_mb"] = resident[1];
    state.counters["growth"] = std::max(resident[0], resident[1]) / first;
}
BENCHMARK(ReloadMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// Takes every edit of a benchmark back, so the next one starts from the script as read and
// reading again asks nothing.
void undoAll(vw::frmMain& window) {
    QUndoStack& history = window.document().history();
    while (history.canUndo())
        history.undo();
    history.clear();
}

// The window with a 250-item list shown; null, the benchmark skipped, without one.
vw::frmMain* windowShowingLongList(benchmark::State& state) {
    vw::frmMain* window = vwbench::window(state);
    if (window && chooseLongestList(*window) < 250) {
        state.SkipWithError("no 250-item list is shown");
        return nullptr;
    }
    return window;
}

// One step back or forward on a 250-item list: the record swapped and the list shown again.
void UndoRedoStep(benchmark::State& state) {
    vw::frmMain* window = windowShowingLongList(state);
    if (!window)
        return;
    control<vw::Grid>(*window, u"MSFlexGrid1"_s)->setCurrentRow(120);
    vwbench::trigger(*window, "ID_DeleteItem");
    QUndoStack& history = window->document().history();
    vwbench::flushEvents();
    double repaint = 0;
    const int rebuildsBefore = window->sellLists().rebuildCount();
    for (auto _ : state) {
        if (history.canUndo())
            history.undo();
        else
            history.redo();
        repaint += vwbench::settle(state);
    }
    state.counters["repaint_ms"] = benchmark::Counter(repaint, benchmark::Counter::kAvgIterations);
    // The list grid is drawn once per step, however the step reached it.
    state.counters["rebuilds_per_step"] = benchmark::Counter(
        window->sellLists().rebuildCount() - rebuildsBefore, benchmark::Counter::kAvgIterations);
    undoAll(*window);
}
BENCHMARK(UndoRedoStep)->Apply(vwbench::timed);

// 200 of 250 rows selected and deleted as one step.
void DeleteRows(benchmark::State& state) {
    vw::frmMain* window = windowShowingLongList(state);
    if (!window)
        return;
    vw::Grid* grid = control<vw::Grid>(*window, u"MSFlexGrid1"_s);
    std::vector<int> rows;
    for (int row = 20; row < 220; ++row)
        rows.push_back(row);
    QUndoStack& history = window->document().history();
    for (auto _ : state) {
        state.PauseTiming();
        grid->selectRows(rows);
        state.ResumeTiming();
        vwbench::trigger(*window, "ID_DeleteItem");
        state.PauseTiming();
        history.undo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    undoAll(*window);
}
BENCHMARK(DeleteRows)->Apply(vwbench::timed);

} // namespace
