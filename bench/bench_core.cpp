// The core library on the generated data: read, write, catalogue load; and the obvious
// QTextStream reader as a baseline for the read.

#include "bench_common.h"

#include "catalogue/CatalogueDb.h"
#include "catalogue/Lookups.h"
#include "editor/Checks.h"
#include "editor/ListEdits.h"
#include "editor/Sellers.h"
#include "script/ScriptReader.h"
#include "script/ScriptWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTextStream>

#include <algorithm>
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

// Every check of the whole script on top of a read, catalogue look-ups included; a fresh
// look-up object each time, so the item answers are not kept from the run before.
void CheckScript(benchmark::State& state) {
    if (!vwbench::haveData(state))
        return;
    const vw::ScriptReadResult read = vw::readScriptFile(scriptPath());
    vw::CatalogueDb db;
    if (db.load(vwbench::cataloguePath()).status != vw::CatalogueLoadStatus::Ok) {
        state.SkipWithError("the generated catalogue did not load");
        return;
    }
    size_t findings = 0;
    for (auto _ : state) {
        vw::CatalogueLookups lookups(db);
        findings = vw::checkScript(read.records, read.report, &lookups).size();
    }
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(CheckScript)->Apply(vwbench::timed);

// Where the most sold item of the script is sold: every list of every record, and the names
// and places of each seller.
void FindSellers(benchmark::State& state) {
    if (!vwbench::haveData(state))
        return;
    const vw::ScriptReadResult read = vw::readScriptFile(scriptPath());
    vw::CatalogueDb db;
    if (read.records.empty() ||
        db.load(vwbench::cataloguePath()).status != vw::CatalogueLoadStatus::Ok) {
        state.SkipWithError("the generated data did not load");
        return;
    }
    QHash<QString, int> counts;
    for (const vw::ShopRecord& record : read.records)
        for (int list = 0; list < vw::ShopRecord::ListCount; ++list)
            for (int slot = 0; slot < record.listLength(list); ++slot)
                ++counts[record.slot(list, slot).id];
    const QString id =
        std::max_element(counts.keyValueBegin(), counts.keyValueEnd(),
                         [](const auto& a, const auto& b) { return a.second < b.second; })
            ->first;
    size_t sales = 0;
    for (auto _ : state) {
        vw::CatalogueLookups lookups(db);
        sales = vw::findSellers(read.records, id, &lookups).size();
    }
    state.counters["sales"] = static_cast<double>(sales);
}
BENCHMARK(FindSellers)->Apply(vwbench::timed);

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
