#include "WindowWidgets.h"

#include "Commands.h"
#include "controls/Combo.h"
#include "controls/Grid.h"
#include "controls/ResultsPanel.h"
#include "controls/StatusPanels.h"
#include "stats/gui/StatisticsView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

// The label the user sees names its control for a screen reader too, and Alt with the label's
// letter would reach it; the design ID stays in the control's description.
QLabel* labelFor(QWidget* control, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(control);
    control->setAccessibleName(text);
    return label;
}

// A control whose name is its role, not a label beside it.
void describe(QWidget* control, const QString& name, const QString& id) {
    control->setAccessibleName(name);
    control->setAccessibleDescription(id);
}

} // namespace

WindowWidgets::WindowWidgets(QMainWindow& window, const Commands& commands)
    : locations(new Combo(u"Combo5"_s, tr("选择地点"), &window)),
      npcs(new Combo(u"Combo2"_s, tr("选择NPC名字"), &window)),
      lists(new Combo(u"Combo4"_s, tr("选择列表"), &window)),
      categories(new Combo(u"Combo1"_s, tr("选择物品种类"), &window)),
      types(new Combo(u"Combo8"_s, tr("选择详细种类"), &window)),
      grades(new Combo(u"Combo3"_s, tr("选择物品级别"), &window)),
      taxRate(new QLineEdit(tr("当前税率"), &window)), search(new QLineEdit(&window)),
      wholeCatalogue(new QCheckBox(tr("全部物品"), &window)), npcFilter(new QLineEdit(&window)),
      listGrid(new Grid(u"MSFlexGrid1"_s, &window)), itemGrid(new Grid(u"MSFlexGrid2"_s, &window)),
      status(new StatusPanels(u"StatusBar1"_s, &window)), tabs(new QTabWidget(&window)),
      splitter(nullptr), statistics(new StatisticsView(tabs)), results(new ResultsDock(&window)) {
    npcs->setMinimumContentsLength(16);
    taxRate->setObjectName(u"Text2"_s);
    taxRate->setAccessibleDescription(u"Text2"_s);
    taxRate->setMaximumWidth(120);
    listGrid->setAccessibleName(tr("出售列表"));
    itemGrid->setAccessibleName(tr("物品库"));
    window.setStatusBar(status);
    search->setObjectName(u"txtSearch"_s);
    search->setAccessibleDescription(u"txtSearch"_s);
    search->setPlaceholderText(tr("搜索物品ID、中文名称或英文名称"));
    search->setClearButtonEnabled(true);
    wholeCatalogue->setObjectName(u"chkWholeCatalogue"_s);
    wholeCatalogue->setAccessibleDescription(u"chkWholeCatalogue"_s);
    wholeCatalogue->setToolTip(tr("在全部物品中搜索，不受种类、详细种类和级别的限制"));
    npcFilter->setObjectName(u"txtNpcFilter"_s);
    describe(npcFilter, tr("筛选NPC"), u"txtNpcFilter"_s);
    npcFilter->setPlaceholderText(tr("筛选NPC"));
    npcFilter->setClearButtonEnabled(true);
    window.addDockWidget(Qt::BottomDockWidgetArea, results);
    results->hide();
    sellers = new ResultsPanel(
        u"WhereSold"_s, tr("出售此物品的NPC"),
        {tr("NPC"), tr("中文名称"), tr("列表"), tr("行"), tr("税率"), tr("地点")}, *results);
    findings = new ResultsPanel(u"CheckResults"_s, tr("检查结果"),
                                {tr("行号"), tr("NPC"), tr("列表"), tr("问题")}, *results);
    skipped =
        new ResultsPanel(u"SkippedItems"_s, tr("跳过的物品"), {tr("物品ID"), tr("原因")}, *results);
    preview = new ResultsPanel(u"ChangePreview"_s, tr("查看修改"),
                               {tr("变化"), tr("NPC"), tr("中文名称"), tr("列表"), tr("物品ID"),
                                tr("物品名称"), tr("说明")},
                               *results);
    importProblems = new ResultsPanel(u"ImportProblems"_s, tr("导入时跳过的行"),
                                      {tr("行号"), tr("原因")}, *results);

    tabs->setObjectName(u"SSTab1"_s);
    describe(tabs, tr("页面"), u"SSTab1"_s);
    tabs->addTab(sellTab(commands), tr("出售物品"));
    auto* teleport = new QWidget(tabs);
    teleport->setObjectName(u"teleportTab"_s);
    tabs->addTab(teleport, tr("传送座标"));
    statistics->setObjectName(u"WebBrowser1"_s);
    describe(statistics, tr("HTML统计"), u"WebBrowser1"_s);
    tabs->addTab(statistics, tr("HTML统计"));

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(commands.button(&window, u"Command4"_s, tr("写出目标文件"), u"ID_Write"));
    bottom->addWidget(commands.button(&window, u"command3"_s, tr("退出程序"), u"ID_Exit"));
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(tabs, 1);
    layout->addLayout(bottom);
    window.setCentralWidget(central);
}

QWidget* WindowWidgets::sellTab(const Commands& commands) {
    auto* tab = new QWidget;
    const auto button = [tab, &commands](const QString& name, const QString& caption,
                                         QStringView tool) {
        return commands.button(tab, name, caption, tool);
    };

    // Left pane: the catalogue filters over the item grid.
    auto* itemPane = new QGroupBox(tr("物品库"), tab);
    auto* filters = new QHBoxLayout;
    filters->addWidget(labelFor(categories, tr("种类"), itemPane));
    filters->addWidget(categories, 1);
    filters->addWidget(labelFor(types, tr("详细种类"), itemPane));
    filters->addWidget(types, 1);
    filters->addWidget(labelFor(grades, tr("级别"), itemPane));
    filters->addWidget(grades, 1);
    auto* itemLayout = new QVBoxLayout(itemPane);
    itemLayout->addLayout(filters);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(labelFor(search, tr("搜索"), itemPane));
    searchRow->addWidget(search, 1);
    searchRow->addWidget(wholeCatalogue);
    itemLayout->addLayout(searchRow);
    itemLayout->addWidget(itemGrid, 1);

    // Right pane: the sell-list selectors, the edit buttons and the list grid. Selectors and
    // buttons stand in two rows each, so the pane fits beside the catalogue on a small screen.
    auto* listPane = new QGroupBox(tr("出售列表"), tab);
    auto* selectors = new QGridLayout;
    selectors->addWidget(labelFor(locations, tr("地点"), listPane), 0, 0);
    selectors->addWidget(locations, 0, 1);
    selectors->addWidget(labelFor(lists, tr("列表"), listPane), 0, 2);
    selectors->addWidget(lists, 0, 3);
    selectors->addWidget(labelFor(npcs, tr("NPC"), listPane), 1, 0);
    selectors->addWidget(npcs, 1, 1);
    selectors->addWidget(npcFilter, 1, 2, 1, 2);
    selectors->setColumnStretch(1, 2);
    selectors->setColumnStretch(3, 1);
    auto* edits = new QGridLayout;
    const std::array<std::array<QPushButton*, 4>, 2> rows{{
        {button(u"SSCommand2"_s, tr("装入AI文件"), u"ID_Load"),
         button(u"SSCommand3"_s, tr("插入选中项之前"), u"ID_AddItem"),
         button(u"SSCommand4"_s, tr("添加至表尾"), u"ID_AddItemB"),
         button(u"SSCommand5"_s, tr("删除选中项"), u"ID_DeleteItem")},
        {button(u"SSCommand6"_s, tr("移至顶部"), u"ID_MoveTop"),
         button(u"SSCommand7"_s, tr("上移一行"), u"ID_MoveUp"),
         button(u"SSCommand8"_s, tr("下移一行"), u"ID_MoveDown"),
         button(u"SSCommand9"_s, tr("移至底部"), u"ID_MoveBottom")},
    }};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c)
            edits->addWidget(rows[static_cast<size_t>(r)][static_cast<size_t>(c)], r, c);
    QPushButton* setRate = button(u"SSCommand10"_s, tr("修改税率"), u"ID_SetTaxRate");
    auto* rate = new QHBoxLayout;
    rate->addWidget(labelFor(taxRate, tr("税率"), listPane));
    rate->addWidget(taxRate);
    rate->addWidget(setRate);
    rate->addStretch();
    auto* listLayout = new QVBoxLayout(listPane);
    listLayout->addLayout(selectors);
    listLayout->addLayout(edits);
    listLayout->addLayout(rate);
    listLayout->addWidget(listGrid, 1);

    // Tab follows the layout: in each pane the selectors, then the buttons, then the grid.
    std::vector<QWidget*> order{categories, types,     grades, search, wholeCatalogue,
                                itemGrid,   locations, lists,  npcs,   npcFilter};
    for (const auto& row : rows)
        order.insert(order.end(), row.begin(), row.end());
    order.insert(order.end(), {taxRate, setRate, listGrid});
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

    splitter = new QSplitter(Qt::Horizontal, tab);
    splitter->setObjectName(u"SSSplitter1"_s);
    splitter->addWidget(itemPane);
    splitter->addWidget(listPane);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);
    return tab;
}

} // namespace vw
