#include "QtTranslation.h"
#include "SingleInstance.h"
#include "frmMain.h"

#include <QApplication>
#include <QTimer>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Vendwright"));
    // The name of the installed .desktop entry, so a desktop shows its icon for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral(VW_APP_ID));
    const vw::SingleInstance instance(vw::SingleInstance::defaultLockPath());
    if (!instance.acquired())
        return 0;
    const QString programDir = QCoreApplication::applicationDirPath();
    const auto qtTexts = vw::installQtTranslation(vw::qtTranslationFolders(programDir));
    vw::frmMain window(programDir);
    window.show();
    window.load();
    // Start-up checks of an installed program let it quit on its own after this many ms.
    bool quitAfterSet = false;
    const int quitAfter = qEnvironmentVariableIntValue("VENDWRIGHT_QUIT_AFTER_MS", &quitAfterSet);
    if (quitAfterSet)
        QTimer::singleShot(quitAfter, &app, &QCoreApplication::quit);
    return app.exec();
}
