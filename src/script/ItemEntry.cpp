#include "ItemEntry.h"

#include "LineSource.h"

#include <algorithm>

namespace vw {

bool itemEntryParts(QStringView line, EntryParts& parts) {
    parts.clear();
    const qsizetype open = line.indexOf(u'{');
    if (open < 0)
        return false;
    const qsizetype close = line.indexOf(u'}', open + 1);
    if (close < 0)
        return false;
    const QStringView entry = line.sliced(open + 1, close - open - 1);
    for (qsizetype from = 0;;) {
        const qsizetype semicolon = entry.indexOf(u';', from);
        const qsizetype end = semicolon < 0 ? entry.size() : semicolon;
        parts.append(trimSpaces(entry.sliced(from, end - from)));
        if (semicolon < 0)
            break;
        from = semicolon + 1;
    }
    return !parts[0].isEmpty();
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
