#include "../support/Devices.h"
#include "CliTestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <sqlite3.h>
#include <sys/stat.h>

using namespace vw::cli::test;

TEST(CliDump, TextShowsNamesLinesAndEveryItemPart) {
    Workspace ws;
    const CliRun run =
        runArgs({u"dump"_s, ws.script(MerchantScript), u"--catalogue"_s, catalogue()});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(u'\n');
    EXPECT_TRUE(lines.contains(u"grocer_amber 杂货商安珀"_s));
    EXPECT_TRUE(lines.contains(u"  SellList0 StartLine=5 EndLine=8 items=3"_s));
    EXPECT_TRUE(lines.contains(u"    5: {40; 10; 0.000000; 0}"_s));
    EXPECT_TRUE(lines.contains(u"    18: {2; 10; 1.5; 7}"_s));
    EXPECT_TRUE(lines.contains(u"  SellList1 StartLine=0 EndLine=0 items=0"_s));
}

// UTF-8 cannot carry a surrogate without its partner, so both forms print it as an escape.
TEST(CliDump, IdsArePrintedExactly) {
    Workspace ws;
    QStringList lines = MerchantScript;
    lines[3] = u"\t\t{40"_s + QChar(0xD800) + u"; 10; 0.000000; 0 };"_s;
    lines[4] = u"\t\t{"_s + QChar(0xDC01) + u"41\U0001F600; 10; 0.000000; 0 };"_s;
    const QString script = ws.script(lines);
    const CliRun text = runArgs({u"dump"_s, script});
    EXPECT_TRUE(text.out.contains(u"    5: {40\\x{d800}; 10; 0.000000; 0}\n"_s))
        << text.out.toStdString();
    EXPECT_TRUE(text.out.contains(u"    6: {\\x{dc01}41\U0001F600; 10; 0.000000; 0}\n"_s));
    const CliRun json = runArgs({u"dump"_s, script, u"--json"_s});
    EXPECT_TRUE(json.out.contains(u"\"id\":\"40\\ud800\""_s)) << json.out.toStdString();
    EXPECT_TRUE(json.out.contains(u"\"id\":\"\\udc0141\U0001F600\""_s));
}

TEST(CliDump, JsonParsesAndKeepsItsSchema) {
    Workspace ws;
    QStringList lines = MerchantScript;
    // Quotes and backslashes in a class name must not break the document.
    lines[13] = u"class smith_\"q\\ : merchant"_s;
    const CliRun run =
        runArgs({u"dump"_s, u"--json"_s, ws.script(lines), u"--catalogue="_s + catalogue()});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    QJsonParseError error{};
    const QJsonObject doc = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    EXPECT_EQ(doc[u"version"_s].toInt(), 1);
    EXPECT_EQ(doc[u"lineCount"_s].toInt(), 21);
    const QJsonArray records = doc[u"records"_s].toArray();
    ASSERT_EQ(records.size(), 2);
    const QJsonObject grocer = records[0].toObject();
    EXPECT_EQ(grocer[u"chineseName"_s].toString(), u"杂货商安珀"_s);
    const QJsonObject list1 = grocer[u"lists"_s].toArray()[1].toObject();
    EXPECT_EQ(list1[u"name"_s].toString(), u"SellList1"_s);
    EXPECT_EQ(list1[u"startLine"_s].toInt(), 10);
    EXPECT_EQ(list1[u"endLine"_s].toInt(), 12);
    const QJsonObject item = list1[u"items"_s].toArray()[1].toObject();
    EXPECT_EQ(item[u"lineText"_s].toString(), u"11"_s);
    EXPECT_EQ(item[u"id"_s].toString(), u"2"_s);
    EXPECT_EQ(item[u"taxRate"_s].toString(), u"15"_s);
    EXPECT_EQ(item[u"extraParts"_s].toArray(), (QJsonArray{u"0.000000"_s, u"0"_s}));
    const QJsonObject smith = records[1].toObject();
    EXPECT_EQ(smith[u"className"_s].toString(), u"smith_\"q\\"_s);
    EXPECT_TRUE(smith[u"chineseName"_s].isNull());
    EXPECT_EQ(smith[u"lists"_s].toArray()[1].toObject()[u"items"_s].toArray().size(), 0);
}

TEST(CliDump, WithoutCatalogueNamesAreNull) {
    Workspace ws;
    const CliRun run = runArgs({u"dump"_s, ws.script(MerchantScript), u"--json"_s});
    ASSERT_EQ(run.code, 0);
    const QJsonObject doc = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_TRUE(doc[u"catalogue"_s].isNull());
    EXPECT_TRUE(doc[u"records"_s].toArray()[0].toObject()[u"chineseName"_s].isNull());
}

TEST(CliDump, UnusableInputsAreInputErrors) {
    Workspace ws;
    const QString script = ws.script(MerchantScript);
    const QString utf8 = ws.text(MerchantScript.join(u'\n'), u"ai.txt"_s);
    const QByteArray bytes = vw::test::scriptBytes(MerchantScript);
    vw::test::writeFile(ws.path(u"odd.obj"_s), bytes + "x");
    // Big-endian without a mark: the little-endian bytes moved by one.
    vw::test::writeFile(ws.path(u"be.obj"_s), '\0' + bytes.mid(2).chopped(1));
    QDir().mkdir(ws.path(u"folder.obj"_s));
    ::mkfifo(QFile::encodeName(ws.path(u"fifo.obj"_s)).constData(), 0600);
    const QString garbage = ws.text(u"not a database"_s, u"db.mdb"_s);
    const QString withView = ws.path(u"view.mdb"_s);
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(withView).constData(), &db);
    sqlite3_exec(db, "CREATE TABLE t(a); CREATE VIEW NPCNAME_E2C AS SELECT a FROM t", nullptr,
                 nullptr, nullptr);
    sqlite3_close(db);
    const QList<std::pair<QStringList, QString>> cases = {
        {{u"dump"_s, ws.path(u"missing.obj"_s)}, u"no such script file"_s},
        {{u"dump"_s, utf8}, u"not a UTF-16LE script (it has no zero bytes"_s},
        {{u"dump"_s, ws.path(u"odd.obj"_s)}, u"not a UTF-16LE script (its length is an odd"_s},
        {{u"dump"_s, ws.path(u"be.obj"_s)}, u"not a UTF-16LE script (its zero bytes stand"_s},
        {{u"dump"_s, ws.path(u"folder.obj"_s)}, u"not a regular file"_s},
        {{u"dump"_s, ws.path(u"fifo.obj"_s)}, u"not a regular file"_s},
        {{u"dump"_s, script, u"--catalogue"_s, ws.path(u"missing.mdb"_s)},
         u"no such catalogue file"_s},
        {{u"dump"_s, script, u"--catalogue"_s, garbage}, u"not an Access or SQLite catalogue"_s},
        {{u"dump"_s, script, u"--catalogue"_s, withView},
         u"not an Access or SQLite catalogue (it holds the view NPCNAME_E2C; only tables are "
         u"read)"_s},
    };
    for (const auto& [args, problem] : cases) {
        const CliRun run = runArgs(args);
        EXPECT_EQ(run.code, 3) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        // The message names the file at fault and the problem.
        EXPECT_TRUE(run.err.startsWith(u"vendwright-cli: "_s + args.last() + u": "_s + problem))
            << run.err.toStdString();
    }
    // A damaged Access file that stops the reading child: the reason in the message's words.
    const QString damaged = QStringLiteral(VW_DAMAGED_DIR "/shared-long-value.mdb");
    const CliRun run = runArgs({u"dump"_s, script, u"--catalogue"_s, damaged});
    EXPECT_EQ(run.code, 3);
    EXPECT_EQ(run.err,
              u"vendwright-cli: "_s + damaged +
                  u": not an Access or SQLite catalogue (the reading process crashed)\n"_s);
}

TEST(CliDump, NothingIsPrintedBeforeTheCatalogueAnswers) {
    Workspace ws;
    // An SQLite catalogue without the NPC name table: the first look-up fails.
    const QString path = ws.path(u"names-missing.mdb"_s);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE ITEMNAME_E2C (ID TEXT)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    const CliRun run = runArgs({u"dump"_s, ws.script(MerchantScript), u"--catalogue"_s, path});
    EXPECT_EQ(run.code, 3);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(u"catalogue query failed"_s)) << run.err.toStdString();

    // A class name the statement text cannot carry is looked up as plain text.
    QStringList lines = MerchantScript;
    lines[0] = u"class grocer_amber"_s + QChar(0xD800) + u" : merchant"_s;
    const CliRun damaged = runArgs({u"dump"_s, ws.script(lines), u"--catalogue"_s, catalogue()});
    EXPECT_EQ(damaged.code, 0) << damaged.err.toStdString();
    EXPECT_TRUE(damaged.out.contains(u" (no Chinese name)\n"_s));
}

TEST(CliDump, OutputThatCannotBeWrittenFailsTheRun) {
    Workspace ws;
    const QStringList args{u"dump"_s, ws.script(MerchantScript), u"--json"_s};
    const auto runInto = [&args](QIODevice& device) {
        QString errors;
        QTextStream out(&device);
        QTextStream err(&errors);
        const int code = vw::cli::runCli(args, out, err);
        return std::pair{code, errors};
    };
    const QString failed = u"vendwright-cli: writing standard output failed "_s;
    vw::test::FailingWriter device(100);
    EXPECT_EQ(runInto(device), std::pair(4, failed + u"(Input/output error)\n"_s));

    // The program itself into a pipe whose reader has gone: a write that failed, not an end by
    // SIGPIPE. The dump is larger than a pipe holds, so some write comes after the reader left.
    QStringList many = MerchantScript;
    for (int i = 0; i < 3000; ++i)
        many.insert(4, u"\t\t{"_s + QString::number(1000 + i) + u"; 10; 0.000000; 0 };"_s);
    QProcess pipeline;
    pipeline.start(u"bash"_s, {u"-c"_s, u"\"$0\" dump \"$1\" | true; exit ${PIPESTATUS[0]}"_s,
                               QStringLiteral(VW_CLI_PROGRAM), ws.script(many, u"many.obj"_s)});
    ASSERT_TRUE(pipeline.waitForFinished());
    EXPECT_EQ(pipeline.exitCode(), 4);
    EXPECT_EQ(pipeline.readAllStandardError(),
              "vendwright-cli: writing standard output failed (Broken pipe)\n");
    QFile full(u"/dev/full"_s);
    if (!full.open(QIODevice::WriteOnly))
        GTEST_SKIP() << "no /dev/full to write to";
    EXPECT_EQ(runInto(full), std::pair(4, failed + u"(no space left on the device)\n"_s));
}

// Every text output escapes a lone surrogate and what would break its line or turn the text
// around it; JSON has its own escapes for them.
TEST(CliText, EveryOutputEscapesWhatWouldBreakOrTurnItsLine) {
    Workspace ws;
    QStringList lines = MerchantScript;
    lines[0] = u"class grocer_amber\u202E : merchant"_s;
    lines[3] = u"\t\t{40\u2028; 10; 0.000000; 0 };"_s;
    lines[4] = u"\t\t{41"_s + QChar(0xD800) + u"; 1\u2066; 0.000000; 0 };"_s;
    const QString script = ws.script(lines);
    const QString edits = ws.text(u"npc \"grocer_amber\\u{202E}\"\nlist 0\nremove \"40\\u{2028}\"\n"
                                  u"add \"43\\u{202A}\" 5\nnpc \"x\\u{2029}\"\n"_s,
                                  u"edits.txt"_s);
    const QString out = ws.path(u"out\u2029.obj"_s);
    const QList<CliRun> runs = {
        runArgs({u"dump"_s, script}),
        runArgs({u"where"_s, script, u"40\u2028"_s}),
        runArgs({u"stats"_s, script, u"--catalogue"_s, catalogue()}),
        runArgs({u"apply"_s, script, edits, out, u"--keep-going"_s}),
        runArgs({u"dump"_s, ws.path(u"gone\u2028"_s)}),
    };
    for (const CliRun& run : runs) {
        for (const QString& text : {run.out, run.err}) {
            EXPECT_FALSE(std::any_of(text.begin(), text.end(), [](QChar c) {
                return c.isSurrogate() || c == u'\u2028' || c == u'\u2029' || c == u'\u0085' ||
                       c == u'\u202E' || c == u'\u2066';
            })) << text.toStdString();
        }
    }
    EXPECT_TRUE(runs[0].out.contains(u"\ngrocer_amber\\x{202e}\n"_s)) << runs[0].out.toStdString();
    EXPECT_TRUE(runs[0].out.contains(u"    5: {40\\x{2028}; 10; 0.000000; 0}\n"_s));
    EXPECT_TRUE(runs[0].out.contains(u"    6: {41\\x{d800}; 1\\x{2066}; 0.000000; 0}\n"_s));
    EXPECT_TRUE(runs[1].out.startsWith(u"grocer_amber\\x{202e} SellList0 row 1 line 4 tax 10\n"_s))
        << runs[1].out.toStdString();
    EXPECT_TRUE(runs[2].out.contains(u"  41\\x{d800}: grocer_amber\\x{202e} SellList0\n"_s))
        << runs[2].out.toStdString();
    EXPECT_EQ(runs[3].out, u"grocer_amber\\x{202e} SellList0: +43\\x{202a} -40\\x{2028}\n"_s +
                               ws.path(u"out\\x{2029}.obj: written, 1 lists replaced\n"_s));
    EXPECT_TRUE(runs[3].err.endsWith(u"edits.txt:5: no NPC class x\\x{2029} with sell lists in "
                                     u"the script\n"_s))
        << runs[3].err.toStdString();
    EXPECT_TRUE(runs[4].err.contains(u"gone\\x{2028}: "_s)) << runs[4].err.toStdString();
    const CliRun json = runArgs({u"dump"_s, script, u"--json"_s});
    EXPECT_TRUE(json.out.contains(u"\"className\":\"grocer_amber\\u202e\""_s))
        << json.out.toStdString();
    EXPECT_TRUE(json.out.contains(u"\"taxRate\":\"1\\u2066\""_s));
}
