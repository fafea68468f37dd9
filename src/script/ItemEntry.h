#pragma once

#include "LineSource.h"
#include "ScriptReaderScan.h"
#include "ShopRecord.h"

#include <QStringView>
#include <QVarLengthArray>

#include <bit>
#include <cstdint>

namespace vw {

// The parts of an item entry: the ID, the tax rate, then the extra parts.
using EntryParts = QVarLengthArray<QStringView, 8>;

// The parts of the item on `line` as the script format takes them: the entry is the text between
// the line's first "{" and the first "}" after it, cut at each ";", every part trimmed of spaces.
// False when the line holds no item: no "{", no "}" after it, or an empty ID. The views point
// into `line`; `text`, when given, takes the whole entry, trimmed. The reader and the writer both
// take items by this one rule; it is inline, as the reader splits every item line with it.
inline bool itemEntryParts(QStringView line, EntryParts& parts, QStringView* text = nullptr) {
    parts.clear();
    const char16_t* const units = line.utf16();
    const qsizetype size = line.size();
    // A plain loop: the library's search sets up more than these few units need.
    qsizetype open = 0;
    while (open < size && units[open] != u'{')
        ++open;
    if (open == size)
        return false;
    qsizetype from = open + 1;
    // Straight from separator to separator, eight units at a time.
    for (qsizetype at = from; at < size; at += 8) {
        for (std::uint32_t bits = entrySeparators(units + at, static_cast<std::size_t>(size - at));
             bits != 0; bits &= bits - 1) {
            const qsizetype i = at + std::countr_zero(bits);
            parts.append(trimSpaces(QStringView(units + from, i - from)));
            if (units[i] == u';') {
                from = i + 1;
                continue;
            }
            if (text)
                *text = trimSpaces(QStringView(units + open + 1, i - open - 1));
            return !parts[0].isEmpty();
        }
    }
    return false;
}

// Whether `line` holds `item` as it stands: the same ID, tax rate and extra parts. A line with
// no ";" after the ID holds an empty tax rate.
bool lineHoldsItem(QStringView line, const ItemSlot& item);

} // namespace vw
