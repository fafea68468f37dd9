#pragma once

#include "CatalogueDb.h"

#include <QString>

#include <chrono>

struct sqlite3;

namespace vw {

// The libraries that read catalogue files are not made for hostile ones: a few changed bytes
// can make libmdb loop while its memory grows, crash, or return garbage, and an SQLite file can
// hold views whose reading never ends. So every catalogue file is read by a child process,
// vendwright-import, which converts it into an SQLite file of plain tables in a private folder
// under a time and a memory limit; the program then copies that file into memory. The folder
// lies under the user's runtime folder ($XDG_RUNTIME_DIR) when there is one, else under the
// temporary folder, and is named after the program's process, so that a folder a killed program
// left behind is removed by the next load. The child dies with the program.

// The child's exit codes. Anything else, a signal included, counts as a crash.
namespace readerexit {
inline constexpr int Done = 0;
inline constexpr int Usage = 64;
inline constexpr int Failed = 65; // the file is no usable catalogue; the reason is on stdout
inline constexpr int OutOfMemory = 66;
// An SQLite file with more than tables: stdout holds the CatalogueReaderFailure's number
// (HoldsView, HoldsTrigger or HoldsVirtualTable) on a line, then the object's name.
inline constexpr int NotOnlyTables = 67;
} // namespace readerexit

struct AccessReaderLimits {
    std::chrono::milliseconds time;
    qint64 memoryBytes; // the child's data segment; 0 when it runs without one (see the .cpp)
    qint64 outputBytes; // the largest file it may write; beyond it the system stops the child
};

// The limits for a file of `fileSize` bytes: a few seconds for any real catalogue, growing with
// the size; memory 20 times the file size, at least 256 MiB and at most 1 GiB; output 8 MiB and
// four times the file size, at most 1 GiB.
AccessReaderLimits accessReaderLimits(qint64 fileSize);

// vendwright-import beside the running program, unless set otherwise (tests run elsewhere).
QString accessReaderProgram();
void setAccessReaderProgram(const QString& path);

// The folder under which the child's private folders are made.
QString readingFolderBase();

// Converts the Access or SQLite file at `path` in the child and copies the result into `target`.
CatalogueLoadResult readCatalogueInChild(const QString& path, sqlite3* target);

// Copies an SQLite file the reading child wrote into `target`; empty on success, else the error.
QString copyImportedFile(const QString& path, sqlite3* target);

} // namespace vw
