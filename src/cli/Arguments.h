#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace vw::cli {

// The command line of one command after its name: positional arguments and the few options
// the commands know. Options may stand anywhere; "--" ends them.
struct Arguments {
    QStringList positional;
    std::optional<QString> catalogue; // --catalogue FILE or --catalogue=FILE
    bool json = false;                // --json
    bool keepGoing = false;           // --keep-going
    bool keepLines = false;           // --keep-lines
    bool help = false;                // --help or -h
};

// Which options a command accepts; any other option is a usage error.
struct AcceptedOptions {
    bool catalogue = false;
    bool json = false;
    bool keepGoing = false;
    bool keepLines = false;
};

// Parses `args`; throws a usage CliError for an unknown option or a missing option value.
Arguments parseArguments(const QStringList& args, AcceptedOptions accepted);

} // namespace vw::cli
