#include "bench_common.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace vwbench {

QString dataDir() {
    const QString dir = qEnvironmentVariable("VW_BENCH_DATA");
    return dir.isEmpty() ? QStringLiteral(VW_BENCH_DEFAULT_DATA) : dir;
}

QString scriptPath() {
    return dataDir() + u"/ai.obj"_s;
}

QString largeScriptPath() {
    const QString path = qEnvironmentVariable("VW_BENCH_LARGE");
    return path.isEmpty() ? QStringLiteral(VW_BENCH_DEFAULT_DATA "-large/ai.obj") : path;
}

QString cataloguePath() {
    return dataDir() + u"/Wareroll.mdb"_s;
}

QString accessCataloguePath() {
    return dataDir() + u"/access/catalogue-jet4.mdb"_s;
}

bool haveData(benchmark::State& state) {
    if (QFileInfo::exists(scriptPath()) && QFileInfo::exists(cataloguePath()))
        return true;
    state.SkipWithError(
        qPrintable(u"no generated data in "_s + dataDir() + u"; run vw_generate"_s));
    return false;
}

double peakResidentMb() {
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ')[0].toDouble() / 1024;
    }
    return 0;
}

void resetPeakResident() {
    // Linux sets the high-water mark back to the current resident size on "5".
    QFile refs(u"/proc/self/clear_refs"_s);
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

void timed(benchmark::internal::Benchmark* benchmark) {
    benchmark->Unit(benchmark::kMillisecond)
        ->ComputeStatistics("min", [](const std::vector<double>& v) {
            return *std::min_element(v.begin(), v.end());
        });
}

} // namespace vwbench
