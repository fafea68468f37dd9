#include "RecordStep.h"

#include "SellListView.h"

namespace vw {

RecordStep::RecordStep(SellListView& view, RecordChange change, const QString& name)
    : QUndoCommand(name), view_(view), change_(std::move(change)) {}

void RecordStep::undo() {
    view_.showChange(change_, SellListView::Undone);
}

void RecordStep::redo() {
    // Pushing the step applies it for the first time, where the user is already looking.
    view_.showChange(change_, done_ ? SellListView::Redone : SellListView::Applied);
    done_ = true;
}

} // namespace vw
