#pragma once

#include <QString>
#include <QStringList>

namespace vw::cli {

// A JSON string literal for `text`: quotes, backslashes, control characters, surrogates
// without their partner and the characters shown() escapes for the text forms as escapes
// ("\ud800", "\u2028"), everything else kept as it is (the stream writes UTF-8).
QString jsonQuoted(QStringView text);

// A JSON array of string literals.
QString jsonStringArray(const QStringList& texts);

} // namespace vw::cli
