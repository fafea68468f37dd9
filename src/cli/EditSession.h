#pragma once

#include "EditFile.h"
#include "script/ShopRecord.h"

#include <QStringList>

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace vw {
class CatalogueLookups;
}

namespace vw::cli {

// What the edits did to one list, for the report after writing.
struct ListChange {
    QStringList added;
    QStringList removed;
    int moved = 0;
};

// Keyed by record index and list, so they come in the order the records were read.
using ListChanges = std::map<std::pair<int, int>, ListChange>;

// Applies edit-file commands to the records read, through the same edit functions as the main
// window. It keeps the current selection (records and list) between commands, and what each
// list went through. A command that cannot apply throws EditError and leaves the run to be
// abandoned: the records are then partly edited and must not be written.
class EditSession {
public:
    // `catalogue` may be null: "location" then cannot be used.
    EditSession(std::vector<ShopRecord>& records, CatalogueLookups* catalogue)
        : records_(records), catalogue_(catalogue) {}

    void apply(const EditCommand& command);

    const ListChanges& changes() const { return changes_; }

private:
    void selectNpc(const EditCommand& command);
    void selectLocation(const EditCommand& command);
    void editSelected(const EditCommand& command);
    void editList(int record, const EditCommand& command);
    void removeEverywhere(const EditCommand& command);

    // The slot of `id` in the list, or a thrown EditError naming the list.
    int slotOf(int record, int list, const QString& id, int line) const;
    QString listName(int record, int list) const;

    std::vector<ShopRecord>& records_;
    CatalogueLookups* catalogue_;
    std::vector<int> selected_;
    std::optional<int> list_;
    ListChanges changes_;
};

// One line per changed list: "CLASS SellListK: +ID -ID (moved N)".
QStringList describeChanges(const std::vector<ShopRecord>& records, const ListChanges& changes);

} // namespace vw::cli
