#include "ListSelectors.h"

#include "EditTexts.h"
#include "controls/Combo.h"
#include "controls/Dialogs.h"
#include "controls/StatusPanels.h"
#include "script/LineSource.h"
#include "workspace/Workspace.h"

#include <QHash>
#include <QLineEdit>
#include <QSet>

#include <algorithm>
#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace vw {

ListSelectors::ListSelectors(Workspace& workspace, Controls controls)
    : workspace_(workspace), document_(workspace.document()), ui_(controls) {
    connect(&ui_.locations, &Combo::chosen, this, &ListSelectors::locationChosen);
    connect(&ui_.npcs, &Combo::chosen, this, &ListSelectors::npcChosen);
    connect(&ui_.lists, &Combo::chosen, this, &ListSelectors::listChosen);
    connect(&document_, &ScriptDocument::changed, this, &ListSelectors::documentChanged);
    connect(&document_, &ScriptDocument::writtenAgain, this, &ListSelectors::markEntries);
    connect(&workspace_, &Workspace::catalogueChanged, this, &ListSelectors::catalogueChanged);
    // The filter box offers only the NPC entries whose text holds its text, letter case ignored;
    // Enter takes the first of them.
    connect(&ui_.npcFilter, &QLineEdit::textChanged, &ui_.npcs, &Combo::filterEntries);
    connect(&ui_.npcFilter, &QLineEdit::returnPressed, this, &ListSelectors::chooseFirstOfferedNpc);
}

void ListSelectors::fillLocations() {
    ui_.locations.clearEntries();
    places_.clear();
    const Catalogue* catalogue = workspace_.catalogue();
    if (!catalogue)
        return;
    places_ = catalogue->locations();
    std::vector<Combo::Entry> entries;
    for (const QString& place : places_)
        entries.push_back({place});
    entries.push_back({tr("未放置的NPC")});
    entries.push_back({tr("全部NPC")});
    ui_.locations.addEntries(std::move(entries));
    // Nothing is read yet, so choosing it would only ask for a script.
    ui_.locations.setCurrentIndex(ui_.locations.entryCount() - 1);
}

// Names and placements came from the catalogue before: the user's list stays in view.
void ListSelectors::catalogueChanged() {
    const Selection kept = document_.selection();
    fillLocations();
    if (!document_.isLoaded())
        return;
    chooseLastLocation();
    if (kept.showsList())
        showList(kept.record, kept.list, kept.picked);
}

void ListSelectors::chooseLastLocation() {
    ui_.locations.chooseIndex(ui_.locations.entryCount() - 1);
}

ListSelectors::Place ListSelectors::placeOf(int entry) const {
    if (entry >= 0 && entry < locationCount())
        return Place::Town;
    return entry == locationCount() ? Place::Unplaced : Place::Everyone;
}

int ListSelectors::chosenRecord() const {
    const int chosen = ui_.npcs.chosenIndex();
    return chosen >= 0 && static_cast<size_t>(chosen) < npcRecords_.size()
               ? npcRecords_[static_cast<size_t>(chosen)]
               : -1;
}

void ListSelectors::locationChosen() {
    if (!document_.isLoaded()) {
        ui_.status.setPanelText(1, tr("请先读入AI文件"));
        return;
    }
    fillNpcs(ui_.locations.chosenIndex());
    chooseFirstOfferedNpc();
}

QString ListSelectors::npcText(int record) const {
    const QString& name = document_.records()[static_cast<size_t>(record)].className;
    Catalogue* catalogue = workspace_.catalogue();
    const std::optional<QString> chinese =
        catalogue ? catalogue->npcChineseName(name) : std::nullopt;
    return chinese ? name + u'|' + *chinese : name;
}

void ListSelectors::setNpcEntries(std::vector<QString> texts, std::vector<int> records) {
    ui_.npcs.clearEntries();
    ui_.lists.clearEntries();
    lists_.clear();
    listsRecord_ = -1;
    // In the order of their names, so a long list of NPCs reads as an index; a class that
    // stands twice keeps its records' order.
    std::vector<size_t> order(texts.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&texts](size_t a, size_t b) {
        return texts[a].compare(texts[b], Qt::CaseInsensitive) < 0;
    });
    npcRecords_.clear();
    std::vector<Combo::Entry> entries;
    entries.reserve(texts.size());
    for (const size_t i : order) {
        npcRecords_.push_back(records[i]);
        entries.push_back({std::move(texts[i])});
    }
    ui_.npcs.addEntries(std::move(entries));
    markEntries(document_.touchedRecords());
}

void ListSelectors::fillNpcs(int chosen) {
    ui_.status.setPanelText(3, {});
    ui_.status.setPanelText(4, {});
    ui_.status.setPanelText(1, tr("正在查询本地NPC..."));
    std::vector<QString> texts;
    std::vector<int> records;
    if (placeOf(chosen) == Place::Unplaced) {
        listUnplacedNpcs(texts, records);
    } else if (Catalogue* catalogue = workspace_.catalogue()) {
        std::optional<QString> town;
        if (placeOf(chosen) == Place::Town)
            town = trimSpaces(places_[chosen]).toString();
        // Records by class name, in record order: a location lists up to every record.
        const std::vector<ShopRecord>& all = document_.records();
        QHash<QString, std::vector<int>> byName;
        for (size_t i = 0; i < all.size(); ++i)
            byName[all[i].className].push_back(static_cast<int>(i));
        for (const PlacedNpc& npc : catalogue->npcsAt(town)) {
            if (const auto found = byName.constFind(npc.className); found != byName.cend()) {
                for (const int record : *found) {
                    texts.push_back(npc.className + u'|' + npc.chineseName);
                    records.push_back(record);
                }
            }
        }
    }
    setNpcEntries(std::move(texts), std::move(records));
    ui_.status.setPanelText(1, tr("本地NPC查询完毕"));
    ui_.status.setPanelText(3, tr("当前地点共%n个NPC", nullptr, ui_.npcs.entryCount()));
}

// Every record the statement of all NPCs does not reach: its class has no town row, or no
// Chinese name for the join to find. Those with a name show it, the others their class alone.
void ListSelectors::listUnplacedNpcs(std::vector<QString>& texts, std::vector<int>& records) {
    Catalogue* catalogue = workspace_.catalogue();
    const QSet<QString> reached = catalogue ? catalogue->namedPlacedNpcs() : QSet<QString>();
    const std::vector<ShopRecord>& all = document_.records();
    for (size_t i = 0; i < all.size(); ++i) {
        if (reached.contains(all[i].className))
            continue;
        texts.push_back(npcText(static_cast<int>(i)));
        records.push_back(static_cast<int>(i));
    }
}

void ListSelectors::fillEveryNpc() {
    std::vector<QString> texts;
    std::vector<int> records;
    const int count = static_cast<int>(document_.records().size());
    texts.reserve(static_cast<size_t>(count));
    records.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        texts.push_back(npcText(i));
        records.push_back(i);
    }
    setNpcEntries(std::move(texts), std::move(records));
}

void ListSelectors::chooseFirstOfferedNpc() {
    const int first = ui_.npcs.firstOfferedEntry();
    if (first >= 0)
        ui_.npcs.chooseIndex(first);
    else
        document_.selectRecord(-1);
}

void ListSelectors::npcChosen() {
    const int record = chosenRecord();
    document_.selectRecord(record);
    // Choosing an NPC offers its lists anew, also when it was chosen already.
    fillLists();
    if (document_.record(record) && document_.selection().list < 0)
        ui_.dialogs.message(tr("没有找到物品列表"));
}

void ListSelectors::listChosen() {
    const int chosen = ui_.lists.chosenIndex();
    if (chosen >= 0 && static_cast<size_t>(chosen) < lists_.size())
        document_.selectList(lists_[static_cast<size_t>(chosen)]);
}

void ListSelectors::fillLists() {
    const Selection& selection = document_.selection();
    ui_.lists.clearEntries();
    listsRecord_ = selection.record;
    lists_ = document_.offeredLists(selection.record);
    std::vector<Combo::Entry> entries;
    for (const int list : lists_)
        entries.push_back({listLabel(list)});
    ui_.lists.addEntries(std::move(entries));
    ui_.lists.setCurrentIndex(listPosition() - 1);
    markEntries({selection.record});
}

int ListSelectors::listPosition() const {
    const auto found = std::find(lists_.begin(), lists_.end(), document_.selection().list);
    return found == lists_.end() ? 0 : static_cast<int>(found - lists_.begin()) + 1;
}

void ListSelectors::markEntries(const std::vector<int>& records) {
    if (records.empty())
        return;
    const QSet<int> marking(records.begin(), records.end());
    for (size_t i = 0; i < npcRecords_.size(); ++i) {
        if (marking.contains(npcRecords_[i]))
            ui_.npcs.setEntryMarked(static_cast<int>(i), document_.unwritten(npcRecords_[i]));
    }
    if (!marking.contains(listsRecord_))
        return;
    for (size_t i = 0; i < lists_.size(); ++i)
        ui_.lists.setEntryMarked(static_cast<int>(i), document_.unwritten(listsRecord_, lists_[i]));
}

std::vector<int> ListSelectors::offeredRecords() const {
    std::vector<int> records;
    QSet<int> seen;
    for (size_t i = 0; i < npcRecords_.size(); ++i) {
        const int record = npcRecords_[i];
        if (ui_.npcs.isOffered(static_cast<int>(i)) && document_.record(record) &&
            !seen.contains(record)) {
            seen.insert(record);
            records.push_back(record);
        }
    }
    return records;
}

int ListSelectors::offeredEntryCount() const {
    int offered = 0;
    for (int i = 0; i < ui_.npcs.entryCount(); ++i)
        offered += ui_.npcs.isOffered(i) ? 1 : 0;
    return offered;
}

void ListSelectors::documentChanged(const DocumentChange& change) {
    if (change.reset) {
        fillEveryNpc();
        return;
    }
    markEntries(change.records);
    const Selection& selection = document_.selection();
    if (selection.record < 0 || !change.selection)
        return;
    if (chosenRecord() != selection.record)
        revealRecord(selection.record, {});
    if (listsRecord_ != selection.record || listPosition() == 0)
        fillLists();
    else
        ui_.lists.setCurrentIndex(listPosition() - 1);
}

bool ListSelectors::revealRecord(int record, const QStringList& places) {
    const auto findNpc = [&] {
        if (chosenRecord() == record)
            return true;
        const auto found = std::find(npcRecords_.begin(), npcRecords_.end(), record);
        if (found == npcRecords_.end())
            return false;
        ui_.npcs.setCurrentIndex(static_cast<int>(found - npcRecords_.begin()));
        return true;
    };
    if (findNpc())
        return true;
    // Locations that list the NPC: the ones named first, then every NPC placed in a town, then
    // the NPCs placed nowhere.
    std::vector<int> candidates;
    for (const QString& place : places) {
        if (const qsizetype entry = places_.indexOf(place); entry >= 0)
            candidates.push_back(static_cast<int>(entry));
    }
    if (!places_.isEmpty()) {
        candidates.push_back(locationCount() + 1);
        candidates.push_back(locationCount());
    }
    return std::any_of(candidates.begin(), candidates.end(), [&](int entry) {
        if (entry == ui_.locations.chosenIndex())
            return false;
        ui_.locations.setCurrentIndex(entry);
        fillNpcs(entry);
        return findNpc();
    });
}

bool ListSelectors::showList(int record, int list, const std::vector<int>& picked,
                             const QStringList& places) {
    if (!document_.record(record) || !revealRecord(record, places))
        return false;
    document_.select({record, list, picked, picked.empty() ? 0 : picked.front()});
    return true;
}

} // namespace vw
