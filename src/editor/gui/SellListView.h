#pragma once

#include "script/ScriptState.h"

#include <QObject>
#include <QStringList>
#include <QUndoStack>

#include <span>
#include <vector>

class QLineEdit;

namespace vw {

class Combo;
class DataSource;
class Dialogs;
class Grid;
class StatusPanels;
struct RecordChange;

// The sell-list side of the main window: the chain location → NPC → list → list grid, the
// tax-rate box, and the edit commands on the shown list. Every edit is one step of the undo
// history: it replaces the record by its edited copy, then re-selects the chosen list, which
// rebuilds the grid from the record.
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
    // Gives the selected rows the tax rate of the tax-rate box.
    void setTaxRate();

    // The edits since the last read; its clean state marks the edits a write has captured.
    QUndoStack& history() { return history_; }

    // Brings record `record`'s list `list` into the grid, choosing another NPC entry, and
    // another location when the chosen one does not list the NPC: one of `places` first, then
    // all NPCs, then the NPCs placed nowhere. False when no entry leads there.
    bool showList(int record, int list, const QStringList& places = {});

    // Offers only the NPC entries whose text holds `text` (letter case ignored).
    void filterNpcs(const QString& text);
    // Chooses the first NPC entry the filter offers, as a user's choice does.
    void chooseFirstOfferedNpc();

    enum ChangeShown { Applied, Undone, Redone };
    // Puts the record of `change` as it stands after (or before) the change and shows it.
    void showChange(const RecordChange& change, ChangeShown how);

private:
    using BlockEdit = std::vector<int> (*)(ShopRecord&, int, std::span<const int>);

    ShopRecord* currentRecord();
    int currentRecordIndex() const;
    int currentList() const;
    // The rows an edit acts on: the selected rows that show an item.
    std::vector<int> rowsToEdit() const;
    void addCatalogueItem(bool beforeCurrentRow);
    // The location entry that lists the records no town entry reaches; -1 when there is none.
    int unplacedEntry() const;
    void listUnplacedNpcs();
    void moveRows(BlockEdit edit, const QString& name);
    void setTaxRateOfRows(const std::vector<int>& rows, const QString& text);
    // Refuses a tax rate the item line cannot hold, with the reason; true when it may be used.
    bool acceptTaxRate(const QString& rate);
    void pushChange(RecordChange change, const QString& name);
    void redisplay();

    ScriptState& state_;
    DataSource& data_;
    const int& charWidth_;
    Controls ui_;
    QUndoStack history_;
};

} // namespace vw
