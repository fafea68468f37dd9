#pragma once

#include <QString>

namespace vw {

// Texts the window shows in more than one place; each stands here once.

// The entry of a list in the list selector and in the results panels: "0-商品列表".
inline QString listLabel(int list) {
    return QString::number(list) + QStringLiteral("-商品列表");
}

// The refusal of a command that needs a script read first.
inline QString notLoadedText() {
    return QStringLiteral("请先装入AI文件");
}

} // namespace vw
