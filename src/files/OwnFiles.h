#pragma once

#include <QByteArray>
#include <QString>

// The files the program keeps for itself (settings, journals, the hand-off's lock) live in the
// user's folders, where anything may stand at their names: a link to another file, a pipe that
// would block a read for ever, a file grown past any sane size. These functions never follow a
// link, never block, never read more than asked for, and never leave a file half-written.
namespace vw::files {

struct ReadResult {
    enum class Status {
        Ok,
        Missing,    // nothing at the path, or a folder on the way is missing
        NotRegular, // a link, folder, pipe, socket or device: never opened for reading
        TooLarge,   // larger than the caller's bound: never read
        Unreadable, // a regular file the system refused to open or read
    };
    Status status = Status::Missing;
    QByteArray bytes;
    qint64 size = 0; // the size found, also for TooLarge
    QString detail;  // the system's own words, when it gave any
};

// The file at `path` when it is a regular file of at most `maxSize` bytes.
ReadResult readFile(const QString& path, qint64 maxSize);

struct SetAsideResult {
    bool ok = false;
    QString newPath; // where the file now stands
    QString detail;
};

// Renames whatever stands at `path` (a link itself, never its target) to a free name beside it,
// `<name>.set-aside-<date>-<time>`, so it is kept for the user to look at and is out of the way.
SetAsideResult setAside(const QString& path);

struct SaveResult {
    enum class Status {
        Ok,
        FolderFailed, // a missing folder on the way could not be created
        NotRegular,   // a folder, pipe, socket or device stands at the path
        Failed,       // the file could not be written
        DiskFull,     // its file system has no space left
    };
    Status status = Status::Ok;
    QString detail;
    bool ok() const { return status == Status::Ok; }
};

// Replaces the file at `path` by `bytes`: written beside it and renamed into place, so a failure
// leaves the previous file exactly as it was. A link at the path is replaced, never followed.
// The file is the user's alone (0600); missing folders are created the same way (0700).
SaveResult saveFile(const QString& path, const QByteArray& bytes);

struct FolderResult {
    enum class Status {
        Ok,
        CreateFailed, // missing and could not be created, or could not be opened
        NotFolder,    // a file stands there
        Link,         // a symbolic link stands there
        Foreign,      // owned by another user
        Loose,        // others may write or look into it
    };
    Status status = Status::Ok;
    QString detail;
    bool ok() const { return status == Status::Ok; }
};

// What to do with a folder of the user's own that others may write or look into.
enum class LooseFolder {
    Refuse,  // something another user put there could be waiting in it
    Tighten, // an older version made it so: made private (0700)
};

// Creates `path` (and missing folders above it) as folders only the user can use (0700), or
// checks the one that stands there: a folder, no link, owned by this process's effective user,
// open to nobody else.
FolderResult privateFolder(const QString& path, LooseFolder loose);

// Whether a file can be written at `path`: its folder, or the nearest one above it that exists
// when it is missing, takes new files.
bool canCreateAt(const QString& path);

} // namespace vw::files
