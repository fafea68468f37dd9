#pragma once

#include <QString>

#include <optional>

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
// Detailed types of a category; none for a category code the filters do not know.
std::optional<QString> itemTypes(QStringView category);
QString itemGrades(QStringView category, QStringView type);
QString items(QStringView category, QStringView type, QStringView grade);
// Items whose ID is the text or starts with it, or whose Chinese or English name holds it,
// letter case ignored; the text is bound as ?1 and its searchPattern() as ?2. Same columns as
// items(), ordered by ID.
QString searchItems();
// The LIKE pattern that matches names holding `text` as plain text.
QString searchPattern(QStringView text);

// The five category codes the filters know, compared exactly.
bool isKnownCategory(QStringView category);

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
