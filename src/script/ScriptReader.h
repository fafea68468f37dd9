#pragma once

#include "LineSource.h"
#include "ShopRecord.h"

#include <QIODevice>
#include <QString>

#include <functional>
#include <vector>

namespace vw {

enum class ReadStatus {
    Ok,
    OpenFailed, // the file exists but cannot be opened
    NotUtf16,   // the bytes are not UTF-16LE text
    ReadFailed, // the device reported an error part-way
};

// What the file system tells about a file, enough to see most changes cheaply: a file put in
// its place has another inode, and rewriting it in place sets its change time, which unlike
// the modification time cannot be set back.
struct FileFacts {
    bool exists = false;
    bool regular = false; // a regular file: no folder, device, pipe or socket
    qint64 size = 0;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;

    bool operator==(const FileFacts&) const = default;
};

// The facts of the file a path names (following links).
FileFacts fileFactsOf(const QString& path);

// What a script file looked like when it was read; the writer refuses a source that differs.
// The facts are the cheap first test, the hash of every byte read the proof.
struct SourceStamp {
    FileFacts facts;
    quint64 contentHash = 0;

    bool operator==(const SourceStamp&) const = default;
};

// What the reader met in lines the records do not show, for the checks. Lines count from 1.
struct ReadReport {
    // A line inside an open list that holds "{" but is no item line: the reader skips it, a
    // server meets it in the middle of the list.
    struct MalformedLine {
        enum class Reason { NoClosingBrace, EmptyId };
        int line = 0;
        int classLine = 0;
        QString className;
        int list = 0;
        Reason reason = Reason::NoClosingBrace;

        bool operator==(const MalformedLine&) const = default;
    };
    // A list opened again in a class that already read it; the second block is not read and
    // the writer leaves the list as it stands.
    struct RepeatedList {
        int line = 0;
        int classLine = 0;
        QString className;
        int list = 0;

        bool operator==(const RepeatedList&) const = default;
    };
    // A block of a list with items that its class, another list or the file ended before any
    // buyselllist_end; `line` is its first item line.
    struct UnclosedList {
        int line = 0;
        int classLine = 0;
        QString className;
        int list = 0;

        bool operator==(const UnclosedList&) const = default;
    };

    // The line of each record's class header, parallel to the records.
    std::vector<int> recordClassLines;
    std::vector<MalformedLine> malformed;
    std::vector<RepeatedList> repeated;
    std::vector<UnclosedList> unclosed;

    bool operator==(const ReadReport&) const = default;
};

struct ScriptReadResult {
    ReadStatus status = ReadStatus::Ok;
    TextProblem textProblem = TextProblem::None; // why, when the status is NotUtf16
    std::vector<ShopRecord> records;
    ReadReport report;
    qint64 lineCount = 0;
    SourceStamp stamp; // readScript sets the hash only
};

// Called before each block of 100 lines with the number of blocks completed so far.
using ReadProgress = std::function<void(qint64 hundreds)>;

// Builds the records of every NPC class that has sell-list items. Pure: it touches nothing but
// the device and the callback.
ScriptReadResult readScript(QIODevice& device, const ReadProgress& progress = {});

// Opens `path` and reads it; records the file's stamp for the writer.
ScriptReadResult readScriptFile(const QString& path, const ReadProgress& progress = {});

// Takes each record as soon as the reader is done with it, in script order, to keep or to let
// go. A read that ends refused has handed over records all the same: its status says whether
// they count.
using RecordSink = std::function<void(ShopRecord&& record)>;

// The same reads, for a caller that needs few of the records: each goes to `sink` once whole
// instead of into the result, whose records stay empty; report, line count and stamp are those
// of readScript and readScriptFile. Memory holds one record at a time.
ScriptReadResult streamScript(QIODevice& device, const RecordSink& sink,
                              const ReadProgress& progress = {});
ScriptReadResult streamScriptFile(const QString& path, const RecordSink& sink,
                                  const ReadProgress& progress = {});

} // namespace vw
