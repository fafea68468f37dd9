// vendwright-cli: the sell-list commands of Vendwright for scripts and shells.
#include "Cli.h"

#include <QCoreApplication>
#include <QFile>

#include <csignal>
#include <cstdio>

int main(int argc, char* argv[]) {
    // The catalogue's reading child is found beside the executable, which needs the application.
    const QCoreApplication app(argc, argv);
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
