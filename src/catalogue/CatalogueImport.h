#pragma once

#include <QString>

struct sqlite3;

namespace vw {

// Each import fills `target` (an empty database) with the user tables of a file, declaring text
// columns COLLATE NOCASE. They return an empty string on success, else the error.

// Reads an Access file through libmdb. libmdb trusts the file, so this runs only in the reading
// child process (vendwright-import), never in the program itself. Text and Memo columns become
// text, Date/Time ISO text ("2004-03-01 12:00:00"), replication IDs text; Yes/No, Byte, Integer
// and Long Integer whole numbers; Currency, Single, Double and Decimal real numbers. OLE objects,
// binary and attachment columns hold no text the statements could use and are left out.
// What the file could not hold fails the import: rows that take more bytes than the file has, a
// text longer than its column's declared size, a table its catalogue lists that cannot be read.
QString importAccessFile(const QString& path, sqlite3* target);

// Reads an SQLite file after its own integrity check (PRAGMA quick_check).
QString importSqliteFile(const QString& path, sqlite3* target);

// Copies an SQLite file the reading child wrote, whose tables are already in their final form.
QString copyImportedFile(const QString& path, sqlite3* target);

} // namespace vw
