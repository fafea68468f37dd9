#pragma once

#include <QObject>
#include <QStringList>

#include <vector>

namespace vw {

class Combo;
class DataSource;
class Dialogs;
class ScriptDocument;
class StatusPanels;
struct DocumentChange;

// The chain location → NPC → list of the sell-list side. A user's choice in a selector becomes
// a choice of record or list in the document; when the document's selection changes by other
// means (undo, a jump from a results panel), the selectors follow it without choosing anew.
class ListSelectors : public QObject {
    Q_OBJECT

public:
    struct Controls {
        Combo& locations; // Combo5
        Combo& npcs;      // Combo2
        Combo& lists;     // Combo4
        StatusPanels& status;
        Dialogs& dialogs;
    };

    ListSelectors(ScriptDocument& document, DataSource& data, Controls controls);

    // The start-up fill: the catalogue's locations, then the program's own entries for the
    // merchants placed nowhere and for all of them. Returns the catalogue's location count.
    int fillLocations();
    // After a read: the last location, "全部NPC", is chosen as a user would, which runs the chain.
    void chooseLastLocation();

    // Offers only the NPC entries whose text holds `text` (letter case ignored).
    void filterNpcs(const QString& text);
    // Chooses the first NPC entry the filter offers, as a user's choice does.
    void chooseFirstOfferedNpc();

    // Shows record `record`'s list `list` with `picked` selected, choosing another NPC entry, and
    // another location when the chosen one does not list the NPC: one of `places` first, then
    // all NPCs, then the NPCs placed nowhere. False when no entry leads there.
    bool showList(int record, int list, const std::vector<int>& picked = {0},
                  const QStringList& places = {});

    // The records of the NPC entries offered now (the location and the filter narrow them), each
    // once, in entry order.
    std::vector<int> offeredRecords() const;

    // Where the shown list stands among the list entries, from 1, and how many there are.
    int listPosition() const;
    int listEntryCount() const { return static_cast<int>(lists_.size()); }

private:
    void locationChosen();
    void npcChosen();
    void listChosen();
    void documentChanged(const DocumentChange& change);

    // Every record, as a read offers them before a location is chosen.
    void fillEveryNpc();
    // The NPC entries of a location entry; false when the catalogue refused the query.
    bool fillNpcs(int locationEntry);
    void listUnplacedNpcs();
    // The list entries of the chosen record: its lists with items, and the shown one.
    void fillLists();
    // Chooses, without running the chain, an NPC entry of `record`; see showList.
    bool revealRecord(int record, const QStringList& places);
    int chosenRecord() const;
    // Marks the NPC and list entries of these records that stand for unwritten changes.
    void markEntries(const std::vector<int>& records);
    int unplacedEntry() const;

    ScriptDocument& document_;
    DataSource& data_;
    Controls ui_;
    std::vector<int> lists_; // the list number of each list entry
    int listsRecord_ = -1;   // the record whose lists the list entries offer
};

} // namespace vw
