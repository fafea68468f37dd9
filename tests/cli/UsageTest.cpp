#include "CliTestSupport.h"

#include <gtest/gtest.h>

using namespace vw::cli::test;

TEST(CliUsage, UsageErrorsAndHelp) {
    Workspace ws;
    const QString script = ws.script(MerchantScript);
    const QList<QStringList> usage = {
        {},
        {u"frobnicate"_s},
        {u"dump"_s},
        {u"dump"_s, script, script},
        {u"dump"_s, script, u"--bogus"_s},
        {u"dump"_s, script, u"--catalogue"_s},
        {u"check"_s, script},
        {u"check"_s, script, u"--json"_s, u"--catalogue"_s, catalogue()},
        {u"apply"_s, script, script},
        {u"diff"_s, script, script, u"--keep-going"_s},
        {u"stats"_s, script},
    };
    for (const QStringList& args : usage) {
        const CliRun run = runArgs(args);
        EXPECT_EQ(run.code, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_FALSE(run.err.isEmpty());
    }
    for (const QString& command : {u"dump"_s, u"check"_s, u"apply"_s, u"diff"_s, u"stats"_s}) {
        const CliRun run = runArgs({command, u"--help"_s});
        EXPECT_EQ(run.code, 0);
        EXPECT_TRUE(run.out.startsWith(u"usage: vendwright-cli "_s + command));
    }
    EXPECT_EQ(runArgs({u"--help"_s}).code, 0);
    const CliRun version = runArgs({u"--version"_s});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, u"vendwright-cli "_s + QStringLiteral(VW_PROJECT_VERSION) + u'\n');
}
