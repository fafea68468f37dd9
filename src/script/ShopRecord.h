#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace vw {

// One item of a sell list: the unit every edit moves. `line` is the reader's line counter when
// it read the item (the line number plus one, which is what the window shows), 0 for an item
// added since; `extraParts` are the entry parts that stood after the tax rate in the source
// line, kept so the writer can put them back.
struct ItemSlot {
    QString id;
    QString taxRate;
    int line = 0;
    QStringList extraParts;

    bool operator==(const ItemSlot&) const = default;
};

// Both sell lists of one NPC class and where they stood in the script that was read.
// The two lists share one item dimension 0..N: the shorter list's slots past its end are empty,
// and a list ends before its first slot whose item ID is empty; every slot after it is empty too.
class ShopRecord {
public:
    static constexpr int ListCount = 2;

    QString className;
    std::array<int, ListCount> startLine{0, 0};
    std::array<int, ListCount> endLine{0, 0};
    QString linePrefix;
    QString lineSuffix;
    // The extra entry parts of the record's first item line; items added later take them.
    QStringList templateExtraParts;
    std::array<bool, ListCount> modified{false, false};

    // Upper bound N of the shared item dimension; -1 while no slot exists.
    int upperBound() const { return static_cast<int>(items_[0].size()) - 1; }
    // Grows the shared dimension so that `index` is a valid slot.
    void growTo(int index);
    // Drops the trailing slots that lie beyond both lists, keeping one spare, so the dimension
    // is at most the longer list's length plus one: edits that add and take away items would
    // otherwise grow it without end, and every search through it with them.
    void dropSpareSlots();
    // Gives back the capacity growTo reserved beyond the last slot.
    void compact() {
        for (auto& list : items_)
            list.shrink_to_fit();
    }

    ItemSlot& slot(int list, int index) { return items_[list][static_cast<size_t>(index)]; }
    const ItemSlot& slot(int list, int index) const {
        return items_[list][static_cast<size_t>(index)];
    }

    // Number of items of `list`: slots from 0 while the item ID is not empty.
    int listLength(int list) const;
    // Replaces the items of `list` (none with an empty ID) and fits the shared dimension to them.
    void setItems(int list, std::vector<ItemSlot> items);
    bool listExists(int list) const { return upperBound() >= 0 && !items_[list][0].id.isEmpty(); }

    bool operator==(const ShopRecord&) const = default;

private:
    std::array<std::vector<ItemSlot>, ListCount> items_;
};

} // namespace vw
