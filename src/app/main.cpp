#include "SingleInstance.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Vendwright"));
    const vw::SingleInstance instance(vw::SingleInstance::defaultLockPath());
    if (!instance.acquired())
        return 0;
    vw::frmMain window(QCoreApplication::applicationDirPath());
    window.show();
    window.load();
    return app.exec();
}
