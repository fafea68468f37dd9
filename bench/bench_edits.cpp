// The edit files on the generated data: diff of two large scripts as a whole process against a
// dump of one, and the diff and edit text of the window's change preview and journal.

#include "bench_common.h"

#include "editor/EditFile.h"
#include "editor/ListDiff.h"
#include "editor/ListEdits.h"
#include "script/ScriptReader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

using namespace Qt::Literals::StringLiterals;

namespace {

QString editedScriptPath() {
    return vwbench::dataDir() + u"/ai.edited.obj"_s;
}

// One run of the installed-alike program, its output thrown away, as a shell would time it.
void runCli(benchmark::State& state, const QStringList& args) {
    if (!vwbench::haveData(state))
        return;
    if (!QFileInfo::exists(editedScriptPath())) {
        state.SkipWithError("no ai.edited.obj: run vw_generate again");
        return;
    }
    for (auto _ : state) {
        QProcess cli;
        cli.setStandardOutputFile(QProcess::nullDevice());
        cli.start(QStringLiteral(VW_CLI), args);
        if (!cli.waitForFinished(-1) || cli.exitStatus() != QProcess::NormalExit ||
            cli.exitCode() != 0) {
            state.SkipWithError(qPrintable(u"vendwright-cli failed: "_s +
                                           QString::fromUtf8(cli.readAllStandardError())));
            return;
        }
    }
}

void DumpProcess(benchmark::State& state) {
    runCli(state, {u"dump"_s, vwbench::scriptPath()});
}
BENCHMARK(DumpProcess)->Apply(vwbench::timed)->UseRealTime();

void DiffProcess(benchmark::State& state) {
    runCli(state, {u"diff"_s, vwbench::scriptPath(), editedScriptPath()});
}
BENCHMARK(DiffProcess)->Apply(vwbench::timed)->UseRealTime();

// The records as read and as they stand after 100 lists, spread over the script, were each
// edited as a user would: an item deleted, one added, one moved, a tax rate changed.
struct Session {
    std::vector<vw::ShopRecord> read;
    std::vector<vw::ShopRecord> now;
    std::vector<vw::ListRef> edited;
};

const Session* session(benchmark::State& state) {
    static Session s;
    if (!vwbench::haveData(state))
        return nullptr;
    if (!s.read.empty())
        return &s;
    s.read = vw::readScriptFile(vwbench::scriptPath()).records;
    s.now = s.read;
    const size_t step = s.now.size() / 100;
    for (size_t k = 0; k < 100 && step > 0; ++k) {
        vw::ShopRecord& record = s.now[k * step];
        s.edited.push_back({static_cast<int>(k * step), 0});
        const vw::ItemSlot first = record.slot(0, 0);
        vw::edits::deleteItem(record, 0, 0);
        vw::edits::insertItem(record, 0, 3, vw::edits::newItem(record, u"90000"_s, u"12"_s));
        vw::edits::moveToTop(record, 0, 10);
        const int picked[] = {5};
        vw::edits::setTaxRate(record, 0, picked, u"7"_s);
    }
    return &s;
}

// Every list compared (named: 0), or only the lists the edits touched (named: 1), as the
// window can tell them.
void PreviewDiff(benchmark::State& state) {
    const Session* s = session(state);
    if (!s)
        return;
    size_t lists = 0;
    for (auto _ : state) {
        lists = state.range(0) ? vw::edits::diffLists(s->read, s->now, s->edited).size()
                               : vw::edits::diffRecords(s->read, s->now).size();
    }
    state.counters["lists"] = static_cast<double>(lists);
}
BENCHMARK(PreviewDiff)->ArgName("named")->Arg(0)->Arg(1)->Apply(vwbench::timed);

// The edit file of the same changes: the text of an export and of the recovery journal.
void EditText(benchmark::State& state) {
    const Session* s = session(state);
    if (!s)
        return;
    qsizetype size = 0;
    for (auto _ : state) {
        const auto commands = state.range(0) ? vw::edits::editCommands(s->read, s->now, s->edited)
                                             : vw::edits::editCommands(s->read, s->now);
        size = vw::edits::writeEditFile(commands).size();
    }
    state.counters["chars"] = static_cast<double>(size);
}
BENCHMARK(EditText)->ArgName("named")->Arg(0)->Arg(1)->Apply(vwbench::timed);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
