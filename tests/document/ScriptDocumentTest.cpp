#include "document/ScriptDocument.h"
#include "editor/BatchEdits.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace vw;

namespace {

ShopRecord merchant(const QString& name, const QStringList& list0, const QStringList& list1) {
    ShopRecord record;
    record.className = name;
    record.templateExtraParts = {u"0.000000"_s, u"0"_s};
    record.growTo(static_cast<int>(std::max(list0.size(), list1.size())));
    for (int list = 0; list < 2; ++list) {
        const QStringList& ids = list == 0 ? list0 : list1;
        record.startLine[list] = ids.isEmpty() ? 0 : 10 * (list + 1);
        for (int i = 0; i < ids.size(); ++i)
            record.slot(list, i) = {ids[i], u"10"_s, 10 * (list + 1) + i, {u"x"_s}};
    }
    return record;
}

struct Loaded {
    Loaded() {
        document.load({merchant(u"a"_s, {u"1"_s, u"2"_s, u"3"_s, u"4"_s}, {u"9"_s}),
                       merchant(u"b"_s, {}, {u"1"_s, u"5"_s})},
                      {}, {u"ai.obj"_s, {}});
    }
    std::vector<QString> ids(int record, int list) const {
        std::vector<QString> shown;
        const ShopRecord& r = document.records()[static_cast<size_t>(record)];
        for (int i = 0; i < r.listLength(list); ++i)
            shown.push_back(r.slot(list, i).id);
        return shown;
    }
    ScriptDocument document;
};

using Outcome = ScriptDocument::EditOutcome;

} // namespace

TEST(Document, EveryKindOfStepUndoesAndRedoesBitForBit) {
    Loaded d;
    ScriptDocument& doc = d.document;
    const std::vector<ShopRecord> read = doc.records();
    using Step = std::function<Outcome()>;
    const std::vector<std::pair<const char*, Step>> steps{
        {"insert", [&] { return doc.insertItem(u"7"_s, u" 3 "_s, true); }},
        {"append", [&] { return doc.insertItem(u"8"_s, u"3"_s, false); }},
        {"up", [&] { return doc.moveItems(ScriptDocument::Move::Up); }},
        {"down", [&] { return doc.moveItems(ScriptDocument::Move::Down); }},
        {"top", [&] { return doc.moveItems(ScriptDocument::Move::Top); }},
        {"bottom", [&] { return doc.moveItems(ScriptDocument::Move::Bottom); }},
        {"delete", [&] { return doc.deleteItems(); }},
        {"tax", [&] { return doc.setTaxRate(u"12"_s); }},
    };
    for (const std::vector<int>& picked : {std::vector<int>{2}, std::vector<int>{1, 2}}) {
        for (const auto& [name, step] : steps) {
            SCOPED_TRACE(name);
            doc.selectRecord(0);
            doc.selectSlots(picked, picked.front());
            const std::vector<ShopRecord> before = doc.records();
            const Selection chosen = doc.selection();
            ASSERT_EQ(step(), Outcome::Done);
            const std::vector<ShopRecord> after = doc.records();
            const Selection landed = doc.selection();
            EXPECT_FALSE(doc.isClean());
            doc.history().undo();
            EXPECT_EQ(doc.records(), before);
            EXPECT_EQ(doc.selection(), chosen);
            doc.history().redo();
            EXPECT_EQ(doc.records(), after);
            EXPECT_EQ(doc.selection(), landed);
            doc.history().undo();
            EXPECT_TRUE(doc.isClean());
        }
    }
    EXPECT_EQ(doc.records(), read);
    // Written, then taken back past the write: unwritten again.
    doc.deleteItems();
    doc.markWritten();
    doc.history().undo();
    EXPECT_FALSE(doc.isClean());
}

TEST(Document, OneRowKeepsItsNumberAndABlockStaysSelected) {
    Loaded d;
    ScriptDocument& doc = d.document;
    doc.selectRecord(1);
    EXPECT_EQ(doc.selection(), (Selection{1, 1, {0}, 0}));
    doc.selectRecord(0);
    doc.selectSlots({2}, 2);
    doc.moveItems(ScriptDocument::Move::Up);
    EXPECT_EQ(d.ids(0, 0), (std::vector<QString>{u"1"_s, u"3"_s, u"2"_s, u"4"_s}));
    EXPECT_EQ(doc.selection().current, 2);
    doc.selectSlots({0, 1}, 0);
    doc.moveItems(ScriptDocument::Move::Bottom);
    EXPECT_EQ(d.ids(0, 0), (std::vector<QString>{u"2"_s, u"4"_s, u"1"_s, u"3"_s}));
    EXPECT_EQ(doc.selection().picked, (std::vector<int>{2, 3}));
    // The last row deleted: the current row is the new last one.
    doc.selectSlots({3}, 3);
    doc.deleteItems();
    EXPECT_EQ(doc.selection().current, 2);
    // The other list is never touched.
    EXPECT_EQ(d.ids(0, 1), (std::vector<QString>{u"9"_s}));
}

TEST(Document, RefusedEditsChangeNothing) {
    Loaded d;
    ScriptDocument& doc = d.document;
    EXPECT_EQ(doc.deleteItems(), Outcome::Nothing); // nothing chosen yet
    doc.selectRecord(0);
    EXPECT_EQ(doc.insertItem(u"3"_s, u"1"_s, true), Outcome::Duplicate);
    EXPECT_EQ(doc.insertItem(u"6"_s, u"  "_s, true), Outcome::BadTaxRate);
    EXPECT_EQ(doc.insertItem(u"6"_s, u"5;"_s, true), Outcome::BadTaxRate);
    EXPECT_EQ(doc.setTaxRate(u"10"_s), Outcome::Nothing); // already so
    doc.selectSlots({}, 7);
    EXPECT_EQ(doc.moveItems(ScriptDocument::Move::Up), Outcome::Nothing);
    EXPECT_EQ(doc.history().count(), 0);
    EXPECT_TRUE(doc.touchedRecords().empty());
}

// An import tells the lines it skipped and those that applied otherwise than written; on a
// list that holds an ID twice, what it did is what the edit text of the session says.
TEST(Document, AnImportTellsItsNotesAndItsEditsReadBack) {
    Loaded d;
    ScriptDocument& doc = d.document;
    const ScriptDocument::Imported imported =
        doc.importEdits(u"npc a\nlist 0\ninsert 6 5 before 8\nmove 2 before 8\nremove 7\n"_s);
    EXPECT_EQ(imported.lists, 1);
    EXPECT_EQ(d.ids(0, 0), (std::vector<QString>{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"6"_s}));
    ASSERT_EQ(imported.skipped.size(), 1U);
    EXPECT_EQ(imported.skipped[0].line, 5);
    std::vector<std::pair<int, edits::EditCommand::Kind>> notes;
    for (const edits::EditProblem& note : imported.notes) {
        EXPECT_EQ(note.reason, edits::EditProblem::Reason::AnchorMissing);
        notes.emplace_back(note.line, note.command);
    }
    EXPECT_EQ(notes,
              (std::vector<std::pair<int, edits::EditCommand::Kind>>{
                  {3, edits::EditCommand::Kind::Insert}, {4, edits::EditCommand::Kind::Move}}));

    ScriptDocument damaged;
    damaged.load({merchant(u"m"_s, {u"d"_s, u"d"_s}, {})}, {}, {u"ai.obj"_s, {}});
    damaged.importEdits(u"npc m\nlist 0\nbottom d\nremove d\ntop d\n"_s);
    ASSERT_EQ(damaged.records()[0].listLength(0), 1);
    EXPECT_EQ(damaged.records()[0].slot(0, 0).line, 10);
    EXPECT_EQ(damaged.editsSinceRead(), u"npc m\nlist 0\nremove d\n"_s);
}

TEST(Document, AStepOverManyRecordsIsOneNotificationAndOneUndo) {
    Loaded d;
    ScriptDocument& doc = d.document;
    doc.selectRecord(0);
    std::vector<RecordChange> changes;
    for (int r = 0; r < 2; ++r) {
        const ShopRecord& record = doc.records()[static_cast<size_t>(r)];
        RecordChange change{r, record, record};
        change.after.slot(r == 0 ? 0 : 1, 0).taxRate = u"99"_s;
        change.after.modified = {true, true};
        changes.push_back(change);
    }
    QSignalSpy notes(&doc, &ScriptDocument::changed);
    ASSERT_TRUE(doc.change(changes, {1, 1, {0}, 0}, u"批量"_s));
    ASSERT_EQ(notes.size(), 1);
    const auto note = notes.front().front().value<DocumentChange>();
    EXPECT_EQ(note.records, (std::vector<int>{0, 1}));
    EXPECT_TRUE(note.selection);
    EXPECT_EQ(doc.touchedRecords(), (std::vector<int>{0, 1}));
    EXPECT_EQ(doc.asRead(1), changes[1].before);
    doc.history().undo();
    EXPECT_EQ(doc.records()[1], changes[1].before);
    EXPECT_EQ(doc.selection().record, 0);

    // A new read leaves no history and nothing chosen.
    doc.load({merchant(u"c"_s, {u"1"_s}, {})}, {}, {u"other.obj"_s, {}});
    EXPECT_EQ(doc.history().count(), 0);
    EXPECT_TRUE(doc.isClean());
    EXPECT_EQ(doc.selection(), Selection{});
    EXPECT_TRUE(doc.touchedRecords().empty());
}

TEST(Document, PastesAndDropsFollowTheAddRulesInOneStep) {
    Loaded d;
    ScriptDocument& doc = d.document;
    doc.selectRecord(0);
    doc.selectSlots({1}, 1);
    const ShopRecord before = doc.records()[0];
    const std::vector<ItemSlot> rows{{u"7"_s, u"5"_s, 0, {}},
                                     {u"3"_s, u"5"_s, 0, {}},
                                     {u"8"_s, u"x"_s, 0, {}},
                                     {u"a{b"_s, u"5"_s, 0, {}},
                                     {u"9"_s, u"5"_s, 0, {}}};
    const auto pasted = doc.insertItems(rows, doc.pasteSlot(), u"粘贴"_s);
    EXPECT_EQ(pasted.count, 2);
    std::vector<std::pair<int, edits::InsertRefusal>> refused;
    for (const auto& r : pasted.refused)
        refused.emplace_back(r.index, r.reason);
    EXPECT_EQ(refused, (std::vector<std::pair<int, edits::InsertRefusal>>{
                           {1, edits::InsertRefusal::Duplicate},
                           {2, edits::InsertRefusal::TaxRate},
                           {3, edits::InsertRefusal::InvalidId}}));
    EXPECT_EQ(d.ids(0, 0), (std::vector<QString>{u"1"_s, u"7"_s, u"9"_s, u"2"_s, u"3"_s, u"4"_s}));
    EXPECT_EQ(doc.selection().picked, (std::vector<int>{1, 2}));
    // The pasted rows dropped at the end, then cut: one step each.
    EXPECT_EQ(doc.moveItemsTo(6), ScriptDocument::EditOutcome::Done);
    EXPECT_EQ(d.ids(0, 0), (std::vector<QString>{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"7"_s, u"9"_s}));
    EXPECT_EQ(doc.cutItems(), ScriptDocument::EditOutcome::Done);
    EXPECT_EQ(doc.history().count(), 3);
    EXPECT_EQ(doc.history().undoText(), u"剪切 7 等2项"_s);
    for (int i = 0; i < 3; ++i)
        doc.history().undo();
    EXPECT_EQ(doc.records()[0], before);
}

TEST(Document, BatchEditsOverManyListsUndoAsOne) {
    Loaded d;
    ScriptDocument& doc = d.document;
    const std::vector<ShopRecord> read = doc.records();
    const std::vector<ListRef> sellers{{0, 0}, {1, 1}};
    auto batch = doc.replaceItem(u"1"_s, u"5"_s, sellers);
    EXPECT_EQ(batch.changed, 1); // record 1 already sells item 5 in that list
    EXPECT_EQ(batch.skipped, (std::vector<ListRef>{{1, 1}}));
    EXPECT_EQ(d.ids(0, 0).front(), u"5"_s);
    EXPECT_EQ(doc.records()[0].slot(0, 0).extraParts, QStringList{u"x"_s});
    doc.history().undo();
    batch = doc.setItemTaxRate(u"1"_s, u"7"_s, sellers);
    EXPECT_EQ(batch.changed, 2);
    EXPECT_EQ(doc.setItemTaxRate(u"1"_s, u"-1"_s, sellers).changed, 0);
    batch = doc.removeItem(u"1"_s, sellers);
    EXPECT_EQ(batch.changed, 2);
    EXPECT_EQ(d.ids(1, 1), (std::vector<QString>{u"5"_s}));
    // Added to every record that has the list in the script; record 1 has no list 0 there.
    batch = doc.addToRecords({u"1"_s, u"6"_s}, u"3"_s, {0, 1}, 0);
    EXPECT_EQ(batch.changed, 1);
    EXPECT_EQ(batch.skipped, (std::vector<ListRef>{{1, 0}}));
    EXPECT_EQ(d.ids(0, 0).back(), u"6"_s);
    EXPECT_EQ(doc.history().count(), 3);
    while (doc.history().canUndo())
        doc.history().undo();
    EXPECT_EQ(doc.records(), read);
}

int main(int argc, char** argv) {
    // The history needs no window: a plain application object is enough.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
