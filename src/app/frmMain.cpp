#include "frmMain.h"

#include "Help.h"
#include "ScriptFiles.h"
#include "catalogue/gui/CatalogueBrowser.h"
#include "controls/AppInfo.h"
#include "controls/Combo.h"
#include "controls/Dialogs.h"
#include "controls/Grid.h"
#include "controls/LastGrid.h"
#include "controls/ResultsPanel.h"
#include "controls/StatusPanels.h"
#include "controls/WindowTexts.h"
#include "document/RecoveryJournal.h"
#include "editor/gui/ChangesView.h"
#include "editor/gui/ListSelectors.h"
#include "editor/gui/ListTransfers.h"
#include "editor/gui/ScriptInspector.h"
#include "editor/gui/SellListView.h"
#include "frmAbout.h"
#include "script/Memory.h"
#include "stats/gui/StatisticsView.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <array>
#include <cmath>
#include <span>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

// "打开(O)" → "打开(&O)": the letter in parentheses becomes the keyboard accelerator.
QString withAccelerator(const QString& caption) {
    QString text = caption;
    const qsizetype open = text.lastIndexOf(u'(');
    if (open >= 0 && open + 2 < text.size() && text[open + 2] == u')')
        text.insert(open + 1, u'&');
    return text;
}

enum ToolFlag {
    OnToolbar = 1,
    EndsGroup = 2, // a separator follows it in the menu
    EditsList = 4, // an edit of the shown list
};

struct Tool {
    const char16_t* id;
    const char16_t* caption;
    QStyle::StandardPixmap icon; // SP_CustomBase: no icon
    const char16_t* themeIcon;
    const char16_t* keys = u""; // "Ctrl+Y; Ctrl+Shift+Z"
    int flags = OnToolbar;
};

const Tool FileTools[] = {
    {u"ID_Open", u"打开(O)", QStyle::SP_DialogOpenButton, u"document-open", u"Ctrl+O"},
    {u"ID_OpenCatalogue", u"打开物品数据库(D)…", QStyle::SP_CustomBase, u"", u"", 0},
    {u"ID_Load", u"装入AI文件", QStyle::SP_BrowserReload, u"view-refresh", u"F5"},
    {u"ID_Write", u"写出文件(W)", QStyle::SP_DialogSaveButton, u"document-save-as",
     u"Ctrl+S; Ctrl+Shift+S"},
    {u"ID_Preview", u"查看修改(P)", QStyle::SP_FileDialogInfoView, u"document-properties",
     u"Ctrl+Shift+P"},
    {u"ID_ExportEdits", u"导出修改(E)…", QStyle::SP_CustomBase, u"document-export", u"", 0},
    {u"ID_ImportEdits", u"导入修改(I)…", QStyle::SP_CustomBase, u"document-import", u"", EndsGroup},
    {u"ID_ExportStats", u"导出统计(S)…", QStyle::SP_CustomBase, u"", u"", EndsGroup},
    {u"ID_Option", u"选项", QStyle::SP_CustomBase, u""},
    {u"ID_Exit", u"退出(X)", QStyle::SP_DialogCloseButton, u"application-exit", u"Ctrl+Q"},
};
// Accelerators are unique within the menu: the design's "(B)" and "(D)" stood twice, so the
// append and the move down take letters of their own.
const Tool OperationTools[] = {
    {u"ID_Undo", u"撤销(Z)", QStyle::SP_ArrowBack, u"edit-undo", u"Ctrl+Z"},
    {u"ID_Redo", u"重做(Y)", QStyle::SP_ArrowForward, u"edit-redo", u"Ctrl+Y; Ctrl+Shift+Z",
     OnToolbar | EndsGroup},
    {u"ID_Cut", u"剪切(X)", QStyle::SP_CustomBase, u"edit-cut", u"Ctrl+X", EditsList},
    {u"ID_Copy", u"复制(C)", QStyle::SP_CustomBase, u"edit-copy", u"Ctrl+C", 0},
    {u"ID_Paste", u"粘贴(V)", QStyle::SP_CustomBase, u"edit-paste", u"Ctrl+V",
     EndsGroup | EditsList},
    {u"ID_AddItem", u"插入选中项之前(P)", QStyle::SP_FileDialogNewFolder, u"list-add", u"",
     OnToolbar | EditsList},
    {u"ID_AddItemB", u"添加至表尾(A)", QStyle::SP_FileDialogListView, u"go-last", u"",
     OnToolbar | EditsList},
    {u"ID_AddToListed", u"添加到所有列出的NPC(G)", QStyle::SP_CustomBase, u"", u"",
     EndsGroup | EditsList},
    {u"ID_MoveUp", u"上移一行(U)", QStyle::SP_ArrowUp, u"go-up", u"Alt+Up", OnToolbar | EditsList},
    {u"ID_MoveDown", u"下移一行(N)", QStyle::SP_ArrowDown, u"go-down", u"Alt+Down",
     OnToolbar | EditsList},
    {u"ID_MoveTop", u"移至顶部(T)", QStyle::SP_MediaSkipBackward, u"go-top", u"Alt+Home",
     OnToolbar | EditsList},
    {u"ID_MoveBottom", u"移至底部(B)", QStyle::SP_MediaSkipForward, u"go-bottom", u"Alt+End",
     OnToolbar | EditsList},
    {u"ID_DeleteItem", u"删除选中项(D)", QStyle::SP_TrashIcon, u"edit-delete", u"",
     OnToolbar | EndsGroup | EditsList},
    {u"ID_SetTaxRate", u"修改税率(R)", QStyle::SP_FileDialogDetailedView, u"document-edit", u"",
     OnToolbar | EndsGroup | EditsList},
    {u"ID_FindSellers", u"查找出售此物品的NPC(F)", QStyle::SP_FileDialogContentsView, u"edit-find",
     u"Ctrl+Shift+F"},
    {u"ID_CheckScript", u"检查AI文件(K)", QStyle::SP_MessageBoxWarning, u"tools-check-spelling",
     u"", OnToolbar | EndsGroup},
    {u"ID_SearchItems", u"搜索物品(S)", QStyle::SP_CustomBase, u"", u"Ctrl+F", 0},
    {u"ID_FilterNpcs", u"筛选NPC(L)", QStyle::SP_CustomBase, u"", u"Ctrl+L", 0},
};
const Tool HelpTools[] = {
    {u"ID_HelpCHM", u"帮助(H)", QStyle::SP_DialogHelpButton, u"help-contents", u"F1"},
    {u"ID_About", u"关于(A)", QStyle::SP_MessageBoxInformation, u"help-about"},
};

} // namespace

frmMain::frmMain(const QString& programDir, Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), programDir_(programDir),
      ownDialogs_(dialogs ? nullptr : std::make_unique<WidgetDialogs>(this)),
      dialogs_(dialogs ? dialogs : ownDialogs_.get()), data_(db_) {
    setObjectName(u"frmMain"_s);
    buildCommands();
    buildControls();
    files_ = std::make_unique<ScriptFiles>(document_, ScriptFiles::Controls{*status_, *dialogs_});
    catalogue_ = std::make_unique<CatalogueBrowser>(
        data_, charWidth_,
        CatalogueBrowser::Controls{*combo1_, *combo8_, *combo3_, *grid2_, *status_, *dialogs_});
    // The selectors follow the document before the list grid draws it, so the grid's status
    // texts see the list entries of the record they show.
    selectors_ = std::make_unique<ListSelectors>(
        document_, data_,
        ListSelectors::Controls{*combo5_, *combo2_, *combo4_, *status_, *dialogs_});
    sellLists_ = std::make_unique<SellListView>(
        document_, data_, *selectors_, *catalogue_, charWidth_,
        SellListView::Controls{*grid1_, *text2_, *status_, *dialogs_});
    lastGrid_ = std::make_unique<LastGrid>(*grid2_, *grid1_);
    inspector_ = std::make_unique<ScriptInspector>(
        document_, db_, *selectors_, *catalogue_, *lastGrid_,
        ScriptInspector::Controls{*grid1_, *grid2_, *text2_, *sellers_, *findings_, *status_,
                                  *dialogs_});
    changes_ = std::make_unique<ChangesView>(
        document_, data_, db_, *selectors_,
        ChangesView::Controls{*preview_, *importProblems_, *status_, *dialogs_});
    transfers_ = std::make_unique<ListTransfers>(
        document_, *catalogue_, *selectors_, *lastGrid_,
        ListTransfers::Controls{*grid1_, *grid2_, *text2_, *skipped_, *status_, *dialogs_});
    journal_ = new RecoveryJournal(document_, RecoveryJournal::defaultFolder());
    connectCommands();
    connect(&document_, &ScriptDocument::cleanChanged, this, &frmMain::updateTitle);
    connect(&document_, &ScriptDocument::changed, this, &frmMain::updateCommands);
    connect(&document_, &ScriptDocument::changed, this, [this](const DocumentChange& change) {
        if (change.reset || !change.records.empty())
            statisticsChanged();
    });
    connect(statistics_, &StatisticsView::recordChosen, this, &frmMain::showStatisticsTarget);
    connect(statistics_, &StatisticsView::itemChosen, this, &frmMain::searchStatisticsItem);
    updateCommands();
    resize(firstWindowSize(screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 800),
                           expectedFrame()));
}

QMargins expectedFrame() {
    return {8, 40, 8, 8};
}

QSize firstWindowSize(const QRect& available, const QMargins& frame) {
    return {std::min(1280, available.width() - frame.left() - frame.right()),
            std::min(800, available.height() - frame.top() - frame.bottom())};
}

bool frmMain::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    // The frame is known once the window manager has placed the window.
    if (!framePlaced_ && (event->type() == QEvent::Move || event->type() == QEvent::Show) &&
        isVisible())
        QTimer::singleShot(0, this, &frmMain::keepFrameOnScreen);
    return handled;
}

void frmMain::keepFrameOnScreen() {
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

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (splitterPlaced_)
        return;
    splitterPlaced_ = true;
    // The list pane starts as wide as a list's five columns usually need; the catalogue, with
    // its fourteen, takes the rest. From then on the divider is the user's.
    QWidget* listPane = splitter_->widget(1);
    const int typical = 62 * fontMetrics().horizontalAdvance(u'a');
    const int list = std::max(listPane->minimumSizeHint().width(), typical);
    const int total = splitter_->width();
    splitter_->setSizes({std::max(total - list, 1), list});
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // Captions under the icons where they all fit; icons alone (captions in the tool tips and
    // the menus) on a narrower window, rather than tools hidden behind the overflow arrow.
    toolbar_->setToolButtonStyle(width() >= toolbarCaptionsWidth_ ? Qt::ToolButtonTextUnderIcon
                                                                  : Qt::ToolButtonIconOnly);
}

frmMain::~frmMain() = default;

QAction* frmMain::command(QStringView id) const {
    return findChild<QAction*>(id.toString(), Qt::FindDirectChildrenOnly);
}

void frmMain::buildControls() {
    combo5_ = new Combo(u"Combo5"_s, u"选择地点"_s, this);
    combo2_ = new Combo(u"Combo2"_s, u"选择NPC名字"_s, this);
    combo4_ = new Combo(u"Combo4"_s, u"选择列表"_s, this);
    combo1_ = new Combo(u"Combo1"_s, u"选择物品种类"_s, this);
    combo8_ = new Combo(u"Combo8"_s, u"选择详细种类"_s, this);
    combo3_ = new Combo(u"Combo3"_s, u"选择物品级别"_s, this);
    combo2_->setMinimumContentsLength(16);
    text2_ = new QLineEdit(u"当前税率"_s, this);
    text2_->setObjectName(u"Text2"_s);
    text2_->setAccessibleName(u"Text2"_s);
    text2_->setMaximumWidth(120);
    grid1_ = new Grid(u"MSFlexGrid1"_s, this);
    grid2_ = new Grid(u"MSFlexGrid2"_s, this);
    status_ = new StatusPanels(u"StatusBar1"_s, this);
    setStatusBar(status_);
    search_ = new QLineEdit(this);
    search_->setObjectName(u"txtSearch"_s);
    search_->setAccessibleName(u"搜索物品"_s);
    search_->setPlaceholderText(u"搜索物品ID、中文名称或英文名称"_s);
    search_->setClearButtonEnabled(true);
    npcFilter_ = new QLineEdit(this);
    npcFilter_->setObjectName(u"txtNpcFilter"_s);
    npcFilter_->setAccessibleName(u"筛选NPC"_s);
    npcFilter_->setPlaceholderText(u"筛选NPC"_s);
    npcFilter_->setClearButtonEnabled(true);
    results_ = new ResultsDock(this);
    addDockWidget(Qt::BottomDockWidgetArea, results_);
    results_->hide();
    sellers_ = new ResultsPanel(u"WhereSold"_s, u"出售此物品的NPC"_s,
                                {u"NPC"_s, u"中文名称"_s, u"列表"_s, u"行"_s, u"税率"_s, u"地点"_s},
                                *results_);
    findings_ = new ResultsPanel(u"CheckResults"_s, u"检查结果"_s,
                                 {u"行号"_s, u"NPC"_s, u"列表"_s, u"问题"_s}, *results_);
    skipped_ =
        new ResultsPanel(u"SkippedItems"_s, u"跳过的物品"_s, {u"物品ID"_s, u"原因"_s}, *results_);
    preview_ = new ResultsPanel(
        u"ChangePreview"_s, u"查看修改"_s,
        {u"变化"_s, u"NPC"_s, u"中文名称"_s, u"列表"_s, u"物品ID"_s, u"物品名称"_s, u"说明"_s},
        *results_);
    importProblems_ = new ResultsPanel(u"ImportProblems"_s, u"导入时跳过的行"_s,
                                       {u"行号"_s, u"原因"_s}, *results_);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(u"SSTab1"_s);
    tabs_->setAccessibleName(u"SSTab1"_s);
    tabs_->addTab(buildSellTab(), u"出售物品"_s);
    auto* teleport = new QWidget(tabs_);
    teleport->setObjectName(u"teleportTab"_s);
    tabs_->addTab(teleport, u"传送座标"_s);
    statistics_ = new StatisticsView(tabs_);
    statistics_->setObjectName(u"WebBrowser1"_s);
    statistics_->setAccessibleName(u"HTML统计"_s);
    tabs_->addTab(statistics_, u"HTML统计"_s);
    connect(tabs_, &QTabWidget::currentChanged, this, &frmMain::tabChanged);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(commandButton(this, u"Command4"_s, u"写出目标文件"_s, u"ID_Write"));
    bottom->addWidget(commandButton(this, u"command3"_s, u"退出程序"_s, u"ID_Exit"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(tabs_, 1);
    layout->addLayout(bottom);
    setCentralWidget(central);
}

QPushButton* frmMain::commandButton(QWidget* parent, const QString& name, const QString& caption,
                                    QStringView tool) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    QAction* action = command(tool);
    connect(button, &QPushButton::clicked, action, &QAction::trigger);
    connect(action, &QAction::enabledChanged, button, &QPushButton::setEnabled);
    return button;
}

QWidget* frmMain::buildSellTab() {
    auto* tab = new QWidget;
    const auto button = [tab, this](const QString& name, const QString& caption, QStringView tool) {
        return commandButton(tab, name, caption, tool);
    };

    // Left pane: the catalogue filters over the item grid.
    auto* itemPane = new QGroupBox(u"物品库"_s, tab);
    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(u"种类"_s, itemPane));
    filters->addWidget(combo1_, 1);
    filters->addWidget(new QLabel(u"详细种类"_s, itemPane));
    filters->addWidget(combo8_, 1);
    filters->addWidget(new QLabel(u"级别"_s, itemPane));
    filters->addWidget(combo3_, 1);
    auto* itemLayout = new QVBoxLayout(itemPane);
    itemLayout->addLayout(filters);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(u"搜索"_s, itemPane));
    searchRow->addWidget(search_, 1);
    itemLayout->addLayout(searchRow);
    itemLayout->addWidget(grid2_, 1);

    // Right pane: the sell-list selectors, the edit buttons and the list grid. Selectors and
    // buttons stand in two rows each, so the pane fits beside the catalogue on a small screen.
    auto* listPane = new QGroupBox(u"出售列表"_s, tab);
    auto* selectors = new QGridLayout;
    selectors->addWidget(new QLabel(u"地点"_s, listPane), 0, 0);
    selectors->addWidget(combo5_, 0, 1);
    selectors->addWidget(new QLabel(u"列表"_s, listPane), 0, 2);
    selectors->addWidget(combo4_, 0, 3);
    selectors->addWidget(new QLabel(u"NPC"_s, listPane), 1, 0);
    selectors->addWidget(combo2_, 1, 1);
    selectors->addWidget(npcFilter_, 1, 2, 1, 2);
    selectors->setColumnStretch(1, 2);
    selectors->setColumnStretch(3, 1);
    auto* edits = new QGridLayout;
    const std::array<std::array<QPushButton*, 4>, 2> rows{{
        {button(u"SSCommand2"_s, u"装入AI文件"_s, u"ID_Load"),
         button(u"SSCommand3"_s, u"插入选中项之前"_s, u"ID_AddItem"),
         button(u"SSCommand4"_s, u"添加至表尾"_s, u"ID_AddItemB"),
         button(u"SSCommand5"_s, u"删除选中项"_s, u"ID_DeleteItem")},
        {button(u"SSCommand6"_s, u"移至顶部"_s, u"ID_MoveTop"),
         button(u"SSCommand7"_s, u"上移一行"_s, u"ID_MoveUp"),
         button(u"SSCommand8"_s, u"下移一行"_s, u"ID_MoveDown"),
         button(u"SSCommand9"_s, u"移至底部"_s, u"ID_MoveBottom")},
    }};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c)
            edits->addWidget(rows[static_cast<size_t>(r)][static_cast<size_t>(c)], r, c);
    auto* rate = new QHBoxLayout;
    rate->addWidget(new QLabel(u"税率"_s, listPane));
    rate->addWidget(text2_);
    rate->addWidget(button(u"SSCommand10"_s, u"修改税率"_s, u"ID_SetTaxRate"));
    rate->addStretch();
    auto* listLayout = new QVBoxLayout(listPane);
    listLayout->addLayout(selectors);
    listLayout->addLayout(edits);
    listLayout->addLayout(rate);
    listLayout->addWidget(grid1_, 1);

    // Tab follows the layout: in each pane the selectors, then the buttons, then the grid.
    std::vector<QWidget*> order{combo1_, combo8_, combo3_, search_,   grid2_,
                                combo5_, combo4_, combo2_, npcFilter_};
    for (const auto& row : rows)
        order.insert(order.end(), row.begin(), row.end());
    order.insert(order.end(), {text2_, tab->findChild<QPushButton*>(u"SSCommand10"_s), grid1_});
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

    splitter_ = new QSplitter(Qt::Horizontal, tab);
    splitter_->setObjectName(u"SSSplitter1"_s);
    splitter_->addWidget(itemPane);
    splitter_->addWidget(listPane);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    splitter_->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter_);
    return tab;
}

void frmMain::buildCommands() {
    auto* toolbar = addToolBar(u"VNW 工具条"_s);
    toolbar_ = toolbar;
    toolbar->setObjectName(u"SSActiveToolBars1"_s);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setIconSize(QSize(20, 20));
    const auto dress = [this](QAction* action, const Tool& tool) {
        const QString caption = QString::fromUtf16(tool.caption);
        action->setObjectName(QString::fromUtf16(tool.id));
        action->setText(withAccelerator(caption));
        action->setToolTip(caption);
        action->setIconText(QString(caption).remove(QRegularExpression(u"\\(.\\)$"_s)));
        action->setShortcuts(QKeySequence::listFromString(QString::fromUtf16(tool.keys)));
        if (tool.icon != QStyle::SP_CustomBase)
            action->setIcon(QIcon::fromTheme(QString::fromUtf16(tool.themeIcon),
                                             style()->standardIcon(tool.icon)));
        else if (*tool.themeIcon)
            action->setIcon(QIcon::fromTheme(QString::fromUtf16(tool.themeIcon)));
    };
    const auto addMenu = [&](const QString& id, const QString& caption,
                             std::span<const Tool> tools) {
        QMenu* menu = menuBar()->addMenu(withAccelerator(caption));
        menu->setObjectName(id);
        for (const Tool& tool : tools) {
            const QStringView toolId(tool.id);
            QAction* action = toolId == u"ID_Undo"   ? document_.history().createUndoAction(this)
                              : toolId == u"ID_Redo" ? document_.history().createRedoAction(this)
                                                     : new QAction(this);
            dress(action, tool);
            menu->addAction(action);
            if (tool.flags & OnToolbar)
                toolbar->addAction(action);
            if (tool.flags & EndsGroup)
                menu->addSeparator();
        }
        toolbar->addSeparator();
    };
    addMenu(u"ID_File"_s, u"文件(F)"_s, FileTools);
    // The scripts read last, for the user to go back to: under the open commands.
    QMenu* fileMenu = menuBar()->findChild<QMenu*>(u"ID_File"_s);
    recentMenu_ = new QMenu(withAccelerator(u"最近打开的文件(R)"_s), fileMenu);
    recentMenu_->setObjectName(u"ID_Recent"_s);
    fileMenu->insertMenu(command(u"ID_Load"), recentMenu_);
    addMenu(u"ID_Operation"_s, u"操作(O)"_s, OperationTools);
    addMenu(u"ID_Help"_s, u"帮助(H)"_s, HelpTools);
    toolbarCaptionsWidth_ = toolbar->sizeHint().width() + 2 * toolbar->iconSize().width();
    followHistory(*command(u"ID_Undo"), u"撤销"_s, u"Z"_s, &QUndoStack::undoTextChanged,
                  [this] { return document_.history().undoText(); });
    followHistory(*command(u"ID_Redo"), u"重做"_s, u"Y"_s, &QUndoStack::redoTextChanged,
                  [this] { return document_.history().redoText(); });
}

// The undo and redo entries name the step they would take back or take again, and keep their
// accelerator in the menu.
void frmMain::followHistory(QAction& action, const QString& verb, const QString& key,
                            void (QUndoStack::*textChanged)(const QString&),
                            const std::function<QString()>& stepText) {
    const auto name = [&action, verb, key](const QString& step) {
        const QString named = step.isEmpty() ? verb : verb + u' ' + step;
        action.setText(named + u"(&"_s + key + u')');
        action.setIconText(verb);
        action.setToolTip(named);
    };
    connect(&document_.history(), textChanged, &action, name);
    name(stepText());
}

void frmMain::connectCommands() {
    const auto on = [this](QStringView id, auto* receiver, auto member) {
        connect(command(id), &QAction::triggered, receiver, member);
    };
    on(u"ID_Open", this, &frmMain::chooseSourceFile);
    on(u"ID_OpenCatalogue", this, &frmMain::chooseCatalogue);
    on(u"ID_Load", this, &frmMain::loadScript);
    on(u"ID_Write", this, &frmMain::writeScript);
    on(u"ID_Exit", this, &frmMain::close);
    on(u"ID_About", this, &frmMain::showAbout);
    on(u"ID_HelpCHM", this, &frmMain::showHelpPage);
    SellListView* lists = sellLists_.get();
    on(u"ID_AddItem", lists, &SellListView::insertCatalogueItem);
    on(u"ID_AddItemB", lists, &SellListView::appendCatalogueItem);
    on(u"ID_MoveUp", lists, &SellListView::moveItemUp);
    on(u"ID_MoveDown", lists, &SellListView::moveItemDown);
    on(u"ID_MoveTop", lists, &SellListView::moveItemToTop);
    on(u"ID_MoveBottom", lists, &SellListView::moveItemToBottom);
    on(u"ID_DeleteItem", lists, &SellListView::deleteItem);
    on(u"ID_SetTaxRate", lists, &SellListView::setTaxRate);
    on(u"ID_FindSellers", inspector_.get(), &ScriptInspector::findSellers);
    on(u"ID_CheckScript", inspector_.get(), &ScriptInspector::checkScript);
    ListTransfers* transfers = transfers_.get();
    on(u"ID_Copy", transfers, &ListTransfers::copy);
    on(u"ID_Cut", transfers, &ListTransfers::cut);
    on(u"ID_Paste", transfers, &ListTransfers::paste);
    on(u"ID_AddToListed", transfers, &ListTransfers::addToListedNpcs);
    on(u"ID_SearchItems", this, &frmMain::focusSearch);
    on(u"ID_Preview", changes_.get(), &ChangesView::showPreview);
    on(u"ID_ExportStats", this, &frmMain::exportStatistics);
    on(u"ID_ExportEdits", changes_.get(), &ChangesView::exportEdits);
    on(u"ID_ImportEdits", changes_.get(), &ChangesView::importEdits);
    on(u"ID_FilterNpcs", this, &frmMain::focusNpcFilter);
    buildBatchCommands();
    buildContextMenus();

    // A double-click in the item grid inserts the item, as the insert command does.
    connect(grid2_, &Grid::rowDoubleClicked, command(u"ID_AddItem"), &QAction::trigger);
    // Typing searches once it pauses; Enter searches at once.
    auto* searchPause = new QTimer(this);
    searchPause->setSingleShot(true);
    searchPause->setInterval(300);
    connect(search_, &QLineEdit::textEdited, searchPause, qOverload<>(&QTimer::start));
    connect(searchPause, &QTimer::timeout, this,
            [this] { catalogue_->searchItems(search_->text()); });
    connect(search_, &QLineEdit::returnPressed, this, [this, searchPause] {
        searchPause->stop();
        catalogue_->searchItems(search_->text());
    });
    connect(npcFilter_, &QLineEdit::textChanged, selectors_.get(), &ListSelectors::filterNpcs);
    connect(npcFilter_, &QLineEdit::returnPressed, selectors_.get(),
            &ListSelectors::chooseFirstOfferedNpc);
    // Delete acts on the list grid only: in the tax-rate box or a selector it is the key's own.
    auto* deleteRows = new QAction(grid1_);
    deleteRows->setShortcut(QKeySequence::Delete);
    deleteRows->setShortcutContext(Qt::WidgetShortcut);
    connect(deleteRows, &QAction::triggered, command(u"ID_DeleteItem"), &QAction::trigger);
    grid1_->addAction(deleteRows);
    // Enter in the item grid inserts the item, as a double-click does.
    auto* insertRow = new QAction(grid2_);
    insertRow->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    insertRow->setShortcutContext(Qt::WidgetShortcut);
    connect(insertRow, &QAction::triggered, command(u"ID_AddItem"), &QAction::trigger);
    grid2_->addAction(insertRow);
}

void frmMain::focusSearch() {
    search_->setFocus(Qt::ShortcutFocusReason);
    search_->selectAll();
}

void frmMain::focusNpcFilter() {
    npcFilter_->setFocus(Qt::ShortcutFocusReason);
    npcFilter_->selectAll();
}

// The batch edits on the lists that sell an item act on the rows chosen in its results.
void frmMain::buildBatchCommands() {
    struct Batch {
        const char16_t* id;
        const char16_t* caption;
        void (ScriptInspector::*run)();
    };
    const Batch batches[] = {
        {u"ID_RemoveFromLists", u"从选中列表中删除(D)", &ScriptInspector::removeFromSelectedLists},
        {u"ID_SetTaxInLists", u"设置选中列表中的税率(R)",
         &ScriptInspector::setTaxRateInSelectedLists},
        {u"ID_ReplaceInLists", u"替换为…(P)", &ScriptInspector::replaceInSelectedLists},
    };
    Grid& results = sellers_->grid();
    results.setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const Batch& batch : batches) {
        const QString caption = QString::fromUtf16(batch.caption);
        auto* action = new QAction(withAccelerator(caption), sellers_);
        action->setObjectName(QString::fromUtf16(batch.id));
        action->setToolTip(QString(caption).remove(QRegularExpression(u"\\(.\\)$"_s)));
        connect(action, &QAction::triggered, inspector_.get(), batch.run);
        results.addAction(action);
        auto* button = new QToolButton(sellers_);
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        sellers_->addCommand(button);
    }
}

// Each grid's context menu offers the commands that act on its rows.
void frmMain::buildContextMenus() {
    const auto offer = [this](Grid* grid, std::initializer_list<const char16_t*> ids) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        const std::vector<const char16_t*> tools(ids);
        connect(grid, &QWidget::customContextMenuRequested, this, [this, grid, tools](QPoint at) {
            QMenu menu(this);
            for (const char16_t* id : tools) {
                if (*id)
                    menu.addAction(command(id));
                else
                    menu.addSeparator();
            }
            menu.exec(grid->viewport()->mapToGlobal(at));
        });
    };
    offer(grid1_, {u"ID_AddItem", u"ID_AddItemB", u"", u"ID_Cut", u"ID_Copy", u"ID_Paste", u"",
                   u"ID_DeleteItem", u"ID_MoveUp", u"ID_MoveDown", u"ID_MoveTop", u"ID_MoveBottom",
                   u"", u"ID_SetTaxRate", u"ID_FindSellers"});
    offer(grid2_, {u"ID_AddItem", u"ID_AddItemB", u"ID_AddToListed", u"", u"ID_Copy", u"",
                   u"ID_FindSellers"});
}

void frmMain::updateCommands() {
    const bool ready = !document_.isLoaded() || document_.selection().showsList();
    for (const Tool& tool : OperationTools) {
        if (tool.flags & EditsList)
            command(tool.id)->setEnabled(ready);
    }
}

void frmMain::chooseSourceFile() {
    files_->chooseSourceFile();
    updateTitle();
}

void frmMain::loadScript() {
    if (!files_->loadAiFile([this] { return settleUnwrittenEdits(); }))
        return;
    rememberScript(document_.source().path);
    inspector_->clearResults();
    results_->hide();
    selectors_->chooseLastLocation();
    // The records of the read before, and the steps on them, are gone by now.
    giveBackFreedMemory();
    offerRecovery();
}

bool frmMain::writeScript() {
    return files_->writeAiFile();
}

bool frmMain::settleUnwrittenEdits() {
    if (document_.isClean())
        return true;
    switch (dialogs_->ask(u"有尚未写出的修改，是否先写出目标文件？"_s,
                          {u"写出"_s, u"放弃"_s, u"查看修改"_s, u"取消"_s})) {
    case 0:
        return writeScript();
    case 1:
        journal_->discard();
        return true;
    case 2:
        changes_->showPreview();
        return false;
    default:
        return false;
    }
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (settleUnwrittenEdits())
        event->accept();
    else
        event->ignore();
}

void frmMain::updateTitle() {
    QString title = mainWindowTitle(files_->sourcePath());
    if (!document_.isClean())
        title += u" *"_s;
    setWindowTitle(title);
}

void frmMain::load(const StartFiles& files) {
    settings_ = std::make_unique<QSettings>(settingsPath(), QSettings::IniFormat);
    // The catalogue named, else the one used last, else the program folder's.
    const QString remembered = settings_->value(u"files/catalogue"_s).toString();
    const QString catalogue = !files.catalogue.isEmpty() ? files.catalogue
                              : !remembered.isEmpty() && QFileInfo(remembered).isFile()
                                  ? remembered
                                  : programDir_ + u"/DB/Wareroll.mdb"_s;
    if (loadCatalogue(catalogue))
        rememberCatalogue(catalogue);
    charWidth_ = static_cast<int>(std::lround(fontMetrics().horizontalAdvance(u"a"_s)));
    grid1_->setCols(5);
    grid1_->setRows(2);
    sellLists_->initListGrid();
    grid2_->setCols(14);
    grid2_->setRows(2);
    catalogue_->initItemGrid();
    setWindowTitle(u"Vendwright 2004"_s);
    // The script named, else the one read last, else the program folder's; else the user picks.
    const QString last = settings_->value(u"files/script"_s).toString();
    const QString defaultScript = programDir_ + u"/AI/ai.obj"_s;
    if (!files.script.isEmpty())
        files_->setSourcePath(files.script);
    else if (!last.isEmpty() && QFileInfo(last).isFile())
        files_->setSourcePath(last);
    else if (QFileInfo(defaultScript).isFile())
        files_->setSourcePath(defaultScript);
    else
        files_->chooseSourceFile();
    updateTitle();
    fillRecentMenu();
    if (db_.isLoaded()) {
        catalogue_->fillCategories();
        locationCount_ = selectors_->fillLocations();
    }
    status_->setPanelText(1, u"准备就绪"_s);
    showCatalogueTotals();
    // A script named on the command line is read at once, and so is one whose changes a session
    // that ended without writing them left behind, to offer them back.
    if (!files.script.isEmpty() || !journal_->leftFor(files_->sourcePath()).empty())
        loadScript();
}

void frmMain::showCatalogueTotals() {
    status_->setPanelText(5, u"共"_s + QString::number(locationCount_) + u"个地点"_s +
                                 QString::number(combo1_->entryCount()) + u"类物品"_s);
}

QString frmMain::readerFailureText(const CatalogueLoadResult& loaded) {
    switch (loaded.readerFailure) {
    case CatalogueReaderFailure::None:
        return loaded.detail;
    case CatalogueReaderFailure::TimedOut:
        return u"读取超时"_s;
    case CatalogueReaderFailure::OutOfMemory:
        return u"内存不足"_s;
    case CatalogueReaderFailure::Crashed:
        return u"读取程序异常退出"_s;
    case CatalogueReaderFailure::NotStarted:
        return u"无法启动读取程序："_s + loaded.object;
    case CatalogueReaderFailure::HoldsView:
        return u"含有视图“"_s + loaded.object + u"”，只读取数据表"_s;
    case CatalogueReaderFailure::HoldsTrigger:
        return u"含有触发器“"_s + loaded.object + u"”，只读取数据表"_s;
    case CatalogueReaderFailure::HoldsVirtualTable:
        return u"含有虚拟表“"_s + loaded.object + u"”，只读取数据表"_s;
    }
    return {};
}

QString frmMain::settingsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           u"/vendwright.conf"_s;
}

bool frmMain::loadCatalogue(const QString& path) {
    const CatalogueLoadResult loaded = db_.load(path);
    QString problem;
    switch (loaded.status) {
    case CatalogueLoadStatus::Ok:
        catalogueFile_ = path;
        return true;
    case CatalogueLoadStatus::Missing:
        problem = u"找不到物品数据库文件："_s;
        break;
    case CatalogueLoadStatus::Unreadable:
        problem = u"无法读取物品数据库文件："_s;
        break;
    case CatalogueLoadStatus::Unrecognised:
        problem = u"无法识别的物品数据库文件："_s;
        break;
    }
    problem += QDir::toNativeSeparators(path);
    const QString reason = readerFailureText(loaded);
    if (!reason.isEmpty())
        problem += u"\n("_s + reason + u')';
    dialogs_->message(problem);
    return false;
}

void frmMain::chooseCatalogue() {
    const QString folder =
        catalogueFile_.isEmpty() ? QString() : QFileInfo(catalogueFile_).absolutePath();
    const QString path = dialogs_->chooseFile(
        {FileRequest::Mode::Open,
         u"请选择物品数据库文件"_s,
         u"物品数据库(*.mdb *.accdb *.db *.sqlite)|*.mdb;*.accdb;*.db;*.sqlite|所有文件(*.*)|*.*"_s,
         folder,
         {}});
    if (!path.isEmpty())
        openCatalogue(path);
}

// Another catalogue replaces the one in use only once it has loaded; every view that shows
// what the catalogue says is then drawn anew, the user's list kept in view.
void frmMain::openCatalogue(const QString& path) {
    if (!loadCatalogue(path))
        return;
    rememberCatalogue(path);
    const Selection kept = document_.selection();
    combo1_->clearEntries();
    combo5_->clearEntries();
    catalogue_->fillCategories();
    locationCount_ = selectors_->fillLocations();
    showCatalogueTotals();
    if (document_.isLoaded()) {
        selectors_->chooseLastLocation();
        if (kept.showsList())
            selectors_->showList(kept.record, kept.list, kept.picked);
        sellLists_->showSellList();
    }
    statisticsChanged();
    status_->setPanelText(1, u"已装入物品数据库："_s + QDir::toNativeSeparators(path));
}

void frmMain::rememberCatalogue(const QString& path) {
    settings_->setValue(u"files/catalogue"_s, QFileInfo(path).absoluteFilePath());
}

void frmMain::rememberScript(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    settings_->setValue(u"files/script"_s, absolute);
    QStringList recent = settings_->value(u"files/recent"_s).toStringList();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    settings_->setValue(u"files/recent"_s, recent.mid(0, RecentCount));
    fillRecentMenu();
}

void frmMain::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList recent = settings_->value(u"files/recent"_s).toStringList();
    for (int i = 0; i < recent.size(); ++i) {
        const QString& path = recent[i];
        QAction* entry = recentMenu_->addAction(u"&"_s + QString::number(i + 1) + u' ' +
                                                QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, path] { openScript(path); });
    }
    recentMenu_->setEnabled(!recent.isEmpty());
}

void frmMain::openScript(const QString& path) {
    files_->setSourcePath(path);
    updateTitle();
    loadScript();
}

void frmMain::takeHandOver(const QString& path) {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    if (!path.isEmpty())
        openScript(path);
}

void frmMain::offerRecovery() {
    const std::vector<RecoveryJournal::Left> left = journal_->leftFor(document_.source().path);
    if (left.empty())
        return;
    const RecoveryJournal::Left& newest = left.front();
    const QString lists = u"（"_s + QString::number(newest.lists) + u"个列表）"_s;
    if (!RecoveryJournal::matches(newest, document_.source().stamp)) {
        // Edits made on other lines of another file would land in the wrong places.
        const int choice = dialogs_->ask(u"发现上次未写出的修改"_s + lists +
                                             u"，但AI文件在此之后已被修改，无法恢复。"
                                             u"是否将这些修改另存为修改文件？"_s,
                                         {u"另存为"_s, u"放弃"_s, u"稍后"_s});
        if (choice == 0) {
            const QFileInfo read(document_.source().path);
            const QString path = dialogs_->chooseFile(
                {FileRequest::Mode::Save, u"另存修改"_s,
                 u"修改文件(*.txt)|*.txt|所有文件(*.*)|*.*"_s, read.absolutePath(),
                 read.completeBaseName() + u".recovered.txt"_s});
            QSaveFile file(path);
            if (path.isEmpty() || !file.open(QIODevice::WriteOnly) ||
                file.write(newest.edits.toUtf8()) < 0 || !file.commit())
                return;
            RecoveryJournal::remove(newest);
        } else if (choice == 1) {
            RecoveryJournal::remove(newest);
        }
        return;
    }
    switch (dialogs_->ask(u"发现上次未写出的修改"_s + lists + u"，是否恢复？"_s,
                          {u"恢复"_s, u"放弃"_s, u"稍后"_s})) {
    case 0: {
        const ScriptDocument::Imported imported = document_.importEdits(newest.edits);
        RecoveryJournal::remove(newest);
        status_->setPanelText(1, u"已恢复"_s + QString::number(imported.lists) + u"个列表的修改"_s);
        break;
    }
    case 1:
        RecoveryJournal::remove(newest);
        break;
    default:
        break;
    }
}

void frmMain::showAbout() {
    frmAbout about(this);
    about.exec();
}

void frmMain::showHelpPage() {
    showHelp(programDir_, *dialogs_, *this);
}

void frmMain::tabChanged(int index) {
    if (tabs_->widget(index) != statistics_ || !statisticsStale_)
        return;
    // Built when it is looked at, and only after a change: a report of a large script takes
    // longer than an edit.
    statisticsStale_ = false;
    statistics_->setData(document_.isLoaded() ? &document_.records() : nullptr, &db_);
}

void frmMain::statisticsChanged() {
    statisticsStale_ = true;
    if (tabs_->currentWidget() == statistics_)
        tabChanged(tabs_->currentIndex());
}

void frmMain::showStatisticsTarget(int record, int list) {
    tabs_->setCurrentIndex(0);
    selectors_->showList(record, list);
}

void frmMain::searchStatisticsItem(const QString& id) {
    tabs_->setCurrentIndex(0);
    search_->setText(id);
    catalogue_->searchItems(id);
}

void frmMain::exportStatistics() {
    if (!document_.isLoaded()) {
        dialogs_->message(notLoadedText(), MessageIcon::Information);
        return;
    }
    const QFileInfo read(document_.source().path);
    const QString path = dialogs_->chooseFile(
        {FileRequest::Mode::Save, u"导出统计"_s, u"HTML文件(*.htm *.html)|*.htm;*.html"_s,
         read.absolutePath(), read.completeBaseName() + u"-统计.html"_s});
    if (path.isEmpty())
        return;
    if (statisticsStale_) {
        statisticsStale_ = false;
        statistics_->setData(&document_.records(), &db_);
    }
    QString error;
    if (!statistics_->exportHtml(path, &error)) {
        dialogs_->message(u"导出统计时发生错误："_s + error);
        return;
    }
    status_->setPanelText(1, u"统计已导出"_s);
}

} // namespace vw
