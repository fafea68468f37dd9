#include "CliTestSupport.h"

#include <gtest/gtest.h>

using namespace vw::cli::test;

// The edit file goes through standard output as UTF-8: an ID with a tab, a "#" and a lone
// surrogate still names its item when it comes back.
TEST(CliDiff, PrintsEditsThatApplyBackToTheNewScript) {
    Workspace ws;
    const QString old = ws.script(MerchantScript);
    QStringList lines = MerchantScript;
    lines[4] = u"\t\t{a#\t"_s + QChar(0xD800) + u"; 10; 0.000000; 0 };"_s;
    lines[5] = u"\t\t{42; 12; 0.000000; 0 };"_s;
    const QString now = ws.script(lines, u"new.obj"_s);

    const CliRun diff = runArgs({u"diff"_s, old, now, u"--catalogue"_s, catalogue()});
    ASSERT_EQ(diff.code, 0) << diff.err.toStdString();
    EXPECT_EQ(diff.out, u"# 杂货商安珀\n"
                        u"npc grocer_amber\n"
                        u"list 0\n"
                        u"remove 41\n"
                        u"tax 42 12\n"
                        u"insert \"a#\\t\\u{D800}\" 10 before 42\n"_s);
    const QString edits = ws.text(diff.out, u"edits.txt"_s);
    const CliRun apply = runArgs({u"apply"_s, old, edits, ws.path(u"out.obj"_s)});
    ASSERT_EQ(apply.code, 0) << apply.err.toStdString();
    const CliRun again = runArgs({u"diff"_s, now, ws.path(u"out.obj"_s)});
    EXPECT_EQ(again.code, 0);
    EXPECT_TRUE(again.out.isEmpty()) << again.out.toStdString();
    EXPECT_EQ(runArgs({u"diff"_s, old}).code, 2);
}
