#include "script/ScriptReader.h"
#include "../support/Devices.h"
#include "../support/Printers.h"
#include "../support/SplitMix.h"
#include "../support/TestFiles.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <ostream>
#include <tuple>

using namespace Qt::Literals::StringLiterals;
using vw::ItemSlot;
using vw::ReadStatus;
using vw::ScriptReadResult;
using vw::ShopRecord;
using vw::test::PieceReader;
using vw::test::pieces;
using vw::test::utf16;

namespace vw {
[[maybe_unused]] static void PrintTo(const ItemSlot& s, std::ostream* os) {
    *os << '{' << s.id.toStdString() << "; " << s.taxRate.toStdString() << " @" << s.line << " +"
        << s.extraParts.join(u'|').toStdString() << '}';
}
} // namespace vw

namespace {

// The script of `lines`, joined with CR LF; `text` is several lines separated by "|".
QByteArray script(const QStringList& lines, bool bom = true) {
    return utf16(lines.join(u"\r\n"_s), bom);
}
QByteArray script(const QString& text) {
    return script(text.split(u'|'));
}

ScriptReadResult read(QByteArray bytes, const vw::ReadProgress& progress = {}) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return vw::readScript(buffer, progress);
}

// A merchant class of 7 lines plus, per non-empty list, its items and two keyword lines.
QStringList merchant(const QString& name, const QStringList& list0, const QStringList& list1) {
    QStringList lines = (u"class "_s + name +
                         u" : merchant|parameter_define_begin|\tint\tMoveAroundSocial = 0|"
                         u"parameter_define_end|property_define_begin"_s)
                            .split(u'|');
    for (int list = 0; list < 2; ++list) {
        const QStringList& items = list == 0 ? list0 : list1;
        if (items.isEmpty())
            continue;
        lines << u"\tbuyselllist_begin\tSellList%1"_s.arg(list);
        for (const QString& item : items)
            lines << u"\t\t{"_s + item + u"}"_s;
        lines << u"\tbuyselllist_end"_s;
    }
    return lines << u"property_define_end"_s << u"class_end"_s;
}

QStringList ids(const ShopRecord& record, int list) {
    QStringList result;
    for (int i = 0; i < record.listLength(list); ++i)
        result << record.slot(list, i).id;
    return result;
}

// "name start0-end0 start1-end1 ids0 / ids1"
QString summary(const ShopRecord& r) {
    const auto span = [&](int list) {
        return u"%1-%2"_s.arg(r.startLine[list]).arg(r.endLine[list]);
    };
    return QStringList{r.className,          span(0), span(1),
                       ids(r, 0).join(u','), u"/"_s,  ids(r, 1).join(u',')}
        .join(u' ');
}

// One class whose list 0 holds `count` items of varied length after a filler line.
QString bigList(qsizetype fillerLength, int count) {
    QString text =
        u"class big : merchant\r\nproperty_define_begin\r\nbuyselllist_begin SellList0\r\n"_s;
    text += u"//"_s + QString(fillerLength, u'-') + u"\r\n"_s;
    for (int i = 0; i < count; ++i)
        text += u"\t{%1; %2}"_s.arg(1000 + i).arg(i % 7) + QString(i % 23, u' ') + u"\r\n"_s;
    return text + u"buyselllist_end"_s;
}

void expectBigList(const ScriptReadResult& result, int count) {
    ASSERT_EQ(result.status, ReadStatus::Ok);
    ASSERT_EQ(result.records.size(), 1u);
    const ShopRecord& record = result.records[0];
    ASSERT_EQ(record.listLength(0), count);
    for (int i = 0; i < count; ++i) {
        const ItemSlot expected{QString::number(1000 + i), QString::number(i % 7), i + 6, {}};
        ASSERT_EQ(record.slot(0, i), expected) << "item " << i;
    }
    EXPECT_EQ(record.endLine[0], count + 6);
    EXPECT_EQ(result.lineCount, count + 5);
}

} // namespace

TEST(ScriptReader, BuildsOneRecordPerMerchantWithItems) {
    QStringList lines = merchant(
        u"grocer_amber"_s, {u"1864; 0.5; 3"_s, u" 1865 ;0 ; 7 ; x "_s, u"1866"_s}, {u"57; 1"_s});
    lines << merchant(u"guard_hal"_s, {}, {});
    lines << merchant(u"smith"_s, {u"3; 0"_s}, {u"10; 1"_s, u"11; 1"_s, u"12; 1"_s});
    const ScriptReadResult result = read(script(lines));
    ASSERT_EQ(result.status, ReadStatus::Ok);
    EXPECT_EQ(result.lineCount, 37);
    ASSERT_EQ(result.records.size(), 2u);

    const ShopRecord& grocer = result.records[0];
    EXPECT_EQ(summary(grocer), u"grocer_amber 8-11 13-14 1864,1865,1866 / 57"_s);
    EXPECT_EQ(grocer.linePrefix, u"\t\t{"_s);
    EXPECT_EQ(grocer.lineSuffix, u"}"_s);
    EXPECT_EQ(grocer.templateExtraParts, QStringList{u"3"_s});
    EXPECT_EQ(grocer.upperBound(), 2);
    EXPECT_EQ(grocer.slot(0, 0), (ItemSlot{u"1864"_s, u"0.5"_s, 8, {u"3"_s}}));
    EXPECT_EQ(grocer.slot(0, 1), (ItemSlot{u"1865"_s, u"0"_s, 9, {u"7"_s, u"x"_s}}));
    EXPECT_EQ(grocer.slot(0, 2), (ItemSlot{u"1866"_s, {}, 10, {}}));
    EXPECT_EQ(grocer.slot(1, 0), (ItemSlot{u"57"_s, u"1"_s, 13, {}}));
    EXPECT_EQ(grocer.slot(1, 2), ItemSlot{});

    const ShopRecord& smith = result.records[1];
    EXPECT_EQ(summary(smith), u"smith 30-31 33-36 3 / 10,11,12"_s);
    EXPECT_TRUE(smith.slot(0, 1).id.isEmpty());
    EXPECT_TRUE(smith.listExists(0) && smith.listExists(1));
    EXPECT_TRUE(smith.templateExtraParts.isEmpty());
}

TEST(ScriptReader, ItemLinesAndListKeywords) {
    const ScriptReadResult result = read(script(
        u"buyselllist_begin SellList0|{999; 1}|class probe : merchant|"    // 1-3
        u"buyselllist_begin SellList0|{998; 1}|  Property_Define_BEGIN  |" // 4-5: no property
        u"\tbuyselllist_begin Items|\t{997; 1}|"                           // 7-8: names no list
        u"\tBUYSELLLIST_BEGIN sellList0 sellLIST1|\t\t{}|\t\t{ ; 5}|\t\t{1201; 5|" // 9-12
        u"  \t{ 1202 ; 7 }  // x } y|\t\t{1203; 2}; buyselllist_end|"              // 13-14
        u"\t\t} {1204; 3} property_define_end class_end|\t\t{1205}|"               // 15-16
        u"\tbuyselllist_end|\t\t{1206; 1}|property_define_end|"                    // 17-19
        u"\tbuyselllist_begin SellList0|\t{1207; 1}|class_end|{1208; 1}"_s));      // 20-23
    ASSERT_EQ(result.records.size(), 1u);
    const ShopRecord& probe = result.records[0];
    EXPECT_EQ(summary(probe), u"probe 0-0 14-18  / 1202,1203,1204,1205"_s);
    EXPECT_FALSE(probe.listExists(0));
    EXPECT_EQ(probe.upperBound(), 3);
    EXPECT_EQ(probe.linePrefix, u"  \t{"_s);
    EXPECT_EQ(probe.lineSuffix, u"}  // x } y"_s);
    EXPECT_EQ(probe.slot(1, 0), (ItemSlot{u"1202"_s, u"7"_s, 14, {}}));
    EXPECT_EQ(probe.slot(1, 2).line, 16);
    EXPECT_EQ(probe.slot(1, 3), (ItemSlot{u"1205"_s, {}, 17, {}}));
}

TEST(ScriptReader, ClassBoundariesKeepRecordsApart) {
    // "Class third" and a tab-indented class line start no class: their lists stay in "second".
    const QString open = u"property_define_begin|buyselllist_begin SellList"_s;
    const ScriptReadResult result = read(script(
        u"class first : merchant|"_s + open + u"0|{11; 1}|{12; 1}|"_s // 1-5: left open
        + u"class second|"_s + open + u"0|{21; 1}|buyselllist_end|property_define_end|"_s // 6-11
        + u"Class third : merchant|"_s + open + u"1|{22; 1}|buyselllist_end|"_s           // 12-16
        + u"property_define_end|\tclass fourth : merchant|class_end|"_s                   // 17-19
        + open + u"0|{31; 1}|buyselllist_end|"_s                       // 20-23: no class
        + u"   class  fifth\t  |"_s + open + u"1|{41; 1}|class_end|"_s // 24-28
        + u"class sixth : merchant|"_s + open + u"0|{51; 1}"_s));      // 29-32
    EXPECT_EQ(result.lineCount, 32);
    ASSERT_EQ(result.records.size(), 4u);
    EXPECT_EQ(summary(result.records[0]), u"first 5-0 0-0 11,12 / "_s);
    EXPECT_EQ(summary(result.records[1]), u"second 10-11 16-17 21 / 22"_s);
    EXPECT_EQ(summary(result.records[2]), u"fifth\t 0-0 28-0  / 41"_s);
    EXPECT_EQ(summary(result.records[3]), u"sixth 33-0 0-0 51 / "_s);
    EXPECT_EQ(result.records[3].slot(0, 0).line, 33);

    // The separator's space may be the keyword's own: the name is empty, the line still a class.
    const ScriptReadResult unnamed =
        read(script(u"class : m|property_define_begin|buyselllist_begin SellList0|{1; 5}"_s));
    ASSERT_EQ(unnamed.records.size(), 1u);
    EXPECT_EQ(unnamed.records[0].className, u""_s);
}

TEST(ScriptReader, LineBreaksBomAndProgress) {
    const QStringList lines = merchant(u"grocer"_s, {u"1; 0; a"_s, u"2; 0"_s}, {u"3; 1"_s})
                              << u"// tail"_s;
    const ScriptReadResult crlf = read(script(lines));
    ASSERT_EQ(crlf.records.size(), 1u);
    QString mixed;
    for (qsizetype i = 0; i < lines.size(); ++i)
        mixed += lines[i] + (i % 2 ? u"\n"_s : u"\r\n"_s);
    for (const QByteArray& variant :
         {script(lines, false), utf16(lines.join(u'\n')), utf16(mixed, false),
          script(lines) + utf16(u"\r\n"_s, false)}) {
        const ScriptReadResult other = read(variant);
        EXPECT_EQ(other.status, ReadStatus::Ok);
        EXPECT_EQ(other.lineCount, crlf.lineCount);
        EXPECT_EQ(other.records, crlf.records);
    }
    EXPECT_EQ(read(utf16(u"a\rb\r\n\r\n\n"_s)).lineCount, 3); // a lone CR does not end a line

    const auto progressOf = [](int lineCount) {
        std::vector<qint64> calls;
        const QStringList many(lineCount, u"// line"_s);
        read(script(many), [&](qint64 hundreds) { calls.push_back(hundreds); });
        return calls;
    };
    EXPECT_EQ(progressOf(250), (std::vector<qint64>{0, 1, 2}));
    EXPECT_EQ(progressOf(100), (std::vector<qint64>{0}));
    EXPECT_EQ(progressOf(101), (std::vector<qint64>{0, 1}));
    std::vector<qint64> none;
    const ScriptReadResult empty = read({}, [&](qint64 hundreds) { none.push_back(hundreds); });
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(empty.lineCount, 0);
}

TEST(ScriptReader, RefusesWhatIsNotUtf16LeText) {
    using vw::TextProblem;
    const QString text = merchant(u"grocer"_s, {u"1; 0"_s}, {}).join(u"\r\n"_s);
    // The text is ASCII: its big-endian bytes are the little-endian ones moved by one.
    const QByteArray bigEndian = '\0' + utf16(text, false).chopped(1);
    QByteArray utf8 = text.toUtf8();
    utf8.resize(utf8.size() / 2 * 2);
    vw::test::SplitMix rng{17};
    QByteArray random(1 << 20, Qt::Uninitialized);
    for (char& byte : random)
        byte = static_cast<char>(rng.next());
    // A lone surrogate in every tenth unit; a few in a long text are damage, and are kept.
    QString broken = text;
    for (qsizetype i = 0; i < broken.size(); i += 10)
        broken[i] = QChar(0xDC00);
    const QString nul = text + u"\r\n// "_s + QChar(0) + u"\r\n"_s;
    const std::pair<QByteArray, TextProblem> notUtf16[] = {
        {QByteArray("\xEF\xBB\xBF") + utf16(text, false) + '\n', TextProblem::Utf8Mark},
        {"\xFE\xFF" + bigEndian, TextProblem::BigEndianMark},
        {bigEndian, TextProblem::BigEndianText},
        {utf16(text) + '\n', TextProblem::OddLength},
        {utf16(QString(40, u'商')), TextProblem::NoZeroByte},
        {utf8, TextProblem::NoZeroByte},
        {QByteArray(1 << 20, '\0'), TextProblem::NulCharacter},
        {utf16(QStringList(2000, text).join(u"\r\n"_s) + nul), TextProblem::NulCharacter},
        {utf16(broken), TextProblem::BrokenSurrogates},
    };
    for (const auto& [bytes, problem] : notUtf16) {
        const ScriptReadResult result = read(bytes);
        EXPECT_EQ(result.status, ReadStatus::NotUtf16) << bytes.left(8).toHex().constData();
        EXPECT_EQ(result.textProblem, problem) << bytes.left(8).toHex().constData();
        EXPECT_TRUE(result.records.empty());
    }
    EXPECT_EQ(read(random).status, ReadStatus::NotUtf16);

    for (const QByteArray& bytes : {QByteArray(), QByteArray("\xFF\xFE")}) {
        const ScriptReadResult result = read(bytes);
        EXPECT_EQ(result.status, ReadStatus::Ok);
        EXPECT_EQ(result.lineCount, 0);
    }
    // Lone surrogates and a U+XX00 character (big-endian ASCII in shape) in otherwise good text.
    const QString damaged = merchant(u"grocer"_s + QChar(0xD800) + u"一"_s,
                                     {u"1"_s + QChar(0xDFFF) + u"; 0"_s, u"2; 0"_s}, {u"3; 0"_s})
                                .join(u"\r\n"_s);
    const ScriptReadResult kept = read(utf16(damaged));
    ASSERT_EQ(kept.status, ReadStatus::Ok);
    ASSERT_EQ(kept.records.size(), 1u);
    EXPECT_EQ(kept.records[0].className, u"grocer"_s + QChar(0xD800) + u"一"_s);
    EXPECT_EQ(kept.records[0].slot(0, 0).id, u"1"_s + QChar(0xDFFF));
}

TEST(ScriptReader, ReadAndOpenFailures) {
    const QString text = merchant(u"grocer"_s, {u"1; 0"_s}, {}).join(u"\r\n"_s);
    for (auto [bytes, good, status] :
         {std::tuple{script(QStringList(50, text)), 3000, ReadStatus::ReadFailed},
          {utf16(text) + '\n', 1 << 20, ReadStatus::NotUtf16}}) {
        PieceReader stream(bytes, pieces(1 << 30), good);
        const ScriptReadResult result = vw::readScript(stream);
        EXPECT_EQ(result.status, status);
        EXPECT_TRUE(result.records.empty());
    }
    // A device that hands out one byte at a time still shows the whole head to the check.
    PieceReader trickle(utf16(text), pieces(1));
    const ScriptReadResult trickled = vw::readScript(trickle);
    EXPECT_EQ(trickled.status, ReadStatus::Ok);
    EXPECT_EQ(trickled.records, read(utf16(text)).records);
    EXPECT_EQ(trickled.stamp.contentHash, read(utf16(text)).stamp.contentHash);
    EXPECT_NE(trickled.stamp.contentHash, read(utf16(text + u" "_s)).stamp.contentHash);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(vw::readScriptFile(dir.filePath(u"missing.txt"_s)).status, ReadStatus::OpenFailed);
    EXPECT_EQ(vw::readScriptFile(dir.path()).status, ReadStatus::OpenFailed);
    QFile file(dir.filePath(u"npcdata.txt"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(utf16(text)) > 0);
    file.close();
    const ScriptReadResult fromFile = vw::readScriptFile(file.fileName());
    EXPECT_EQ(fromFile.status, ReadStatus::Ok);
    EXPECT_EQ(fromFile.records.size(), 1u);
    EXPECT_EQ(fromFile.stamp.facts, vw::fileFactsOf(file.fileName()));
    EXPECT_EQ(fromFile.stamp.facts.size, utf16(text).size());
    EXPECT_EQ(fromFile.stamp.contentHash, read(utf16(text)).stamp.contentHash);
}

TEST(ScriptReader, LongLinesAndBlockBoundaries) {
    const QString wide(2'000'000, u'x');
    const ScriptReadResult result = read(
        script(u"class wide : merchant|property_define_begin|buyselllist_begin SellList1|\t{7; 1}|"
               u"// %1|\t{8; 2} // %1|buyselllist_end"_s.arg(wide)));
    ASSERT_EQ(result.records.size(), 1u);
    EXPECT_EQ(summary(result.records[0]), u"wide 0-0 5-8  / 7,8"_s);
    EXPECT_EQ(result.records[0].slot(1, 1).line, 7);
    EXPECT_EQ(result.lineCount, 7);

    // Shift the first items across the end of a first block of 64 Ki or 512 Ki units (128 KiB or
    // 1 MiB), one unit a step; the 3 MB file crosses every later block end at varied offsets.
    for (const qsizetype block : {64 * 1024, 512 * 1024}) {
        for (qsizetype shift = 0; shift < 20; ++shift) {
            SCOPED_TRACE(block + shift);
            expectBigList(read(utf16(bigList(block - 90 + shift, 12))), 12);
        }
    }
    expectBigList(read(utf16(bigList(512 * 1024 - 85, 45'000))), 45'000); // about 3 MB
}

TEST(ScriptReader, ReportsTheLinesTheRecordsDoNotShow) {
    using Reason = vw::ReadReport::MalformedLine::Reason;
    const ScriptReadResult r =
        read(script(u"class a : m|property_define_begin|buyselllist_begin SellList0|" //  1- 3
                    u"{1; 5}|{2; 5|{ ; 5}|{3; 5; buyselllist_end }|{ ; 5}|"           //  4- 8
                    u"buyselllist_begin SellList0|{4; 5}|buyselllist_end|"            //  9-11
                    u"buyselllist_begin SellList1|{5; 5}|"                            // 12-13
                    u"class b : m|property_define_begin|buyselllist_begin SellList0|" // 14-16
                    u"buyselllist_end|buyselllist_begin SellList0|{6; 5}|"            // 17-19
                    u"buyselllist_begin SellList1|{7; 5}"_s));                        // 20-21
    ASSERT_EQ(r.status, ReadStatus::Ok);
    ASSERT_EQ(r.records.size(), 2u);
    EXPECT_EQ(r.report.recordClassLines, (std::vector<int>{1, 14}));
    // The item that holds "buyselllist_end" ends the list: line 8 is outside it.
    ASSERT_EQ(r.report.malformed.size(), 2u);
    EXPECT_EQ(r.report.malformed[0].line, 5);
    EXPECT_EQ(r.report.malformed[0].reason, Reason::NoClosingBrace);
    EXPECT_EQ(r.report.malformed[1].line, 6);
    EXPECT_EQ(r.report.malformed[1].reason, Reason::EmptyId);
    EXPECT_EQ(r.report.malformed[1].className, u"a"_s);
    // A list whose first block had items, opened again; one without items is read normally.
    ASSERT_EQ(r.report.repeated.size(), 1u);
    EXPECT_EQ(r.report.repeated[0].line, 9);
    EXPECT_EQ(r.records[1].slot(0, 0).id, u"6"_s);
    // Left open by the next class, by another list and by the end of the file.
    std::vector<std::pair<int, int>> unclosed;
    for (const auto& u : r.report.unclosed)
        unclosed.emplace_back(u.line, u.classLine);
    EXPECT_EQ(unclosed, (std::vector<std::pair<int, int>>{{13, 1}, {19, 14}, {21, 14}}));
}

TEST(ScriptReader, AListIsReadFromItsFirstBlockWithItems) {
    // Whether the other list has made the record already or not, an empty first block gives way
    // to the next; a block after one with items is a repeat, which leaves the list unwritable.
    const ScriptReadResult r = read(
        script(u"class a : m|property_define_begin|buyselllist_begin SellList0|{1; 5}|" //  1- 4
               u"buyselllist_end|buyselllist_begin SellList1|buyselllist_end|"          //  5- 7
               u"buyselllist_begin SellList1|{2; 5}|{3; 5}|buyselllist_end|"            //  8-11
               u"buyselllist_begin SellList1|{4; 5}|buyselllist_end|class_end|"         // 12-15
               u"class b : m|property_define_begin|buyselllist_begin SellList1|{5; 5}|" // 16-19
               u"buyselllist_end|buyselllist_begin SellList0|buyselllist_end|"          // 20-22
               u"buyselllist_begin SellList0|{6; 5}|"_s));                              // 23-24
    ASSERT_EQ(r.status, ReadStatus::Ok);
    ASSERT_EQ(r.records.size(), 2u);
    EXPECT_EQ(summary(r.records[0]), u"a 5-6 10-0 1 / 2,3"_s);
    EXPECT_EQ(summary(r.records[1]), u"b 25-0 20-21 6 / 5"_s);
    ASSERT_EQ(r.report.repeated.size(), 1u);
    EXPECT_EQ(r.report.repeated[0].line, 12);
    ASSERT_EQ(r.report.unclosed.size(), 1u);
    EXPECT_EQ(r.report.unclosed[0].line, 24);
}

TEST(ScriptReader, ListNamesFoldAsciiLettersOnly) {
    // U+017F folds to "s" in Unicode, and U+212A to "k": neither is a letter of a keyword.
    const ScriptReadResult r =
        read(script(u"class a : m|property_define_begin|buyselllist_begin \u017FellList0|{1; 5}|"
                    u"buyselllist_end|buyselllist_begin SELLLIST1|{2; 5}|buyselllist_end|"
                    u"buyselllist_begin SellLi\u017Ft0|{3; 5}|buyselllist_end"_s));
    ASSERT_EQ(r.records.size(), 1u);
    EXPECT_EQ(summary(r.records[0]), u"a 0-0 8-9  / 2"_s);
    EXPECT_TRUE(r.report.repeated.empty());
}
