#pragma once

#include "script/ScriptState.h"

#include <QString>

class QWidget;

namespace vw {

class Combo;
class DataSource;
class Dialogs;
class StatusPanels;

// Window title for a source path: "Vendwright 2004 - [path]".
QString mainWindowTitle(const QString& sourcePath);

// The script-file commands of the main window: choosing the source file, reading it into the
// records, and writing the edited copy.
class ScriptFiles {
public:
    struct Controls {
        QWidget& window;
        Combo& locations;
        Combo& npcs;
        StatusPanels& status;
        Dialogs& dialogs;
    };

    ScriptFiles(ScriptState& state, DataSource& data, Controls controls);

    void chooseSourceFile();
    void loadAiFile();
    void writeAiFile();

private:
    void fillNpcEntries();

    ScriptState& state_;
    DataSource& data_;
    Controls ui_;
};

} // namespace vw
