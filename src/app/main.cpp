#include "QtTranslation.h"
#include "SingleInstance.h"
#include "frmMain.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Vendwright"));
    const vw::SingleInstance instance(vw::SingleInstance::defaultLockPath());
    if (!instance.acquired())
        return 0;
    const QString programDir = QCoreApplication::applicationDirPath();
    const auto qtTexts = vw::installQtTranslation(vw::qtTranslationFolders(programDir));
    vw::frmMain window(programDir);
    window.show();
    window.load();
    return app.exec();
}
