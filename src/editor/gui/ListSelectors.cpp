#include "ListSelectors.h"

#include "catalogue/DataSource.h"
#include "catalogue/Statements.h"
#include "controls/Combo.h"
#include "controls/Dialogs.h"
#include "controls/Query.h"
#include "controls/StatusPanels.h"
#include "controls/WindowTexts.h"
#include "document/ScriptDocument.h"
#include "script/LineSource.h"

#include <QHash>
#include <QSet>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

// Stands right before "全部NPC" and lists the records no town entry reaches.
const QString UnplacedEntryText = u"未放置的NPC"_s;

} // namespace

ListSelectors::ListSelectors(ScriptDocument& document, DataSource& data, Controls controls)
    : document_(document), data_(data), ui_(controls) {
    connect(&ui_.locations, &Combo::chosen, this, &ListSelectors::locationChosen);
    connect(&ui_.npcs, &Combo::chosen, this, &ListSelectors::npcChosen);
    connect(&ui_.lists, &Combo::chosen, this, &ListSelectors::listChosen);
    connect(&document_, &ScriptDocument::changed, this, &ListSelectors::documentChanged);
    connect(&document_, &ScriptDocument::writtenAgain, this, &ListSelectors::markEntries);
}

int ListSelectors::fillLocations() {
    if (!runQuery(data_, ui_.dialogs, sql::locations()))
        return 0;
    for (; !data_.atEnd(); data_.advance())
        ui_.locations.addEntry(data_.field(u"地点名称"));
    const int count = ui_.locations.entryCount();
    ui_.locations.addEntry(UnplacedEntryText);
    ui_.locations.addEntry(u"全部NPC"_s);
    // Nothing is read yet, so choosing it would only ask for a script.
    ui_.locations.setCurrentIndex(ui_.locations.entryCount() - 1);
    return count;
}

void ListSelectors::chooseLastLocation() {
    ui_.locations.chooseIndex(ui_.locations.entryCount() - 1);
}

int ListSelectors::chosenRecord() const {
    const int chosen = ui_.npcs.chosenIndex();
    return chosen < 0 ? -1 : ui_.npcs.entryData(chosen);
}

int ListSelectors::unplacedEntry() const {
    const int index = ui_.locations.entryCount() - 2;
    return index >= 0 && ui_.locations.entryText(index) == UnplacedEntryText ? index : -1;
}

void ListSelectors::locationChosen() {
    if (!document_.isLoaded()) {
        ui_.status.setPanelText(1, u"请先读入AI文件"_s);
        return;
    }
    if (!fillNpcs(ui_.locations.chosenIndex())) {
        document_.selectRecord(-1);
        return;
    }
    chooseFirstOfferedNpc();
}

bool ListSelectors::fillNpcs(int chosen) {
    ui_.npcs.clearEntries();
    ui_.lists.clearEntries();
    lists_.clear();
    listsRecord_ = -1;
    ui_.status.setPanelText(3, {});
    ui_.status.setPanelText(4, {});
    ui_.status.setPanelText(1, u"正在查询本地NPC..."_s);
    if (chosen >= 0 && chosen == unplacedEntry()) {
        listUnplacedNpcs();
    } else {
        const bool all = chosen == ui_.locations.entryCount() - 1;
        const QString location = trimSpaces(ui_.locations.entryText(chosen)).toString();
        if (!runQuery(data_, ui_.dialogs,
                      sql::locationNpcs(all ? std::nullopt : std::optional<QStringView>(location))))
            return false;
        // Records by class name, in record order: a location lists up to every record.
        const std::vector<ShopRecord>& records = document_.records();
        QHash<QString, std::vector<qint32>> byName;
        for (size_t i = 0; i < records.size(); ++i)
            byName[records[i].className].push_back(static_cast<qint32>(i));
        std::vector<Combo::Entry> entries;
        for (; !data_.atEnd(); data_.advance()) {
            const QString npc = data_.field(u"NPC英文名");
            if (const auto found = byName.constFind(npc); found != byName.cend()) {
                for (const qint32 record : *found)
                    entries.push_back({npc + u'|' + data_.field(u"中文名称"), record});
            }
        }
        ui_.npcs.addEntries(std::move(entries));
    }
    markEntries(document_.touchedRecords());
    ui_.status.setPanelText(1, u"本地NPC查询完毕"_s);
    ui_.status.setPanelText(3,
                            u"当前地点共"_s + QString::number(ui_.npcs.entryCount()) + u"个NPC"_s);
    return true;
}

// Every record the statement of all NPCs does not reach: its class has no town row, or no
// Chinese name for the join to find. Those with a name show it, the others their class alone.
void ListSelectors::listUnplacedNpcs() {
    if (!runQuery(data_, ui_.dialogs, sql::locationNpcs(std::nullopt)))
        return;
    QSet<QString> reached;
    for (; !data_.atEnd(); data_.advance())
        reached.insert(data_.field(u"NPC英文名"));
    const std::vector<ShopRecord>& records = document_.records();
    for (size_t i = 0; i < records.size(); ++i) {
        const QString& name = records[i].className;
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

void ListSelectors::fillEveryNpc() {
    ui_.npcs.clearEntries();
    ui_.lists.clearEntries();
    lists_.clear();
    listsRecord_ = -1;
    const std::vector<ShopRecord>& records = document_.records();
    std::vector<Combo::Entry> entries;
    entries.reserve(records.size());
    bool lookUp = true;
    for (size_t i = 0; i < records.size(); ++i) {
        const QString& name = records[i].className;
        QString entry = name;
        // One failing look-up is reported once; the rest of the NPCs keep their bare names.
        if (lookUp && !runQuery(data_, ui_.dialogs, sql::npcChineseName(), {name}))
            lookUp = false;
        else if (lookUp && !data_.atEnd())
            entry += u'|' + data_.field(u"中文名称");
        entries.push_back({std::move(entry), static_cast<qint32>(i)});
    }
    ui_.npcs.addEntries(std::move(entries));
    markEntries(document_.touchedRecords());
}

void ListSelectors::filterNpcs(const QString& text) {
    ui_.npcs.filterEntries(text);
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
        ui_.dialogs.message(u"没有找到物品列表"_s);
}

void ListSelectors::listChosen() {
    const int chosen = ui_.lists.chosenIndex();
    if (chosen >= 0 && static_cast<size_t>(chosen) < lists_.size())
        document_.selectList(lists_[static_cast<size_t>(chosen)]);
}

void ListSelectors::fillLists() {
    const Selection& selection = document_.selection();
    ui_.lists.clearEntries();
    lists_.clear();
    listsRecord_ = selection.record;
    const ShopRecord* record = document_.record(selection.record);
    if (!record)
        return;
    for (int list = 0; list < ShopRecord::ListCount; ++list) {
        if (record->listExists(list) || list == selection.list) {
            lists_.push_back(list);
            ui_.lists.addEntry(listLabel(list));
        }
    }
    ui_.lists.setCurrentIndex(listPosition() - 1);
    markEntries({selection.record});
}

void ListSelectors::markEntries(const std::vector<int>& records) {
    if (records.empty())
        return;
    const QSet<int> marking(records.begin(), records.end());
    for (int i = 0; i < ui_.npcs.entryCount(); ++i) {
        const int record = ui_.npcs.entryData(i);
        if (marking.contains(record))
            ui_.npcs.setEntryMarked(i, document_.unwritten(record));
    }
    if (!marking.contains(listsRecord_))
        return;
    for (size_t i = 0; i < lists_.size(); ++i)
        ui_.lists.setEntryMarked(static_cast<int>(i), document_.unwritten(listsRecord_, lists_[i]));
}

std::vector<int> ListSelectors::offeredRecords() const {
    std::vector<int> records;
    QSet<int> seen;
    for (int i = 0; i < ui_.npcs.entryCount(); ++i) {
        const int record = ui_.npcs.entryData(i);
        if (ui_.npcs.isOffered(i) && document_.record(record) && !seen.contains(record)) {
            seen.insert(record);
            records.push_back(record);
        }
    }
    return records;
}

int ListSelectors::listPosition() const {
    const auto found = std::find(lists_.begin(), lists_.end(), document_.selection().list);
    return found == lists_.end() ? 0 : static_cast<int>(found - lists_.begin()) + 1;
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
        for (int i = 0; i < ui_.npcs.entryCount(); ++i) {
            if (ui_.npcs.entryData(i) == record) {
                ui_.npcs.setCurrentIndex(i);
                return true;
            }
        }
        return false;
    };
    if (findNpc())
        return true;
    // Locations that list the NPC: the ones named first, then every NPC placed in a town, then
    // the NPCs placed nowhere.
    const int all = ui_.locations.entryCount() - 1;
    std::vector<int> candidates;
    for (const QString& place : places) {
        const int entry = ui_.locations.findText(place, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (entry >= 0 && entry != unplacedEntry() && entry != all)
            candidates.push_back(entry);
    }
    candidates.push_back(all);
    candidates.push_back(unplacedEntry());
    return std::any_of(candidates.begin(), candidates.end(), [&](int entry) {
        if (entry < 0 || entry == ui_.locations.chosenIndex())
            return false;
        ui_.locations.setCurrentIndex(entry);
        return fillNpcs(entry) && findNpc();
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
