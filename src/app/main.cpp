#include "MainWindow.h"
#include "QtTranslation.h"
#include "SingleInstance.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstring>
#include <optional>

using namespace Qt::Literals::StringLiterals;

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

QString folderProblem(const vw::files::FolderResult& check) {
    using Status = vw::files::FolderResult::Status;
    switch (check.status) {
    case Status::Ok:
        break;
    case Status::CreateFailed:
        return u"cannot be used ("_s + check.detail + u')';
    case Status::NotFolder:
        return u"is not a folder"_s;
    case Status::Link:
        return u"is a symbolic link"_s;
    case Status::Foreign:
        return u"belongs to another user"_s;
    case Status::Loose:
        return u"is open to other users"_s;
    }
    return {};
}

QString handOverProblem(const vw::SingleInstance::HandOver& handed) {
    using Status = vw::SingleInstance::HandOver::Status;
    const QString reason = handed.detail.isEmpty() ? QString() : u" ("_s + handed.detail + u')';
    switch (handed.status) {
    case Status::Ok:
        break;
    case Status::NotSendable:
        return u"the script's path cannot be handed to the running window: it is too long or "
               u"holds a NUL character"_s;
    case Status::NotReached:
        return u"another window of this program folder holds the lock but cannot be reached"_s +
               reason;
    case Status::NoAnswer:
        return u"the running window of this program folder did not confirm the hand-over"_s +
               reason;
    }
    return {};
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
    const QString programDir = QCoreApplication::applicationDirPath();
    // One window per program folder: a later start hands its script to the running window,
    // which comes to the front. Without a folder of the user's alone for the lock, this window
    // runs on its own.
    const vw::SingleInstance::Place place = vw::SingleInstance::placeFor(programDir);
    std::optional<vw::SingleInstance> instance;
    if (place.lockPath.isEmpty()) {
        std::fprintf(stderr, "vendwright: %s %s; later starts open windows of their own\n",
                     qPrintable(QDir::toNativeSeparators(place.folder)),
                     qPrintable(folderProblem(place.check)));
    } else if (instance.emplace(place.lockPath); !instance->acquired()) {
        const vw::SingleInstance::HandOver handed = instance->handOver(files->script);
        if (!handed) {
            std::fprintf(stderr, "vendwright: %s\n", qPrintable(handOverProblem(handed)));
            return 1;
        }
        return 0;
    } else if (!instance->listening()) {
        std::fprintf(stderr, "vendwright: cannot listen at %s; later starts cannot hand over\n",
                     qPrintable(QDir::toNativeSeparators(place.lockPath)));
    }
    // The window's texts and Qt's, in the language chosen in 选项 or the system's. Windows take
    // their texts when they are built, so a change applies at the next start.
    const vw::Workspace::Options options =
        vw::Workspace::storedOptions(vw::Workspace::userPlaces(programDir));
    const vw::Translation texts =
        vw::installTranslation(vw::chooseLanguage(options.language), programDir);
    vw::MainWindow window(programDir);
    if (instance)
        QObject::connect(&*instance, &vw::SingleInstance::handedOver, &window,
                         &vw::MainWindow::takeHandOver);
    window.show();
    window.load(*files);
    // Every event loop, a dialog's among them, ends once the program is told to quit; the main
    // one would start afresh.
    return quitting ? 0 : app.exec();
}
