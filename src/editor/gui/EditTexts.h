#pragma once

#include "editor/ListEdits.h"

#include <QCoreApplication>
#include <QString>

namespace vw {

// Texts the window shows in more than one place; each stands here once.

// The entry of a list in the list selector and in the results panels: "0-商品列表".
inline QString listLabel(int list) {
    return QCoreApplication::translate("EditTexts", "%1-商品列表").arg(list);
}

// The refusal of a command that needs a script read first.
inline QString notLoadedText() {
    return QCoreApplication::translate("EditTexts", "请先装入AI文件");
}

// The refusal of an item ID the item line cannot hold.
inline QString invalidIdText() {
    return QCoreApplication::translate("EditTexts", "物品ID为空或含有“{”、“}”、“;”或换行");
}

// The refusal of an item the list holds already.
inline QString duplicateItemText() {
    return QCoreApplication::translate("EditTexts", "已有相同物品在此列表中");
}

// Both name columns of an item the catalogue does not name.
inline QString unknownItemText() {
    return QCoreApplication::translate("EditTexts", "（未知物品）");
}

// Why a tax rate cannot be used; empty when it can.
inline QString taxRateProblemText(edits::TaxRateProblem problem) {
    switch (problem) {
    case edits::TaxRateProblem::None:
        return {};
    case edits::TaxRateProblem::Empty:
        return QCoreApplication::translate("EditTexts", "税率不能为空");
    case edits::TaxRateProblem::BreaksLine:
    case edits::TaxRateProblem::NotANumber:
        // A rate that would break the line is no number either: the game reads numbers alone.
        return QCoreApplication::translate("EditTexts", "税率必须是非负数字");
    }
    return {};
}

} // namespace vw
