#pragma once

#include "script/ShopRecord.h"

#include <span>
#include <vector>

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
// end appends. Refuses a duplicate or blank ID and a tax rate with a problem. Adds and deletes
// leave the shared item dimension at most one slot longer than the longer list.
bool insertItem(ShopRecord& record, int list, int slot, ItemSlot item);
bool appendItem(ShopRecord& record, int list, ItemSlot item);

// A new item as the editor adds it: line text "0" and the record's template extra parts, so
// the written line has the shape of its neighbours.
ItemSlot newItem(const ShopRecord& record, const QString& id, const QString& taxRate);

// Edits of several slots at once. `picked` are items of the list in ascending order; with one
// slot each is exactly the single-slot edit above. The moves keep the slots' order and return
// where the moved items stand afterwards, or nothing when the block cannot move.
bool deleteItems(ShopRecord& record, int list, std::span<const int> picked);
std::vector<int> moveItemsUp(ShopRecord& record, int list, std::span<const int> picked);
std::vector<int> moveItemsDown(ShopRecord& record, int list, std::span<const int> picked);
std::vector<int> moveItemsToTop(ShopRecord& record, int list, std::span<const int> picked);
std::vector<int> moveItemsToBottom(ShopRecord& record, int list, std::span<const int> picked);

// Why a tax rate cannot go into an item line, if it cannot. The game reads a rate as a
// non-negative decimal number: digits, optionally one "." and more digits, at most nine digits
// before the point. Spaces around it do not count; the reader trims them.
enum class TaxRateProblem {
    None,
    Empty,
    BreaksLine, // it holds "{", "}", ";", a line break or a NUL
    NotANumber,
};
TaxRateProblem taxRateProblem(QStringView rate);
// False when the text would break the item line it is written into: the reader would take its
// "{", "}" or ";" as the entry's own, a line break (LF, CR, U+2028, U+2029, U+0085) would split
// the line, and the reader takes no script with a NUL in it.
bool fitsItemLine(QStringView field);

// Gives the items at `picked` the tax rate `rate`; false (nothing marked) when every one already
// has it or the rate has a problem.
bool setTaxRate(ShopRecord& record, int list, std::span<const int> picked, const QString& rate);

// Moves the items at `picked` as one block, in their order, so that the block starts where the
// item at `slot` stood (past the end: to the end of the list). Returns where the moved items
// stand afterwards, or nothing when the block would not move.
std::vector<int> moveItemsTo(ShopRecord& record, int list, std::span<const int> picked, int slot);

} // namespace vw::edits
