#include "CatalogueImport.h"

#include "catalogue/Statements.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <glib.h> // before mdbtools.h, whose extern "C" block would otherwise wrap glib's C++ parts
#include <mdbtools.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace vw {

namespace {

using sql::ColumnType;

QString execError(sqlite3* db, const QString& statement) {
    char* message = nullptr;
    if (sqlite3_exec(db, statement.toUtf8().constData(), nullptr, nullptr, &message) == SQLITE_OK)
        return {};
    QString error = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
    sqlite3_free(message);
    return error.isEmpty() ? QStringLiteral("SQLite error") : error;
}

// SQLite's rule for a declared type's affinity.
ColumnType typeOfDeclared(const QString& declared) {
    const QString type = declared.toUpper();
    if (type.contains(u"INT"))
        return ColumnType::Integer;
    if (type.contains(u"CHAR") || type.contains(u"CLOB") || type.contains(u"TEXT"))
        return ColumnType::Text;
    if (type.contains(u"REAL") || type.contains(u"FLOA") || type.contains(u"DOUB"))
        return ColumnType::Real;
    return ColumnType::Untyped;
}

// The kind a column of an Access file becomes; nullopt for the columns that are left out.
std::optional<ColumnType> typeOfAccessColumn(int type) {
    switch (type) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return ColumnType::Integer;
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return ColumnType::Real;
    case MDB_TEXT:
    case MDB_MEMO:
    case MDB_DATETIME:
    case MDB_REPID:
        return ColumnType::Text;
    default:
        return std::nullopt;
    }
}

struct MdbCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

// What the whole file can hold: the rows read so far, each with the bytes it takes in its page
// and its two-byte entry in the page's row table, cannot add up to more than the file. A damaged
// row table lists the same bytes again and again.
struct RowBudget {
    qint64 fileSize;
    qint64 used = 0;
    bool spend(qint64 bytes) { return (used += bytes + 2) <= fileSize; }
};

// The bytes of the row just fetched: rows fill a page from its end, so a row runs from its
// offset to the offset of the row before it.
qint64 fetchedRowBytes(MdbTableDef* table) {
    MdbHandle* mdb = table->entry->mdb;
    const int rowTable = mdb->fmt->row_count_offset + 2;
    const auto offset = [&](unsigned row) {
        return mdb_get_int16(mdb->pg_buf, rowTable + 2 * static_cast<int>(row)) & 0x1fff;
    };
    const unsigned row = table->cur_row - 1;
    const int end = row == 0 ? static_cast<int>(mdb->fmt->pg_size) : offset(row - 1);
    return std::max(end - offset(row), 0);
}

struct AccessColumn {
    sql::Column def;
    int number;   // libmdb's 1-based column number
    int maxChars; // the declared size of a Text column in characters; 0 for no limit
};

QString copyAccessTable(MdbCatalogEntry* entry, sqlite3* target, RowBudget& budget) {
    const QString tableName = QString::fromUtf8(entry->object_name);
    std::unique_ptr<MdbTableDef, TableFreer> table(mdb_read_table(entry));
    if (!table || !mdb_read_columns(table.get()))
        return QStringLiteral("cannot read table %1").arg(tableName);
    const bool jet3 = entry->mdb->f->jet_version == MDB_VER_JET3;
    std::vector<AccessColumn> columns;
    std::vector<sql::Column> defs;
    for (unsigned i = 0; i < table->num_cols; ++i) {
        const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
        const std::optional<ColumnType> type = typeOfAccessColumn(column->col_type);
        if (!type)
            continue;
        // Jet 3 stores a character of the file's code page in a byte (two for a double-byte
        // code page), later versions store two bytes for each character.
        const int maxChars = column->col_type != MDB_TEXT ? 0
                             : jet3                       ? column->col_size
                                                          : column->col_size / 2;
        columns.push_back(
            {{QString::fromUtf8(column->name), *type}, static_cast<int>(i) + 1, maxChars});
        defs.push_back(columns.back().def);
    }
    if (columns.empty())
        return {};
    if (QString error = execError(target, sql::createTable(tableName, defs)); !error.isEmpty())
        return error;

    const QByteArray insert =
        sql::insertRow(tableName, static_cast<qsizetype>(columns.size())).toUtf8();
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(target, insert.constData(), -1, &raw, nullptr) != SQLITE_OK)
        return QString::fromUtf8(sqlite3_errmsg(target));
    std::unique_ptr<sqlite3_stmt, StatementFinalizer> statement(raw);

    const size_t bindSize = entry->mdb->bind_size;
    std::vector<std::vector<char>> buffers(columns.size(), std::vector<char>(bindSize));
    std::vector<int> lengths(columns.size());
    for (size_t i = 0; i < columns.size(); ++i)
        mdb_bind_column(table.get(), columns[i].number, buffers[i].data(), &lengths[i]);
    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
        if (!budget.spend(fetchedRowBytes(table.get())))
            return QStringLiteral("table %1 has more rows than a file of %2 bytes can hold")
                .arg(tableName)
                .arg(budget.fileSize);
        for (size_t i = 0; i < columns.size(); ++i) {
            const int index = static_cast<int>(i) + 1;
            const char* value = buffers[i].data();
            const int length = lengths[i];
            const ColumnType type = columns[i].def.type;
            // libmdb hands Null and "" alike as empty text; a number column can only be Null then.
            if (length == 0 && type != ColumnType::Text) {
                sqlite3_bind_null(statement.get(), index);
                continue;
            }
            const QByteArray text(value, length);
            bool ok = false;
            if (type == ColumnType::Integer) {
                const qlonglong number = text.toLongLong(&ok);
                if (ok)
                    sqlite3_bind_int64(statement.get(), index, number);
            } else if (type == ColumnType::Real) {
                const double number = text.toDouble(&ok);
                if (ok)
                    sqlite3_bind_double(statement.get(), index, number);
            } else if (columns[i].maxChars > 0) {
                const qsizetype chars = QString::fromUtf8(text).size();
                if (chars > columns[i].maxChars)
                    return QStringLiteral("table %1, column %2: a text of %3 characters in a "
                                          "column of %4")
                        .arg(tableName, columns[i].def.name)
                        .arg(chars)
                        .arg(columns[i].maxChars);
            }
            if (!ok)
                sqlite3_bind_text(statement.get(), index, value, length, SQLITE_TRANSIENT);
        }
        if (sqlite3_step(statement.get()) != SQLITE_DONE)
            return QString::fromUtf8(sqlite3_errmsg(target));
        sqlite3_reset(statement.get());
    }
    return {};
}

} // namespace

QString importAccessFile(const QString& path, sqlite3* target) {
    const QByteArray file = QFile::encodeName(path);
    std::unique_ptr<MdbHandle, MdbCloser> mdb(mdb_open(file.constData(), MDB_NOFLAGS));
    if (!mdb)
        return QStringLiteral("libmdb cannot open the file");
    mdb_set_date_fmt(mdb.get(), "%Y-%m-%d %H:%M:%S");
    mdb_set_boolean_fmt_numbers(mdb.get());
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE))
        return QStringLiteral("libmdb cannot read the table catalogue");
    RowBudget budget{QFileInfo(path).size()};
    QString error = execError(target, sql::begin());
    int tables = 0;
    for (unsigned i = 0; error.isEmpty() && i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry)) {
            error = copyAccessTable(entry, target, budget);
            ++tables;
        }
    }
    if (error.isEmpty() && tables == 0)
        error = QStringLiteral("the file lists no tables");
    // libmdb takes a page it fails to read for the end of its table.
    if (error.isEmpty() && ferror(mdb->f->stream))
        error = QStringLiteral("reading the file failed part-way");
    if (error.isEmpty())
        error = execError(target, sql::commit());
    return error;
}

namespace {

// One statement of the import, its parameters bound as text.
class Statement {
public:
    Statement(sqlite3* db, const QString& text, const QStringList& values = {}) : db_(db) {
        if (sqlite3_prepare_v2(db, text.toUtf8().constData(), -1, &statement_, nullptr) !=
            SQLITE_OK) {
            error_ = QString::fromUtf8(sqlite3_errmsg(db));
            return;
        }
        for (int i = 0; i < values.size(); ++i)
            sqlite3_bind_text16(statement_, i + 1, values[i].utf16(),
                                static_cast<int>(values[i].size() * 2), SQLITE_TRANSIENT);
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Steps to the next row; false at the end or on an error, which error() then tells.
    bool next() {
        if (!statement_)
            return false;
        const int rc = sqlite3_step(statement_);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            error_ = QString::fromUtf8(sqlite3_errmsg(db_));
        return rc == SQLITE_ROW;
    }
    QString text(int column) const {
        const auto* units = static_cast<const char16_t*>(sqlite3_column_text16(statement_, column));
        return QString::fromUtf16(units, sqlite3_column_bytes16(statement_, column) / 2);
    }
    const QString& error() const { return error_; }

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
    QString error_;
};

// The file as an SQLite URI, opened read-only. Its bytes are named as they are, every one but
// the unreserved characters and "/" escaped, so no "?" or "#" of a file name reads as part of
// the URI.
QString readOnlyUri(const QString& path) {
    const QByteArray absolute = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    return QStringLiteral("file:") + QString::fromLatin1(absolute.toPercentEncoding("/")) +
           QStringLiteral("?mode=ro");
}

// The first view, trigger or virtual table of the attached source, if it has one.
std::optional<NonTable> firstNonTable(sqlite3* target, QString& error) {
    Statement found(target, sql::sourceNonTables());
    if (!found.next()) {
        error = found.error();
        return std::nullopt;
    }
    const QString type = found.text(0);
    const CatalogueReaderFailure kind = type == u"view" ? CatalogueReaderFailure::HoldsView
                                        : type == u"trigger"
                                            ? CatalogueReaderFailure::HoldsTrigger
                                            : CatalogueReaderFailure::HoldsVirtualTable;
    return NonTable{kind, found.text(1)};
}

// SQLite's own check of the attached file's structure: its first complaint, or empty.
QString quickCheck(sqlite3* target) {
    Statement check(target, sql::sourceQuickCheck());
    if (!check.next())
        return check.error().isEmpty() ? QStringLiteral("the integrity check gave no answer")
                                       : check.error();
    const QString verdict = check.text(0);
    return verdict == u"ok" ? QString() : verdict;
}

QString copySourceTable(sqlite3* target, const QString& table) {
    std::vector<sql::Column> columns;
    QStringList names;
    Statement info(target, sql::sourceColumns(), {table});
    while (info.next()) {
        columns.push_back({info.text(0), typeOfDeclared(info.text(1))});
        names << columns.back().name;
    }
    if (!info.error().isEmpty())
        return info.error();
    QString error = execError(target, sql::createTable(table, columns));
    return error.isEmpty() ? execError(target, sql::copyFromSource(table, names)) : error;
}

} // namespace

QString importSqliteFile(const QString& path, sqlite3* target, std::optional<NonTable>& refused) {
    // Nothing the file declares may call a function with side effects, and nothing may write
    // to the file's structure behind SQLite's back.
    sqlite3_db_config(target, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(target, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    {
        Statement attach(target, sql::attachSource(), {readOnlyUri(path)});
        attach.next();
        if (!attach.error().isEmpty())
            return attach.error();
    }
    QString error;
    refused = firstNonTable(target, error);
    if (refused)
        return QStringLiteral("the file holds %1, which is no table").arg(refused->name);
    if (error.isEmpty())
        error = quickCheck(target);
    if (!error.isEmpty())
        return error;
    QStringList tables;
    Statement list(target, sql::sourceTables());
    while (list.next())
        tables << list.text(0);
    if (!list.error().isEmpty())
        return list.error();
    error = execError(target, sql::begin());
    for (const QString& table : tables) {
        if (!error.isEmpty())
            return error;
        error = copySourceTable(target, table);
    }
    return error.isEmpty() ? execError(target, sql::commit()) : error;
}

} // namespace vw
