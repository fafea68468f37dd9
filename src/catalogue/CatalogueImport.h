#pragma once

#include <QString>

struct sqlite3;

namespace vw {

// Each import fills `target` (an empty in-memory database) with the user tables of a file,
// declaring text columns COLLATE NOCASE. They return an empty string on success, else the error.
QString importAccessFile(const QString& path, sqlite3* target);
QString importSqliteFile(const QString& path, sqlite3* target);

} // namespace vw
