// vendwright-cli on a long edit session: many edits of one list, run in-process.

#include "bench_common.h"

#include "Cli.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// One merchant with a list of `items` items; the generated script's lists hold 20 to 250.
QByteArray merchantScript(int items) {
    QString text = u"\uFEFFclass merchant_long : merchant\r\nproperty_define_begin\r\n"
                   u"\tbuyselllist_begin SellList0\r\n"_s;
    for (int i = 0; i < items; ++i)
        text += u"\t\t{"_s + QString::number(4000 + i) + u"; 10; 0.000000; 0 };\r\n"_s;
    text += u"\tbuyselllist_end\r\nproperty_define_end\r\nclass_end\r\n"_s;
    QByteArray bytes(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

// Runs `apply` in-process on the one-merchant script with the edit file given.
void apply(benchmark::State& state, int items, const QByteArray& edits) {
    QTemporaryDir dir;
    const QString script = dir.filePath(u"ai.obj"_s);
    const QString editsPath = dir.filePath(u"edits.txt"_s);
    if (!writeBytes(script, merchantScript(items)) || !writeBytes(editsPath, edits)) {
        state.SkipWithError("cannot write the script or the edit file");
        return;
    }
    const QStringList args{u"apply"_s, script, editsPath, dir.filePath(u"out.obj"_s)};
    for (auto _ : state) {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        if (vw::cli::runCli(args, outStream, errStream) != 0) {
            state.SkipWithError(qPrintable(u"apply failed: "_s + err));
            return;
        }
    }
}

// An item added at the end and taken away again, a million times: the undo history of a long
// session replays the same way. Every pair must cost the same, however many came before.
void ApplyAddRemovePairs(benchmark::State& state) {
    QByteArray edits = "npc merchant_long\nlist 0\n";
    for (int i = 0; i < state.range(0); ++i)
        edits += "add 9999 12\nremove 9999\n";
    apply(state, static_cast<int>(state.range(1)), edits);
}
BENCHMARK(ApplyAddRemovePairs)
    ->ArgsProduct({{100'000, 1'000'000}, {20, 250}})
    ->ArgNames({"pairs", "items"})
    ->Apply(vwbench::timed);

// Many distinct items added to one list, and with `removes` taken away again in the order they
// came: each add tests the whole list for a duplicate, each remove closes a gap at its front.
void ApplyDistinctAdds(benchmark::State& state) {
    QByteArray edits = "npc merchant_long\nlist 0\n";
    for (int i = 0; i < state.range(0); ++i)
        edits += "add " + QByteArray::number(100'000 + i) + " 12\n";
    for (int i = 0; state.range(1) && i < state.range(0); ++i)
        edits += "remove " + QByteArray::number(100'000 + i) + "\n";
    apply(state, 20, edits);
}
BENCHMARK(ApplyDistinctAdds)
    ->Args({100'000, 0})
    ->Args({40'000, 1})
    ->ArgNames({"adds", "removes"})
    ->Apply(vwbench::timed);

} // namespace
