#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

namespace vw {

class Combo;
class DataSource;
class Dialogs;
class Grid;
class StatusPanels;

// The catalogue side of the main window: category → detailed type → grade → item grid. Each
// choice fills the next list and selects its default entry, so one category choice runs the
// chain down to the grid.
class CatalogueBrowser : public QObject {
    Q_OBJECT

public:
    struct Controls {
        Combo& categories; // Combo1
        Combo& types;      // Combo8
        Combo& grades;     // Combo3
        Grid& itemGrid;    // MSFlexGrid2
        StatusPanels& status;
        Dialogs& dialogs;
    };

    // A category or detailed type as its list offers it.
    struct CodeEntry {
        QString index;
        QString code;
        QString name;
    };

    CatalogueBrowser(DataSource& data, const int& charWidth, Controls controls);

    // Fills the category list and selects its first entry.
    void fillCategories();
    void listItemTypes();
    void listItemGrades();
    void fillItemGrid();
    void initItemGrid();
    // Fills the item grid with the items whose ID starts with the text or whose Chinese or
    // English name holds it; an empty text shows the filters' result again.
    void searchItems(const QString& text);

    // The item of the item grid's current row; empty when the grid shows none.
    QString currentItemId() const;
    // The items of the selected rows, in grid order; the current row's when none is selected.
    std::vector<QString> selectedItemIds() const;

    const std::vector<CodeEntry>& categoryTable() const { return categories_; }
    const std::vector<CodeEntry>& typeTable() const { return types_; }

private:
    // Fills the item grid from a statement of the item columns; the row count, or -1 when the
    // engine refused the statement (reported).
    int fillGrid(const QString& statement, const QStringList& values);
    const CodeEntry* chosen(const Combo& combo, const std::vector<CodeEntry>& table) const;

    DataSource& data_;
    const int& charWidth_;
    Controls ui_;
    std::vector<CodeEntry> categories_;
    std::vector<CodeEntry> types_;
    std::vector<QString> shownIds_; // the item of each grid row below the header
};

} // namespace vw
