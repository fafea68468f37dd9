#pragma once

#include "editor/Checks.h"
#include "editor/Sellers.h"
#include "script/ScriptState.h"

#include <QObject>

#include <vector>

namespace vw {

class CatalogueDb;
class Dialogs;
class Grid;
class ResultsPanel;
class SellListView;
class StatusPanels;

// Ways into the records beside browsing: every list that sells an item, and the findings of
// the checks, each listed in a panel from which a double-click goes to the list and row.
class ScriptInspector : public QObject {
    Q_OBJECT

public:
    struct Controls {
        Grid& listGrid; // MSFlexGrid1: its current row's item ID is column 1
        Grid& itemGrid; // MSFlexGrid2: its current row's item ID is column 0
        ResultsPanel& sellers;
        ResultsPanel& findings;
        StatusPanels& status;
        Dialogs& dialogs;
    };

    ScriptInspector(ScriptState& state, CatalogueDb& db, SellListView& lists, Controls controls);

    // Lists every record and list that holds the item of the current row of the grid the user
    // was in last (the item grid until then).
    void findSellers();
    // Runs the checks on the records as they stand and lists the findings.
    void checkScript();

    // Results of an earlier read point at records that are gone.
    void clearResults();

    void goToSale(int index);
    void goToFinding(int index);

private:
    QString currentItemId() const;

    ScriptState& state_;
    CatalogueDb& db_;
    SellListView& lists_;
    Controls ui_;
    const Grid* lastGrid_;
    std::vector<Sale> sales_;
    std::vector<Finding> findings_;
};

} // namespace vw
