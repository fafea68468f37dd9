#include "Combo.h"

#include <QFont>
#include <QIcon>
#include <QListView>
#include <QPainter>
#include <QPixmap>

namespace vw {

namespace {

// A small filled dot, the sign of an unwritten change beside an entry.
QIcon markIcon() {
    static const QIcon icon = [] {
        QPixmap dot(12, 12);
        dot.fill(Qt::transparent);
        QPainter painter(&dot);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xd0, 0x60, 0x10));
        painter.drawEllipse(QRectF(2, 2, 8, 8));
        return QIcon(dot);
    }();
    return icon;
}

} // namespace

void EntryModel::append(std::vector<Entry> entries) {
    if (entries.empty())
        return;
    const int first = size();
    beginInsertRows({}, first, first + static_cast<int>(entries.size()) - 1);
    entries_.insert(entries_.end(), std::make_move_iterator(entries.begin()),
                    std::make_move_iterator(entries.end()));
    endInsertRows();
}

void EntryModel::clear() {
    beginResetModel();
    entries_.clear();
    endResetModel();
}

void EntryModel::setMarked(int row, bool marked) {
    if (row < 0 || row >= size() || entries_[static_cast<size_t>(row)].marked == marked)
        return;
    entries_[static_cast<size_t>(row)].marked = marked;
    emit dataChanged(index(row), index(row), {Qt::FontRole, Qt::DecorationRole});
}

void EntryModel::setFilter(const QString& text) {
    filter_ = text;
    if (!entries_.empty())
        emit dataChanged(index(0), index(size() - 1), {});
}

bool EntryModel::offers(int row) const {
    return row >= 0 && row < size() &&
           entries_[static_cast<size_t>(row)].text.contains(filter_, Qt::CaseInsensitive);
}

int EntryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : size();
}

QVariant EntryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= size())
        return {};
    const Entry& shown = entries_[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return shown.text;
    if (role == Qt::FontRole && shown.marked) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role == Qt::DecorationRole && shown.marked)
        return markIcon();
    return {};
}

Qt::ItemFlags EntryModel::flags(const QModelIndex& index) const {
    return offers(index.row()) ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

Combo::Combo(const QString& name, const QString& initialText, QWidget* parent) : QComboBox(parent) {
    setObjectName(name);
    // The owner names the list as its label does; its ID stands in the description.
    setAccessibleDescription(name);
    setModel(&entries_);
    setPlaceholderText(initialText);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(8);
    connect(this, &QComboBox::activated, this, &Combo::chosen);
}

int Combo::addEntry(const QString& text) {
    addEntries({{text}});
    return entryCount() - 1;
}

void Combo::addEntries(std::vector<Entry> entries) {
    const int first = entryCount();
    entries_.append(std::move(entries));
    if (entries_.filtering())
        hideUnoffered(first);
}

bool Combo::entryMarked(int index) const {
    return index >= 0 && index < entryCount() && entries_.entry(index).marked;
}

QString Combo::entryText(int index) const {
    return index >= 0 && index < entryCount() ? entries_.entry(index).text : QString();
}

void Combo::clearEntries() {
    entries_.clear();
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

void Combo::hideUnoffered(int from) {
    auto* list = qobject_cast<QListView*>(view());
    if (!list)
        return;
    for (int i = from; i < entryCount(); ++i)
        list->setRowHidden(i, !entries_.offers(i));
}

void Combo::filterEntries(const QString& text) {
    entries_.setFilter(text);
    hideUnoffered(0);
}

int Combo::firstOfferedEntry() const {
    for (int i = 0; i < entryCount(); ++i) {
        if (entries_.offers(i))
            return i;
    }
    return -1;
}

} // namespace vw
