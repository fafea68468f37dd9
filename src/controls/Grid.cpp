#include "Grid.h"

#include <QBrush>
#include <QFont>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QPalette>
#include <QStyle>

#include <algorithm>

namespace vw {

int ansiByteLength(QStringView text) {
    int bytes = 0;
    for (const QChar c : text)
        bytes += c.unicode() < 0x80 ? 1 : 2;
    return bytes;
}

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

void GridModel::resize(int rows, int cols) {
    if (cols == cols_) {
        cells_.resize(static_cast<size_t>(rows) * static_cast<size_t>(cols));
    } else {
        std::vector<QString> cells(static_cast<size_t>(rows) * static_cast<size_t>(cols));
        for (int r = 0; r < std::min(rows, rows_); ++r)
            for (int c = 0; c < std::min(cols, cols_); ++c)
                cells[static_cast<size_t>(r * cols + c)] = text(r, c);
        cells_ = std::move(cells);
    }
    marked_.resize(static_cast<size_t>(rows));
    rows_ = rows;
    cols_ = cols;
}

void GridModel::setRows(int n) {
    n = std::max(n, 1);
    if (n == rows_)
        return;
    if (quiet_) {
        resize(n, cols_);
        return;
    }
    if (n > rows_) {
        beginInsertRows({}, rows_ - 1, n - 2);
        resize(n, cols_);
        endInsertRows();
    } else {
        beginRemoveRows({}, n - 1, rows_ - 2);
        resize(n, cols_);
        endRemoveRows();
    }
}

void GridModel::setCols(int n) {
    n = std::max(n, 0);
    if (n == cols_)
        return;
    if (!quiet_)
        beginResetModel();
    resize(rows_, n);
    if (!quiet_)
        endResetModel();
}

const QString& GridModel::text(int row, int col) const {
    static const QString none;
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
        return none;
    return cells_[static_cast<size_t>(row * cols_ + col)];
}

void GridModel::setText(int row, int col, const QString& text) {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
        return;
    cells_[static_cast<size_t>(row * cols_ + col)] = text;
    if (quiet_)
        return;
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, col, col);
    } else {
        const QModelIndex cell = index(row - 1, col);
        emit dataChanged(cell, cell, {Qt::DisplayRole});
    }
}

void GridModel::setRowMarked(int row, bool marked) {
    if (row < 1 || row >= rows_ || marked_[static_cast<size_t>(row)] == marked)
        return;
    marked_[static_cast<size_t>(row)] = marked;
    if (!quiet_)
        emit dataChanged(index(row - 1, 0), index(row - 1, cols_ - 1));
}

bool GridModel::rowMarked(int row) const {
    return row >= 1 && row < rows_ && marked_[static_cast<size_t>(row)];
}

void GridModel::clearTexts() {
    for (QString& cell : cells_)
        cell.clear();
    std::fill(marked_.begin(), marked_.end(), false);
    if (quiet_)
        return;
    emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    if (rows_ > 1)
        emit dataChanged(index(0, 0), index(rows_ - 2, cols_ - 1), {Qt::DisplayRole});
}

void GridModel::beginQuiet() {
    if (quiet_)
        return;
    beginResetModel();
    quiet_ = true;
}

void GridModel::endQuiet() {
    if (!quiet_)
        return;
    quiet_ = false;
    endResetModel();
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_ - 1;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
    case Qt::EditRole:
        return text(index.row() + 1, index.column());
    case Qt::ForegroundRole:
        if (rowMarked(index.row() + 1))
            return QBrush(QColor(0xb0, 0x10, 0x20));
        return {};
    case Qt::FontRole:
        if (rowMarked(index.row() + 1)) {
            QFont font;
            font.setItalic(true);
            return font;
        }
        return {};
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return text(0, section);
    return section + 1;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == editableCol_)
        flags |= Qt::ItemIsEditable;
    if (index.isValid() && dragData_)
        flags |= Qt::ItemIsDragEnabled;
    // Only the space between rows takes a drop: nothing is dropped onto an item.
    if (!index.isValid() && !dropTypes_.isEmpty())
        flags |= Qt::ItemIsDropEnabled;
    return flags;
}

QStringList GridModel::mimeTypes() const {
    return dropTypes_;
}

QMimeData* GridModel::mimeData(const QModelIndexList&) const {
    return dragData_ ? dragData_() : nullptr;
}

// Drags copy: a move would have the view take the dragged rows out of the model by itself.
Qt::DropActions GridModel::supportedDragActions() const {
    return Qt::CopyAction;
}

Qt::DropActions GridModel::supportedDropActions() const {
    return Qt::CopyAction;
}

bool GridModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int,
                                const QModelIndex&) const {
    return data && std::any_of(dropTypes_.begin(), dropTypes_.end(),
                               [data](const QString& type) { return data->hasFormat(type); });
}

bool GridModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                             const QModelIndex& parent) {
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    const int before = parent.isValid() ? parent.row() : row < 0 ? rows_ - 1 : row;
    for (const QString& type : dropTypes_) {
        if (data->hasFormat(type)) {
            emit dropped(type, data->data(type), before + 1);
            break;
        }
    }
    return false;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.column() != editableCol_)
        return false;
    emit cellEdited(index.row() + 1, index.column(), value.toString());
    return true;
}

Grid::Grid(const QString& name, QWidget* parent) : QTableView(parent) {
    setObjectName(name);
    setModel(&model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    setWordWrap(false);
    // The owner names the grid as the user sees it; its ID stands in the description.
    setAccessibleDescription(name);
    // Tab moves on to the next control instead of walking the cells.
    setTabKeyNavigation(false);
    // The current row stays as plain to see when another control has the focus.
    QPalette colours = palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    setPalette(colours);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &Grid::reportCurrentRow);
    connect(this, &QAbstractItemView::doubleClicked, this, &Grid::rowDoubleClicked);
    // The owner rebuilds the grid from the edit; that must wait until the editor has closed.
    connect(&model_, &GridModel::cellEdited, this, &Grid::cellEdited, Qt::QueuedConnection);
    // A drop changes the document, and the grid is drawn anew from it: after the drag has ended.
    connect(&model_, &GridModel::dropped, this, &Grid::dropped, Qt::QueuedConnection);
}

void Grid::reportCurrentRow() {
    const int row = currentRow();
    if (row == reportedRow_)
        return;
    reportedRow_ = row;
    emit currentRowChanged();
}

void Grid::allowRowRanges() {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
}

std::vector<int> Grid::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row() + 1);
    std::sort(rows.begin(), rows.end());
    return rows;
}

void Grid::selectRows(const std::vector<int>& rows, int current) {
    if (rows.empty() && current < 1)
        return;
    setCurrentRow(current >= 1 ? current : rows.front());
    QItemSelection selection;
    for (const int row : rows) {
        if (row >= 1 && row < model_.rows())
            selection.select(model_.index(row - 1, 0), model_.index(row - 1, model_.cols() - 1));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void Grid::setEditableColumn(int col) {
    model_.setEditableColumn(col);
    editableCol_ = col;
    setEditTriggers(QAbstractItemView::DoubleClicked);
}

bool Grid::editCurrentRow() {
    const int row = currentRow();
    if (editableCol_ < 0 || row < 1 || state() == QAbstractItemView::EditingState)
        return false;
    const QModelIndex cell = model_.index(row - 1, editableCol_);
    setCurrentIndex(cell);
    edit(cell);
    return state() == QAbstractItemView::EditingState;
}

void Grid::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool editKey = key == Qt::Key_F2 || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (editKey && event->modifiers() == Qt::NoModifier && editCurrentRow()) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void Grid::allowDrags(std::function<QMimeData*()> make) {
    model_.setDragSource(std::move(make));
    setDragEnabled(true);
    setDragDropMode(model_.mimeTypes().isEmpty() ? DragOnly : DragDrop);
    setDefaultDropAction(Qt::CopyAction);
}

void Grid::allowDrops(const QStringList& types) {
    model_.setDropTypes(types);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropOverwriteMode(false);
    setDragDropMode(dragEnabled() ? DragDrop : DropOnly);
    setDefaultDropAction(Qt::CopyAction);
}

void Grid::setCols(int n) {
    model_.setCols(n);
    widths_.resize(static_cast<size_t>(std::max(n, 0)), 0);
    applyWidths();
}

int Grid::currentRow() const {
    if (model_.rows() <= 1)
        return 0;
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 1;
}

void Grid::setCurrentRow(int row) {
    if (row < 1 || row >= model_.rows())
        return;
    const int col = std::max(currentIndex().column(), 0);
    setCurrentIndex(model_.index(row - 1, col));
}

void Grid::setColumnWidthPixels(int col, int width) {
    if (col < 0 || col >= model_.cols())
        return;
    widths_[static_cast<size_t>(col)] = width;
    applyWidths();
}

int Grid::columnWidthPixels(int col) const {
    return col >= 0 && col < static_cast<int>(widths_.size()) ? widths_[static_cast<size_t>(col)]
                                                              : 0;
}

void Grid::fillPaneWith(const std::vector<int>& cols) {
    filling_ = cols;
    setTextElideMode(Qt::ElideRight);
    applyWidths();
}

void Grid::applyWidths() {
    // The width is meant for the text; the cell's own margins come on top of it.
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    for (size_t c = 0; c < widths_.size(); ++c) {
        const int col = static_cast<int>(c);
        // A reset of the model forgets how a section sizes itself, so it is said again.
        if (std::find(filling_.begin(), filling_.end(), col) != filling_.end())
            horizontalHeader()->setSectionResizeMode(col, QHeaderView::Stretch);
        else if (widths_[c] > 0)
            setColumnWidth(col, widths_[c] + margins);
    }
}

Grid::Batch::Batch(Grid& grid) : grid_(grid), row_(grid.currentRow()) {
    grid_.model_.beginQuiet();
}

Grid::Batch::~Batch() {
    grid_.model_.endQuiet();
    grid_.applyWidths();
    const int row = std::min(row_, grid_.rows() - 1);
    grid_.setCurrentRow(row);
}

} // namespace vw
