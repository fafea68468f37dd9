#include "Commands.h"

#include "controls/Grid.h"
#include "controls/ResultsPanel.h"
#include "editor/gui/ChangesView.h"
#include "editor/gui/ListTransfers.h"
#include "editor/gui/ScriptInspector.h"
#include "editor/gui/SellListView.h"

#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>

#include <algorithm>
#include <span>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

// A caption marks its accelerator either in the Chinese way, a letter in parentheses at the
// end ("打开(O)"), or in the Western way, an ampersand before the letter ("&Open").
bool marksAccelerator(const QString& caption) {
    return caption.contains(QRegularExpression(u"&[^&]"_s));
}

// "打开(O)" → "打开(&O)": the letter in parentheses becomes the keyboard accelerator.
QString withAccelerator(const QString& caption) {
    QString text = caption;
    const qsizetype open = text.lastIndexOf(u'(');
    if (!marksAccelerator(text) && open >= 0 && open + 2 < text.size() && text[open + 2] == u')')
        text.insert(open + 1, u'&');
    return text;
}

// "&Open" → "Open"; "打开(O)" stays as it is: a tool tip names the letter the Chinese way.
QString withoutAmpersand(const QString& caption) {
    return QString(caption).remove(QRegularExpression(u"&(?=[^&])"_s));
}

// "打开(O)" → "打开", "&Open" → "Open": the caption under a tool.
QString withoutAccelerator(const QString& caption) {
    return withoutAmpersand(caption).remove(QRegularExpression(u"\\(.\\)$"_s));
}

// "撤销(Z)" and "删除 3" → "撤销 删除 3(Z)"; "&Undo" and "Delete 3" → "&Undo Delete 3".
QString namingStep(const QString& caption, const QString& step) {
    if (step.isEmpty())
        return caption;
    const QRegularExpressionMatch letter = QRegularExpression(u"\\(.\\)$"_s).match(caption);
    if (!letter.hasMatch())
        return caption + u' ' + step;
    return caption.left(letter.capturedStart()) + u' ' + step + letter.captured();
}

enum ToolFlag {
    OnToolbar = 1,
    EndsGroup = 2, // a separator follows it in the menu
    EditsList = 4, // an edit of the shown list
};

struct Tool {
    const char16_t* id;
    const char* caption;
    QStyle::StandardPixmap icon; // SP_CustomBase: no icon
    const char16_t* themeIcon;
    const char16_t* keys = u""; // "Ctrl+Y; Ctrl+Shift+Z"
    int flags = OnToolbar;
};

const Tool FileTools[] = {
    {u"ID_Open", QT_TRANSLATE_NOOP("vw::Commands", "打开(O)"), QStyle::SP_DialogOpenButton,
     u"document-open", u"Ctrl+O"},
    {u"ID_OpenCatalogue", QT_TRANSLATE_NOOP("vw::Commands", "打开物品数据库(D)…"),
     QStyle::SP_CustomBase, u"", u"", 0},
    {u"ID_Load", QT_TRANSLATE_NOOP("vw::Commands", "装入AI文件"), QStyle::SP_BrowserReload,
     u"view-refresh", u"F5"},
    {u"ID_Write", QT_TRANSLATE_NOOP("vw::Commands", "写出文件(W)"), QStyle::SP_DialogSaveButton,
     u"document-save-as", u"Ctrl+S; Ctrl+Shift+S"},
    {u"ID_Preview", QT_TRANSLATE_NOOP("vw::Commands", "查看修改(P)"), QStyle::SP_FileDialogInfoView,
     u"document-properties", u"Ctrl+Shift+P"},
    {u"ID_ExportEdits", QT_TRANSLATE_NOOP("vw::Commands", "导出修改(E)…"), QStyle::SP_CustomBase,
     u"document-export", u"", 0},
    {u"ID_ImportEdits", QT_TRANSLATE_NOOP("vw::Commands", "导入修改(I)…"), QStyle::SP_CustomBase,
     u"document-import", u"", EndsGroup},
    {u"ID_ExportStats", QT_TRANSLATE_NOOP("vw::Commands", "导出统计(S)…"), QStyle::SP_CustomBase,
     u"", u"", EndsGroup},
    {u"ID_Option", QT_TRANSLATE_NOOP("vw::Commands", "选项"), QStyle::SP_CustomBase, u""},
    {u"ID_Exit", QT_TRANSLATE_NOOP("vw::Commands", "退出(X)"), QStyle::SP_DialogCloseButton,
     u"application-exit", u"Ctrl+Q"},
};
// Accelerators are unique within the menu: the design's "(B)" and "(D)" stood twice, so the
// append and the move down take letters of their own.
const Tool OperationTools[] = {
    {u"ID_Undo", QT_TRANSLATE_NOOP("vw::Commands", "撤销(Z)"), QStyle::SP_ArrowBack, u"edit-undo",
     u"Ctrl+Z"},
    {u"ID_Redo", QT_TRANSLATE_NOOP("vw::Commands", "重做(Y)"), QStyle::SP_ArrowForward,
     u"edit-redo", u"Ctrl+Y; Ctrl+Shift+Z", OnToolbar | EndsGroup},
    {u"ID_Cut", QT_TRANSLATE_NOOP("vw::Commands", "剪切(X)"), QStyle::SP_CustomBase, u"edit-cut",
     u"Ctrl+X", EditsList},
    {u"ID_Copy", QT_TRANSLATE_NOOP("vw::Commands", "复制(C)"), QStyle::SP_CustomBase, u"edit-copy",
     u"Ctrl+C", 0},
    {u"ID_Paste", QT_TRANSLATE_NOOP("vw::Commands", "粘贴(V)"), QStyle::SP_CustomBase,
     u"edit-paste", u"Ctrl+V", EndsGroup | EditsList},
    {u"ID_AddItem", QT_TRANSLATE_NOOP("vw::Commands", "插入选中项之前(P)"),
     QStyle::SP_FileDialogNewFolder, u"list-add", u"", OnToolbar | EditsList},
    {u"ID_AddItemB", QT_TRANSLATE_NOOP("vw::Commands", "添加至表尾(A)"),
     QStyle::SP_FileDialogListView, u"go-last", u"", OnToolbar | EditsList},
    {u"ID_AddToListed", QT_TRANSLATE_NOOP("vw::Commands", "添加到所有列出的NPC(G)"),
     QStyle::SP_CustomBase, u"", u"", EndsGroup | EditsList},
    {u"ID_MoveUp", QT_TRANSLATE_NOOP("vw::Commands", "上移一行(U)"), QStyle::SP_ArrowUp, u"go-up",
     u"Alt+Up", OnToolbar | EditsList},
    {u"ID_MoveDown", QT_TRANSLATE_NOOP("vw::Commands", "下移一行(N)"), QStyle::SP_ArrowDown,
     u"go-down", u"Alt+Down", OnToolbar | EditsList},
    {u"ID_MoveTop", QT_TRANSLATE_NOOP("vw::Commands", "移至顶部(T)"), QStyle::SP_MediaSkipBackward,
     u"go-top", u"Alt+Home", OnToolbar | EditsList},
    {u"ID_MoveBottom", QT_TRANSLATE_NOOP("vw::Commands", "移至底部(B)"),
     QStyle::SP_MediaSkipForward, u"go-bottom", u"Alt+End", OnToolbar | EditsList},
    {u"ID_DeleteItem", QT_TRANSLATE_NOOP("vw::Commands", "删除选中项(D)"), QStyle::SP_TrashIcon,
     u"edit-delete", u"", OnToolbar | EndsGroup | EditsList},
    {u"ID_SetTaxRate", QT_TRANSLATE_NOOP("vw::Commands", "修改税率(R)"),
     QStyle::SP_FileDialogDetailedView, u"document-edit", u"", OnToolbar | EndsGroup | EditsList},
    {u"ID_FindSellers", QT_TRANSLATE_NOOP("vw::Commands", "查找出售此物品的NPC(F)"),
     QStyle::SP_FileDialogContentsView, u"edit-find", u"Ctrl+Shift+F"},
    {u"ID_CheckScript", QT_TRANSLATE_NOOP("vw::Commands", "检查AI文件(K)"),
     QStyle::SP_MessageBoxWarning, u"tools-check-spelling", u"", OnToolbar | EndsGroup},
    {u"ID_SearchItems", QT_TRANSLATE_NOOP("vw::Commands", "搜索物品(S)"), QStyle::SP_CustomBase,
     u"", u"Ctrl+F", 0},
    {u"ID_FilterNpcs", QT_TRANSLATE_NOOP("vw::Commands", "筛选NPC(L)"), QStyle::SP_CustomBase, u"",
     u"Ctrl+L", 0},
};
const Tool HelpTools[] = {
    {u"ID_HelpCHM", QT_TRANSLATE_NOOP("vw::Commands", "帮助(H)"), QStyle::SP_DialogHelpButton,
     u"help-contents", u"F1"},
    {u"ID_About", QT_TRANSLATE_NOOP("vw::Commands", "关于(A)"), QStyle::SP_MessageBoxInformation,
     u"help-about"},
};

const char* captionOf(std::span<const Tool> tools, QStringView id) {
    return std::ranges::find(tools, id, [](const Tool& tool) { return QStringView(tool.id); })
        ->caption;
}

void focusAndSelect(QLineEdit& box) {
    box.setFocus(Qt::ShortcutFocusReason);
    box.selectAll();
}

} // namespace

Commands::Commands(QMainWindow& window, QUndoStack& history)
    : QObject(&window), window_(window), history_(history),
      toolbar_(window.addToolBar(tr("VNW 工具条"))) {
    toolbar_->setObjectName(u"SSActiveToolBars1"_s);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar_->setIconSize(QSize(20, 20));
    const auto dress = [this](QAction* action, const Tool& tool) {
        const QString caption = tr(tool.caption);
        action->setObjectName(QString::fromUtf16(tool.id));
        action->setText(withAccelerator(caption));
        action->setToolTip(withoutAmpersand(caption));
        action->setIconText(withoutAccelerator(caption));
        action->setShortcuts(QKeySequence::listFromString(QString::fromUtf16(tool.keys)));
        if (tool.icon != QStyle::SP_CustomBase)
            action->setIcon(QIcon::fromTheme(QString::fromUtf16(tool.themeIcon),
                                             window_.style()->standardIcon(tool.icon)));
        else if (*tool.themeIcon)
            action->setIcon(QIcon::fromTheme(QString::fromUtf16(tool.themeIcon)));
    };
    const auto addMenu = [&](const QString& id, const QString& caption,
                             std::span<const Tool> tools) {
        QMenu* menu = window_.menuBar()->addMenu(withAccelerator(caption));
        menu->setObjectName(id);
        for (const Tool& tool : tools) {
            const QStringView toolId(tool.id);
            QAction* action = toolId == u"ID_Undo"   ? history_.createUndoAction(&window_)
                              : toolId == u"ID_Redo" ? history_.createRedoAction(&window_)
                                                     : new QAction(&window_);
            dress(action, tool);
            menu->addAction(action);
            if (tool.flags & OnToolbar)
                toolbar_->addAction(action);
            if (tool.flags & EndsGroup)
                menu->addSeparator();
        }
        toolbar_->addSeparator();
        return menu;
    };
    QMenu* fileMenu = addMenu(u"ID_File"_s, tr("文件(F)"), FileTools);
    // The scripts read last, for the user to go back to: under the open commands.
    recentMenu_ = new QMenu(withAccelerator(tr("最近打开的文件(R)")), fileMenu);
    recentMenu_->setObjectName(u"ID_Recent"_s);
    fileMenu->insertMenu(action(u"ID_Load"), recentMenu_);
    addMenu(u"ID_Operation"_s, tr("操作(O)"), OperationTools);
    addMenu(u"ID_Help"_s, tr("帮助(H)", "the menu"), HelpTools);
    captionsWidth_ = toolbar_->sizeHint().width() + 2 * toolbar_->iconSize().width();
    followHistory(*action(u"ID_Undo"), tr(captionOf(OperationTools, u"ID_Undo")),
                  &QUndoStack::undoTextChanged, history_.undoText());
    followHistory(*action(u"ID_Redo"), tr(captionOf(OperationTools, u"ID_Redo")),
                  &QUndoStack::redoTextChanged, history_.redoText());
}

QAction* Commands::action(QStringView id) const {
    return window_.findChild<QAction*>(id.toString(), Qt::FindDirectChildrenOnly);
}

// The undo and redo entries name the step they would take back or take again, and keep their
// accelerator in the menu.
void Commands::followHistory(QAction& action, const QString& caption,
                             void (QUndoStack::*textChanged)(const QString&), const QString& now) {
    const auto name = [&action, caption](const QString& step) {
        const QString named = namingStep(caption, step);
        action.setText(withAccelerator(named));
        action.setIconText(withoutAccelerator(caption));
        action.setToolTip(withoutAccelerator(named));
    };
    connect(&history_, textChanged, &action, name);
    name(now);
}

QPushButton* Commands::button(QWidget* parent, const QString& name, const QString& caption,
                              QStringView tool) const {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    button->setAccessibleDescription(name);
    QAction* command = action(tool);
    connect(button, &QPushButton::clicked, command, &QAction::trigger);
    connect(command, &QAction::enabledChanged, button, &QPushButton::setEnabled);
    return button;
}

void Commands::setListEditsEnabled(bool enabled) {
    for (const Tool& tool : OperationTools) {
        if (tool.flags & EditsList)
            action(tool.id)->setEnabled(enabled);
    }
}

void Commands::connectTo(const CommandTargets& to) {
    const auto run = [this](QStringView id, const std::function<void()>& function) {
        connect(action(id), &QAction::triggered, this, function);
    };
    const auto on = [this](QStringView id, auto* receiver, auto member) {
        connect(action(id), &QAction::triggered, receiver, member);
    };
    run(u"ID_Open", to.open);
    run(u"ID_OpenCatalogue", to.openCatalogue);
    run(u"ID_Load", to.load);
    run(u"ID_Write", to.write);
    run(u"ID_ExportStats", to.exportStatistics);
    run(u"ID_Option", to.options);
    run(u"ID_Exit", to.exit);
    run(u"ID_About", to.about);
    run(u"ID_HelpCHM", to.help);
    on(u"ID_AddItem", &to.lists, &SellListView::insertCatalogueItem);
    on(u"ID_AddItemB", &to.lists, &SellListView::appendCatalogueItem);
    on(u"ID_MoveUp", &to.lists, &SellListView::moveItemUp);
    on(u"ID_MoveDown", &to.lists, &SellListView::moveItemDown);
    on(u"ID_MoveTop", &to.lists, &SellListView::moveItemToTop);
    on(u"ID_MoveBottom", &to.lists, &SellListView::moveItemToBottom);
    on(u"ID_DeleteItem", &to.lists, &SellListView::deleteItem);
    on(u"ID_SetTaxRate", &to.lists, &SellListView::setTaxRate);
    on(u"ID_FindSellers", &to.inspector, &ScriptInspector::findSellers);
    on(u"ID_CheckScript", &to.inspector, &ScriptInspector::checkScript);
    on(u"ID_Copy", &to.transfers, &ListTransfers::copy);
    on(u"ID_Cut", &to.transfers, &ListTransfers::cut);
    on(u"ID_Paste", &to.transfers, &ListTransfers::paste);
    on(u"ID_AddToListed", &to.transfers, &ListTransfers::addToListedNpcs);
    on(u"ID_Preview", &to.changes, &ChangesView::showPreview);
    on(u"ID_ExportEdits", &to.changes, &ChangesView::exportEdits);
    on(u"ID_ImportEdits", &to.changes, &ChangesView::importEdits);
    QLineEdit* search = &to.search;
    QLineEdit* npcFilter = &to.npcFilter;
    run(u"ID_SearchItems", [search] { focusAndSelect(*search); });
    run(u"ID_FilterNpcs", [npcFilter] { focusAndSelect(*npcFilter); });
    addBatchCommands(to.sellers, to.inspector);
    offerContextMenus(to.listGrid, to.itemGrid);

    // A double-click in the item grid inserts the item, as the insert command does.
    connect(&to.itemGrid, &Grid::rowDoubleClicked, action(u"ID_AddItem"), &QAction::trigger);
    // Delete acts on the list grid only: in the tax-rate box or a selector it is the key's own.
    auto* deleteRows = new QAction(&to.listGrid);
    deleteRows->setShortcut(QKeySequence::Delete);
    deleteRows->setShortcutContext(Qt::WidgetShortcut);
    connect(deleteRows, &QAction::triggered, action(u"ID_DeleteItem"), &QAction::trigger);
    to.listGrid.addAction(deleteRows);
    // Enter in the item grid inserts the item, as a double-click does.
    auto* insertRow = new QAction(&to.itemGrid);
    insertRow->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    insertRow->setShortcutContext(Qt::WidgetShortcut);
    connect(insertRow, &QAction::triggered, action(u"ID_AddItem"), &QAction::trigger);
    to.itemGrid.addAction(insertRow);
}

// The batch edits on the lists that sell an item act on the rows chosen in its results.
void Commands::addBatchCommands(ResultsPanel& sellers, ScriptInspector& inspector) {
    struct Batch {
        const char16_t* id;
        const char* caption;
        void (ScriptInspector::*run)();
    };
    const Batch batches[] = {
        {u"ID_RemoveFromLists", QT_TRANSLATE_NOOP("vw::Commands", "从选中列表中删除(D)"),
         &ScriptInspector::removeFromSelectedLists},
        {u"ID_SetTaxInLists", QT_TRANSLATE_NOOP("vw::Commands", "设置选中列表中的税率(R)"),
         &ScriptInspector::setTaxRateInSelectedLists},
        {u"ID_ReplaceInLists", QT_TRANSLATE_NOOP("vw::Commands", "替换为…(P)"),
         &ScriptInspector::replaceInSelectedLists},
    };
    Grid& results = sellers.grid();
    results.setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const Batch& batch : batches) {
        const QString caption = tr(batch.caption);
        auto* command = new QAction(withAccelerator(caption), &sellers);
        command->setObjectName(QString::fromUtf16(batch.id));
        command->setToolTip(withoutAccelerator(caption));
        connect(command, &QAction::triggered, &inspector, batch.run);
        results.addAction(command);
        auto* button = new QToolButton(&sellers);
        button->setDefaultAction(command);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        sellers.addCommand(button);
    }
}

// Each grid's context menu offers the commands that act on its rows.
void Commands::offerContextMenus(Grid& listGrid, Grid& itemGrid) {
    const auto offer = [this](Grid* grid, std::initializer_list<const char16_t*> ids) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        const std::vector<const char16_t*> tools(ids);
        connect(grid, &QWidget::customContextMenuRequested, this, [this, grid, tools](QPoint at) {
            QMenu menu(&window_);
            for (const char16_t* id : tools) {
                if (*id)
                    menu.addAction(action(id));
                else
                    menu.addSeparator();
            }
            menu.exec(grid->viewport()->mapToGlobal(at));
        });
    };
    offer(&listGrid, {u"ID_AddItem", u"ID_AddItemB", u"", u"ID_Cut", u"ID_Copy", u"ID_Paste", u"",
                      u"ID_DeleteItem", u"ID_MoveUp", u"ID_MoveDown", u"ID_MoveTop",
                      u"ID_MoveBottom", u"", u"ID_SetTaxRate", u"ID_FindSellers"});
    offer(&itemGrid, {u"ID_AddItem", u"ID_AddItemB", u"ID_AddToListed", u"", u"ID_Copy", u"",
                      u"ID_FindSellers"});
}

} // namespace vw
