#pragma once

#include "catalogue/CatalogueDb.h"
#include "catalogue/DataSource.h"
#include "script/ScriptState.h"

#include <QMainWindow>

#include <memory>

class QCloseEvent;
class QLineEdit;
class QSplitter;
class QTabWidget;
class QToolBar;
class QTextBrowser;

namespace vw {

class CatalogueBrowser;
class Combo;
class Dialogs;
class Grid;
class ResultsPanel;
class ScriptFiles;
class ScriptInspector;
class SellListView;
class StatusPanels;

// The main window. It owns the program's state (records, paths, the catalogue) and its
// controls, and composes the parts that work on them: script files, the sell-list view and
// the catalogue browser. Commands from menus, toolbar and buttons meet in dispatch().
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    // `dialogs` answers every message box and file dialog; null means the real ones.
    explicit frmMain(const QString& programDir, Dialogs* dialogs = nullptr,
                     QWidget* parent = nullptr);
    ~frmMain() override;

    // The start-up fill: catalogue, grid headers, source path, selectors, ready texts.
    void load();
    // Runs the command of a tool ID; IDs are compared exactly, anything else does nothing.
    void dispatch(const QString& toolId);

    ScriptState& state() { return state_; }
    int charWidth() const { return charWidth_; }
    CatalogueBrowser& catalogue() { return *catalogue_; }
    SellListView& sellLists() { return *sellLists_; }

protected:
    // Every way of closing the window passes here: it asks about unwritten edits first.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void buildCommands();
    QWidget* buildSellTab();
    void loadCatalogue();
    void fillLocations();
    void showAbout();
    void tabChanged(int index);
    void updateTitle();
    void followHistory();
    // True when the records may be dropped: no edit is unwritten, or the user had them written
    // or chose to discard them.
    bool settleUnwrittenEdits();
    bool writeAiFile();

    QString programDir_;
    std::unique_ptr<Dialogs> ownDialogs_;
    Dialogs* dialogs_;
    ScriptState state_;
    CatalogueDb db_;
    DataSource data_;
    int charWidth_ = 8;
    int locationCount_ = 0; // the catalogue's locations, without the program's own entries

    Combo* combo1_ = nullptr;
    Combo* combo2_ = nullptr;
    Combo* combo3_ = nullptr;
    Combo* combo4_ = nullptr;
    Combo* combo5_ = nullptr;
    Combo* combo8_ = nullptr;
    QLineEdit* text2_ = nullptr;
    QLineEdit* search_ = nullptr;
    QLineEdit* npcFilter_ = nullptr;
    ResultsPanel* sellers_ = nullptr;
    ResultsPanel* findings_ = nullptr;
    Grid* grid1_ = nullptr;
    Grid* grid2_ = nullptr;
    StatusPanels* status_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    int toolbarCaptionsWidth_ = 0;
    bool splitterPlaced_ = false;
    QTextBrowser* browser_ = nullptr;

    std::unique_ptr<ScriptFiles> files_;
    std::unique_ptr<SellListView> sellLists_;
    std::unique_ptr<CatalogueBrowser> catalogue_;
    std::unique_ptr<ScriptInspector> inspector_;
};

} // namespace vw
