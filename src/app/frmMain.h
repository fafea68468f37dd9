#pragma once

#include "catalogue/CatalogueDb.h"
#include "catalogue/DataSource.h"
#include "document/ScriptDocument.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QSettings;
class QPushButton;
class QCloseEvent;
class QLineEdit;
class QSplitter;
class QTabWidget;
class QToolBar;

namespace vw {

class CatalogueBrowser;
class ChangesView;
class Combo;
class Dialogs;
class Grid;
class LastGrid;
class ListSelectors;
class ListTransfers;
class RecoveryJournal;
class ResultsDock;
class ResultsPanel;
class ScriptFiles;
class ScriptInspector;
class SellListView;
class StatisticsView;
class StatusPanels;

// The window's first size: the design's 1280×800 where the screen allows it, and never more
// than the available area leaves once the window manager's frame (`frame`, or what one usually
// takes) is drawn around it.
QSize firstWindowSize(const QRect& available, const QMargins& frame);
QMargins expectedFrame();

// The main window. It owns the document of the loaded script, the catalogue and the controls,
// and composes the parts that draw and change them: the script files, the selectors, the list
// grid, the catalogue browser and the inspector. Every command is a QAction named by its tool
// ID; menus, toolbar and buttons share them.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    // `dialogs` answers every message box and file dialog; null means the real ones.
    explicit frmMain(const QString& programDir, Dialogs* dialogs = nullptr,
                     QWidget* parent = nullptr);
    ~frmMain() override;

    // Files named at start: empty for what was used last, else the program folder's.
    struct StartFiles {
        QString script;
        QString catalogue;
    };
    // The start-up fill: catalogue, grid headers, source path, selectors, ready texts. A script
    // named is read at once.
    void load(const StartFiles& files = {});
    // Reads another script, as the open and load commands do together.
    void openScript(const QString& path);
    // Loads another catalogue through the same guarded path and draws every view anew.
    void openCatalogue(const QString& path);
    // A later start handed this over: come to the front, and read the script if one is named.
    void takeHandOver(const QString& path);

    ScriptDocument& document() { return document_; }
    ScriptFiles& files() { return *files_; }
    int charWidth() const { return charWidth_; }
    CatalogueBrowser& catalogue() { return *catalogue_; }
    SellListView& sellLists() { return *sellLists_; }

protected:
    // Every way of closing the window passes here: it asks about unwritten edits first.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    QWidget* buildSellTab();
    void buildCommands();
    void connectCommands();
    void buildBatchCommands();
    void buildContextMenus();
    void focusSearch();
    void focusNpcFilter();
    // A button that runs the command of tool `tool` and is enabled with it.
    QPushButton* commandButton(QWidget* parent, const QString& name, const QString& caption,
                               QStringView tool);
    void followHistory(QAction& action, const QString& verb, const QString& key,
                       void (QUndoStack::*textChanged)(const QString&),
                       const std::function<QString()>& stepText);
    // The command of a tool ID; it exists for every ID of the tool tables.
    QAction* command(QStringView id) const;
    // True when the catalogue loaded; the reason is shown when it did not.
    bool loadCatalogue(const QString& path);
    void chooseCatalogue();
    void showCatalogueTotals();
    void rememberCatalogue(const QString& path);
    void rememberScript(const QString& path);
    void fillRecentMenu();
    // Offers back the changes a session that ended without writing them left for this script.
    void offerRecovery();
    static QString settingsPath();
    // Why the reading child gave no catalogue, in the window's words.
    static QString readerFailureText(const CatalogueLoadResult& loaded);
    void chooseSourceFile();
    void loadScript();
    bool writeScript();
    void showAbout();
    void showHelpPage();
    void tabChanged(int index);
    // The statistics describe the records as they stood: built anew when next looked at.
    void statisticsChanged();
    void showStatisticsTarget(int record, int list);
    void searchStatisticsItem(const QString& id);
    void exportStatistics();
    void updateTitle();
    // Once the window manager has framed the window, a frame beyond the screen's available area
    // is brought back into it.
    void keepFrameOnScreen();
    // The edit commands stand ready while a list is shown, or before a read, when they explain
    // that one is needed.
    void updateCommands();
    // True when the records may be dropped: no edit is unwritten, or the user had them written
    // or chose to discard them.
    bool settleUnwrittenEdits();

    QString programDir_;
    std::unique_ptr<Dialogs> ownDialogs_;
    Dialogs* dialogs_;
    ScriptDocument document_;
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
    ResultsDock* results_ = nullptr;
    ResultsPanel* sellers_ = nullptr;
    ResultsPanel* findings_ = nullptr;
    ResultsPanel* skipped_ = nullptr;
    ResultsPanel* preview_ = nullptr;
    ResultsPanel* importProblems_ = nullptr;
    Grid* grid1_ = nullptr;
    Grid* grid2_ = nullptr;
    StatusPanels* status_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    int toolbarCaptionsWidth_ = 0;
    bool splitterPlaced_ = false;
    bool framePlaced_ = false;
    StatisticsView* statistics_ = nullptr;
    bool statisticsStale_ = true;

    std::unique_ptr<ScriptFiles> files_;
    std::unique_ptr<CatalogueBrowser> catalogue_;
    std::unique_ptr<ListSelectors> selectors_;
    std::unique_ptr<SellListView> sellLists_;
    std::unique_ptr<LastGrid> lastGrid_;
    std::unique_ptr<ScriptInspector> inspector_;
    std::unique_ptr<ListTransfers> transfers_;
    std::unique_ptr<ChangesView> changes_;
    RecoveryJournal* journal_ = nullptr;
    std::unique_ptr<QSettings> settings_;
    QMenu* recentMenu_ = nullptr;
    QString catalogueFile_;
    static constexpr int RecentCount = 8;
};

} // namespace vw
