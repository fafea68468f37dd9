#pragma once

#include "stats/ScriptStatistics.h"

#include <QImage>
#include <QString>

namespace vw {

// The pictures of the statistics report, drawn with QPainter at a fixed width so the report
// looks the same on screen and in a browser. Each is null when there is nothing to draw.

// One bar per location, its distinct items stacked by category, with a legend.
QImage drawLocationChart(const ScriptStatistics& stats);
// Items per tax rate, the rates that are numbers only: one column per rate, or per range of
// rates when there are many.
QImage drawTaxRateChart(const ScriptStatistics& stats);
// Lists per length, in ranges of lengths when the lists are long.
QImage drawListLengthChart(const ScriptStatistics& stats);

// The name the report gives a category: its glossary name, else its code.
QString categoryLabel(const ScriptStatistics::Category& category);
// The name the report gives a location.
QString locationLabel(const ScriptStatistics::Location& location);

} // namespace vw
