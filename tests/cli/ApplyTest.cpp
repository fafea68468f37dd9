#include "../support/Devices.h"
#include "CliError.h"
#include "CliTestSupport.h"
#include "Inputs.h"

#include "script/ScriptReader.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace vw::cli::test;
using vw::test::decodeScript;
using vw::test::readFile;
using vw::test::scriptBytes;

namespace {

// The IDs of one list of the output, read back with the core reader.
QStringList idsOf(const QString& script, int record, int list) {
    const vw::ScriptReadResult read = vw::readScriptFile(script);
    const vw::ShopRecord& r = read.records.at(static_cast<size_t>(record));
    QStringList ids;
    for (int i = 0; i < r.listLength(list); ++i)
        ids.append(r.slot(list, i).id);
    return ids;
}

struct ApplyCase {
    Workspace ws;
    QString script = ws.script(MerchantScript);
    QString output = ws.path(u"out.obj"_s);

    CliRun apply(const QString& edits, QStringList extra = {}) {
        return runArgs(QStringList{u"apply"_s, script, ws.text(edits, u"edits.txt"_s), output} +
                       extra);
    }
};

} // namespace

TEST(CliApply, EmptyEditFileCopiesTheSourceWithMarkAndCrLf) {
    ApplyCase c;
    // A source with LF endings and no byte-order mark.
    QByteArray lf = scriptBytes(MerchantScript).mid(2);
    lf.replace(QByteArray("\r\0", 2), QByteArray());
    vw::test::writeFile(c.script, lf);
    const CliRun run = c.apply(u"# nothing to do\n\n"_s);
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(readFile(c.output), scriptBytes(MerchantScript));
    EXPECT_EQ(run.out, c.output + u": written, 0 lists replaced\n"_s);
}

TEST(CliApply, EditsReachTheOutputAndOnlyTheirLists) {
    ApplyCase c;
    const CliRun run = c.apply(u"npc grocer_amber   # the grocer\r\n"
                               u"list 0\r\n"
                               u"add 43 5\r\n"
                               u"insert 30 7 before 41\r\n"
                               u"remove 40\r\n"
                               u"top 42\r\n"
                               u"up 42\r\n" // already first: stays
                               u"down 30\r\n"
                               u"bottom 41\r\n"
                               u"\tnpc weaponsmith_borin\r\n"
                               u"add 4 9\r\n"_s);
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, u"grocer_amber SellList0: +43 +30 -40 (moved 3)\n"
                       u"weaponsmith_borin SellList0: +4\n"_s +
                           c.output + u": written, 2 lists replaced\n"_s);
    EXPECT_EQ(idsOf(c.output, 0, 0), (QStringList{u"42"_s, u"30"_s, u"43"_s, u"41"_s}));
    EXPECT_EQ(idsOf(c.output, 0, 1), (QStringList{u"1"_s, u"2"_s}));
    const QStringList lines = decodeScript(readFile(c.output)).split(u"\r\n"_s);
    // New items take each record's own extra parts; the untouched list keeps its lines.
    EXPECT_TRUE(lines.contains(u"\t\t{43; 5; 0.000000; 0};"_s));
    EXPECT_TRUE(lines.contains(u"\t\t{4; 9; 1.5; 7};"_s));
    EXPECT_EQ(lines.mid(9, 2), MerchantScript.mid(8, 2));
}

TEST(CliApply, KeepLinesKeepsTheLinesOfUnchangedItems) {
    ApplyCase c;
    const QString edits = u"npc grocer_amber\nlist 0\ntop 42\ntax 41 12\n"_s;
    const CliRun run = c.apply(edits, {u"--keep-lines"_s});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, u"grocer_amber SellList0: (moved 1) (tax rates 1)\n"_s + c.output +
                           u": written, 1 lists replaced\n"_s);
    const QStringList lines = decodeScript(readFile(c.output)).split(u"\r\n"_s);
    EXPECT_EQ(lines.mid(3, 3),
              (QStringList{MerchantScript[5], MerchantScript[3], u"\t\t{41; 12; 0.000000; 0};"_s}));
    // Without the option the moved item is written in the template's shape.
    ASSERT_EQ(c.apply(edits).code, 0);
    EXPECT_EQ(decodeScript(readFile(c.output)).split(u"\r\n"_s)[3],
              u"\t\t{42; 10; 0.000000; 0};"_s);
}

TEST(CliApply, RemoveEverywhereAndLocationReachEveryRecord) {
    ApplyCase c;
    const CliRun run = c.apply(u"remove-everywhere 2\n"
                               u"location 白石镇\n"
                               u"list 0\n"
                               u"add 31 3\n"_s,
                               {u"--catalogue"_s, catalogue()});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(idsOf(c.output, 0, 0), (QStringList{u"40"_s, u"41"_s, u"42"_s, u"31"_s}));
    EXPECT_EQ(idsOf(c.output, 0, 1), QStringList{u"1"_s});
    EXPECT_EQ(idsOf(c.output, 1, 0), (QStringList{u"3"_s, u"31"_s}));
}

TEST(CliApply, EditThatDoesNotApplyStopsTheRunAndWritesNothing) {
    struct Case {
        QString edits;
        int line;
        QString message;
    };
    const QList<Case> cases = {
        {u"npc grocer\n"_s, 1, u"no NPC class grocer"_s},
        {u"npc grocer_amber\nlist 0\n\nadd 41 10\n"_s, 4, u"already has item 41"_s},
        {u"npc grocer_amber\nlist 1\nremove 40\n"_s, 3, u"has no item 40"_s},
        {u"npc weaponsmith_borin\nlist 1\nup 2\n"_s, 3, u"has no SellList1"_s},
        {u"location 白石镇\n"_s, 1, u"location needs --catalogue"_s},
        {u"npc grocer_amber\nadd 43 5\n"_s, 2, u"no list selected"_s},
        {u"list 0\nremove 40\n"_s, 2, u"no NPC selected"_s},
        {u"npc grocer_amber\nlist 0\nadd 43 5;0\n"_s, 3, u"the tax rate 5;0"_s},
        {u"npc grocer_amber\nlist 0\nadd 43 {5\n"_s, 3, u"the tax rate {5"_s},
        {u"npc grocer_amber\nlist 0\nremove 40\nremove-everywhere 40\n"_s, 4,
         u"no list holds item 40"_s},
        {u"sell 40\n"_s, 1, u"unknown command"_s},
    };
    for (const Case& test : cases) {
        ApplyCase c;
        const CliRun run = c.apply(test.edits);
        const QString where = c.ws.path(u"edits.txt"_s) + u':' + QString::number(test.line);
        EXPECT_EQ(run.code, 3) << test.edits.toStdString();
        EXPECT_TRUE(run.err.startsWith(u"vendwright-cli: "_s + where + u": "_s))
            << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(test.message)) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(c.output));
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST(CliApply, OutputNamingAnInputOrNoRegularFileIsRefused) {
    ApplyCase c;
    const QByteArray source = readFile(c.script);
    QFile::link(c.script, c.ws.path(u"link.obj"_s));
    const QString fifo = c.ws.path(u"fifo"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& output :
         {c.script, c.ws.path(u"link.obj"_s), c.ws.path(u"edits.txt"_s), fifo}) {
        c.output = output;
        const CliRun run = c.apply(u"npc grocer_amber\nlist 0\nremove 40\n"_s);
        EXPECT_EQ(run.code, 4) << output.toStdString();
        EXPECT_TRUE(run.err.contains(u"refused"_s)) << run.err.toStdString();
    }
    EXPECT_TRUE(c.apply({}).err.endsWith(u"fifo: refused: the output is not a regular file\n"_s));
    EXPECT_EQ(readFile(c.script), source);
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}

TEST(CliApply, ListWithoutAWholePlaceIsLeftAndWarned) {
    ApplyCase c;
    QStringList lines = MerchantScript;
    lines.removeAt(6); // grocer_amber's SellList0 loses its buyselllist_end
    c.script = c.ws.script(lines);
    const CliRun run = c.apply(u"npc grocer_amber\nlist 0\nremove 40\n"_s);
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.err,
              u"vendwright-cli: warning: grocer_amber SellList0 left as it was: its place in the "
              u"script is not whole\n"_s);
    EXPECT_EQ(readFile(c.output), scriptBytes(lines));
}

TEST(CliApply, EchoedInputIsCutAndShowsControlCharacters) {
    ApplyCase c;
    const QChar nul(0);
    // A NUL in a location is plain text to the catalogue, not a broken statement.
    CliRun run = c.apply(u"location 白石"_s + nul + u"镇\n"_s, {u"--catalogue"_s, catalogue()});
    EXPECT_EQ(run.code, 3);
    EXPECT_TRUE(run.err.endsWith(u"is placed at 白石\\x00镇\n"_s)) << run.err.toStdString();
    run = c.apply(u"npc grocer_amber\nlist 0\nadd 43"_s + nul + u"\t 5\n"_s);
    EXPECT_EQ(run.code, 3);
    EXPECT_TRUE(run.err.contains(u": the item ID 43\\x00 holds"_s)) << run.err.toStdString();
    run = c.apply(u"frobnicate"_s + QString(100'000, u'x') + u"\x1b[2J\n"_s);
    EXPECT_EQ(run.code, 3);
    EXPECT_LT(run.err.size(), 300);
    EXPECT_TRUE(run.err.endsWith(u"xxx…\"\n"_s)) << run.err.toStdString();
    run = c.apply(u"npc a\x1b[2J\r\n"_s);
    EXPECT_TRUE(run.err.contains(u"no NPC class a\\x1B[2J with"_s)) << run.err.toStdString();
}

// The exit code says whether OUT was written, whatever became of standard output.
TEST(CliApply, AReportThatCannotBeWrittenIsToldApartFromAnOutputNotWritten) {
    ApplyCase c;
    const QString edits = c.ws.text(u"npc grocer_amber\nlist 0\nremove 41\n"_s, u"edits.txt"_s);
    const auto runInto = [&](const QString& output) {
        vw::test::FailingWriter device(10);
        QString errors;
        QTextStream out(&device);
        QTextStream err(&errors);
        const int code = vw::cli::runCli({u"apply"_s, c.script, edits, output}, out, err);
        return std::pair{code, errors};
    };
    EXPECT_EQ(runInto(c.output),
              std::pair(6, u"vendwright-cli: "_s + c.output +
                               u": written, but writing standard output failed (Input/output "
                               u"error)\n"_s));
    EXPECT_EQ(idsOf(c.output, 0, 0), (QStringList{u"40"_s, u"42"_s}));
    EXPECT_EQ(runInto(c.script).first, 4);
}

TEST(CliApply, AReadErrorIsAnInputErrorNotAShorterFile) {
    vw::test::PieceReader device("npc grocer_amber\nlist 0\nremove 40\nremove 41\n",
                                 vw::test::pieces(1 << 30), 38);
    try {
        vw::cli::readUtf8OrFail(device, u"edits.txt"_s);
        ADD_FAILURE() << "a failed read passed for the end of the file";
    } catch (const vw::cli::CliError& error) {
        EXPECT_EQ(error.exitCode, vw::cli::ExitInput);
        EXPECT_EQ(error.message,
                  u"edits.txt: reading the file failed part-way (Input/output error)"_s);
    }
}
