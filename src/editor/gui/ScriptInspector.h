#pragma once

#include "document/ScriptDocument.h"
#include "editor/Checks.h"
#include "editor/Sellers.h"

#include <QObject>

class QLineEdit;

#include <vector>

namespace vw {

class CatalogueBrowser;
class CatalogueDb;
class Dialogs;
class Grid;
class LastGrid;
class ListSelectors;
class ResultsPanel;
class StatusPanels;

// Ways into the records beside browsing: every list that sells an item, and the findings of
// the checks, each listed in a panel from which a double-click goes to the list and row.
class ScriptInspector : public QObject {
    Q_OBJECT

public:
    struct Controls {
        Grid& listGrid;     // MSFlexGrid1
        Grid& itemGrid;     // MSFlexGrid2
        QLineEdit& taxRate; // Text2: the rate the batch edits set
        ResultsPanel& sellers;
        ResultsPanel& findings;
        StatusPanels& status;
        Dialogs& dialogs;
    };

    ScriptInspector(ScriptDocument& document, CatalogueDb& db, ListSelectors& selectors,
                    const CatalogueBrowser& catalogue, const LastGrid& lastGrid, Controls controls);

    // Lists every record and list that holds the item of the current row of the grid the user
    // was in last (the item grid until then).
    void findSellers();
    // Runs the checks on the records as they stand and lists the findings.
    void checkScript();

    // Results of an earlier read point at records that are gone.
    void clearResults();

    // The batch edits on the lists selected in the where-sold results (all of them when none
    // is): take the item out, give it the tax-rate box's rate, or put another item in its place.
    void removeFromSelectedLists();
    void setTaxRateInSelectedLists();
    void replaceInSelectedLists();

    void goToSale(int index);
    void goToFinding(int index);

private:
    QString currentItemId() const;
    void showSellers(const QString& id);
    std::vector<ListRef> selectedSales() const;
    // The where-sold results again, as the batch edit left the lists.
    void afterBatch(const ScriptDocument::Batch& batch, const QString& done);

    ScriptDocument& document_;
    CatalogueDb& db_;
    ListSelectors& selectors_;
    const CatalogueBrowser& catalogue_;
    Controls ui_;
    const LastGrid& lastGrid_;
    std::vector<Sale> sales_;
    QString soldId_; // the item the where-sold results are for
    std::vector<Finding> findings_;
};

} // namespace vw
