#pragma once

#include "script/ShopRecord.h"

namespace vw::edits {

// The edits of one sell list of a record. Each acts on slot `slot` of list `list`, moves slots
// as whole units, never touches the other list, and marks the list modified when it applies.
// They return false, changing nothing, when they cannot apply.

bool moveUp(ShopRecord& record, int list, int slot);
bool moveDown(ShopRecord& record, int list, int slot);
// Moving the first item to the top (or the last to the bottom) still applies: the list is
// marked modified with its order unchanged.
bool moveToTop(ShopRecord& record, int list, int slot);
bool moveToBottom(ShopRecord& record, int list, int slot);
bool deleteItem(ShopRecord& record, int list, int slot);

// Exact comparison: letter case and spaces count.
bool containsItem(const ShopRecord& record, int list, QStringView id);
// Puts `item` at `slot`, moving the items from there on one slot later; a slot past the list's
// end appends. Refuses a duplicate or blank ID. Adds and deletes leave the shared item
// dimension at most one slot longer than the longer list.
bool insertItem(ShopRecord& record, int list, int slot, ItemSlot item);
bool appendItem(ShopRecord& record, int list, ItemSlot item);

// A new item as the editor adds it: line text "0" and the record's template extra parts, so
// the written line has the shape of its neighbours.
ItemSlot newItem(const ShopRecord& record, const QString& id, const QString& taxRate);

} // namespace vw::edits
