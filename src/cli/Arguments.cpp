#include "Arguments.h"

#include "CliError.h"

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

namespace {

[[noreturn]] void usageError(const QString& message) {
    throw CliError{ExitUsage, message + u" (see --help)"_s};
}

} // namespace

Arguments parseArguments(const QStringList& args, AcceptedOptions accepted) {
    Arguments parsed;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (optionsEnded || !arg.startsWith(u'-') || arg == u"-") {
            parsed.positional.append(arg);
        } else if (arg == u"--") {
            optionsEnded = true;
        } else if (arg == u"--help" || arg == u"-h") {
            parsed.help = true;
        } else if (accepted.json && arg == u"--json") {
            parsed.json = true;
        } else if (accepted.keepGoing && arg == u"--keep-going") {
            parsed.keepGoing = true;
        } else if (accepted.keepLines && arg == u"--keep-lines") {
            parsed.keepLines = true;
        } else if (accepted.catalogue && arg == u"--catalogue") {
            if (i + 1 >= args.size())
                usageError(u"--catalogue needs a file name"_s);
            parsed.catalogue = args[++i];
        } else if (accepted.catalogue && arg.startsWith(u"--catalogue="_s)) {
            parsed.catalogue = arg.sliced(12);
        } else {
            usageError(u"unknown option "_s + arg);
        }
    }
    if (parsed.catalogue && parsed.catalogue->isEmpty())
        usageError(u"--catalogue needs a file name"_s);
    return parsed;
}

} // namespace vw::cli
