#include "MainWindow.h"
#include "QtTranslation.h"
#include "SingleInstance.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

const char* const Usage =
    "usage: vendwright [SCRIPT] [--catalogue FILE]\n"
    "\n"
    "Edits the merchant sell lists of an NPC AI script (UTF-16LE) against an item catalogue.\n"
    "\n"
    "  SCRIPT            the script to read; else the one read last, else AI/ai.obj\n"
    "                    in the program folder\n"
    "  --catalogue FILE  the item catalogue (Access or SQLite); else the one used last,\n"
    "                    else DB/Wareroll.mdb in the program folder\n"
    "  --version         print the version and exit\n"
    "  --help            print this text and exit\n";

// The questions a terminal asks are answered before the application exists, so they need no
// display. Returns the exit code when one was answered.
std::optional<int> answerFromTerminal(int argc, char* argv[]) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        const char* text = nullptr;
        if (std::strcmp(argv[i], "--version") == 0)
            text = "vendwright " VW_VERSION "\n";
        else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            text = Usage;
        if (text)
            return std::fputs(text, stdout) < 0 || std::fflush(stdout) != 0 ? 1 : 0;
    }
    return std::nullopt;
}

// Every size drawn from the packaged SVG at build time, so each place gets a sharp picture.
QIcon programIcon() {
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icons"), QDir::Files, QDirIterator::Subdirectories);
    while (sizes.hasNext())
        icon.addFile(sizes.next());
    return icon;
}

// The script and the catalogue the command line names; an argument that is neither is shown
// and ends the start.
std::optional<vw::MainWindow::StartFiles> filesFromArguments(const QStringList& arguments) {
    vw::MainWindow::StartFiles files;
    bool options = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (options && argument == u"--") {
            options = false;
        } else if (options && argument == u"--catalogue" && i + 1 < arguments.size()) {
            files.catalogue = arguments[++i];
        } else if (options && argument.startsWith(u"--catalogue=")) {
            files.catalogue = argument.mid(12);
        } else if ((!options || !argument.startsWith(u'-')) && files.script.isEmpty()) {
            files.script = argument;
        } else {
            const QString why = options && argument == u"--catalogue"
                                    ? QStringLiteral("--catalogue needs a file")
                                : options && argument.startsWith(u'-')
                                    ? QStringLiteral("unknown option ") + argument
                                    : QStringLiteral("one script at most: ") + argument;
            std::fprintf(stderr, "vendwright: %s\n\n%s", why.toLocal8Bit().constData(), Usage);
            return std::nullopt;
        }
    }
    // Paths as the user gave them, from where the program was started.
    for (QString* path : {&files.script, &files.catalogue}) {
        if (!path->isEmpty())
            *path = QFileInfo(*path).absoluteFilePath();
    }
    return files;
}

} // namespace

int main(int argc, char* argv[]) {
    if (const auto answered = answerFromTerminal(argc, argv))
        return *answered;
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Vendwright"));
    QApplication::setWindowIcon(programIcon());
    // The name of the installed .desktop entry, so a desktop shows its icon for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral(VW_APP_ID));
    // Start-up checks of an installed program let it quit on its own after this many ms, counted
    // from here: a question open at that moment is closed unanswered, and none opens after it.
    bool quitting = false;
    bool quitAfterSet = false;
    const int quitAfter = qEnvironmentVariableIntValue("VENDWRIGHT_QUIT_AFTER_MS", &quitAfterSet);
    if (quitAfterSet) {
        QTimer::singleShot(quitAfter, &app, [&quitting] {
            quitting = true;
            QCoreApplication::exit(0);
        });
    }
    const auto files = filesFromArguments(QCoreApplication::arguments());
    if (!files)
        return 2;
    vw::SingleInstance instance(vw::SingleInstance::defaultLockPath());
    // A second start hands its script to the running window, which comes to the front.
    if (!instance.acquired())
        return instance.handOver(files->script) ? 0 : 1;
    const QString programDir = QCoreApplication::applicationDirPath();
    // The window's texts and Qt's, in the language chosen in 选项 or the system's. Windows take
    // their texts when they are built, so a change applies at the next start.
    const vw::Workspace::Options options =
        vw::Workspace::storedOptions(vw::Workspace::userPlaces(programDir));
    const vw::Translation texts =
        vw::installTranslation(vw::chooseLanguage(options.language), programDir);
    vw::MainWindow window(programDir);
    QObject::connect(&instance, &vw::SingleInstance::handedOver, &window,
                     &vw::MainWindow::takeHandOver);
    window.show();
    window.load(*files);
    // Every event loop, a dialog's among them, ends once the program is told to quit; the main
    // one would start afresh.
    return quitting ? 0 : app.exec();
}
