#pragma once

#include <QString>

#include <functional>

namespace vw {

class Dialogs;
class ScriptDocument;
class StatusPanels;

// Window title for a source path: "Vendwright 2004 - [path]".
QString mainWindowTitle(const QString& sourcePath);

// The script-file commands of the main window: choosing the source file, reading it into the
// document, and writing the edited copy.
class ScriptFiles {
public:
    struct Controls {
        StatusPanels& status;
        Dialogs& dialogs;
    };

    ScriptFiles(ScriptDocument& document, Controls controls);

    void chooseSourceFile();
    // The file the next read takes; the open dialog may change it any time.
    const QString& sourcePath() const { return sourcePath_; }
    void setSourcePath(const QString& path) { sourcePath_ = path; }

    // Reads the source file into the document; `mayReplace` is asked once the file is known to
    // be there, and a false answer stops before anything changes. True when the script was read.
    bool loadAiFile(const std::function<bool()>& mayReplace = {});
    // True when the edited copy was written.
    bool writeAiFile();

private:
    ScriptDocument& document_;
    Controls ui_;
    QString sourcePath_;
};

} // namespace vw
