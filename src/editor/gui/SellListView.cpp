#include "SellListView.h"

#include "EditTexts.h"
#include "catalogue/gui/CatalogueBrowser.h"
#include "controls/Dialogs.h"
#include "controls/Grid.h"
#include "controls/StatusPanels.h"
#include "editor/ListEdits.h"
#include "script/LineSource.h"
#include "workspace/Workspace.h"

#include <QItemSelectionModel>
#include <QLineEdit>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

std::array<QString, 5> listHeaders() {
    return {SellListView::tr("行号"), SellListView::tr("物品ID"), SellListView::tr("中文名称"),
            SellListView::tr("英文名称"), SellListView::tr("税率")};
}

} // namespace

SellListView::SellListView(Workspace& workspace, const CatalogueBrowser& catalogue,
                           const int& charWidth, Controls controls)
    : workspace_(workspace), document_(workspace.document()), catalogue_(catalogue),
      charWidth_(charWidth), ui_(controls), taxRate_(controls.taxRate.text()) {
    connect(&document_, &ScriptDocument::changed, this, &SellListView::documentChanged);
    connect(&workspace_, &Workspace::catalogueChanged, this, &SellListView::showSellList);
    connect(&ui_.taxRate, &QLineEdit::textChanged, this,
            [this](const QString& text) { taxRate_ = text; });
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

QString SellListView::newItemTaxRate() const {
    const QString& chosen = workspace_.options().newItemTaxRate;
    return chosen.isEmpty() ? taxRate_ : chosen;
}

void SellListView::initListGrid() {
    ui_.listGrid.clearTexts();
    const std::array<QString, 5> headers = listHeaders();
    for (int c = 0; c < static_cast<int>(headers.size()); ++c)
        ui_.listGrid.setText(0, c, headers[static_cast<size_t>(c)]);
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
    const int length = record->listLength(list);
    const std::array<QString, 5> headers = listHeaders();
    std::array<int, 5> bytes{};
    bool unknown = false;
    Catalogue* catalogue = workspace_.catalogue();
    {
        Grid::Batch batch(grid);
        initListGrid();
        grid.setRows(std::max(length, 1) + 1);
        for (size_t c = 0; c < bytes.size(); ++c)
            bytes[c] = ansiByteLength(headers[c]);
        const auto put = [&](int row, int col, const QString& text) {
            grid.setText(row, col, text);
            bytes[static_cast<size_t>(col)] =
                std::max(bytes[static_cast<size_t>(col)], ansiByteLength(text));
        };
        for (int shown = 0; shown < length; ++shown) {
            const ItemSlot& item = record->slot(list, shown);
            const int row = shown + 1;
            // An item added since the read has no line of its own yet.
            put(row, 0, item.line > 0 ? QString::number(item.line) : tr("新"));
            put(row, 1, item.id);
            put(row, 4, item.taxRate);
            // Without a catalogue the names stay blank; the items are still shown.
            if (!catalogue)
                continue;
            if (const std::optional<ItemNames> names = catalogue->itemNames(item.id)) {
                put(row, 2, names->chinese);
                put(row, 3, names->english);
            } else {
                unknown = true;
                put(row, 2, unknownItemText());
                put(row, 3, unknownItemText());
                grid.model().setRowMarked(row, true);
            }
        }
        for (size_t c = 0; c < bytes.size(); ++c)
            grid.setColumnWidthPixels(static_cast<int>(c), (bytes[c] + 1) * charWidth_);
    }
    showSelection();
    drawing_ = false;
    ui_.taxRate.setText(length > 0 ? record->slot(list, 0).taxRate : QString());
    ui_.status.setPanelText(1, tr("查询物品信息完毕"));
    const std::vector<int> lists = document_.offeredLists(selection.record);
    const auto position = std::find(lists.begin(), lists.end(), list) - lists.begin() + 1;
    ui_.status.setPanelText(4, tr("当前列表%1/%2共有%n项", nullptr, static_cast<int>(length))
                                   .arg(position)
                                   .arg(lists.size()));
    if (unknown && warned_.insert({selection.record, list}).second)
        ui_.dialogs.message(tr("无此物品"));
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
    const QString text = newItemTaxRate();
    switch (document_.insertItem(id, text, beforeCurrentRow)) {
    case ScriptDocument::EditOutcome::Done:
        ui_.status.setPanelText(1, tr("已经添加1项物品"));
        return;
    case ScriptDocument::EditOutcome::Duplicate:
        ui_.dialogs.message(duplicateItemText(), MessageIcon::Information);
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
void SellListView::moveItems(ScriptDocument::Move move, const char* done) {
    const size_t count = document_.slotsToEdit().size();
    if (document_.moveItems(move) == ScriptDocument::EditOutcome::Done)
        ui_.status.setPanelText(1, tr(done, nullptr, static_cast<int>(count)));
}
void SellListView::moveItemUp() {
    moveItems(ScriptDocument::Move::Up, QT_TR_N_NOOP("已经上移%n项物品"));
}
void SellListView::moveItemDown() {
    moveItems(ScriptDocument::Move::Down, QT_TR_N_NOOP("已经下移%n项物品"));
}
void SellListView::moveItemToTop() {
    moveItems(ScriptDocument::Move::Top, QT_TR_N_NOOP("已经将%n项物品移至顶部"));
}
void SellListView::moveItemToBottom() {
    moveItems(ScriptDocument::Move::Bottom, QT_TR_N_NOOP("已经将%n项物品移至底部"));
}
void SellListView::deleteItem() {
    const size_t count = document_.slotsToEdit().size();
    if (document_.deleteItems() == ScriptDocument::EditOutcome::Done)
        ui_.status.setPanelText(1, tr("已经删除%n项物品", nullptr, static_cast<int>(count)));
}

void SellListView::setTaxRate() {
    if (!requireLoaded())
        return;
    const size_t count = document_.slotsToEdit().size();
    const QString text = taxRate_;
    switch (document_.setTaxRate(text)) {
    case ScriptDocument::EditOutcome::Done:
        ui_.status.setPanelText(1, tr("已经修改%n项物品的税率", nullptr, static_cast<int>(count)));
        return;
    case ScriptDocument::EditOutcome::BadTaxRate:
        refuseTaxRate(text);
        return;
    default:
        return;
    }
}

} // namespace vw
