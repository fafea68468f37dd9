#include "StatisticsCharts.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

constexpr int Width = 720;
constexpr int ColumnChartHeight = 280;
// More columns than this become ranges: their labels would no longer fit under them.
constexpr int MostColumns = 24;
constexpr int Ranges = 20;

const QColor Palette[] = {QColor(0x4e79a7), QColor(0xf28e2b), QColor(0xe15759), QColor(0x76b7b2),
                          QColor(0x59a14f), QColor(0xedc948), QColor(0xb07aa1), QColor(0xff9da7),
                          QColor(0x9c755f), QColor(0xbab0ac)};
const QColor OtherColour(0xcccccc);
const QColor AxisColour(0x888888);
const QColor GridColour(0xe4e4e4);
const QColor TextColour(0x333333);

QColor colourOf(size_t index) {
    const size_t count = std::size(Palette);
    const QColor colour = Palette[index % count];
    // Beyond the palette the colours come round again, lighter each time.
    return colour.lighter(100 + 25 * static_cast<int>(index / count));
}

// The smallest of 1, 2, 5, 10, 20, 50, … that is at least `value`.
qint64 niceStep(double value) {
    if (value <= 1)
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    const double fraction = value / power;
    const double nice = fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10;
    return static_cast<qint64>(nice * power);
}

struct Scale {
    qint64 step = 1;
    qint64 top = 1;
};

// About five grid steps that reach past the largest value.
Scale scaleFor(qint64 largest) {
    Scale scale;
    scale.step = niceStep(static_cast<double>(std::max<qint64>(largest, 1)) / 5.0);
    scale.top = std::max<qint64>(1, (largest + scale.step - 1) / scale.step) * scale.step;
    return scale;
}

struct Canvas {
    QImage image;
    QPainter painter;
    QFontMetrics metrics;

    Canvas(int height, const QFont& font)
        : image(Width, height, QImage::Format_RGB32), metrics(font) {
        image.fill(Qt::white);
        painter.begin(&image);
        painter.setFont(font);
        painter.setPen(TextColour);
    }
};

QFont chartFont() {
    QFont font = QGuiApplication::font();
    font.setPixelSize(12);
    return font;
}

struct Column {
    QString label;
    qint64 value = 0;
};

QImage columnChart(const std::vector<Column>& columns, const QString& across, const QString& up) {
    if (columns.empty())
        return {};
    const QFont font = chartFont();
    Canvas canvas(ColumnChartHeight, font);
    QPainter& p = canvas.painter;
    const QFontMetrics& fm = canvas.metrics;
    qint64 largest = 0;
    for (const Column& c : columns)
        largest = std::max(largest, c.value);
    const Scale scale = scaleFor(largest);
    const int lineHeight = fm.height();
    const QRect plot(QPoint(fm.horizontalAdvance(QString::number(scale.top)) + 14, lineHeight + 10),
                     QPoint(Width - 16, ColumnChartHeight - 2 * lineHeight - 14));

    p.drawText(QRect(4, 2, Width / 2, lineHeight), Qt::AlignLeft, up);
    for (qint64 v = 0; v <= scale.top; v += scale.step) {
        const int y = plot.bottom() - static_cast<int>(plot.height() * v / scale.top);
        p.setPen(v == 0 ? AxisColour : GridColour);
        p.drawLine(plot.left(), y, plot.right(), y);
        p.setPen(TextColour);
        p.drawText(QRect(0, y - lineHeight / 2, plot.left() - 6, lineHeight),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
    }

    const double slot = static_cast<double>(plot.width()) / static_cast<double>(columns.size());
    int widest = 0;
    for (const Column& c : columns)
        widest = std::max(widest, fm.horizontalAdvance(c.label));
    // Labels that would run into each other are shown for every n-th column only.
    const int labelEvery = std::max(1, static_cast<int>(std::ceil((widest + 8) / slot)));
    for (size_t i = 0; i < columns.size(); ++i) {
        const Column& c = columns[i];
        const double left = plot.left() + slot * static_cast<double>(i);
        const double barWidth = std::max(1.0, slot * 0.7);
        const double height = static_cast<double>(plot.height()) * static_cast<double>(c.value) /
                              static_cast<double>(scale.top);
        // Whole pixels: the edges stay sharp, and the picture keeps few colours.
        const QRect bar(QPointF(left + (slot - barWidth) / 2, plot.bottom() - height).toPoint(),
                        QPointF(left + (slot + barWidth) / 2, plot.bottom()).toPoint());
        p.fillRect(bar, Palette[0]);
        const QString value = QString::number(c.value);
        if (c.value > 0 && fm.horizontalAdvance(value) + 2 <= slot)
            p.drawText(QRectF(left, bar.top() - lineHeight - 1, slot, lineHeight),
                       Qt::AlignHCenter | Qt::AlignBottom, value);
        if (static_cast<int>(i) % labelEvery == 0)
            p.drawText(QRectF(left + slot / 2 - (widest + 8) / 2.0, plot.bottom() + 3, widest + 8,
                              lineHeight),
                       Qt::AlignHCenter | Qt::AlignTop, c.label);
    }
    p.drawText(QRect(0, ColumnChartHeight - lineHeight - 4, Width, lineHeight), Qt::AlignHCenter,
               across);
    p.end();
    return canvas.image;
}

QString number(double value) {
    return QString::number(value, 'g', 6);
}

} // namespace

QString categoryLabel(const ScriptStatistics::Category& category) {
    if (!category.name.isEmpty())
        return category.name;
    return category.code.isEmpty() ? QCoreApplication::translate("StatisticsReport", "不在物品库中")
                                   : category.code;
}

QString locationLabel(const ScriptStatistics::Location& location) {
    return location.placedNowhere ? QCoreApplication::translate("StatisticsReport", "未放置的NPC")
                                  : location.name;
}

QString otherCategoriesLabel() {
    return QCoreApplication::translate("StatisticsReport", "其他种类");
}

QString gradeLabel(const QString& grade) {
    // The engine compares grades without regard to letter case, and the report groups them so.
    if (grade.compare(u"none", Qt::CaseInsensitive) == 0)
        return QCoreApplication::translate("StatisticsReport", "无");
    return grade.toUpper();
}

namespace {

// The `most` indexes below `count` that rank first by `score`, ties to the lower index, in
// index order; all of them when there are no more.
template <typename Score> std::vector<size_t> topIndexes(size_t count, size_t most, Score&& score) {
    std::vector<size_t> indexes(count);
    std::iota(indexes.begin(), indexes.end(), size_t{0});
    if (count > most) {
        const auto before = [&](size_t a, size_t b) {
            const qint64 x = score(a), y = score(b);
            return x != y ? x > y : a < b;
        };
        std::nth_element(indexes.begin(), indexes.begin() + static_cast<qsizetype>(most),
                         indexes.end(), before);
        indexes.resize(most);
        std::sort(indexes.begin(), indexes.end());
    }
    return indexes;
}

} // namespace

LocationSelection selectLocations(const ScriptStatistics& stats, size_t mostLocations,
                                  size_t mostCategories) {
    LocationSelection shown;
    std::vector<size_t> placed;
    for (size_t l = 0; l < stats.locations.size(); ++l) {
        if (!stats.locations[l].placedNowhere)
            placed.push_back(l);
    }
    for (const size_t p : topIndexes(placed.size(), mostLocations, [&](size_t p) {
             return static_cast<qint64>(stats.locations[placed[p]].distinctItems);
         }))
        shown.locations.push_back(placed[p]);
    for (size_t l = 0; l < stats.locations.size(); ++l) {
        if (stats.locations[l].placedNowhere)
            shown.locations.push_back(l);
    }
    std::sort(shown.locations.begin(), shown.locations.end());

    const size_t categories = stats.categories.size();
    shown.otherCategories = categories > mostCategories;
    if (!shown.otherCategories) {
        shown.categories.resize(categories);
        std::iota(shown.categories.begin(), shown.categories.end(), size_t{0});
        return shown;
    }
    std::vector<qint64> largest(categories, 0);
    for (const auto& location : stats.locations) {
        for (size_t c = 0; c < location.distinctByCategory.size() && c < categories; ++c)
            largest[c] = std::max<qint64>(largest[c], location.distinctByCategory[c]);
    }
    shown.categories = topIndexes(categories, mostCategories > 0 ? mostCategories - 1 : 0,
                                  [&](size_t c) { return largest[c]; });
    return shown;
}

qint64 otherCategoryItems(const ScriptStatistics::Location& location,
                          const LocationSelection& shown) {
    if (!shown.otherCategories)
        return 0;
    qint64 all = location.distinctItems;
    for (const size_t c : shown.categories)
        all -= location.distinctByCategory[c];
    return all;
}

QImage drawLocationChart(const ScriptStatistics& stats, const LocationSelection& shown) {
    if (shown.locations.empty())
        return {};
    const QFont font = chartFont();
    const QFontMetrics fm(font);
    const int lineHeight = fm.height();
    constexpr int RowHeight = 20;
    constexpr int Swatch = 12;

    // The legend flows over as many lines as it needs.
    struct Entry {
        QString label;
        QColor colour;
        QPoint at;
    };
    std::vector<Entry> legend;
    for (size_t i = 0; i < shown.categories.size(); ++i)
        legend.push_back({categoryLabel(stats.categories[shown.categories[i]]), colourOf(i), {}});
    if (shown.otherCategories)
        legend.push_back({otherCategoriesLabel(), OtherColour, {}});
    int x = 8;
    int legendLines = 1;
    for (Entry& entry : legend) {
        const int width = Swatch + 4 + fm.horizontalAdvance(entry.label) + 14;
        if (x + width > Width - 8 && x > 8) {
            x = 8;
            ++legendLines;
        }
        entry.at = QPoint(x, 6 + (legendLines - 1) * (lineHeight + 4));
        x += width;
    }
    const int rows = static_cast<int>(shown.locations.size());
    const int barsTop = 6 + legendLines * (lineHeight + 4) + 6;
    const int height = barsTop + rows * RowHeight + lineHeight + 10;

    Canvas canvas(height, font);
    QPainter& p = canvas.painter;
    for (const Entry& entry : legend) {
        p.fillRect(QRect(entry.at.x(), entry.at.y() + (lineHeight - Swatch) / 2, Swatch, Swatch),
                   entry.colour);
        p.drawText(QRect(entry.at.x() + Swatch + 4, entry.at.y(), Width, lineHeight), Qt::AlignLeft,
                   entry.label);
    }

    int labelWidth = 0;
    qint64 largest = 0;
    for (const size_t l : shown.locations) {
        const auto& location = stats.locations[l];
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(locationLabel(location)));
        largest = std::max<qint64>(largest, location.distinctItems);
    }
    labelWidth = std::min(labelWidth, 160) + 12;
    const Scale scale = scaleFor(largest);
    const int barsLeft = labelWidth;
    const int barsWidth = Width - barsLeft - 56;
    const int barsBottom = barsTop + rows * RowHeight;
    const auto xOf = [&](qint64 v) {
        return barsLeft + static_cast<int>(static_cast<double>(barsWidth) * static_cast<double>(v) /
                                           static_cast<double>(scale.top));
    };
    for (qint64 v = 0; v <= scale.top; v += scale.step) {
        p.setPen(v == 0 ? AxisColour : GridColour);
        p.drawLine(xOf(v), barsTop, xOf(v), barsBottom);
        p.setPen(TextColour);
        p.drawText(QRect(xOf(v) - 40, barsBottom + 4, 80, lineHeight), Qt::AlignHCenter,
                   QString::number(v));
    }
    for (int row = 0; row < rows; ++row) {
        const auto& location = stats.locations[shown.locations[static_cast<size_t>(row)]];
        const int top = barsTop + row * RowHeight;
        p.drawText(QRect(0, top, labelWidth - 8, RowHeight), Qt::AlignRight | Qt::AlignVCenter,
                   fm.elidedText(locationLabel(location), Qt::ElideRight, labelWidth - 10));
        qint64 sum = 0;
        const auto bar = [&](qint64 count, const QColor& colour) {
            if (count == 0)
                return;
            p.fillRect(QRect(QPoint(xOf(sum), top + 3), QPoint(xOf(sum + count) - 1, top + 16)),
                       colour);
            sum += count;
        };
        for (size_t i = 0; i < shown.categories.size(); ++i)
            bar(location.distinctByCategory[shown.categories[i]], colourOf(i));
        bar(otherCategoryItems(location, shown), OtherColour);
        p.drawText(QRect(xOf(sum) + 4, top, 52, RowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::number(sum));
    }
    p.end();
    return canvas.image;
}

QImage drawTaxRateChart(const ScriptStatistics& stats) {
    std::vector<std::pair<double, const ScriptStatistics::RateCount*>> rates;
    for (const auto& rate : stats.taxRates) {
        if (rate.number)
            rates.emplace_back(rate.rate.toDouble(), &rate);
    }
    if (rates.empty())
        return {};
    std::vector<Column> columns;
    // Many texts of one value ("10", "10.0", "010") leave no range to divide.
    if (rates.size() <= static_cast<size_t>(MostColumns) ||
        rates.back().first == rates.front().first) {
        for (const auto& [value, rate] : rates)
            columns.push_back({rate->rate, rate->items});
    } else {
        // The rates come ordered by value.
        const double low = rates.front().first;
        const double width = (rates.back().first - low) / Ranges;
        for (int i = 0; i < Ranges; ++i)
            columns.push_back({number(low + width * i) + u'~' + number(low + width * (i + 1)), 0});
        for (const auto& [value, rate] : rates) {
            const int range = std::min(Ranges - 1, static_cast<int>((value - low) / width));
            columns[static_cast<size_t>(range)].value += rate->items;
        }
    }
    return columnChart(columns, QCoreApplication::translate("StatisticsReport", "税率"),
                       QCoreApplication::translate("StatisticsReport", "物品数"));
}

QImage drawListLengthChart(const ScriptStatistics& stats) {
    if (stats.listLengths.empty())
        return {};
    const int longest = stats.listLengths.back().items;
    const qint64 width =
        longest < MostColumns ? 1 : niceStep(static_cast<double>(longest) / Ranges);
    std::vector<Column> columns(static_cast<size_t>(longest / width + 1));
    for (size_t i = 0; i < columns.size(); ++i) {
        const qint64 from = static_cast<qint64>(i) * width;
        columns[i].label = width == 1
                               ? QString::number(from)
                               : QString::number(from) + u'~' + QString::number(from + width - 1);
    }
    for (const auto& length : stats.listLengths)
        columns[static_cast<size_t>(length.items / width)].value += length.lists;
    return columnChart(columns, QCoreApplication::translate("StatisticsReport", "列表的物品数"),
                       QCoreApplication::translate("StatisticsReport", "列表数"));
}

} // namespace vw
