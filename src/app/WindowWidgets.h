#pragma once

#include <QCoreApplication>

class QCheckBox;
class QLineEdit;
class QMainWindow;
class QSplitter;
class QTabWidget;
class QWidget;

namespace vw {

class Combo;
class Commands;
class Grid;
class ResultsDock;
class ResultsPanel;
class StatisticsView;
class StatusPanels;

// The controls of the main window, laid out: two panes of the sell tab (the catalogue, the
// sell list), the other tabs, the results dock and the status bar. The design's IDs are their
// object names.
struct WindowWidgets {
    Q_DECLARE_TR_FUNCTIONS(WindowWidgets)

public:
    WindowWidgets(QMainWindow& window, const Commands& commands);

    Combo* locations;   // Combo5
    Combo* npcs;        // Combo2
    Combo* lists;       // Combo4
    Combo* categories;  // Combo1
    Combo* types;       // Combo8
    Combo* grades;      // Combo3
    QLineEdit* taxRate; // Text2
    QLineEdit* search;
    QCheckBox* wholeCatalogue;
    QLineEdit* npcFilter;
    Grid* listGrid; // MSFlexGrid1
    Grid* itemGrid; // MSFlexGrid2
    StatusPanels* status;
    QTabWidget* tabs; // SSTab1
    QSplitter* splitter;
    StatisticsView* statistics;
    ResultsDock* results;
    ResultsPanel* sellers;
    ResultsPanel* findings;
    ResultsPanel* skipped;
    ResultsPanel* preview;
    ResultsPanel* importProblems;

private:
    QWidget* sellTab(const Commands& commands);
};

} // namespace vw
