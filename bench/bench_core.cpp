// The core library on the generated data: read, write, catalogue load; and the obvious
// QTextStream reader as a baseline for the read.

#include "bench_common.h"

#include "catalogue/CatalogueDb.h"
#include "editor/ListEdits.h"
#include "script/ScriptReader.h"
#include "script/ScriptWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

using vwbench::scriptPath;

void ReadScript(benchmark::State& state) {
    if (!vwbench::haveData(state))
        return;
    size_t records = 0;
    for (auto _ : state) {
        const vw::ScriptReadResult result = vw::readScriptFile(scriptPath());
        if (result.status != vw::ReadStatus::Ok) {
            state.SkipWithError("the generated script did not read");
            return;
        }
        records = result.records.size();
        benchmark::DoNotOptimize(result.records.data());
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(scriptPath()).size());
    state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(ReadScript)->Apply(vwbench::timed);

// Ten lists spread over the file, each edited as a user would: the first item deleted and put
// back at the end.
void WriteScript(benchmark::State& state) {
    if (!vwbench::haveData(state))
        return;
    vw::ScriptReadResult read = vw::readScriptFile(scriptPath());
    std::vector<vw::ShopRecord>& records = read.records;
    if (records.size() < 10) {
        state.SkipWithError("the generated script has fewer than ten sell lists");
        return;
    }
    for (size_t k = 0; k < 10; ++k) {
        vw::ShopRecord& record = records[k * records.size() / 10];
        const vw::ItemSlot first = record.slot(0, 0);
        vw::edits::deleteItem(record, 0, 0);
        vw::edits::appendItem(record, 0, vw::edits::newItem(record, first.id, first.taxRate));
    }
    const QString outputPath = QDir::tempPath() + u"/vw_bench_write.obj"_s;
    for (auto _ : state) {
        QFile source(scriptPath());
        QFile output(outputPath);
        if (!source.open(QIODevice::ReadOnly) ||
            !output.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            state.SkipWithError("cannot open the source or the output");
            return;
        }
        const vw::ScriptWriteResult written = vw::writeScript(source, output, records);
        if (written.status != vw::ScriptWriteResult::Status::Ok || written.listsWritten != 10) {
            state.SkipWithError("the writer did not replace the ten lists");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(scriptPath()).size());
    QFile::remove(outputPath);
}
BENCHMARK(WriteScript)->Apply(vwbench::timed);

void LoadCatalogue(benchmark::State& state) {
    if (!vwbench::haveData(state))
        return;
    for (auto _ : state) {
        vw::CatalogueDb db;
        if (db.load(vwbench::cataloguePath()).status != vw::CatalogueLoadStatus::Ok) {
            state.SkipWithError("the generated catalogue did not load");
            return;
        }
    }
}
BENCHMARK(LoadCatalogue)->Apply(vwbench::timed);

// The obvious reader: QTextStream lines, each trimmed and searched for every keyword. It builds
// no records, so it does less than the real reader; it only shows what the plain way costs.
void ReadQTextStream(benchmark::State& state) {
    if (!vwbench::haveData(state))
        return;
    const std::array<QString, 5> keywords{u"property_define_begin"_s, u"property_define_end"_s,
                                          u"buyselllist_begin"_s, u"buyselllist_end"_s,
                                          u"class_end"_s};
    qint64 lines = 0;
    for (auto _ : state) {
        QFile file(scriptPath());
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot open the generated script");
            return;
        }
        QTextStream in(&file);
        in.setEncoding(QStringConverter::Utf16LE);
        qint64 hits = 0;
        lines = 0;
        while (!in.atEnd()) {
            const QString line = in.readLine().trimmed();
            ++lines;
            hits += line.startsWith(u"class "_s);
            for (const QString& keyword : keywords)
                hits += line.contains(keyword, Qt::CaseInsensitive);
            hits += line.contains(u"{"_s);
        }
        benchmark::DoNotOptimize(hits);
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(scriptPath()).size());
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(ReadQTextStream)->Apply(vwbench::timed);

} // namespace
