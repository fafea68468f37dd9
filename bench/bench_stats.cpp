// The statistics report on the generated data, and the stats command as a whole process against
// dump on the same files.

#include "bench_common.h"

#include "catalogue/CatalogueDb.h"
#include "script/ScriptReader.h"
#include "stats/gui/StatisticsReport.h"
#include "stats/gui/StatisticsView.h"

#include <QApplication>
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

// One run of vendwright-cli with its standard output thrown away.
void runCli(benchmark::State& state, const QString& command) {
    if (!vwbench::haveData(state))
        return;
    const QStringList args{command, vwbench::scriptPath(), u"--catalogue"_s,
                           vwbench::cataloguePath()};
    for (auto _ : state) {
        QProcess cli;
        cli.setStandardOutputFile(QProcess::nullDevice());
        cli.start(QStringLiteral(VW_CLI), args);
        if (!cli.waitForFinished(-1) || cli.exitStatus() != QProcess::NormalExit ||
            cli.exitCode() != 0) {
            state.SkipWithError(qPrintable(command + u" failed"_s));
            return;
        }
    }
}

void StatsProcess(benchmark::State& state) {
    runCli(state, u"stats"_s);
}
BENCHMARK(StatsProcess)->Apply(vwbench::timed);

void DumpProcess(benchmark::State& state) {
    runCli(state, u"dump"_s);
}
BENCHMARK(DumpProcess)->Apply(vwbench::timed);

} // namespace
