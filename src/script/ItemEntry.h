#pragma once

#include "ShopRecord.h"

#include <QStringView>
#include <QVarLengthArray>

namespace vw {

// The parts of an item entry: the ID, the tax rate, then the extra parts.
using EntryParts = QVarLengthArray<QStringView, 8>;

// The parts of the item on `line` as the script format takes them: the entry is the text between
// the line's first "{" and the first "}" after it, cut at each ";", every part trimmed of spaces.
// False when the line holds no item: no "{", no "}" after it, or an empty ID. The views point
// into `line`; `text`, when given, takes the whole entry, trimmed. The reader and the writer both
// take items by this one rule.
bool itemEntryParts(QStringView line, EntryParts& parts, QStringView* text = nullptr);

// Whether `line` holds `item` as it stands: the same ID, tax rate and extra parts. A line with
// no ";" after the ID holds an empty tax rate.
bool lineHoldsItem(QStringView line, const ItemSlot& item);

} // namespace vw
