#include "ScriptInspector.h"

#include "EditTexts.h"
#include "ListSelectors.h"
#include "SellListView.h"
#include "catalogue/gui/CatalogueBrowser.h"
#include "controls/Dialogs.h"
#include "controls/LastGrid.h"
#include "controls/ResultsPanel.h"
#include "controls/StatusPanels.h"
#include "script/LineSource.h"
#include "workspace/Workspace.h"

#include <algorithm>

namespace vw {

namespace {

QString listText(int list) {
    return list < 0 ? QString() : listLabel(list);
}

QString findingText(const Finding& finding) {
    switch (finding.kind) {
    case Finding::Kind::UnknownItem:
        return ScriptInspector::tr("物品ID %1 在物品库中没有名称（ITEMNAME_E2C）")
            .arg(finding.itemId);
    case Finding::Kind::RepeatedItem:
        return finding.firstLine > 0
                   ? ScriptInspector::tr("物品ID %1 与第%2行重复")
                         .arg(finding.itemId, QString::number(finding.firstLine))
                   : ScriptInspector::tr("物品ID %1 在列表中重复").arg(finding.itemId);
    case Finding::Kind::UnclosedList:
        return ScriptInspector::tr("列表没有 buyselllist_end");
    case Finding::Kind::ListOpenedTwice:
        return ScriptInspector::tr("列表在同一个类中被再次打开");
    case Finding::Kind::MalformedItemLine:
        return finding.reason == ReadReport::MalformedLine::Reason::NoClosingBrace
                   ? ScriptInspector::tr("物品行格式错误：“{”之后没有“}”")
                   : ScriptInspector::tr("物品行格式错误：物品ID为空");
    case Finding::Kind::TaxRateNotANumber:
        return ScriptInspector::tr("物品ID %1 的税率“%2”不是非负数字")
            .arg(finding.itemId, finding.taxRate);
    case Finding::Kind::PlacedInNoTown:
        return ScriptInspector::tr(
            "没有放置在任何地点（城镇NPC表中没有与类名完全相同的NPC英文名）");
    }
    return {};
}

} // namespace

ScriptInspector::ScriptInspector(Workspace& workspace, ListSelectors& selectors,
                                 const CatalogueBrowser& catalogue, const SellListView& sellLists,
                                 const LastGrid& lastGrid, Controls controls)
    : workspace_(workspace), document_(workspace.document()), selectors_(selectors),
      catalogue_(catalogue), sellLists_(sellLists), lastGrid_(lastGrid), ui_(controls) {
    ui_.sellers.grid().allowRowRanges();
    connect(&ui_.sellers, &ResultsPanel::resultChosen, this, &ScriptInspector::goToSale);
    connect(&ui_.findings, &ResultsPanel::resultChosen, this, &ScriptInspector::goToFinding);
    connect(&workspace_, &Workspace::sellersChanged, this, [this] { drawSellers(false); });
    connect(&workspace_, &Workspace::checksChanged, this, &ScriptInspector::findingsChanged);
    // Findings gone stale while the panel was out of sight are made anew once it is in sight.
    connect(&ui_.findings, &ResultsPanel::cameIntoView, this, &ScriptInspector::findingsChanged);
}

QString ScriptInspector::currentItemId() const {
    if (lastGrid_.isFirst())
        return catalogue_.currentItemId();
    const Selection& selection = document_.selection();
    const ShopRecord* record = document_.record(selection.record);
    if (!record || selection.list < 0 || selection.current >= record->listLength(selection.list))
        return {};
    return record->slot(selection.list, selection.current).id;
}

void ScriptInspector::findSellers() {
    if (!document_.isLoaded()) {
        ui_.dialogs.message(notLoadedText(), MessageIcon::Information);
        return;
    }
    const QString id = currentItemId();
    if (id.isEmpty())
        return;
    workspace_.findSellers(id);
    drawSellers(true);
}

void ScriptInspector::drawSellers(bool open) {
    const SellerResults& results = workspace_.sellers();
    std::vector<QStringList> rows;
    for (const Sale& sale : results.sales) {
        rows.push_back({sale.className, sale.chineseName.value_or(QString()), listText(sale.list),
                        QString::number(sale.slot + 1), sale.taxRate,
                        sale.locations.join(tr("、"))});
    }
    ui_.sellers.setRows(rows);
    ui_.sellers.setTitle(results.id.isEmpty() ? tr("出售此物品的NPC")
                                              : tr("出售物品%1的NPC").arg(results.id));
    if (!open)
        return;
    ui_.sellers.open();
    ui_.status.setPanelText(
        1, tr("共有%n个列表出售物品%1", nullptr, static_cast<int>(results.sales.size()))
               .arg(results.id));
}

void ScriptInspector::checkScript() {
    if (!document_.isLoaded()) {
        ui_.dialogs.message(notLoadedText(), MessageIcon::Information);
        return;
    }
    ui_.status.setPanelText(1, tr("正在检查AI文件..."));
    workspace_.runChecks();
    ui_.findings.open();
    ui_.status.setPanelText(1, tr("检查完毕,共发现%n个问题", nullptr,
                                  static_cast<int>(workspace_.checks().findings.size())));
}

void ScriptInspector::findingsChanged() {
    const CheckResults& checks = workspace_.checks();
    if (checks.stale && ui_.findings.isShown()) {
        workspace_.runChecks();
        return;
    }
    drawFindings(false);
}

void ScriptInspector::drawFindings(bool open) {
    const CheckResults& checks = workspace_.checks();
    std::vector<QStringList> rows;
    for (const Finding& finding : checks.findings) {
        rows.push_back({finding.line > 0 ? QString::number(finding.line) : tr("新增"),
                        finding.className, listText(finding.list), findingText(finding)});
    }
    ui_.findings.setRows(rows);
    ui_.findings.setTitle(checks.stale ? tr("检查结果（已过时）") : tr("检查结果"));
    if (open)
        ui_.findings.open();
}

std::vector<ListRef> ScriptInspector::selectedSales() const {
    const std::vector<Sale>& sales = workspace_.sellers().sales;
    std::vector<int> rows = ui_.sellers.grid().selectedRows();
    if (rows.empty()) {
        for (size_t i = 0; i < sales.size(); ++i)
            rows.push_back(static_cast<int>(i) + 1);
    }
    std::vector<ListRef> lists;
    for (const int row : rows) {
        if (row >= 1 && static_cast<size_t>(row) <= sales.size()) {
            const Sale& sale = sales[static_cast<size_t>(row) - 1];
            const ListRef ref{sale.record, sale.list};
            // An item that stands twice in one list is taken there once.
            if (std::find(lists.begin(), lists.end(), ref) == lists.end())
                lists.push_back(ref);
        }
    }
    return lists;
}

void ScriptInspector::afterBatch(const ScriptDocument::Batch& batch, const QString& done) {
    ui_.status.setPanelText(1, done);
    if (batch.skipped.empty())
        return;
    QStringList lists;
    for (const ListRef& ref : batch.skipped) {
        if (const ShopRecord* record = document_.record(ref.record))
            lists.append(record->className + u' ' + listLabel(ref.list));
    }
    ui_.dialogs.message(tr("以下列表未修改：\n") + lists.join(u'\n'));
}

void ScriptInspector::removeFromSelectedLists() {
    const std::vector<ListRef> lists = selectedSales();
    const QString id = workspace_.sellers().id;
    if (lists.empty())
        return;
    const auto batch = document_.removeItem(id, lists);
    afterBatch(batch, tr("已从%n个列表中删除物品%1", nullptr, batch.changed).arg(id));
}

void ScriptInspector::setTaxRateInSelectedLists() {
    const std::vector<ListRef> lists = selectedSales();
    const QString id = workspace_.sellers().id;
    if (lists.empty())
        return;
    const QString rate = trimSpaces(sellLists_.taxRate()).toString();
    if (const auto problem = edits::taxRateProblem(rate); problem != edits::TaxRateProblem::None) {
        ui_.dialogs.message(taxRateProblemText(problem));
        return;
    }
    const auto batch = document_.setItemTaxRate(id, rate, lists);
    afterBatch(batch, tr("已修改%n个列表中物品%1的税率", nullptr, batch.changed).arg(id));
}

void ScriptInspector::replaceInSelectedLists() {
    const std::vector<ListRef> lists = selectedSales();
    const QString old = workspace_.sellers().id;
    if (lists.empty())
        return;
    const QString typed =
        ui_.dialogs.askText(tr("将物品%1替换为（物品ID）：").arg(old), catalogue_.currentItemId());
    const QString replacement = trimSpaces(typed).toString();
    if (replacement.isEmpty() || replacement == old)
        return;
    if (!edits::fitsItemLine(replacement)) {
        ui_.dialogs.message(invalidIdText());
        return;
    }
    const auto batch = document_.replaceItem(old, replacement, lists);
    // The results follow the item into the lists it went to.
    workspace_.findSellers(replacement);
    afterBatch(batch,
               tr("已在%n个列表中将物品%1替换为%2", nullptr, batch.changed).arg(old, replacement));
}

void ScriptInspector::goToSale(int index) {
    const std::vector<Sale>& sales = workspace_.sellers().sales;
    if (index < 0 || static_cast<size_t>(index) >= sales.size())
        return;
    const Sale& sale = sales[static_cast<size_t>(index)];
    selectors_.showList(sale.record, sale.list, {sale.slot}, sale.locations);
}

void ScriptInspector::goToFinding(int index) {
    const std::vector<Finding>& findings = workspace_.checks().findings;
    if (index < 0 || static_cast<size_t>(index) >= findings.size())
        return;
    const Finding& finding = findings[static_cast<size_t>(index)];
    const ShopRecord* record = document_.record(finding.record);
    if (!record) {
        ui_.status.setPanelText(1, tr("该行所在的类没有可编辑的列表"));
        return;
    }
    int list = finding.list;
    if (list < 0 || !record->listExists(list))
        list = record->listExists(0) ? 0 : 1;
    const int slot = finding.slot >= 0 && finding.list == list ? finding.slot : 0;
    selectors_.showList(finding.record, list, {slot});
}

} // namespace vw
