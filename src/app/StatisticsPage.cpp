#include "StatisticsPage.h"

#include "catalogue/gui/CatalogueBrowser.h"
#include "controls/Dialogs.h"
#include "controls/StatusPanels.h"
#include "editor/gui/EditTexts.h"
#include "editor/gui/ListSelectors.h"
#include "stats/gui/StatisticsView.h"
#include "workspace/Workspace.h"

#include <QFileInfo>
#include <QTabWidget>

using namespace Qt::Literals::StringLiterals;

namespace vw {

StatisticsPage::StatisticsPage(Workspace& workspace, ListSelectors& selectors,
                               CatalogueBrowser& catalogue, Controls controls)
    : QObject(&controls.view), workspace_(workspace), ui_(controls) {
    connect(&ui_.tabs, &QTabWidget::currentChanged, this, &StatisticsPage::tabChanged);
    connect(&workspace_.document(), &ScriptDocument::changed, this,
            [this](const DocumentChange& change) {
                if (change.reset || !change.records.empty())
                    changed();
            });
    connect(&workspace_, &Workspace::catalogueChanged, this, &StatisticsPage::changed);
    connect(&ui_.view, &StatisticsView::recordChosen, this,
            [this, &selectors](int record, int list) {
                ui_.tabs.setCurrentIndex(0);
                selectors.showList(record, list);
            });
    connect(&ui_.view, &StatisticsView::itemChosen, this, [this, &catalogue](const QString& id) {
        ui_.tabs.setCurrentIndex(0);
        catalogue.search(id);
    });
}

void StatisticsPage::build() {
    stale_ = false;
    Catalogue* catalogue = workspace_.catalogue();
    ui_.view.setData(workspace_.document().isLoaded() ? &workspace_.document().records() : nullptr,
                     catalogue ? &catalogue->db() : nullptr);
}

void StatisticsPage::tabChanged(int index) {
    if (ui_.tabs.widget(index) == &ui_.view && stale_)
        build();
}

void StatisticsPage::changed() {
    stale_ = true;
    if (ui_.tabs.currentWidget() == &ui_.view)
        build();
}

void StatisticsPage::exportStatistics() {
    const ScriptDocument& document = workspace_.document();
    if (!document.isLoaded()) {
        ui_.dialogs.message(notLoadedText(), MessageIcon::Information);
        return;
    }
    const QFileInfo read(document.source().path);
    const QString path = ui_.dialogs.chooseFile(
        {FileRequest::Mode::Save, tr("导出统计"), tr("HTML文件(*.htm *.html)|*.htm;*.html"),
         read.absolutePath(), read.completeBaseName() + tr("-统计") + u".html"_s});
    if (path.isEmpty())
        return;
    if (stale_)
        build();
    QString error;
    if (!ui_.view.exportHtml(path, &error)) {
        ui_.dialogs.message(tr("导出统计时发生错误：%1").arg(error));
        return;
    }
    ui_.status.setPanelText(1, tr("统计已导出"));
}

} // namespace vw
