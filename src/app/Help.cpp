#include "Help.h"

#include "HelpWindow.h"
#include "controls/Dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

void showHelpWindow(const QString& page, Dialogs& dialogs, QWidget& owner) {
    if (!QFile(page).open(QIODevice::ReadOnly)) {
        dialogs.message(QCoreApplication::translate("vw::Help", "没有发现IE无法显示帮助"));
        return;
    }
    auto* window = owner.findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new HelpWindow(&owner);
    window->showPage(page);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

QString desktopOpener() {
#ifdef Q_OS_WIN
    char folder[255] = {};
    const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    const QString drive = QString::fromLocal8Bit(folder, static_cast<qsizetype>(length)).left(3);
    const QString browser = drive + u"program files\\internet explorer\\iexplore.exe"_s;
    return QFileInfo::exists(browser) ? browser : QString();
#else
    return QStandardPaths::findExecutable(u"xdg-open"_s);
#endif
}

QString helpPage(const QString& programDir, Language language) {
    return programDir +
           (language == Language::English ? u"/HELP/help-en.htm"_s : u"/HELP/VNW帮助.htm"_s);
}

void showHelp(const QString& programDir, Dialogs& dialogs, QWidget& owner, const QString& opener,
              Language language) {
    const QString page = helpPage(programDir, language);
    if (!QFileInfo(page).isFile()) {
        dialogs.message(QCoreApplication::translate("vw::Help", "打开帮助文件时发生错误"));
        return;
    }
    if (opener.isEmpty()) {
        showHelpWindow(page, dialogs, owner);
        return;
    }
    // The opener's verdict comes later, so the window stays responsive while it looks for a
    // browser; what it prints goes to the program's own output.
    auto* process = new QProcess(&owner);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(process, &QProcess::finished, &owner,
                     [process, page, &dialogs, &owner](int code, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if (status != QProcess::NormalExit || code != 0)
                             showHelpWindow(page, dialogs, owner);
                     });
    QObject::connect(process, &QProcess::errorOccurred, &owner,
                     [process, page, &dialogs, &owner](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         process->deleteLater();
                         showHelpWindow(page, dialogs, owner);
                     });
    process->start(opener, {QDir::toNativeSeparators(page)});
}

} // namespace vw
