#pragma once

#include <QObject>

namespace vw {

class Dialogs;
class StatusPanels;
class Workspace;

// What the window tells of the program's own files: a settings file or journal that was no
// file to read and was set aside, settings that cannot be kept, and recovery that stopped or
// came back. Each is told once, when it happens.
class OwnFileNotices : public QObject {
    Q_OBJECT

public:
    struct Controls {
        StatusPanels& status;
        Dialogs& dialogs;
    };

    // Listens from now on: journals are set aside as they are looked for.
    OwnFileNotices(Workspace& workspace, Controls controls);

    // Tells how the settings were found at start and whether recovery can work.
    void startUp();

private:
    Workspace& workspace_;
    Controls ui_;
};

} // namespace vw
