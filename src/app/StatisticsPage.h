#pragma once

#include <QObject>

class QTabWidget;

namespace vw {

class CatalogueBrowser;
class Dialogs;
class ListSelectors;
class StatisticsView;
class StatusPanels;
class Workspace;

// The statistics tab: built when it is looked at, and only after a change, since a report of a
// large script takes longer than an edit; its links lead back to the lists and the catalogue.
class StatisticsPage : public QObject {
    Q_OBJECT

public:
    struct Controls {
        QTabWidget& tabs;
        StatisticsView& view;
        StatusPanels& status;
        Dialogs& dialogs;
    };

    StatisticsPage(Workspace& workspace, ListSelectors& selectors, CatalogueBrowser& catalogue,
                   Controls controls);

    // 导出统计: the whole report as one HTML file.
    void exportStatistics();

private:
    void changed();
    void tabChanged(int index);
    void build();

    Workspace& workspace_;
    Controls ui_;
    bool stale_ = true;
};

} // namespace vw
