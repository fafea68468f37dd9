#include "ShopRecord.h"

namespace vw {

void ShopRecord::growTo(int index) {
    if (index <= upperBound())
        return;
    for (auto& list : items_)
        list.resize(static_cast<size_t>(index) + 1);
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
