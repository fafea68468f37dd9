#include "CatalogueImport.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QList>

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

enum class ColumnKind { Integer, Real, Text, Other };

struct ColumnDef {
    QByteArray name; // UTF-8
    ColumnKind kind;
};

QByteArray quotedIdentifier(const QByteArray& name) {
    QByteArray quoted = name;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

QByteArray columnDeclaration(const ColumnDef& column) {
    static const char* const types[] = {" INTEGER", " REAL", " TEXT COLLATE NOCASE", ""};
    return quotedIdentifier(column.name) + types[static_cast<int>(column.kind)];
}

QByteArray createTableSql(const QByteArray& table, const std::vector<ColumnDef>& columns) {
    QByteArray sql = "CREATE TABLE " + quotedIdentifier(table) + " (";
    for (size_t i = 0; i < columns.size(); ++i)
        sql += (i ? ", " : "") + columnDeclaration(columns[i]);
    return sql + ')';
}

QString execError(sqlite3* db, const QByteArray& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &message) == SQLITE_OK)
        return {};
    QString error = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
    sqlite3_free(message);
    return error.isEmpty() ? QStringLiteral("SQLite error") : error;
}

// SQLite's rule for a declared type's affinity.
ColumnKind kindOfDeclaredType(const QByteArray& declared) {
    const QByteArray type = declared.toUpper();
    if (type.contains("INT"))
        return ColumnKind::Integer;
    if (type.contains("CHAR") || type.contains("CLOB") || type.contains("TEXT"))
        return ColumnKind::Text;
    if (type.contains("REAL") || type.contains("FLOA") || type.contains("DOUB"))
        return ColumnKind::Real;
    return ColumnKind::Other;
}

// The kind a column of an Access file becomes; nullopt for the columns that are left out.
std::optional<ColumnKind> kindOfAccessType(int type) {
    switch (type) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return ColumnKind::Integer;
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return ColumnKind::Real;
    case MDB_TEXT:
    case MDB_MEMO:
    case MDB_DATETIME:
    case MDB_REPID:
        return ColumnKind::Text;
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
    ColumnDef def;
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
    std::vector<ColumnDef> defs;
    for (unsigned i = 0; i < table->num_cols; ++i) {
        const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
        const std::optional<ColumnKind> kind = kindOfAccessType(column->col_type);
        if (!kind)
            continue;
        // Jet 3 stores a character of the file's code page in a byte (two for a double-byte
        // code page), later versions store two bytes for each character.
        const int maxChars = column->col_type != MDB_TEXT ? 0
                             : jet3                       ? column->col_size
                                                          : column->col_size / 2;
        columns.push_back({{QByteArray(column->name), *kind}, static_cast<int>(i) + 1, maxChars});
        defs.push_back(columns.back().def);
    }
    if (columns.empty())
        return {};
    const QByteArray name(entry->object_name);
    if (QString error = execError(target, createTableSql(name, defs)); !error.isEmpty())
        return error;

    QByteArray insert = "INSERT INTO " + quotedIdentifier(name) + " VALUES (";
    for (size_t i = 0; i < columns.size(); ++i)
        insert += i ? ",?" : "?";
    insert += ')';
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
            const ColumnKind kind = columns[i].def.kind;
            // libmdb hands Null and "" alike as empty text; a number column can only be Null then.
            if (length == 0 && kind != ColumnKind::Text) {
                sqlite3_bind_null(statement.get(), index);
                continue;
            }
            const QByteArray text(value, length);
            bool ok = false;
            if (kind == ColumnKind::Integer) {
                const qlonglong number = text.toLongLong(&ok);
                if (ok)
                    sqlite3_bind_int64(statement.get(), index, number);
            } else if (kind == ColumnKind::Real) {
                const double number = text.toDouble(&ok);
                if (ok)
                    sqlite3_bind_double(statement.get(), index, number);
            } else if (columns[i].maxChars > 0) {
                const qsizetype chars = QString::fromUtf8(text).size();
                if (chars > columns[i].maxChars)
                    return QStringLiteral("table %1, column %2: a text of %3 characters in a "
                                          "column of %4")
                        .arg(tableName, QString::fromUtf8(columns[i].def.name))
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
    QString error = execError(target, "BEGIN");
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
        error = execError(target, "COMMIT");
    return error;
}

namespace {

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using DbHandle = std::unique_ptr<sqlite3, DbCloser>;

// Opens a file read-only; on failure `error` has SQLite's words.
DbHandle openReadOnly(const QString& path, QString& error) {
    sqlite3* raw = nullptr;
    const int rc =
        sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
    DbHandle db(raw);
    if (rc != SQLITE_OK)
        error = QString::fromUtf8(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));
    return db;
}

// SQLite's own check of the file's structure: its first complaint, or empty when it is sound.
QString quickCheck(sqlite3* db) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA quick_check(1)", -1, &raw, nullptr) != SQLITE_OK)
        return QString::fromUtf8(sqlite3_errmsg(db));
    std::unique_ptr<sqlite3_stmt, StatementFinalizer> statement(raw);
    if (sqlite3_step(raw) != SQLITE_ROW)
        return QString::fromUtf8(sqlite3_errmsg(db));
    const QString verdict = QString::fromUtf8(
        reinterpret_cast<const char*>(sqlite3_column_text(raw, 0)), sqlite3_column_bytes(raw, 0));
    return verdict == u"ok" ? QString() : verdict;
}

QString backup(sqlite3* source, sqlite3* target) {
    sqlite3_backup* copy = sqlite3_backup_init(target, "main", source, "main");
    if (!copy)
        return QString::fromUtf8(sqlite3_errmsg(target));
    sqlite3_backup_step(copy, -1);
    const int rc = sqlite3_backup_finish(copy);
    return rc == SQLITE_OK ? QString() : QString::fromUtf8(sqlite3_errstr(rc));
}

QString rebuildWithNocase(sqlite3* target) {
    // The copy keeps the file's column declarations; rebuild each table so its text columns
    // compare without regard to letter case.
    std::vector<QByteArray> tables;
    sqlite3_stmt* list = nullptr;
    if (sqlite3_prepare_v2(target,
                           "SELECT name FROM sqlite_schema WHERE type='table' AND name NOT LIKE "
                           "'sqlite\\_%' ESCAPE '\\'",
                           -1, &list, nullptr) != SQLITE_OK)
        return QString::fromUtf8(sqlite3_errmsg(target));
    while (sqlite3_step(list) == SQLITE_ROW)
        tables.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(list, 0)));
    sqlite3_finalize(list);

    QString error = execError(target, "BEGIN");
    for (const QByteArray& table : tables) {
        if (!error.isEmpty())
            break;
        std::vector<ColumnDef> columns;
        sqlite3_stmt* info = nullptr;
        const QByteArray pragma = "PRAGMA table_info(" + quotedIdentifier(table) + ")";
        if (sqlite3_prepare_v2(target, pragma.constData(), -1, &info, nullptr) != SQLITE_OK)
            return QString::fromUtf8(sqlite3_errmsg(target));
        while (sqlite3_step(info) == SQLITE_ROW) {
            const QByteArray name(reinterpret_cast<const char*>(sqlite3_column_text(info, 1)));
            const QByteArray type(reinterpret_cast<const char*>(sqlite3_column_text(info, 2)));
            columns.push_back({name, kindOfDeclaredType(type)});
        }
        sqlite3_finalize(info);
        const QByteArray staging = quotedIdentifier("vw_staging_" + table);
        const QByteArray original = quotedIdentifier(table);
        for (const QByteArray& sql :
             {createTableSql("vw_staging_" + table, columns),
              "INSERT INTO " + staging + " SELECT * FROM " + original, "DROP TABLE " + original,
              "ALTER TABLE " + staging + " RENAME TO " + original}) {
            error = execError(target, sql);
            if (!error.isEmpty())
                break;
        }
    }
    if (error.isEmpty())
        error = execError(target, "COMMIT");
    return error;
}

} // namespace

QString importSqliteFile(const QString& path, sqlite3* target) {
    QString error;
    DbHandle source = openReadOnly(path, error);
    if (error.isEmpty())
        error = quickCheck(source.get());
    if (error.isEmpty())
        error = backup(source.get(), target);
    source.reset();
    return error.isEmpty() ? rebuildWithNocase(target) : error;
}

QString copyImportedFile(const QString& path, sqlite3* target) {
    QString error;
    DbHandle source = openReadOnly(path, error);
    return error.isEmpty() ? backup(source.get(), target) : error;
}

} // namespace vw
