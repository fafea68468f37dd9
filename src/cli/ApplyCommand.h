#pragma once

#include <QStringList>
#include <QTextStream>

namespace vw::cli {

// `vendwright-cli apply SCRIPT EDITS OUT [--catalogue FILE]`; returns the exit code. Either
// every edit applies and OUT is written whole, or nothing is written.
int runApply(const QStringList& args, QTextStream& out, QTextStream& err);

extern const char16_t* const ApplyUsage;

} // namespace vw::cli
