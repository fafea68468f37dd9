#pragma once

#include <QString>

namespace vw {

class Dialogs;

// Opens the program's help page, HELP/VNW帮助.htm, in an external browser: the system's
// default browser through xdg-open here, Internet Explorer on Windows.
void showHelp(const QString& programDir, Dialogs& dialogs);

} // namespace vw
