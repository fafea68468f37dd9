#pragma once

#include <QObject>

#include <vector>

class QMimeData;

namespace vw {

class CatalogueBrowser;
class Dialogs;
class Grid;
class LastGrid;
class ListSelectors;
class ResultsPanel;
class ScriptDocument;
class SellListView;
class Workspace;
class StatusPanels;
struct ItemSlot;

// Items carried between lists and merchants: the clipboard (as rows of text, and in a form of
// the program's own), drag and drop on the grids, and adding catalogue items to every merchant
// the NPC selector offers. Each paste, cut, drop or add is one step of the document.
class ListTransfers : public QObject {
    Q_OBJECT

public:
    struct Controls {
        Grid& listGrid; // MSFlexGrid1
        Grid& itemGrid; // MSFlexGrid2
        ResultsPanel& skipped;
        StatusPanels& status;
        Dialogs& dialogs;
    };

    // Items that come without a tax rate take the list view's.
    ListTransfers(Workspace& workspace, const CatalogueBrowser& catalogue,
                  const ListSelectors& selectors, const SellListView& sellLists,
                  const LastGrid& lastGrid, Controls controls);

    // Copies the selected rows of the grid the user was in last.
    void copy();
    // Copies the selected list rows and takes them out of the list.
    void cut();
    // Inserts the clipboard's items before the current row, or at the end.
    void paste();
    // Adds the selected catalogue items to the current list of every offered NPC.
    void addToListedNpcs();

private:
    QMimeData* listRows() const;
    QMimeData* catalogueRows() const;
    void dropped(const QString& type, const QByteArray& data, int row);
    // Inserts items given as rows of text before `slot` as the step `name`, reporting how many
    // went in (`done`: "已粘贴%n项物品，跳过%1项") and what was left out.
    void insertRows(const QString& text, int slot, const QString& name, const char* done);
    bool requireLoaded();

    Workspace& workspace_;
    ScriptDocument& document_;
    const CatalogueBrowser& catalogue_;
    const ListSelectors& selectors_;
    const SellListView& sellLists_;
    const LastGrid& lastGrid_;
    Controls ui_;
};

} // namespace vw
