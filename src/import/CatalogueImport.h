#pragma once

#include "catalogue/CatalogueDb.h"

#include <QString>

#include <optional>

struct sqlite3;

// The conversions the reading child, vendwright-import, runs: each fills `target` (an empty
// database) with the user tables of a file, declaring text columns COLLATE NOCASE, and returns
// an empty string on success, else the error. They trust nothing in the file, yet the libraries
// that read it are not made for hostile files, so they run only in the child, under its limits
// (catalogue/AccessReader.h); this library is linked by nothing else.
namespace vw {

// Reads an Access file through libmdb. Text and Memo columns become text, Date/Time ISO text
// ("2004-03-01 12:00:00"), replication IDs text; Yes/No, Byte, Integer and Long Integer whole
// numbers; Currency, Single, Double and Decimal real numbers. OLE objects, binary and attachment
// columns hold no text the statements could use and are left out.
// What the file could not hold fails the import: rows that take more bytes than the file has, a
// text longer than its column's declared size, a table its catalogue lists that cannot be read.
QString importAccessFile(const QString& path, sqlite3* target);

// A view, trigger or virtual table that made an SQLite file refused.
struct NonTable {
    CatalogueReaderFailure kind; // HoldsView, HoldsTrigger or HoldsVirtualTable
    QString name;
};

// Copies the tables of an SQLite file, after its own integrity check (PRAGMA quick_check), with
// the columns they store; generated columns are left out. A file that holds a view, a trigger or
// a virtual table is refused, and `refused` names the first: a view or a trigger is SQL of the
// file's own that runs when it is read or written, a virtual table a module's code. The file is
// attached by a read-only URI, so `target` must be opened with SQLITE_OPEN_URI.
QString importSqliteFile(const QString& path, sqlite3* target, std::optional<NonTable>& refused);

} // namespace vw
