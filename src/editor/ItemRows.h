#pragma once

#include "script/ShopRecord.h"

#include <QString>
#include <QStringList>

#include <span>
#include <vector>

namespace vw::edits {

// Items as rows of text, as the clipboard carries them and as a spreadsheet or a text editor
// gives them: one item a line, "ID<TAB>TAX", with any extra parts after further tabs.

QString formatItemRows(std::span<const ItemSlot> items);

// A row as it was read: a line holding only an ID takes `defaultTaxRate`. Fields are trimmed
// as the script reader trims them; blank lines are passed over. Extra parts stay empty when the
// row gave none, for the list's own to be used.
struct ItemRow {
    QString id;
    QString taxRate;
    QStringList extraParts;
};
std::vector<ItemRow> parseItemRows(QStringView text, const QString& defaultTaxRate);

} // namespace vw::edits
