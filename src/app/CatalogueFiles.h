#pragma once

#include "catalogue/Catalogue.h"

#include <QCoreApplication>
#include <QString>

namespace vw {

class Dialogs;
class StatusPanels;
class Workspace;

// Why a catalogue file was not used, as the window says it: the file and what is wrong with it,
// in the program's words.
QString catalogueFaultText(const QString& path, const CatalogueFault& fault);

// The catalogue-file commands of the main window: the catalogue at start-up and another one
// chosen later, each tried aside and put in use only once it has proved whole.
class CatalogueFiles {
    Q_DECLARE_TR_FUNCTIONS(CatalogueFiles)

public:
    struct Controls {
        StatusPanels& status;
        Dialogs& dialogs;
    };

    CatalogueFiles(Workspace& workspace, Controls controls);

    // The catalogue named, else the one used last, else the program folder's; each that fails
    // is named. Returns what the status bar should say when one had to stand in for another.
    QString start(const QString& named);
    // The open dialog, then open().
    void choose();
    // Puts another catalogue in use; on a fault it is named and nothing changes.
    bool open(const QString& path);
    // "共4个地点5类物品": the catalogue in use at a glance.
    void showTotals();

private:
    Workspace& workspace_;
    Controls ui_;
};

} // namespace vw
