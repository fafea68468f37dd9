#include "SellListView.h"

#include "ListSelectors.h"
#include "catalogue/DataSource.h"
#include "catalogue/Statements.h"
#include "catalogue/gui/CatalogueBrowser.h"
#include "controls/Dialogs.h"
#include "controls/Grid.h"
#include "controls/Query.h"
#include "controls/StatusPanels.h"
#include "controls/WindowTexts.h"
#include "document/ScriptDocument.h"
#include "editor/ListEdits.h"
#include "script/LineSource.h"

#include <QItemSelectionModel>
#include <QLineEdit>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

const std::array<QString, 5> ListHeaders{u"行号"_s, u"物品ID"_s, u"中文名称"_s, u"英文名称"_s,
                                         u"税率"_s};

// Both name columns of an item the catalogue does not name.
const QString UnknownItemName = u"（未知物品）"_s;

} // namespace

SellListView::SellListView(ScriptDocument& document, DataSource& data,
                           const ListSelectors& selectors, const CatalogueBrowser& catalogue,
                           const int& charWidth, Controls controls)
    : document_(document), data_(data), selectors_(selectors), catalogue_(catalogue),
      charWidth_(charWidth), ui_(controls) {
    connect(&document_, &ScriptDocument::changed, this, &SellListView::documentChanged);
    Grid& grid = ui_.listGrid;
    grid.allowRowRanges();
    grid.setEditableColumn(4);
    // The names take what the other columns leave, so the tax rate always stays in view.
    grid.fillPaneWith({2, 3});
    connect(&grid, &Grid::currentRowChanged, this, &SellListView::showRowTaxRate);
    connect(grid.selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SellListView::gridSelectionChanged);
    connect(&grid, &Grid::cellEdited, this, [this](int row, int, const QString& text) {
        if (document_.setTaxRateAt(row - 1, text) == ScriptDocument::EditOutcome::BadTaxRate)
            refuseTaxRate(text);
    });
}

void SellListView::initListGrid() {
    ui_.listGrid.clearTexts();
    for (int c = 0; c < static_cast<int>(ListHeaders.size()); ++c)
        ui_.listGrid.setText(0, c, ListHeaders[static_cast<size_t>(c)]);
}

void SellListView::documentChanged(const DocumentChange& change) {
    if (change.reset)
        warned_.clear();
    const Selection& selection = document_.selection();
    const bool shownChanged = std::find(change.records.begin(), change.records.end(),
                                        selection.record) != change.records.end();
    if (change.reset || shownChanged || selection.record != shownRecord_ ||
        selection.list != shownList_)
        showSellList();
    else if (change.selection)
        showSelection();
}

void SellListView::showSellList() {
    ++rebuilds_;
    const Selection& selection = document_.selection();
    const ShopRecord* record = document_.record(selection.record);
    const int list = selection.list;
    shownRecord_ = selection.record;
    shownList_ = list;
    Grid& grid = ui_.listGrid;
    drawing_ = true;
    if (!record || list < 0) {
        // Nothing chosen names a list: no rows of another one stay behind.
        {
            Grid::Batch batch(grid);
            initListGrid();
            grid.setRows(1);
        }
        drawing_ = false;
        return;
    }
    ui_.status.setPanelText(4, {});
    ui_.status.setPanelText(1, u"正在查询物品信息..."_s);
    const int length = record->listLength(list);
    std::array<int, 5> bytes{};
    bool unknown = false;
    // Reported once the grid is whole again: a message box must not open mid-update.
    QString problem;
    {
        Grid::Batch batch(grid);
        initListGrid();
        grid.setRows(std::max(length, 1) + 1);
        for (size_t c = 0; c < bytes.size(); ++c)
            bytes[c] = ansiByteLength(ListHeaders[c]);
        const auto put = [&](int row, int col, const QString& text) {
            grid.setText(row, col, text);
            bytes[static_cast<size_t>(col)] =
                std::max(bytes[static_cast<size_t>(col)], ansiByteLength(text));
        };
        for (int shown = 0; shown < length; ++shown) {
            const ItemSlot& item = record->slot(list, shown);
            const int row = shown + 1;
            put(row, 0, QString::number(item.line));
            put(row, 1, item.id);
            put(row, 4, item.taxRate);
            if (problem.isEmpty() && !data_.run(sql::itemNames(), {item.id}))
                problem = queryErrorText(data_);
            // A refused look-up leaves the names blank; the items are still shown.
            if (!problem.isEmpty())
                continue;
            if (data_.atEnd()) {
                unknown = true;
                put(row, 2, UnknownItemName);
                put(row, 3, UnknownItemName);
                grid.model().setRowMarked(row, true);
            } else {
                put(row, 2, data_.field(u"中文名称"));
                put(row, 3, data_.field(u"英文名称"));
            }
            ui_.status.setPanelText(1, u"正在查询第"_s + QString::number(shown) + u"个物品..."_s);
        }
        for (size_t c = 0; c < bytes.size(); ++c)
            grid.setColumnWidthPixels(static_cast<int>(c), (bytes[c] + 1) * charWidth_);
    }
    showSelection();
    drawing_ = false;
    ui_.taxRate.setText(length > 0 ? record->slot(list, 0).taxRate : QString());
    ui_.status.setPanelText(1, u"查询物品信息完毕"_s);
    ui_.status.setPanelText(4, u"当前列表"_s + QString::number(selectors_.listPosition()) + u'/' +
                                   QString::number(selectors_.listEntryCount()) + u"共有"_s +
                                   QString::number(length) + u"项"_s);
    if (!problem.isEmpty())
        ui_.dialogs.message(problem);
    else if (unknown && warned_.insert({selection.record, list}).second)
        ui_.dialogs.message(u"无此物品"_s);
}

void SellListView::showSelection() {
    const Selection& selection = document_.selection();
    Grid& grid = ui_.listGrid;
    std::vector<int> rows;
    for (const int slot : selection.picked)
        rows.push_back(slot + 1);
    if (grid.selectedRows() == rows && grid.currentRow() == selection.current + 1)
        return;
    const bool wasDrawing = drawing_;
    drawing_ = true;
    grid.selectRows(rows, selection.current + 1);
    drawing_ = wasDrawing;
}

void SellListView::gridSelectionChanged() {
    if (drawing_)
        return;
    std::vector<int> picked;
    for (const int row : ui_.listGrid.selectedRows())
        picked.push_back(row - 1);
    document_.selectSlots(std::move(picked), ui_.listGrid.currentRow() - 1);
}

void SellListView::showRowTaxRate() {
    if (drawing_)
        return;
    gridSelectionChanged();
    const ShopRecord* record = document_.record(document_.selection().record);
    const int list = document_.selection().list;
    const int slot = ui_.listGrid.currentRow() - 1;
    if (record && list >= 0 && slot >= 0 && slot < record->listLength(list))
        ui_.taxRate.setText(record->slot(list, slot).taxRate);
    else
        ui_.taxRate.clear();
}

bool SellListView::requireLoaded() {
    if (document_.isLoaded())
        return true;
    ui_.dialogs.message(notLoadedText(), MessageIcon::Information);
    return false;
}

void SellListView::refuseTaxRate(const QString& text) {
    const QString problem = taxRateProblemText(edits::taxRateProblem(trimSpaces(text)));
    if (!problem.isEmpty())
        ui_.dialogs.message(problem);
}

void SellListView::addCatalogueItem(bool beforeCurrentRow) {
    if (!requireLoaded())
        return;
    const QString id = catalogue_.currentItemId();
    if (id.isEmpty())
        return;
    const QString text = ui_.taxRate.text();
    switch (document_.insertItem(id, text, beforeCurrentRow)) {
    case ScriptDocument::EditOutcome::Done:
        ui_.status.setPanelText(1, u"已经添加1项物品"_s);
        return;
    case ScriptDocument::EditOutcome::Duplicate:
        ui_.dialogs.message(u"已有相同物品在此列表中"_s, MessageIcon::Information);
        return;
    case ScriptDocument::EditOutcome::BadTaxRate:
        refuseTaxRate(text);
        return;
    case ScriptDocument::EditOutcome::Nothing:
        return;
    }
}

void SellListView::insertCatalogueItem() {
    addCatalogueItem(true);
}
void SellListView::appendCatalogueItem() {
    addCatalogueItem(false);
}
void SellListView::moveItemUp() {
    document_.moveItems(ScriptDocument::Move::Up);
}
void SellListView::moveItemDown() {
    document_.moveItems(ScriptDocument::Move::Down);
}
void SellListView::moveItemToTop() {
    document_.moveItems(ScriptDocument::Move::Top);
}
void SellListView::moveItemToBottom() {
    document_.moveItems(ScriptDocument::Move::Bottom);
}
void SellListView::deleteItem() {
    document_.deleteItems();
}

void SellListView::setTaxRate() {
    if (!requireLoaded())
        return;
    const size_t count = document_.slotsToEdit().size();
    const QString text = ui_.taxRate.text();
    switch (document_.setTaxRate(text)) {
    case ScriptDocument::EditOutcome::Done:
        ui_.status.setPanelText(1, u"已经修改"_s + QString::number(count) + u"项物品的税率"_s);
        return;
    case ScriptDocument::EditOutcome::BadTaxRate:
        refuseTaxRate(text);
        return;
    default:
        return;
    }
}

} // namespace vw
