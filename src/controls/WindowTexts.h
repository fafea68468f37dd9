#pragma once

#include "editor/ListEdits.h"

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

// The refusal of an item ID the item line cannot hold.
inline QString invalidIdText() {
    return QStringLiteral("物品ID为空或含有“{”、“}”、“;”或换行");
}

// Why a tax rate cannot be used; empty when it can.
inline QString taxRateProblemText(edits::TaxRateProblem problem) {
    switch (problem) {
    case edits::TaxRateProblem::None:
        return {};
    case edits::TaxRateProblem::Empty:
        return QStringLiteral("税率不能为空");
    case edits::TaxRateProblem::BreaksLine:
    case edits::TaxRateProblem::NotANumber:
        // A rate that would break the line is no number either: the game reads numbers alone.
        return QStringLiteral("税率必须是非负数字");
    }
    return {};
}

} // namespace vw
