#pragma once

#include "stats/ScriptStatistics.h"

#include <QImage>
#include <QString>
#include <QUrl>

class QIODevice;

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

// The statistics as one HTML document with its pictures. Its texts are translated in the
// context "StatisticsReport"; the Chinese ones are the source. On screen a long table shows
// ReportRows rows (of the locations, those with the most distinct items) and ends in a row that
// counts the others; a file holds every row. The pictures are bounded alike in both.
StatisticsReport renderStatisticsReport(const ScriptStatistics& stats, ReportTarget target);

// The File report written to `out` as UTF-8 while it is built, so a report of any size is never
// held whole. False when a write failed; the reason is then the device's.
bool writeStatisticsReport(const ScriptStatistics& stats, QIODevice& out);

constexpr int ReportRows = 100;
// Category columns of the locations before the others are summed in one more.
constexpr int ReportCategories = 20;
// The tax rates of one item an on-screen row names.
constexpr int ReportRatesPerItem = 10;

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
