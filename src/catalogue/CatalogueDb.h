#pragma once

#include <QString>

struct sqlite3;

namespace vw {

enum class CatalogueLoadStatus {
    Ok,
    Missing,      // no file at the path
    Unreadable,   // the file exists but cannot be read
    Unrecognised, // neither an Access nor an SQLite database, or a damaged one
};

// Why the reading child gave no catalogue, when that was the cause.
enum class CatalogueReaderFailure {
    None,
    TimedOut,    // it ran past its time limit and was stopped
    OutOfMemory, // it reached its memory limit
    Crashed,     // it ended any other way than by finishing or reporting a damaged file
    NotStarted,  // vendwright-import is missing or cannot be run
    // An SQLite file that holds more than tables and their indexes: `object` names the first
    // view, trigger or virtual table.
    HoldsView,
    HoldsTrigger,
    HoldsVirtualTable,
};

struct CatalogueLoadResult {
    CatalogueLoadStatus status = CatalogueLoadStatus::Ok;
    QString detail; // the engine's or library's own words, when it gave any
    CatalogueReaderFailure readerFailure = CatalogueReaderFailure::None;
    // The view, trigger or virtual table that made the file refused; the reading program that
    // could not be started.
    QString object{};
};

// The catalogue engine: an in-memory SQLite database holding a copy of the catalogue file.
// The file (an Access database or an SQLite database, either converted by the reading child,
// catalogue/AccessReader.h) is read once and never opened for writing. Text columns compare without
// regard to letter case, as the Access engine does, and the columns that statements join and filter
// on are indexed.
class CatalogueDb {
public:
    CatalogueDb();
    ~CatalogueDb();
    CatalogueDb(const CatalogueDb&) = delete;
    CatalogueDb& operator=(const CatalogueDb&) = delete;

    // Replaces the in-memory copy by the file's tables; on failure the old copy stays.
    CatalogueLoadResult load(const QString& path);
    bool isLoaded() const { return loaded_; }

    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
    bool loaded_ = false;
};

// Doubles every single quote, so a value can stand between the quotes of a statement; a NUL or
// a lone surrogate, which the statement text cannot carry, becomes the engine's char() of it.
QString sqlQuoted(QStringView value);

} // namespace vw
