#include "Cli.h"

#include "ApplyCommand.h"
#include "CheckCommand.h"
#include "CliError.h"
#include "DiffCommand.h"
#include "DumpCommand.h"
#include "Echo.h"
#include "StatsCommand.h"
#include "WhereCommand.h"
#include "script/ScriptFile.h"

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

namespace {

const char16_t* const MainUsage =
    u"usage: vendwright-cli COMMAND [ARGUMENTS]\n"
    u"\n"
    u"Reads and edits the merchant sell lists of an NPC AI script (UTF-16LE).\n"
    u"\n"
    u"commands:\n"
    u"  dump SCRIPT [--catalogue FILE] [--json]   show every record and its lists\n"
    u"  check SCRIPT --catalogue FILE             list what a server would trip on\n"
    u"  where SCRIPT ID [--catalogue FILE] [--json] list the merchants that sell an item\n"
    u"  apply SCRIPT EDITS OUT [--catalogue FILE] [--keep-going] [--keep-lines]\n"
    u"                                            write an edited copy of the script\n"
    u"  diff OLD NEW [--catalogue FILE]           print the edits that turn OLD into NEW\n"
    u"  stats SCRIPT --catalogue FILE [--json]    the numbers of the statistics report\n"
    u"\n"
    u"\"vendwright-cli COMMAND --help\" describes a command; --version prints the version.\n"
    u"exit codes: 0 ok, 1 findings (check) or sold nowhere (where), 2 usage error,\n"
    u"            3 input error, 4 output refused or not written,\n"
    u"            5 edits skipped (apply --keep-going),\n"
    u"            6 OUT written but standard output not (apply)\n";

int dispatch(const QStringList& args, QTextStream& out, QTextStream& err) {
    const QString command = args.value(0);
    const QStringList rest = args.mid(1);
    if (command == u"--help" || command == u"-h" || command == u"help") {
        out << QString::fromUtf16(MainUsage);
        return ExitOk;
    }
    if (command == u"--version") {
        out << u"vendwright-cli " VW_VERSION "\n"_s;
        return ExitOk;
    }
    if (command == u"dump")
        return runDump(rest, out);
    if (command == u"check")
        return runCheck(rest, out);
    if (command == u"where")
        return runWhere(rest, out);
    if (command == u"stats")
        return runStats(rest, out);
    if (command == u"apply")
        return runApply(rest, out, err);
    if (command == u"diff")
        return runDiff(rest, out);
    if (command.isEmpty())
        throw CliError{ExitUsage, u"no command given (see --help)"_s};
    throw CliError{ExitUsage, u"unknown command "_s + command + u" (see --help)"_s};
}

} // namespace

QString outputFailure(QTextStream& out) {
    out.flush();
    if (out.status() == QTextStream::Ok)
        return {};
    const QIODevice* device = out.device();
    const QString reason = !device                   ? u"the stream failed"_s
                           : failedForSpace(*device) ? u"no space left on the device"_s
                                                     : device->errorString();
    return u"writing standard output failed ("_s + reason + u')';
}

int runCli(const QStringList& args, QTextStream& out, QTextStream& err) {
    int code = ExitOk;
    try {
        code = dispatch(args, out, err);
        // Output that did not arrive must not pass for a result: a full disk or a closed pipe
        // makes the run fail, whatever the command found. apply has said so itself, as its
        // output file stands written all the same.
        if (const QString failure = outputFailure(out); !failure.isNull() && code != ExitReportLost)
            throw CliError{ExitWriteRefused, failure};
    } catch (const CliError& error) {
        // Paths and names in a message are shown as the text forms show them.
        err << u"vendwright-cli: "_s << shown(error.message) << u'\n';
        code = error.exitCode;
    }
    out.flush();
    err.flush();
    return code;
}

} // namespace vw::cli
