#pragma once

#include "script/ShopRecord.h"

#include <QUndoCommand>

#include <vector>

namespace vw {

class SellListView;

// One change of one record as the undo history keeps it: the whole record before and after.
// A record is small, and swapping whole copies gives back every field exactly, the modified
// flags included, so a list whose edits are all undone is copied line for line again.
struct RecordChange {
    int record = -1;
    int list = 0;
    ShopRecord before;
    ShopRecord after;
    // The grid rows to select when the change is undone or redone.
    std::vector<int> rowsBefore;
    std::vector<int> rowsAfter;
};

class RecordStep : public QUndoCommand {
public:
    RecordStep(SellListView& view, RecordChange change, const QString& name);

    void undo() override;
    void redo() override;

private:
    SellListView& view_;
    RecordChange change_;
    bool done_ = false;
};

} // namespace vw
