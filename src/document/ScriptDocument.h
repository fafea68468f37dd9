#pragma once

#include "Selection.h"
#include "editor/BatchEdits.h"
#include "editor/EditSession.h"
#include "editor/ListDiff.h"
#include "script/ScriptReader.h"
#include "script/ScriptWriter.h"
#include "script/ShopRecord.h"

#include <QObject>
#include <QUndoStack>

#include <functional>
#include <map>
#include <vector>

namespace vw {

// One change of one record as a step keeps it: the whole record before and after. A record is
// small, and swapping whole copies gives back every field exactly, the modified flags included,
// so a list whose edits are all undone is copied line for line again.
struct RecordChange {
    int record = -1;
    ShopRecord before;
    ShopRecord after;
};

// What one notification of the document covers, so a view redraws once per step.
struct DocumentChange {
    bool reset = false;       // a new read replaced everything
    bool selection = false;   // the selection is another one
    std::vector<int> records; // records whose contents changed
};

// The loaded script: its records and what the reader reported, where they came from, the
// history of the edits with its clean state, and the user's selection. Views draw it and send
// the user's intent to it; nothing else changes a record. Every edit is one step of the
// history, built from the core's pure edits.
class ScriptDocument : public QObject {
    Q_OBJECT

public:
    // The file the records were read from and how it looked then: writing copies that file,
    // and refuses it once it changed.
    struct Source {
        QString path;
        SourceStamp stamp;
    };

    // Why an edit changed nothing.
    enum class EditOutcome {
        Done,
        Nothing,   // no list shown, no row to act on, or nothing would change
        Duplicate, // the list already holds the item
        BadTaxRate,
    };

    enum class Move { Up, Down, Top, Bottom };

    explicit ScriptDocument(QObject* parent = nullptr);
    ~ScriptDocument() override;

    // Replaces the contents by a new read; the history starts empty and clean, nothing chosen.
    void load(std::vector<ShopRecord> records, ReadReport report, Source source);
    bool isLoaded() const { return loaded_; }
    const std::vector<ShopRecord>& records() const { return records_; }
    // Null for an index that names no record.
    const ShopRecord* record(int index) const;
    const ReadReport& report() const { return report_; }
    const Source& source() const { return source_; }

    QUndoStack& history() { return history_; }
    bool isClean() const { return history_.isClean(); }
    // The records as they stand have been written: what is unwritten starts from here.
    void markWritten();

    // The record as the read left it, before any step changed it.
    const ShopRecord& asRead(int index) const;
    // Records a step has changed since the read (some may be back as they were), in order.
    std::vector<int> touchedRecords() const;
    bool touched(int record) const { return asRead_.contains(record); }
    // Both lists of every touched record.
    std::vector<ListRef> touchedLists() const;
    // How each list that differs from the read differs, in record and list order.
    std::vector<edits::ListDiff> changesSinceRead() const;
    // How many lists differ from the read, without working out how.
    int changedListCount() const;
    // The edit file that turns the lists as read into the lists as they stand.
    QString editsSinceRead(const edits::DescribeClass& describe = {}) const;
    // Whether the items of a record, or of one of its lists, differ from what was last written,
    // or read when nothing was written since.
    bool unwritten(int record) const;
    bool unwritten(int record, int list) const;

    // Applies an edit file as one step; the lines that did not apply are left out and returned,
    // and so are the notes of lines that applied otherwise than written (an insert whose anchor
    // is missing went to the end), in the order of the file.
    struct Imported {
        int lists = 0;
        std::vector<edits::EditProblem> skipped;
        std::vector<edits::EditProblem> notes;
    };
    // A recovery is named for what it gives back, not as an import.
    enum class ImportKind { Import, Recovery };
    Imported importEdits(QStringView text, const edits::PlacedAt& placedAt = {},
                         ImportKind kind = ImportKind::Import);

    const Selection& selection() const { return selection_; }
    // The lists of a record the user can choose: those with items, and the chosen one.
    std::vector<int> offeredLists(int record) const;
    // The record (-1 for none) with its first list that holds items, or none, first row current.
    void selectRecord(int record);
    // Another list of the chosen record, first row current.
    void selectList(int list);
    void selectSlots(std::vector<int> picked, int current);
    void select(Selection selection);
    // The slots an edit acts on: the selected items, or with fewer than two selected the
    // current slot, when it holds an item.
    std::vector<int> slotsToEdit() const;

    // The edits of the shown list; each is one step.
    EditOutcome insertItem(const QString& id, const QString& taxRate, bool beforeCurrent);
    EditOutcome moveItems(Move move);
    EditOutcome deleteItems();
    EditOutcome setTaxRate(const QString& taxRate);
    EditOutcome setTaxRateAt(int slot, const QString& taxRate);

    // Items given as rows (pasted, dropped) go into the shown list before `slot`, past the end
    // appended, each by the rules of an add; refused ones are left out with the reason. The
    // inserted items end up selected. One step, named `name` and the count that went in.
    struct Inserted {
        int count = 0;
        std::vector<edits::RefusedItem> refused;
    };
    Inserted insertItems(const std::vector<ItemSlot>& items, int slot, const QString& name);
    // Where a paste puts its items: before the current row when it shows an item, else at the end.
    int pasteSlot() const;
    // The selected items moved as one block to where the item at `slot` stands.
    EditOutcome moveItemsTo(int slot);
    // The selected items taken out, as a cut does.
    EditOutcome cutItems();

    // Edits of one item in many lists (the lists an item is sold in), one step each. Lists that
    // cannot take the edit are skipped and named.
    struct Batch {
        int changed = 0;
        std::vector<ListRef> skipped;
    };
    Batch removeItem(const QString& id, const std::vector<ListRef>& lists);
    // Nothing happens to a tax rate the item line cannot hold; see edits::taxRateProblem.
    Batch setItemTaxRate(const QString& id, const QString& taxRate,
                         const std::vector<ListRef>& lists);
    // Keeps the item's place, tax rate and extra parts; a list already holding `newId` is skipped.
    Batch replaceItem(const QString& id, const QString& newId, const std::vector<ListRef>& lists);
    // Adds the items to list `list` of each record that has that list in the script; records
    // already holding an item are skipped for it.
    Batch addToRecords(const std::vector<QString>& ids, const QString& taxRate,
                       const std::vector<int>& records, int list);

    // Pushes one step of whole-record changes, leaving `after` chosen; changes that change
    // nothing are left out, and false means no step was made.
    bool change(std::vector<RecordChange> changes, Selection after, const QString& name);

signals:
    void changed(const vw::DocumentChange& change);
    void cleanChanged(bool clean);
    // A write took the records as they stand: which of these are unwritten changed, their
    // contents did not.
    void writtenAgain(const std::vector<int>& records);

private:
    friend class DocumentStep;
    // Puts the records of a step's changes in place and chooses `selection`, in one notification.
    void restore(const std::vector<RecordChange>& changes, bool after, const Selection& selection);
    // One step over many lists: `edit` changes a copy of a record's list and tells whether it
    // did; lists it refuses are skipped.
    enum class ListEdit { Changed, Unchanged, Refused };
    Batch editLists(const std::vector<ListRef>& lists,
                    const std::function<QString(int changed)>& name,
                    const std::function<ListEdit(ShopRecord&, int list)>& edit);
    EditOutcome setTaxRateOf(const std::vector<int>& picked, const QString& taxRate);
    // `followMoved`: the moved items stay selected, also one of them; otherwise one row keeps
    // the current row's number and a block stays selected.
    EditOutcome editShownList(const std::vector<int>& picked, const QString& name,
                              const std::function<std::vector<int>(ShopRecord&)>& edit,
                              bool followMoved = false);
    EditOutcome deleteItemsAs(const QString& name);
    // The selection kept over a step that changed these records: within the shown list's end.
    Selection keptSelection(const std::vector<RecordChange>& changes) const;
    const ShopRecord& lastWritten(int record) const;

    bool loaded_ = false;
    std::vector<ShopRecord> records_;
    ReadReport report_;
    Source source_;
    std::map<int, ShopRecord> asRead_;
    std::map<int, ShopRecord> written_; // touched records as the last write took them
    QUndoStack history_;
    Selection selection_;
};

} // namespace vw
