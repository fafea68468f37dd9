#pragma once

#include "script/ScriptState.h"

#include <QString>

#include <functional>

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
        Combo& locations;
        Combo& npcs;
        StatusPanels& status;
        Dialogs& dialogs;
    };

    ScriptFiles(ScriptState& state, DataSource& data, Controls controls);

    void chooseSourceFile();
    // Reads the source file into the records; `mayReplace` is asked once the file is known to be
    // there, and a false answer stops before anything changes. True when the records were read.
    bool loadAiFile(const std::function<bool()>& mayReplace = {});
    // True when the edited copy was written.
    bool writeAiFile();

private:
    void fillNpcEntries();

    ScriptState& state_;
    DataSource& data_;
    Controls ui_;
};

} // namespace vw
