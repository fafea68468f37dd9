#include "ItemEntry.h"

#include "LineSource.h"
#include "ScriptReaderScan.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace vw {

bool itemEntryParts(QStringView line, EntryParts& parts, QStringView* text) {
    parts.clear();
    const qsizetype open = line.indexOf(u'{');
    if (open < 0)
        return false;
    const char16_t* units = line.utf16();
    qsizetype from = open + 1;
    // Straight from separator to separator, eight units at a time: item lines are a fifth of a
    // script's lines, and each is split here.
    for (qsizetype at = from; at < line.size(); at += 8) {
        for (std::uint32_t bits =
                 entrySeparators(units + at, static_cast<size_t>(line.size() - at));
             bits != 0; bits &= bits - 1) {
            const qsizetype i = at + std::countr_zero(bits);
            parts.append(trimSpaces(line.sliced(from, i - from)));
            if (units[i] == u';') {
                from = i + 1;
                continue;
            }
            if (text)
                *text = trimSpaces(line.sliced(open + 1, i - open - 1));
            return !parts[0].isEmpty();
        }
    }
    return false;
}

bool lineHoldsItem(QStringView line, const ItemSlot& item) {
    EntryParts parts;
    if (!itemEntryParts(line, parts) || parts[0] != item.id)
        return false;
    const QStringView rate = parts.size() > 1 ? parts[1] : QStringView();
    if (rate != item.taxRate || std::max<qsizetype>(parts.size() - 2, 0) != item.extraParts.size())
        return false;
    for (qsizetype i = 0; i < item.extraParts.size(); ++i) {
        if (parts[i + 2] != item.extraParts[i])
            return false;
    }
    return true;
}

} // namespace vw
