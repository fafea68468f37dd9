#include "ListEdits.h"

#include "script/LineSource.h"

namespace vw::edits {

namespace {

bool isItem(const ShopRecord& record, int list, int slot) {
    return list >= 0 && list < ShopRecord::ListCount && slot >= 0 && slot <= record.upperBound() &&
           !record.slot(list, slot).id.isEmpty();
}

bool markModified(ShopRecord& record, int list) {
    record.modified[list] = true;
    return true;
}

} // namespace

bool moveUp(ShopRecord& record, int list, int slot) {
    if (!isItem(record, list, slot) || slot == 0)
        return false;
    std::swap(record.slot(list, slot - 1), record.slot(list, slot));
    return markModified(record, list);
}

bool moveDown(ShopRecord& record, int list, int slot) {
    if (!isItem(record, list, slot) || slot >= record.upperBound() ||
        record.slot(list, slot + 1).id.isEmpty())
        return false;
    std::swap(record.slot(list, slot), record.slot(list, slot + 1));
    return markModified(record, list);
}

bool moveToTop(ShopRecord& record, int list, int slot) {
    if (!isItem(record, list, slot))
        return false;
    ItemSlot held = std::move(record.slot(list, slot));
    for (int i = slot; i > 0; --i)
        record.slot(list, i) = std::move(record.slot(list, i - 1));
    record.slot(list, 0) = std::move(held);
    return markModified(record, list);
}

bool moveToBottom(ShopRecord& record, int list, int slot) {
    if (!isItem(record, list, slot))
        return false;
    ItemSlot held = std::move(record.slot(list, slot));
    int i = slot;
    for (; i < record.upperBound() && !record.slot(list, i + 1).id.isEmpty(); ++i)
        record.slot(list, i) = std::move(record.slot(list, i + 1));
    record.slot(list, i) = std::move(held);
    return markModified(record, list);
}

bool deleteItem(ShopRecord& record, int list, int slot) {
    if (!isItem(record, list, slot))
        return false;
    // Close the gap up to the list's end, then empty the slot that frees.
    int i = slot;
    for (; i < record.upperBound(); ++i) {
        record.slot(list, i) = record.slot(list, i + 1);
        if (record.slot(list, i + 1).id.isEmpty())
            break;
    }
    if (i == record.upperBound())
        record.slot(list, i) = ItemSlot{};
    record.dropSpareSlots();
    return markModified(record, list);
}

bool containsItem(const ShopRecord& record, int list, QStringView id) {
    if (list < 0 || list >= ShopRecord::ListCount)
        return false;
    for (int j = record.upperBound(); j >= 0; --j) {
        if (record.slot(list, j).id == id)
            return true;
    }
    return false;
}

// A blank ID would be written as an entry the reader does not take for an item.
bool insertItem(ShopRecord& record, int list, int slot, ItemSlot item) {
    if (list < 0 || list >= ShopRecord::ListCount || slot < 0 || trimSpaces(item.id).isEmpty() ||
        containsItem(record, list, item.id))
        return false;
    const int length = record.listLength(list);
    slot = std::min(slot, length);
    record.growTo(record.upperBound() + 1);
    for (int j = length; j > slot; --j)
        record.slot(list, j) = std::move(record.slot(list, j - 1));
    record.slot(list, slot) = std::move(item);
    record.dropSpareSlots();
    return markModified(record, list);
}

bool appendItem(ShopRecord& record, int list, ItemSlot item) {
    if (list < 0 || list >= ShopRecord::ListCount)
        return false;
    return insertItem(record, list, record.listLength(list), std::move(item));
}

ItemSlot newItem(const ShopRecord& record, const QString& id, const QString& taxRate) {
    return {id, taxRate, QStringLiteral("0"), record.templateExtraParts};
}

} // namespace vw::edits
