#pragma once

#include <QString>
#include <QStringView>

namespace vw::cli {

// Input shown in a message: cut to 200 characters, so a line of megabytes is not echoed whole,
// and with control characters as escapes ("\t", "\x00"), so none reaches the terminal.
QString echoed(QStringView input);

} // namespace vw::cli
