#pragma once

#include <QString>
#include <QStringView>

namespace vw::cli {

// Input shown in a message: cut to 200 characters, so a line of megabytes is not echoed whole,
// with control characters as escapes ("\t", "\x00"), so none reaches the terminal, and the rest
// of what shown() escapes as shown() gives it.
QString echoed(QStringView input);

// Text of the script as the text forms print it: a surrogate code unit without its partner,
// which UTF-8 cannot carry, and the characters that would break the output's line or turn the
// direction of the text around them, as "\x{d800}"; everything else as it is.
QString shown(const QString& text);

// Whether the text forms and JSON print `c` as an escape wherever it stands: a line break
// other than LF and CR (U+0085, U+2028, U+2029), which viewers break lines at, and the
// direction controls U+202A-U+202E and U+2066-U+2069, which reorder what follows them.
bool breaksLineOrDirection(QChar c);

} // namespace vw::cli
