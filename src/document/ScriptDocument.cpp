#include "ScriptDocument.h"

#include "DocumentStep.h"
#include "editor/ListEdits.h"
#include "script/LineSource.h"

#include <algorithm>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

// "删除 4021", or "删除 4021 等3项" for several rows: the undo entry names the step by it.
QString stepName(const QString& action, const ShopRecord& record, int list,
                 const std::vector<int>& picked) {
    const QString& id = record.slot(list, picked.front()).id;
    return picked.size() > 1
               ? ScriptDocument::tr("%1 %2 等%3项").arg(action, id, QString::number(picked.size()))
               : action + u' ' + id;
}

// A row of the shown list as far as its length allows; an empty list keeps its first row.
int clampedSlot(const ShopRecord& record, int list, int slot) {
    return std::clamp(slot, 0, std::max(record.listLength(list) - 1, 0));
}

} // namespace

ScriptDocument::ScriptDocument(QObject* parent) : QObject(parent) {
    connect(&history_, &QUndoStack::cleanChanged, this, &ScriptDocument::cleanChanged);
}

// The history empties as it goes: that is no change anybody listening should act on, least
// of all by removing what a crash would have left for the next start.
ScriptDocument::~ScriptDocument() {
    history_.blockSignals(true);
}

void ScriptDocument::load(std::vector<ShopRecord> records, ReadReport report, Source source) {
    // The steps hold copies of the records they changed; they go with them.
    history_.clear();
    records_ = std::move(records);
    report_ = std::move(report);
    source_ = std::move(source);
    asRead_.clear();
    written_.clear();
    selection_ = {};
    loaded_ = true;
    emit changed({true, true, {}});
}

const ShopRecord* ScriptDocument::record(int index) const {
    return index >= 0 && static_cast<size_t>(index) < records_.size()
               ? &records_[static_cast<size_t>(index)]
               : nullptr;
}

const ShopRecord& ScriptDocument::asRead(int index) const {
    const auto kept = asRead_.find(index);
    return kept != asRead_.end() ? kept->second : records_[static_cast<size_t>(index)];
}

std::vector<int> ScriptDocument::touchedRecords() const {
    std::vector<int> touched;
    touched.reserve(asRead_.size());
    for (const auto& [index, record] : asRead_)
        touched.push_back(index);
    return touched;
}

std::vector<ListRef> ScriptDocument::touchedLists() const {
    std::vector<ListRef> lists;
    for (const auto& [index, record] : asRead_) {
        for (int list = 0; list < ShopRecord::ListCount; ++list)
            lists.push_back({index, list});
    }
    return lists;
}

std::vector<edits::ListDiff> ScriptDocument::changesSinceRead() const {
    std::vector<edits::ListDiff> diffs;
    for (const auto& [index, before] : asRead_) {
        for (int list = 0; list < ShopRecord::ListCount; ++list) {
            edits::ListDiff diff =
                edits::diffList(before, records_[static_cast<size_t>(index)], list);
            if (diff.isEmpty())
                continue;
            diff.record = index;
            diffs.push_back(std::move(diff));
        }
    }
    return diffs;
}

int ScriptDocument::changedListCount() const {
    int changed = 0;
    for (const auto& [index, before] : asRead_) {
        for (int list = 0; list < ShopRecord::ListCount; ++list)
            changed += edits::sameItems(before, records_[static_cast<size_t>(index)], list) ? 0 : 1;
    }
    return changed;
}

QString ScriptDocument::editsSinceRead(const edits::DescribeClass& describe) const {
    const std::vector<ListRef> lists = touchedLists();
    return edits::writeEditFile(edits::editCommands(
        records_, [this](int r) -> const ShopRecord& { return asRead(r); }, lists, describe));
}

const ShopRecord& ScriptDocument::lastWritten(int index) const {
    const auto written = written_.find(index);
    return written != written_.end() ? written->second : asRead(index);
}

bool ScriptDocument::unwritten(int index) const {
    return unwritten(index, 0) || unwritten(index, 1);
}

bool ScriptDocument::unwritten(int index, int list) const {
    return touched(index) &&
           !edits::sameItems(lastWritten(index), records_[static_cast<size_t>(index)], list);
}

void ScriptDocument::markWritten() {
    for (const auto& [index, record] : asRead_)
        written_.insert_or_assign(index, records_[static_cast<size_t>(index)]);
    history_.setClean();
    emit writtenAgain(touchedRecords());
}

ScriptDocument::Imported
ScriptDocument::importEdits(QStringView text, const edits::PlacedAt& placedAt, ImportKind kind) {
    if (!loaded_)
        return {};
    std::vector<ShopRecord> edited = records_;
    const edits::EditRun run =
        edits::applyEditFile(text, edited, edits::OnProblem::KeepGoing, placedAt);
    std::vector<RecordChange> changes;
    for (const auto& [key, listChange] : run.changes) {
        const int r = key.first;
        if (changes.empty() || changes.back().record != r)
            changes.push_back(
                {r, records_[static_cast<size_t>(r)], edited[static_cast<size_t>(r)]});
    }
    Imported imported{static_cast<int>(run.changes.size()), run.skipped, run.notes};
    Selection after = keptSelection(changes);
    const QString name = kind == ImportKind::Recovery
                             ? tr("恢复 %n个列表的修改", nullptr, imported.lists)
                             : tr("导入修改");
    if (!change(std::move(changes), std::move(after), name))
        imported.lists = 0;
    return imported;
}

std::vector<int> ScriptDocument::offeredLists(int index) const {
    std::vector<int> lists;
    if (const ShopRecord* shown = record(index)) {
        for (int list = 0; list < ShopRecord::ListCount; ++list) {
            if (shown->listExists(list) || (index == selection_.record && list == selection_.list))
                lists.push_back(list);
        }
    }
    return lists;
}

Selection ScriptDocument::keptSelection(const std::vector<RecordChange>& changes) const {
    Selection kept = selection_;
    for (const RecordChange& c : changes) {
        if (c.record == kept.record && kept.list >= 0) {
            kept.current = clampedSlot(c.after, kept.list, kept.current);
            kept.picked = {kept.current};
        }
    }
    return kept;
}

void ScriptDocument::selectRecord(int index) {
    Selection chosen;
    if (const ShopRecord* shown = record(index)) {
        chosen.record = index;
        for (int list = 0; list < ShopRecord::ListCount && chosen.list < 0; ++list) {
            if (shown->listExists(list))
                chosen.list = list;
        }
        if (chosen.list >= 0)
            chosen.picked = {0};
    }
    select(std::move(chosen));
}

void ScriptDocument::selectList(int list) {
    if (!record(selection_.record) || list < 0 || list >= ShopRecord::ListCount)
        return;
    select({selection_.record, list, {0}, 0});
}

void ScriptDocument::selectSlots(std::vector<int> picked, int current) {
    if (!selection_.showsList())
        return;
    std::sort(picked.begin(), picked.end());
    picked.erase(std::unique(picked.begin(), picked.end()), picked.end());
    select({selection_.record, selection_.list, std::move(picked), std::max(current, 0)});
}

void ScriptDocument::select(Selection chosen) {
    if (!record(chosen.record))
        chosen = {};
    if (chosen == selection_)
        return;
    selection_ = std::move(chosen);
    emit changed({false, true, {}});
}

std::vector<int> ScriptDocument::slotsToEdit() const {
    const ShopRecord* shown = record(selection_.record);
    if (!shown || !selection_.showsList())
        return {};
    const int length = shown->listLength(selection_.list);
    std::vector<int> picked =
        selection_.picked.size() > 1 ? selection_.picked : std::vector<int>{selection_.current};
    std::erase_if(picked, [length](int slot) { return slot < 0 || slot >= length; });
    return picked;
}

ScriptDocument::EditOutcome ScriptDocument::insertItem(const QString& id, const QString& taxRate,
                                                       bool beforeCurrent) {
    if (!selection_.showsList() || trimSpaces(id).isEmpty())
        return EditOutcome::Nothing;
    const ShopRecord& shown = records_[static_cast<size_t>(selection_.record)];
    const int list = selection_.list;
    if (edits::containsItem(shown, list, id))
        return EditOutcome::Duplicate;
    const QString rate = trimSpaces(taxRate).toString();
    if (edits::taxRateProblem(rate) != edits::TaxRateProblem::None)
        return EditOutcome::BadTaxRate;
    RecordChange step{selection_.record, shown, shown};
    const int length = shown.listLength(list);
    const int slot = beforeCurrent ? std::min(selection_.current, length) : length;
    if (!edits::insertItem(step.after, list, slot, edits::newItem(shown, id, rate)))
        return EditOutcome::Nothing;
    // The current row keeps its number: after an insert it shows the new item.
    Selection after = selection_;
    after.picked = {after.current};
    return change({std::move(step)}, std::move(after),
                  (beforeCurrent ? tr("插入 %1") : tr("添加 %1")).arg(id))
               ? EditOutcome::Done
               : EditOutcome::Nothing;
}

ScriptDocument::EditOutcome
ScriptDocument::editShownList(const std::vector<int>& picked, const QString& name,
                              const std::function<std::vector<int>(ShopRecord&)>& edit,
                              bool followMoved) {
    if (picked.empty())
        return EditOutcome::Nothing;
    const ShopRecord& shown = records_[static_cast<size_t>(selection_.record)];
    RecordChange step{selection_.record, shown, shown};
    const std::vector<int> landed = edit(step.after);
    if (landed.empty())
        return EditOutcome::Nothing;
    // One row keeps the current row's number; a block stays selected where it went.
    Selection after = selection_;
    if (followMoved || (picked.size() > 1 && landed.size() > 1)) {
        after.picked = landed;
        after.current = landed.front();
    } else {
        const int row = picked.size() > 1 ? landed.front() : after.current;
        after.current = clampedSlot(step.after, after.list, row);
        after.picked = {after.current};
    }
    const QString label = stepName(name, shown, selection_.list, picked);
    return change({std::move(step)}, std::move(after), label) ? EditOutcome::Done
                                                              : EditOutcome::Nothing;
}

ScriptDocument::EditOutcome ScriptDocument::moveItems(Move move) {
    const std::vector<int> picked = slotsToEdit();
    const int list = selection_.list;
    const std::array<QString, 4> names{tr("上移"), tr("下移"), tr("移至顶部"), tr("移至底部")};
    return editShownList(picked, names[static_cast<size_t>(move)], [&](ShopRecord& record) {
        switch (move) {
        case Move::Up:
            return edits::moveItemsUp(record, list, picked);
        case Move::Down:
            return edits::moveItemsDown(record, list, picked);
        case Move::Top:
            return edits::moveItemsToTop(record, list, picked);
        case Move::Bottom:
            return edits::moveItemsToBottom(record, list, picked);
        }
        return std::vector<int>{};
    });
}

ScriptDocument::EditOutcome ScriptDocument::deleteItems() {
    return deleteItemsAs(tr("删除"));
}

ScriptDocument::EditOutcome ScriptDocument::cutItems() {
    return deleteItemsAs(tr("剪切"));
}

ScriptDocument::EditOutcome ScriptDocument::deleteItemsAs(const QString& name) {
    const std::vector<int> picked = slotsToEdit();
    const int list = selection_.list;
    return editShownList(picked, name, [&](ShopRecord& record) {
        return edits::deleteItems(record, list, picked) ? std::vector<int>{picked.front()}
                                                        : std::vector<int>{};
    });
}

ScriptDocument::EditOutcome ScriptDocument::setTaxRate(const QString& taxRate) {
    return setTaxRateOf(slotsToEdit(), taxRate);
}

ScriptDocument::EditOutcome ScriptDocument::setTaxRateAt(int slot, const QString& taxRate) {
    const ShopRecord* shown = record(selection_.record);
    if (!shown || !selection_.showsList() || slot < 0 || slot >= shown->listLength(selection_.list))
        return EditOutcome::Nothing;
    return setTaxRateOf({slot}, taxRate);
}

ScriptDocument::EditOutcome ScriptDocument::setTaxRateOf(const std::vector<int>& picked,
                                                         const QString& taxRate) {
    if (picked.empty())
        return EditOutcome::Nothing;
    const QString rate = trimSpaces(taxRate).toString();
    if (edits::taxRateProblem(rate) != edits::TaxRateProblem::None)
        return EditOutcome::BadTaxRate;
    const ShopRecord& shown = records_[static_cast<size_t>(selection_.record)];
    RecordChange step{selection_.record, shown, shown};
    if (!edits::setTaxRate(step.after, selection_.list, picked, rate))
        return EditOutcome::Nothing;
    Selection after = selection_;
    if (picked.size() == 1) {
        after.picked = picked;
        after.current = picked.front();
    }
    const QString label = stepName(tr("修改税率"), shown, selection_.list, picked);
    return change({std::move(step)}, std::move(after), label) ? EditOutcome::Done
                                                              : EditOutcome::Nothing;
}

ScriptDocument::EditOutcome ScriptDocument::moveItemsTo(int slot) {
    const std::vector<int> picked = slotsToEdit();
    const int list = selection_.list;
    return editShownList(
        picked, tr("移动"),
        [&](ShopRecord& record) { return edits::moveItemsTo(record, list, picked, slot); }, true);
}

int ScriptDocument::pasteSlot() const {
    const ShopRecord* shown = record(selection_.record);
    if (!shown || selection_.list < 0)
        return 0;
    return std::min(selection_.current, shown->listLength(selection_.list));
}

ScriptDocument::Inserted ScriptDocument::insertItems(const std::vector<ItemSlot>& items, int slot,
                                                     const QString& name) {
    const ShopRecord* shown = record(selection_.record);
    if (!shown || selection_.list < 0 || items.empty())
        return {};
    RecordChange step{selection_.record, *shown, *shown};
    const edits::InsertResult result = edits::insertItems(step.after, selection_.list, slot, items);
    Inserted inserted{result.count, result.refused};
    if (result.count == 0)
        return inserted;
    Selection after{selection_.record, selection_.list, {}, result.first};
    for (int i = 0; i < result.count; ++i)
        after.picked.push_back(result.first + i);
    if (!change({std::move(step)}, std::move(after),
                tr("%1 %n项", nullptr, result.count).arg(name)))
        inserted.count = 0;
    return inserted;
}

ScriptDocument::Batch
ScriptDocument::editLists(const std::vector<ListRef>& lists,
                          const std::function<QString(int changed)>& name,
                          const std::function<ListEdit(ShopRecord&, int)>& edit) {
    // By record, so the step keeps each record once, in record order.
    std::map<int, RecordChange> edited;
    Batch batch;
    for (const ListRef& ref : lists) {
        const ShopRecord* source = record(ref.record);
        if (!source || ref.list < 0 || ref.list >= ShopRecord::ListCount) {
            batch.skipped.push_back(ref);
            continue;
        }
        RecordChange& c = edited.try_emplace(ref.record, RecordChange{ref.record, *source, *source})
                              .first->second;
        switch (edit(c.after, ref.list)) {
        case ListEdit::Changed:
            ++batch.changed;
            break;
        case ListEdit::Refused:
            batch.skipped.push_back(ref);
            break;
        case ListEdit::Unchanged:
            break;
        }
    }
    std::vector<RecordChange> changes;
    for (auto& [index, c] : edited)
        changes.push_back(std::move(c));
    // The shown list may have lost rows: its selection stays within it.
    Selection after = keptSelection(changes);
    if (!change(std::move(changes), std::move(after), name(batch.changed)))
        batch.changed = 0;
    return batch;
}

ScriptDocument::Batch ScriptDocument::removeItem(const QString& id,
                                                 const std::vector<ListRef>& lists) {
    return editLists(
        lists, [&id](int changed) { return tr("删除 %1（%n个列表）", nullptr, changed).arg(id); },
        [&](ShopRecord& record, int list) {
            const int slot = edits::findItem(record, list, id);
            return slot >= 0 && edits::deleteItem(record, list, slot) ? ListEdit::Changed
                                                                      : ListEdit::Unchanged;
        });
}

ScriptDocument::Batch ScriptDocument::setItemTaxRate(const QString& id, const QString& taxRate,
                                                     const std::vector<ListRef>& lists) {
    const QString rate = trimSpaces(taxRate).toString();
    if (edits::taxRateProblem(rate) != edits::TaxRateProblem::None)
        return {0, lists};
    return editLists(
        lists,
        [&id](int changed) { return tr("修改税率 %1（%n个列表）", nullptr, changed).arg(id); },
        [&](ShopRecord& record, int list) {
            const int slot = edits::findItem(record, list, id);
            const int picked[] = {slot};
            return slot >= 0 && edits::setTaxRate(record, list, picked, rate) ? ListEdit::Changed
                                                                              : ListEdit::Unchanged;
        });
}

ScriptDocument::Batch ScriptDocument::replaceItem(const QString& id, const QString& newId,
                                                  const std::vector<ListRef>& lists) {
    const auto name = [&](int changed) {
        return tr("替换 %1 为 %2（%n个列表）", nullptr, changed).arg(id, newId);
    };
    return editLists(lists, name, [&](ShopRecord& record, int list) {
        const int slot = edits::findItem(record, list, id);
        if (slot < 0)
            return ListEdit::Unchanged;
        return edits::replaceItem(record, list, slot, newId) == edits::ReplaceResult::Replaced
                   ? ListEdit::Changed
                   : ListEdit::Refused;
    });
}

ScriptDocument::Batch ScriptDocument::addToRecords(const std::vector<QString>& ids,
                                                   const QString& taxRate,
                                                   const std::vector<int>& records, int list) {
    const QString rate = trimSpaces(taxRate).toString();
    std::vector<ListRef> lists;
    for (const int r : records)
        lists.push_back({r, list});
    if (ids.empty() || edits::taxRateProblem(rate) != edits::TaxRateProblem::None)
        return {0, lists};
    const auto name = [&ids](int changed) {
        return ids.size() > 1 ? tr("添加 %1 等%2项 到%n个NPC", nullptr, changed)
                                    .arg(ids.front(), QString::number(ids.size()))
                              : tr("添加 %1 到%n个NPC", nullptr, changed).arg(ids.front());
    };
    return editLists(lists, name, [&](ShopRecord& record, int l) {
        // Only a list that stands in the script has a place for the writer to put items.
        if (record.startLine[l] <= 0)
            return ListEdit::Refused;
        std::vector<ItemSlot> items;
        for (const QString& id : ids)
            items.push_back(edits::newItem(record, id, rate));
        const edits::InsertResult result =
            edits::insertItems(record, l, record.listLength(l), items);
        return result.count > 0 ? ListEdit::Changed : ListEdit::Refused;
    });
}

bool ScriptDocument::change(std::vector<RecordChange> changes, Selection after,
                            const QString& name) {
    std::erase_if(changes, [this](const RecordChange& c) {
        return c.before == c.after || !record(c.record);
    });
    if (changes.empty())
        return false;
    history_.push(new DocumentStep(*this, std::move(changes), selection_, std::move(after), name));
    return true;
}

void ScriptDocument::restore(const std::vector<RecordChange>& changes, bool after,
                             const Selection& chosen) {
    DocumentChange note;
    note.records.reserve(changes.size());
    for (const RecordChange& c : changes) {
        // The first step that touches a record finds it as the read left it.
        asRead_.try_emplace(c.record, c.before);
        records_[static_cast<size_t>(c.record)] = after ? c.after : c.before;
        note.records.push_back(c.record);
    }
    note.selection = chosen != selection_;
    selection_ = chosen;
    emit changed(note);
}

} // namespace vw
