#include "MainWindow.h"

#include "CatalogueFiles.h"
#include "Commands.h"
#include "Help.h"
#include "OptionsDialog.h"
#include "OwnFileNotices.h"
#include "RecoveryOffer.h"
#include "ScriptFiles.h"
#include "StatisticsPage.h"
#include "WindowWidgets.h"
#include "catalogue/gui/CatalogueBrowser.h"
#include "controls/Dialogs.h"
#include "controls/Grid.h"
#include "controls/LastGrid.h"
#include "controls/ResultsPanel.h"
#include "controls/StatusPanels.h"
#include "editor/gui/ChangesView.h"
#include "editor/gui/ListSelectors.h"
#include "editor/gui/ListTransfers.h"
#include "editor/gui/ScriptInspector.h"
#include "editor/gui/SellListView.h"
#include "frmAbout.h"
#include "script/Memory.h"
#include "script/ScriptFile.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace vw {

MainWindow::MainWindow(const QString& programDir, Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), ownDialogs_(dialogs ? nullptr : std::make_unique<WidgetDialogs>(this)),
      dialogs_(dialogs ? dialogs : ownDialogs_.get()),
      workspace_(std::make_unique<Workspace>(Workspace::userPlaces(programDir))),
      commands_(new Commands(*this, workspace_->document().history())),
      widgets_(std::make_unique<WindowWidgets>(*this, *commands_)) {
    setObjectName(u"frmMain"_s);
    WindowWidgets& w = *widgets_;
    Dialogs& ask = *dialogs_;
    files_ = std::make_unique<ScriptFiles>(*workspace_, ScriptFiles::Controls{*w.status, ask});
    catalogueFiles_ =
        std::make_unique<CatalogueFiles>(*workspace_, CatalogueFiles::Controls{*w.status, ask});
    catalogue_ = std::make_unique<CatalogueBrowser>(
        *workspace_, charWidth_,
        CatalogueBrowser::Controls{*w.categories, *w.types, *w.grades, *w.itemGrid, *w.search,
                                   *w.wholeCatalogue, *w.status, ask});
    selectors_ = std::make_unique<ListSelectors>(
        *workspace_,
        ListSelectors::Controls{*w.locations, *w.npcs, *w.lists, *w.npcFilter, *w.status, ask});
    sellLists_ = std::make_unique<SellListView>(
        *workspace_, *catalogue_, charWidth_,
        SellListView::Controls{*w.listGrid, *w.taxRate, *w.status, ask});
    lastGrid_ = std::make_unique<LastGrid>(*w.itemGrid, *w.listGrid);
    inspector_ = std::make_unique<ScriptInspector>(
        *workspace_, *selectors_, *catalogue_, *sellLists_, *lastGrid_,
        ScriptInspector::Controls{*w.sellers, *w.findings, *w.status, ask});
    changes_ = std::make_unique<ChangesView>(
        *workspace_, *selectors_,
        ChangesView::Controls{*w.preview, *w.importProblems, *w.status, ask});
    transfers_ = std::make_unique<ListTransfers>(
        *workspace_, *catalogue_, *selectors_, *sellLists_, *lastGrid_,
        ListTransfers::Controls{*w.listGrid, *w.itemGrid, *w.skipped, *w.status, ask});
    notices_ = new OwnFileNotices(*workspace_, OwnFileNotices::Controls{*w.status, ask});
    statistics_ =
        new StatisticsPage(*workspace_, *selectors_, *catalogue_,
                           StatisticsPage::Controls{*w.tabs, *w.statistics, *w.status, ask});
    commands_->connectTo({[this] { files_->chooseSourceFile(); },
                          [this] { catalogueFiles_->choose(); }, [this] { loadScript(); },
                          [this] { files_->writeAiFile(); },
                          [this] { statistics_->exportStatistics(); }, [this] { showOptions(); },
                          [this] { close(); }, [this] { showAbout(); }, [this] { showHelpPage(); },
                          *sellLists_, *inspector_, *transfers_, *changes_, *w.listGrid,
                          *w.itemGrid, *w.search, *w.npcFilter, *w.sellers});
    ScriptDocument& document = workspace_->document();
    // Undo and redo say which step they took, as the edits say what they did.
    QUndoStack& history = document.history();
    connect(commands_->action(u"ID_Undo"), &QAction::triggered, this, [this, &history] {
        widgets_->status->setPanelText(1, tr("已经撤销：%1").arg(history.redoText()));
    });
    connect(commands_->action(u"ID_Redo"), &QAction::triggered, this, [this, &history] {
        widgets_->status->setPanelText(1, tr("已经重做：%1").arg(history.undoText()));
    });
    connect(&document, &ScriptDocument::cleanChanged, this, &MainWindow::updateTitle);
    connect(&document, &ScriptDocument::changed, this, &MainWindow::updateCommands);
    connect(workspace_.get(), &Workspace::chosenScriptChanged, this, &MainWindow::updateTitle);
    connect(workspace_.get(), &Workspace::recentChanged, this, &MainWindow::fillRecentMenu);
    connect(workspace_.get(), &Workspace::catalogueChanged, this,
            [this] { catalogueFiles_->showTotals(); });
    // F6 and Shift+F6 go from pane to pane: the catalogue, the sell list, the results.
    for (const auto& [key, step] : {std::pair{QKeySequence(Qt::Key_F6), 1},
                                    std::pair{QKeySequence(Qt::SHIFT | Qt::Key_F6), -1}}) {
        auto* move = new QAction(this);
        move->setShortcut(key);
        connect(move, &QAction::triggered, this, [this, step = step] { focusPane(step); });
        addAction(move);
    }
    updateCommands();
    resize(firstWindowSize(screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 800),
                           expectedFrame()));
}

MainWindow::~MainWindow() = default;

ScriptDocument& MainWindow::document() {
    return workspace_->document();
}

QMargins expectedFrame() {
    return {8, 40, 8, 8};
}

QSize firstWindowSize(const QRect& available, const QMargins& frame) {
    return {std::min(1280, available.width() - frame.left() - frame.right()),
            std::min(800, available.height() - frame.top() - frame.bottom())};
}

bool MainWindow::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    // The frame is known once the window manager has placed the window.
    if (!framePlaced_ && (event->type() == QEvent::Move || event->type() == QEvent::Show) &&
        isVisible())
        QTimer::singleShot(0, this, &MainWindow::keepFrameOnScreen);
    return handled;
}

void MainWindow::keepFrameOnScreen() {
    if (framePlaced_ || !screen() || isMaximized() || isFullScreen())
        return;
    const QRect room = screen()->availableGeometry();
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    if (frame == inner)
        return; // not framed yet
    framePlaced_ = true;
    if (room.contains(frame))
        return;
    const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                           frame.right() - inner.right(), frame.bottom() - inner.bottom());
    resize(firstWindowSize(room, margins));
    move(room.topLeft());
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (splitterPlaced_)
        return;
    splitterPlaced_ = true;
    // The list pane starts as wide as a list's five columns usually need; the catalogue, with
    // its fourteen, takes the rest. From then on the divider is the user's.
    QSplitter& splitter = *widgets_->splitter;
    QWidget* listPane = splitter.widget(1);
    const int typical = 62 * fontMetrics().horizontalAdvance(u'a');
    const int list = std::max(listPane->minimumSizeHint().width(), typical);
    splitter.setSizes({std::max(splitter.width() - list, 1), list});
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // Captions under the icons where they all fit; icons alone (captions in the tool tips and
    // the menus) on a narrower window, rather than tools hidden behind the overflow arrow.
    commands_->toolbar().setToolButtonStyle(width() >= commands_->captionsWidth()
                                                ? Qt::ToolButtonTextUnderIcon
                                                : Qt::ToolButtonIconOnly);
}

void MainWindow::focusPane(int step) {
    const WindowWidgets& w = *widgets_;
    // Each pane by what holds it and the control that takes the focus in it.
    std::vector<std::pair<QWidget*, QWidget*>> panes{{w.itemGrid->parentWidget(), w.itemGrid},
                                                     {w.listGrid->parentWidget(), w.listGrid}};
    if (w.results->isVisible()) {
        if (auto* panel = qobject_cast<ResultsPanel*>(w.results->tabs().currentWidget()))
            panes.push_back({w.results, &panel->grid()});
    }
    if (w.tabs->currentIndex() != 0) {
        w.tabs->setCurrentIndex(0);
        panes.front().second->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    const QWidget* focus = QApplication::focusWidget();
    const auto holds = [focus](const auto& pane) { return pane.first->isAncestorOf(focus); };
    const auto at = std::find_if(panes.begin(), panes.end(), holds);
    const int count = static_cast<int>(panes.size());
    const int now = at == panes.end() ? (step > 0 ? -1 : 0) : static_cast<int>(at - panes.begin());
    panes[static_cast<size_t>((now + step + count) % count)].second->setFocus(
        Qt::ShortcutFocusReason);
}

void MainWindow::updateCommands() {
    const ScriptDocument& document = workspace_->document();
    commands_->setListEditsEnabled(!document.isLoaded() || document.selection().showsList());
}

void MainWindow::loadScript() {
    if (!files_->loadAiFile([this] { return settleUnwrittenEdits(); }))
        return;
    widgets_->results->hide();
    selectors_->chooseLastLocation();
    // The records of the read before, and the steps on them, are gone by now.
    giveBackFreedMemory();
    updateTitle();
    RecoveryOffer::offer(*workspace_, *dialogs_, *widgets_->status);
}

bool MainWindow::settleUnwrittenEdits() {
    if (workspace_->document().isClean())
        return true;
    switch (dialogs_->ask(tr("有尚未写出的修改，是否先写出目标文件？"),
                          {tr("写出"), tr("放弃"), tr("查看修改"), tr("取消")})) {
    case 0:
        return files_->writeAiFile();
    case 1:
        workspace_->journal().discard();
        return true;
    case 2:
        changes_->showPreview();
        return false;
    default:
        return false;
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (settleUnwrittenEdits())
        event->accept();
    else
        event->ignore();
}

// The title names the script whose records are shown; before any read, the one chosen.
void MainWindow::updateTitle() {
    const ScriptDocument& document = workspace_->document();
    QString title =
        mainWindowTitle(document.isLoaded() ? document.source().path : workspace_->chosenScript());
    if (!document.isClean())
        title += u" *"_s;
    setWindowTitle(title);
}

void MainWindow::load(const StartFiles& files) {
    notices_->startUp();
    const QString fellBack = catalogueFiles_->start(files.catalogue);
    charWidth_ = static_cast<int>(std::lround(fontMetrics().horizontalAdvance(u"a"_s)));
    widgets_->listGrid->setCols(5);
    widgets_->listGrid->setRows(2);
    sellLists_->initListGrid();
    widgets_->itemGrid->setCols(14);
    widgets_->itemGrid->setRows(2);
    catalogue_->initItemGrid();
    setWindowTitle(u"Vendwright 2004"_s);
    // The script named, else the one read last, else the program folder's; else the user picks.
    const QString script = workspace_->startScript(files.script);
    if (!script.isEmpty())
        workspace_->chooseScript(script);
    else
        files_->chooseSourceFile();
    updateTitle();
    fillRecentMenu();
    catalogue_->fillCategories();
    selectors_->fillLocations();
    widgets_->status->setPanelText(1, fellBack.isEmpty() ? tr("准备就绪") : fellBack);
    catalogueFiles_->showTotals();
    // A script named on the command line is read at once, and so is one whose changes a session
    // that ended without writing them left behind, to offer them back.
    if (!files.script.isEmpty() || workspace_->hasLeftEdits(workspace_->chosenScript()) ||
        (workspace_->options().readLastScript && !workspace_->chosenScript().isEmpty()))
        loadScript();
}

void MainWindow::fillRecentMenu() {
    QMenu& menu = commands_->recentMenu();
    menu.clear();
    const QStringList recent = workspace_->recentScripts();
    for (int i = 0; i < recent.size(); ++i) {
        const QString& path = recent[i];
        QAction* entry =
            menu.addAction(u"&"_s + QString::number(i + 1) + u' ' + QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    menu.setEnabled(!recent.isEmpty());
}

// A script gone since it was read is offered for removal from the list, not read.
void MainWindow::openRecent(const QString& path) {
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        openScript(path);
        return;
    }
    if (dialogs_->ask(tr("最近打开的文件已不存在：\n%1\n是否从列表中删除？")
                          .arg(QDir::toNativeSeparators(path)),
                      {tr("删除"), tr("保留")}) == 0)
        workspace_->forgetRecent(path);
}

void MainWindow::openScript(const QString& path) {
    const QString before = workspace_->chosenScript();
    workspace_->chooseScript(path);
    loadScript();
    // A read that did not happen leaves the script chosen before it.
    const ScriptDocument& document = workspace_->document();
    if (!document.isLoaded() || !namesSameFile(document.source().path, path))
        workspace_->chooseScript(before);
}

void MainWindow::takeHandOver(const QString& path) {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    if (path.isEmpty())
        return;
    // A question open already holds its own answer to wait for: the script is read after it.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(200, this, [this, path] { takeHandOver(path); });
        return;
    }
    openScript(path);
}

void MainWindow::showOptions() {
    OptionsDialog dialog(workspace_->options(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const bool newLanguage = dialog.options().language != workspace_->options().language;
    workspace_->setOptions(dialog.options());
    widgets_->status->setPanelText(1, newLanguage ? tr("选项已保存，界面语言在下次启动时生效")
                                                  : tr("选项已保存"));
}

void MainWindow::showAbout() {
    frmAbout about(this);
    about.exec();
}

void MainWindow::showHelpPage() {
    showHelp(workspace_->programDir(), *dialogs_, *this);
}

} // namespace vw
