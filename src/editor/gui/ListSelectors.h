#pragma once

#include <QObject>
#include <QStringList>

#include <vector>

class QLineEdit;

namespace vw {

class Combo;
class Dialogs;
class ScriptDocument;
class StatusPanels;
class Workspace;
struct DocumentChange;

// The chain location → NPC → list of the sell-list side. A user's choice in a selector becomes
// a choice of record or list in the document; when the document's selection changes by other
// means (undo, a jump from a results panel), the selectors follow it without choosing anew.
// What each entry stands for is kept beside the entries: the selectors never read it back
// from their texts.
class ListSelectors : public QObject {
    Q_OBJECT

public:
    struct Controls {
        Combo& locations; // Combo5
        Combo& npcs;      // Combo2
        Combo& lists;     // Combo4
        QLineEdit& npcFilter;
        StatusPanels& status;
        Dialogs& dialogs;
    };

    ListSelectors(Workspace& workspace, Controls controls);

    // The catalogue's locations, then the program's own entries for the merchants placed
    // nowhere and for all of them; nothing without a catalogue. The records' entries follow
    // the catalogue in use.
    void fillLocations();
    int locationCount() const { return static_cast<int>(places_.size()); }
    // After a read: the last location, "全部NPC", is chosen as a user would, which runs the chain.
    void chooseLastLocation();

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
    // How many NPC entries are offered now; an NPC placed in several towns stands more than once.
    int offeredEntryCount() const;

private:
    enum class Place { Town, Unplaced, Everyone };

    void catalogueChanged();
    void locationChosen();
    void npcChosen();
    void listChosen();
    void documentChanged(const DocumentChange& change);

    Place placeOf(int entry) const;
    // Every record, as a read offers them before a location is chosen.
    void fillEveryNpc();
    void fillNpcs(int locationEntry);
    void setNpcEntries(std::vector<QString> texts, std::vector<int> records);
    void listUnplacedNpcs(std::vector<QString>& texts, std::vector<int>& records);
    // The list entries of the chosen record: its lists with items, and the shown one.
    void fillLists();
    int listPosition() const;
    // Chooses, without running the chain, an NPC entry of `record`; see showList.
    bool revealRecord(int record, const QStringList& places);
    int chosenRecord() const;
    // Marks the NPC and list entries of these records that stand for unwritten changes.
    void markEntries(const std::vector<int>& records);
    QString npcText(int record) const;

    Workspace& workspace_;
    ScriptDocument& document_;
    Controls ui_;
    QStringList places_;          // the town of each location entry before the program's own
    std::vector<int> npcRecords_; // the record of each NPC entry
    std::vector<int> lists_;      // the list number of each list entry
    int listsRecord_ = -1;        // the record whose lists the list entries offer
};

} // namespace vw
