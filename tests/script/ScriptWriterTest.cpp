#include "script/ScriptWriter.h"
#include "../support/Devices.h"
#include "../support/Printers.h"
#include "../support/TestFiles.h"
#include "editor/ListEdits.h"
#include "script/ScriptReader.h"

#include <QBuffer>
#include <QtEndian>

#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using vw::ListRef;
using vw::ShopRecord;
using vw::test::utf16;
using Status = vw::ScriptWriteResult::Status;
namespace edits = vw::edits;

namespace vw {
[[maybe_unused]] static void PrintTo(const ListRef& ref, std::ostream* os) {
    *os << "{record " << ref.record << ", list " << ref.list << '}';
}
} // namespace vw

namespace {

// Every line terminated, as the writer terminates them.
QByteArray script(const QStringList& lines, const QString& eol = u"\r\n"_s, bool bom = true) {
    return utf16(lines.join(eol) + eol, bom);
}

std::vector<ShopRecord> readRecords(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return vw::readScript(buffer).records;
}

struct Written {
    vw::ScriptWriteResult result;
    QByteArray bytes;
    std::vector<int> progress;
};

Written write(QByteArray source, const std::vector<ShopRecord>& records,
              const vw::ScriptWriteOptions& options = {}) {
    Written written;
    QBuffer in(&source);
    in.open(QIODevice::ReadOnly);
    QBuffer out(&written.bytes);
    out.open(QIODevice::WriteOnly);
    written.result = vw::writeScript(
        in, out, records, [&written](int n) { written.progress.push_back(n); }, options);
    return written;
}

// The lines of the writer's output; fails the test unless it has the mark and CR LF endings.
QStringList outputLines(const QByteArray& bytes) {
    EXPECT_TRUE(bytes.startsWith("\xFF\xFE"));
    const QString text =
        QString(reinterpret_cast<const QChar*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    EXPECT_TRUE(text.isEmpty() || text.endsWith(u"\r\n"_s));
    QStringList lines = text.split(u"\r\n"_s);
    lines.removeLast();
    for (const QString& line : std::as_const(lines))
        EXPECT_FALSE(line.contains(u'\n')) << line.toStdString();
    return lines;
}

// Lines written as one text, separated by '|'.
QStringList textLines(const QString& text) {
    return text.split(u'|');
}

QStringList replaced(QStringList lines, int first, int count, const QStringList& with) {
    lines.remove(first, count);
    for (qsizetype i = 0; i < with.size(); ++i)
        lines.insert(first + i, with[i]);
    return lines;
}

// Two merchants with odd lines in and between them; alpha's items carry two extra parts.
QStringList sample() {
    return textLines(
        u"// header } { not a class|class alpha : merchant|parameter_define_begin|" // 0-2
        u"\tint\tMoveAroundSocial = 0|parameter_define_end|property_define_begin|"
        u"\tbuyselllist_begin\tSellList0|\t\t{1201; 10; 0.000000; 0 };|" // 6-7
        u"\t\t{1202; 20; 0.500000; 1 };|\t\t{1203; 30; 0.000000; 2 };|"
        u"\tbuyselllist_end|\t} stray { brace\t |\tbuyselllist_begin\tSellList1|" // 10-12
        u"\t\t{2201; 5; 0.000000; 0 };|\t\t{2202; 6; 0.000000; 0 };|"
        u"\tbuyselllist_end|property_define_end|class_end|" // 15-17
        u"  \t{9999; 1}  outside any class|class beta : merchant|"
        u"property_define_begin|buyselllist_begin SellList0|{3001; 1; x}|" // 20-22
        u"buyselllist_end|property_define_end|class_end|\u00e4\u00f6 \u2603 ; {"_s);
}

} // namespace

TEST(WriterCopy, UneditedScriptIsCopiedLineForLine) {
    const QStringList lines = sample();
    const QByteArray source = script(lines);
    const std::vector<ShopRecord> records = readRecords(source);
    ASSERT_EQ(records.size(), 2u);

    const Written same = write(source, records);
    EXPECT_EQ(same.result.status, Status::Ok);
    EXPECT_EQ(same.result.listsWritten, 0);
    EXPECT_TRUE(same.result.leftUnchanged.empty());
    EXPECT_TRUE(same.progress.empty());
    EXPECT_EQ(same.bytes, source);

    // Other line ends and a missing mark come out as the mark and CR LF.
    EXPECT_EQ(write(script(lines, u"\n"_s), records).bytes, source);
    EXPECT_EQ(write(script(lines, u"\r\n"_s, false), records).bytes, source);
    EXPECT_EQ(write(utf16(lines.join(u"\n"_s), false), records).bytes, source);
    EXPECT_EQ(write(QByteArray(), {}).bytes, QByteArray("\xFF\xFE"));
}

TEST(WriterReplace, ModifiedListsAreRewrittenInPlace) {
    const QStringList lines = sample();
    const QByteArray source = script(lines, u"\n"_s);
    std::vector<ShopRecord> records = readRecords(source);
    ASSERT_EQ(records.size(), 2u);
    ShopRecord& alpha = records[0];
    ASSERT_EQ(alpha.lineSuffix, u"};"_s);
    ASSERT_TRUE(edits::moveUp(alpha, 0, 2));
    ASSERT_TRUE(edits::appendItem(alpha, 1, edits::newItem(alpha, u"2203"_s, u"7"_s)));
    const std::vector<ShopRecord> before = records;

    const Written first = write(source, records);
    EXPECT_EQ(first.result.status, Status::Ok);
    EXPECT_EQ(first.result.listsWritten, 2);
    EXPECT_TRUE(first.result.leftUnchanged.empty());
    EXPECT_EQ(first.progress, (std::vector<int>{1, 2}));
    // The space before the closing brace belongs to no part and is not written back.
    QStringList expected =
        replaced(lines, 13, 2,
                 {u"\t\t{2201; 5; 0.000000; 0};"_s, u"\t\t{2202; 6; 0.000000; 0};"_s,
                  u"\t\t{2203; 7; 0.000000; 0};"_s});
    expected = replaced(expected, 7, 3,
                        {u"\t\t{1201; 10; 0.000000; 0};"_s, u"\t\t{1203; 30; 0.000000; 2};"_s,
                         u"\t\t{1202; 20; 0.500000; 1};"_s});
    EXPECT_EQ(outputLines(first.bytes), expected);

    EXPECT_EQ(records, before);
    const Written second = write(source, records);
    EXPECT_EQ(second.bytes, first.bytes);
    EXPECT_EQ(second.result.listsWritten, 2);
}

TEST(WriterReplace, EmptiedListsAndListsInReverseOrder) {
    const QStringList lines = textLines(
        u"class gamma : merchant|property_define_begin|buyselllist_begin SellList1|" // 0-2
        u"\t{71; 1}|\t{72; 2}|buyselllist_end|buyselllist_begin SellList0|"
        u"\t{1; 1}|\t{2; 2}|\t{3; 3}|buyselllist_end|" // 7-10
        u"property_define_end|class_end"_s);
    const QByteArray source = script(lines);
    std::vector<ShopRecord> records = readRecords(source);
    ASSERT_EQ(records.size(), 1u);
    ASSERT_TRUE(edits::moveToBottom(records[0], 1, 0));
    ASSERT_TRUE(edits::deleteItem(records[0], 0, 1));

    const Written both = write(source, records);
    EXPECT_EQ(both.result.status, Status::Ok);
    EXPECT_EQ(both.result.listsWritten, 2);
    QStringList expected = replaced(lines, 7, 3, {u"\t{1; 1}"_s, u"\t{3; 3}"_s});
    expected = replaced(expected, 3, 2, {u"\t{72; 2}"_s, u"\t{71; 1}"_s});
    EXPECT_EQ(outputLines(both.bytes), expected);

    // Every item of list 1 deleted: its begin line is followed by its end line.
    ASSERT_TRUE(edits::deleteItem(records[0], 1, 0));
    ASSERT_TRUE(edits::deleteItem(records[0], 1, 0));
    ASSERT_FALSE(records[0].listExists(1));
    const Written emptied = write(source, records);
    EXPECT_EQ(emptied.result.listsWritten, 2);
    EXPECT_EQ(outputLines(emptied.bytes), replaced(expected, 3, 2, {}));
}

TEST(WriterKeepLines, UnchangedItemsKeepTheirLinesWhereverTheyStand) {
    // Item lines of every spacing, one with a comment and a CR of its own before the CR LF.
    const QStringList lines = textLines(
        u"class delta : merchant|property_define_begin|buyselllist_begin SellList0|"  // 0-2
        u"\t{10; 5; 0};|\t{11; 5; 0 }; // first\r|  {12;5;0}|\t{ ; 5}|\t{13; 5; 0};|" // 3-7
        u"\t{14; 5; 0};  |buyselllist_end|buyselllist_begin SellList1|\t{ 21 ;1;0 }|" // 8-11
        u"buyselllist_end|property_define_end|class_end"_s);
    const QByteArray source = script(lines);
    std::vector<ShopRecord> records = readRecords(source);
    ASSERT_EQ(records.size(), 1u);
    ShopRecord& delta = records[0];
    ASSERT_EQ(delta.listLength(0), 5);
    ASSERT_TRUE(edits::deleteItem(delta, 0, 0));
    ASSERT_EQ(edits::moveItemsToTop(delta, 0, std::vector<int>{3}), std::vector<int>{0});
    ASSERT_TRUE(edits::setTaxRate(delta, 0, std::vector<int>{2}, u"6"_s));
    delta.slot(0, 3).id = u"15"_s; // a replaced item keeps the line it was read from
    ASSERT_TRUE(edits::appendItem(delta, 0, edits::newItem(delta, u"16"_s, u"7"_s)));
    // An item carried over with its line from the other list holds that line's item, but the
    // line stands in another block.
    ASSERT_TRUE(edits::appendItem(delta, 0, delta.slot(1, 0)));

    const QStringList block{u"\t{14; 5; 0};  "_s, u"\t{11; 5; 0 }; // first\r"_s,
                            u"\t{12; 6; 0};"_s,   u"\t{15; 5; 0};"_s,
                            u"\t{16; 7; 0};"_s,   u"\t{21; 1; 0};"_s};
    const Written kept = write(source, records, {.keepItemLines = true});
    EXPECT_EQ(kept.result.status, Status::Ok);
    EXPECT_EQ(kept.result.listsWritten, 1);
    EXPECT_EQ(outputLines(kept.bytes), replaced(lines, 3, 6, block));
    // With LF line ends that CR is the line end: the line as read ends before it.
    QStringList fromLf = block;
    fromLf[1].chop(1);
    EXPECT_EQ(outputLines(write(script(lines, u"\n"_s), records, {.keepItemLines = true}).bytes),
              replaced(lines, 3, 6, fromLf));
    // Without the option every line is written from the template.
    QStringList plain = block;
    plain[0] = u"\t{14; 5; 0};"_s;
    plain[1] = u"\t{11; 5; 0};"_s;
    EXPECT_EQ(outputLines(write(source, records).bytes), replaced(lines, 3, 6, plain));
}

TEST(WriterDamage, UnclosedAndOverlappingListsAreLeftAsTheyStand) {
    const QStringList unclosed =
        textLines(u"class broken : merchant|property_define_begin|buyselllist_begin SellList0|"
                  u"{1; 1}|{2; 1}|property_define_end|class_end|"                             // 3-6
                  u"class fine : merchant|property_define_begin|buyselllist_begin SellList0|" // 7-9
                  u"{5; 1}|{6; 1}|buyselllist_end|property_define_end|class_end|" // 10-14
                  u"class tail : merchant|property_define_begin|buyselllist_begin SellList1|"
                  u"{8; 1}|{9; 1}"_s);
    // Without the last line ending too: the writer must not run past the end.
    for (const QByteArray& source : {script(unclosed), utf16(unclosed.join(u"\r\n"_s), true)}) {
        std::vector<ShopRecord> records = readRecords(source);
        ASSERT_EQ(records.size(), 3u);
        EXPECT_EQ(records[0].endLine[0], 0);
        EXPECT_EQ(records[2].endLine[1], 0);
        for (auto [record, list] : {std::pair{0, 0}, {1, 0}, {2, 1}})
            ASSERT_TRUE(edits::moveDown(records[static_cast<size_t>(record)], list, 0));
        const Written written = write(source, records);
        EXPECT_EQ(written.result.status, Status::Ok);
        EXPECT_EQ(written.result.listsWritten, 1);
        EXPECT_EQ(written.result.leftUnchanged, (std::vector<ListRef>{{0, 0}, {2, 1}}));
        EXPECT_EQ(outputLines(written.bytes),
                  replaced(unclosed, 10, 2, {u"{6; 1}"_s, u"{5; 1}"_s}));
    }

    // SellList0 opened twice around SellList1: only the first block is read, and with no
    // whole block of its own list 0 is left as it stands.
    const QStringList repeated =
        textLines(u"class twice : merchant|property_define_begin|"
                  u"buyselllist_begin SellList0|{1; 1}|buyselllist_end|"        // 2-4
                  u"buyselllist_begin SellList1|{7; 1}|{8; 1}|buyselllist_end|" // 5-8
                  u"buyselllist_begin SellList0|{2; 1}|{3; 1}|buyselllist_end|" // 9-12
                  u"property_define_end|class_end"_s);
    const QByteArray source = script(repeated);
    std::vector<ShopRecord> records = readRecords(source);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].listLength(0), 1);
    EXPECT_EQ(records[0].endLine[0], 0);
    ASSERT_TRUE(edits::moveToTop(records[0], 0, 0));
    ASSERT_TRUE(edits::moveDown(records[0], 1, 0));
    const Written written = write(source, records);
    EXPECT_EQ(written.result.status, Status::Ok);
    EXPECT_EQ(written.result.listsWritten, 1);
    EXPECT_EQ(written.result.leftUnchanged, (std::vector<ListRef>{{0, 0}}));
    EXPECT_EQ(outputLines(written.bytes), replaced(repeated, 6, 2, {u"{8; 1}"_s, u"{7; 1}"_s}));

    // SellList0 opened twice in a row: no line between the blocks may be lost.
    QStringList twice = repeated.first(5);
    twice << repeated.sliced(9);
    const QByteArray twiceSource = script(twice);
    records = readRecords(twiceSource);
    ASSERT_EQ(records.size(), 1u);
    ASSERT_TRUE(edits::moveToTop(records[0], 0, 0));
    const Written again = write(twiceSource, records);
    EXPECT_EQ(again.result.leftUnchanged, (std::vector<ListRef>{{0, 0}}));
    EXPECT_EQ(outputLines(again.bytes), twice);
}

TEST(WriterDamage, AnItemOnTheOpeningLineKeepsItsRecordAsItStands) {
    // The item on the opening line is read, but replacing the list would drop that line, and
    // as the record's template it would open a second list on every line written with it.
    const QStringList lines =
        textLines(u"class early : merchant|property_define_begin|"
                  u"buyselllist_begin SellList0 {1; 1}|{2; 1}|buyselllist_end|"
                  u"buyselllist_begin SellList1|{3; 1}|{4; 1}|buyselllist_end|"
                  u"property_define_end|class_end"_s);
    const QByteArray source = script(lines);
    std::vector<ShopRecord> records = readRecords(source);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].listLength(0), 2);
    ASSERT_TRUE(edits::moveDown(records[0], 0, 0));
    ASSERT_TRUE(edits::moveDown(records[0], 1, 0));
    const Written written = write(source, records);
    EXPECT_EQ(written.result.listsWritten, 0);
    EXPECT_EQ(written.result.leftUnchanged, (std::vector<ListRef>{{0, 0}, {0, 1}}));
    EXPECT_EQ(outputLines(written.bytes), lines);
}

TEST(WriterFailure, ShortSourceAndFailingOutput) {
    const QStringList lines = sample();
    std::vector<ShopRecord> records = readRecords(script(lines));
    ASSERT_TRUE(edits::moveToTop(records[1], 0, 0)); // beta: item line 22, end line 23

    for (const int kept : {0, 5, 20, 22, 23}) {
        const Written written = write(script(lines.first(kept)), records);
        EXPECT_EQ(written.result.status, Status::SourceChanged) << "lines kept: " << kept;
        EXPECT_EQ(written.result.listsWritten, 0) << "lines kept: " << kept;
    }
    EXPECT_EQ(write(script(lines.first(24)), records).result.status, Status::Ok);

    QByteArray source = script(lines);
    for (const qint64 limit : {0, 10, 200}) {
        QBuffer in(&source);
        in.open(QIODevice::ReadOnly);
        vw::test::FailingWriter out(limit);
        EXPECT_EQ(vw::writeScript(in, out, records).status, Status::OutputFailed) << limit;
    }
}
