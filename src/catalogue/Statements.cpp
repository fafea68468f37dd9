#include "Statements.h"

#include "CatalogueDb.h"

using namespace Qt::Literals::StringLiterals;

namespace vw::sql {

QString categories() {
    return u"SELECT [中英文对照].[英文名称], [中英文对照].[中文名称] "_s
           u"From 中英文对照 "_s
           u"WHERE [中英文对照].[英文名称] in (select 物品类型 from itemdata_R group by 物品类型 "
           u"order by 物品类型 desc)"_s;
}

QString locations() {
    return u"select 地点名称 from 城镇NPC表 group by 地点名称"_s;
}

QString npcChineseName() {
    return u"select 中文名称 from NPCNAME_E2C where 英文名称=?1"_s;
}

QString locationNpcs(std::optional<QStringView> location) {
    if (!location) {
        return u"select 地点名称,NPC英文名,中文名称 from 城镇NPC表,NPCNAME_E2C where "
               u"NPCNAME_E2C.英文名称=城镇NPC表.NPC英文名"_s;
    }
    return u"select 地点名称,NPC英文名,中文名称 from 城镇NPC表,NPCNAME_E2C where 地点名称='"_s +
           sqlQuoted(*location) + u"' and NPCNAME_E2C.英文名称=城镇NPC表.NPC英文名"_s;
}

QString itemNames() {
    return u"select 中文名称,英文名称 from ITEMNAME_E2C where ID=?1"_s;
}

QString allItemNames() {
    return u"select ID,中文名称,英文名称 from ITEMNAME_E2C order by rowid"_s;
}

QString allNpcNames() {
    return u"select 英文名称,中文名称 from NPCNAME_E2C order by rowid"_s;
}

const std::vector<TableColumns>& readColumns() {
    static const std::vector<TableColumns> tables{
        {u"中英文对照"_s, {u"英文名称"_s, u"中文名称"_s}},
        {u"Itemdata_R"_s,
         {u"物品ID"_s, u"物品类型"_s, u"物品名称"_s, u"crystal_type"_s, u"default_price"_s,
          u"slot_bit_type"_s, u"weapon_type"_s, u"armor_type"_s, u"etcitem_type"_s,
          u"physical_damage"_s, u"magical_damage"_s, u"physical_defense"_s, u"magical_defense"_s}},
        {u"ITEMNAME_C"_s, {u"物品ID"_s, u"中文名称"_s, u"附加说明"_s}},
        {u"ITEMNAME_E2C"_s, {u"ID"_s, u"中文名称"_s, u"英文名称"_s}},
        {u"NPCNAME_E2C"_s, {u"英文名称"_s, u"中文名称"_s}},
        {u"城镇NPC表"_s, {u"地点名称"_s, u"NPC英文名"_s}},
    };
    return tables;
}

QString tableColumns() {
    return u"select name from pragma_table_info(?1)"_s;
}

bool isKnownCategory(QStringView category) {
    return category == u"weapon" || category == u"armor" || category == u"accessary" ||
           category == u"etcitem" || category == u"questitem";
}

std::optional<QString> itemTypes(QStringView category) {
    const QString head = u"select 英文名称,中文名称 from 中英文对照 where 英文名称 in "_s;
    const QString c = sqlQuoted(category);
    if (category == u"weapon") {
        return head + u" (select weapon_type  from Itemdata_R where 物品类型='"_s + c +
               u"' group by weapon_type)"_s;
    }
    if (category == u"armor") {
        return head + u" (select armor_type  from Itemdata_R where 物品类型='"_s + c +
               u"' group by armor_type)"_s;
    }
    if (category == u"accessary")
        return head + u"( select 'none' from Itemdata_R )"_s;
    if (category == u"etcitem") {
        return head + u" (select etcitem_type  from Itemdata_R where 物品类型='"_s + c +
               u"' group by etcitem_type)"_s;
    }
    if (category == u"questitem")
        return head + u"(select 'none' from Itemdata_R )"_s;
    return std::nullopt;
}

namespace {

// The column of the detailed type for a category, or none when the type does not narrow it.
QString typeColumn(QStringView category, QStringView type) {
    if (type == u"all")
        return {};
    if (category == u"weapon")
        return u"weapon_type"_s;
    if (category == u"armor")
        return u"armor_type"_s;
    if (category == u"etcitem")
        return u"etcitem_type"_s;
    return {};
}

} // namespace

QString itemGrades(QStringView category, QStringView type) {
    const QString head = u"select left(crystal_type,1) as 装备等级 from Itemdata_R where "_s;
    const QString column = typeColumn(category, type);
    const QString tail = u"物品类型='"_s + sqlQuoted(category) + u"' group by crystal_type"_s;
    if (column.isEmpty())
        return head + u" "_s + tail;
    return head + column + u"='"_s + sqlQuoted(type) + u"' and "_s + tail;
}

namespace {

const QString ItemColumns =
    u"select 物品类型,Itemdata_R.物品ID,物品名称,slot_bit_type,armor_type,etcitem_type,"
    u"default_price,crystal_type,physical_damage,weapon_type,magical_damage,physical_defense,"
    u"magical_defense, ITEMNAME_C.中文名称,ITEMNAME_C.附加说明 from Itemdata_R,ITEMNAME_C "
    u"where "_s;

} // namespace

QString items(QStringView category, QStringView type, QStringView grade) {
    const QString& columns = ItemColumns;
    const QString tail = u"crystal_type='"_s + sqlQuoted(grade) + u"' and 物品类型='"_s +
                         sqlQuoted(category) + u"' and ITEMNAME_C.物品ID=Itemdata_R.物品ID"_s;
    const QString column = typeColumn(category, type);
    if (column.isEmpty())
        return columns + tail;
    return columns + column + u"='"_s + sqlQuoted(type) + u"' and "_s + tail;
}

QString searchItems(const SearchScope& scope, qsizetype words) {
    // The filters as the item query applies them, their values bound in the order searchValues()
    // gives them.
    QString statement = ItemColumns + u"ITEMNAME_C.物品ID=Itemdata_R.物品ID"_s;
    int next = 1;
    const auto bound = [&next] { return u'?' + QString::number(next++); };
    if (scope.category) {
        statement += u" and 物品类型="_s + bound();
        const QString column = typeColumn(*scope.category, scope.type.value_or(u"all"_s));
        if (!column.isEmpty())
            statement += u" and "_s + column + u'=' + bound();
    }
    if (scope.grade)
        statement += u" and crystal_type="_s + bound();
    // Each word: the ID as decimal text, so "40" finds 40 itself, 401 and 4021; the names with
    // LIKE, which ignores the case of Latin letters as lower() would, without a lowered copy of
    // every name; the pattern escapes "%", "_" and the escape itself (searchPattern()).
    for (qsizetype w = 0; w < words; ++w) {
        const QString word = bound();
        const QString pattern = bound();
        statement += u" and (substr(cast(Itemdata_R.物品ID as text),1,length("_s + word + u"))="_s +
                     word + u" or ITEMNAME_C.中文名称 like "_s + pattern +
                     u" escape '\\' or 物品名称 like "_s + pattern + u" escape '\\')"_s;
    }
    return statement + u" order by Itemdata_R.物品ID"_s;
}

QStringList searchValues(const SearchScope& scope, const QStringList& words) {
    QStringList values;
    if (scope.category) {
        values.append(*scope.category);
        if (!typeColumn(*scope.category, scope.type.value_or(u"all"_s)).isEmpty())
            values.append(*scope.type);
    }
    if (scope.grade)
        values.append(*scope.grade);
    for (const QString& word : words)
        values << word << searchPattern(word);
    return values;
}

QString searchPattern(QStringView text) {
    QString pattern = u"%"_s;
    for (const QChar c : text) {
        if (c == u'%' || c == u'_' || c == u'\\')
            pattern += u'\\';
        pattern += c;
    }
    return pattern + u'%';
}

QString itemIds() {
    return u"select ID from ITEMNAME_E2C"_s;
}

QString placedNpcs() {
    return u"select NPC英文名 from 城镇NPC表"_s;
}

QString placesOf() {
    return u"select 地点名称,NPC英文名 from 城镇NPC表 where NPC英文名=?1"_s;
}

QStringList catalogueIndexes() {
    return {
        u"CREATE INDEX ix_item_id ON Itemdata_R(物品ID)"_s,
        u"CREATE INDEX ix_item_category ON Itemdata_R(物品类型)"_s,
        u"CREATE INDEX ix_cname_id ON ITEMNAME_C(物品ID)"_s,
        u"CREATE INDEX ix_e2c_id ON ITEMNAME_E2C(ID)"_s,
        u"CREATE INDEX ix_npc_name ON NPCNAME_E2C(英文名称)"_s,
        u"CREATE INDEX ix_town_place ON 城镇NPC表(地点名称)"_s,
        u"CREATE INDEX ix_town_npc ON 城镇NPC表(NPC英文名)"_s,
        u"CREATE INDEX ix_glossary_code ON 中英文对照(英文名称)"_s,
        u"ANALYZE"_s,
    };
}

namespace {

QString quotedName(QStringView name) {
    QString quoted = name.toString();
    quoted.replace(u'"', u"\"\""_s);
    return u'"' + quoted + u'"';
}

QString columnList(const QStringList& columns) {
    QStringList quoted;
    for (const QString& column : columns)
        quoted << quotedName(column);
    return quoted.join(u", "_s);
}

} // namespace

QString createTable(QStringView table, const std::vector<Column>& columns) {
    static const char16_t* const types[] = {u" INTEGER", u" REAL", u" TEXT COLLATE NOCASE", u""};
    QStringList declarations;
    for (const Column& column : columns)
        declarations << quotedName(column.name).append(types[static_cast<int>(column.type)]);
    return u"CREATE TABLE "_s + quotedName(table) + u" ("_s + declarations.join(u", "_s) + u')';
}

QString insertRow(QStringView table, qsizetype columns) {
    QStringList marks(columns, u"?"_s);
    return u"INSERT INTO "_s + quotedName(table) + u" VALUES ("_s + marks.join(u',') + u')';
}

QString begin() {
    return u"BEGIN"_s;
}

QString commit() {
    return u"COMMIT"_s;
}

QString unjournaled() {
    return u"PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF"_s;
}

QString attachSource() {
    return u"ATTACH ?1 AS source"_s;
}

QString sourceNonTables() {
    return u"SELECT type, name FROM source.sqlite_schema WHERE type IN ('view', 'trigger') OR "
           u"(type = 'table' AND ifnull(rootpage, 0) = 0) LIMIT 1"_s;
}

QString sourceQuickCheck() {
    return u"PRAGMA source.quick_check(1)"_s;
}

QString sourceTables() {
    return u"SELECT name FROM pragma_table_list WHERE schema = 'source' AND type = 'table' AND "
           u"name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"_s;
}

QString sourceColumns() {
    return u"SELECT name, type FROM pragma_table_info(?1, 'source')"_s;
}

QString copyFromSource(QStringView table, const QStringList& columns) {
    const QString list = columnList(columns);
    return u"INSERT INTO main."_s + quotedName(table) + u" ("_s + list + u") SELECT "_s + list +
           u" FROM source."_s + quotedName(table);
}

} // namespace vw::sql

// The statements of the statistics report.
namespace vw::sql {

QString statsCatalogueItems() {
    return u"select 物品ID,物品类型,crystal_type from Itemdata_R order by 物品ID"_s;
}

QString statsItemEnglishName() {
    return u"select 物品名称 from Itemdata_R where 物品ID=?1"_s;
}

QString statsCatalogueItemId() {
    return u"select 物品ID from Itemdata_R where 物品ID=?1"_s;
}

QString statsItemNames() {
    return u"select ID,中文名称 from ITEMNAME_E2C"_s;
}

QString statsLocationNpcs() {
    return u"select NPC英文名 from 城镇NPC表,NPCNAME_E2C where 地点名称=?1 and "
           u"NPCNAME_E2C.英文名称=城镇NPC表.NPC英文名"_s;
}

} // namespace vw::sql
