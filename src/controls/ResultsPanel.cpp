#include "ResultsPanel.h"

#include "Grid.h"

#include <QHBoxLayout>
#include <QMainWindow>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vw {

ResultsDock::ResultsDock(QWidget* parent)
    : QDockWidget(tr("结果"), parent), tabs_(new QTabWidget(this)) {
    setObjectName(QStringLiteral("ResultsDock"));
    setAccessibleName(windowTitle());
    tabs_->setObjectName(QStringLiteral("ResultsTabs"));
    tabs_->setDocumentMode(true);
    setWidget(tabs_);
    const auto announce = [this] {
        if (auto* panel = qobject_cast<ResultsPanel*>(tabs_->currentWidget()); panel && !isHidden())
            emit panel->cameIntoView();
    };
    connect(tabs_, &QTabWidget::currentChanged, this, announce);
    connect(this, &QDockWidget::visibilityChanged, this, [announce](bool visible) {
        if (visible)
            announce();
    });
}

void ResultsDock::addPanel(ResultsPanel& panel, const QString& title) {
    tabs_->addTab(&panel, title);
}

void ResultsDock::setTitle(ResultsPanel& panel, const QString& title) {
    tabs_->setTabText(tabs_->indexOf(&panel), title);
}

void ResultsDock::showPanel(ResultsPanel& panel) {
    tabs_->setCurrentWidget(&panel);
    if (!isHidden())
        return;
    show();
    // Opened afresh, the dock takes a third of the window, a quarter on a small screen where the
    // list grid would otherwise keep only a few rows; after that its size is the user's.
    if (auto* window = qobject_cast<QMainWindow*>(parentWidget())) {
        const int height = window->height();
        window->resizeDocks({this}, {height >= 800 ? height / 3 : height / 4}, Qt::Vertical);
    }
}

ResultsPanel::ResultsPanel(const QString& name, const QString& title, const QStringList& headers,
                           ResultsDock& dock)
    : QWidget(&dock), dock_(dock), grid_(new Grid(name + QStringLiteral("Grid"), this)),
      layout_(new QVBoxLayout(this)) {
    setObjectName(name);
    setAccessibleName(title);
    grid_->setAccessibleName(title);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->addWidget(grid_);
    grid_->setCols(static_cast<int>(headers.size()));
    for (int c = 0; c < static_cast<int>(headers.size()); ++c)
        grid_->setText(0, c, headers[c]);
    connect(grid_, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { emit resultChosen(index.row()); });
    dock.addPanel(*this, title);
}

void ResultsPanel::addCommand(QWidget* button) {
    if (!commands_) {
        commands_ = new QWidget(this);
        auto* row = new QHBoxLayout(commands_);
        row->setContentsMargins(4, 2, 4, 2);
        row->addStretch();
        layout_->insertWidget(0, commands_);
    }
    auto* row = static_cast<QHBoxLayout*>(commands_->layout());
    row->insertWidget(row->count() - 1, button);
}

void ResultsPanel::setResults(const std::vector<QStringList>& rows) {
    setRows(rows);
    open();
}

void ResultsPanel::open() {
    dock_.showPanel(*this);
}

void ResultsPanel::setRows(const std::vector<QStringList>& rows) {
    {
        Grid::Batch batch(*grid_);
        grid_->setRows(static_cast<int>(rows.size()) + 1);
        for (size_t r = 0; r < rows.size(); ++r) {
            for (int c = 0; c < grid_->cols(); ++c)
                grid_->setText(static_cast<int>(r) + 1, c, rows[r].value(c));
        }
    }
    grid_->resizeColumnsToContents();
}

void ResultsPanel::clear() {
    Grid::Batch batch(*grid_);
    grid_->setRows(1);
}

void ResultsPanel::setTitle(const QString& title) {
    dock_.setTitle(*this, title);
    grid_->setAccessibleName(title);
}

bool ResultsPanel::isShown() const {
    return !dock_.isHidden() && dock_.tabs().currentWidget() == this;
}

int ResultsPanel::resultCount() const {
    return grid_->rows() - 1;
}

} // namespace vw
