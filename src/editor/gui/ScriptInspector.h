#pragma once

#include "editor/Checks.h"
#include "editor/Sellers.h"

#include <QObject>

#include <vector>

namespace vw {

class CatalogueBrowser;
class CatalogueDb;
class Dialogs;
class Grid;
class ListSelectors;
class ResultsPanel;
class ScriptDocument;
class StatusPanels;

// Ways into the records beside browsing: every list that sells an item, and the findings of
// the checks, each listed in a panel from which a double-click goes to the list and row.
class ScriptInspector : public QObject {
    Q_OBJECT

public:
    struct Controls {
        Grid& listGrid; // MSFlexGrid1
        Grid& itemGrid; // MSFlexGrid2
        ResultsPanel& sellers;
        ResultsPanel& findings;
        StatusPanels& status;
        Dialogs& dialogs;
    };

    ScriptInspector(ScriptDocument& document, CatalogueDb& db, ListSelectors& selectors,
                    const CatalogueBrowser& catalogue, Controls controls);

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

    ScriptDocument& document_;
    CatalogueDb& db_;
    ListSelectors& selectors_;
    const CatalogueBrowser& catalogue_;
    Controls ui_;
    const Grid* lastGrid_;
    std::vector<Sale> sales_;
    std::vector<Finding> findings_;
};

} // namespace vw
