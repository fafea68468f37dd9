#pragma once

#include <QMainWindow>

#include <memory>

namespace vw {

class CatalogueBrowser;
class CatalogueFiles;
class ChangesView;
class Commands;
class Dialogs;
class LastGrid;
class ListSelectors;
class ListTransfers;
class OwnFileNotices;
class ScriptDocument;
class ScriptFiles;
class ScriptInspector;
class SellListView;
class StatisticsPage;
class Workspace;
struct WindowWidgets;

// The window's first size: the design's 1280×800 where the screen allows it, and never more
// than the available area leaves once the window manager's frame (`frame`, or what one usually
// takes) is drawn around it.
QSize firstWindowSize(const QRect& available, const QMargins& frame);
QMargins expectedFrame();

// The main window (frmMain). It builds the widgets, makes the workspace and the views that draw
// and change it, and connects them; the work is theirs.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // `dialogs` answers every message box and file dialog; null means the real ones.
    explicit MainWindow(const QString& programDir, Dialogs* dialogs = nullptr,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    // Files named at start: empty for what was used last, else the program folder's.
    struct StartFiles {
        QString script;
        QString catalogue;
    };
    // The start-up fill: catalogue, grid headers, the script for the first read, selectors,
    // ready texts. A script named is read at once, and so is one with edits left for it.
    void load(const StartFiles& files = {});
    // Reads another script, as the open and load commands do together.
    void openScript(const QString& path);
    // A later start handed this over: come to the front, and read the script if one is named.
    void takeHandOver(const QString& path);

    Workspace& workspace() { return *workspace_; }
    ScriptDocument& document();
    ScriptFiles& files() { return *files_; }
    CatalogueFiles& catalogueFiles() { return *catalogueFiles_; }
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
    void loadScript();
    // True when the records may be dropped: no edit is unwritten, or the user had them written
    // or chose to discard them.
    bool settleUnwrittenEdits();
    void fillRecentMenu();
    void openRecent(const QString& path);
    void updateTitle();
    void updateCommands();
    // Moves the focus `step` panes on, round the catalogue, the sell list and the results.
    void focusPane(int step);
    void showOptions();
    void showAbout();
    void showHelpPage();
    // Once the window manager has framed the window, a frame beyond the screen's available area
    // is brought back into it.
    void keepFrameOnScreen();

    // First: events reach event() while the members below build the window's children.
    int charWidth_ = 8;
    bool splitterPlaced_ = false;
    bool framePlaced_ = false;
    std::unique_ptr<Dialogs> ownDialogs_;
    Dialogs* dialogs_;
    std::unique_ptr<Workspace> workspace_;
    Commands* commands_;
    std::unique_ptr<WindowWidgets> widgets_;

    std::unique_ptr<ScriptFiles> files_;
    std::unique_ptr<CatalogueFiles> catalogueFiles_;
    std::unique_ptr<CatalogueBrowser> catalogue_;
    std::unique_ptr<ListSelectors> selectors_;
    std::unique_ptr<SellListView> sellLists_;
    std::unique_ptr<LastGrid> lastGrid_;
    std::unique_ptr<ScriptInspector> inspector_;
    std::unique_ptr<ListTransfers> transfers_;
    std::unique_ptr<ChangesView> changes_;
    StatisticsPage* statistics_ = nullptr;
    OwnFileNotices* notices_ = nullptr;
};

} // namespace vw
