// Access files are read by a child process under limits; these cases damage the fixture the way
// a bad disk or a broken copy does and check that every load ends with a reported failure.
#include "catalogue/AccessReader.h"
#include "../support/Printers.h"
#include "../support/TestFiles.h"
#include "catalogue/CatalogueDb.h"
#include "catalogue/DataSource.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace vw;
using vw::test::readFile;
using vw::test::writeFile;

namespace {

QString fixture() {
    return QStringLiteral(VW_FIXTURES_DIR "/catalogue.mdb");
}

QString damaged(const char* name) {
    return QStringLiteral(VW_DAMAGED_DIR "/") + QString::fromLatin1(name);
}

// The fixture with `change` applied, written into `dir`.
template <typename Change> QString changedFixture(const QTemporaryDir& dir, Change change) {
    QByteArray bytes = readFile(fixture());
    change(bytes);
    const QString path = dir.filePath(u"changed.mdb"_s);
    return writeFile(path, bytes) ? path : QString();
}

constexpr qsizetype pageSize = 4096; // Jet 4

} // namespace

// Every version holds the same sample rows; what each column type becomes in the catalogue.
TEST(AccessReader, EveryVersionReadsEveryColumnType) {
    const QStringList expected{
        u"1|短剑|5|锋利的短剑|2004-03-01 12:30:00|12.34|1|1.5|0.25|-3|200|"
        u"{33221100-5544-7766-8899AABBCCDDEEFF}"_s,
        u"2||0||||0|||||"_s, // Null: no text, no number; Yes/No is never Null
        u"3|长说明|850|第0行说明。第1|1999-12-31 23:59:59|-0.5|0|0|10000000000|32767|0|"
        u"{33221100-5544-7766-8899AABBCCDDEEFF}"_s,
        u"4|更长的说明|5490|第0行说明。第1|1900-01-01 00:00:00|12345678.9012|1|-2.5|"
        u"-0.333333333333333|-32768|255|{33221100-5544-7766-8899AABBCCDDEEFF}"_s,
    };
    const QStringList columns =
        u"ID 名称 memo head 上架日期 价格 在售 重量 系数 数量 等级 编号"_s.split(u' ');
    for (const char* file : {"catalogue-jet3.mdb", "catalogue-jet4.mdb", "catalogue-ace.accdb"}) {
        SCOPED_TRACE(file);
        CatalogueDb db;
        const CatalogueLoadResult loaded =
            db.load(QStringLiteral(VW_ACCESS_DIR "/") + QString::fromLatin1(file));
        ASSERT_EQ(loaded.status, CatalogueLoadStatus::Ok) << loaded.detail.toStdString();
        DataSource source(db);
        ASSERT_TRUE(source.run(u"select *, length(说明) as memo, substr(说明, 1, 8) as head "
                               u"from TypeSamples order by ID"_s));
        QStringList rows;
        for (; !source.atEnd(); source.advance()) {
            QStringList fields;
            for (const QString& column : columns)
                fields << source.field(column);
            rows << fields.join(u'|');
        }
        EXPECT_EQ(rows, expected);
        // OLE objects, attachments and the attachments' hidden tables are left out.
        ASSERT_TRUE(source.run(u"select group_concat(name, ' ') as names from "
                               u"(select name from pragma_table_info('TypeSamples') union all "
                               u"select name from sqlite_schema where type = 'table' and name not "
                               u"like 'sqlite%' and name not in "
                               u"('Itemdata_R', 'ITEMNAME_C', 'ITEMNAME_E2C', 'NPCNAME_E2C', "
                               u"'城镇NPC表', '中英文对照', 'TypeSamples'))"_s));
        EXPECT_EQ(source.field(u"names"),
                  u"ID 名称 说明 上架日期 价格 在售 重量 系数 数量 等级 编号"_s);
    }
}

// Damaged files, one for each way the child can end: a long value whose page chain points back
// at itself (libmdb follows it forever, its buffer growing slowly), the same chain on a row
// stretched over the whole page (the buffer grows fast), and a thousand rows sharing one long
// value (the child writes past its output limit and the system stops it with a signal).
TEST(AccessReader, DamagedFilesEndInTheChildsReportedFailure) {
    struct Case {
        const char* file;
        CatalogueReaderFailure failure;
    };
    for (const Case& c : {Case{"long-value-cycle.mdb", CatalogueReaderFailure::TimedOut},
                          Case{"long-value-flood.mdb", CatalogueReaderFailure::OutOfMemory},
                          Case{"shared-long-value.mdb", CatalogueReaderFailure::Crashed}}) {
        SCOPED_TRACE(c.file);
        const QString path = damaged(c.file);
        if (c.failure == CatalogueReaderFailure::OutOfMemory &&
            accessReaderLimits(QFileInfo(path).size()).memoryBytes == 0) {
            continue; // no memory limit in a sanitizer build: the time limit stops the child
        }
        CatalogueDb db;
        const CatalogueLoadResult result = db.load(path);
        EXPECT_EQ(result.status, CatalogueLoadStatus::Unrecognised);
        EXPECT_EQ(result.readerFailure, c.failure);
        EXPECT_FALSE(db.isLoaded());
    }
}

TEST(AccessReader, ImplausibleContentsFailTheLoad) {
    QTemporaryDir dir;
    CatalogueDb db;
    // NPCNAME_E2C's definition page: after a 63-byte header (no indexes), 25 bytes per column
    // with the declared size in bytes at offset 23. Its second column becomes Text(2).
    const QString narrowed = changedFixture(dir, [](QByteArray& bytes) {
        char* size = bytes.data() + 36 * pageSize + 63 + 25 + 23;
        ASSERT_EQ(qFromLittleEndian<quint16>(size), 510);
        qToLittleEndian<quint16>(4, size);
    });
    CatalogueLoadResult result = db.load(narrowed);
    EXPECT_EQ(result.status, CatalogueLoadStatus::Unrecognised);
    EXPECT_TRUE(result.detail.startsWith(u"table NPCNAME_E2C, column 中文名称: a text of "_s))
        << result.detail.toStdString();

    // A row table that lists one row five hundred times on each of four pages.
    result = db.load(damaged("repeated-rows.mdb"));
    EXPECT_EQ(result.status, CatalogueLoadStatus::Unrecognised);
    EXPECT_EQ(result.detail,
              u"table TypeSamples has more rows than a file of 106496 bytes can hold"_s);

    // The last table definition page (中英文对照's) no longer is one.
    const QString unreadable = changedFixture(dir, [](QByteArray& bytes) {
        qsizetype last = bytes.size() - pageSize;
        while (last > 0 && bytes[last] != 0x02)
            last -= pageSize;
        bytes[last] = 0x01;
    });
    result = db.load(unreadable);
    EXPECT_EQ(result.status, CatalogueLoadStatus::Unrecognised);
    EXPECT_EQ(result.detail, u"cannot read table 中英文对照"_s);
    EXPECT_EQ(result.readerFailure, CatalogueReaderFailure::None);
    EXPECT_FALSE(db.isLoaded());
}

TEST(AccessReader, LimitsAndAMissingReader) {
    const AccessReaderLimits small = accessReaderLimits(200 * 1024);
    const AccessReaderLimits large = accessReaderLimits(qint64(300) * 1024 * 1024);
    EXPECT_EQ(small.time.count(), 2000);
    EXPECT_GT(large.time, small.time);
    EXPECT_LT(large.time.count(), 60000);
    EXPECT_EQ(small.outputBytes, (8 * 1024 + 4 * 200) * 1024);
    EXPECT_EQ(large.outputBytes, 1024 * 1024 * 1024);

    const QString program = accessReaderProgram();
    setAccessReaderProgram(u"/nonexistent/vendwright-import"_s);
    CatalogueDb db;
    const CatalogueLoadResult result = db.load(fixture());
    setAccessReaderProgram(program);
    EXPECT_EQ(result.status, CatalogueLoadStatus::Unreadable);
    EXPECT_EQ(result.readerFailure, CatalogueReaderFailure::NotStarted);
    EXPECT_EQ(result.object, u"/nonexistent/vendwright-import"_s);
}

// The child writes under the user's runtime folder; a folder that a killed program left there is
// removed by the next load, while a living program's is kept.
TEST(AccessReader, PrivateFoldersLieInTheRuntimeFolderAndDeadOnesAreRemoved) {
    const QTemporaryDir runtime; // the user's alone, as a runtime folder must be
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const QString base = readingFolderBase();
    const QDir folder(runtime.path());
    const QString living =
        u"vendwright-reading-"_s + QString::number(QCoreApplication::applicationPid()) + u"-a"_s;
    folder.mkpath(u"vendwright-reading-2147483646-b/catalogue.sqlite"_s); // no such process
    folder.mkdir(living);
    CatalogueDb db;
    const CatalogueLoadStatus status = db.load(fixture()).status;
    qputenv("XDG_RUNTIME_DIR", saved);
    EXPECT_EQ(base, runtime.path());
    EXPECT_EQ(status, CatalogueLoadStatus::Ok);
    EXPECT_EQ(folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{living});
}

TEST(AccessReader, AParentThatHeldMuchMemoryLeavesTheChildsLimitItsOwn) {
    // A program that has read a large script before it loads the catalogue (the command line
    // does so) hands its memory high-water mark to the child it forks.
    std::vector<char> held(size_t(400) << 20);
    for (size_t i = 0; i < held.size(); i += 4096)
        held[i] = 1;
    CatalogueDb db;
    const CatalogueLoadResult result = db.load(fixture());
    EXPECT_EQ(result.status, CatalogueLoadStatus::Ok) << result.detail.toStdString();
}
