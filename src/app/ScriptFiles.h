#pragma once

#include <QCoreApplication>
#include <QString>

#include <functional>

namespace vw {

class Dialogs;
class StatusPanels;
class Workspace;

// Window title for a script path: "Vendwright 2004 - [path]".
QString mainWindowTitle(const QString& scriptPath);

// The script-file commands of the main window: choosing the script for the next read, reading
// it into the workspace's document, and writing the edited copy. They ask and tell the user;
// the workspace does the work.
class ScriptFiles {
    Q_DECLARE_TR_FUNCTIONS(ScriptFiles)

public:
    struct Controls {
        StatusPanels& status;
        Dialogs& dialogs;
    };

    ScriptFiles(Workspace& workspace, Controls controls);

    // The open dialog; the script chosen waits for the next read, named in the status bar
    // while another one is shown.
    void chooseSourceFile();
    // Reads the chosen script; `mayReplace` is asked once the file is known to be there, and a
    // false answer stops before anything changes. True when the script was read.
    bool loadAiFile(const std::function<bool()>& mayReplace = {});
    // True when the edited copy was written.
    bool writeAiFile();

private:
    Workspace& workspace_;
    Controls ui_;
};

} // namespace vw
