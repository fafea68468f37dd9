#pragma once

#include "catalogue/Catalogue.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

class QCheckBox;
class QLineEdit;
class QTimer;

namespace vw {

class Combo;
class Dialogs;
class Grid;
class StatusPanels;
class Workspace;

// The catalogue side of the main window: category → detailed type → grade → item grid. Each
// choice fills the next list and selects its default entry, so one category choice runs the
// chain down to the grid. Text in the search box narrows what the filters choose, whenever they
// change; with "全部物品" it searches the whole catalogue. The codes behind the entries and the
// items behind the rows are kept beside them, never read back from the controls.
class CatalogueBrowser : public QObject {
    Q_OBJECT

public:
    struct Controls {
        Combo& categories; // Combo1
        Combo& types;      // Combo8
        Combo& grades;     // Combo3
        Grid& itemGrid;    // MSFlexGrid2
        QLineEdit& search;
        QCheckBox& wholeCatalogue;
        StatusPanels& status;
        Dialogs& dialogs;
    };

    CatalogueBrowser(Workspace& workspace, const int& charWidth, Controls controls);

    // Fills the category list from the catalogue in use and selects its first entry.
    void fillCategories();
    int categoryCount() const { return static_cast<int>(categories_.size()); }
    void initItemGrid();
    // Puts `text` in the search box and searches for it at once.
    void search(const QString& text);

    // The item of the item grid's current row; empty when the grid shows none.
    QString currentItemId() const;
    // The items of the selected rows, in grid order; the current row's when none is selected.
    std::vector<QString> selectedItemIds() const;

    const std::vector<CodeName>& categoryTable() const { return categories_; }
    const std::vector<CodeName>& typeTable() const { return types_; }

private:
    void listItemTypes();
    void listItemGrades();
    // The grid for the filters' choice, or for the search text within it when there is one.
    void showItems();
    void fillItemGrid();
    void searchItems(const QStringList& words);
    // Fills the item grid; a search that found nothing leaves the header alone.
    void fillGrid(const std::vector<ItemRow>& rows, bool searched);
    const CodeName* chosen(const Combo& combo, const std::vector<CodeName>& table) const;
    // The chosen grade as the items are stored: "none" for "n".
    std::optional<QString> chosenGrade() const;

    Workspace& workspace_;
    const int& charWidth_;
    Controls ui_;
    QTimer* searchPause_;
    std::vector<CodeName> categories_;
    std::vector<CodeName> types_;
    QStringList grades_;            // the first letter of the grade of each grade entry
    QString searchText_;            // the text searched for; empty while the filters rule
    std::vector<QString> shownIds_; // the item of each grid row below the header
};

} // namespace vw
