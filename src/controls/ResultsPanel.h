#pragma once

#include <QDockWidget>
#include <QStringList>

#include <vector>

class QTabWidget;
class QVBoxLayout;

namespace vw {

class Grid;
class ResultsPanel;

// The one dock of the main window that holds every list of results, a tab each. It opens at
// most a third of the window's height, so the lists being edited stay in view, and the user
// may close it.
class ResultsDock : public QDockWidget {
    Q_OBJECT

public:
    explicit ResultsDock(QWidget* parent = nullptr);

    void addPanel(ResultsPanel& panel, const QString& title);
    void setTitle(ResultsPanel& panel, const QString& title);
    // Opens the dock on `panel`'s tab.
    void showPanel(ResultsPanel& panel);
    QTabWidget& tabs() { return *tabs_; }

private:
    QTabWidget* tabs_;
};

// A list of results (sellers of an item, findings of the checks, …) in a tab of the results
// dock: one row per result under fixed headers. Double-click or Enter on a row asks to go
// where it points. Commands that act on the selected results stand in a row above the list.
class ResultsPanel : public QWidget {
    Q_OBJECT

public:
    ResultsPanel(const QString& name, const QString& title, const QStringList& headers,
                 ResultsDock& dock);

    // Replaces the rows, sizes the columns to their texts and opens the panel's tab.
    void setResults(const std::vector<QStringList>& rows);
    // Replaces the rows without opening the tab: results brought up to date stay where they are.
    void setRows(const std::vector<QStringList>& rows);
    // Opens the dock on the panel's tab.
    void open();
    // Empties the list without opening it.
    void clear();
    void setTitle(const QString& title);
    // Whether the user sees the panel: the dock open on its tab.
    bool isShown() const;
    int resultCount() const;
    Grid& grid() { return *grid_; }
    // Adds a command button above the list; it acts on the selected results.
    void addCommand(QWidget* button);

signals:
    // `index` counts the results from 0, in the order they were given.
    void resultChosen(int index);
    // The dock was opened on the panel's tab, or its tab was chosen.
    void cameIntoView();

private:
    ResultsDock& dock_;
    Grid* grid_;
    QVBoxLayout* layout_;
    QWidget* commands_ = nullptr;
};

} // namespace vw
