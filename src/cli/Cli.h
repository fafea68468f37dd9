#pragma once

#include <QStringList>
#include <QTextStream>

namespace vw::cli {

// Runs one command line (without the program name): results go to `out`, messages and
// warnings to `err`. Returns the process exit code (see CliError.h).
int runCli(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace vw::cli
