// Generated scripts and edits of them: the edit file that diff computes turns one script's lists
// into the other's, says nothing between equal ones, and carries edits onto a script that
// others changed.

#include "../support/Printers.h"
#include "editor/EditSession.h"
#include "editor/ListDiff.h"
#include "script/ScriptReader.h"
#include "script/ScriptWriter.h"

#include "../support/SplitMix.h"
#include "../support/TestFiles.h"

#include <QBuffer>
#include <QHash>
#include <QSet>

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using vw::ItemSlot;
using vw::ShopRecord;
namespace edits = vw::edits;

namespace {

constexpr quint64 Cases = 200;

using Rng = vw::test::SplitMix;
using Records = std::vector<ShopRecord>;

// IDs a script can hold, some of which only a quoted word can name.
const QStringList OldIds = QStringList{u"a b"_s,  u"a\tb"_s,       u"#7"_s,
                                       u"q\"r"_s, u"s\\t"_s,       u"4007\u00A0"_s,
                                       u"a{b"_s,  u"\U0001F600"_s, QString(QChar(0xD800)) + u'x'} +
                           [] {
                               QStringList numbers;
                               for (int i = 0; i < 30; ++i)
                                   numbers << QString::number(1000 + i);
                               return numbers;
                           }();
// A class stands twice; names hold spaces, a tab, an ideographic space.
const QStringList Classes = {u"m"_s, u"m"_s, u"merchant_a"_s, u"a b"_s, u"c\t"_s, u"商人\u3000"_s};

QByteArray script(Rng& rng) {
    QStringList lines{u"// ai"_s};
    for (int c = 0, count = 2 + rng.below(5); c < count; ++c) {
        lines << u"class "_s + Classes[(c + rng.below(2)) % Classes.size()] + u" : merchant"_s
              << u"property_define_begin"_s;
        for (int list = 0; list < 2; ++list) {
            if (rng.percent(15))
                continue;
            lines << u"\tbuyselllist_begin SellList"_s + QString::number(list);
            QStringList ids = OldIds;
            for (int n = rng.below(9); n >= 0; --n) {
                const QString id = ids.takeAt(rng.below(static_cast<int>(ids.size())));
                const QString extra = rng.percent(80)   ? u"; 0.000000; 0"_s
                                      : rng.percent(50) ? QString()
                                                        : u"; 1.5"_s;
                lines << u"\t\t{"_s + id + u"; "_s + rng.pick({u"10"_s, u"0"_s, u""_s}) + extra +
                             u"};"_s;
            }
            lines << u"\tbuyselllist_end"_s;
        }
        lines << u"property_define_end"_s << u"class_end"_s << u"// handlers"_s;
    }
    return vw::test::scriptBytes(lines);
}

Records read(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return vw::readScript(buffer).records;
}

// The records as a script written with them and read again: what diff is given.
Records reread(QByteArray source, const Records& records) {
    QBuffer in(&source);
    in.open(QIODevice::ReadOnly);
    QByteArray output;
    QBuffer out(&output);
    out.open(QIODevice::WriteOnly);
    EXPECT_EQ(vw::writeScript(in, out, records).status, vw::ScriptWriteResult::Status::Ok);
    return read(output);
}

// Random edits of the lists a script has a place for. Only items `mayTouch` allows are
// removed, moved or changed; new IDs start with `prefix` and are new to the list.
void edit(Rng& rng, Records& records, const QString& prefix,
          const std::function<bool(const QString&)>& mayTouch) {
    int fresh = 0;
    for (ShopRecord& record : records) {
        for (int list = 0; list < 2; ++list) {
            if (record.startLine[list] == 0 || rng.percent(40))
                continue;
            std::vector<ItemSlot> items;
            for (int i = 0; i < record.listLength(list); ++i)
                items.push_back(record.slot(list, i));
            for (int n = 1 + rng.below(4); n > 0; --n) {
                std::vector<int> touchable;
                for (int i = 0; i < static_cast<int>(items.size()); ++i) {
                    if (mayTouch(items[static_cast<size_t>(i)].id))
                        touchable.push_back(i);
                }
                // A list keeps an item, so no record drops out of the script read again.
                int op = touchable.empty() ? 0 : rng.below(5);
                if (op == 1 && items.size() == 1)
                    op = 0;
                const auto at = [&](int i) { return items.begin() + i; };
                const int pick = touchable.empty() ? 0 : touchable[rng.below(touchable.size())];
                const int place = rng.below(static_cast<int>(items.size()) + 1);
                const QString tax = rng.pick({u"5"_s, u"12.5"_s});
                if (op == 0) {
                    const QString id =
                        prefix + rng.pick({u""_s, u" "_s, u"#"_s}) + QString::number(fresh++);
                    items.insert(at(place), {id, tax, 0,
                                             rng.percent(70) ? record.templateExtraParts
                                                             : QStringList{u"9"_s}});
                } else if (op == 1) {
                    items.erase(at(pick));
                } else if (op == 2) {
                    const ItemSlot moved = items[static_cast<size_t>(pick)];
                    items.erase(at(pick));
                    items.insert(at(std::min(place, static_cast<int>(items.size()))), moved);
                } else {
                    items[static_cast<size_t>(pick)].taxRate = tax;
                    if (op == 4)
                        items[static_cast<size_t>(pick)].extraParts = {u"7"_s, u""_s};
                }
            }
            record.setItems(list, std::move(items));
            record.modified[list] = true;
        }
    }
}

QStringList itemsOf(const ShopRecord* record, int list) {
    QStringList items;
    for (int i = 0; record && i < record->listLength(list); ++i) {
        const ItemSlot& item = record->slot(list, i);
        items << (QStringList{item.id, item.taxRate} + item.extraParts).join(u'|');
    }
    return items;
}

// The records by class name and their rank among the records of that class.
std::map<std::pair<QString, int>, const ShopRecord*> byClass(const Records& records) {
    std::map<std::pair<QString, int>, const ShopRecord*> result;
    QHash<QString, int> seen;
    for (const ShopRecord& record : records)
        result[{record.className, seen[record.className]++}] = &record;
    return result;
}

QString applied(const Records& from, const Records& to, Records& records,
                edits::EditRun* run = nullptr) {
    const QString text = edits::writeEditFile(edits::editCommands(from, to));
    edits::EditRun result = edits::applyEditFile(text, records, edits::OnProblem::KeepGoing);
    if (run)
        *run = std::move(result);
    else
        EXPECT_TRUE(result.skipped.empty()) << text.toStdString();
    return text;
}

QSet<QString> changedIds(const edits::ListDiff& diff) {
    QSet<QString> ids;
    for (const auto& a : diff.added)
        ids << a.item.id;
    for (const auto& r : diff.removed)
        ids << r.item.id;
    for (const auto& m : diff.moved)
        ids << m.id;
    for (const auto& c : diff.changed)
        ids << c.id;
    return ids;
}

} // namespace

TEST(EditDiffProperty, DiffThenApplyGivesTheNewListsAndEqualScriptsGiveNothing) {
    for (quint64 seed = 0; seed < Cases && !HasFailure(); ++seed) {
        SCOPED_TRACE(seed);
        Rng rng{seed};
        const QByteArray source = script(rng);
        const Records old = read(source);
        EXPECT_TRUE(edits::editCommands(old, old).empty());
        EXPECT_TRUE(edits::editCommands(old, reread(source, old)).empty());

        Records edited = old;
        edit(rng, edited, u"n"_s, [](const QString&) { return true; });
        // Told which lists were edited, the window's forms look at those alone and agree.
        std::vector<vw::ListRef> touched;
        for (int r = 0; r < static_cast<int>(edited.size()); ++r) {
            for (int list = 0; list < 2; ++list) {
                if (edited[static_cast<size_t>(r)].modified[list])
                    touched.push_back({r, list});
            }
        }
        EXPECT_EQ(edits::editCommands(old, edited, touched), edits::editCommands(old, edited));
        EXPECT_EQ(edits::diffLists(old, edited, touched).size(),
                  edits::diffRecords(old, edited).size());
        const Records now = reread(source, edited);
        Records result = old;
        const QString text = applied(old, now, result);
        const auto want = byClass(now);
        for (const auto& [key, record] : byClass(result)) {
            const auto found = want.find(key);
            for (int list = 0; list < 2; ++list) {
                EXPECT_EQ(itemsOf(record, list),
                          itemsOf(found == want.end() ? nullptr : found->second, list))
                    << text.toStdString();
            }
        }
    }
}

TEST(EditDiffProperty, EditsCarryOntoANewerScriptAndClashOnlyOnItemsBothChanged) {
    int carried = 0;
    for (quint64 seed = 0; seed < Cases && !HasFailure(); ++seed) {
        SCOPED_TRACE(seed);
        Rng rng{seed + 5000};
        const Records old = read(script(rng));
        // Each item of the script is one side's to change: the other side leaves it alone.
        QHash<QString, bool> mine;
        for (const QString& id : OldIds)
            mine[id] = rng.percent(50);
        Records ours = old;
        edit(rng, ours, u"m"_s, [&](const QString& id) { return mine.value(id); });
        Records newer = old;
        edit(rng, newer, u"w"_s, [&](const QString& id) { return !mine.value(id); });

        Records result = newer;
        edits::EditRun run;
        const QString text = applied(old, ours, result, &run);
        for (size_t r = 0; r < old.size(); ++r) {
            for (int list = 0; list < 2; ++list) {
                const edits::ListDiff ourDiff = edits::diffList(old[r], ours[r], list);
                const edits::ListDiff theirDiff = edits::diffList(old[r], newer[r], list);
                const QSet<QString> both = changedIds(ourDiff) & changedIds(theirDiff);
                for (const edits::EditProblem& p : run.skipped) {
                    if (p.record == static_cast<int>(r) && p.list == list) {
                        EXPECT_TRUE(both.contains(p.text)) << text.toStdString();
                    }
                }
                const QStringList items = itemsOf(&result[r], list);
                if (ourDiff.isEmpty()) {
                    EXPECT_EQ(items, itemsOf(&newer[r], list));
                    continue;
                }
                if (theirDiff.isEmpty()) {
                    EXPECT_EQ(items, itemsOf(&ours[r], list)) << text.toStdString();
                    continue;
                }
                ++carried;
                // Both changed the list: every item once, with the change of the side that
                // made it, and the items neither moved in the order they had.
                QStringList expected = itemsOf(&newer[r], list);
                for (const auto& removed : ourDiff.removed)
                    expected.removeAll(itemsOf(&old[r], list)[removed.position]);
                for (const auto& c : ourDiff.changed) {
                    for (QString& item : expected) {
                        if (item.section(u'|', 0, 0) == c.id)
                            item = (QStringList{c.id, c.taxAfter} + c.extraAfter).join(u'|');
                    }
                }
                for (const auto& added : ourDiff.added)
                    expected << (QStringList{added.item.id, added.item.taxRate} +
                                 added.item.extraParts)
                                    .join(u'|');
                QStringList sortedItems = items;
                sortedItems.sort();
                expected.sort();
                EXPECT_EQ(sortedItems, expected) << text.toStdString();
                const QSet<QString> touched = changedIds(ourDiff) | changedIds(theirDiff);
                const auto unmoved = [&](const QStringList& list) {
                    QStringList ids;
                    for (const QString& item : list) {
                        if (!touched.contains(item.section(u'|', 0, 0)))
                            ids << item.section(u'|', 0, 0);
                    }
                    return ids;
                };
                EXPECT_EQ(unmoved(items), unmoved(itemsOf(&newer[r], list)));
            }
        }
    }
    EXPECT_TRUE(HasFailure() || carried > static_cast<int>(Cases) / 2); // both sides do meet
}
