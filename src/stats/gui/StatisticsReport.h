#pragma once

#include "stats/ScriptStatistics.h"

#include <QImage>
#include <QString>
#include <QUrl>

#include <optional>
#include <vector>

namespace vw {

// Where a report goes. On screen its pictures are document resources named by URL, and its
// merchants, locations and items are links; in a file its pictures are embedded as PNG data
// and it has no links, so it opens in any browser with no other file beside it.
enum class ReportTarget { Screen, File };

struct ReportPicture {
    QUrl url; // as the report's <img> names it
    QImage image;
};

struct StatisticsReport {
    QString html;                        // one whole HTML document
    std::vector<ReportPicture> pictures; // the pictures a Screen report names; none for a File
};

// The statistics as one HTML document with its pictures, titles and labels in Chinese. Long
// tables show their first ReportRows rows and say how many there are.
StatisticsReport renderStatisticsReport(const ScriptStatistics& stats, ReportTarget target);

constexpr int ReportRows = 100;

// What a link of a Screen report points at: a list of a record, or an item ID.
struct ReportLink {
    std::optional<ListRef> list;
    std::optional<QString> item;
};

// The target of a link the report made; neither for any other URL.
ReportLink reportLinkTarget(const QUrl& url);

// The page shown while no script is loaded.
QString noScriptPage();

} // namespace vw
