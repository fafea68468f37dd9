// The statistics report on the generated data, and the stats command as a whole process against
// dump on the same files.

#include "bench_common.h"

#include "catalogue/CatalogueDb.h"
#include "script/ScriptReader.h"
#include "stats/gui/StatisticsReport.h"
#include "stats/gui/StatisticsView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// The script and catalogue, read once for every benchmark of the report.
struct Loaded {
    vw::ScriptReadResult read;
    vw::CatalogueDb catalogue;
};

Loaded* loaded(benchmark::State& state) {
    static std::unique_ptr<Loaded> data;
    if (data)
        return data.get();
    if (!vwbench::haveData(state))
        return nullptr;
    auto fresh = std::make_unique<Loaded>();
    fresh->read = vw::readScriptFile(vwbench::scriptPath());
    if (fresh->read.status != vw::ReadStatus::Ok ||
        fresh->catalogue.load(vwbench::cataloguePath()).status != vw::CatalogueLoadStatus::Ok) {
        state.SkipWithError("the generated script or catalogue did not load");
        return nullptr;
    }
    data = std::move(fresh);
    return data.get();
}

// What "导出统计" writes: the numbers, the HTML and the pictures as embedded PNG.
void StatisticsReport(benchmark::State& state) {
    Loaded* data = loaded(state);
    if (!data)
        return;
    qsizetype size = 0;
    for (auto _ : state) {
        const vw::ScriptStatistics stats =
            vw::computeStatistics(data->read.records, data->catalogue);
        size = vw::renderStatisticsReport(stats, vw::ReportTarget::File).html.size();
    }
    state.counters["html_chars"] = static_cast<double>(size);
}
BENCHMARK(StatisticsReport)->Apply(vwbench::timed);

// What opening the tab after a change costs: the report rebuilt and laid out in the view.
void StatisticsOnScreen(benchmark::State& state) {
    Loaded* data = loaded(state);
    if (!data)
        return;
    vw::StatisticsView view;
    view.resize(1000, 800);
    view.show();
    view.setData(&data->read.records, &data->catalogue);
    QApplication::processEvents();
    for (auto _ : state) {
        view.refresh();
        QApplication::processEvents();
    }
}
BENCHMARK(StatisticsOnScreen)->Apply(vwbench::timed);

// The generated catalogue with 60,000 more places in 城镇NPC表, each holding one of the script's
// merchants, so every merchant stands in a hundred places: a report of that many rows.
struct ManyLocations {
    QTemporaryDir dir;
    vw::CatalogueDb catalogue;
};

constexpr int ManyLocationCount = 60000;

ManyLocations* manyLocations(benchmark::State& state) {
    static std::unique_ptr<ManyLocations> data;
    if (data)
        return data.get();
    Loaded* base = loaded(state);
    if (!base)
        return nullptr;
    auto fresh = std::make_unique<ManyLocations>();
    const QString path = fresh->dir.filePath(u"Wareroll.mdb"_s);
    if (!QFile::copy(vwbench::cataloguePath(), path)) {
        state.SkipWithError("cannot copy the generated catalogue");
        return nullptr;
    }
    std::vector<QString> merchants;
    for (const vw::ShopRecord& record : base->read.records) {
        if (record.listExists(0) || record.listExists(1))
            merchants.push_back(record.className);
    }
    sqlite3* db = nullptr;
    sqlite3_stmt* insert = nullptr;
    bool ok = sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK &&
              sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK &&
              sqlite3_prepare_v2(db, "INSERT INTO 城镇NPC表 VALUES (?,?)", -1, &insert, nullptr) ==
                  SQLITE_OK;
    for (int i = 0; ok && i < ManyLocationCount; ++i) {
        const QString place = u"边境营地%1"_s.arg(i, 5, 10, QChar(u'0'));
        const QString& npc = merchants[static_cast<size_t>(i) % merchants.size()];
        sqlite3_bind_text16(insert, 1, place.utf16(), static_cast<int>(place.size() * 2),
                            SQLITE_TRANSIENT);
        sqlite3_bind_text16(insert, 2, npc.utf16(), static_cast<int>(npc.size() * 2),
                            SQLITE_TRANSIENT);
        ok = sqlite3_step(insert) == SQLITE_DONE && sqlite3_reset(insert) == SQLITE_OK;
    }
    sqlite3_finalize(insert);
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    if (!ok || fresh->catalogue.load(path).status != vw::CatalogueLoadStatus::Ok) {
        state.SkipWithError("the catalogue with many places did not load");
        return nullptr;
    }
    data = std::move(fresh);
    return data.get();
}

// The numbers alone over 60,000 places, as `vendwright-cli stats` computes them.
void StatisticsNumbersManyLocations(benchmark::State& state) {
    ManyLocations* many = manyLocations(state);
    if (!many)
        return;
    size_t locations = 0;
    for (auto _ : state)
        locations =
            vw::computeStatistics(loaded(state)->read.records, many->catalogue).locations.size();
    state.counters["locations"] = static_cast<double>(locations);
}
BENCHMARK(StatisticsNumbersManyLocations)->Apply(vwbench::timed);

// Opening the tab over 60,000 places: the report built and laid out in the view, and the
// memory that took above what the process held before.
void StatisticsOnScreenManyLocations(benchmark::State& state) {
    ManyLocations* many = manyLocations(state);
    if (!many)
        return;
    vw::StatisticsView view;
    view.resize(1000, 800);
    view.show();
    QApplication::processEvents();
    double above = 0;
    for (auto _ : state) {
        state.PauseTiming();
        view.setData(nullptr, nullptr);
        QApplication::processEvents();
        const double before = vwbench::residentMb();
        vwbench::resetPeakResident();
        state.ResumeTiming();
        view.setData(&loaded(state)->read.records, &many->catalogue);
        QApplication::processEvents();
        above = std::max(above, vwbench::peakResidentMb() - before);
    }
    state.counters["peak_above_mb"] = above;
    state.counters["html_chars"] = static_cast<double>(view.toHtml().size());
}
BENCHMARK(StatisticsOnScreenManyLocations)->Apply(vwbench::timed);

// "导出统计" over 60,000 places, every place in the file.
void StatisticsExportManyLocations(benchmark::State& state) {
    ManyLocations* many = manyLocations(state);
    if (!many)
        return;
    vw::StatisticsView view;
    view.setData(&loaded(state)->read.records, &many->catalogue);
    const QString path = many->dir.filePath(u"statistics.html"_s);
    double above = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const double before = vwbench::residentMb();
        vwbench::resetPeakResident();
        state.ResumeTiming();
        if (!view.exportHtml(path)) {
            state.SkipWithError("the export failed");
            return;
        }
        above = std::max(above, vwbench::peakResidentMb() - before);
    }
    state.counters["peak_above_mb"] = above;
    state.counters["file_mb"] = static_cast<double>(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(StatisticsExportManyLocations)->Apply(vwbench::timed);

// One run of vendwright-cli on the generated files, its standard output thrown away; its wall
// time in ns, or -1 when it failed.
qint64 runCli(const QString& command) {
    QElapsedTimer timer;
    timer.start();
    QProcess cli;
    cli.setStandardOutputFile(QProcess::nullDevice());
    cli.start(QStringLiteral(VW_CLI),
              {command, vwbench::scriptPath(), u"--catalogue"_s, vwbench::cataloguePath()});
    if (!cli.waitForFinished(-1) || cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0)
        return -1;
    return timer.nsecsElapsed();
}

// stats and dump as whole processes, one after the other in every round, so that a machine whose
// load changes meets both alike. The counters give each command's mean and stats ÷ dump.
void StatsAgainstDump(benchmark::State& state) {
    if (!vwbench::haveData(state))
        return;
    qint64 dump = 0;
    qint64 stats = 0;
    for (auto _ : state) {
        const qint64 d = runCli(u"dump"_s);
        const qint64 s = runCli(u"stats"_s);
        if (d < 0 || s < 0) {
            state.SkipWithError("vendwright-cli failed");
            return;
        }
        dump += d;
        stats += s;
    }
    const double rounds = static_cast<double>(state.iterations());
    state.counters["dump_ms"] = static_cast<double>(dump) / 1e6 / rounds;
    state.counters["stats_ms"] = static_cast<double>(stats) / 1e6 / rounds;
    state.counters["ratio"] = static_cast<double>(stats) / static_cast<double>(dump);
}
BENCHMARK(StatsAgainstDump)->Apply(vwbench::timed);

} // namespace
