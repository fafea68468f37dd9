#pragma once

#include "script/ScriptReader.h"

#include <QBuffer>

#include <optional>
#include <vector>

namespace vw::test {

// Reads `bytes` both ways: passing over the lines that cannot change the structure must give
// exactly what reading every line gives — records, report, line count, progress and hash.
// Returns the structure walk's result, or none when the two differ.
inline std::optional<ScriptReadResult> readBothWays(QByteArray bytes) {
    std::vector<qint64> progress[2];
    ScriptReadResult results[2];
    for (const LineWalk walk : {LineWalk::Every, LineWalk::Structure}) {
        const auto i = static_cast<size_t>(walk == LineWalk::Structure);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        results[i] = readScript(
            buffer, [&](qint64 h) { progress[i].push_back(h); }, walk);
    }
    const ScriptReadResult& every = results[0];
    const ScriptReadResult& structure = results[1];
    if (every.status != structure.status || !(every.records == structure.records) ||
        !(every.report == structure.report) || every.lineCount != structure.lineCount ||
        progress[0] != progress[1] || every.stamp.contentHash != structure.stamp.contentHash)
        return std::nullopt;
    return results[1];
}

} // namespace vw::test
