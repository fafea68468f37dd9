#pragma once

#include "ShopRecord.h"

#include <QDateTime>
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

// What a script file looked like when it was read; the writer refuses a source that differs.
struct SourceStamp {
    qint64 size = -1;
    QDateTime modified;

    bool operator==(const SourceStamp&) const = default;
};

struct ScriptReadResult {
    ReadStatus status = ReadStatus::Ok;
    std::vector<ShopRecord> records;
    qint64 lineCount = 0;
    SourceStamp stamp;
};

// Called before each block of 100 lines with the number of blocks completed so far.
using ReadProgress = std::function<void(qint64 hundreds)>;

// Builds the records of every NPC class that has sell-list items. Pure: it touches nothing but
// the device and the callback.
ScriptReadResult readScript(QIODevice& device, const ReadProgress& progress = {});

// Opens `path` and reads it; records the file's stamp for the writer.
ScriptReadResult readScriptFile(const QString& path, const ReadProgress& progress = {});

SourceStamp stampOf(const QString& path);

} // namespace vw
