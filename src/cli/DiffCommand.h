#pragma once

#include <QStringList>
#include <QTextStream>

namespace vw::cli {

// `vendwright-cli diff OLD NEW [--catalogue FILE]`; returns the exit code.
int runDiff(const QStringList& args, QTextStream& out);

extern const char16_t* const DiffUsage;

} // namespace vw::cli
