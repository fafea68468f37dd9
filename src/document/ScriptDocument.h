#pragma once

#include "Selection.h"
#include "script/ScriptReader.h"
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
    void markWritten() { history_.setClean(); }

    // The record as the read left it, before any step changed it.
    const ShopRecord& asRead(int index) const;
    // Records a step has changed since the read (some may be back as they were), in order.
    std::vector<int> touchedRecords() const;

    const Selection& selection() const { return selection_; }
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

    // Pushes one step of whole-record changes, leaving `after` chosen; changes that change
    // nothing are left out, and false means no step was made.
    bool change(std::vector<RecordChange> changes, Selection after, const QString& name);

signals:
    void changed(const vw::DocumentChange& change);
    void cleanChanged(bool clean);

private:
    friend class DocumentStep;
    // Puts the records of a step's changes in place and chooses `selection`, in one notification.
    void restore(const std::vector<RecordChange>& changes, bool after, const Selection& selection);
    EditOutcome setTaxRateOf(const std::vector<int>& picked, const QString& taxRate);
    EditOutcome editShownList(const std::vector<int>& picked, const QString& name,
                              const std::function<std::vector<int>(ShopRecord&)>& edit);

    bool loaded_ = false;
    std::vector<ShopRecord> records_;
    ReadReport report_;
    Source source_;
    std::map<int, ShopRecord> asRead_;
    QUndoStack history_;
    Selection selection_;
};

} // namespace vw
