#pragma once

#include <QString>

#include <ostream>

// Failure messages show texts as text, not as arrays of two-byte objects.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
