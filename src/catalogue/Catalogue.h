#pragma once

#include "catalogue/CatalogueDb.h"
#include "catalogue/DataSource.h"
#include "catalogue/Lookups.h"
#include "catalogue/Statements.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace vw {

// Why a catalogue file was not taken into use.
struct CatalogueFault {
    enum class Kind {
        None,
        Missing,       // nothing at the path
        NotRegular,    // a folder, pipe, device or socket
        Empty,         // a file of no bytes
        Unreadable,    // `load.detail` has the system's words
        Unrecognised,  // no Access or SQLite database, or a damaged one; see `load`
        MissingTable,  // `table` is not there
        MissingColumn, // `table` has no `column`
    };
    Kind kind = Kind::None;
    CatalogueLoadResult load; // what the engine and the reading child said
    QString table;
    QString column;
};

// The item grid's columns, in the order it shows them.
enum class ItemColumn {
    Id,
    ChineseName,
    Grade, // the crystal_type as stored: "none", "d", …
    Price,
    PhysicalDamage,
    MagicalDamage,
    PhysicalDefense,
    MagicalDefense,
    EnglishName,
    Slot,
    WeaponType,
    ArmorType,
    EtcItemType,
    Description,
};
inline constexpr int ItemColumnCount = 14;
using ItemRow = std::array<QString, ItemColumnCount>;

struct ItemNames {
    QString chinese;
    QString english;
};

// A category or detailed type as the glossary (中英文对照) gives it.
struct CodeName {
    QString code;
    QString name;
};

// An NPC a location lists: its class and its NPCNAME_E2C name.
struct PlacedNpc {
    QString className;
    QString chineseName;
};

// A catalogue in use: its file, the in-memory copy, and every answer the window asks of it.
// It is checked whole when it is opened, so a file without the tables and columns the program
// reads never replaces one that has them. Names are read once into memory: a list of hundreds
// of items is drawn without one statement per item. Answers match text as the Access engine
// does (letter case ignored); statements the engine refuses give empty answers, and error()
// tells why.
class Catalogue {
public:
    struct Opened {
        std::unique_ptr<Catalogue> catalogue; // null on a fault
        CatalogueFault fault;
    };
    static Opened open(const QString& path);

    ~Catalogue();
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    const QString& path() const { return path_; }
    CatalogueDb& db() { return db_; }
    // The look-ups of the checks and the search for sellers, on this catalogue.
    CatalogueLookups& lookups() { return lookups_; }

    std::optional<ItemNames> itemNames(const QString& id);
    std::optional<QString> npcChineseName(const QString& className);

    // The towns, as the location selector lists them.
    const QStringList& locations() const { return locations_; }
    // The NPCs placed at `location` that have a name; with none, those of every location.
    std::vector<PlacedNpc> npcsAt(const std::optional<QString>& location);
    // Every NPC class the statement of all NPCs reaches.
    QSet<QString> namedPlacedNpcs();

    // The categories of items the catalogue holds, numeric codes left out.
    const std::vector<CodeName>& categories() const { return categories_; }
    // The detailed types of a category; none for a category the filters do not know.
    std::optional<std::vector<CodeName>> itemTypes(const QString& category);
    // The first letter of each grade of the category and type, as stored ("n" for "none").
    QStringList itemGrades(const QString& category, const QString& type);
    std::vector<ItemRow> items(const QString& category, const QString& type, const QString& grade);
    // Items within `scope` that every word matches (see sql::searchItems).
    std::vector<ItemRow> searchItems(const sql::SearchScope& scope, const QStringList& words);

    // Statements run since the catalogue was opened, for the benchmarks.
    int statementCount() const { return statements_; }
    bool failed() const { return !error_.isEmpty(); }
    const QString& error() const { return error_; }

private:
    explicit Catalogue(QString path);
    // False, with `fault` set, when a table or column the program reads is missing.
    bool checkParts(CatalogueFault& fault);
    void readNames();
    bool run(const QString& statement, const QStringList& values = {});
    std::vector<ItemRow> itemRows();

    QString path_;
    CatalogueDb db_;
    DataSource source_;
    CatalogueLookups lookups_;
    QStringList locations_;
    std::vector<CodeName> categories_;
    // Keyed by the stored text with ASCII letters lowered, as the engine's NOCASE compares.
    QHash<QString, ItemNames> itemNames_;
    QHash<QString, QString> npcNames_;
    // Look-ups of texts the stored ones do not spell (a number written another way), asked of
    // the engine once each.
    QHash<QString, std::optional<ItemNames>> otherItemIds_;
    int statements_ = 0;
    QString error_;
};

} // namespace vw
