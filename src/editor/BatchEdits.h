#pragma once

#include "ListEdits.h"
#include "script/ShopRecord.h"

#include <QString>

#include <span>
#include <vector>

namespace vw::edits {

// The edits of paste, drop and the batch edits on where an item is sold: many items at once,
// each refusal with its reason, and items named by ID.

// The slot of the first item `id` of the list, or -1. Exact comparison, as containsItem.
int findItem(const ShopRecord& record, int list, QStringView id);

// Why insertItems left an item out.
enum class InsertRefusal {
    InvalidId, // blank, or breaks the item line (fitsItemLine)
    TaxRate,   // taxRateProblem() names what
    Duplicate, // the list, or an earlier item of the batch, holds the ID
};
struct RefusedItem {
    int index; // into the items given
    InsertRefusal reason;
    TaxRateProblem taxRate = TaxRateProblem::None;
};
struct InsertResult {
    int first = 0; // where the first inserted item stands; the others follow it
    int count = 0;
    std::vector<RefusedItem> refused; // in the order given
};
// Puts the items that may go into the list at `slot` (past the end: appended), in their order,
// and marks the list modified when any did. One pass over the list, however many items come.
InsertResult insertItems(ShopRecord& record, int list, int slot, std::span<const ItemSlot> items);

enum class ReplaceResult { Replaced, NoItem, InvalidId, AlreadyInList };
// Gives the item at `slot` the ID `id`, keeping its place, tax rate, extra parts and line text.
ReplaceResult replaceItem(ShopRecord& record, int list, int slot, const QString& id);

} // namespace vw::edits
