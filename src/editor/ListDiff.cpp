#include "ListDiff.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace vw::edits {

namespace {

using Kind = EditCommand::Kind;

// Texts that share their data are equal without a look at it: an unchanged list of a copy of
// the records shares every text with the original.
bool sameText(const QString& a, const QString& b) {
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

bool sameItem(const ItemSlot& a, const ItemSlot& b) {
    return sameText(a.id, b.id) && sameText(a.taxRate, b.taxRate) &&
           (a.extraParts.constData() == b.extraParts.constData() || a.extraParts == b.extraParts);
}

// Which items of the list before and after correspond, and which of those stay put.
struct Alignment {
    std::vector<int> beforeOf; // per item after: the item before it is, or -1 when added
    std::vector<int> afterOf;  // per item before: the item after it became, or -1 when removed
    std::vector<bool> stays;   // per item after: in the longest run already in order
};

Alignment align(const ShopRecord& before, const ShopRecord& after, int list) {
    const int m = before.listLength(list);
    const int n = after.listLength(list);
    Alignment a{std::vector<int>(static_cast<size_t>(n), -1),
                std::vector<int>(static_cast<size_t>(m), -1),
                std::vector<bool>(static_cast<size_t>(n), false)};
    const auto pair = [&a](int i, int j) {
        a.afterOf[static_cast<size_t>(i)] = j;
        a.beforeOf[static_cast<size_t>(j)] = i;
    };
    // Edits mostly leave a list's two ends where they were: those items stay, and only what
    // lies between is matched through a table.
    int head = 0;
    while (head < std::min(m, n) && sameText(before.slot(list, head).id, after.slot(list, head).id))
        ++head;
    int tail = 0;
    while (tail < std::min(m, n) - head &&
           sameText(before.slot(list, m - 1 - tail).id, after.slot(list, n - 1 - tail).id))
        ++tail;
    for (int k = 0; k < head; ++k) {
        pair(k, k);
        a.stays[static_cast<size_t>(k)] = true;
    }
    for (int k = 1; k <= tail; ++k) {
        pair(m - k, n - k);
        a.stays[static_cast<size_t>(n - k)] = true;
    }
    // Each ID's positions after, as a chain from the first one not yet matched.
    QHash<QString, int> next;
    std::vector<int> following(static_cast<size_t>(n), -1);
    next.reserve(n - head - tail);
    for (int j = n - tail - 1; j >= head; --j) {
        const auto found = next.find(after.slot(list, j).id);
        if (found == next.end()) {
            next.insert(after.slot(list, j).id, j);
        } else {
            following[static_cast<size_t>(j)] = *found;
            *found = j;
        }
    }
    std::vector<int> matched; // positions after, in the order before
    for (int i = head; i < m - tail; ++i) {
        const auto found = next.find(before.slot(list, i).id);
        if (found == next.end() || *found < 0)
            continue;
        const int j = *found;
        *found = following[static_cast<size_t>(j)];
        pair(i, j);
        matched.push_back(j);
    }
    // The longest increasing run of `matched`: patience sorting with back links.
    std::vector<int> tails; // index into matched of the smallest tail of each run length
    std::vector<int> back(matched.size(), -1);
    for (size_t k = 0; k < matched.size(); ++k) {
        const auto at =
            std::lower_bound(tails.begin(), tails.end(), matched[k], [&](int t, int value) {
                return matched[static_cast<size_t>(t)] < value;
            });
        if (at != tails.begin())
            back[k] = *(at - 1);
        if (at == tails.end())
            tails.push_back(static_cast<int>(k));
        else
            *at = static_cast<int>(k);
    }
    for (int k = tails.empty() ? -1 : tails.back(); k >= 0; k = back[static_cast<size_t>(k)])
        a.stays[static_cast<size_t>(matched[static_cast<size_t>(k)])] = true;
    return a;
}

ListDiff diffOf(const ShopRecord& before, const ShopRecord& after, int list, const Alignment& a) {
    ListDiff diff;
    diff.list = list;
    for (int i = 0; i < static_cast<int>(a.afterOf.size()); ++i) {
        if (a.afterOf[static_cast<size_t>(i)] < 0)
            diff.removed.push_back({i, before.slot(list, i)});
    }
    for (int j = 0; j < static_cast<int>(a.beforeOf.size()); ++j) {
        const ItemSlot& item = after.slot(list, j);
        const int i = a.beforeOf[static_cast<size_t>(j)];
        if (i < 0) {
            diff.added.push_back({j, item});
            continue;
        }
        if (!a.stays[static_cast<size_t>(j)])
            diff.moved.push_back({i, j, item.id});
        const ItemSlot& was = before.slot(list, i);
        if (was.taxRate != item.taxRate || was.extraParts != item.extraParts)
            diff.changed.push_back(
                {j, item.id, was.taxRate, item.taxRate, was.extraParts, item.extraParts});
    }
    return diff;
}

std::vector<ItemSlot> itemsOf(const ShopRecord& record, int list) {
    std::vector<ItemSlot> items;
    const int length = record.listLength(list);
    items.reserve(static_cast<size_t>(length));
    for (int i = 0; i < length; ++i)
        items.push_back(record.slot(list, i));
    return items;
}

ShopRecord listOf(int list, std::vector<ItemSlot> items) {
    ShopRecord record;
    record.setItems(list, std::move(items));
    return record;
}

// Writes the commands of one list.
class ListCommands {
public:
    explicit ListCommands(std::vector<EditCommand>& out) : out_(out) {}

    void write(const ShopRecord* before, const ShopRecord& after, int list) {
        static const ShopRecord none;
        const ShopRecord& from = before ? *before : none;
        extra_ = &(before ? *before : after).templateExtraParts;
        const size_t start = out_.size();
        writeFewest(from, after, list, {});
        if (namesARepeatedId(from, list, start)) {
            out_.erase(out_.begin() + static_cast<std::ptrdiff_t>(start), out_.end());
            writeRepeating(itemsOf(from, list), itemsOf(after, list));
        }
    }

private:
    // Whether a command from `start` on names an ID that stands more than once in `from`,
    // where the first with the ID would be taken for the one meant. An ID that stands twice but
    // is never named does no harm. Most lists change in a few items, and the few IDs named are
    // looked for one by one rather than every ID of the list hashed.
    bool namesARepeatedId(const ShopRecord& from, int list, size_t start) const {
        QStringList named;
        for (size_t c = start; c < out_.size(); ++c) {
            named << out_[c].id;
            if (!out_[c].other.isEmpty())
                named << out_[c].other;
        }
        const int length = from.listLength(list);
        constexpr qsizetype Few = 16;
        if (named.size() <= Few) {
            std::vector<int> seen(static_cast<size_t>(named.size()), 0);
            for (int i = 0; i < length; ++i) {
                const QString& id = from.slot(list, i).id;
                for (qsizetype k = 0; k < named.size(); ++k) {
                    if (id == named[k] && ++seen[static_cast<size_t>(k)] > 1)
                        return true;
                }
            }
            return false;
        }
        const QSet<QString> names(named.begin(), named.end());
        QSet<QString> seen;
        for (int i = 0; i < length; ++i) {
            const QString& id = from.slot(list, i).id;
            if (!names.contains(id))
                continue;
            if (seen.contains(id))
                return true;
            seen.insert(id);
        }
        return false;
    }

    // The fewest commands, for a list `from` in which every ID they name stands once. `end` is
    // the item that follows the list in the list as a whole, or null when nothing follows it.
    void writeFewest(const ShopRecord& from, const ShopRecord& after, int list,
                     const QString& end) {
        const Alignment a = align(from, after, list);
        const ListDiff diff = diffOf(from, after, list, a);
        for (const ListDiff::Removed& removed : diff.removed)
            push(Kind::Remove, removed.item.id);
        for (const ListDiff::Changed& changed : diff.changed)
            retax(changed.id, changed.taxBefore, changed.extraBefore,
                  after.slot(list, changed.position));
        // From the end, each item that did not stay goes right before its successor, which by
        // then stands where it belongs: the list ends as it is after.
        const int n = after.listLength(list);
        for (int j = n - 1; j >= 0; --j) {
            if (a.stays[static_cast<size_t>(j)])
                continue;
            const ItemSlot& item = after.slot(list, j);
            place(item, a.beforeOf[static_cast<size_t>(j)] < 0,
                  j + 1 < n ? after.slot(list, j + 1).id : end);
        }
    }

    // A damaged list that holds an ID more than once, where every command that names an item
    // takes the first with that ID. The surplus of each ID goes first, from the front. If an
    // ID still stands more than once, the part of the list from its first place in `after` up
    // to the run at the end that already stands in order is built again behind everything
    // else, item after item in order, each taken from what is left in front of the part built
    // so far, where the first with its ID is the right one. What comes before that part holds
    // each ID once and is ordered as any list is.
    void writeRepeating(const std::vector<ItemSlot>& from, const std::vector<ItemSlot>& after) {
        QHash<QString, int> wanted;
        for (const ItemSlot& item : after)
            ++wanted[item.id];
        QHash<QString, int> surplus;
        for (const ItemSlot& item : from)
            ++surplus[item.id];
        std::vector<ItemSlot> kept;
        for (const ItemSlot& item : from) {
            int& left = surplus[item.id];
            if (left > wanted.value(item.id)) {
                --left;
                push(Kind::Remove, item.id);
            } else {
                kept.push_back(item);
            }
        }
        const int n = static_cast<int>(after.size());
        const int m = static_cast<int>(kept.size());
        int first = 0;
        while (first < n && wanted.value(after[static_cast<size_t>(first)].id) < 2)
            ++first;
        if (first == n) {
            writeFewest(listOf(0, std::move(kept)), listOf(0, after), 0, {});
            return;
        }
        // The run at the end holds IDs that stand once, so each is named without doubt.
        int stays = 0;
        while (stays < m && n - stays - 1 > first &&
               kept[static_cast<size_t>(m - 1 - stays)].id ==
                   after[static_cast<size_t>(n - 1 - stays)].id &&
               wanted.value(after[static_cast<size_t>(n - 1 - stays)].id) == 1)
            ++stays;
        for (int k = 1; k <= stays; ++k) {
            const ItemSlot& was = kept[static_cast<size_t>(m - k)];
            retax(was.id, was.taxRate, was.extraParts, after[static_cast<size_t>(n - k)]);
        }
        const QString end = stays > 0 ? after[static_cast<size_t>(n - stays)].id : QString();
        // What is left of each ID in front of the part built, first place last.
        QHash<QString, std::vector<int>> left;
        for (int i = m - stays - 1; i >= 0; --i)
            left[kept[static_cast<size_t>(i)].id].push_back(i);
        for (int j = first; j < n - stays; ++j) {
            const ItemSlot& item = after[static_cast<size_t>(j)];
            std::vector<int>& places = left[item.id];
            const bool added = places.empty();
            if (!added) {
                const ItemSlot& was = kept[static_cast<size_t>(places.back())];
                places.pop_back();
                retax(item.id, was.taxRate, was.extraParts, item);
            }
            place(item, added, end);
        }
        std::vector<ItemSlot> front(after.begin(), after.begin() + first);
        QSet<QString> frontIds;
        for (const ItemSlot& item : front)
            frontIds.insert(item.id);
        std::vector<ItemSlot> before;
        for (const ItemSlot& item : kept) {
            if (frontIds.contains(item.id))
                before.push_back(item);
        }
        writeFewest(listOf(0, std::move(before)), listOf(0, std::move(front)), 0,
                    after[static_cast<size_t>(first)].id);
    }

    // Sets the tax rate and extra parts of the first item `id` to those of `now`, if they differ.
    void retax(const QString& id, const QString& taxRate, const QStringList& extraParts,
               const ItemSlot& now) {
        if (taxRate == now.taxRate && extraParts == now.extraParts)
            return;
        EditCommand& c = push(Kind::Tax, id);
        c.taxRate = now.taxRate;
        if (extraParts != now.extraParts)
            c.extraParts = now.extraParts;
    }

    // Puts `item` right before the first item `anchor`, or at the end for a null anchor.
    void place(const ItemSlot& item, bool added, const QString& anchor) {
        EditCommand& c = added ? push(anchor.isNull() ? Kind::Add : Kind::Insert, item.id)
                               : push(anchor.isNull() ? Kind::Bottom : Kind::Move, item.id);
        c.other = anchor;
        if (added) {
            c.taxRate = item.taxRate;
            if (item.extraParts != *extra_)
                c.extraParts = item.extraParts;
        }
    }

    EditCommand& push(Kind kind, const QString& id) {
        EditCommand c;
        c.kind = kind;
        c.id = id;
        out_.push_back(std::move(c));
        return out_.back();
    }

    std::vector<EditCommand>& out_;
    const QStringList* extra_ = nullptr;
};

} // namespace

bool sameItems(const ShopRecord& before, const ShopRecord& after, int list) {
    const int n = before.listLength(list);
    if (n != after.listLength(list))
        return false;
    for (int i = 0; i < n; ++i) {
        if (!sameItem(before.slot(list, i), after.slot(list, i)))
            return false;
    }
    return true;
}

ListDiff diffList(const ShopRecord& before, const ShopRecord& after, int list) {
    if (sameItems(before, after, list)) {
        ListDiff diff;
        diff.list = list;
        return diff;
    }
    return diffOf(before, after, list, align(before, after, list));
}

std::vector<ListDiff> diffRecords(const std::vector<ShopRecord>& before,
                                  const std::vector<ShopRecord>& after) {
    std::vector<ListDiff> diffs;
    const size_t count = std::min(before.size(), after.size());
    for (size_t r = 0; r < count; ++r) {
        for (int list = 0; list < ShopRecord::ListCount; ++list) {
            ListDiff diff = diffList(before[r], after[r], list);
            if (diff.isEmpty())
                continue;
            diff.record = static_cast<int>(r);
            diffs.push_back(std::move(diff));
        }
    }
    return diffs;
}

namespace {

// Writes the commands of record after record, each selected once and only when a list of it
// differs, a list selected only when it is not already.
class CommandWriter {
public:
    explicit CommandWriter(const DescribeClass& describe) : describe_(describe) {}

    // `ordinal` counts the records of the class from 1, `count` is how many the records
    // before hold; `lists` has a bit per list to look at.
    void record(const QString& className, int ordinal, int count, const ShopRecord* from,
                const ShopRecord* to, unsigned lists = 3) {
        static const ShopRecord none;
        const ShopRecord& target = to ? *to : none;
        bool selected = false;
        for (int list = 0; list < ShopRecord::ListCount; ++list) {
            if (!(lists & (1U << list)) || sameItems(from ? *from : none, target, list))
                continue;
            if (!selected) {
                EditCommand select;
                const bool once = count <= 1 && ordinal == 1;
                select.kind = once ? Kind::Npc : Kind::Record;
                select.name = className;
                select.number = once ? 0 : ordinal;
                if (describe_)
                    select.comment = describe_(className);
                out_.push_back(std::move(select));
                selected = true;
            }
            if (list != list_) {
                EditCommand choose;
                choose.kind = Kind::List;
                choose.number = list;
                out_.push_back(choose);
                list_ = list;
            }
            ListCommands(out_).write(from, target, list);
        }
    }

    std::vector<EditCommand> take() { return std::move(out_); }

private:
    const DescribeClass& describe_;
    std::vector<EditCommand> out_;
    int list_ = -1;
};

// The rank of each record among the records of its class, from 1, and how many each class has.
struct ClassRanks {
    std::vector<int> rank;
    QHash<QString, std::vector<int>> records;

    explicit ClassRanks(const std::vector<ShopRecord>& all) {
        rank.reserve(all.size());
        for (int r = 0; r < static_cast<int>(all.size()); ++r) {
            std::vector<int>& same = records[all[static_cast<size_t>(r)].className];
            same.push_back(r);
            rank.push_back(static_cast<int>(same.size()));
        }
    }
    int count(const QString& className) const {
        const auto found = records.constFind(className);
        return found == records.cend() ? 0 : static_cast<int>(found->size());
    }
};

} // namespace

std::vector<EditCommand> editCommands(const std::vector<ShopRecord>& before,
                                      const std::vector<ShopRecord>& after,
                                      const DescribeClass& describe) {
    const ClassRanks ranksBefore(before);
    const ClassRanks ranksAfter(after);
    CommandWriter writer(describe);
    for (size_t r = 0; r < before.size(); ++r) {
        const QString& className = before[r].className;
        const int rank = ranksBefore.rank[r];
        const auto theirs = ranksAfter.records.constFind(className);
        const bool paired =
            theirs != ranksAfter.records.cend() && rank <= static_cast<int>(theirs->size());
        writer.record(className, rank, ranksBefore.count(className), &before[r],
                      paired ? &after[static_cast<size_t>((*theirs)[static_cast<size_t>(rank - 1)])]
                             : nullptr);
    }
    // Records only the state after has: their commands name a class, or a record of it, that
    // the records before lack, and so tell that they cannot apply there.
    for (size_t r = 0; r < after.size(); ++r) {
        const QString& className = after[r].className;
        const int count = ranksBefore.count(className);
        if (ranksAfter.rank[r] > count)
            writer.record(className, ranksAfter.rank[r], count, nullptr, &after[r]);
    }
    return writer.take();
}

std::vector<EditCommand> editCommands(const std::vector<ShopRecord>& before,
                                      const std::vector<ShopRecord>& after,
                                      std::span<const ListRef> lists,
                                      const DescribeClass& describe) {
    if (before.size() != after.size())
        return {};
    return editCommands(
        after, [&before](int r) -> const ShopRecord& { return before[static_cast<size_t>(r)]; },
        lists, describe);
}

std::vector<EditCommand> editCommands(const std::vector<ShopRecord>& after,
                                      const std::function<const ShopRecord&(int)>& before,
                                      std::span<const ListRef> lists,
                                      const DescribeClass& describe) {
    std::map<int, unsigned> named; // the lists of each record, in record order
    for (const ListRef& ref : lists) {
        if (ref.record >= 0 && static_cast<size_t>(ref.record) < after.size() && ref.list >= 0 &&
            ref.list < ShopRecord::ListCount)
            named[ref.record] |= 1U << ref.list;
    }
    // Both states hold the same records, so their classes rank alike.
    const ClassRanks ranks(after);
    CommandWriter writer(describe);
    for (const auto& [r, bits] : named) {
        const ShopRecord& record = before(r);
        writer.record(record.className, ranks.rank[static_cast<size_t>(r)],
                      ranks.count(record.className), &record, &after[static_cast<size_t>(r)], bits);
    }
    return writer.take();
}

std::vector<ListDiff> diffLists(const std::vector<ShopRecord>& before,
                                const std::vector<ShopRecord>& after,
                                std::span<const ListRef> lists) {
    std::vector<ListRef> sorted(lists.begin(), lists.end());
    std::sort(sorted.begin(), sorted.end(), [](const ListRef& a, const ListRef& b) {
        return std::pair(a.record, a.list) < std::pair(b.record, b.list);
    });
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    std::vector<ListDiff> diffs;
    for (const ListRef& ref : sorted) {
        if (ref.record < 0 ||
            static_cast<size_t>(ref.record) >= std::min(before.size(), after.size()) ||
            ref.list < 0 || ref.list >= ShopRecord::ListCount)
            continue;
        ListDiff diff = diffList(before[static_cast<size_t>(ref.record)],
                                 after[static_cast<size_t>(ref.record)], ref.list);
        if (diff.isEmpty())
            continue;
        diff.record = ref.record;
        diffs.push_back(std::move(diff));
    }
    return diffs;
}

} // namespace vw::edits
