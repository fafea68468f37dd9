#pragma once

#include "CatalogueDb.h"

#include <QString>

#include <chrono>

struct sqlite3;

namespace vw {

// libmdb is not made for damaged files: a few changed bytes can make it loop while its memory
// grows, crash, or return garbage. So Access files are read by a child process,
// vendwright-import, which converts the file into an SQLite file in a private temporary folder
// under a time and a memory limit; the program then copies that file as it copies an SQLite
// catalogue.

// The child's exit codes. Anything else, a signal included, counts as a crash.
namespace readerexit {
inline constexpr int Done = 0;
inline constexpr int Usage = 64;
inline constexpr int Failed = 65; // the file is no usable catalogue; the reason is on stdout
inline constexpr int OutOfMemory = 66;
} // namespace readerexit

struct AccessReaderLimits {
    std::chrono::milliseconds time;
    qint64 memoryBytes; // the child's data segment; 0 when it runs without one (see the .cpp)
    qint64 outputBytes; // the largest file it may write; beyond it the system stops the child
};

// The limits for an Access file of `fileSize` bytes: a few seconds for any real catalogue,
// growing with the size; memory 20 times the file size, at least 256 MiB and at most 1 GiB;
// output 8 MiB and four times the file size, at most 1 GiB.
AccessReaderLimits accessReaderLimits(qint64 fileSize);

// vendwright-import beside the running program, unless set otherwise (tests run elsewhere).
QString accessReaderProgram();
void setAccessReaderProgram(const QString& path);

// Converts the Access file at `path` in the child and copies the result into `target`.
CatalogueLoadResult readAccessFile(const QString& path, sqlite3* target);

} // namespace vw
