#pragma once

#include <QStringList>
#include <QTextStream>

namespace vw::cli {

// Runs one command line (without the program name): results go to `out`, messages and
// warnings to `err`. Returns the process exit code (see CliError.h).
int runCli(const QStringList& args, QTextStream& out, QTextStream& err);

// Flushes `out` and says why what was written to it did not arrive (a full disk, a closed
// pipe), or gives a null string when it did.
QString outputFailure(QTextStream& out);

} // namespace vw::cli
