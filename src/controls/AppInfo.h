#pragma once

#include <QString>

namespace vw {

// The application title: message-box caption, About box title, first word of the window title.
inline QString applicationTitle() {
    return QStringLiteral("Vendwright");
}

} // namespace vw
