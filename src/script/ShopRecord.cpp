#include "ShopRecord.h"

#include <algorithm>

namespace vw {

void ShopRecord::growTo(int index) {
    if (index <= upperBound())
        return;
    for (auto& list : items_)
        list.resize(static_cast<size_t>(index) + 1);
}

void ShopRecord::dropSpareSlots() {
    // Only the tail is looked at, so an edit of a long list does not pay for its length.
    const auto empty = [this](size_t slot) {
        return items_[0][slot].id.isEmpty() && items_[1][slot].id.isEmpty();
    };
    for (size_t n = items_[0].size(); n >= 2 && empty(n - 1) && empty(n - 2); --n) {
        for (auto& list : items_)
            list.pop_back();
    }
}

int ShopRecord::listLength(int list) const {
    // Slots past a list's end are empty, so its end is found by halving: edits ask for it on
    // every add, and a count from the start would make long lists quadratic to build.
    const auto& column = items_[list];
    return static_cast<int>(
        std::partition_point(column.begin(), column.end(),
                             [](const ItemSlot& s) { return !s.id.isEmpty(); }) -
        column.begin());
}

void ShopRecord::setItems(int list, std::vector<ItemSlot> items) {
    auto& own = items_[list];
    auto& other = items_[1 - list];
    const size_t size = std::max(items.size(), other.size());
    own = std::move(items);
    own.resize(size);
    // At the size it takes, not the growth step of resize: the reader sets each list once.
    other.reserve(size);
    other.resize(size);
    dropSpareSlots();
}

} // namespace vw
