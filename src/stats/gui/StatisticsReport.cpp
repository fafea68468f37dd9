#include "StatisticsReport.h"

#include "StatisticsCharts.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

using Stats = ScriptStatistics;

const QString ListScheme = u"vwlist"_s;
const QString ItemScheme = u"vwitem"_s;
const QString PictureScheme = u"vwpicture"_s;

const QString Style =
    u"<style>\n"
    u"body { font-family: \"Microsoft YaHei\", \"PingFang SC\", \"Noto Sans CJK SC\", "
    u"\"WenQuanYi Micro Hei\", SimSun, sans-serif; font-size: 14px; color: #333; }\n"
    u"h1 { font-size: 20px; }\n"
    u"h2 { font-size: 17px; margin-top: 24px; border-bottom: 1px solid #ccc; }\n"
    u"h3 { font-size: 15px; }\n"
    u"table { border-collapse: collapse; margin: 6px 0; }\n"
    u"th, td { border: 1px solid #ccc; padding: 3px 8px; }\n"
    u"th { background-color: #f0f0f0; font-weight: normal; }\n"
    u"td.n { text-align: right; }\n"
    u"p.note { color: #a33; }\n"
    u"</style>\n</head>\n<body>\n"_s;
const QString Tail = u"</body>\n</html>\n"_s;

// The start of a page up to its <body>, in the language of the report's texts.
QString head() {
    return u"<!DOCTYPE html>\n<html lang=\""_s +
           QCoreApplication::translate("StatisticsReport", "zh-CN",
                                       "the HTML language code of these texts") +
           u"\">\n<head>\n<meta charset=\"utf-8\">\n<title>"_s +
           QCoreApplication::translate("StatisticsReport", "AI文件统计").toHtmlEscaped() +
           u"</title>\n"_s + Style;
}

// Writes everything it is given to `out`, however many calls that takes; a call that writes
// nothing leaves the device's reason for it.
bool writeAll(QIODevice& out, const QByteArray& bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = out.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += static_cast<qsizetype>(written);
    }
    return true;
}

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

QString listLabel(int list) {
    return QCoreApplication::translate("StatisticsReport", "%1-商品列表").arg(list);
}

QString rateLabel(const QString& rate) {
    return rate.isEmpty() ? QCoreApplication::translate("StatisticsReport", "（空）") : rate;
}

// Names as the window's drop-downs show them: "class|中文名称".
QString npcLabel(const Stats::Npc& npc) {
    return npc.chineseName ? npc.className + u'|' + *npc.chineseName : npc.className;
}

// The picture with a palette when it has no more than 256 colours. libpng tries every row filter
// on every row of a true-colour picture, which costs more than compressing it; a palette
// picture it writes unfiltered, in a quarter of the bytes.
QImage paletted(const QImage& image) {
    QImage indexed(image.size(), QImage::Format_Indexed8);
    QList<QRgb> colours;
    QHash<QRgb, uchar> indexOf;
    QRgb last = 0;
    uchar lastIndex = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            // Pictures are mostly runs of one colour.
            if (colours.isEmpty() || in[x] != last) {
                last = in[x];
                auto found = indexOf.constFind(last);
                if (found == indexOf.cend()) {
                    if (colours.size() == 256)
                        return image;
                    found = indexOf.insert(last, static_cast<uchar>(colours.size()));
                    colours.append(last);
                }
                lastIndex = *found;
            }
            out[x] = lastIndex;
        }
    }
    indexed.setColorTable(colours);
    return indexed;
}

constexpr size_t Everything = std::numeric_limits<size_t>::max();

class ReportWriter {
    Q_DECLARE_TR_FUNCTIONS(StatisticsReport)

public:
    // With a device, the HTML goes there as it is made and the report's own text stays empty.
    ReportWriter(const Stats& stats, ReportTarget target, QIODevice* device = nullptr)
        : stats_(stats), target_(target), device_(device),
          rows_(target == ReportTarget::Screen ? ReportRows : Everything),
          pictured_(selectLocations(stats, ReportRows, ReportCategories)) {}

    StatisticsReport write() {
        html_ = head() + u"<h1>"_s + escaped(tr("AI文件统计")) + u"</h1>\n"_s;
        if (!stats_.catalogueError.isEmpty())
            html_ += u"<p class=\"note\">"_s + escaped(tr("物品数据库查询出错：")) +
                     escaped(stats_.catalogueError) + u"</p>\n"_s;
        totals();
        locations();
        unsold();
        soleSellers();
        shortLists();
        listLengths();
        taxRates();
        html_ += Tail;
        send(0);
        return {html_, std::move(pictures_)};
    }

    bool failed() const { return failed_; }

private:
    void totals() {
        const Stats::Totals& t = stats_.totals;
        html_ += u"<h2>"_s + escaped(tr("总计")) + u"</h2>\n"_s;
        table({tr("NPC数"), tr("列表数"), tr("物品数"), tr("不同物品数")});
        row({t.records, t.lists, t.items, t.distinctItems});
        html_ += u"</table>\n"_s;
    }

    void locations() {
        html_ += u"<h2>"_s + escaped(tr("各地点")) + u"</h2>\n"_s;
        const LocationSelection shown =
            rows_ == Everything ? selectLocations(stats_, Everything, Everything) : pictured_;
        const qsizetype placed =
            std::count_if(stats_.locations.begin(), stats_.locations.end(),
                          [](const Stats::Location& l) { return !l.placedNowhere; });
        const qsizetype placedShown =
            std::count_if(shown.locations.begin(), shown.locations.end(),
                          [&](size_t l) { return !stats_.locations[l].placedNowhere; });
        if (placedShown < placed)
            paragraph(
                tr("共%n个地点，以下列出不同物品最多的%1个。", nullptr, static_cast<int>(placed))
                    .arg(placedShown));
        picture(u"locations"_s, drawLocationChart(stats_, pictured_));
        QStringList headers{tr("地点"), tr("NPC数"), tr("有物品的NPC"), tr("物品数"),
                            tr("不同物品数")};
        for (const size_t c : shown.categories)
            headers << categoryLabel(stats_.categories[c]);
        if (shown.otherCategories)
            headers << otherCategoriesLabel();
        table(headers);
        for (const size_t index : shown.locations) {
            const Stats::Location& l = stats_.locations[index];
            const QString name = escaped(locationLabel(l));
            std::vector<Cell> cells{l.first ? listLink(*l.first, name) : name,
                                    static_cast<qint64>(l.records.size()), l.npcsWithItems, l.items,
                                    l.distinctItems};
            for (const size_t c : shown.categories)
                cells.emplace_back(l.distinctByCategory[c]);
            if (shown.otherCategories)
                cells.emplace_back(otherCategoryItems(l, shown));
            row(cells);
        }
        others(stats_.locations.size(), shown.locations.size(), headers.size());
        html_ += u"</table>\n"_s;
        paragraph(tr("各种类下为不同物品的数目。"));
    }

    void unsold() {
        const Stats::Unsold& u = stats_.unsold;
        html_ += u"<h2>"_s + escaped(tr("没有NPC出售的物品")) + u"</h2>\n"_s;
        paragraph(tr("物品库中共有%n项物品没有NPC出售。", nullptr, u.items));
        if (u.items == 0)
            return;
        table({tr("种类"), tr("级别"), tr("物品数")});
        const size_t grades = std::min(u.byCategoryGrade.size(), rows_);
        for (size_t i = 0; i < grades; ++i) {
            const Stats::GradeCount& g = u.byCategoryGrade[i];
            row({escaped(category(g.category)), escaped(gradeLabel(g.grade)), g.items});
        }
        others(u.byCategoryGrade.size(), grades, 3);
        html_ += u"</table>\n<h3>"_s +
                 escaped(tr("按物品ID的前%n项", nullptr, static_cast<int>(u.first.size()))) +
                 u"</h3>\n"_s;
        table({tr("物品ID"), tr("中文名称"), tr("英文名称"), tr("种类"), tr("级别")});
        for (const Stats::CatalogueItem& item : u.first)
            row({itemLink(item.id), escaped(item.chineseName.value_or(QString())),
                 escaped(item.englishName), escaped(category(item.category)),
                 escaped(gradeLabel(item.grade))});
        html_ += u"</table>\n"_s;
    }

    void soleSellers() {
        html_ += u"<h2>"_s + escaped(tr("只有一个NPC出售的物品")) + u"</h2>\n"_s;
        const int n = static_cast<int>(stats_.soleSellers.size());
        count(n, tr("共%n项物品。", nullptr, n), tr("共%n项物品，以下列出前%1项。", nullptr, n));
        if (n == 0)
            return;
        table({tr("物品ID"), tr("中文名称"), tr("NPC"), tr("列表")});
        const size_t shown = std::min(stats_.soleSellers.size(), rows_);
        for (size_t i = 0; i < shown; ++i) {
            const Stats::SoleSeller& s = stats_.soleSellers[i];
            row({itemLink(s.id), escaped(s.chineseName.value_or(QString())), npcLink(s.where),
                 escaped(listLabel(s.where.list))});
        }
        others(stats_.soleSellers.size(), shown, 4);
        html_ += u"</table>\n"_s;
    }

    void shortLists() {
        html_ += u"<h2>"_s + escaped(tr("空的或少于%1项物品的列表").arg(Stats::ShortListLength)) +
                 u"</h2>\n"_s;
        const int n = static_cast<int>(stats_.shortLists.size());
        count(n, tr("共%n个列表。", nullptr, n), tr("共%n个列表，以下列出前%1项。", nullptr, n));
        if (n == 0)
            return;
        table({tr("NPC"), tr("列表"), tr("物品数")});
        const size_t shown = std::min(stats_.shortLists.size(), rows_);
        for (size_t i = 0; i < shown; ++i) {
            const Stats::ShortList& s = stats_.shortLists[i];
            row({npcLink(s.where), escaped(listLabel(s.where.list)), s.items});
        }
        others(stats_.shortLists.size(), shown, 3);
        html_ += u"</table>\n"_s;
    }

    void listLengths() {
        html_ += u"<h2>"_s + escaped(tr("列表长度的分布")) + u"</h2>\n"_s;
        picture(u"list-lengths"_s, drawListLengthChart(stats_));
        if (stats_.listLengths.empty())
            paragraph(tr("没有列表。"));
    }

    void taxRates() {
        html_ += u"<h2>"_s + escaped(tr("税率")) + u"</h2>\n<h3>"_s + escaped(tr("税率的分布")) +
                 u"</h3>\n"_s;
        picture(u"tax-rates"_s, drawTaxRateChart(stats_));
        const int rates = static_cast<int>(stats_.taxRates.size());
        count(rates, tr("共%n种税率。", nullptr, rates),
              tr("共%n种税率，以下列出前%1项。", nullptr, rates));
        std::vector<const Stats::RateCount*> odd;
        if (rates > 0) {
            table({tr("税率"), tr("物品数")});
            for (size_t i = 0; i < stats_.taxRates.size(); ++i) {
                const Stats::RateCount& r = stats_.taxRates[i];
                if (i < rows_)
                    row({escaped(rateLabel(r.rate)), r.items});
                if (!r.number)
                    odd.push_back(&r);
            }
            others(stats_.taxRates.size(), std::min(stats_.taxRates.size(), rows_), 2);
            html_ += u"</table>\n"_s;
        }

        html_ += u"<h3>"_s + escaped(tr("不是数字的税率")) + u"</h3>\n"_s;
        const int oddRates = static_cast<int>(odd.size());
        count(oddRates, tr("共%n种税率。", nullptr, oddRates),
              tr("共%n种税率，以下列出前%1项。", nullptr, oddRates));
        if (!odd.empty()) {
            table({tr("税率"), tr("物品数"), tr("首个物品"), tr("NPC"), tr("列表")});
            const size_t shown = std::min(odd.size(), rows_);
            for (size_t i = 0; i < shown; ++i) {
                const Stats::RateCount& r = *odd[i];
                row({escaped(rateLabel(r.rate)), r.items, itemLink(r.firstId), npcLink(r.first),
                     escaped(listLabel(r.first.list))});
            }
            others(odd.size(), shown, 5);
            html_ += u"</table>\n"_s;
        }

        html_ += u"<h3>"_s + escaped(tr("在不同列表中税率不同的物品")) + u"</h3>\n"_s;
        const int conflicts = static_cast<int>(stats_.rateConflicts.size());
        count(conflicts, tr("共%n项物品。", nullptr, conflicts),
              tr("共%n项物品，以下列出前%1项。", nullptr, conflicts));
        if (conflicts == 0)
            return;
        table({tr("物品ID"), tr("中文名称"), tr("税率（列表数）")});
        const size_t perItem = rows_ == Everything ? Everything : ReportRatesPerItem;
        const size_t shown = std::min(stats_.rateConflicts.size(), rows_);
        for (size_t i = 0; i < shown; ++i) {
            const Stats::RateConflict& c = stats_.rateConflicts[i];
            QStringList uses;
            for (size_t u = 0; u < c.rates.size() && u < perItem; ++u) {
                const Stats::RateUse& use = c.rates[u];
                // One pass over both: a rate may hold "%2" itself.
                uses << escaped(tr("%1（%2）", "a tax rate and the lists that use it"))
                            .arg(listLink(use.first, escaped(rateLabel(use.rate))),
                                 QString::number(use.lists));
            }
            if (c.rates.size() > perItem)
                uses << escaped(
                    tr("…及其他%n种", "tax rates", static_cast<int>(c.rates.size() - perItem)));
            row({itemLink(c.id), escaped(c.chineseName.value_or(QString())),
                 uses.join(escaped(tr("、", "between the tax rates of one item")))});
        }
        others(stats_.rateConflicts.size(), shown, 3);
        html_ += u"</table>\n"_s;
    }

    // How many there are, in `all`, or in `first` with the number of rows shown when those
    // are fewer.
    void count(int n, const QString& all, const QString& first) {
        paragraph(static_cast<size_t>(n) > rows_ ? first.arg(rows_) : all);
    }

    void paragraph(const QString& text) { html_ += u"<p>"_s + escaped(text) + u"</p>\n"_s; }

    // The last row of a table that shows `shown` of `total` rows: how many it leaves out.
    void others(size_t total, size_t shown, qsizetype columns) {
        if (total <= shown)
            return;
        html_ += u"<tr><td colspan=\""_s + QString::number(columns) + u"\">"_s +
                 escaped(tr("…及其他%n项", nullptr, static_cast<int>(total - shown))) +
                 u"</td></tr>\n"_s;
    }

    void picture(const QString& name, const QImage& image) {
        if (image.isNull())
            return;
        QString source;
        if (target_ == ReportTarget::Screen) {
            const QUrl url(PictureScheme + u':' + name + u".png"_s);
            pictures_.push_back({url, image});
            source = url.toString();
        } else {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            // zlib's fastest level: flat pictures shrink about as well as at its default, in
            // half the time.
            paletted(image).save(&buffer, "PNG", 80);
            source = u"data:image/png;base64,"_s + QString::fromLatin1(png.toBase64());
        }
        html_ += u"<p><img src=\""_s + source + u"\" width=\""_s + QString::number(image.width()) +
                 u"\" height=\""_s + QString::number(image.height()) + u"\" alt=\"\"></p>\n"_s;
        send(SendAbove);
    }

    void table(const QStringList& headers) {
        html_ += u"<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr>"_s;
        for (const QString& header : headers)
            html_ += u"<th>"_s + escaped(header) + u"</th>"_s;
        html_ += u"</tr>\n"_s;
    }

    // A cell of a row: HTML, or a number, which stands right-aligned.
    struct Cell {
        Cell(QString html) : html(std::move(html)) {}
        Cell(qint64 n) : html(QString::number(n)), number(true) {}
        QString html;
        bool number = false;
    };

    void row(const std::vector<Cell>& cells) {
        html_ += u"<tr>"_s;
        for (const Cell& cell : cells)
            html_ += (cell.number ? u"<td class=\"n\" align=\"right\">"_s : u"<td>"_s) + cell.html +
                     u"</td>"_s;
        html_ += u"</tr>\n"_s;
        send(SendAbove);
    }

    // Passes the text made so far on to the device once it holds more than `above` units.
    void send(qsizetype above) {
        if (!device_ || html_.size() <= above)
            return;
        failed_ = failed_ || !writeAll(*device_, html_.toUtf8());
        html_.clear();
    }

    QString category(int index) const {
        return categoryLabel(stats_.categories[static_cast<size_t>(index)]);
    }

    QString link(const QString& href, const QString& html) const {
        if (target_ == ReportTarget::File)
            return html;
        return u"<a href=\""_s + href.toHtmlEscaped() + u"\">"_s + html + u"</a>"_s;
    }

    QString listLink(ListRef where, const QString& html) const {
        return link(ListScheme + u':' + QString::number(where.record) + u'-' +
                        QString::number(where.list),
                    html);
    }

    QString npcLink(ListRef where) const {
        return listLink(where, escaped(npcLabel(stats_.npcs[static_cast<size_t>(where.record)])));
    }

    // The ID travels as hexadecimal UTF-8: an ID may hold any character a URL would mangle.
    QString itemLink(const QString& id) const {
        return link(ItemScheme + u':' + QString::fromLatin1(id.toUtf8().toHex()), escaped(id));
    }

    // Text is passed on in pieces of about this many UTF-16 units.
    static constexpr qsizetype SendAbove = 1 << 16;

    const Stats& stats_;
    ReportTarget target_;
    QIODevice* device_;
    size_t rows_;                // the rows of a table shown
    LocationSelection pictured_; // what the location chart shows, and the screen's table
    QString html_;
    std::vector<ReportPicture> pictures_;
    bool failed_ = false;
};

} // namespace

StatisticsReport renderStatisticsReport(const ScriptStatistics& stats, ReportTarget target) {
    return ReportWriter(stats, target).write();
}

bool writeStatisticsReport(const ScriptStatistics& stats, QIODevice& out) {
    ReportWriter writer(stats, ReportTarget::File, &out);
    writer.write();
    return !writer.failed();
}

ReportLink reportLinkTarget(const QUrl& url) {
    ReportLink target;
    const QString path = url.path();
    if (url.scheme() == ListScheme) {
        const qsizetype dash = path.indexOf(u'-');
        bool recordOk = false, listOk = false;
        const int record = path.left(dash).toInt(&recordOk);
        const int list = path.mid(dash + 1).toInt(&listOk);
        if (dash > 0 && recordOk && listOk)
            target.list = ListRef{record, list};
    } else if (url.scheme() == ItemScheme) {
        target.item = QString::fromUtf8(QByteArray::fromHex(path.toLatin1()));
    }
    return target;
}

QString noScriptPage() {
    return head() + u"<p align=\"center\" style=\"margin-top: 40px; color: #777;\">"_s +
           QCoreApplication::translate("StatisticsReport", "请先装入AI文件").toHtmlEscaped() +
           u"</p>\n"_s + Tail;
}

} // namespace vw
