#include "Help.h"

#include "controls/Dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

struct Browser {
    QString program;
    QStringList arguments;
};

Browser findBrowser(const QString& page) {
#ifdef Q_OS_WIN
    char folder[255] = {};
    const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    const QString drive = QString::fromLocal8Bit(folder, static_cast<qsizetype>(length)).left(3);
    const QString browser = drive + u"program files\\internet explorer\\iexplore.exe"_s;
    if (!QFileInfo::exists(browser))
        return {};
    return {browser, {QDir::toNativeSeparators(page)}};
#else
    const QString opener = QStandardPaths::findExecutable(u"xdg-open"_s);
    if (opener.isEmpty())
        return {};
    return {opener, {page}};
#endif
}

} // namespace

void showHelp(const QString& programDir, Dialogs& dialogs) {
    const QString page = programDir + u"/HELP/VNW帮助.htm"_s;
    const Browser browser = findBrowser(page);
    if (browser.program.isEmpty()) {
        dialogs.message(u"没有发现IE无法显示帮助"_s);
        return;
    }
    qint64 pid = 0;
    if (!QProcess::startDetached(browser.program, browser.arguments, QString(), &pid) || pid == 0)
        dialogs.message(u"打开帮助文件时发生错误"_s);
}

} // namespace vw
