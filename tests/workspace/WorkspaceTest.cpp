#include "workspace/Workspace.h"
#include "../support/TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using namespace vw;
using namespace vw::test;

namespace {

// Item 5 sells in three lists of two merchants; item 7 in one.
QStringList script(const QString& extra = {}) {
    return {u"class grocer_amber : citizen"_s,
            u"property_define_begin"_s,
            u"\tbuyselllist_begin SellList0"_s,
            u"\t\t{5; 10; 0.000000; 0 };"_s,
            u"\t\t{7; 10; 0.000000; 0 };"_s,
            u"\tbuyselllist_end"_s,
            u"\tbuyselllist_begin SellList1"_s,
            u"\t\t{5; 0; 0.000000; 0 };"_s,
            u"\tbuyselllist_end"_s,
            u"property_define_end"_s,
            u"class_end"_s,
            u"class weaponsmith_borin : citizen"_s,
            u"property_define_begin"_s,
            u"\tbuyselllist_begin SellList0"_s,
            u"\t\t{5; 10; 0.000000; 0 };"_s,
            u"\tbuyselllist_end"_s,
            u"property_define_end"_s,
            u"class_end"_s,
            extra};
}

// A program folder of its own, with the user's settings and journals in it.
struct Place {
    Place() {
        QDir(dir.path()).mkpath(u"DB"_s);
        QFile::copy(QStringLiteral(VW_FIXTURES_DIR "/catalogue.mdb"), path(u"DB/Wareroll.mdb"));
        writeFile(path(u"a.obj"), scriptBytes(script()));
        writeFile(path(u"b.obj"), scriptBytes(script(u"// b"_s)));
    }
    QString path(QStringView relative) const { return dir.filePath(relative.toString()); }
    Workspace::Places places() const {
        return {dir.path(), path(u"home/vendwright.conf"_s), path(u"home/journals"_s)};
    }
    std::unique_ptr<Workspace> open(const QString& script = {}) const {
        auto workspace = std::make_unique<Workspace>(places());
        workspace->startCatalogue({});
        if (!script.isEmpty()) {
            workspace->chooseScript(path(script));
            workspace->readChosenScript();
        }
        return workspace;
    }
    QString remembered(const QString& key) const {
        return QSettings(path(u"home/vendwright.conf"_s), QSettings::IniFormat)
            .value(key)
            .toString();
    }
    QTemporaryDir dir;
};

// An SQLite catalogue of the fixture's tables, changed by `changes`.
void writeSqliteCatalogue(const QString& path, const QByteArray& changes) {
    const QByteArray sql = readFile(QStringLiteral(VW_FIXTURES_DIR "/catalogue.sql")) + changes;
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

} // namespace

TEST(Workspace, AFailedCatalogueReplaceChangesNothing) {
    const Place place;
    const auto workspace = place.open(u"a.obj"_s);
    Catalogue* inUse = workspace->catalogue();
    ASSERT_NE(inUse, nullptr);
    const QString remembered = place.remembered(u"files/catalogue"_s);
    EXPECT_EQ(remembered, place.path(u"DB/Wareroll.mdb"_s));

    writeSqliteCatalogue(place.path(u"no-glossary.sqlite"_s), "DROP TABLE 中英文对照;");
    writeSqliteCatalogue(place.path(u"no-column.sqlite"_s),
                         "ALTER TABLE ITEMNAME_E2C DROP COLUMN 英文名称;");
    writeFile(place.path(u"damaged.mdb"_s), QByteArray(4096, 'x'));
    writeFile(place.path(u"empty.mdb"_s), {});
    ASSERT_EQ(::mkfifo(QFile::encodeName(place.path(u"fifo.mdb"_s)).constData(), 0600), 0);
    using Kind = CatalogueFault::Kind;
    const std::vector<std::pair<QString, Kind>> bad{
        {u"no-glossary.sqlite"_s, Kind::MissingTable},
        {u"no-column.sqlite"_s, Kind::MissingColumn},
        {u"damaged.mdb"_s, Kind::Unrecognised},
        {u"empty.mdb"_s, Kind::Empty},
        {u"fifo.mdb"_s, Kind::NotRegular},
        {u"DB"_s, Kind::NotRegular},
        {u"gone.mdb"_s, Kind::Missing},
    };
    QSignalSpy changed(workspace.get(), &Workspace::catalogueChanged);
    for (const auto& [file, kind] : bad) {
        const CatalogueFault fault = workspace->useCatalogue(place.path(file));
        EXPECT_EQ(fault.kind, kind) << file.toStdString();
        EXPECT_EQ(workspace->catalogue(), inUse);
    }
    EXPECT_EQ(workspace->useCatalogue(place.path(u"no-glossary.sqlite"_s)).table, u"中英文对照"_s);
    const CatalogueFault column = workspace->useCatalogue(place.path(u"no-column.sqlite"_s));
    EXPECT_EQ(column.table + u'.' + column.column, u"ITEMNAME_E2C.英文名称"_s);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(place.remembered(u"files/catalogue"_s), remembered);
    EXPECT_TRUE(inUse->itemNames(u"5"_s).has_value());

    // A whole one replaces it, and is remembered.
    writeSqliteCatalogue(place.path(u"whole.sqlite"_s), {});
    EXPECT_EQ(workspace->useCatalogue(place.path(u"whole.sqlite"_s)).kind, Kind::None);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(place.remembered(u"files/catalogue"_s), place.path(u"whole.sqlite"_s));
}

TEST(Workspace, TheChosenAndTheReadScriptStayApart) {
    const Place place;
    const auto workspace = place.open(u"a.obj"_s);
    ScriptDocument& document = workspace->document();
    ASSERT_TRUE(document.isLoaded());
    workspace->chooseScript(place.path(u"b.obj"_s));
    EXPECT_EQ(document.source().path, place.path(u"a.obj"_s));
    EXPECT_EQ(workspace->chosenScript(), place.path(u"b.obj"_s));
    // Neither the script read nor the one chosen is ever written over.
    EXPECT_EQ(workspace->write(place.path(u"b.obj"_s)).status,
              ScriptFileWriteResult::Status::OutputIsSource);
    EXPECT_EQ(workspace->write(place.path(u"a.obj"_s)).status,
              ScriptFileWriteResult::Status::OutputIsSource);
    // A read that fails leaves the records of the one read.
    workspace->chooseScript(place.path(u"gone.obj"_s));
    EXPECT_EQ(workspace->readChosenScript().problem, ScriptProblem::Missing);
    EXPECT_EQ(document.source().path, place.path(u"a.obj"_s));
    EXPECT_EQ(workspace->recentScripts(), QStringList({place.path(u"a.obj"_s)}));
}

TEST(Workspace, WhereSoldAndTheChecksFollowEveryStep) {
    const Place place;
    const auto workspace = place.open(u"a.obj"_s);
    ScriptDocument& document = workspace->document();
    workspace->findSellers(u"5"_s);
    workspace->runChecks();
    ASSERT_EQ(workspace->sellers().sales.size(), 3u);
    EXPECT_EQ(workspace->sellers().sales[0].chineseName, u"杂货商安珀"_s);

    const std::vector<ListRef> lists{{0, 0}, {1, 0}};
    EXPECT_EQ(document.removeItem(u"5"_s, lists).changed, 2);
    EXPECT_EQ(workspace->sellers().sales.size(), 1u);
    EXPECT_TRUE(workspace->checks().stale);
    document.history().undo();
    EXPECT_EQ(workspace->sellers().sales.size(), 3u);
    document.history().redo();
    EXPECT_EQ(workspace->sellers().sales.size(), 1u);
    EXPECT_EQ(workspace->sellers().sales[0].list, 1);

    // Another read: the results of the last one point at records that are gone.
    workspace->chooseScript(place.path(u"b.obj"_s));
    workspace->readChosenScript();
    EXPECT_TRUE(workspace->sellers().id.isEmpty());
    EXPECT_FALSE(workspace->checks().ran);
}

TEST(Workspace, ARecoveryAppliesOnlyToItsOwnScript) {
    const Place place;
    {
        // A session that ends without writing or giving up its edits.
        const auto crashed = place.open(u"a.obj"_s);
        crashed->document().removeItem(u"7"_s, {{0, 0}});
        crashed->journal().record();
    }
    const auto workspace = place.open(u"a.obj"_s);
    ASSERT_TRUE(workspace->pendingRecovery());
    EXPECT_TRUE(workspace->pendingRecovery()->sourceSame);
    const QString journal = workspace->pendingRecovery()->left.file;

    // Another script read before the answer: the offer goes with it, the journal stays.
    workspace->chooseScript(place.path(u"b.obj"_s));
    workspace->readChosenScript();
    EXPECT_FALSE(workspace->pendingRecovery());
    EXPECT_FALSE(workspace->recover());
    EXPECT_TRUE(workspace->document().isClean());
    EXPECT_TRUE(QFileInfo::exists(journal));

    workspace->chooseScript(place.path(u"a.obj"_s));
    workspace->readChosenScript();
    ASSERT_TRUE(workspace->recover());
    EXPECT_EQ(workspace->document().records()[0].listLength(0), 1);
    EXPECT_FALSE(QFileInfo::exists(journal));
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
