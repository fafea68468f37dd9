#pragma once

#include "ShopRecord.h"

#include <QIODevice>
#include <QString>

#include <functional>
#include <vector>

namespace vw {

struct ListRef {
    int record = 0;
    int list = 0;
    bool operator==(const ListRef&) const = default;
};

struct ScriptWriteResult {
    enum class Status {
        Ok,
        SourceChanged, // the source ended before a recorded list position
        SourceFailed,  // reading the source failed
        OutputFailed,  // writing the output failed
    };
    Status status = Status::Ok;
    int listsWritten = 0;
    // A hash of every byte read from the source; with Ok it covers the whole source.
    quint64 sourceHash = 0;
    // Modified lists whose position in the source is not whole: left as they stand.
    std::vector<ListRef> leftUnchanged;
};

// Called after each replaced list with the number of lists written so far.
using WriteProgress = std::function<void(int listsWritten)>;

struct ScriptWriteOptions {
    // A replaced list keeps the source line of each item that still holds what was read from
    // that line (ID, tax rate and extra parts), at the place the item now has in its list; new
    // and changed items are written from the record's template. The kept line is the text of
    // the source line without its line end and, like every line copied, ends in CR LF. A line
    // counts only when it stands in the list's own block: an item brought from another list is
    // written from the template.
    bool keepItemLines = false;
};

// Copies `source` line by line to `output` (a byte-order mark, then every line ending in CR LF),
// replacing the item lines of each modified list by the record's items. Lists are replaced in
// the order they stand in the source. The lines of a replaced block that hold no item are not
// written. The records are not changed.
ScriptWriteResult writeScript(QIODevice& source, QIODevice& output,
                              const std::vector<ShopRecord>& records,
                              const WriteProgress& progress = {},
                              const ScriptWriteOptions& options = {});

// One item line as written: prefix, ID, "; ", tax rate, "; " and each extra part, suffix.
QString itemLine(const ShopRecord& record, const ItemSlot& item);

} // namespace vw
