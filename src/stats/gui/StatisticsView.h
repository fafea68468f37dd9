#pragma once

#include "stats/ScriptStatistics.h"
#include "stats/gui/StatisticsReport.h"

#include <QTextBrowser>

#include <optional>
#include <vector>

namespace vw {

class CatalogueDb;

// The statistics report of the loaded script, as the "HTML统计" tab shows it. It keeps
// pointers to the records and the catalogue it was given and builds the report when told to:
// the owner calls refresh() when the tab is opened after a change. A click on a merchant or a
// location asks for its list, a click on an item for the item.
class StatisticsView : public QTextBrowser {
    Q_OBJECT

public:
    explicit StatisticsView(QWidget* parent = nullptr);

    // The records and catalogue to report on, and a report of them at once. Null records: no
    // script is loaded. A null or unloaded catalogue gives the report without what only the
    // catalogue knows. Both must outlive the view or be replaced first.
    void setData(const std::vector<ShopRecord>* records, CatalogueDb* catalogue);
    // Builds the report anew from the records and catalogue as they stand.
    void refresh();

    // The numbers shown; none while no script is loaded.
    const std::optional<ScriptStatistics>& statistics() const { return statistics_; }

    // Writes the report shown as one HTML file with its pictures embedded and every row of its
    // tables, written as it is built. False, with the reason in `error` when given, when no
    // report is shown or the file could not be written; a failed write gives the system's
    // words for it (a full disk, say), and the file, if one stood there, stays as it was.
    bool exportHtml(const QString& path, QString* error = nullptr) const;

signals:
    // A merchant, or a location's first merchant, was clicked: show that record's list.
    void recordChosen(int record, int list);
    // An item was clicked: look it up in the catalogue.
    void itemChosen(const QString& id);

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    void followLink(const QUrl& url);

    const std::vector<ShopRecord>* records_ = nullptr;
    CatalogueDb* catalogue_ = nullptr;
    std::optional<ScriptStatistics> statistics_;
    std::vector<ReportPicture> pictures_;
};

} // namespace vw
