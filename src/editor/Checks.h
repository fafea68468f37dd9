#pragma once

#include "script/ScriptReader.h"
#include "script/ShopRecord.h"

#include <QString>

#include <vector>

namespace vw {

class CatalogueLookups;

// Something in the script a server would trip on.
struct Finding {
    enum class Kind {
        UnknownItem,       // the item ID has no ITEMNAME_E2C row
        RepeatedItem,      // the ID stands earlier in the same list (exact text)
        UnclosedList,      // a block of the list has no buyselllist_end
        ListOpenedTwice,   // the list is opened again in its class
        MalformedItemLine, // a line with "{" inside a list that is no item line
        PlacedInNoTown,    // no 城镇NPC表 row names the class exactly
        TaxRateNotANumber, // the item's tax rate is no number the game can read (taxRate holds it)
    };
    Kind kind = Kind::UnknownItem;
    // 1-based; 0 for an item added since the read, which has no line yet.
    int line = 0;
    QString className;
    int record = -1; // the record the finding belongs to, -1 for a class without one
    int list = -1;   // -1 for the record as a whole
    int slot = -1;   // the item's slot, for the item findings
    QString itemId;
    QString taxRate;
    int firstLine = 0; // RepeatedItem: where the ID stood first
    ReadReport::MalformedLine::Reason reason = ReadReport::MalformedLine::Reason::NoClosingBrace;

    bool operator==(const Finding&) const = default;
};

// Every finding for the records and what the reader reported of their lines, ordered by line.
// Without a catalogue (null) the findings that need one are left out. The checks follow the
// reader's own rules, so what they report is what the editor and the writer see.
std::vector<Finding> checkScript(const std::vector<ShopRecord>& records, const ReadReport& report,
                                 CatalogueLookups* catalogue);

} // namespace vw
