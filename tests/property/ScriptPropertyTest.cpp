// Generated scripts of random shape are read, edited and written: the output differs from the
// source exactly in the item lines of the lists that were written.

#include "../support/Printers.h"
#include "editor/ListEdits.h"
#include "script/LineSource.h"
#include "script/ScriptReader.h"
#include "script/ScriptWriter.h"

#include "../support/Devices.h"
#include "../support/ReferenceReader.h"
#include "../support/SplitMix.h"
#include "../support/TestFiles.h"

#include <QBuffer>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using vw::ListRef;
using vw::ShopRecord;
namespace edits = vw::edits;

namespace {

constexpr quint64 Cases = 300;

using Rng = vw::test::SplitMix;

struct Script {
    QStringList lines; // the lines a reader must see
    QByteArray bytes;
};

class Generator {
public:
    Generator(quint64 seed, bool damaged) : rng_{seed}, damage_(damaged ? 35 : 8) {}

    Script make() {
        lines_ << u"// npc ai"_s;
        noise(rng_.below(3), false);
        for (int n = 0, count = 1 + rng_.below(6); n < count; ++n) {
            merchant(n);
            noise(rng_.below(3), false);
        }
        const bool terminated = rng_.percent(70);
        if (!terminated)
            lines_.last() += rng_.percent(20) ? u"\r"_s : u"//"_s; // a lone CR at the end is text
        const int crPercent = 50 * rng_.below(3);
        QString text = rng_.percent(50) ? u"\uFEFF"_s : QString();
        for (qsizetype i = 0; i < lines_.size(); ++i) {
            text += lines_[i];
            if (i + 1 < lines_.size() || terminated)
                text += rng_.percent(crPercent) ? u"\r\n"_s : u"\n"_s;
        }
        QByteArray bytes(text.size() * 2, Qt::Uninitialized);
        qToLittleEndian<char16_t>(text.utf16(), text.size(), bytes.data());
        return {lines_, bytes};
    }

private:
    // ListOpen: a list may be open and its block may reach a later end line, so no section
    // keyword may stand here: dropping it with the block would change how the rest of the class
    // reads. Sealed: a section line has been passed, so no end line may follow either.
    enum class Hazard { None, ListOpen, Sealed };

    QString cased(QString keyword) {
        for (QChar& c : keyword)
            c = rng_.percent(30) ? c.toUpper() : c;
        return keyword;
    }
    QString indent() { return rng_.pick({u""_s, u"\t"_s, u"    "_s, u"\t\t"_s, u"  \t"_s}); }
    QString gap() { return rng_.pick({u""_s, u""_s, u" "_s, u"  "_s, u"\t"_s}); }
    void line(const QString& keyword, Hazard after) {
        lines_ << indent() + cased(keyword);
        hazard_ = after;
    }
    void section(const QString& keyword) {
        line(keyword, hazard_ == Hazard::None ? Hazard::None : Hazard::Sealed);
    }

    void noise(int count, bool inList) {
        static const QStringList plain =
            u"if (myself.i_ai0 == 1) {|}|{|{}|{ ; 5}|{7; 1|// 商人出售物品|ShowPage(talker, "
            u"\"s.htm\");|"
            u"|   |\tgg::Say(\"{价格}\")|a\rb|\uFEFF// mark|}{|{\t}|Class X : Y|SellList0 = {}"_s
                .split(u'|');
        for (; count > 0; --count) {
            const int roll = rng_.below(100);
            if (hazard_ != Hazard::Sealed && roll < 6) {
                line(u"buyselllist_end"_s, inList ? hazard_ : Hazard::None);
            } else if (hazard_ == Hazard::None && !inList && roll < 30) {
                lines_ << rng_.pick({u"// "_s + cased(u"property_define_begin"_s),
                                     cased(u"property_define_end"_s) + u"  // 旧"_s,
                                     u"x = 0; "_s + cased(u"class_end"_s),
                                     cased(u"buyselllist_begin"_s) + u" SellList2"_s,
                                     u"handler: "_s + cased(u"buyselllist_begin"_s),
                                     u"{1; 2} "_s + cased(u"buyselllist_end"_s)});
            } else {
                lines_ << rng_.pick(plain);
            }
        }
    }

    void item() {
        const QString id = rng_.percent(50) ? u"[item_%1]"_s.arg(rng_.below(500))
                                            : QString::number(1000 + rng_.below(9000));
        QString entry = gap() + id + gap();
        if (!rng_.percent(8)) {
            entry += u';' + gap() + rng_.pick({u"0"_s, u"0.5"_s, u"10"_s, u""_s}) + gap();
            for (int e = rng_.below(4); e > 0; --e)
                entry += u';' + gap() + rng_.pick({u"1"_s, u"ABC"_s, u""_s, u"商"_s}) + gap();
        }
        lines_ << indent() + u'{' + entry + u'}' + rng_.pick({u""_s, u";"_s, u" // 注"_s, u"  "_s});
    }

    void list(int list) {
        line(u"buyselllist_begin"_s + rng_.pick({u"\t"_s, u" "_s}) + u"selllist"_s +
                 QString::number(list) + (rng_.percent(20) ? u" // 出售"_s : QString()),
             Hazard::ListOpen);
        for (int i = rng_.below(31); i > 0; --i) {
            if (rng_.percent(12))
                noise(1, true);
            item();
        }
        if (!rng_.percent(damage_))
            line(u"buyselllist_end"_s, Hazard::None);
    }

    void merchant(int n) {
        lines_ << QString(rng_.below(3), u' ') +
                      (rng_.percent(80) ? u"class 1 merchant_%1"_s : u"class 0 商人_%1"_s).arg(n) +
                      (rng_.percent(80) ? u" : citizen"_s : QString()) +
                      QString(rng_.below(2), u' ');
        hazard_ = Hazard::None;
        noise(rng_.below(4), false);
        if (!rng_.percent(damage_ / 2))
            section(u"property_define_begin"_s);
        noise(rng_.below(2), false);
        const int first = rng_.below(2);
        for (int block = 0; block < 4; ++block) { // blocks 2 and 3 repeat a list: damage
            if (rng_.percent(block < 2 ? 75 : damage_ / 2)) {
                list(block % 2 == 0 ? first : 1 - first);
                noise(rng_.below(3), false);
            }
        }
        if (!rng_.percent(damage_))
            section(u"property_define_end"_s);
        noise(rng_.below(2), false);
        if (!rng_.percent(damage_))
            line(u"class_end"_s, Hazard::None);
    }

    Rng rng_;
    int damage_; // percent chance of each structural fault
    Hazard hazard_ = Hazard::None;
    QStringList lines_;
};

// Hands out a script in pieces of random size, odd ones included, as a pipe would.
vw::test::PieceReader trickling(const QByteArray& data, quint64 seed) {
    return vw::test::PieceReader(data, [rng = Rng{seed}]() mutable { return 1 + rng.below(37); });
}

vw::ScriptReadResult read(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return vw::readScript(buffer);
}

// The source trickles in, so line ends and characters straddle the writer's reads.
QByteArray write(const QByteArray& source, const std::vector<ShopRecord>& records, quint64 seed,
                 vw::ScriptWriteResult* result = nullptr) {
    vw::test::PieceReader in = trickling(source, seed);
    QByteArray output;
    QBuffer out(&output);
    out.open(QIODevice::WriteOnly);
    const vw::ScriptWriteResult written = vw::writeScript(in, out, records);
    if (result)
        *result = written;
    return output;
}

// What the writer owes: which lists it writes, the output lines, and where each source line
// stands in the output (-1 inside a replaced block).
struct Expected {
    std::vector<ListRef> written;
    std::vector<ListRef> unchanged;
    QStringList output;
    std::vector<int> position;
};

Expected expect(const QStringList& lines, const std::vector<ShopRecord>& records) {
    Expected result;
    std::map<int, std::pair<int, ListRef>> blocks; // first item line -> end line, list
    std::vector<std::pair<int, ListRef>> marks;    // first item lines and end lines
    for (int r = 0; r < static_cast<int>(records.size()); ++r) {
        for (int k = 0; k < ShopRecord::ListCount; ++k) {
            for (int mark : {records[r].startLine[k], records[r].endLine[k]})
                marks.push_back({mark, {r, k}});
        }
    }
    for (int r = 0; r < static_cast<int>(records.size()); ++r) {
        for (int k = 0; k < ShopRecord::ListCount; ++k) {
            const int first = records[r].startLine[k];
            const int end = records[r].endLine[k];
            bool whole = first > 0 && end > first;
            for (const auto& [mark, owner] : marks)
                whole &= owner == ListRef{r, k} || mark < first || mark > end;
            if (records[r].modified[k])
                (whole ? result.written : result.unchanged).push_back({r, k});
            if (records[r].modified[k] && whole)
                blocks[first - 2] = {end - 2, {r, k}}; // line numbers stand one past the line
        }
    }
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (const auto block = blocks.find(i); block != blocks.end()) {
            const auto& [end, ref] = block->second;
            const ShopRecord& record = records[ref.record];
            for (int s = 0; s < record.listLength(ref.list); ++s) {
                const vw::ItemSlot& item = record.slot(ref.list, s);
                const QStringList parts = QStringList{item.id, item.taxRate} + item.extraParts;
                result.output << record.linePrefix + parts.join(u"; "_s) + record.lineSuffix;
            }
            for (; i < end; ++i)
                result.position.push_back(-1);
        }
        result.position.push_back(static_cast<int>(result.output.size()));
        result.output << lines[i];
    }
    return result;
}

// The output must be the mark, then every expected line ending in CR LF.
testing::AssertionResult sameOutput(const QByteArray& bytes, const QStringList& expected) {
    const QString text = vw::test::decodeScript(bytes);
    if (text == u"\uFEFF"_s + expected.join(u"\r\n"_s) + u"\r\n"_s)
        return testing::AssertionSuccess();
    const QStringList actual = text.mid(1).split(u"\r\n"_s);
    qsizetype i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i])
        ++i;
    return testing::AssertionFailure()
           << "mark " << text.startsWith(u'\uFEFF') << ", first difference at output line " << i + 1
           << ": \"" << actual.value(i).toStdString() << "\" instead of \""
           << expected.value(i).toStdString() << '"';
}

QStringList itemsOf(const ShopRecord* record, int list) {
    QStringList items;
    for (int s = 0; record && s < record->listLength(list); ++s) {
        const vw::ItemSlot& item = record->slot(list, s);
        items << (QStringList{item.id, item.taxRate} + item.extraParts).join(u'|');
    }
    return items;
}

// Random edits, with valid and invalid arguments, on one record; new IDs are unique.
void edit(Rng& rng, ShopRecord& record, int& nextId) {
    using Edit = bool (*)(ShopRecord&, int, int);
    static constexpr Edit moves[] = {edits::moveUp, edits::moveDown, edits::moveToTop,
                                     edits::moveToBottom, edits::deleteItem};
    for (int n = 1 + rng.below(8); n > 0; --n) {
        const int list = rng.percent(90) ? rng.below(2) : 3 * rng.below(2) - 1;
        const int valid = rng.below(2); // for the calls that need a valid list
        const int slot = rng.below(record.upperBound() + 5) - 2;
        const QString id = u"9000%1"_s.arg(nextId++);
        const QString tax = rng.pick({u"0"_s, u"5"_s, u"12.5"_s, u""_s});
        const vw::ItemSlot fresh =
            rng.percent(50) ? edits::newItem(record, id, tax)
                            : vw::ItemSlot{id, tax, 0, QStringList(rng.below(3), u"7"_s)};
        const int op = rng.below(10);
        if (op < 5) {
            moves[op](record, list, slot);
        } else if (op < 7) {
            edits::insertItem(record, list, slot, fresh);
        } else if (op == 7) {
            edits::appendItem(record, valid, fresh);
        } else if (op == 8) {
            while (edits::deleteItem(record, valid, 0)) {
            }
        } else {
            const QString taken =
                record.listLength(valid) > 0 ? record.slot(valid, 0).id : QString();
            EXPECT_FALSE(edits::insertItem(record, valid, slot, {taken, tax, {}, {}}));
            EXPECT_FALSE(edits::appendItem(record, valid, {{}, tax, {}, {}}));
        }
    }
}

// Writes the edited records, checks the output line for line and reads it back.
// Returns the number of lists that could not be written.
size_t checkWrite(const Script& script, const std::vector<ShopRecord>& original,
                  const std::vector<ShopRecord>& records) {
    const Expected expected = expect(script.lines, records);
    const std::vector<ShopRecord> before = records;
    vw::ScriptWriteResult result;
    const QByteArray output = write(script.bytes, records, 1, &result);
    EXPECT_EQ(result.status, vw::ScriptWriteResult::Status::Ok);
    EXPECT_EQ(result.listsWritten, static_cast<int>(expected.written.size()));
    EXPECT_TRUE(std::is_permutation(result.leftUnchanged.begin(), result.leftUnchanged.end(),
                                    expected.unchanged.begin(), expected.unchanged.end()));
    EXPECT_TRUE(sameOutput(output, expected.output));
    EXPECT_EQ(write(script.bytes, records, 2), output);
    EXPECT_TRUE(records == before);

    // No written block swallows an item line of a list that is not written.
    for (const ListRef& ref : expected.unchanged) {
        const ShopRecord& source = original[ref.record];
        for (int s = 0; s < source.listLength(ref.list); ++s)
            EXPECT_GE(expected.position[source.slot(ref.list, s).line - 2], 0);
    }

    // Read back, written lists hold exactly the edited items, all others their source items.
    const std::vector<ShopRecord> reread = read(output).records;
    std::map<QString, const ShopRecord*> byName;
    for (const ShopRecord& record : reread)
        byName[record.className] = &record;
    for (size_t r = 0; r < records.size(); ++r) {
        const ShopRecord* found = byName[records[r].className];
        bool anyItems = false;
        for (int k = 0; k < ShopRecord::ListCount; ++k) {
            const ListRef ref{static_cast<int>(r), k};
            const bool written = std::count(expected.written.begin(), expected.written.end(), ref);
            const QStringList items = itemsOf(written ? &records[r] : &original[r], k);
            anyItems |= !items.isEmpty();
            EXPECT_EQ(itemsOf(found, k), items) << records[r].className.toStdString() << ' ' << k;
        }
        EXPECT_EQ(found != nullptr, anyItems) << records[r].className.toStdString();
    }
    return expected.unchanged.size();
}

} // namespace

TEST(ScriptProperty, UneditedWriteCopiesEveryLineAndReadsAlike) {
    for (quint64 seed = 0; seed < Cases && !HasFailure(); ++seed) {
        SCOPED_TRACE(seed);
        const Script script = Generator(seed, seed % 3 == 0).make();
        vw::test::PieceReader lineDevice = trickling(script.bytes, seed);
        vw::LineSource source(lineDevice);
        QStringList lines;
        for (QStringView line; source.next(line);)
            lines << line.toString();
        EXPECT_EQ(lines, script.lines);

        const vw::ScriptReadResult read0 = read(script.bytes);
        EXPECT_EQ(vw::test::differenceOf(vw::test::referenceRead(script.bytes), read0), "");
        ASSERT_EQ(read0.status, vw::ReadStatus::Ok);
        vw::ScriptWriteResult result;
        const QByteArray output = write(script.bytes, read0.records, ~seed, &result);
        EXPECT_EQ(result.status, vw::ScriptWriteResult::Status::Ok);
        EXPECT_EQ(result.listsWritten, 0);
        EXPECT_TRUE(sameOutput(output, lines));

        // Line numbers are kept, so the copy reads as the source did.
        const vw::ScriptReadResult copy = read(output);
        EXPECT_EQ(copy.lineCount, read0.lineCount);
        EXPECT_TRUE(copy.records == read0.records);
    }
}

TEST(ScriptProperty, EditedListsAloneAreReplaced) {
    int modified = 0;
    for (quint64 seed = 0; seed < Cases && !HasFailure(); ++seed) {
        SCOPED_TRACE(seed);
        const Script script = Generator(seed + 1000, seed % 4 == 0).make();
        const std::vector<ShopRecord> original = read(script.bytes).records;
        std::vector<ShopRecord> records = original;
        Rng rng{seed};
        int nextId = 0;
        for (ShopRecord& record : records) {
            if (rng.percent(60))
                edit(rng, record, nextId);
            modified += record.modified[0] + record.modified[1];
        }
        checkWrite(script, original, records);
    }
    EXPECT_TRUE(HasFailure() || modified > static_cast<int>(Cases)); // the cases do edit
}

TEST(ScriptProperty, ListsThatCannotBeWrittenKeepTheirLines) {
    size_t unchanged = 0;
    for (quint64 seed = 0; seed < Cases && !HasFailure(); ++seed) {
        SCOPED_TRACE(seed);
        const Script script = Generator(seed + 2000, true).make();
        const std::vector<ShopRecord> original = read(script.bytes).records;
        std::vector<ShopRecord> records = original;
        int nextId = 0;
        for (ShopRecord& record : records) {
            for (int k = 0; k < ShopRecord::ListCount; ++k) {
                if (!edits::moveToBottom(record, k, 0))
                    edits::appendItem(record, k,
                                      edits::newItem(record, u"9%1"_s.arg(nextId++), {}));
            }
        }
        unchanged += checkWrite(script, original, records);
    }
    EXPECT_TRUE(HasFailure() || unchanged > Cases / 2); // the damage does reach the writer
}
