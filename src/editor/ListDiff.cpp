#include "ListDiff.h"

#include <QHash>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace vw::edits {

namespace {

using Kind = EditCommand::Kind;

bool sameItem(const ItemSlot& a, const ItemSlot& b) {
    return a.id == b.id && a.taxRate == b.taxRate && a.extraParts == b.extraParts;
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
    // Each ID's positions after, as a chain from the first one not yet matched.
    QHash<QString, int> next;
    std::vector<int> following(static_cast<size_t>(n), -1);
    next.reserve(n);
    for (int j = n - 1; j >= 0; --j) {
        const auto found = next.find(after.slot(list, j).id);
        if (found == next.end()) {
            next.insert(after.slot(list, j).id, j);
        } else {
            following[static_cast<size_t>(j)] = *found;
            *found = j;
        }
    }
    std::vector<int> matched; // positions after, in the order before
    std::vector<int> matchedFrom;
    for (int i = 0; i < m; ++i) {
        const auto found = next.find(before.slot(list, i).id);
        if (found == next.end() || *found < 0)
            continue;
        const int j = *found;
        *found = following[static_cast<size_t>(j)];
        a.afterOf[static_cast<size_t>(i)] = j;
        a.beforeOf[static_cast<size_t>(j)] = i;
        matched.push_back(j);
        matchedFrom.push_back(i);
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

// Writes the commands of one list; `template_` is the extra parts new items get.
class ListCommands {
public:
    explicit ListCommands(std::vector<EditCommand>& out) : out_(out) {}

    void write(const ShopRecord* before, const ShopRecord& after, int list) {
        static const ShopRecord none;
        const ShopRecord& from = before ? *before : none;
        const Alignment a = align(from, after, list);
        const ListDiff diff = diffOf(from, after, list, a);
        const QStringList& extra = (before ? *before : after).templateExtraParts;
        for (const ListDiff::Removed& removed : diff.removed)
            push(Kind::Remove, removed.item.id);
        for (const ListDiff::Changed& changed : diff.changed) {
            EditCommand& c = push(Kind::Tax, changed.id);
            c.taxRate = changed.taxAfter;
            if (changed.extraBefore != changed.extraAfter)
                c.extraParts = changed.extraAfter;
        }
        // From the end, each item that did not stay goes right before its successor, which by
        // then stands where it belongs: the list ends as it is after.
        const int n = after.listLength(list);
        for (int j = n - 1; j >= 0; --j) {
            if (a.stays[static_cast<size_t>(j)])
                continue;
            const ItemSlot& item = after.slot(list, j);
            const QString anchor = j + 1 < n ? after.slot(list, j + 1).id : QString();
            const bool added = a.beforeOf[static_cast<size_t>(j)] < 0;
            EditCommand& c = added ? push(anchor.isNull() ? Kind::Add : Kind::Insert, item.id)
                                   : push(anchor.isNull() ? Kind::Bottom : Kind::Move, item.id);
            c.other = anchor;
            if (added) {
                c.taxRate = item.taxRate;
                if (item.extraParts != extra)
                    c.extraParts = item.extraParts;
            }
        }
    }

private:
    EditCommand& push(Kind kind, const QString& id) {
        EditCommand c;
        c.kind = kind;
        c.id = id;
        out_.push_back(std::move(c));
        return out_.back();
    }

    std::vector<EditCommand>& out_;
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

std::vector<EditCommand> editCommands(const std::vector<ShopRecord>& before,
                                      const std::vector<ShopRecord>& after,
                                      const DescribeClass& describe) {
    // The records of each class in script order, in both.
    QHash<QString, std::vector<int>> classesBefore;
    QHash<QString, std::vector<int>> classesAfter;
    for (int r = 0; r < static_cast<int>(before.size()); ++r)
        classesBefore[before[static_cast<size_t>(r)].className].push_back(r);
    for (int r = 0; r < static_cast<int>(after.size()); ++r)
        classesAfter[after[static_cast<size_t>(r)].className].push_back(r);

    std::vector<EditCommand> out;
    int selectedList = -1;
    // One record's lists: its selection and list commands only when a list differs.
    const auto pair = [&](const QString& className, int ordinal, const ShopRecord* from,
                          const ShopRecord* to) {
        static const ShopRecord none;
        const ShopRecord& source = from ? *from : none;
        const ShopRecord& target = to ? *to : none;
        bool selected = false;
        for (int list = 0; list < ShopRecord::ListCount; ++list) {
            if (sameItems(source, target, list))
                continue;
            if (!selected) {
                EditCommand select;
                const bool once = classesBefore.value(className).size() <= 1 && ordinal == 1;
                select.kind = once ? Kind::Npc : Kind::Record;
                select.name = className;
                select.number = once ? 0 : ordinal;
                if (describe)
                    select.comment = describe(className);
                out.push_back(std::move(select));
                selected = true;
            }
            if (list != selectedList) {
                EditCommand choose;
                choose.kind = Kind::List;
                choose.number = list;
                out.push_back(choose);
                selectedList = list;
            }
            ListCommands(out).write(from, target, list);
        }
    };
    for (const ShopRecord& record : before) {
        const std::vector<int>& mine = classesBefore[record.className];
        const std::vector<int> theirs = classesAfter.value(record.className);
        const auto k = static_cast<size_t>(
            std::find(mine.begin(), mine.end(), static_cast<int>(&record - before.data())) -
            mine.begin());
        pair(record.className, static_cast<int>(k) + 1, &record,
             k < theirs.size() ? &after[static_cast<size_t>(theirs[k])] : nullptr);
    }
    // Records only the state after has: their commands name a class, or a record of it, that
    // the records before lack, and so tell that they cannot apply there.
    for (const ShopRecord& record : after) {
        const std::vector<int>& theirs = classesAfter[record.className];
        const auto k = static_cast<size_t>(
            std::find(theirs.begin(), theirs.end(), static_cast<int>(&record - after.data())) -
            theirs.begin());
        if (k >= classesBefore.value(record.className).size())
            pair(record.className, static_cast<int>(k) + 1, nullptr, &record);
    }
    return out;
}

} // namespace vw::edits
