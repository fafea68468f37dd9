#pragma once

#include "EditFile.h"
#include "script/ShopRecord.h"

#include <QHash>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace vw::edits {

// What the edits did to one list, for a report after them.
struct ListChange {
    QStringList added;
    QStringList removed;
    int moved = 0;   // moves that changed the order, or top and bottom, which always count
    int retaxed = 0; // tax commands that changed the item
};

// Keyed by record index and list, so they come in the order the records were read.
using ListChanges = std::map<std::pair<int, int>, ListChange>;

// The classes placed at a location, for the "location" command; a front end with a catalogue
// gives it.
using PlacedAt = std::function<QStringList(const QString& location)>;

// Applies edit-file commands to records. It keeps the selection (records and list) between
// commands and what each list went through. Every command applies to each selected list it
// can; the lists it cannot apply to come back as problems and are left as they were, and a
// selection that fails selects nothing, so the item commands after it apply nowhere.
//
// The lists a session edits are held apart from the records while it runs, in a form where
// finding, adding, removing and moving an item each take the same time however long the list
// is; finish() puts them back. Until then the records' edited lists read as empty.
class EditSession {
public:
    explicit EditSession(std::vector<ShopRecord>& records, PlacedAt placedAt = {});
    ~EditSession();
    EditSession(const EditSession&) = delete;
    EditSession& operator=(const EditSession&) = delete;

    // The problems of the lists `command` did not apply to; empty when it applied everywhere.
    std::vector<EditProblem> apply(const EditCommand& command);
    // Puts the edited lists back into the records, modified as the edits marked them.
    void finish();

    // What applied with a remark: an anchor that was missing, a list a replace had to leave.
    const std::vector<EditProblem>& notes() const { return notes_; }
    const ListChanges& changes() const { return changes_; }

private:
    struct Lists;

    void selectNpc(const EditCommand& command);
    void selectLocation(const EditCommand& command);
    void editSelected(const EditCommand& command);
    void editList(int record, const EditCommand& command);
    void everywhere(const EditCommand& command);
    void problem(EditProblem::Reason reason, const EditCommand& command, const QString& text,
                 int record = -1, int list = -1);
    void note(EditProblem::Reason reason, const EditCommand& command, const QString& text,
              int record, int list);

    std::vector<ShopRecord>& records_;
    PlacedAt placedAt_;
    std::unique_ptr<Lists> lists_;
    QHash<QString, std::vector<int>> classes_; // the records of each class, once asked for
    std::vector<int> selected_;
    std::optional<int> list_;
    std::vector<EditProblem> problems_;
    std::vector<EditProblem> notes_;
    ListChanges changes_;
};

enum class OnProblem {
    Stop,      // the first line that does not apply ends the run
    KeepGoing, // lines that do not apply are skipped, the rest applied
};

struct EditRun {
    // The lines that were no command or did not apply, one entry per list for a command that
    // failed on several; with OnProblem::Stop at most the entries of one line.
    std::vector<EditProblem> skipped;
    std::vector<EditProblem> notes;
    ListChanges changes;
};

// Reads the edit file and applies it to `records`. With OnProblem::Stop and something skipped,
// the records are partly edited and should be dropped; a front end that wants all or nothing
// applies to a copy.
EditRun applyEditFile(QStringView text, std::vector<ShopRecord>& records, OnProblem onProblem,
                      const PlacedAt& placedAt = {});

} // namespace vw::edits
