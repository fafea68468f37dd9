#include "../support/Printers.h"
#include "catalogue/CatalogueDb.h"
#include "catalogue/DataSource.h"
#include "catalogue/Statements.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <ostream>
#include <tuple>
#include <utility>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using vw::CatalogueDb;
using vw::CatalogueLoadStatus;
using vw::DataSource;
namespace sql = vw::sql;

namespace {

QString fixture(const QString& name) {
    return QString::fromUtf8(VW_FIXTURES_DIR) + u'/' + name;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Builds an SQLite catalogue from the SQL fixture and then `changes`; empty on failure.
QString makeSqliteCatalogue(const QTemporaryDir& dir, const QByteArray& changes = {},
                            const QString& name = u"catalogue.sqlite"_s) {
    const QByteArray text = contents(fixture(u"catalogue.sql"_s)) + changes;
    const QString path = dir.filePath(name);
    sqlite3* db = nullptr;
    const bool ok = !text.isEmpty() &&
                    sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK &&
                    sqlite3_exec(db, text.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok ? path : QString();
}

// Every row of the statement as its fields, read by column name, joined with "|". The fixture
// holds no Null, so a Null means a column the statement does not produce or a value lost on import.
QStringList fetch(DataSource& source, const QString& statement, const QStringList& columns,
                  const QStringList& values = {}) {
    QStringList rows;
    EXPECT_TRUE(source.run(statement, values)) << source.errorText().toStdString();
    for (; !source.atEnd(); source.advance()) {
        QStringList fields;
        for (const QString& column : columns) {
            EXPECT_FALSE(source.isNull(column)) << column.toStdString();
            fields << source.field(column);
        }
        rows << fields.join(u'|');
    }
    return rows;
}

struct Query {
    QString statement;
    QStringList columns;
    qsizetype rows;
    QStringList values = {};
};

// Cases written "argument/argument=expected row count", separated by spaces.
std::vector<std::pair<QStringList, qsizetype>> cases(const QString& text) {
    std::vector<std::pair<QStringList, qsizetype>> result;
    for (const QString& item : text.split(u' ')) {
        const qsizetype equals = item.lastIndexOf(u'=');
        result.emplace_back(item.first(equals).split(u'/'), item.sliced(equals + 1).toInt());
    }
    return result;
}

const QStringList names{u"英文名称"_s, u"中文名称"_s};
const QStringList npcs{u"地点名称"_s, u"NPC英文名"_s, u"中文名称"_s};

std::vector<Query> representativeQueries() {
    const QStringList items =
        u"物品类型 物品ID 物品名称 slot_bit_type armor_type etcitem_type "
        u"default_price crystal_type physical_damage weapon_type "
        u"magical_damage physical_defense magical_defense 中文名称 附加说明"_s.split(u' ');
    std::vector<Query> queries{{sql::categories(), names, 7},
                               {sql::locations(), {u"地点名称"_s}, 4},
                               {sql::locationNpcs(std::nullopt), npcs, 9},
                               {sql::statsCatalogueItems(), {u"物品ID"_s, u"crystal_type"_s}, 28},
                               {sql::statsItemNames(), {u"ID"_s, u"中文名称"_s}, 24},
                               {sql::statsLocationNpcs(), {u"NPC英文名"_s}, 3, {u"白石镇"_s}},
                               {sql::statsCatalogueItemId(), {u"物品ID"_s}, 1, {u"042"_s}},
                               {sql::statsItemEnglishName(), {u"物品名称"_s}, 1, {u"5"_s}}};
    for (const auto& [a, n] :
         cases(u"grocer_amber=1 trader_o'dell=1 Guard_Hal=1 guard_hal=1 nobody=0"_s))
        queries.push_back({sql::npcChineseName(), {u"中文名称"_s}, n, {a[0]}});
    for (const auto& [a, n] : cases(u"白石镇=3 灰港=3 北境要塞=2 旅人's驿站=1"_s))
        queries.push_back({sql::locationNpcs(a[0]), npcs, n});
    for (const auto& [a, n] : cases(u"1=1 3=1 12=0 45=1"_s))
        queries.push_back({sql::itemNames(), names, n, {a[0]}});
    for (const auto& [a, n] : cases(u"weapon=4 armor=3 accessary=1 etcitem=4 questitem=1"_s))
        queries.push_back({sql::itemTypes(a[0]).value_or(QString()), names, n});
    for (const auto& [a, n] : cases(u"weapon/all=7 weapon/sword=6 armor/heavy=2 accessary/none=2 "
                                    u"questitem/all=1 etcitem/potion=1"_s))
        queries.push_back({sql::itemGrades(a[0], a[1]), {u"装备等级"_s}, n});
    for (const auto& [a, n] : cases(u"weapon/all/none=3 weapon/sword/d=1 weapon/sword/s=1 "
                                    u"weapon/all/N=1 accessary/none/none=1 etcitem/potion/none=1 "
                                    u"questitem/all/none=2"_s))
        queries.push_back({sql::items(a[0], a[1], a[2]), items, n});
    return queries;
}

} // namespace

// The fixture's Jet 4 file written by an independent writer, and the same tables as Jet 3, Jet 4
// and ACE files written by tools/make_access_fixtures.mjs.
TEST(Catalogue, AccessAndSqliteCopiesAnswerEveryStatementAlike) {
    QTemporaryDir dir;
    const QString sqlitePath = makeSqliteCatalogue(dir);
    ASSERT_FALSE(sqlitePath.isEmpty());
    const QByteArray before = contents(sqlitePath);
    CatalogueDb fromSqlite;
    ASSERT_EQ(fromSqlite.load(sqlitePath).status, CatalogueLoadStatus::Ok);
    EXPECT_TRUE(fromSqlite.isLoaded());
    EXPECT_EQ(contents(sqlitePath), before);
    EXPECT_FALSE(sql::itemTypes(u"pet").has_value());
    DataSource sqliteSource(fromSqlite);

    const QString access = QStringLiteral(VW_ACCESS_DIR "/");
    for (const QString& accessPath :
         {fixture(u"catalogue.mdb"_s), access + u"catalogue-jet3.mdb"_s,
          access + u"catalogue-jet4.mdb"_s, access + u"catalogue-ace.accdb"_s}) {
        SCOPED_TRACE(accessPath.toStdString());
        CatalogueDb fromAccess;
        const auto loaded = fromAccess.load(accessPath);
        ASSERT_EQ(loaded.status, CatalogueLoadStatus::Ok) << loaded.detail.toStdString();
        DataSource accessSource(fromAccess);
        for (const Query& query : representativeQueries()) {
            SCOPED_TRACE(query.statement.toStdString());
            const QStringList expected =
                fetch(sqliteSource, query.statement, query.columns, query.values);
            EXPECT_EQ(expected.size(), query.rows);
            EXPECT_EQ(fetch(accessSource, query.statement, query.columns, query.values), expected);
        }
    }
}

TEST(Catalogue, StatementsFindTheExpectedRows) {
    CatalogueDb db; // both copies answer alike (above): the Access one stands for both
    ASSERT_EQ(db.load(fixture(u"catalogue.mdb"_s)).status, CatalogueLoadStatus::Ok);
    DataSource source(db);
    const auto sorted = [&](const QString& statement, const QString& column) {
        QStringList values = fetch(source, statement, {column});
        values.sort();
        return values.join(u' ');
    };
    EXPECT_EQ(sorted(sql::categories(), u"英文名称"_s),
              u"1 accessary armor etcitem pet questitem weapon"_s);
    // 'N' and 'none' differ even ignoring case; 's' and 's80' both start with "s".
    EXPECT_EQ(sorted(sql::itemGrades(u"weapon", u"all"), u"装备等级"_s), u"N b c d n s s"_s);
    EXPECT_EQ(sorted(*sql::itemTypes(u"weapon"), u"英文名称"_s),
              u"blunt bow dagger sword"_s); // spear has no glossary row

    const QStringList item{u"物品ID"_s, u"物品名称"_s, u"default_price"_s, u"中文名称"_s,
                           u"附加说明"_s};
    const auto items = [&](QStringView type, QStringView grade) {
        return fetch(source, sql::items(u"weapon", type, grade), item);
    };
    EXPECT_EQ(items(u"sword", u"d"), QStringList{u"2|Long Sword|136000|长剑|"_s});
    EXPECT_EQ(items(u"sword", u"c"),
              QStringList{u"3|Knight Sword|426000|骑士长剑之影|骑士团配发"_s});
    EXPECT_EQ(items(u"sword", u"s"), QStringList{u"11|Star Sabre|7900000|星辰军刀|"_s});
    EXPECT_EQ(items(u"all", u"N"), QStringList{u"12|Null Sword|1|空之剑|"_s});
    EXPECT_EQ(fetch(source, sql::items(u"etcitem", u"potion", u"none"), item),
              QStringList{u"42|Healing Draught|50|治疗药水|恢复少量体力"_s}); // not 45

    EXPECT_EQ(fetch(source, sql::npcChineseName(), {u"中文名称"_s}, {u"guard_hal"_s}),
              QStringList{u"守卫哈尔"_s});
    EXPECT_EQ(fetch(source, sql::npcChineseName(), {u"中文名称"_s}, {u"trader_o'dell"_s}),
              QStringList{u"商人奥德尔"_s});
    EXPECT_EQ(fetch(source, sql::locationNpcs(u"旅人's驿站"), npcs),
              QStringList{u"旅人's驿站|trader_o'dell|商人奥德尔"_s});
    EXPECT_EQ(fetch(source, sql::itemNames(), names, {u"45"_s}),
              QStringList{u"Mana Draught|魔力药水"_s});

    // Names the statement text cannot carry are looked up as they are, and find nothing.
    const QChar nul(0);
    const QChar lone(0xD800);
    for (const QString& name : {u"guard_hal"_s + nul, u"guard_"_s + nul + u"hal"_s,
                                u"guard_hal"_s + lone, lone + u"'guard_hal"_s}) {
        EXPECT_TRUE(fetch(source, sql::npcChineseName(), {u"中文名称"_s}, {name}).isEmpty());
        EXPECT_TRUE(fetch(source, sql::itemNames(), names, {name}).isEmpty());
        EXPECT_TRUE(fetch(source, sql::locationNpcs(name), npcs).isEmpty());
    }
    const QString pair = u"guard_hal\U0001F600"_s;
    EXPECT_EQ(vw::sqlQuoted(pair), pair);
    EXPECT_EQ(vw::sqlQuoted(u"a"_s + nul + u"'b"_s), u"a'||char(0)||'''b"_s);
}

TEST(Catalogue, DataSourceValuesAndErrors) {
    CatalogueDb db;
    ASSERT_EQ(db.load(fixture(u"catalogue.mdb"_s)).status, CatalogueLoadStatus::Ok);
    DataSource source(db);
    ASSERT_TRUE(source.run(u"select 136000 as n, null as e, '' as s"_s));
    EXPECT_EQ(source.field(u"N"), u"136000"_s);
    EXPECT_TRUE(source.isNull(u"e"));
    EXPECT_TRUE(source.field(u"e").isEmpty());
    EXPECT_FALSE(source.isNull(u"s"));
    source.advance();
    EXPECT_TRUE(source.atEnd());
    // left() as the Access statements write it: the name is also an SQL join keyword.
    EXPECT_TRUE(source.run(u"select left('abc',2) as x, left(null,2) as y, "
                           u"left('骑士长剑之影',3) as z"_s))
        << source.errorText().toStdString();
    EXPECT_EQ(source.field(u"x"), u"ab"_s);
    EXPECT_TRUE(source.isNull(u"y"));
    EXPECT_EQ(source.field(u"Z"), u"骑士长"_s);

    EXPECT_EQ(vw::sqlQuoted(u"trader_o'dell"), u"trader_o''dell"_s);
    EXPECT_EQ(vw::sqlQuoted(u"''"), u"''''"_s);
    EXPECT_FALSE(source.run(u"select * from no_such_table"_s));
    EXPECT_FALSE(source.errorText().isEmpty());
    EXPECT_TRUE(source.atEnd());
    EXPECT_TRUE(source.field(u"x").isEmpty());
    ASSERT_TRUE(source.run(u"select count(*) as n from NPCNAME_E2C"_s));
    EXPECT_TRUE(source.errorText().isEmpty());
    EXPECT_EQ(source.field(u"n"), u"8"_s);
}

// An SQLite file is read as plain tables in the reading child. A view whose reading never ends
// or grows without bound, a trigger and a virtual table each have the file refused at once, the
// object named.
TEST(Catalogue, SqliteFileWithMoreThanTablesIsRefused) {
    using Failure = vw::CatalogueReaderFailure;
    const QByteArray recursion = "DROP TABLE NPCNAME_E2C; CREATE VIEW NPCNAME_E2C AS WITH "
                                 "RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n+1 FROM c) ";
    const std::vector<std::tuple<QByteArray, Failure, QString>> cases{
        {recursion + "SELECT 'x'||n AS 英文名称, 'y' AS 中文名称 FROM c;", Failure::HoldsView,
         u"NPCNAME_E2C"_s},
        {recursion + "SELECT 'x' AS 英文名称, (SELECT group_concat(n) FROM c) AS 中文名称;",
         Failure::HoldsView, u"NPCNAME_E2C"_s},
        {"CREATE TRIGGER 加倍 AFTER INSERT ON 城镇NPC表 BEGIN INSERT INTO 城镇NPC表 "
         "SELECT * FROM 城镇NPC表; END;",
         Failure::HoldsTrigger, u"加倍"_s},
        {"CREATE VIRTUAL TABLE 索引 USING fts5(名称);", Failure::HoldsVirtualTable, u"索引"_s},
    };
    QTemporaryDir dir;
    CatalogueDb db;
    for (const auto& [changes, failure, object] : cases) {
        const QString path = makeSqliteCatalogue(dir, changes, QString::number(qHash(changes)));
        ASSERT_FALSE(path.isEmpty()) << changes.constData();
        const vw::CatalogueLoadResult result = db.load(path);
        EXPECT_EQ(result.status, CatalogueLoadStatus::Unrecognised);
        EXPECT_EQ(result.readerFailure, failure) << changes.constData();
        EXPECT_EQ(result.object, object);
    }
    EXPECT_FALSE(db.isLoaded());
}

TEST(Catalogue, FailedLoadsLeaveTheCatalogueAsItWas) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QByteArray noise(8192, '\0');
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 7919 + 13) % 251);
    const QString mdb = fixture(u"catalogue.mdb"_s);
    // An SQLite catalogue with one page of a table overwritten: SQLite's own check finds it.
    QByteArray damagedSqlite = contents(makeSqliteCatalogue(dir));
    ASSERT_GT(damagedSqlite.size(), 3 * 4096);
    damagedSqlite.replace(2 * 4096 + 8, 4000, QByteArray(4000, '\x5a'));
    QStringList damaged; // random bytes, a truncated Access file, an SQLite header, nothing
    for (const QByteArray& bytes :
         {noise, contents(mdb).left(4096), QByteArray("SQLite format 3\0", 16) + noise,
          QByteArray(), damagedSqlite}) {
        QFile file(dir.filePath(QString::number(damaged.size())));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        damaged << file.fileName();
    }

    CatalogueDb db;
    EXPECT_EQ(db.load(dir.filePath(u"missing.mdb"_s)).status, CatalogueLoadStatus::Missing);
    EXPECT_EQ(db.load(dir.path()).status, CatalogueLoadStatus::Missing);
    for (const QString& path : damaged)
        EXPECT_EQ(db.load(path).status, CatalogueLoadStatus::Unrecognised) << path.toStdString();
    EXPECT_FALSE(db.isLoaded());

    ASSERT_EQ(db.load(mdb).status, CatalogueLoadStatus::Ok);
    for (const QString& path : damaged)
        EXPECT_NE(db.load(path).status, CatalogueLoadStatus::Ok);
    EXPECT_TRUE(db.isLoaded());
    DataSource source(db);
    EXPECT_EQ(fetch(source, sql::npcChineseName(), {u"中文名称"_s}, {u"grocer_amber"_s}),
              QStringList{u"杂货商安珀"_s});
}
