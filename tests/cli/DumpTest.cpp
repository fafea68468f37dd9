#include "CliTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

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
    vw::test::writeFile(ws.path(u"odd.obj"_s), vw::test::scriptBytes(MerchantScript) + "x");
    const QString garbage = ws.text(u"not a database"_s, u"db.mdb"_s);
    const QList<QStringList> cases = {
        {u"dump"_s, ws.path(u"missing.obj"_s)},
        {u"dump"_s, utf8},
        {u"dump"_s, ws.path(u"odd.obj"_s)},
        {u"dump"_s, script, u"--catalogue"_s, ws.path(u"missing.mdb"_s)},
        {u"dump"_s, script, u"--catalogue"_s, garbage},
    };
    for (const QStringList& args : cases) {
        const CliRun run = runArgs(args);
        EXPECT_EQ(run.code, 3) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        // The message names the file at fault.
        EXPECT_TRUE(run.err.startsWith(u"vendwright-cli: "_s + args.last() + u':'))
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
