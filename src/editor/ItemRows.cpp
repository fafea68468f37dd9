#include "ItemRows.h"

#include "script/LineSource.h"

namespace vw::edits {

QString formatItemRows(std::span<const ItemSlot> items) {
    QString text;
    for (const ItemSlot& item : items) {
        text += item.id + u'\t' + item.taxRate;
        for (const QString& part : item.extraParts)
            text += u'\t' + part;
        text += u'\n';
    }
    return text;
}

std::vector<ItemRow> parseItemRows(QStringView text, const QString& defaultTaxRate) {
    std::vector<ItemRow> rows;
    for (QStringView line : text.tokenize(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (trimSpaces(line).isEmpty())
            continue;
        ItemRow row;
        int field = 0;
        for (const QStringView part : line.tokenize(u'\t')) {
            const QString value = trimSpaces(part).toString();
            if (field == 0)
                row.id = value;
            else if (field == 1)
                row.taxRate = value;
            else
                row.extraParts.append(value);
            ++field;
        }
        if (field < 2)
            row.taxRate = trimSpaces(defaultTaxRate).toString();
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace vw::edits
