#pragma once

#include "ScriptDocument.h"

#include <QUndoCommand>

#include <vector>

namespace vw {

// One step of a document's history: the records it changed, before and after, and what was
// chosen before and after, so that undo and redo come back to the same list and rows.
class DocumentStep : public QUndoCommand {
public:
    DocumentStep(ScriptDocument& document, std::vector<RecordChange> changes, Selection before,
                 Selection after, const QString& name);

    void undo() override;
    void redo() override;

private:
    ScriptDocument& document_;
    std::vector<RecordChange> changes_;
    Selection before_;
    Selection after_;
};

} // namespace vw
