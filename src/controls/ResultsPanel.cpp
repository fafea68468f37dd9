#include "ResultsPanel.h"

#include "Grid.h"

namespace vw {

ResultsPanel::ResultsPanel(const QString& name, const QString& title, const QStringList& headers,
                           QWidget* parent)
    : QDockWidget(title, parent), grid_(new Grid(name + QStringLiteral("Grid"), this)),
      headers_(headers) {
    setObjectName(name);
    setAccessibleName(title);
    setWidget(grid_);
    grid_->setCols(static_cast<int>(headers.size()));
    for (int c = 0; c < static_cast<int>(headers.size()); ++c)
        grid_->setText(0, c, headers[c]);
    connect(grid_, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { emit resultChosen(index.row()); });
}

void ResultsPanel::setResults(const std::vector<QStringList>& rows) {
    {
        Grid::Batch batch(*grid_);
        grid_->setRows(static_cast<int>(rows.size()) + 1);
        for (size_t r = 0; r < rows.size(); ++r) {
            for (int c = 0; c < grid_->cols(); ++c)
                grid_->setText(static_cast<int>(r) + 1, c, rows[r].value(c));
        }
    }
    grid_->resizeColumnsToContents();
    show();
    raise();
}

int ResultsPanel::resultCount() const {
    return grid_->rows() - 1;
}

} // namespace vw
