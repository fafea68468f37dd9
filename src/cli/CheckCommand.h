#pragma once

#include "editor/Checks.h"

#include <QStringList>
#include <QTextStream>

namespace vw::cli {

// A finding as `check` prints it after its line number.
QString findingText(const Finding& finding);

// `vendwright-cli check SCRIPT --catalogue FILE`; returns the exit code.
int runCheck(const QStringList& args, QTextStream& out);

extern const char16_t* const CheckUsage;

} // namespace vw::cli
