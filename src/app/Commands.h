#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QToolBar;
class QUndoStack;
class QWidget;

namespace vw {

class ChangesView;
class Grid;
class ListTransfers;
class ResultsPanel;
class ScriptInspector;
class SellListView;

// What the commands act on: the window's own commands as functions, the views' as members.
struct CommandTargets {
    std::function<void()> open;
    std::function<void()> openCatalogue;
    std::function<void()> load;
    std::function<void()> write;
    std::function<void()> exportStatistics;
    std::function<void()> options;
    std::function<void()> exit;
    std::function<void()> about;
    std::function<void()> help;
    SellListView& lists;
    ScriptInspector& inspector;
    ListTransfers& transfers;
    ChangesView& changes;
    Grid& listGrid;
    Grid& itemGrid;
    QLineEdit& search;
    QLineEdit& npcFilter;
    ResultsPanel& sellers;
};

// Every command of the main window as a QAction named by its tool ID, with its menu entry,
// tool, shortcut and icon; menus, toolbar, buttons and context menus share them. Undo and redo
// are the history's own actions and name the step they take.
class Commands : public QObject {
    Q_OBJECT

public:
    Commands(QMainWindow& window, QUndoStack& history);

    // The command of a tool ID; it exists for every ID of the tool tables.
    QAction* action(QStringView id) const;
    // The scripts read last, under the open commands.
    QMenu& recentMenu() const { return *recentMenu_; }
    QToolBar& toolbar() const { return *toolbar_; }
    // The width from which the toolbar shows captions under its icons.
    int captionsWidth() const { return captionsWidth_; }
    // A button that runs the command of `tool` and is enabled with it.
    QPushButton* button(QWidget* parent, const QString& name, const QString& caption,
                        QStringView tool) const;
    // The edits of the shown list stand ready while a list is shown, or before a read, when
    // they explain that one is needed.
    void setListEditsEnabled(bool enabled);

    void connectTo(const CommandTargets& targets);

private:
    void followHistory(QAction& action, const QString& caption,
                       void (QUndoStack::*textChanged)(const QString&), const QString& now);
    void addBatchCommands(ResultsPanel& sellers, ScriptInspector& inspector);
    void offerContextMenus(Grid& listGrid, Grid& itemGrid);

    QMainWindow& window_;
    QUndoStack& history_;
    QToolBar* toolbar_;
    QMenu* recentMenu_ = nullptr;
    int captionsWidth_ = 0;
};

} // namespace vw
