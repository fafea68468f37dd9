#include "EditSession.h"

#include "BatchEdits.h"
#include "ListEdits.h"

#include <QHash>

#include <unordered_map>

namespace vw::edits {

namespace {

using Kind = EditCommand::Kind;
using Reason = EditProblem::Reason;

// A sell list as a linked list with an index of its IDs: an edit file of a hundred thousand
// adds and removes on one list must not move the whole list on every line.
class WorkList {
public:
    explicit WorkList(std::vector<ItemSlot> items) {
        nodes_.reserve(items.size());
        for (ItemSlot& item : items)
            insertBefore(-1, std::move(item));
    }

    // The node of the first item with `id` in list order, or -1.
    int find(const QString& id) const {
        const auto entry = index_.constFind(id);
        if (entry == index_.cend())
            return -1;
        if (entry->count == 1)
            return entry->node;
        // A damaged list may hold an ID twice; the edits take its first.
        for (int n = head_; n >= 0; n = nodes_[n].next) {
            if (nodes_[n].item.id == id)
                return n;
        }
        return -1;
    }
    bool contains(const QString& id) const { return index_.contains(id); }
    ItemSlot& item(int node) { return nodes_[static_cast<size_t>(node)].item; }

    // Puts `item` before node `before`, or at the end for -1.
    void insertBefore(int before, ItemSlot item) {
        int node = -1;
        if (free_.empty()) {
            nodes_.push_back({std::move(item), -1, -1});
            node = static_cast<int>(nodes_.size()) - 1;
        } else {
            node = free_.back();
            free_.pop_back();
            at(node).item = std::move(item);
        }
        link(node, before);
        remember(node);
    }
    // The node is used again by a later insert: a million adds and removes of one item keep
    // one node.
    void erase(int node) {
        forget(node);
        unlink(node);
        at(node).item = {};
        free_.push_back(node);
    }
    void rename(int node, const QString& id) {
        forget(node);
        item(node).id = id;
        remember(node);
    }
    bool moveUp(int node) {
        const int prev = at(node).prev;
        if (prev < 0)
            return false;
        moveBefore(node, prev);
        return true;
    }
    bool moveDown(int node) {
        const int next = at(node).next;
        if (next < 0)
            return false;
        moveBefore(next, node);
        return true;
    }
    // False when the node already stands right before `before`: the order is as it was.
    bool moveBefore(int node, int before) {
        if (node == before || at(node).next == before)
            return false;
        unlink(node);
        link(node, before);
        return true;
    }
    void moveToTop(int node) { moveBefore(node, head_); }
    void moveToBottom(int node) { moveBefore(node, -1); }

    std::vector<ItemSlot> take() {
        std::vector<ItemSlot> items;
        items.reserve(static_cast<size_t>(size_));
        for (int n = head_; n >= 0; n = nodes_[static_cast<size_t>(n)].next)
            items.push_back(std::move(nodes_[static_cast<size_t>(n)].item));
        return items;
    }

private:
    struct Node {
        ItemSlot item;
        int prev;
        int next;
    };
    // Where an ID stands; `node` is the one node of an ID that stands once, and is looked up
    // again when an ID that stood twice is left once.
    struct Entry {
        int node = -1;
        int count = 0;
    };

    Node& at(int node) { return nodes_[static_cast<size_t>(node)]; }

    void link(int node, int before) {
        const int prev = before < 0 ? tail_ : at(before).prev;
        at(node).prev = prev;
        at(node).next = before;
        (prev < 0 ? head_ : at(prev).next) = node;
        (before < 0 ? tail_ : at(before).prev) = node;
        ++size_;
    }
    void unlink(int node) {
        const int prev = at(node).prev;
        const int next = at(node).next;
        (prev < 0 ? head_ : at(prev).next) = next;
        (next < 0 ? tail_ : at(next).prev) = prev;
        --size_;
    }
    void remember(int node) {
        Entry& entry = index_[item(node).id];
        entry.node = node;
        ++entry.count;
    }
    // Called while the node is still linked and holds its ID.
    void forget(int node) {
        const QString& id = item(node).id;
        const auto entry = index_.find(id);
        if (--entry->count == 0) {
            index_.erase(entry);
            return;
        }
        if (entry->count > 1)
            return;
        int other = head_;
        while (other == node || nodes_[static_cast<size_t>(other)].item.id != id)
            other = nodes_[static_cast<size_t>(other)].next;
        entry->node = other;
    }

    std::vector<Node> nodes_;
    std::vector<int> free_;
    QHash<QString, Entry> index_;
    int head_ = -1;
    int tail_ = -1;
    int size_ = 0;
};

// The list stands in the script with a first item line; otherwise the writer has no place to
// put new items and leaves it as it is.
bool hasPlace(const ShopRecord& record, int list) {
    return record.startLine[list] > 0;
}

ItemSlot newItemOf(const ShopRecord& record, const EditCommand& command) {
    ItemSlot item = newItem(record, command.id, command.taxRate);
    if (command.extraParts)
        item.extraParts = *command.extraParts;
    return item;
}

} // namespace

// The lists the session has taken out of the records, by record and list.
struct EditSession::Lists {
    std::unordered_map<qint64, WorkList> open;

    static qint64 key(int record, int list) {
        return static_cast<qint64>(record) * ShopRecord::ListCount + list;
    }
    WorkList& take(std::vector<ShopRecord>& records, int record, int list) {
        const auto found = open.find(key(record, list));
        if (found != open.end())
            return found->second;
        ShopRecord& r = records[static_cast<size_t>(record)];
        std::vector<ItemSlot> items;
        const int length = r.listLength(list);
        items.reserve(static_cast<size_t>(length));
        for (int i = 0; i < length; ++i)
            items.push_back(std::move(r.slot(list, i)));
        return open.emplace(key(record, list), WorkList(std::move(items))).first->second;
    }
    bool holds(const std::vector<ShopRecord>& records, int record, int list,
               const QString& id) const {
        const auto found = open.find(key(record, list));
        return found != open.end() ? found->second.contains(id)
                                   : findItem(records[static_cast<size_t>(record)], list, id) >= 0;
    }
};

EditSession::EditSession(std::vector<ShopRecord>& records, PlacedAt placedAt)
    : records_(records), placedAt_(std::move(placedAt)), lists_(std::make_unique<Lists>()) {}

EditSession::~EditSession() {
    finish();
}

void EditSession::finish() {
    for (auto& [key, list] : lists_->open) {
        records_[static_cast<size_t>(key / ShopRecord::ListCount)].setItems(
            static_cast<int>(key % ShopRecord::ListCount), list.take());
    }
    lists_->open.clear();
}

std::vector<EditProblem> EditSession::apply(const EditCommand& command) {
    problems_.clear();
    switch (command.kind) {
    case Kind::Npc:
    case Kind::Record:
        selectNpc(command);
        break;
    case Kind::Location:
        selectLocation(command);
        break;
    case Kind::List:
        list_ = command.number;
        break;
    case Kind::RemoveEverywhere:
    case Kind::ReplaceEverywhere:
        everywhere(command);
        break;
    default:
        editSelected(command);
    }
    return std::move(problems_);
}

void EditSession::problem(Reason reason, const EditCommand& command, const QString& text,
                          int record, int list) {
    EditProblem p;
    p.reason = reason;
    p.line = command.line;
    p.text = text;
    p.record = record;
    p.list = list;
    p.command = command.kind;
    problems_.push_back(std::move(p));
}

void EditSession::note(Reason reason, const EditCommand& command, const QString& text, int record,
                       int list) {
    problem(reason, command, text, record, list);
    notes_.push_back(std::move(problems_.back()));
    problems_.pop_back();
}

void EditSession::selectNpc(const EditCommand& command) {
    selected_.clear();
    if (classes_.isEmpty()) {
        for (int r = 0; r < static_cast<int>(records_.size()); ++r)
            classes_[records_[static_cast<size_t>(r)].className].push_back(r);
    }
    // A class that stands twice in the script has two records: "npc" takes both, "record"
    // the one asked for.
    const std::vector<int> records = classes_.value(command.name);
    const int count = static_cast<int>(records.size());
    if (command.kind == Kind::Npc)
        selected_ = records;
    else if (command.number <= count)
        selected_.push_back(records[static_cast<size_t>(command.number - 1)]);
    if (count == 0) {
        problem(Reason::NoSuchClass, command, command.name);
    } else if (selected_.empty()) {
        problem(Reason::NoSuchRecord, command, command.name);
        problems_.back().number = command.number;
        problems_.back().count = count;
    }
}

void EditSession::selectLocation(const EditCommand& command) {
    selected_.clear();
    if (!placedAt_) {
        problem(Reason::NoCatalogue, command, command.name);
        return;
    }
    const QStringList classes = placedAt_(command.name);
    for (size_t r = 0; r < records_.size(); ++r) {
        if (classes.contains(records_[r].className))
            selected_.push_back(static_cast<int>(r));
    }
    if (selected_.empty())
        problem(Reason::NobodyAtLocation, command, command.name);
}

void EditSession::editSelected(const EditCommand& command) {
    if (selected_.empty())
        problem(Reason::NoNpcSelected, command, {});
    else if (!list_)
        problem(Reason::NoListSelected, command, {});
    else
        for (const int record : selected_)
            editList(record, command);
}

void EditSession::editList(int r, const EditCommand& command) {
    ShopRecord& record = records_[static_cast<size_t>(r)];
    const int list = *list_;
    if (!hasPlace(record, list)) {
        problem(Reason::NoSuchList, command, {}, r, list);
        return;
    }
    WorkList& items = lists_->take(records_, r, list);
    const auto changed = [&]() -> ListChange& {
        record.modified[list] = true;
        return changes_[{r, list}];
    };
    if (command.kind == Kind::Add || command.kind == Kind::Insert) {
        if (items.contains(command.id)) {
            problem(Reason::AlreadyInList, command, command.id, r, list);
            return;
        }
        int before = -1;
        if (command.kind == Kind::Insert) {
            before = items.find(command.other);
            if (before < 0)
                note(Reason::AnchorMissing, command, command.other, r, list);
        }
        items.insertBefore(before, newItemOf(record, command));
        changed().added.append(command.id);
        return;
    }
    const int node = items.find(command.id);
    if (node < 0) {
        problem(Reason::NotInList, command, command.id, r, list);
        return;
    }
    switch (command.kind) {
    case Kind::Remove:
        items.erase(node);
        changed().removed.append(command.id);
        return;
    case Kind::Up:
    case Kind::Down:
        // An item already at the end it moves towards stays where it is; that is no error.
        if (command.kind == Kind::Up ? items.moveUp(node) : items.moveDown(node))
            ++changed().moved;
        return;
    case Kind::Top:
    case Kind::Bottom:
        // As in the window, taking the first item to the top still rewrites the list.
        command.kind == Kind::Top ? items.moveToTop(node) : items.moveToBottom(node);
        ++changed().moved;
        return;
    case Kind::Move: {
        // Where the anchor is gone (a newer script dropped it), the item stays where it is.
        const int before = items.find(command.other);
        if (before < 0) {
            note(Reason::AnchorMissing, command, command.other, r, list);
            return;
        }
        if (items.moveBefore(node, before))
            ++changed().moved;
        return;
    }
    case Kind::Tax: {
        ItemSlot& item = items.item(node);
        const QStringList extra = command.extraParts.value_or(item.extraParts);
        if (item.taxRate == command.taxRate && item.extraParts == extra)
            return;
        item.taxRate = command.taxRate;
        item.extraParts = extra;
        ++changed().retaxed;
        return;
    }
    case Kind::Replace:
        if (items.contains(command.other)) {
            problem(Reason::AlreadyInList, command, command.other, r, list);
            return;
        }
        items.rename(node, command.other);
        changed().removed.append(command.id);
        changes_[{r, list}].added.append(command.other);
        return;
    default:
        return;
    }
}

void EditSession::everywhere(const EditCommand& command) {
    bool found = false;
    for (int r = 0; r < static_cast<int>(records_.size()); ++r) {
        for (int list = 0; list < ShopRecord::ListCount; ++list) {
            if (!lists_->holds(records_, r, list, command.id))
                continue;
            found = true;
            if (command.kind == Kind::ReplaceEverywhere &&
                lists_->holds(records_, r, list, command.other)) {
                note(Reason::ReplacementPresent, command, command.other, r, list);
                continue;
            }
            WorkList& items = lists_->take(records_, r, list);
            const int node = items.find(command.id);
            ListChange& change = changes_[{r, list}];
            records_[static_cast<size_t>(r)].modified[list] = true;
            change.removed.append(command.id);
            if (command.kind == Kind::RemoveEverywhere) {
                items.erase(node);
            } else {
                items.rename(node, command.other);
                change.added.append(command.other);
            }
        }
    }
    if (!found)
        problem(Reason::NowhereInScript, command, command.id);
}

EditRun applyEditFile(QStringView text, std::vector<ShopRecord>& records, OnProblem onProblem,
                      const PlacedAt& placedAt) {
    EditRun run;
    EditSession session(records, placedAt);
    const bool keepGoing = onProblem == OnProblem::KeepGoing;
    readEditFile(
        text,
        [&](const EditCommand& command) {
            std::vector<EditProblem> problems = session.apply(command);
            const bool applied = problems.empty();
            run.skipped.insert(run.skipped.end(), std::make_move_iterator(problems.begin()),
                               std::make_move_iterator(problems.end()));
            return keepGoing || applied;
        },
        [&](const EditProblem& problem) {
            run.skipped.push_back(problem);
            return keepGoing;
        });
    session.finish();
    run.notes = session.notes();
    run.changes = session.changes();
    return run;
}

} // namespace vw::edits
