#include "SellListView.h"

#include "RecordStep.h"
#include "catalogue/DataSource.h"
#include "catalogue/Statements.h"
#include "controls/Combo.h"
#include "controls/Dialogs.h"
#include "controls/Grid.h"
#include "controls/Query.h"
#include "controls/StatusPanels.h"
#include "editor/ListEdits.h"
#include "script/LineSource.h"

#include <QHash>
#include <QLineEdit>
#include <QSet>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

const std::array<QString, 5> ListHeaders{u"行号"_s, u"物品ID"_s, u"中文名称"_s, u"英文名称"_s,
                                         u"税率"_s};

QString listEntryText(int list) {
    return QString::number(list) + u"-商品列表"_s;
}

// Stands right before "全部NPC" and lists the records no town entry reaches.
const QString UnplacedEntryText = u"未放置的NPC"_s;

// "删除 4021", or "删除 4021 等3项" for several rows: the undo menu names the step by it.
QString stepName(const QString& action, const ShopRecord& record, int list,
                 const std::vector<int>& rows) {
    QString name = action + u' ' + record.slot(list, rows.front() - 1).id;
    if (rows.size() > 1)
        name += u" 等"_s + QString::number(rows.size()) + u"项"_s;
    return name;
}

std::vector<int> slotsOf(const std::vector<int>& rows) {
    std::vector<int> picked;
    for (const int row : rows)
        picked.push_back(row - 1);
    return picked;
}

std::vector<int> deleteBlock(ShopRecord& record, int list, std::span<const int> picked) {
    if (!edits::deleteItems(record, list, picked))
        return {};
    return {picked.front()};
}

} // namespace

SellListView::SellListView(ScriptState& state, DataSource& data, const int& charWidth,
                           Controls controls)
    : state_(state), data_(data), charWidth_(charWidth), ui_(controls) {
    connect(&ui_.locations, &Combo::chosen, this, &SellListView::showLocationNpcs);
    connect(&ui_.npcs, &Combo::chosen, this, &SellListView::showNpcLists);
    connect(&ui_.lists, &Combo::chosen, this, &SellListView::showSellList);
    connect(&ui_.listGrid, &Grid::currentRowChanged, this, &SellListView::showRowTaxRate);
    ui_.listGrid.allowRowRanges();
    ui_.listGrid.setEditableColumn(4);
    connect(&ui_.listGrid, &Grid::cellEdited, this,
            [this](int row, int, const QString& text) { setTaxRateOfRows({row}, text); });
}

void SellListView::initListGrid() {
    ui_.listGrid.clearTexts();
    for (int c = 0; c < static_cast<int>(ListHeaders.size()); ++c)
        ui_.listGrid.setText(0, c, ListHeaders[static_cast<size_t>(c)]);
}

int SellListView::currentRecordIndex() const {
    const int chosen = ui_.npcs.chosenIndex();
    if (chosen < 0)
        return -1;
    const qint32 index = ui_.npcs.entryData(chosen);
    return index >= 0 && static_cast<size_t>(index) < state_.records.size() ? index : -1;
}

ShopRecord* SellListView::currentRecord() {
    const int index = currentRecordIndex();
    return index < 0 ? nullptr : &state_.records[static_cast<size_t>(index)];
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
    const int chosen = ui_.locations.chosenIndex();
    if (chosen >= 0 && chosen == unplacedEntry()) {
        listUnplacedNpcs();
    } else {
        const bool all = chosen == ui_.locations.entryCount() - 1;
        const QString location = trimSpaces(ui_.locations.currentText()).toString();
        if (!runQuery(data_, ui_.dialogs,
                      sql::locationNpcs(all ? std::nullopt : std::optional<QStringView>(location))))
            return;
        // Records by class name, in record order: a location lists up to every record.
        QHash<QString, std::vector<qint32>> byName;
        for (size_t i = 0; i < state_.records.size(); ++i)
            byName[state_.records[i].className].push_back(static_cast<qint32>(i));
        std::vector<Combo::Entry> entries;
        for (; !data_.atEnd(); data_.advance()) {
            const QString npc = data_.field(u"NPC英文名");
            if (const auto found = byName.constFind(npc); found != byName.cend()) {
                for (const qint32 record : *found)
                    entries.push_back({npc + u'|' + data_.field(u"中文名称"), record});
            }
        }
        ui_.npcs.addEntries(entries);
    }
    ui_.status.setPanelText(1, u"本地NPC查询完毕"_s);
    ui_.status.setPanelText(3,
                            u"当前地点共"_s + QString::number(ui_.npcs.entryCount()) + u"个NPC"_s);
    chooseFirstOfferedNpc();
}

int SellListView::unplacedEntry() const {
    const int index = ui_.locations.entryCount() - 2;
    return index >= 0 && ui_.locations.entryText(index) == UnplacedEntryText ? index : -1;
}

// Every record the statement of all NPCs does not reach: its class has no town row, or no
// Chinese name for the join to find. Those with a name show it, the others their class alone.
void SellListView::listUnplacedNpcs() {
    if (!runQuery(data_, ui_.dialogs, sql::locationNpcs(std::nullopt)))
        return;
    QSet<QString> reached;
    for (; !data_.atEnd(); data_.advance())
        reached.insert(data_.field(u"NPC英文名"));
    for (size_t i = 0; i < state_.records.size(); ++i) {
        const QString& name = state_.records[i].className;
        if (reached.contains(name))
            continue;
        QString entry = name;
        if (!runQuery(data_, ui_.dialogs, sql::npcChineseName(), {name}))
            return;
        if (!data_.atEnd())
            entry += u'|' + data_.field(u"中文名称");
        ui_.npcs.addEntry(entry, static_cast<qint32>(i));
    }
}

void SellListView::filterNpcs(const QString& text) {
    ui_.npcs.filterEntries(text);
}

void SellListView::chooseFirstOfferedNpc() {
    ui_.npcs.chooseIndex(ui_.npcs.firstOfferedEntry());
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
            if (!data_.run(sql::itemNames(), {item.id})) {
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
    if (!acceptTaxRate(rate))
        return;
    RecordChange change{currentRecordIndex(), list, *record, *record, {}, {}};
    const int slot = beforeCurrentRow ? std::min(listRow - 1, record->listLength(list))
                                      : record->listLength(list);
    if (!edits::insertItem(change.after, list, slot, edits::newItem(*record, id, rate)))
        return;
    change.rowsBefore = {slot + 1};
    change.rowsAfter = {slot + 1};
    pushChange(std::move(change), (beforeCurrentRow ? u"插入 "_s : u"添加 "_s) + id);
    ui_.status.setPanelText(1, u"已经添加1项物品"_s);
}

void SellListView::insertCatalogueItem() {
    addCatalogueItem(true);
}
void SellListView::appendCatalogueItem() {
    addCatalogueItem(false);
}

bool SellListView::acceptTaxRate(const QString& rate) {
    switch (edits::taxRateProblem(rate)) {
    case edits::TaxRateProblem::None:
        return true;
    case edits::TaxRateProblem::Empty:
        ui_.dialogs.message(u"税率不能为空"_s);
        return false;
    case edits::TaxRateProblem::BreaksLine:
        ui_.dialogs.message(u"税率中不能含有“{”、“}”、“;”或换行"_s);
        return false;
    }
    return false;
}

std::vector<int> SellListView::rowsToEdit() const {
    const Grid& grid = ui_.listGrid;
    std::vector<int> rows = grid.selectedRows();
    // With one row or none selected, the edits act on the current row, as they always have.
    if (rows.size() < 2)
        rows = {grid.currentRow()};
    std::erase_if(rows, [&grid](int row) {
        return row < 1 || grid.rows() <= 1 || trimSpaces(grid.text(row, 0)).isEmpty();
    });
    return rows;
}

void SellListView::moveRows(BlockEdit edit, const QString& name) {
    const std::vector<int> rows = rowsToEdit();
    const ShopRecord* record = currentRecord();
    const int list = currentList();
    if (rows.empty() || !record || list < 0)
        return;
    RecordChange change{currentRecordIndex(), list, *record, *record, rows, {}};
    const std::vector<int> picked = slotsOf(rows);
    const std::vector<int> moved = edit(change.after, list, picked);
    if (moved.empty())
        return;
    for (const int slot : moved)
        change.rowsAfter.push_back(slot + 1);
    pushChange(std::move(change), stepName(name, *record, list, rows));
}

void SellListView::moveItemUp() {
    moveRows(edits::moveItemsUp, u"上移"_s);
}
void SellListView::moveItemDown() {
    moveRows(edits::moveItemsDown, u"下移"_s);
}
void SellListView::moveItemToTop() {
    moveRows(edits::moveItemsToTop, u"移至顶部"_s);
}
void SellListView::moveItemToBottom() {
    moveRows(edits::moveItemsToBottom, u"移至底部"_s);
}
void SellListView::deleteItem() {
    moveRows(deleteBlock, u"删除"_s);
}

void SellListView::setTaxRate() {
    if (!state_.fileLoaded) {
        ui_.dialogs.message(u"请先装入AI文件"_s, MessageIcon::Information);
        return;
    }
    setTaxRateOfRows(rowsToEdit(), ui_.taxRate.text());
}

void SellListView::setTaxRateOfRows(const std::vector<int>& rows, const QString& text) {
    const ShopRecord* record = currentRecord();
    const int list = currentList();
    if (rows.empty() || !record || list < 0)
        return;
    const QString rate = trimSpaces(text).toString();
    if (!acceptTaxRate(rate))
        return;
    RecordChange change{currentRecordIndex(), list, *record, *record, rows, rows};
    if (!edits::setTaxRate(change.after, list, slotsOf(rows), rate))
        return;
    pushChange(std::move(change), stepName(u"修改税率"_s, *record, list, rows));
    ui_.status.setPanelText(1, u"已经修改"_s + QString::number(rows.size()) + u"项物品的税率"_s);
}

void SellListView::pushChange(RecordChange change, const QString& name) {
    history_.push(new RecordStep(*this, std::move(change), name));
}

void SellListView::showChange(const RecordChange& change, ChangeShown how) {
    if (change.record < 0 || static_cast<size_t>(change.record) >= state_.records.size())
        return;
    state_.records[static_cast<size_t>(change.record)] =
        how == Undone ? change.before : change.after;
    if (how == Applied) {
        redisplay();
        // One row keeps the current row's number; a block stays selected where it went.
        if (change.rowsAfter.size() > 1)
            ui_.listGrid.selectRows(change.rowsAfter);
        return;
    }
    if (!showList(change.record, change.list))
        return;
    redisplay();
    ui_.listGrid.selectRows(how == Undone ? change.rowsBefore : change.rowsAfter);
}

bool SellListView::showList(int record, int list, const QStringList& places) {
    const auto findNpc = [&] {
        if (currentRecordIndex() == record)
            return true;
        for (int i = 0; i < ui_.npcs.entryCount(); ++i) {
            if (ui_.npcs.entryData(i) == record) {
                ui_.npcs.chooseIndex(i);
                return true;
            }
        }
        return false;
    };
    if (!findNpc()) {
        // Locations that list the NPC: the ones named first, then every NPC placed in a town,
        // then the NPCs placed nowhere.
        std::vector<int> candidates;
        for (const QString& place : places) {
            const int entry =
                ui_.locations.findText(place, Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (entry >= 0 && entry != unplacedEntry() && entry != ui_.locations.entryCount() - 1)
                candidates.push_back(entry);
        }
        candidates.push_back(ui_.locations.entryCount() - 1);
        candidates.push_back(unplacedEntry());
        const auto leads = [&](int entry) {
            if (entry < 0 || entry == ui_.locations.chosenIndex())
                return false;
            ui_.locations.chooseIndex(entry);
            return findNpc();
        };
        if (std::none_of(candidates.begin(), candidates.end(), leads))
            return false;
    }
    if (currentList() != list)
        ui_.lists.setText(listEntryText(list));
    return currentRecordIndex() == record && currentList() == list;
}

} // namespace vw
