#include "CatalogueImport.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <glib.h> // before mdbtools.h, whose extern "C" block would otherwise wrap glib's C++ parts
#include <mdbtools.h>
#include <sqlite3.h>

#include <cstdio>
#include <memory>
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

ColumnKind kindOfAccessType(int type) {
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
        return ColumnKind::Text;
    default:
        return ColumnKind::Other;
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

QString copyAccessTable(MdbCatalogEntry* entry, sqlite3* target) {
    std::unique_ptr<MdbTableDef, TableFreer> table(mdb_read_table(entry));
    if (!table || !mdb_read_columns(table.get()))
        return QStringLiteral("cannot read table %1").arg(QString::fromUtf8(entry->object_name));
    std::vector<ColumnDef> columns;
    for (unsigned i = 0; i < table->num_cols; ++i) {
        const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
        columns.push_back({QByteArray(column->name), kindOfAccessType(column->col_type)});
    }
    const QByteArray name(entry->object_name);
    if (QString error = execError(target, createTableSql(name, columns)); !error.isEmpty())
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
        mdb_bind_column(table.get(), static_cast<int>(i) + 1, buffers[i].data(), &lengths[i]);
    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
        for (size_t i = 0; i < columns.size(); ++i) {
            const int index = static_cast<int>(i) + 1;
            const char* value = buffers[i].data();
            const int length = lengths[i];
            // libmdb hands Null and "" alike as empty text; a number column can only be Null then.
            if (length == 0 && columns[i].kind != ColumnKind::Text) {
                sqlite3_bind_null(statement.get(), index);
                continue;
            }
            const QByteArray text(value, length);
            bool ok = false;
            if (columns[i].kind == ColumnKind::Integer) {
                const qlonglong number = text.toLongLong(&ok);
                if (ok)
                    sqlite3_bind_int64(statement.get(), index, number);
            } else if (columns[i].kind == ColumnKind::Real) {
                const double number = text.toDouble(&ok);
                if (ok)
                    sqlite3_bind_double(statement.get(), index, number);
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
    std::unique_ptr<MdbHandle, MdbCloser> mdb(
        mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS));
    if (!mdb)
        return QStringLiteral("libmdb cannot open the file");
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE))
        return QStringLiteral("libmdb cannot read the table catalogue");
    QString error = execError(target, "BEGIN");
    for (unsigned i = 0; error.isEmpty() && i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
            error = copyAccessTable(entry, target);
    }
    // libmdb takes a page it fails to read for the end of its table.
    if (error.isEmpty() && ferror(mdb->f->stream))
        error = QStringLiteral("reading the file failed part-way");
    if (error.isEmpty())
        error = execError(target, "COMMIT");
    return error;
}

QString importSqliteFile(const QString& path, sqlite3* target) {
    sqlite3* source = nullptr;
    const QByteArray file = path.toUtf8();
    int rc = sqlite3_open_v2(file.constData(), &source, SQLITE_OPEN_READONLY, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
        if (backup) {
            sqlite3_backup_step(backup, -1);
            rc = sqlite3_backup_finish(backup);
        } else {
            rc = sqlite3_errcode(target);
        }
    }
    QString error = rc == SQLITE_OK ? QString() : QString::fromUtf8(sqlite3_errstr(rc));
    sqlite3_close(source);
    if (!error.isEmpty())
        return error;

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

    error = execError(target, "BEGIN");
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

} // namespace vw
