#include "Combo.h"

#include <QListView>
#include <QStandardItemModel>

namespace vw {

Combo::Combo(const QString& name, const QString& initialText, QWidget* parent) : QComboBox(parent) {
    setObjectName(name);
    setAccessibleName(name);
    setPlaceholderText(initialText);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(8);
    connect(this, &QComboBox::activated, this, &Combo::chosen);
}

int Combo::addEntry(const QString& text, qint32 itemData) {
    addItem(text, itemData);
    const int index = count() - 1;
    if (!filter_.isEmpty())
        offer(index, text.contains(filter_, Qt::CaseInsensitive));
    return index;
}

void Combo::addEntries(const std::vector<Entry>& entries) {
    const int first = count();
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(entries.size()));
    for (const Entry& entry : entries)
        texts.append(entry.text);
    insertItems(first, texts);
    for (size_t i = 0; i < entries.size(); ++i) {
        const int index = first + static_cast<int>(i);
        setItemData(index, entries[i].data);
        if (!filter_.isEmpty())
            offer(index, entries[i].text.contains(filter_, Qt::CaseInsensitive));
    }
}

qint32 Combo::entryData(int index) const {
    return itemData(index).toInt();
}

void Combo::setText(const QString& text) {
    chooseIndex(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void Combo::chooseIndex(int index) {
    if (index < 0 || index >= count())
        return;
    setCurrentIndex(index);
    emit chosen();
}

void Combo::offer(int index, bool offered) {
    if (auto* items = qobject_cast<QStandardItemModel*>(model()))
        items->item(index)->setEnabled(offered);
    if (auto* list = qobject_cast<QListView*>(view()))
        list->setRowHidden(index, !offered);
}

void Combo::filterEntries(const QString& text) {
    filter_ = text;
    for (int i = 0; i < count(); ++i)
        offer(i, itemText(i).contains(text, Qt::CaseInsensitive));
}

int Combo::firstOfferedEntry() const {
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).contains(filter_, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

} // namespace vw
