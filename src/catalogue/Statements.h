#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Builders of every catalogue statement the program runs. Each takes its values as they are
// held and splices them between single quotes with embedded quotes doubled; the look-ups that
// run once per record or item, and the search, take their value as the bound parameter ?1, so
// one parsed statement serves every run.
namespace vw::sql {

QString categories();
QString locations();
// The NPCNAME_E2C name of the class bound as ?1.
QString npcChineseName();
// The NPCs of one location; with no location, those of every location.
QString locationNpcs(std::optional<QStringView> location);
// The names of the item ID bound as ?1.
QString itemNames();
// Every ITEMNAME_E2C row's ID and names, and every NPCNAME_E2C row's names, in the order the
// tables hold them: the look-ups above answer from these once they are read.
QString allItemNames();
QString allNpcNames();
// Detailed types of a category; none for a category code the filters do not know.
std::optional<QString> itemTypes(QStringView category);
QString itemGrades(QStringView category, QStringView type);
QString items(QStringView category, QStringView type, QStringView grade);
// What a search narrows to: the filters' choices, each left out when none is chosen.
struct SearchScope {
    std::optional<QString> category;
    std::optional<QString> type;
    std::optional<QString> grade;
};
// Items within `scope` that every one of `words` words matches: the ID is the word or starts
// with it, or the Chinese or English name holds it, letter case ignored. Same columns as
// items(), ordered by ID. searchValues() gives what to bind.
QString searchItems(const SearchScope& scope, qsizetype words);
QStringList searchValues(const SearchScope& scope, const QStringList& words);
// The LIKE pattern that matches names holding `text` as plain text.
QString searchPattern(QStringView text);

// The five category codes the filters know, compared exactly.
bool isKnownCategory(QStringView category);

// The look-ups of the checks, the search for sellers and the command line.
// Every ID of ITEMNAME_E2C as stored.
QString itemIds();
// Every NPC英文名 of 城镇NPC表.
QString placedNpcs();
// 地点名称 and NPC英文名 of the 城镇NPC表 rows of the class bound as ?1.
QString placesOf();

// The tables and the columns of each that the statements read: a catalogue lacks none of them.
struct TableColumns {
    QString table;
    QStringList columns;
};
const std::vector<TableColumns>& readColumns();
// The names of the columns of the table bound as ?1 ("name"); no rows when it does not exist.
QString tableColumns();

// Loading a catalogue. The in-memory copy's indexes on the columns the statements join and
// filter on, then the statistics the planner uses them by. A catalogue that lacks a column
// simply gets no index for it.
QStringList catalogueIndexes();

// Building the SQLite copy of a catalogue file (the reading child, catalogue/AccessReader.h).
// Names are quoted as identifiers, so any table or column name of a file can stand in them.
enum class ColumnType { Integer, Real, Text, Untyped };
struct Column {
    QString name;
    ColumnType type;
};
// Text columns compare without regard to letter case, as the Access engine does.
QString createTable(QStringView table, const std::vector<Column>& columns);
QString insertRow(QStringView table, qsizetype columns);
QString begin();
QString commit();
// The copy is written once and thrown away after one read: no journal, no waiting for the disk.
QString unjournaled();
// The file read is attached read-only as "source"; ?1 is its URI.
QString attachSource();
// The first view, trigger or virtual table of the source (type, name; a virtual table is a
// "table" without a root page).
QString sourceNonTables();
// The source's own check of its structure: "ok" or its first complaint.
QString sourceQuickCheck();
// The names of the source's tables, its own bookkeeping tables left out.
QString sourceTables();
// Name and declared type of each ordinary column of the source table bound as ?1: generated
// and hidden columns are left out.
QString sourceColumns();
QString copyFromSource(QStringView table, const QStringList& columns);

} // namespace vw::sql

// The statements of the statistics report. Values are bound, never spliced.
namespace vw::sql {

// Every Itemdata_R row's ID, category and grade, in ID order.
QString statsCatalogueItems();
// The 物品名称 of the Itemdata_R rows with the 物品ID bound as ?1.
QString statsItemEnglishName();
// The 物品ID of the Itemdata_R rows the engine finds for the ID bound as ?1.
QString statsCatalogueItemId();
// Every ITEMNAME_E2C ID with its Chinese name.
QString statsItemNames();
// The NPC英文名 of the NPCs at the location bound as ?1, as locationNpcs() finds them.
QString statsLocationNpcs();

} // namespace vw::sql
