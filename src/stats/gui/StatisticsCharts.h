#pragma once

#include "stats/ScriptStatistics.h"

#include <QImage>
#include <QString>

#include <cstddef>
#include <vector>

namespace vw {

// The pictures of the statistics report, drawn with QPainter at a fixed width so the report
// looks the same on screen and in a browser. Each is null when there is nothing to draw. Texts
// are translated in the context "StatisticsReport".

// The locations and categories a table or picture of the report shows when there are too many
// for one: the locations with the most distinct items, and the NPCs placed nowhere always; the
// categories that count the most at any one location, the rest summed in one more column.
struct LocationSelection {
    std::vector<size_t> locations;  // indexes of stats.locations, in their order
    std::vector<size_t> categories; // indexes of stats.categories, in their order
    bool otherCategories = false;   // whether the categories left out make one more column
};

// At most `mostLocations` placed locations and `mostCategories` columns of categories, the
// column of the others among them.
LocationSelection selectLocations(const ScriptStatistics& stats, size_t mostLocations,
                                  size_t mostCategories);
// The distinct items of a location in the categories a selection leaves out.
qint64 otherCategoryItems(const ScriptStatistics::Location& location,
                          const LocationSelection& shown);

// One bar per location shown, its distinct items stacked by category, with a legend.
QImage drawLocationChart(const ScriptStatistics& stats, const LocationSelection& shown);
// Items per tax rate, the rates that are numbers only: one column per rate, or per range of
// rates when there are many.
QImage drawTaxRateChart(const ScriptStatistics& stats);
// Lists per length, in ranges of lengths when the lists are long.
QImage drawListLengthChart(const ScriptStatistics& stats);

// The name the report gives a category: its glossary name, else its code.
QString categoryLabel(const ScriptStatistics::Category& category);
// The name the report gives a location.
QString locationLabel(const ScriptStatistics::Location& location);
// The name of the column of the categories a selection leaves out.
QString otherCategoriesLabel();
// A grade as the catalogue's grid shows it: "none" as 无, any other in capitals.
QString gradeLabel(const QString& grade);

} // namespace vw
