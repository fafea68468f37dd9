#include "StatisticsCharts.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

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
    return category.code.isEmpty() ? u"不在物品库中"_s : category.code;
}

QString locationLabel(const ScriptStatistics::Location& location) {
    return location.placedNowhere ? u"未放置的NPC"_s : location.name;
}

QImage drawLocationChart(const ScriptStatistics& stats) {
    if (stats.locations.empty())
        return {};
    const QFont font = chartFont();
    const QFontMetrics fm(font);
    const int lineHeight = fm.height();
    constexpr int RowHeight = 20;
    constexpr int Swatch = 12;

    // The legend flows over as many lines as it needs.
    std::vector<QPoint> legendAt;
    int x = 8;
    int legendLines = 1;
    for (const auto& category : stats.categories) {
        const int width = Swatch + 4 + fm.horizontalAdvance(categoryLabel(category)) + 14;
        if (x + width > Width - 8 && x > 8) {
            x = 8;
            ++legendLines;
        }
        legendAt.emplace_back(x, 6 + (legendLines - 1) * (lineHeight + 4));
        x += width;
    }
    const int barsTop = 6 + legendLines * (lineHeight + 4) + 6;
    const int height =
        barsTop + static_cast<int>(stats.locations.size()) * RowHeight + lineHeight + 10;

    Canvas canvas(height, font);
    QPainter& p = canvas.painter;
    for (size_t c = 0; c < stats.categories.size(); ++c) {
        const QPoint at = legendAt[c];
        p.fillRect(QRect(at.x(), at.y() + (lineHeight - Swatch) / 2, Swatch, Swatch), colourOf(c));
        p.drawText(QRect(at.x() + Swatch + 4, at.y(), Width, lineHeight), Qt::AlignLeft,
                   categoryLabel(stats.categories[c]));
    }

    int labelWidth = 0;
    qint64 largest = 0;
    for (const auto& location : stats.locations) {
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(locationLabel(location)));
        largest = std::max<qint64>(largest, location.distinctItems);
    }
    labelWidth = std::min(labelWidth, 160) + 12;
    const Scale scale = scaleFor(largest);
    const int barsLeft = labelWidth;
    const int barsWidth = Width - barsLeft - 56;
    const int barsBottom = barsTop + static_cast<int>(stats.locations.size()) * RowHeight;
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
    for (size_t l = 0; l < stats.locations.size(); ++l) {
        const auto& location = stats.locations[l];
        const int top = barsTop + static_cast<int>(l) * RowHeight;
        p.drawText(QRect(0, top, labelWidth - 8, RowHeight), Qt::AlignRight | Qt::AlignVCenter,
                   fm.elidedText(locationLabel(location), Qt::ElideRight, labelWidth - 10));
        qint64 sum = 0;
        for (size_t c = 0; c < location.distinctByCategory.size(); ++c) {
            const qint64 count = location.distinctByCategory[c];
            if (count == 0)
                continue;
            p.fillRect(QRect(QPoint(xOf(sum), top + 3), QPoint(xOf(sum + count) - 1, top + 16)),
                       colourOf(c));
            sum += count;
        }
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
    return columnChart(columns, u"税率"_s, u"物品数"_s);
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
    return columnChart(columns, u"列表的物品数"_s, u"列表数"_s);
}

} // namespace vw
