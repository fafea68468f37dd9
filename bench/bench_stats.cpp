// The statistics report on the generated data, and the stats command as a whole process against
// dump on the same files.

#include "bench_common.h"

#include "catalogue/CatalogueDb.h"
#include "script/ScriptReader.h"
#include "stats/gui/StatisticsReport.h"
#include "stats/gui/StatisticsView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>

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
