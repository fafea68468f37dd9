#include "ListTransfers.h"

#include "EditTexts.h"
#include "ListSelectors.h"
#include "SellListView.h"
#include "catalogue/gui/CatalogueBrowser.h"
#include "controls/Dialogs.h"
#include "controls/Grid.h"
#include "controls/LastGrid.h"
#include "controls/ResultsPanel.h"
#include "controls/StatusPanels.h"
#include "document/ScriptDocument.h"
#include "editor/ItemRows.h"
#include "script/LineSource.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

// The program's own form of items on the clipboard and in a drag: the same rows of text, so a
// copy made here pastes as it was, whatever another program puts beside it as plain text.
const QString ItemsType = u"application/x-vendwright-items"_s;
// A drag of list rows within their list: the rows are the selection the document holds.
const QString RowsType = u"application/x-vendwright-rows"_s;

QMimeData* itemsData(const QString& rows) {
    auto* data = new QMimeData;
    data->setText(rows);
    data->setData(ItemsType, rows.toUtf8());
    return data;
}

QString refusalText(const edits::RefusedItem& refused) {
    switch (refused.reason) {
    case edits::InsertRefusal::InvalidId:
        return invalidIdText();
    case edits::InsertRefusal::Duplicate:
        return duplicateItemText();
    case edits::InsertRefusal::TaxRate:
        return taxRateProblemText(refused.taxRate);
    }
    return {};
}

} // namespace

ListTransfers::ListTransfers(Workspace& workspace, const CatalogueBrowser& catalogue,
                             const ListSelectors& selectors, const SellListView& sellLists,
                             const LastGrid& lastGrid, Controls controls)
    : workspace_(workspace), document_(workspace.document()), catalogue_(catalogue),
      selectors_(selectors), sellLists_(sellLists), lastGrid_(lastGrid), ui_(controls) {
    ui_.itemGrid.allowDrags([this] { return catalogueRows(); });
    ui_.listGrid.allowDrags([this] {
        QMimeData* data = listRows();
        data->setData(RowsType, {});
        return data;
    });
    ui_.listGrid.allowDrops({RowsType, ItemsType});
    connect(&ui_.listGrid, &Grid::dropped, this, &ListTransfers::dropped);
}

bool ListTransfers::requireLoaded() {
    if (document_.isLoaded())
        return true;
    ui_.dialogs.message(notLoadedText(), MessageIcon::Information);
    return false;
}

QMimeData* ListTransfers::listRows() const {
    std::vector<ItemSlot> items;
    const Selection& selection = document_.selection();
    if (const ShopRecord* record = document_.record(selection.record)) {
        for (const int slot : document_.slotsToEdit())
            items.push_back(record->slot(selection.list, slot));
    }
    return itemsData(edits::formatItemRows(items));
}

QMimeData* ListTransfers::catalogueRows() const {
    std::vector<ItemSlot> items;
    const QString rate = trimSpaces(sellLists_.newItemTaxRate()).toString();
    for (const QString& id : catalogue_.selectedItemIds())
        items.push_back({id, rate, 0, {}});
    return itemsData(edits::formatItemRows(items));
}

void ListTransfers::copy() {
    QMimeData* data = lastGrid_.isFirst() ? catalogueRows() : listRows();
    const int rows = static_cast<int>(edits::parseItemRows(data->text(), {}).size());
    QApplication::clipboard()->setMimeData(data);
    ui_.status.setPanelText(1, tr("已复制%n项物品", nullptr, static_cast<int>(rows)));
}

void ListTransfers::cut() {
    if (!requireLoaded() || lastGrid_.isFirst() || document_.slotsToEdit().empty())
        return;
    const size_t count = document_.slotsToEdit().size();
    copy();
    if (document_.cutItems() == ScriptDocument::EditOutcome::Done)
        ui_.status.setPanelText(1, tr("已经剪切%n项物品", nullptr, static_cast<int>(count)));
}

void ListTransfers::paste() {
    if (!requireLoaded())
        return;
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data)
        return;
    const QString text =
        data->hasFormat(ItemsType) ? QString::fromUtf8(data->data(ItemsType)) : data->text();
    insertRows(text, document_.pasteSlot(), tr("粘贴"), QT_TR_N_NOOP("已粘贴%n项物品，跳过%1项"));
}

void ListTransfers::dropped(const QString& type, const QByteArray& data, int row) {
    if (!document_.selection().showsList())
        return;
    if (type == RowsType)
        document_.moveItemsTo(row - 1);
    else
        insertRows(QString::fromUtf8(data), row - 1, tr("拖入"),
                   QT_TR_N_NOOP("已拖入%n项物品，跳过%1项"));
}

void ListTransfers::insertRows(const QString& text, int slot, const QString& name,
                               const char* done) {
    const ShopRecord* record = document_.record(document_.selection().record);
    if (!record || document_.selection().list < 0)
        return;
    const std::vector<edits::ItemRow> rows =
        edits::parseItemRows(text, sellLists_.newItemTaxRate());
    if (rows.empty())
        return;
    // An item the catalogue does not know is left out and listed with the others left out,
    // rather than put in and then told of in a box.
    Catalogue* catalogue = workspace_.catalogue();
    std::vector<QStringList> skipped;
    std::vector<ItemSlot> items;
    for (const edits::ItemRow& row : rows) {
        if (catalogue && edits::fitsItemLine(row.id) && !catalogue->itemNames(row.id)) {
            skipped.push_back({row.id, tr("物品库中没有此物品")});
            continue;
        }
        items.push_back(edits::newItem(*record, row.id, row.taxRate));
        if (!row.extraParts.isEmpty())
            items.back().extraParts = row.extraParts;
    }
    const ScriptDocument::Inserted inserted =
        items.empty() ? ScriptDocument::Inserted{} : document_.insertItems(items, slot, name);
    for (const edits::RefusedItem& refused : inserted.refused)
        skipped.push_back({items[static_cast<size_t>(refused.index)].id, refusalText(refused)});
    ui_.status.setPanelText(1, tr(done, nullptr, inserted.count).arg(skipped.size()));
    if (skipped.empty())
        ui_.skipped.clear();
    else
        ui_.skipped.setResults(skipped);
}

void ListTransfers::addToListedNpcs() {
    if (!requireLoaded())
        return;
    const int list = document_.selection().list;
    const std::vector<QString> ids = catalogue_.selectedItemIds();
    if (list < 0 || ids.empty())
        return;
    const QString rate = trimSpaces(sellLists_.newItemTaxRate()).toString();
    if (const auto problem = edits::taxRateProblem(rate); problem != edits::TaxRateProblem::None) {
        ui_.dialogs.message(taxRateProblemText(problem));
        return;
    }
    const std::vector<int> records = selectors_.offeredRecords();
    const ScriptDocument::Batch batch = document_.addToRecords(ids, rate, records, list);
    // An NPC stands once for every town it is placed in: the entries are more than the NPCs.
    ui_.status.setPanelText(
        1,
        tr("已添加到%n个NPC的%1，跳过%2个NPC的列表（列出的%3项共%4个NPC）", nullptr, batch.changed)
            .arg(listLabel(list), QString::number(batch.skipped.size()),
                 QString::number(selectors_.offeredEntryCount()), QString::number(records.size())));
}

} // namespace vw
