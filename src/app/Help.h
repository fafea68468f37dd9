#pragma once

#include "QtTranslation.h"

#include <QString>

class QWidget;

namespace vw {

class Dialogs;

// The desktop's program for opening the help page: xdg-open on the PATH here, Internet
// Explorer on Windows; empty when there is none.
QString desktopOpener();

// The help page in `language`: HELP/VNW帮助.htm in Chinese, HELP/help-en.htm in English, twins
// with the same sections and anchors.
QString helpPage(const QString& programDir, Language language);

// Opens the program's help page in `language`, by default the one the window speaks. The page
// goes to `opener` without waiting for it; when the opener is missing, cannot start or reports
// failure, the page opens in the program's own help window, a window of `owner`. Messages go
// through `dialogs`, which must live as long as `owner`.
void showHelp(const QString& programDir, Dialogs& dialogs, QWidget& owner,
              const QString& opener = desktopOpener(), Language language = interfaceLanguage());

} // namespace vw
