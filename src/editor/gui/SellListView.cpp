#include "SellListView.h"

#include "catalogue/DataSource.h"
#include "catalogue/Statements.h"
#include "controls/Combo.h"
#include "controls/Dialogs.h"
#include "controls/Grid.h"
#include "controls/Query.h"
#include "controls/StatusPanels.h"
#include "editor/ListEdits.h"
#include "script/LineSource.h"

#include <QLineEdit>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

const std::array<QString, 5> ListHeaders{u"行号"_s, u"物品ID"_s, u"中文名称"_s, u"英文名称"_s,
                                         u"税率"_s};

QString listEntryText(int list) {
    return QString::number(list) + u"-商品列表"_s;
}

// A tax rate holding any of these would break the item line it is written into.
bool isSafeTaxRate(QStringView rate) {
    for (const QChar c : rate) {
        if (c == u'{' || c == u'}' || c == u';' || c == u'\n' || c == u'\r')
            return false;
    }
    return true;
}

} // namespace

SellListView::SellListView(ScriptState& state, DataSource& data, const int& charWidth,
                           Controls controls)
    : state_(state), data_(data), charWidth_(charWidth), ui_(controls) {
    connect(&ui_.locations, &Combo::chosen, this, &SellListView::showLocationNpcs);
    connect(&ui_.npcs, &Combo::chosen, this, &SellListView::showNpcLists);
    connect(&ui_.lists, &Combo::chosen, this, &SellListView::showSellList);
    connect(&ui_.listGrid, &Grid::currentRowChanged, this, &SellListView::showRowTaxRate);
}

void SellListView::initListGrid() {
    ui_.listGrid.clearTexts();
    for (int c = 0; c < static_cast<int>(ListHeaders.size()); ++c)
        ui_.listGrid.setText(0, c, ListHeaders[static_cast<size_t>(c)]);
}

ShopRecord* SellListView::currentRecord() {
    const int chosen = ui_.npcs.chosenIndex();
    if (chosen < 0)
        return nullptr;
    const qint32 index = ui_.npcs.entryData(chosen);
    if (index < 0 || static_cast<size_t>(index) >= state_.records.size())
        return nullptr;
    return &state_.records[static_cast<size_t>(index)];
}

int SellListView::currentList() const {
    const int chosen = ui_.lists.chosenIndex();
    if (chosen < 0)
        return -1;
    return ui_.lists.entryText(chosen).startsWith(u'1') ? 1 : 0;
}

void SellListView::showLocationNpcs() {
    if (state_.loading)
        return;
    if (!state_.fileLoaded) {
        ui_.status.setPanelText(1, u"请先读入AI文件"_s);
        return;
    }
    ui_.npcs.clearEntries();
    ui_.lists.clearEntries();
    ui_.status.setPanelText(3, {});
    ui_.status.setPanelText(4, {});
    ui_.status.setPanelText(1, u"正在查询本地NPC..."_s);
    const bool all = ui_.locations.chosenIndex() == ui_.locations.entryCount() - 1;
    const QString location = trimSpaces(ui_.locations.currentText()).toString();
    if (!runQuery(data_, ui_.dialogs,
                  sql::locationNpcs(all ? std::nullopt : std::optional<QStringView>(location))))
        return;
    for (; !data_.atEnd(); data_.advance()) {
        const QString npc = data_.field(u"NPC英文名");
        for (size_t i = 0; i < state_.records.size(); ++i) {
            if (state_.records[i].className == npc)
                ui_.npcs.addEntry(npc + u'|' + data_.field(u"中文名称"), static_cast<qint32>(i));
        }
    }
    ui_.status.setPanelText(1, u"本地NPC查询完毕"_s);
    ui_.status.setPanelText(3,
                            u"当前地点共"_s + QString::number(ui_.npcs.entryCount()) + u"个NPC"_s);
    if (ui_.npcs.entryCount() > 0)
        ui_.npcs.setText(ui_.npcs.entryText(0));
}

void SellListView::showNpcLists() {
    ui_.lists.clearEntries();
    const ShopRecord* record = currentRecord();
    if (!record)
        return;
    for (int list = 0; list < ShopRecord::ListCount; ++list) {
        if (record->listExists(list))
            ui_.lists.addEntry(listEntryText(list));
    }
    if (ui_.lists.entryCount() > 0)
        ui_.lists.setText(ui_.lists.entryText(0));
    else
        ui_.dialogs.message(u"没有找到物品列表"_s);
}

void SellListView::showSellList() {
    const ShopRecord* record = currentRecord();
    const int list = currentList();
    if (!record || list < 0)
        return;
    Grid& grid = ui_.listGrid;
    ui_.status.setPanelText(4, {});
    ui_.status.setPanelText(1, u"正在查询物品信息..."_s);
    std::array<int, 5> bytes{};
    int shown = 0;
    // Reported once the grid is whole again: a message box must not open mid-update.
    QString problem;
    {
        Grid::Batch batch(grid);
        initListGrid();
        for (size_t c = 0; c < bytes.size(); ++c)
            bytes[c] = ansiByteLength(ListHeaders[c]);
        const auto put = [&](int row, int col, const QString& text) {
            grid.setText(row, col, text);
            bytes[static_cast<size_t>(col)] =
                std::max(bytes[static_cast<size_t>(col)], ansiByteLength(text));
        };
        for (; shown <= record->upperBound(); ++shown) {
            const ItemSlot& item = record->slot(list, shown);
            if (item.id.isEmpty())
                break;
            grid.setRows(shown + 2);
            put(shown + 1, 0, item.lineText);
            put(shown + 1, 1, item.id);
            if (!data_.run(sql::itemNames(item.id))) {
                problem = queryErrorText(data_);
                break;
            }
            if (data_.atEnd()) {
                problem = u"无此物品"_s;
                break;
            }
            put(shown + 1, 2, data_.field(u"中文名称"));
            put(shown + 1, 3, data_.field(u"英文名称"));
            put(shown + 1, 4, item.taxRate);
            ui_.status.setPanelText(1, u"正在查询第"_s + QString::number(shown) + u"个物品..."_s);
        }
        for (size_t c = 0; c < bytes.size(); ++c)
            grid.setColumnWidthPixels(static_cast<int>(c), (bytes[c] + 1) * charWidth_);
    }
    if (!problem.isEmpty())
        ui_.dialogs.message(problem);
    ui_.taxRate.setText(grid.text(1, 4));
    ui_.status.setPanelText(1, u"查询物品信息完毕"_s);
    ui_.status.setPanelText(4, u"当前列表"_s + QString::number(ui_.lists.chosenIndex() + 1) + u'/' +
                                   QString::number(ui_.lists.entryCount()) + u"共有"_s +
                                   QString::number(shown) + u"项"_s);
}

void SellListView::showRowTaxRate() {
    ui_.taxRate.setText(ui_.listGrid.text(ui_.listGrid.currentRow(), 4));
}

void SellListView::redisplay() {
    ui_.lists.setText(ui_.lists.entryText(ui_.lists.chosenIndex()));
}

void SellListView::addCatalogueItem(bool beforeCurrentRow) {
    if (!state_.fileLoaded) {
        ui_.dialogs.message(u"请先装入AI文件"_s, MessageIcon::Information);
        return;
    }
    ShopRecord* record = currentRecord();
    const int list = currentList();
    const int itemRow = ui_.itemGrid.currentRow();
    const int listRow = ui_.listGrid.currentRow();
    if (!record || list < 0 || itemRow < 1 || (beforeCurrentRow && listRow < 1))
        return;
    const QString id = ui_.itemGrid.text(itemRow, 0);
    if (id.isEmpty())
        return;
    if (edits::containsItem(*record, list, id)) {
        ui_.dialogs.message(u"已有相同物品在此列表中"_s, MessageIcon::Information);
        return;
    }
    const QString rate = trimSpaces(ui_.taxRate.text()).toString();
    if (!isSafeTaxRate(rate)) {
        ui_.dialogs.message(u"税率中不能含有“{”、“}”、“;”或换行"_s);
        return;
    }
    ItemSlot item = edits::newItem(*record, id, rate);
    if (beforeCurrentRow)
        edits::insertItem(*record, list, listRow - 1, std::move(item));
    else
        edits::appendItem(*record, list, std::move(item));
    redisplay();
    ui_.status.setPanelText(1, u"已经添加1项物品"_s);
}

void SellListView::insertCatalogueItem() {
    addCatalogueItem(true);
}
void SellListView::appendCatalogueItem() {
    addCatalogueItem(false);
}

void SellListView::editCurrentRow(bool (*edit)(ShopRecord&, int, int)) {
    const int row = ui_.listGrid.currentRow();
    if (row < 1 || ui_.listGrid.rows() <= 1 || trimSpaces(ui_.listGrid.text(row, 0)).isEmpty())
        return;
    ShopRecord* record = currentRecord();
    const int list = currentList();
    if (record && list >= 0 && edit(*record, list, row - 1))
        redisplay();
}

void SellListView::moveItemUp() {
    editCurrentRow(edits::moveUp);
}
void SellListView::moveItemDown() {
    editCurrentRow(edits::moveDown);
}
void SellListView::moveItemToTop() {
    editCurrentRow(edits::moveToTop);
}
void SellListView::moveItemToBottom() {
    editCurrentRow(edits::moveToBottom);
}
void SellListView::deleteItem() {
    editCurrentRow(edits::deleteItem);
}

} // namespace vw
