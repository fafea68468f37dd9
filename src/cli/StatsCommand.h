#pragma once

#include <QStringList>
#include <QTextStream>

namespace vw::cli {

// `vendwright-cli stats SCRIPT --catalogue FILE [--json]`; returns the exit code.
int runStats(const QStringList& args, QTextStream& out);

extern const char16_t* const StatsUsage;

} // namespace vw::cli
