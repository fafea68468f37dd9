#pragma once

#include "script/ScriptWriter.h"
#include "script/ShopRecord.h"

#include <QString>

#include <optional>
#include <vector>

namespace vw {

class CatalogueDb;

// The numbers of the statistics report of a script read with a catalogue. Records are named by
// their index in the records the numbers were taken from; codes, names and texts are as the
// catalogue and the script hold them. Item IDs compare exactly, as the editor compares them;
// what the catalogue says of an ID is what its engine finds for it.
struct ScriptStatistics {
    // A list counts among the short ones below this many items.
    static constexpr int ShortListLength = 5;
    // How many of the catalogue items sold nowhere are listed one by one.
    static constexpr int UnsoldListed = 100;

    struct Totals {
        int records = 0;
        // Lists the records hold: those with items, and those emptied since the read.
        int lists = 0;
        qint64 items = 0;
        int distinctItems = 0;
    };

    struct Npc {
        QString className;
        std::optional<QString> chineseName; // the NPCNAME_E2C name, none without a row
    };

    // A category (物品类型) of Itemdata_R. An empty code stands for the items Itemdata_R does
    // not hold; that category comes last, and only when such an item is sold.
    struct Category {
        QString code;
        QString name; // the 中英文对照 name; empty without one
    };

    // The NPCs at one location as the window lists them (a 城镇NPC表 row joined to its
    // NPCNAME_E2C name), or those it lists as placed nowhere.
    struct Location {
        QString name; // empty for the NPCs placed nowhere
        bool placedNowhere = false;
        std::vector<int> records; // in script order, each once
        int npcsWithItems = 0;    // the records whose lists hold at least one item
        qint64 items = 0;
        int distinctItems = 0;
        std::vector<int> distinctByCategory; // parallel to `categories`
        // The first list with items of the first record that has one.
        std::optional<ListRef> first;
    };

    struct CatalogueItem {
        QString id; // 物品ID as decimal text
        int category = -1;
        QString grade; // crystal_type
        std::optional<QString> chineseName;
        QString englishName; // 物品名称
    };

    struct GradeCount {
        int category = -1;
        QString grade;
        int items = 0;
    };

    struct Unsold {
        int items = 0;
        std::vector<GradeCount> byCategoryGrade; // by category, then grade
        std::vector<CatalogueItem> first;        // the first UnsoldListed, by 物品ID
    };

    // An item that the lists of one NPC class alone sell.
    struct SoleSeller {
        QString id;
        std::optional<QString> chineseName;
        ListRef where; // the first list that holds it
    };

    struct ShortList {
        ListRef where;
        int items = 0;
    };

    struct LengthCount {
        int items = 0;
        int lists = 0;
    };

    struct RateCount {
        QString rate;
        bool number = false; // isNumericTaxRate()
        qint64 items = 0;
        ListRef first;   // the first list with an item at this rate
        QString firstId; // that item
    };

    struct RateUse {
        QString rate;
        int lists = 0;
        ListRef first;
    };

    // An item whose entries carry more than one tax rate.
    struct RateConflict {
        QString id;
        std::optional<QString> chineseName;
        std::vector<RateUse> rates; // in the order the script first uses them
    };

    Totals totals;
    std::vector<Npc> npcs; // parallel to the records
    std::vector<Category> categories;
    // Every location the window lists, in its order, then the NPCs placed nowhere.
    std::vector<Location> locations;
    Unsold unsold;
    std::vector<SoleSeller> soleSellers;  // in the order the script first sells them
    std::vector<ShortList> shortLists;    // in script order
    std::vector<LengthCount> listLengths; // by length
    // Every tax rate as written: the numbers by value, then the others by text.
    std::vector<RateCount> taxRates;
    std::vector<RateConflict> rateConflicts; // in the order the script first sells them
    // The engine's words when a statement failed; the numbers then lack what it would have
    // answered (names, categories, locations).
    QString catalogueError;
};

// Whether a tax rate reads as a number: up to nine digits, optionally a point and more digits.
bool isNumericTaxRate(QStringView rate);

// The numbers of the report for the records as they stand, with what the catalogue says of
// their NPCs and items.
ScriptStatistics computeStatistics(const std::vector<ShopRecord>& records, CatalogueDb& catalogue);

} // namespace vw
