#include "EditSession.h"

#include "CliError.h"
#include "Echo.h"
#include "Inputs.h"
#include "catalogue/Lookups.h"
#include "editor/ListEdits.h"

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

namespace {

using Kind = EditCommand::Kind;

[[noreturn]] void fail(int line, const QString& message) {
    throw EditError{line, message};
}

// The list stands in the script with a first item line; otherwise the writer has no place to
// put new items and leaves it as it is.
bool hasList(const ShopRecord& record, int list) {
    return record.startLine[list] > 0;
}

} // namespace

void EditSession::apply(const EditCommand& command) {
    switch (command.kind) {
    case Kind::Npc:
        selectNpc(command);
        return;
    case Kind::Location:
        selectLocation(command);
        return;
    case Kind::List:
        list_ = command.list;
        return;
    case Kind::RemoveEverywhere:
        removeEverywhere(command);
        return;
    default:
        editSelected(command);
    }
}

void EditSession::selectNpc(const EditCommand& command) {
    selected_.clear();
    // A class that stands twice in the script has two records; both are that NPC.
    for (size_t r = 0; r < records_.size(); ++r) {
        if (records_[r].className == command.name)
            selected_.push_back(static_cast<int>(r));
    }
    if (selected_.empty())
        fail(command.line,
             u"no NPC class "_s + echoed(command.name) + u" with sell lists in the script"_s);
}

void EditSession::selectLocation(const EditCommand& command) {
    if (!catalogue_)
        fail(command.line, u"location needs --catalogue"_s);
    selected_.clear();
    const QStringList npcs = catalogue_->npcsAt(command.name);
    requireAnswers(*catalogue_);
    for (size_t r = 0; r < records_.size(); ++r) {
        if (npcs.contains(records_[r].className))
            selected_.push_back(static_cast<int>(r));
    }
    if (selected_.empty()) {
        fail(command.line,
             u"no NPC class with sell lists in the script is placed at "_s + echoed(command.name));
    }
}

void EditSession::editSelected(const EditCommand& command) {
    if (selected_.empty())
        fail(command.line, u"no NPC selected: use \"npc\" or \"location\" first"_s);
    if (!list_)
        fail(command.line, u"no list selected: use \"list 0\" or \"list 1\" first"_s);
    for (const int record : selected_)
        editList(record, command);
}

void EditSession::editList(int r, const EditCommand& command) {
    ShopRecord& record = records_[static_cast<size_t>(r)];
    const int list = *list_;
    const int line = command.line;
    if (!hasList(record, list))
        fail(line, echoed(record.className) + u" has no SellList"_s + QString::number(list) +
                       u" with items in the script"_s);
    switch (command.kind) {
    case Kind::Add:
    case Kind::Insert: {
        const int slot = command.kind == Kind::Add ? record.listLength(list)
                                                   : slotOf(r, list, command.anchor, line);
        if (!edits::insertItem(record, list, slot,
                               edits::newItem(record, command.id, command.taxRate)))
            fail(line, listName(r, list) + u" already has item "_s + echoed(command.id));
        changes_[{r, list}].added.append(command.id);
        return;
    }
    case Kind::Remove:
        edits::deleteItem(record, list, slotOf(r, list, command.id, line));
        changes_[{r, list}].removed.append(command.id);
        return;
    case Kind::Up:
    case Kind::Down:
    case Kind::Top:
    case Kind::Bottom: {
        const int slot = slotOf(r, list, command.id, line);
        // An item already at the end it moves towards stays where it is; that is no error.
        const bool moved = command.kind == Kind::Up     ? edits::moveUp(record, list, slot)
                           : command.kind == Kind::Down ? edits::moveDown(record, list, slot)
                           : command.kind == Kind::Top  ? edits::moveToTop(record, list, slot)
                                                        : edits::moveToBottom(record, list, slot);
        if (moved)
            ++changes_[{r, list}].moved;
        return;
    }
    default:
        return;
    }
}

void EditSession::removeEverywhere(const EditCommand& command) {
    bool found = false;
    for (size_t r = 0; r < records_.size(); ++r) {
        ShopRecord& record = records_[r];
        for (int list = 0; list < ShopRecord::ListCount; ++list) {
            if (!edits::containsItem(record, list, command.id))
                continue;
            const int index = static_cast<int>(r);
            edits::deleteItem(record, list, slotOf(index, list, command.id, command.line));
            changes_[{index, list}].removed.append(command.id);
            found = true;
        }
    }
    if (!found)
        fail(command.line, u"no list holds item "_s + echoed(command.id));
}

int EditSession::slotOf(int r, int list, const QString& id, int line) const {
    const ShopRecord& record = records_[static_cast<size_t>(r)];
    const int length = record.listLength(list);
    for (int i = 0; i < length; ++i) {
        if (record.slot(list, i).id == id)
            return i;
    }
    fail(line, listName(r, list) + u" has no item "_s + echoed(id));
}

QString EditSession::listName(int r, int list) const {
    return echoed(records_[static_cast<size_t>(r)].className) + u" SellList"_s +
           QString::number(list);
}

QStringList describeChanges(const std::vector<ShopRecord>& records, const ListChanges& changes) {
    QStringList lines;
    for (const auto& [key, change] : changes) {
        // Built in place: a long session adds and removes an item millions of times.
        QString line = records[static_cast<size_t>(key.first)].className + u" SellList"_s +
                       QString::number(key.second) + u':';
        for (const QString& id : change.added)
            line.append(u" +"_s).append(id);
        for (const QString& id : change.removed)
            line.append(u" -"_s).append(id);
        if (change.moved > 0)
            line.append(u" (moved "_s).append(QString::number(change.moved)).append(u')');
        lines.append(line);
    }
    return lines;
}

} // namespace vw::cli
