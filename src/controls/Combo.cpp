#include "Combo.h"

namespace vw {

Combo::Combo(const QString& name, const QString& initialText, QWidget* parent) : QComboBox(parent) {
    setObjectName(name);
    setAccessibleName(name);
    setPlaceholderText(initialText);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
    connect(this, &QComboBox::activated, this, &Combo::chosen);
}

int Combo::addEntry(const QString& text, qint32 itemData) {
    addItem(text, itemData);
    return count() - 1;
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

} // namespace vw
