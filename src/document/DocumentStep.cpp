#include "DocumentStep.h"

namespace vw {

DocumentStep::DocumentStep(ScriptDocument& document, std::vector<RecordChange> changes,
                           Selection before, Selection after, const QString& name)
    : QUndoCommand(name), document_(document), changes_(std::move(changes)),
      before_(std::move(before)), after_(std::move(after)) {}

void DocumentStep::undo() {
    document_.restore(changes_, false, before_);
}

void DocumentStep::redo() {
    document_.restore(changes_, true, after_);
}

} // namespace vw
