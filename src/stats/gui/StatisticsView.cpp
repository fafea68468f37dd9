#include "StatisticsView.h"

#include "catalogue/CatalogueDb.h"

#include <QSaveFile>

using namespace Qt::Literals::StringLiterals;

namespace vw {

StatisticsView::StatisticsView(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(u"StatisticsView"_s);
    // Links name records and items, which only the owner can show.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &StatisticsView::followLink);
    setHtml(noScriptPage());
}

void StatisticsView::setData(const std::vector<ShopRecord>* records, CatalogueDb* catalogue) {
    records_ = records;
    catalogue_ = catalogue;
    refresh();
}

void StatisticsView::refresh() {
    pictures_.clear();
    if (!records_) {
        statistics_.reset();
        setHtml(noScriptPage());
        return;
    }
    if (catalogue_) {
        statistics_ = computeStatistics(*records_, *catalogue_);
    } else {
        CatalogueDb empty;
        statistics_ = computeStatistics(*records_, empty);
    }
    StatisticsReport report = renderStatisticsReport(*statistics_, ReportTarget::Screen);
    pictures_ = std::move(report.pictures);
    setHtml(report.html);
}

QVariant StatisticsView::loadResource(int type, const QUrl& name) {
    for (const ReportPicture& picture : pictures_) {
        if (picture.url == name)
            return picture.image;
    }
    return QTextBrowser::loadResource(type, name);
}

bool StatisticsView::exportHtml(const QString& path, QString* error) const {
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (!statistics_)
        return fail(u"请先装入AI文件"_s);
    const QByteArray bytes = renderStatisticsReport(*statistics_, ReportTarget::File).html.toUtf8();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return fail(file.errorString());
    return true;
}

void StatisticsView::followLink(const QUrl& url) {
    const ReportLink target = reportLinkTarget(url);
    if (target.list)
        emit recordChosen(target.list->record, target.list->list);
    else if (target.item)
        emit itemChosen(*target.item);
}

} // namespace vw
