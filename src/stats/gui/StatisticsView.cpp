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
    QSaveFile file(path);
    // The file's own words when it has any: a device with no error set would say "unknown".
    const auto fail = [&](const QString& reason) {
        if (error)
            *error = file.error() != QFileDevice::NoError && !file.errorString().isEmpty()
                         ? file.errorString()
                         : reason;
        return false;
    };
    if (!statistics_)
        return fail(tr("请先装入AI文件"));
    // Unbuffered: a write the device buffered and could not pass on at commit() would still
    // be committed, cut short, and the reason lost. The report comes in large pieces anyway.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(tr("无法创建文件"));
    if (!writeStatisticsReport(*statistics_, file))
        return fail(tr("无法写入文件"));
    if (!file.commit())
        return fail(tr("无法保存文件"));
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
