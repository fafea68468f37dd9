#include "EditFile.h"
#include "../support/Devices.h"
#include "CliError.h"
#include "Inputs.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::Literals::StringLiterals;
using vw::cli::EditCommand;
using vw::cli::EditError;
using Kind = EditCommand::Kind;

namespace {

std::vector<EditCommand> parseEditFile(const QString& text) {
    std::vector<EditCommand> commands;
    vw::cli::parseEditFile(text, [&](const EditCommand& command) { commands.push_back(command); });
    return commands;
}

} // namespace

TEST(CliEditFile, ReadsCommandsBetweenCommentsAndBlankLines) {
    const auto commands = parseEditFile(u"\uFEFF# edits\r\n"
                                        u"\r\n"
                                        u"  npc   odd name  # spaces belong to the name\r\n"
                                        u"list\t1\n"
                                        u"insert 7 1.5 before 9 # comment\n"
                                        u"remove-everywhere 7"_s);
    ASSERT_EQ(commands.size(), 4U);
    EXPECT_EQ(commands[0].kind, Kind::Npc);
    EXPECT_EQ(commands[0].name, u"odd name"_s);
    EXPECT_EQ(commands[0].line, 3);
    EXPECT_EQ(commands[1].list, 1);
    EXPECT_EQ(commands[2].kind, Kind::Insert);
    EXPECT_EQ(commands[2].id, u"7"_s);
    EXPECT_EQ(commands[2].taxRate, u"1.5"_s);
    EXPECT_EQ(commands[2].anchor, u"9"_s);
    EXPECT_EQ(commands[3].kind, Kind::RemoveEverywhere);
    EXPECT_EQ(commands[3].line, 6);
}

TEST(CliEditFile, RefusesMalformedLinesWithTheirLineNumber) {
    const QStringList bad = {
        u"list 2"_s,     u"list"_s,     u"add 7"_s,   u"add 7 10 11"_s, u"insert 7 10 after 9"_s,
        u"remove"_s,     u"npc"_s,      u"top 7 8"_s, u"add 7 1}0"_s,   u"add 7;1 10"_s,
        u"add 7 1\r0"_s, u"Add 7 10"_s,
    };
    for (const QString& line : bad) {
        try {
            parseEditFile(u"# first\n"_s + line + u"\n"_s);
            ADD_FAILURE() << "accepted: " << line.toStdString();
        } catch (const EditError& error) {
            EXPECT_EQ(error.line, 2) << line.toStdString();
        }
    }
}

TEST(CliEditFile, AReadErrorIsAnInputErrorNotAShorterFile) {
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
