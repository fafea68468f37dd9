#pragma once

#include <QDockWidget>
#include <QStringList>

#include <vector>

namespace vw {

class Grid;

// A dockable list of results (sellers of an item, findings of the checks): one row per result
// under fixed headers. Double-click or Enter on a row asks to go where it points.
class ResultsPanel : public QDockWidget {
    Q_OBJECT

public:
    ResultsPanel(const QString& name, const QString& title, const QStringList& headers,
                 QWidget* parent = nullptr);

    // Replaces the rows, shows the panel and sizes the columns to their texts.
    void setResults(const std::vector<QStringList>& rows);
    int resultCount() const;
    Grid& grid() { return *grid_; }

signals:
    // `index` counts the results from 0, in the order they were given.
    void resultChosen(int index);

private:
    Grid* grid_;
    QStringList headers_;
};

} // namespace vw
