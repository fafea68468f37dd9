#pragma once

#include "document/ScriptDocument.h"

#include <QObject>

#include <vector>

namespace vw {

class CatalogueBrowser;
class Dialogs;
class LastGrid;
class ListSelectors;
class ResultsPanel;
class SellListView;
class StatusPanels;
class Workspace;

// Ways into the records beside browsing: every list that sells an item, and the findings of
// the checks, each listed in a panel from which a double-click goes to the list and row. The
// panels draw the workspace's results, which follow every step, undo and redo; the batch edits
// act on what the panel shows.
class ScriptInspector : public QObject {
    Q_OBJECT

public:
    struct Controls {
        ResultsPanel& sellers;
        ResultsPanel& findings;
        StatusPanels& status;
        Dialogs& dialogs;
    };

    ScriptInspector(Workspace& workspace, ListSelectors& selectors,
                    const CatalogueBrowser& catalogue, const SellListView& sellLists,
                    const LastGrid& lastGrid, Controls controls);

    // Lists every record and list that holds the item of the current row of the grid the user
    // was in last (the item grid until then).
    void findSellers();
    // Runs the checks on the records as they stand and lists the findings.
    void checkScript();

    // The batch edits on the lists selected in the where-sold results (all of them when none
    // is): take the item out, give it the tax-rate box's rate, or put another item in its place.
    void removeFromSelectedLists();
    void setTaxRateInSelectedLists();
    void replaceInSelectedLists();

private:
    QString currentItemId() const;
    void drawSellers(bool open);
    void drawFindings(bool open);
    void findingsChanged();
    std::vector<ListRef> selectedSales() const;
    // Reports the batch edit, and the lists it left alone.
    void afterBatch(const ScriptDocument::Batch& batch, const QString& done);
    void goToSale(int index);
    void goToFinding(int index);

    Workspace& workspace_;
    ScriptDocument& document_;
    ListSelectors& selectors_;
    const CatalogueBrowser& catalogue_;
    const SellListView& sellLists_;
    const LastGrid& lastGrid_;
    Controls ui_;
};

} // namespace vw
