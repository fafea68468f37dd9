#pragma once

#include "script/ScriptState.h"

#include <QObject>

class QLineEdit;

namespace vw {

class Combo;
class DataSource;
class Dialogs;
class Grid;
class StatusPanels;

// The sell-list side of the main window: the chain location → NPC → list → list grid, the
// tax-rate box, and the edit commands on the shown list. Every edit changes the record, then
// re-selects the chosen list, which rebuilds the grid from the record.
class SellListView : public QObject {
    Q_OBJECT

public:
    struct Controls {
        Combo& locations;   // Combo5
        Combo& npcs;        // Combo2
        Combo& lists;       // Combo4
        Grid& listGrid;     // MSFlexGrid1
        QLineEdit& taxRate; // Text2
        Grid& itemGrid;     // MSFlexGrid2, where added items come from
        StatusPanels& status;
        Dialogs& dialogs;
    };

    SellListView(ScriptState& state, DataSource& data, const int& charWidth, Controls controls);

    void initListGrid();
    void showLocationNpcs();
    void showNpcLists();
    void showSellList();
    void showRowTaxRate();

    void insertCatalogueItem();
    void appendCatalogueItem();
    void moveItemUp();
    void moveItemDown();
    void moveItemToTop();
    void moveItemToBottom();
    void deleteItem();

private:
    ShopRecord* currentRecord();
    int currentList() const;
    void addCatalogueItem(bool beforeCurrentRow);
    // Runs a move or the delete on the slot of the grid's current row.
    void editCurrentRow(bool (*edit)(ShopRecord&, int, int));
    void redisplay();

    ScriptState& state_;
    DataSource& data_;
    const int& charWidth_;
    Controls ui_;
};

} // namespace vw
