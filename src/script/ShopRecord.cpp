#include "ShopRecord.h"

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
    int n = 0;
    for (const ItemSlot& s : items_[list]) {
        if (s.id.isEmpty())
            break;
        ++n;
    }
    return n;
}

} // namespace vw
