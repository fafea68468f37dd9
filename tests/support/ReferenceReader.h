#pragma once

#include "script/ScriptReader.h"

#include <QByteArray>

#include <string>
#include <vector>

namespace vw::test {

// What reading `bytes` must give, by the plain reference reader: from a device that knows its
// size (a file, a buffer) unless `sequential` (a pipe), with the progress calls in `progress`.
ScriptReadResult referenceRead(const QByteArray& bytes, bool sequential = false,
                               std::vector<qint64>* progress = nullptr);

// What differs between two results (status, text problem, records, report, line count, hash),
// or nothing.
std::string differenceOf(const ScriptReadResult& expected, const ScriptReadResult& actual);

} // namespace vw::test
