#pragma once

#include "ScriptReader.h"
#include "ScriptWriter.h"

#include <QString>

namespace vw {

// True when two names denote one file: the same trimmed text, or the same file on disk
// (a relative path, a link, another spelling).
bool namesSameFile(const QString& a, const QString& b);

// Whether a write to `device` failed for want of space on its file system.
bool failedForSpace(const QIODevice& device);

struct ScriptFileWriteResult {
    enum class Status {
        Ok,
        OutputIsSource,   // the output names the file that was read
        OutputNotRegular, // the output is a folder, device, pipe or socket
        SourceChanged,    // the source changed or vanished since it was read
        SourceFailed,     // the source cannot be opened or read
        OutputFailed,     // the output cannot be created or written
        DiskFull,         // the output's file system has no space left
    };
    Status status = Status::Ok;
    ScriptWriteResult write;
    QString detail; // the system's own words, when it gave any
};

// Writes the edited copy of the script read from `sourcePath` (as it looked at `stamp`) to
// `outputPath`. Only a regular file is ever replaced. The output appears whole or not at all:
// it is written beside its target and renamed into place once the bytes copied from the source
// are proven to be the bytes that were read; nothing is left behind on failure.
ScriptFileWriteResult writeScriptFile(const QString& sourcePath, const SourceStamp& stamp,
                                      const QString& outputPath,
                                      const std::vector<ShopRecord>& records,
                                      const WriteProgress& progress = {},
                                      const ScriptWriteOptions& options = {});

} // namespace vw
