#pragma once

#include "ScriptReader.h"
#include "ShopRecord.h"

#include <QString>

#include <vector>

namespace vw {

// The main window's file and editing state: what was read, from where, and what to write.
struct ScriptState {
    bool loading = false;
    bool fileLoaded = false;
    QString sourcePath; // the file the next read takes; the open dialog may change it any time
    QString outputPath; // the trimmed name of the last output chosen
    std::vector<ShopRecord> records;
    ReadReport report; // what the read met besides the records, for the checks

    // The file the records were read from and how it looked then. Writing copies this file,
    // not a source path chosen since, and refuses it once it changed.
    QString readPath;
    SourceStamp readStamp;
};

} // namespace vw
