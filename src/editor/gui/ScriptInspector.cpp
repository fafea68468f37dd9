#include "ScriptInspector.h"

#include "ListSelectors.h"
#include "catalogue/CatalogueDb.h"
#include "catalogue/Lookups.h"
#include "catalogue/gui/CatalogueBrowser.h"
#include "controls/Dialogs.h"
#include "controls/Grid.h"
#include "controls/LastGrid.h"
#include "controls/ResultsPanel.h"
#include "controls/StatusPanels.h"
#include "controls/WindowTexts.h"
#include "document/ScriptDocument.h"
#include "script/LineSource.h"

#include <QLineEdit>

#include <algorithm>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

QString listText(int list) {
    return list < 0 ? QString() : listLabel(list);
}

QString findingText(const Finding& finding) {
    switch (finding.kind) {
    case Finding::Kind::UnknownItem:
        return u"物品ID "_s + finding.itemId + u" 在物品库中没有名称（ITEMNAME_E2C）"_s;
    case Finding::Kind::RepeatedItem:
        return u"物品ID "_s + finding.itemId +
               (finding.firstLine > 0
                    ? u" 与第"_s + QString::number(finding.firstLine) + u"行重复"_s
                    : u" 在列表中重复"_s);
    case Finding::Kind::UnclosedList:
        return u"列表没有 buyselllist_end"_s;
    case Finding::Kind::ListOpenedTwice:
        return u"列表在同一个类中被再次打开"_s;
    case Finding::Kind::MalformedItemLine:
        return finding.reason == ReadReport::MalformedLine::Reason::NoClosingBrace
                   ? u"物品行格式错误：“{”之后没有“}”"_s
                   : u"物品行格式错误：物品ID为空"_s;
    case Finding::Kind::TaxRateNotANumber:
        return u"物品ID "_s + finding.itemId + u" 的税率“"_s + finding.taxRate + u"”不是非负数字"_s;
    case Finding::Kind::PlacedInNoTown:
        return u"没有放置在任何地点（城镇NPC表中没有与类名完全相同的NPC英文名）"_s;
    }
    return {};
}

} // namespace

ScriptInspector::ScriptInspector(ScriptDocument& document, CatalogueDb& db,
                                 ListSelectors& selectors, const CatalogueBrowser& catalogue,
                                 const LastGrid& lastGrid, Controls controls)
    : document_(document), db_(db), selectors_(selectors), catalogue_(catalogue), ui_(controls),
      lastGrid_(lastGrid) {
    ui_.sellers.grid().allowRowRanges();
    connect(&ui_.sellers, &ResultsPanel::resultChosen, this, &ScriptInspector::goToSale);
    connect(&ui_.findings, &ResultsPanel::resultChosen, this, &ScriptInspector::goToFinding);
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
    if (!id.isEmpty())
        showSellers(id);
}

void ScriptInspector::showSellers(const QString& id) {
    soldId_ = id;
    std::optional<CatalogueLookups> lookups;
    if (db_.isLoaded())
        lookups.emplace(db_);
    sales_ = vw::findSellers(document_.records(), id, lookups ? &*lookups : nullptr);
    std::vector<QStringList> rows;
    for (const Sale& sale : sales_) {
        rows.push_back({sale.className, sale.chineseName.value_or(QString()), listText(sale.list),
                        QString::number(sale.slot + 1), sale.taxRate,
                        sale.locations.join(u"、"_s)});
    }
    ui_.sellers.setResults(rows);
    ui_.sellers.setTitle(u"出售物品"_s + id + u"的NPC"_s);
    ui_.status.setPanelText(1,
                            u"共有"_s + QString::number(sales_.size()) + u"个列表出售物品"_s + id);
    if (lookups && lookups->failed())
        ui_.dialogs.message(u"物品数据库查询出错："_s + lookups->error());
}

void ScriptInspector::checkScript() {
    if (!document_.isLoaded()) {
        ui_.dialogs.message(notLoadedText(), MessageIcon::Information);
        return;
    }
    ui_.status.setPanelText(1, u"正在检查AI文件..."_s);
    std::optional<CatalogueLookups> lookups;
    if (db_.isLoaded())
        lookups.emplace(db_);
    findings_ =
        vw::checkScript(document_.records(), document_.report(), lookups ? &*lookups : nullptr);
    std::vector<QStringList> rows;
    for (const Finding& finding : findings_) {
        rows.push_back({finding.line > 0 ? QString::number(finding.line) : u"新增"_s,
                        finding.className, listText(finding.list), findingText(finding)});
    }
    ui_.findings.setResults(rows);
    ui_.status.setPanelText(1,
                            u"检查完毕,共发现"_s + QString::number(findings_.size()) + u"个问题"_s);
    if (lookups && lookups->failed())
        ui_.dialogs.message(u"物品数据库查询出错："_s + lookups->error());
}

std::vector<ListRef> ScriptInspector::selectedSales() const {
    std::vector<int> rows = ui_.sellers.grid().selectedRows();
    if (rows.empty()) {
        for (size_t i = 0; i < sales_.size(); ++i)
            rows.push_back(static_cast<int>(i) + 1);
    }
    std::vector<ListRef> lists;
    for (const int row : rows) {
        if (row >= 1 && static_cast<size_t>(row) <= sales_.size()) {
            const Sale& sale = sales_[static_cast<size_t>(row) - 1];
            const ListRef ref{sale.record, sale.list};
            // An item that stands twice in one list is taken there once.
            if (std::find(lists.begin(), lists.end(), ref) == lists.end())
                lists.push_back(ref);
        }
    }
    return lists;
}

void ScriptInspector::afterBatch(const ScriptDocument::Batch& batch, const QString& done) {
    const QString id = soldId_;
    showSellers(id);
    ui_.status.setPanelText(1, done);
    if (batch.skipped.empty())
        return;
    QStringList lists;
    for (const ListRef& ref : batch.skipped) {
        if (const ShopRecord* record = document_.record(ref.record))
            lists.append(record->className + u' ' + listLabel(ref.list));
    }
    ui_.dialogs.message(u"以下列表未修改：\n"_s + lists.join(u'\n'));
}

void ScriptInspector::removeFromSelectedLists() {
    const std::vector<ListRef> lists = selectedSales();
    if (lists.empty())
        return;
    const auto batch = document_.removeItem(soldId_, lists);
    afterBatch(batch, u"已从"_s + QString::number(batch.changed) + u"个列表中删除物品"_s + soldId_);
}

void ScriptInspector::setTaxRateInSelectedLists() {
    const std::vector<ListRef> lists = selectedSales();
    if (lists.empty())
        return;
    const QString rate = trimSpaces(ui_.taxRate.text()).toString();
    if (const auto problem = edits::taxRateProblem(rate); problem != edits::TaxRateProblem::None) {
        ui_.dialogs.message(taxRateProblemText(problem));
        return;
    }
    const auto batch = document_.setItemTaxRate(soldId_, rate, lists);
    afterBatch(batch, u"已修改"_s + QString::number(batch.changed) + u"个列表中物品"_s + soldId_ +
                          u"的税率"_s);
}

void ScriptInspector::replaceInSelectedLists() {
    const std::vector<ListRef> lists = selectedSales();
    if (lists.empty())
        return;
    const QString typed = ui_.dialogs.askText(u"将物品"_s + soldId_ + u"替换为（物品ID）："_s,
                                              catalogue_.currentItemId());
    const QString replacement = trimSpaces(typed).toString();
    if (replacement.isEmpty() || replacement == soldId_)
        return;
    if (!edits::fitsItemLine(replacement)) {
        ui_.dialogs.message(invalidIdText());
        return;
    }
    const QString old = soldId_;
    const auto batch = document_.replaceItem(old, replacement, lists);
    // The results follow the item into the lists it went to.
    soldId_ = replacement;
    afterBatch(batch, u"已在"_s + QString::number(batch.changed) + u"个列表中将物品"_s + old +
                          u"替换为"_s + replacement);
}

void ScriptInspector::clearResults() {
    soldId_.clear();
    sales_.clear();
    findings_.clear();
    ui_.sellers.clear();
    ui_.findings.clear();
}

void ScriptInspector::goToSale(int index) {
    if (index < 0 || static_cast<size_t>(index) >= sales_.size())
        return;
    const Sale& sale = sales_[static_cast<size_t>(index)];
    selectors_.showList(sale.record, sale.list, {sale.slot}, sale.locations);
}

void ScriptInspector::goToFinding(int index) {
    if (index < 0 || static_cast<size_t>(index) >= findings_.size())
        return;
    const Finding& finding = findings_[static_cast<size_t>(index)];
    const ShopRecord* record = document_.record(finding.record);
    if (!record) {
        ui_.status.setPanelText(1, u"该行所在的类没有可编辑的列表"_s);
        return;
    }
    int list = finding.list;
    if (list < 0 || !record->listExists(list))
        list = record->listExists(0) ? 0 : 1;
    const int slot = finding.slot >= 0 && finding.list == list ? finding.slot : 0;
    selectors_.showList(finding.record, list, {slot});
}

} // namespace vw
