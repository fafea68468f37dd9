#include "ItemEntry.h"

#include <algorithm>

namespace vw {

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
