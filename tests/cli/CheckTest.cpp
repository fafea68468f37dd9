#include "CliTestSupport.h"

#include <gtest/gtest.h>

using namespace vw::cli::test;

namespace {

// One finding of each kind, at the line given in the comment.
const QStringList FaultyScript = {
    u"class grocer_amber : merchant"_s, //  1
    u"property_define_begin"_s,         //  2
    u"\tbuyselllist_begin SellList0"_s, //  3
    u"\t\t{44; 10; 0.000000; 0 };"_s,   //  4 no ITEMNAME_E2C row
    u"\t\t{40; 10; 0.000000; 0 };"_s,   //  5
    u"\t\t{40; 12; 0.000000; 0 };"_s,   //  6 repeats line 5
    u"\t\t{41; 10; 0.000000; 0"_s,      //  7 no "}"
    u"\t\t{ ; 10; 0.000000; 0 };"_s,    //  8 empty ID
    u"\tbuyselllist_end"_s,             //  9
    u"\t{ not in a list"_s,             // 10 outside a list: no finding
    u"property_define_end"_s,           // 11
    u"class_end"_s,                     // 12
    u"class guard_hal : guard"_s,       // 13 the town table spells it Guard_Hal
    u"property_define_begin"_s,         // 14
    u"\tBUYSELLLIST_BEGIN selllist1"_s, // 15
    u"\t\t{1; 10; 0.000000; 0 };"_s,    // 16 never closed
    u"property_define_end"_s,           // 17
    u"class_end"_s,                     // 18
    u"class armorer_cade : merchant"_s, // 19
    u"property_define_begin"_s,         // 20
    u"\tbuyselllist_begin SellList0"_s, // 21
    u"\t\t{20; -5; 0.000000; 0 };"_s,   // 22 no number
    u"\tbuyselllist_end"_s,             // 23
    u"\tbuyselllist_begin SellList0"_s, // 24 opened again
    u"\t\t{21; 10; 0.000000; 0 };"_s,   // 25
    u"\tbuyselllist_end"_s,             // 26
    u"property_define_end"_s,           // 27
    u"class_end"_s,                     // 28
};

} // namespace

TEST(CliCheck, FindsEachKindOfFaultAtItsLine) {
    Workspace ws;
    const CliRun run =
        runArgs({u"check"_s, ws.script(FaultyScript), u"--catalogue"_s, catalogue()});
    EXPECT_EQ(run.code, 1) << run.err.toStdString();
    const QStringList expected = {
        u"4: grocer_amber SellList0: item 44 has no ITEMNAME_E2C row"_s,
        u"6: grocer_amber SellList0: item 40 repeats the item of line 5"_s,
        u"7: grocer_amber SellList0: malformed item line: no \"}\" after the \"{\""_s,
        u"8: grocer_amber SellList0: malformed item line: empty item ID"_s,
        u"13: guard_hal: placed in no town (no 城镇NPC表 row names it exactly)"_s,
        u"16: guard_hal SellList1: the list has no buyselllist_end"_s,
        u"22: armorer_cade SellList0: item 20: tax rate is not a number: \"-5\""_s,
        u"24: armorer_cade SellList0: the list is opened a second time in the class"_s,
    };
    EXPECT_EQ(run.out.split(u'\n', Qt::SkipEmptyParts), expected);
}

TEST(CliCheck, CleanScriptExitsZeroWithNoOutput) {
    Workspace ws;
    const CliRun run =
        runArgs({u"check"_s, ws.script(MerchantScript), u"--catalogue"_s, catalogue()});
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
}

TEST(CliCheck, ClassPlacedInNoTownIsNamedAtItsHeader) {
    Workspace ws;
    QStringList lines = MerchantScript;
    lines[13] = u"class priest_nola : citizen"_s;
    const CliRun run = runArgs({u"check"_s, ws.script(lines), u"--catalogue"_s, catalogue()});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out,
              u"14: priest_nola: placed in no town (no 城镇NPC表 row names it exactly)\n"_s);
}

TEST(CliCheck, FollowsTheReaderPastAnEndInsideBraces) {
    Workspace ws;
    QStringList lines = MerchantScript;
    // The item that holds the end keyword closes the list; the lines after it are outside it.
    lines[5] = u"\t\t{42; 10; buyselllist_end }"_s;
    lines[6] = u"\t\t{ ; 10; 0.000000; 0 };"_s;
    const CliRun run = runArgs({u"check"_s, ws.script(lines), u"--catalogue"_s, catalogue()});
    EXPECT_EQ(run.code, 0) << run.out.toStdString();
}

TEST(CliWhere, ListsEverySaleOfTheItemWithNamesAndPlaces) {
    Workspace ws;
    QStringList lines = MerchantScript;
    lines[13] = u"class priest_nola : citizen"_s; // placed in no town
    const QString script = ws.script(lines);
    // Item 2 in both lists of one record and in another record.
    CliRun run = runArgs({u"where"_s, script, u"2"_s, u"--catalogue"_s, catalogue()});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(
        run.out.split(u'\n', Qt::SkipEmptyParts),
        QStringList({u"grocer_amber 杂货商安珀 SellList1 row 2 line 10 tax 15, at 白石镇, 灰港"_s,
                     u"priest_nola 祭司诺拉 SellList0 row 1 line 17 tax 10, placed in no town"_s}));

    run = runArgs({u"where"_s, script, u"2"_s, u"--json"_s});
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.out.contains(
        u"{\"className\":\"grocer_amber\",\"chineseName\":null,\"list\":\"SellList1\",\"row\":2,"
        u"\"line\":10,\"taxRate\":\"15\",\"locations\":null}"_s))
        << run.out.toStdString();

    run = runArgs({u"where"_s, script, u"2 "_s});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(runArgs({u"where"_s, script}).code, 2);
}
