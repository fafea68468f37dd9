// vendwright-cli: the sell-list commands of Vendwright for scripts and shells.
#include "Cli.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>

int main(int argc, char* argv[]) {
    // The catalogue's reading child is found beside the executable, which needs the application.
    // A command given no catalogue does without it and its start-up (0.3 ms, a percent of a
    // `where` over a 60 MB script).
    std::optional<QCoreApplication> app;
    if (std::any_of(argv + 1, argv + argc,
                    [](const char* arg) { return std::strncmp(arg, "--catalogue", 11) == 0; }))
        app.emplace(argc, argv);
    // A reader that stops reading (a closed pipe, "| head") must show as a failed write, exit 4,
    // not end the program before it can say so.
    std::signal(SIGPIPE, SIG_IGN);
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QFile::decodeName(argv[i]));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return vw::cli::runCli(args, out, err);
}
