#pragma once

#include "script/ShopRecord.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <span>
#include <vector>

namespace vw {

class CatalogueLookups;

// One place an item is sold: a list of a record, with what the catalogue says of its NPC.
struct Sale {
    int record = -1;
    int list = 0;
    int slot = 0;
    QString className;
    std::optional<QString> chineseName; // none without a catalogue or an NPCNAME_E2C row
    QString taxRate;
    QStringList locations; // the 城镇NPC表 locations naming the class exactly
};

// Every list of every record that holds the ID (exact text), in record and list order.
// Without a catalogue (null) names and locations stay empty.
std::vector<Sale> findSellers(std::span<const ShopRecord> records, QStringView id,
                              CatalogueLookups* catalogue);

} // namespace vw
