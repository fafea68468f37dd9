#pragma once

#include "document/ScriptDocument.h"

#include <QObject>

#include <QString>

#include <set>
#include <utility>

class QLineEdit;

namespace vw {

class CatalogueBrowser;
class Dialogs;
class Grid;
class ScriptDocument;
class StatusPanels;
class Workspace;
struct DocumentChange;

// The list grid and the tax-rate box: they draw the document's chosen list, and the edit
// commands turn the user's intent into edits of the document. Every change of the shown list,
// by an edit, undo or redo, ends in one full rebuild of the grid with the names looked up anew
// in the catalogue in use. The tax-rate box is the view's own: others ask it for the rate.
class SellListView : public QObject {
    Q_OBJECT

public:
    struct Controls {
        Grid& listGrid;     // MSFlexGrid1
        QLineEdit& taxRate; // Text2
        StatusPanels& status;
        Dialogs& dialogs;
    };

    SellListView(Workspace& workspace, const CatalogueBrowser& catalogue, const int& charWidth,
                 Controls controls);

    // The rate the tax-rate box holds, as typed or as the current row shows it.
    const QString& taxRate() const { return taxRate_; }
    // The rate of items added: the one set in the options, else the tax-rate box's.
    QString newItemTaxRate() const;

    void initListGrid();
    // Rebuilds the grid from the document's chosen list.
    void showSellList();
    // How many times the grid was rebuilt: one per step.
    int rebuildCount() const { return rebuilds_; }

    void insertCatalogueItem();
    void appendCatalogueItem();
    void moveItemUp();
    void moveItemDown();
    void moveItemToTop();
    void moveItemToBottom();
    void deleteItem();
    // Gives the selected rows the tax rate of the tax-rate box.
    void setTaxRate();

private:
    void documentChanged(const DocumentChange& change);
    // The grid's selection and current row as the document holds them.
    void showSelection();
    void gridSelectionChanged();
    void showRowTaxRate();
    void addCatalogueItem(bool beforeCurrentRow);
    // `done` says what happened, %1 standing for the count of items moved.
    void moveItems(ScriptDocument::Move move, const char* done);
    bool requireLoaded();
    void refuseTaxRate(const QString& text);

    Workspace& workspace_;
    ScriptDocument& document_;
    const CatalogueBrowser& catalogue_;
    const int& charWidth_;
    Controls ui_;
    int shownRecord_ = -1;
    int shownList_ = -1;
    bool drawing_ = false;
    int rebuilds_ = 0;
    QString taxRate_;
    // Lists whose unknown items were reported: once per list and read.
    std::set<std::pair<int, int>> warned_;
};

} // namespace vw
