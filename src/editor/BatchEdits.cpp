#include "BatchEdits.h"

#include "script/LineSource.h"

#include <QSet>

#include <algorithm>

namespace vw::edits {

namespace {

bool validId(QStringView id) {
    return !trimSpaces(id).isEmpty() && fitsItemLine(id);
}

} // namespace

int findItem(const ShopRecord& record, int list, QStringView id) {
    if (list < 0 || list >= ShopRecord::ListCount)
        return -1;
    const int length = record.listLength(list);
    for (int i = 0; i < length; ++i) {
        if (record.slot(list, i).id == id)
            return i;
    }
    return -1;
}

InsertResult insertItems(ShopRecord& record, int list, int slot, std::span<const ItemSlot> items) {
    InsertResult result;
    if (list < 0 || list >= ShopRecord::ListCount)
        return result;
    const int length = record.listLength(list);
    QSet<QString> ids;
    ids.reserve(length + static_cast<qsizetype>(items.size()));
    for (int i = 0; i < length; ++i)
        ids.insert(record.slot(list, i).id);
    std::vector<ItemSlot> taken;
    for (int k = 0; k < static_cast<int>(items.size()); ++k) {
        const ItemSlot& item = items[static_cast<size_t>(k)];
        const TaxRateProblem rate = taxRateProblem(item.taxRate);
        if (!validId(item.id))
            result.refused.push_back({k, InsertRefusal::InvalidId});
        else if (rate != TaxRateProblem::None)
            result.refused.push_back({k, InsertRefusal::TaxRate, rate});
        else if (!ids.contains(item.id)) {
            ids.insert(item.id);
            taken.push_back(item);
        } else
            result.refused.push_back({k, InsertRefusal::Duplicate});
    }
    result.first = std::clamp(slot, 0, length);
    result.count = static_cast<int>(taken.size());
    if (taken.empty())
        return result;
    std::vector<ItemSlot> all;
    all.reserve(static_cast<size_t>(length) + taken.size());
    for (int i = 0; i < result.first; ++i)
        all.push_back(std::move(record.slot(list, i)));
    std::move(taken.begin(), taken.end(), std::back_inserter(all));
    for (int i = result.first; i < length; ++i)
        all.push_back(std::move(record.slot(list, i)));
    record.setItems(list, std::move(all));
    record.modified[list] = true;
    return result;
}

ReplaceResult replaceItem(ShopRecord& record, int list, int slot, const QString& id) {
    if (list < 0 || list >= ShopRecord::ListCount || slot < 0 || slot >= record.listLength(list))
        return ReplaceResult::NoItem;
    if (!validId(id))
        return ReplaceResult::InvalidId;
    if (containsItem(record, list, id))
        return ReplaceResult::AlreadyInList;
    record.slot(list, slot).id = id;
    record.modified[list] = true;
    return ReplaceResult::Replaced;
}

} // namespace vw::edits
