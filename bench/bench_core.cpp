// The core library on the generated data: read, write, catalogue load; and the obvious
// QTextStream reader as a baseline for the read.

#include "bench_common.h"

#include "catalogue/AccessReader.h"
#include "catalogue/CatalogueDb.h"
#include "catalogue/Lookups.h"
#include "editor/Checks.h"
#include "editor/ListEdits.h"
#include "editor/Sellers.h"
#include "import/CatalogueImport.h"
#include "script/ScriptReader.h"
#include "script/ScriptWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

using vwbench::scriptPath;

// Reads `path` once an iteration. The records of each read are freed outside the timed part,
// and the counter free_ms says how long that took: freeing them is no part of a read (the
// window frees the records it held once another script's have taken their place, the command
// line when it ends).
void readEach(benchmark::State& state, const QString& path) {
    size_t records = 0;
    double freeMs = 0;
    for (auto _ : state) {
        std::optional<vw::ScriptReadResult> result = vw::readScriptFile(path);
        if (result->status != vw::ReadStatus::Ok) {
            state.SkipWithError(qPrintable(path + u" did not read"_s));
            return;
        }
        records = result->records.size();
        benchmark::DoNotOptimize(result->records.data());
        state.PauseTiming();
        QElapsedTimer timer;
        timer.start();
        result.reset();
        freeMs += static_cast<double>(timer.nsecsElapsed()) / 1e6;
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
    state.counters["records"] = static_cast<double>(records);
    state.counters["free_ms"] = benchmark::Counter(freeMs, benchmark::Counter::kAvgIterations);
}

void ReadScript(benchmark::State& state) {
    if (vwbench::haveData(state))
        readEach(state, scriptPath());
}
BENCHMARK(ReadScript)->Apply(vwbench::timed);

// The second size: a script ten times as large (vw_generate --lines 12000000), read the same
// way. It shows that time and memory grow with the file and nothing more.
void ReadLargeScript(benchmark::State& state) {
    const QString path = vwbench::largeScriptPath();
    if (!QFileInfo::exists(path)) {
        state.SkipWithError(qPrintable(u"no large script at "_s + path));
        return;
    }
    readEach(state, path);
}
BENCHMARK(ReadLargeScript)->Apply(vwbench::timed)->Iterations(1);

// Ten lists spread over the file, each edited as a user would: the first item deleted and put
// back at the end. Kept lines: every other item of those lists keeps its source line.
void writeTenEditedLists(benchmark::State& state, bool keepItemLines) {
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
        const vw::ScriptWriteResult written =
            vw::writeScript(source, output, records, {}, {.keepItemLines = keepItemLines});
        if (written.status != vw::ScriptWriteResult::Status::Ok || written.listsWritten != 10) {
            state.SkipWithError("the writer did not replace the ten lists");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(scriptPath()).size());
    QFile::remove(outputPath);
}

void WriteScript(benchmark::State& state) {
    writeTenEditedLists(state, false);
}
BENCHMARK(WriteScript)->Apply(vwbench::timed);

void WriteScriptKeepingLines(benchmark::State& state) {
    writeTenEditedLists(state, true);
}
BENCHMARK(WriteScriptKeepingLines)->Apply(vwbench::timed);

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

// Access catalogues are read by a child process. What that adds: the child's run (process start,
// conversion, written file) against the same conversion in-process, and the copy of its file into
// memory. "fixture" is the small test catalogue, "large" the generated catalogue as a Jet 4 file.
QString accessFile(benchmark::State& state, const std::string& which) {
    const QString path = which == "fixture" ? QStringLiteral(VW_FIXTURES_DIR "/catalogue.mdb")
                                            : vwbench::accessCataloguePath();
    if (!QFileInfo::exists(path))
        state.SkipWithError(qPrintable(path + u" is missing"_s));
    return QFileInfo::exists(path) ? path : QString();
}

void LoadAccessCatalogue(benchmark::State& state, const std::string& which) {
    const QString path = accessFile(state, which);
    for (auto _ : state) {
        vw::CatalogueDb db;
        if (path.isEmpty() || db.load(path).status != vw::CatalogueLoadStatus::Ok) {
            state.SkipWithError("the Access catalogue did not load");
            return;
        }
    }
}
BENCHMARK_CAPTURE(LoadAccessCatalogue, fixture, std::string("fixture"))->Apply(vwbench::timed);
BENCHMARK_CAPTURE(LoadAccessCatalogue, large, std::string("large"))->Apply(vwbench::timed);

void ReaderChild(benchmark::State& state, const std::string& which) {
    const QString path = accessFile(state, which);
    const QTemporaryDir dir;
    for (auto _ : state) {
        const QString output = dir.filePath(u"out.sqlite"_s);
        QFile::remove(output);
        QProcess child;
        child.start(vw::accessReaderProgram(), {path, output});
        if (path.isEmpty() || !child.waitForFinished() || child.exitCode() != 0) {
            state.SkipWithError("the reading child failed");
            return;
        }
    }
}
BENCHMARK_CAPTURE(ReaderChild, fixture, std::string("fixture"))->Apply(vwbench::timed);
BENCHMARK_CAPTURE(ReaderChild, large, std::string("large"))->Apply(vwbench::timed);

void ImportInProcess(benchmark::State& state, const std::string& which) {
    const QString path = accessFile(state, which);
    const QTemporaryDir dir;
    for (auto _ : state) {
        const QString output = dir.filePath(u"out.sqlite"_s);
        QFile::remove(output);
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(output).constData(), &db);
        sqlite3_exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", nullptr, nullptr,
                     nullptr);
        const QString error = path.isEmpty() ? u"missing"_s : vw::importAccessFile(path, db);
        sqlite3_close(db);
        if (!error.isEmpty()) {
            state.SkipWithError("the in-process conversion failed");
            return;
        }
    }
}
BENCHMARK_CAPTURE(ImportInProcess, fixture, std::string("fixture"))->Apply(vwbench::timed);
BENCHMARK_CAPTURE(ImportInProcess, large, std::string("large"))->Apply(vwbench::timed);

void CopyImported(benchmark::State& state, const std::string& which) {
    const QString path = accessFile(state, which);
    const QTemporaryDir dir;
    const QString output = dir.filePath(u"out.sqlite"_s);
    QProcess child;
    child.start(vw::accessReaderProgram(), {path, output});
    if (path.isEmpty() || !child.waitForFinished() || child.exitCode() != 0) {
        state.SkipWithError("the reading child failed");
        return;
    }
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open(":memory:", &db);
        const QString error = vw::copyImportedFile(output, db);
        sqlite3_close(db);
        if (!error.isEmpty()) {
            state.SkipWithError("the copy failed");
            return;
        }
    }
}
BENCHMARK_CAPTURE(CopyImported, fixture, std::string("fixture"))->Apply(vwbench::timed);
BENCHMARK_CAPTURE(CopyImported, large, std::string("large"))->Apply(vwbench::timed);

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
