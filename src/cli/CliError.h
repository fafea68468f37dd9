#pragma once

#include <QString>

namespace vw::cli {

// The exit codes every command shares.
enum ExitCode : int {
    ExitOk = 0,
    ExitFindings = 1,     // check found something
    ExitUsage = 2,        // the command line is wrong
    ExitInput = 3,        // a script, catalogue or edit file cannot be used
    ExitWriteRefused = 4, // the output was refused or could not be written
    ExitSkipped = 5,      // apply --keep-going: some edits did not apply
    ExitReportLost = 6,   // apply: OUT was written, but standard output could not be
};

// Ends a command early: helpers deep in a command throw it, and the dispatcher prints the
// message on the error stream and exits with the code. Nothing a command writes to a file
// survives it, because output files are only written as the last step.
struct CliError {
    int exitCode;
    QString message;
};

} // namespace vw::cli
