// The main window on the generated data: what the user waits for after a click.

#include "bench_common.h"

#include "app/MainWindow.h"
#include "catalogue/gui/CatalogueBrowser.h"
#include "controls/Combo.h"
#include "controls/Grid.h"
#include "controls/ResultsPanel.h"
#include "document/RecoveryJournal.h"
#include "document/ScriptDocument.h"
#include "editor/Sellers.h"
#include "editor/gui/SellListView.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>
#include <QUndoStack>

#include <array>
#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace {

template <typename T> T* control(vw::MainWindow& window, const QString& name) {
    return window.findChild<T*>(name);
}

// Shows the first list of the first record whose first list is the longest.
int chooseLongestList(vw::MainWindow& window) {
    const auto& records = window.document().records();
    if (records.empty())
        return 0;
    size_t best = 0;
    for (size_t i = 1; i < records.size(); ++i) {
        if (records[i].listLength(0) > records[best].listLength(0))
            best = i;
    }
    window.document().select({static_cast<int>(best), 0, {0}, 0});
    return records[best].listLength(0);
}

// 250 name look-ups and a full rebuild of the list grid.
void ShowSellList(benchmark::State& state) {
    vw::MainWindow* window = vwbench::window(state);
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
    const vw::Catalogue& catalogue = *window->workspace().catalogue();
    const int statementsBefore = catalogue.statementCount();
    for (auto _ : state) {
        window->sellLists().showSellList();
        repaint += vwbench::settle(state);
    }
    // The repaint the event loop does afterwards, not part of the measured time.
    state.counters["repaint_ms"] = benchmark::Counter(repaint, benchmark::Counter::kAvgIterations);
    state.counters["items"] = grid->rows() - 1;
    // The names come from memory: a redraw asks the catalogue engine nothing.
    state.counters["queries"] = benchmark::Counter(catalogue.statementCount() - statementsBefore,
                                                   benchmark::Counter::kAvgIterations);
}
BENCHMARK(ShowSellList)->Apply(vwbench::timed);

// The largest filter result of the catalogue: every miscellaneous item without a grade.
void FillItemGrid(benchmark::State& state) {
    vw::MainWindow* window = vwbench::window(state);
    if (!window)
        return;
    control<vw::Combo>(*window, u"Combo1"_s)->setText(u"etcitem|杂项"_s);
    control<vw::Combo>(*window, u"Combo8"_s)->setText(u"all|全部"_s);
    vw::Combo* grades = control<vw::Combo>(*window, u"Combo3"_s);
    grades->setText(u"无级别"_s);
    vw::Grid* grid = control<vw::Grid>(*window, u"MSFlexGrid2"_s);
    if (grid->rows() - 1 < 5000) {
        state.SkipWithError("the item grid holds fewer than 5,000 items");
        return;
    }
    vwbench::flushEvents();
    double repaint = 0;
    for (auto _ : state) {
        // Choosing the grade again fills the grid, as the user's choice does.
        grades->chooseIndex(grades->chosenIndex());
        repaint += vwbench::settle(state);
    }
    // The repaint the event loop does afterwards, not part of the measured time.
    state.counters["repaint_ms"] = benchmark::Counter(repaint, benchmark::Counter::kAvgIterations);
    state.counters["items"] = grid->rows() - 1;
}
BENCHMARK(FillItemGrid)->Apply(vwbench::timed);

// A search that matches many items by name, with the item grid filled from it.
void SearchItems(benchmark::State& state) {
    vw::MainWindow* window = vwbench::window(state);
    if (!window)
        return;
    vw::Grid* grid = control<vw::Grid>(*window, u"MSFlexGrid2"_s);
    double repaint = 0;
    for (auto _ : state) {
        window->catalogue().search(u"ore"_s);
        repaint += vwbench::settle(state);
    }
    state.counters["repaint_ms"] = benchmark::Counter(repaint, benchmark::Counter::kAvgIterations);
    state.counters["items"] = grid->rows() - 1;
}
BENCHMARK(SearchItems)->Apply(vwbench::timed);

// The load as the user sees it: read, NPC name look-ups, the selection chain to the first list.
void WholeLoad(benchmark::State& state) {
    vw::MainWindow* window = vwbench::window(state);
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
    vw::MainWindow* window = vwbench::window(state);
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

// Another catalogue put in use: loaded through the reading child, checked whole, its names read
// into memory, and every view drawn anew from it.
void ReplaceCatalogue(benchmark::State& state) {
    vw::MainWindow* window = vwbench::window(state);
    if (!window)
        return;
    const QString path = QFileInfo(vwbench::cataloguePath()).absoluteFilePath();
    for (auto _ : state) {
        if (window->workspace().useCatalogue(path).kind != vw::CatalogueFault::Kind::None) {
            state.SkipWithError("the generated catalogue was refused");
            return;
        }
        vwbench::settle(state);
    }
}
BENCHMARK(ReplaceCatalogue)->Apply(vwbench::timed);

// Takes every edit of a benchmark back, so the next one starts from the script as read and
// reading again asks nothing.
void undoAll(vw::MainWindow& window) {
    QUndoStack& history = window.document().history();
    while (history.canUndo())
        history.undo();
    history.clear();
}

// The window with a 250-item list shown; null, the benchmark skipped, without one.
vw::MainWindow* windowShowingLongList(benchmark::State& state) {
    vw::MainWindow* window = vwbench::window(state);
    if (window && chooseLongestList(*window) < 250) {
        state.SkipWithError("no 250-item list is shown");
        return nullptr;
    }
    return window;
}

// One step back or forward on a 250-item list: the record swapped and the list shown again.
void UndoRedoStep(benchmark::State& state) {
    vw::MainWindow* window = windowShowingLongList(state);
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

// What every result panel costs a step once it is shown: the lists that sell the most sold item
// looked up again, the checks and the preview made anew. The same undo or redo is timed without
// the panels (arg 0) and with them (arg 1); the difference is the panels' share.
void ResultsAfterStep(benchmark::State& state) {
    vw::MainWindow* window = windowShowingLongList(state);
    if (!window)
        return;
    const bool panels = state.range(0) == 1;
    control<vw::Grid>(*window, u"MSFlexGrid1"_s)->setCurrentRow(120);
    if (panels) {
        // The item of the current row stands in many lists of the generated script.
        window->findChild<QWidget*>(u"MSFlexGrid1"_s)->setFocus();
        vwbench::trigger(*window, "ID_FindSellers");
        vwbench::trigger(*window, "ID_CheckScript");
    }
    vwbench::trigger(*window, "ID_DeleteItem");
    if (panels)
        vwbench::trigger(*window, "ID_Preview");
    QUndoStack& history = window->document().history();
    vwbench::flushEvents();
    for (auto _ : state) {
        if (history.canUndo())
            history.undo();
        else
            history.redo();
        vwbench::settle(state);
    }
    state.counters["sellers"] = static_cast<double>(window->workspace().sellers().sales.size());
    undoAll(*window);
    window->workspace().findSellers({});
    window->findChild<QWidget*>(u"ResultsDock"_s)->hide();
}
BENCHMARK(ResultsAfterStep)->ArgName("panels")->Arg(0)->Arg(1)->Apply(vwbench::timed);

// 200 of 250 rows selected and deleted as one step.
void DeleteRows(benchmark::State& state) {
    vw::MainWindow* window = windowShowingLongList(state);
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

// 1,000 rows of "ID<TAB>TAX", catalogue items the list does not hold, pasted into the middle of a
// 250-item list as one step, the list grid drawn anew with 1,250 names.
void PasteRows(benchmark::State& state) {
    vw::MainWindow* window = windowShowingLongList(state);
    if (!window)
        return;
    vw::ScriptDocument& document = window->document();
    control<vw::Grid>(*window, u"MSFlexGrid1"_s)->setCurrentRow(120);
    const vw::Selection shown = document.selection();
    const int length = document.record(shown.record)->listLength(shown.list);
    QSet<QString> held;
    for (int slot = 0; slot < length; ++slot)
        held.insert(document.record(shown.record)->slot(shown.list, slot).id);
    QString rows;
    for (int id = 1, count = 0; count < 1000; ++id) {
        if (held.contains(QString::number(id)))
            continue;
        rows += QString::number(id) + u"\t5\n"_s;
        ++count;
    }
    QApplication::clipboard()->setText(rows);
    vwbench::flushEvents();
    QUndoStack& history = document.history();
    double repaint = 0;
    int rebuilds = 0;
    int pasted = 0;
    for (auto _ : state) {
        const int before = window->sellLists().rebuildCount();
        vwbench::trigger(*window, "ID_Paste");
        repaint += vwbench::settle(state);
        state.PauseTiming();
        rebuilds += window->sellLists().rebuildCount() - before;
        pasted = document.record(shown.record)->listLength(shown.list) - length;
        history.undo();
        vwbench::flushEvents();
        state.ResumeTiming();
    }
    state.counters["repaint_ms"] = benchmark::Counter(repaint, benchmark::Counter::kAvgIterations);
    state.counters["rebuilds_per_paste"] =
        benchmark::Counter(rebuilds, benchmark::Counter::kAvgIterations);
    state.counters["pasted"] = pasted;
    if (pasted != 1000)
        state.SkipWithError("the paste did not insert 1,000 rows");
    undoAll(*window);
}
BENCHMARK(PasteRows)->Apply(vwbench::timed);

// The ID that stands in the most lists of the script.
QString mostSoldId(const std::vector<vw::ShopRecord>& records) {
    QHash<QString, int> lists;
    for (const vw::ShopRecord& record : records) {
        for (int list = 0; list < vw::ShopRecord::ListCount; ++list) {
            for (int slot = 0, length = record.listLength(list); slot < length; ++slot)
                ++lists[record.slot(list, slot).id];
        }
    }
    QString most;
    for (auto it = lists.cbegin(); it != lists.cend(); ++it) {
        if (most.isEmpty() || it.value() > lists.value(most))
            most = it.key();
    }
    return most;
}

// "替换为…" on the where-sold results of the item sold in the most lists: the lists found, the
// item replaced in each by one no list holds, as one step the window follows (undo: 0); and that
// step undone (undo: 1).
void ReplaceEverywhere(benchmark::State& state) {
    vw::MainWindow* window = vwbench::window(state);
    if (!window)
        return;
    vw::ScriptDocument& document = window->document();
    const QString id = mostSoldId(document.records());
    const bool undo = state.range(0) != 0;
    const auto replace = [&] {
        std::vector<vw::ListRef> lists;
        for (const vw::Sale& sale : vw::findSellers(document.records(), id, nullptr))
            lists.push_back({sale.record, sale.list});
        return document.replaceItem(id, u"90001"_s, lists).changed;
    };
    QUndoStack& history = document.history();
    vwbench::flushEvents();
    int changed = 0;
    for (auto _ : state) {
        if (undo) {
            state.PauseTiming();
            changed = replace();
            vwbench::flushEvents();
            state.ResumeTiming();
            history.undo();
            vwbench::settle(state);
        } else {
            changed = replace();
            vwbench::settle(state);
            state.PauseTiming();
            history.undo();
            vwbench::flushEvents();
            state.ResumeTiming();
        }
    }
    state.counters["lists"] = changed;
    undoAll(*window);
}
BENCHMARK(ReplaceEverywhere)->ArgName("undo")->Arg(0)->Arg(1)->Apply(vwbench::timed);

// "添加到所有列出的NPC" with every NPC listed: an item none holds added to list 0 of each, as one
// step the window follows.
void AddToMany(benchmark::State& state) {
    vw::MainWindow* window = vwbench::window(state);
    if (!window)
        return;
    vw::ScriptDocument& document = window->document();
    std::vector<int> records(document.records().size());
    std::iota(records.begin(), records.end(), 0);
    QUndoStack& history = document.history();
    vwbench::flushEvents();
    vw::ScriptDocument::Batch batch;
    for (auto _ : state) {
        batch = document.addToRecords({u"90002"_s}, u"5"_s, records, 0);
        vwbench::settle(state);
        state.PauseTiming();
        history.undo();
        vwbench::flushEvents();
        state.ResumeTiming();
    }
    state.counters["npcs"] = static_cast<double>(records.size());
    state.counters["changed"] = batch.changed;
    state.counters["skipped"] = static_cast<double>(batch.skipped.size());
    undoAll(*window);
}
BENCHMARK(AddToMany)->Apply(vwbench::timed);

// List 0 of 100 records spread over the script, each edited as a user would, a step at a time:
// an item deleted, one added, one moved to the top, a tax rate changed.
void editHundredLists(vw::ScriptDocument& document) {
    const size_t step = document.records().size() / 100;
    for (size_t k = 0; k < 100 && step > 0; ++k) {
        document.selectRecord(static_cast<int>(k * step));
        document.selectSlots({0}, 0);
        document.deleteItems();
        document.selectSlots({3}, 3);
        document.insertItem(u"90000"_s, u"12"_s, true);
        document.selectSlots({10}, 10);
        document.moveItems(vw::ScriptDocument::Move::Top);
        document.selectSlots({5}, 5);
        document.setTaxRate(u"7"_s);
    }
}

// "查看修改" after edits to 100 lists: the changes since the read found and the preview filled,
// NPC and item names looked up.
void PreviewChanges(benchmark::State& state) {
    vw::MainWindow* window = vwbench::window(state);
    if (!window)
        return;
    vw::ScriptDocument& document = window->document();
    editHundredLists(document);
    vwbench::flushEvents();
    double diff = 0;
    size_t lists = 0;
    for (auto _ : state) {
        vwbench::trigger(*window, "ID_Preview");
        vwbench::settle(state);
        // What of it is finding the changes.
        state.PauseTiming();
        QElapsedTimer timer;
        timer.start();
        lists = document.changesSinceRead().size();
        diff += static_cast<double>(timer.nsecsElapsed()) / 1e6;
        state.ResumeTiming();
    }
    state.counters["diff_ms"] = benchmark::Counter(diff, benchmark::Counter::kAvgIterations);
    state.counters["lists"] = static_cast<double>(lists);
    state.counters["rows"] = control<vw::ResultsPanel>(*window, u"ChangePreview"_s)->resultCount();
    // A preview left open is drawn anew after every step of the benchmarks that follow.
    window->findChild<vw::ResultsDock*>()->hide();
    undoAll(*window);
}
BENCHMARK(PreviewChanges)->Apply(vwbench::timed);

// The recovery journal written after a step, with 100 lists changed since the read: the changes
// found, written out as an edit file and saved over the journal before. The journal belongs to a
// document of its own, so the window's steps do not write it.
void JournalWrite(benchmark::State& state) {
    vw::MainWindow* window = vwbench::window(state);
    if (!window)
        return;
    QTemporaryDir folder;
    vw::ScriptDocument document;
    auto* journal = new vw::RecoveryJournal(document, folder.path());
    const vw::ScriptDocument& read = window->document();
    document.load(read.records(), read.report(), read.source());
    editHundredLists(document);
    for (auto _ : state)
        journal->record();
    state.counters["lists"] = static_cast<double>(document.changesSinceRead().size());
    state.counters["bytes"] = static_cast<double>(QFileInfo(journal->file()).size());
}
BENCHMARK(JournalWrite)->Apply(vwbench::timed);

} // namespace
