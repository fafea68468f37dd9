#pragma once

#include "editor/ListDiff.h"

#include <QObject>

#include <vector>

namespace vw {

class Dialogs;
class ListSelectors;
class ResultsPanel;
class ScriptDocument;
class StatusPanels;
class Workspace;

// What the session changed, and its changes as a file: the preview of every list that differs
// from what was read, item by item, with a jump to each; the export of those changes as an edit
// file, and the import of one as one step.
class ChangesView : public QObject {
    Q_OBJECT

public:
    struct Controls {
        ResultsPanel& preview;
        ResultsPanel& importProblems;
        StatusPanels& status;
        Dialogs& dialogs;
    };

    ChangesView(Workspace& workspace, ListSelectors& selectors, Controls controls);

    void showPreview();
    void exportEdits();
    void importEdits();

private:
    struct Target {
        int record;
        int list;
        int slot;
    };

    // The preview drawn anew while it is shown, so a list undone back to the read leaves it.
    void fillPreview();
    void goToChange(int index);
    QString npcName(const QString& className);
    QString itemName(const QString& id);
    QString folder() const;

    Workspace& workspace_;
    ScriptDocument& document_;
    ListSelectors& selectors_;
    Controls ui_;
    std::vector<Target> targets_;
};

} // namespace vw
