#pragma once

#include <QString>
#include <QStringView>

namespace vw::cli {

// Input shown in a message: cut to 200 characters, so a line of megabytes is not echoed whole,
// with control characters as escapes ("\t", "\x00"), so none reaches the terminal, and lone
// surrogates as shown() gives them.
QString echoed(QStringView input);

// Text of the script as the text forms print it: a surrogate code unit without its partner,
// which UTF-8 cannot carry, as "\x{d800}"; everything else as it is.
QString shown(QStringView text);

// Whether text[i] is half of a surrogate pair whose other half is missing.
bool isLoneSurrogate(QStringView text, qsizetype i);

} // namespace vw::cli
