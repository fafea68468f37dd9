#include "bench_common.h"

#include "app/MainWindow.h"
#include "catalogue/AccessReader.h"
#include "controls/Dialogs.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace vwbench {

namespace {

// Answers every message box by closing it, every file dialog and question by cancelling.
class SilentDialogs : public vw::Dialogs {
public:
    void message(const QString&, vw::MessageIcon) override {}
    QString chooseFile(const vw::FileRequest&) override { return {}; }
    int ask(const QString&, const QStringList&) override { return -1; }
    QString askText(const QString&, const QString&) override { return {}; }
};

struct Session {
    QTemporaryDir dir;
    SilentDialogs dialogs;
    std::unique_ptr<vw::MainWindow> window;
};

std::unique_ptr<Session> session;
double firstLoadMb = 0;

} // namespace

vw::MainWindow* window(benchmark::State& state) {
    if (session)
        return session->window.get();
    if (!haveData(state))
        return nullptr;
    auto fresh = std::make_unique<Session>();
    const QString root = fresh->dir.path();
    QDir(root).mkpath(u"DB"_s);
    QDir(root).mkpath(u"AI"_s);
    QFile::link(QFileInfo(cataloguePath()).absoluteFilePath(), root + u"/DB/Wareroll.mdb"_s);
    QFile::link(QFileInfo(scriptPath()).absoluteFilePath(), root + u"/AI/ai.obj"_s);
    fresh->window = std::make_unique<vw::MainWindow>(root, &fresh->dialogs);
    fresh->window->resize(1280, 800);
    fresh->window->show();
    fresh->window->load();
    trigger(*fresh->window, "ID_Load");
    QApplication::processEvents();
    firstLoadMb = residentMb();
    if (!fresh->window->document().isLoaded()) {
        state.SkipWithError("the main window did not load the generated script");
        return nullptr;
    }
    session = std::move(fresh);
    return session->window.get();
}

void trigger(vw::MainWindow& window, const char* id) {
    window.findChild<QAction*>(QString::fromLatin1(id))->trigger();
}

double residentMb() {
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ')[0].toDouble() / 1024;
    }
    return 0;
}

double residentAfterFirstLoadMb() {
    return firstLoadMb;
}

void closeWindow() {
    session.reset();
}

void flushEvents() {
    QApplication::processEvents();
}

double settle(benchmark::State& state) {
    state.PauseTiming();
    QElapsedTimer timer;
    timer.start();
    QApplication::processEvents();
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    state.ResumeTiming();
    return ms;
}

} // namespace vwbench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vw::setAccessReaderProgram(QStringLiteral(VW_ACCESS_READER));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    vwbench::closeWindow();
    benchmark::Shutdown();
    return 0;
}
