// Random scripts with item lines of every shape, random edits, written with and without kept
// item lines. Compared line by line with the source, the blocks of the written lists aligned:
// with them, a written list differs from its source block only on the lines of new, changed,
// moved and removed items, and a moved item's line is its source line; without them, every item
// line of a written list comes from the template.

#include "../support/Printers.h"
#include "../support/SplitMix.h"
#include "../support/TestFiles.h"
#include "editor/ListEdits.h"
#include "script/ScriptReader.h"
#include "script/ScriptWriter.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using vw::ItemSlot;
using vw::ShopRecord;
namespace edits = vw::edits;

namespace {

constexpr quint64 Cases = 300;

using Rng = vw::test::SplitMix;

struct Script {
    QStringList lines; // as the reader sees them, without line ends
    QByteArray bytes;
};

QString itemText(Rng& rng, const QString& id) {
    const auto gap = [&rng] { return rng.pick({u""_s, u""_s, u" "_s, u"  "_s, u"\t"_s}); };
    QString entry = gap() + id + gap();
    if (!rng.percent(10))
        entry += u';' + gap() + rng.pick({u"0"_s, u"5"_s, u"12.5"_s}) + gap();
    for (int e = rng.below(3); e > 0; --e)
        entry += u';' + gap() + rng.pick({u"0"_s, u"1"_s, u"0.000000"_s, u"商"_s}) + gap();
    return rng.pick({u"\t"_s, u"\t\t"_s, u"  "_s, u""_s}) + u'{' + entry + u'}' +
           rng.pick({u""_s, u";"_s, u" // 注"_s, u"  "_s, u"\r"_s});
}

// Merchants with one or two lists; now and then a line inside a list that holds no item, or a
// list left without its end line.
Script generate(Rng& rng) {
    static const QStringList noise{u"// 武器"_s, u""_s, u"\t{ ; 5}"_s, u"{7; 1"_s, u"if (x) {"_s};
    QStringList lines{u"// npc ai"_s};
    for (int n = 0, count = 1 + rng.below(5); n < count; ++n) {
        lines << u"class merchant_%1 : citizen"_s.arg(n) << u"property_define_begin"_s;
        for (int list = 0; list < ShopRecord::ListCount; ++list) {
            if (!rng.percent(85))
                continue;
            lines << u"\tbuyselllist_begin\tSellList%1"_s.arg(list);
            for (int i = rng.below(25); i > 0; --i) {
                if (rng.percent(8))
                    lines << rng.pick(noise);
                lines << itemText(rng, u"%1"_s.arg(10000 + 1000 * n + 100 * list + i));
            }
            if (!rng.percent(6))
                lines << u"\tbuyselllist_end"_s;
        }
        lines << u"property_define_end"_s << u"class_end"_s;
    }
    QString text = rng.percent(50) ? u"\uFEFF"_s : QString();
    for (const QString& line : std::as_const(lines)) // a CR at a line's end is its own text
        text += line + (line.endsWith(u'\r') || rng.percent(50) ? u"\r\n"_s : u"\n"_s);
    return {lines, vw::test::utf16(text, false)};
}

// Random edits of one record: moves, deletes, new items, items from the other list that bring
// their line along, changes of ID, rate or extra parts in place, and changes undone.
void edit(Rng& rng, ShopRecord& record, int& nextId) {
    for (int n = 1 + rng.below(6); n > 0; --n) {
        const int list = rng.below(ShopRecord::ListCount);
        const int length = record.listLength(list);
        const int slot = rng.below(length);
        const std::vector<int> picked{slot};
        const QString rate = rng.pick({u"0"_s, u"5"_s, u"12.5"_s});
        switch (rng.below(9)) {
        case 0:
            edits::moveItemsTo(record, list, picked, rng.below(length + 1));
            break;
        case 1:
            edits::moveToTop(record, list, slot);
            break;
        case 2:
            edits::deleteItem(record, list, slot);
            break;
        case 3:
            edits::insertItem(record, list, rng.below(length + 1),
                              edits::newItem(record, u"9%1"_s.arg(nextId++), rate));
            break;
        case 4:
            if (record.listLength(1 - list) > 0)
                edits::appendItem(record, list, record.slot(1 - list, 0));
            break;
        case 5:
            edits::setTaxRate(record, list, picked, rate);
            break;
        case 6:
        case 7:
            if (slot < length) {
                ItemSlot& item = record.slot(list, slot);
                if (rng.percent(50))
                    item.id = u"9%1"_s.arg(nextId++);
                else
                    item.extraParts = rng.percent(50) ? QStringList{} : QStringList{u"1"_s};
                record.modified[list] = true;
            }
            break;
        default:
            if (slot < length) { // a change and its undoing leave the item as it was read
                const QString was = record.slot(list, slot).taxRate;
                edits::setTaxRate(record, list, picked, was == u"7"_s ? u"8"_s : u"7"_s);
                edits::setTaxRate(record, list, picked, was);
            }
            break;
        }
    }
}

QByteArray write(QByteArray source, const std::vector<ShopRecord>& records, bool keep) {
    QBuffer in(&source);
    in.open(QIODevice::ReadOnly);
    QByteArray output;
    QBuffer out(&output);
    out.open(QIODevice::WriteOnly);
    const vw::ScriptWriteResult result = vw::writeScript(in, out, records, {}, {keep});
    EXPECT_EQ(result.status, vw::ScriptWriteResult::Status::Ok);
    return output;
}

QStringList outputLines(const QByteArray& bytes) {
    const QString text = vw::test::decodeScript(bytes);
    EXPECT_TRUE(text.startsWith(u'\uFEFF') && text.endsWith(u"\r\n"_s));
    QStringList lines = text.mid(1).split(u"\r\n"_s);
    lines.removeLast();
    return lines;
}

QString templateLine(const ShopRecord& record, const ItemSlot& item) {
    return record.linePrefix +
           (QStringList{item.id, item.taxRate} + item.extraParts).join(u"; "_s) + record.lineSuffix;
}

QStringList itemsOf(const ShopRecord& record, int list) {
    QStringList items;
    for (int s = 0; s < record.listLength(list); ++s) {
        const ItemSlot& item = record.slot(list, s);
        items << (QStringList{item.id, item.taxRate} + item.extraParts).join(u'|');
    }
    return items;
}

struct Block {
    int end; // index of the end line in the source lines
    int record;
    int list;
};

void checkCase(const Script& script, const std::vector<ShopRecord>& original,
               const std::vector<ShopRecord>& records) {
    std::map<int, Block> blocks; // by the index of the first item line
    for (int r = 0; r < static_cast<int>(records.size()); ++r) {
        for (int k = 0; k < ShopRecord::ListCount; ++k) {
            const ShopRecord& record = records[r];
            if (record.modified[k] && record.startLine[k] > 0 && record.endLine[k] > 0)
                blocks[record.startLine[k] - 2] = {record.endLine[k] - 2, r, k};
        }
    }
    QByteArray output = write(script.bytes, records, true);
    const QStringList kept = outputLines(output);
    QStringList plain;
    qsizetype out = 0; // the place in the kept output that stands for source line i
    for (int i = 0; i < static_cast<int>(script.lines.size()); ++i) {
        const auto found = blocks.find(i);
        if (found == blocks.end()) {
            plain << script.lines[i];
            EXPECT_EQ(kept.value(out++), script.lines[i]) << "source line " << i + 1;
            continue;
        }
        const Block& block = found->second;
        const ShopRecord& record = records[block.record];
        const ShopRecord& source = original[block.record];
        std::map<int, ItemSlot> read; // the list's items as read, by line counter
        for (int s = 0; s < source.listLength(block.list); ++s)
            read[source.slot(block.list, s).line] = source.slot(block.list, s);
        for (int s = 0; s < record.listLength(block.list); ++s) {
            const ItemSlot& item = record.slot(block.list, s);
            plain << templateLine(record, item);
            // An item as it was read keeps its source line, wherever it moved; every other is
            // new or changed and comes from the template.
            const auto was = read.find(item.line);
            const bool unchanged = was != read.end() && was->second == item;
            EXPECT_EQ(kept.value(out++),
                      unchanged ? script.lines[item.line - 2] : templateLine(record, item))
                << item.id.toStdString();
        }
        i = block.end - 1;
    }
    EXPECT_EQ(out, kept.size());
    EXPECT_EQ(outputLines(write(script.bytes, records, false)), plain);

    // Read back, the written lists hold the edited items, the others their items as read.
    QBuffer again(&output);
    again.open(QIODevice::ReadOnly);
    std::map<QString, QStringList> reread;
    for (const ShopRecord& record : vw::readScript(again).records) {
        for (int k = 0; k < ShopRecord::ListCount; ++k)
            reread[record.className + QString::number(k)] = itemsOf(record, k);
    }
    for (size_t r = 0; r < records.size(); ++r) {
        for (int k = 0; k < ShopRecord::ListCount; ++k) {
            const bool written = blocks.count(records[r].startLine[k] - 2) != 0;
            EXPECT_EQ(reread[records[r].className + QString::number(k)],
                      itemsOf(written ? records[r] : original[r], k));
        }
    }
}

} // namespace

TEST(KeptLinesProperty, OnlyTheLinesOfEditedItemsDiffer) {
    int editedItems = 0;
    for (quint64 seed = 0; seed < Cases && !HasFailure(); ++seed) {
        SCOPED_TRACE(seed);
        Rng rng{seed + 5000};
        const Script script = generate(rng);
        QByteArray bytes = script.bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const std::vector<ShopRecord> original = vw::readScript(buffer).records;
        std::vector<ShopRecord> records = original;
        int nextId = 0;
        for (ShopRecord& record : records) {
            if (rng.percent(70))
                edit(rng, record, nextId);
            for (int k = 0; k < ShopRecord::ListCount; ++k)
                editedItems += record.modified[k] ? record.listLength(k) : 0;
        }
        checkCase(script, original, records);
    }
    EXPECT_TRUE(HasFailure() || editedItems > static_cast<int>(Cases)); // the cases do edit
}
