#pragma once

#include <QStringList>
#include <QTextStream>

namespace vw::cli {

// `vendwright-cli where SCRIPT ID [--catalogue FILE] [--json]`; returns the exit code.
int runWhere(const QStringList& args, QTextStream& out);

extern const char16_t* const WhereUsage;

} // namespace vw::cli
