#include "editor/EditFile.h"
#include "../support/Printers.h"
#include "../support/SplitMix.h"
#include "editor/BatchEdits.h"
#include "editor/EditSession.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::Literals::StringLiterals;
using vw::ItemSlot;
using vw::ShopRecord;
using vw::edits::EditCommand;
using vw::edits::EditProblem;
using Kind = EditCommand::Kind;
using Reason = EditProblem::Reason;
namespace edits = vw::edits;

namespace {

struct Read {
    std::vector<EditCommand> commands;
    std::vector<EditProblem> problems;
};

Read read(const QString& text) {
    Read r;
    edits::readEditFile(
        text,
        [&](const EditCommand& c) {
            r.commands.push_back(c);
            return true;
        },
        [&](const EditProblem& p) {
            r.problems.push_back(p);
            return true;
        });
    return r;
}

// A record whose lists hold the IDs given, with a place in the script for each.
ShopRecord record(const QString& className, const QStringList& list0,
                  const QStringList& list1 = {}) {
    ShopRecord r;
    r.className = className;
    r.templateExtraParts = {u"0.0"_s};
    for (int list = 0; list < 2; ++list) {
        std::vector<ItemSlot> items;
        for (const QString& id : list == 0 ? list0 : list1)
            items.push_back({id, u"10"_s, 1, {u"0.0"_s}});
        r.startLine[list] = items.empty() ? 0 : 10;
        r.setItems(list, std::move(items));
    }
    return r;
}

QStringList ids(const ShopRecord& r, int list) {
    QStringList result;
    for (int i = 0; i < r.listLength(list); ++i)
        result << r.slot(list, i).id;
    return result;
}

const QString High(QChar(0xD800));
const QString Low(QChar(0xDC00));

// Words that only quoting carries: separators, the comment mark, quotes, escapes, invisible
// and line-breaking characters, halves of surrogate pairs, a pair.
const QStringList Awkward = {
    u"4007"_s,       u"a b"_s,        u"a\tb"_s,    u"#1"_s,       u"\"q"_s,    u"q\"r"_s,
    u"s\\t"_s,       u"4007\u00A0"_s, u"\u3000z"_s, u"x\u2028y"_s, High,        u"z"_s + Low,
    u"\U0001F600"_s, u"a{b"_s,        u"\x01"_s,    u"with"_s,     u"before"_s, u"\u200B"_s,
};

} // namespace

TEST(EditFile, WrittenCommandsReadBackAlike) {
    vw::test::SplitMix rng{7};
    // New IDs and values must fit an item line; named items and classes may be anything.
    QStringList fitting;
    for (const QString& word : Awkward) {
        if (edits::fitsItemLine(word))
            fitting << word;
    }
    std::vector<EditCommand> commands;
    for (int n = 0; n < 400; ++n) {
        EditCommand c;
        c.kind = static_cast<Kind>(rng.below(static_cast<int>(Kind::ReplaceEverywhere) + 1));
        c.line = n + 1;
        switch (c.kind) {
        case Kind::Npc:
        case Kind::Location:
        case Kind::Record:
            c.name = rng.pick(Awkward) + rng.pick({u""_s, u" x"_s, u" \"y"_s, u"\t"_s});
            c.number = c.kind == Kind::Record ? 1 + rng.below(3) : 0;
            break;
        case Kind::List:
            c.number = rng.below(2);
            break;
        case Kind::Add:
        case Kind::Insert:
        case Kind::Tax:
            c.id = c.kind == Kind::Tax ? rng.pick(Awkward) : rng.pick(fitting);
            c.taxRate = rng.pick({u"0"_s, u"12.5"_s});
            if (rng.percent(50))
                c.extraParts = QStringList{rng.pick({u""_s, u"0.000000"_s}), rng.pick(fitting)};
            if (c.kind == Kind::Insert)
                c.other = rng.pick(Awkward) + u'2';
            break;
        case Kind::Move:
        case Kind::Replace:
        case Kind::ReplaceEverywhere:
            c.id = rng.pick(Awkward);
            c.other = rng.pick(fitting) + u'2';
            break;
        default:
            c.id = rng.pick(Awkward);
        }
        commands.push_back(c);
    }
    commands.front().comment = u"杂货商人\n泰莎\u202E"_s + High;
    const QString text = edits::writeEditFile(commands);
    EXPECT_TRUE(text.startsWith(u"# 杂货商人\\u{A}泰莎\\u{202E}\\u{D800}\n"_s));
    commands.front().comment.clear();
    for (EditCommand& c : commands)
        c.line = static_cast<int>(&c - commands.data()) + 2; // after the comment line
    const Read back = read(text);
    EXPECT_TRUE(back.problems.empty());
    ASSERT_EQ(back.commands.size(), commands.size());
    for (size_t i = 0; i < commands.size(); ++i)
        EXPECT_EQ(back.commands[i], commands[i]) << edits::editLine(commands[i]).toStdString();
    // Plain words stay plain; quoting only where the word needs it.
    EXPECT_EQ(edits::editWord(u"4007"_s), u"4007"_s);
    EXPECT_EQ(edits::editWord(u"4007\u00A0"_s + High + u"\t\""_s),
              u"\"4007\\u{A0}\\u{D800}\\t\\\"\""_s);
}

TEST(EditFile, LinesThatAreNoCommandTellWhy) {
    struct Case {
        QString line;
        Reason reason;
    };
    const QList<Case> cases = {
        {u"list 2"_s, Reason::BadListNumber},
        {u"list"_s, Reason::WrongForm},
        {u"add 7"_s, Reason::WrongForm},
        {u"add 7 10 11"_s, Reason::WrongForm},
        {u"insert 7 10 after 9"_s, Reason::WrongForm},
        {u"move 7 to 9"_s, Reason::WrongForm},
        {u"npc"_s, Reason::WrongForm},
        {u"npc a \"b\""_s, Reason::WrongForm},
        {u"record 0 a"_s, Reason::BadRecordNumber},
        {u"Add 7 10"_s, Reason::UnknownCommand},
        {u"\"add\" 7 10"_s, Reason::UnknownCommand},
        {u"add 7 1}0"_s, Reason::BadTaxRate},
        {u"add 7 \"\""_s, Reason::BadTaxRate},
        {u"add 7;1 10"_s, Reason::IdBreaksLine},
        {u"add \"7\\u{2028}\" 10"_s, Reason::IdBreaksLine},
        {u"add \" \" 10"_s, Reason::IdBreaksLine},
        {u"add 7 10 with a;b"_s, Reason::ExtraBreaksLine},
        {u"replace 7 \"\\u{85}\""_s, Reason::IdBreaksLine},
        {u"move 7 before 7"_s, Reason::SameItem},
        {u"insert 7 5 before 7"_s, Reason::SameItem},
        {u"remove \"7"_s, Reason::UnclosedQuote},
        {u"remove \"7\"x"_s, Reason::TextAfterQuote},
        {u"remove \"\\n\""_s, Reason::BadEscape},
        {u"remove \"\\u{110000}\""_s, Reason::BadEscape},
    };
    for (const Case& c : cases) {
        const Read r = read(u"# first\n"_s + c.line + u"\n"_s);
        ASSERT_EQ(r.problems.size(), 1U) << c.line.toStdString();
        EXPECT_EQ(r.problems[0].reason, c.reason) << c.line.toStdString();
        EXPECT_EQ(r.problems[0].line, 2) << c.line.toStdString();
    }
    // A comment, quotes and a byte-order mark are the file's; the rest of "npc" is the name.
    const Read r = read(u"\uFEFF  npc  odd name\t # comment\r\nremove \"#1\"# comment\n"_s);
    ASSERT_EQ(r.commands.size(), 2U);
    EXPECT_EQ(r.commands[0].name, u"odd name\t"_s);
    EXPECT_EQ(r.commands[1].id, u"#1"_s);
}

// Edit files once trimmed every Unicode space and could not name IDs with separators in them,
// so the wrong item was edited or none could be.
TEST(EditFile, NamesAreExactAndEveryIdCanBeNamed) {
    std::vector<ShopRecord> records = {
        record(u"m"_s, {u"4007"_s, u"4007\u00A0"_s, u"a b"_s, u"a\tb"_s, u"a#b"_s, u"a{b"_s,
                        High + u"x"_s}),
        record(u"m\u3000"_s, {u"1"_s}),
    };
    const edits::EditRun run = edits::applyEditFile(
        u"npc m\u3000\nlist 0\nremove 1\n"
        u"npc m\nremove 4007\u00A0\nremove \"a b\"\nremove \"a\\tb\"\nremove \"a#b\"\n"
        u"remove a{b\nremove \"\\u{D800}x\"\n"
        u"add \"x\\u{2028}\" 5\nadd y \"5\\u{2029}\"\nadd \"  z  \" \" 5 \"\n"_s,
        records, edits::OnProblem::KeepGoing);
    EXPECT_EQ(ids(records[0], 0), (QStringList{u"4007"_s, u"z"_s}));
    EXPECT_EQ(records[0].slot(0, 1).taxRate, u"5"_s);
    EXPECT_EQ(ids(records[1], 0), QStringList{});
    ASSERT_EQ(run.skipped.size(), 2U);
    EXPECT_EQ(run.skipped[0].reason, Reason::IdBreaksLine);
    EXPECT_EQ(run.skipped[1].reason, Reason::BadTaxRate);
}

TEST(EditSession, EachListAppliesOnItsOwnAndAFailedSelectionSelectsNothing) {
    std::vector<ShopRecord> records = {
        record(u"m"_s, {u"1"_s, u"2"_s, u"3"_s}, {u"9"_s}),
        record(u"m"_s, {u"2"_s, u"4"_s}),
        record(u"n"_s, {u"1"_s, u"5"_s}, {u"5"_s}),
    };
    const edits::EditRun run = edits::applyEditFile(
        u"npc m\nlist 0\nremove 1\n" // only the first record has it
        u"record 2 m\ninsert 6 5 before 4\ninsert 7 5 before 1\nmove 2 before 9\n"
        u"tax 6 7 with\nreplace 6 4\nreplace 6 8\n"
        u"record 3 m\nremove 2\n" // no third record: nothing selected
        u"npc n\nlist 1\nup 5\ntop 5\n"
        u"replace-everywhere 5 4\nreplace-everywhere 4 2\nremove-everywhere \"\"\n"_s,
        records, edits::OnProblem::KeepGoing);
    EXPECT_EQ(ids(records[0], 0), (QStringList{u"2"_s, u"3"_s}));
    EXPECT_EQ(ids(records[1], 0), (QStringList{u"2"_s, u"8"_s, u"4"_s, u"7"_s}));
    EXPECT_EQ(records[1].slot(0, 1).taxRate, u"7"_s);
    EXPECT_TRUE(records[1].slot(0, 1).extraParts.isEmpty());
    EXPECT_EQ(ids(records[2], 0), (QStringList{u"1"_s, u"2"_s}));
    EXPECT_EQ(ids(records[2], 1), QStringList{u"2"_s});
    EXPECT_TRUE(records[2].modified[1] && !records[0].modified[1]);

    std::vector<std::pair<int, Reason>> skipped;
    for (const EditProblem& p : run.skipped)
        skipped.emplace_back(p.line, p.reason);
    EXPECT_EQ(skipped, (std::vector<std::pair<int, Reason>>{{3, Reason::NotInList},
                                                            {9, Reason::AlreadyInList},
                                                            {11, Reason::NoSuchRecord},
                                                            {12, Reason::NoNpcSelected},
                                                            {19, Reason::NowhereInScript}}));
    std::vector<std::pair<int, Reason>> notes;
    for (const EditProblem& p : run.notes)
        notes.emplace_back(p.line, p.reason);
    EXPECT_EQ(notes, (std::vector<std::pair<int, Reason>>{{6, Reason::AnchorMissing},
                                                          {7, Reason::AnchorMissing},
                                                          {18, Reason::ReplacementPresent}}));
    // Stopping at the first problem leaves the lines after it alone.
    std::vector<ShopRecord> stopped = {record(u"m"_s, {u"1"_s})};
    const edits::EditRun first = edits::applyEditFile(u"npc m\nlist 0\nremove 2\nremove 1\n"_s,
                                                      stopped, edits::OnProblem::Stop);
    EXPECT_EQ(first.skipped.size(), 1U);
    EXPECT_EQ(ids(stopped[0], 0), QStringList{u"1"_s});
}

// A damaged list holds an ID twice: whatever came before, each command takes the first, and
// what the session reports is what it did.
TEST(EditSession, ARepeatedIdIsTakenFirstWhateverCameBefore) {
    const auto run = [](const QString& commands) {
        std::vector<ShopRecord> records = {record(u"m"_s, {u"d"_s, u"d"_s, u"e"_s})};
        records[0].slot(0, 1).taxRate = u"2"_s;
        const edits::EditRun result = edits::applyEditFile(u"npc m\nlist 0\n"_s + commands, records,
                                                           edits::OnProblem::KeepGoing);
        EXPECT_TRUE(result.skipped.empty());
        QStringList items;
        for (int i = 0; i < records[0].listLength(0); ++i)
            items << records[0].slot(0, i).id + u':' + records[0].slot(0, i).taxRate;
        const edits::ListChange& change = result.changes.at({0, 0});
        return std::tuple{items, change.added, change.removed, change.moved};
    };
    EXPECT_EQ(run(u"bottom d\nremove d\ntop d\n"_s),
              std::tuple(QStringList{u"d:10"_s, u"e:10"_s}, QStringList{}, QStringList{u"d"_s}, 2));
    EXPECT_EQ(run(u"bottom d\nremove d\nadd z 5\nremove d\n"_s),
              std::tuple(QStringList{u"e:10"_s, u"z:5"_s}, QStringList{u"z"_s},
                         QStringList{u"d"_s, u"d"_s}, 1));
    // A move to where the item already stands changes no order and counts as none.
    EXPECT_EQ(run(u"replace d x\nmove x before d\ntax d 3\n"_s),
              std::tuple(QStringList{u"x:10"_s, u"d:3"_s, u"e:10"_s}, QStringList{u"x"_s},
                         QStringList{u"d"_s}, 0));
}

TEST(BatchEdits, InsertsManyInOnePassAndTellsEachRefusal) {
    ShopRecord r = record(u"m"_s, {u"1"_s, u"2"_s}, {u"a"_s, u"b"_s, u"c"_s, u"d"_s});
    const std::vector<ItemSlot> items = {
        {u"3"_s, u"5"_s, {}, {}}, {u"1"_s, u"5"_s, {}, {}}, {u"3"_s, u"5"_s, {}, {}},
        {u" "_s, u"5"_s, {}, {}}, {u"4"_s, u""_s, {}, {}},  {u"5"_s, u"5"_s, {}, {}},
    };
    const edits::InsertResult result = edits::insertItems(r, 0, 1, items);
    EXPECT_EQ(ids(r, 0), (QStringList{u"1"_s, u"3"_s, u"5"_s, u"2"_s}));
    EXPECT_EQ(ids(r, 1).size(), 4);
    EXPECT_EQ(result.first, 1);
    EXPECT_EQ(result.count, 2);
    ASSERT_EQ(result.refused.size(), 4U);
    EXPECT_EQ(result.refused[0].reason, edits::InsertRefusal::Duplicate);
    EXPECT_EQ(result.refused[1].index, 2);
    EXPECT_EQ(result.refused[2].reason, edits::InsertRefusal::InvalidId);
    EXPECT_EQ(result.refused[3].taxRate, edits::TaxRateProblem::Empty);
    EXPECT_EQ(edits::replaceItem(r, 0, 1, u"2"_s), edits::ReplaceResult::AlreadyInList);
    EXPECT_EQ(edits::replaceItem(r, 0, 1, u"6"_s), edits::ReplaceResult::Replaced);
    EXPECT_EQ(edits::findItem(r, 0, u"6"), 1);
}
