#include "StatisticsReport.h"

#include "StatisticsCharts.h"

#include <QBuffer>
#include <QHash>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

using Stats = ScriptStatistics;

const QString ListScheme = u"vwlist"_s;
const QString ItemScheme = u"vwitem"_s;
const QString PictureScheme = u"vwpicture"_s;

const QString Head =
    u"<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n"
    u"<title>AI文件统计</title>\n<style>\n"
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

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

QString listLabel(int list) {
    return QString::number(list) + u"-商品列表"_s;
}

QString rateLabel(const QString& rate) {
    return rate.isEmpty() ? u"（空）"_s : rate;
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

class ReportWriter {
public:
    ReportWriter(const Stats& stats, ReportTarget target) : stats_(stats), target_(target) {}

    StatisticsReport write() {
        html_ = Head + u"<h1>AI文件统计</h1>\n"_s;
        if (!stats_.catalogueError.isEmpty())
            html_ += u"<p class=\"note\">物品数据库查询出错："_s + escaped(stats_.catalogueError) +
                     u"</p>\n"_s;
        totals();
        locations();
        unsold();
        soleSellers();
        shortLists();
        listLengths();
        taxRates();
        html_ += Tail;
        return {html_, std::move(pictures_)};
    }

private:
    void totals() {
        const Stats::Totals& t = stats_.totals;
        html_ += u"<h2>总计</h2>\n"_s;
        table({u"NPC数"_s, u"列表数"_s, u"物品数"_s, u"不同物品数"_s});
        row({t.records, t.lists, t.items, t.distinctItems});
        html_ += u"</table>\n"_s;
    }

    void locations() {
        html_ += u"<h2>各地点</h2>\n"_s;
        picture(u"locations"_s, drawLocationChart(stats_));
        QStringList headers{u"地点"_s, u"NPC数"_s, u"有物品的NPC"_s, u"物品数"_s, u"不同物品数"_s};
        for (const Stats::Category& category : stats_.categories)
            headers << categoryLabel(category);
        table(headers);
        for (const Stats::Location& l : stats_.locations) {
            const QString name = escaped(locationLabel(l));
            std::vector<Cell> cells{l.first ? listLink(*l.first, name) : name,
                                    static_cast<qint64>(l.records.size()), l.npcsWithItems, l.items,
                                    l.distinctItems};
            cells.insert(cells.end(), l.distinctByCategory.begin(), l.distinctByCategory.end());
            row(cells);
        }
        html_ += u"</table>\n<p>各种类下为不同物品的数目。</p>\n"_s;
    }

    void unsold() {
        const Stats::Unsold& u = stats_.unsold;
        html_ += u"<h2>没有NPC出售的物品</h2>\n<p>物品库中共有"_s + QString::number(u.items) +
                 u"项物品没有NPC出售。</p>\n"_s;
        if (u.items == 0)
            return;
        table({u"种类"_s, u"级别"_s, u"物品数"_s});
        for (const Stats::GradeCount& g : u.byCategoryGrade)
            row({escaped(category(g.category)), escaped(g.grade), g.items});
        html_ += u"</table>\n<h3>按物品ID的前"_s + QString::number(u.first.size()) + u"项</h3>\n"_s;
        table({u"物品ID"_s, u"中文名称"_s, u"英文名称"_s, u"种类"_s, u"级别"_s});
        for (const Stats::CatalogueItem& item : u.first)
            row({itemLink(item.id), escaped(item.chineseName.value_or(QString())),
                 escaped(item.englishName), escaped(category(item.category)), escaped(item.grade)});
        html_ += u"</table>\n"_s;
    }

    void soleSellers() {
        html_ += u"<h2>只有一个NPC出售的物品</h2>\n"_s;
        count(stats_.soleSellers.size(), u"项物品"_s);
        if (stats_.soleSellers.empty())
            return;
        table({u"物品ID"_s, u"中文名称"_s, u"NPC"_s, u"列表"_s});
        for (size_t i = 0; i < stats_.soleSellers.size() && i < ReportRows; ++i) {
            const Stats::SoleSeller& s = stats_.soleSellers[i];
            row({itemLink(s.id), escaped(s.chineseName.value_or(QString())), npcLink(s.where),
                 listLabel(s.where.list)});
        }
        html_ += u"</table>\n"_s;
    }

    void shortLists() {
        html_ += u"<h2>空的或少于"_s + QString::number(Stats::ShortListLength) +
                 u"项物品的列表</h2>\n"_s;
        count(stats_.shortLists.size(), u"个列表"_s);
        if (stats_.shortLists.empty())
            return;
        table({u"NPC"_s, u"列表"_s, u"物品数"_s});
        for (size_t i = 0; i < stats_.shortLists.size() && i < ReportRows; ++i) {
            const Stats::ShortList& s = stats_.shortLists[i];
            row({npcLink(s.where), listLabel(s.where.list), s.items});
        }
        html_ += u"</table>\n"_s;
    }

    void listLengths() {
        html_ += u"<h2>列表长度的分布</h2>\n"_s;
        picture(u"list-lengths"_s, drawListLengthChart(stats_));
        if (stats_.listLengths.empty())
            html_ += u"<p>没有列表。</p>\n"_s;
    }

    void taxRates() {
        html_ += u"<h2>税率</h2>\n<h3>税率的分布</h3>\n"_s;
        picture(u"tax-rates"_s, drawTaxRateChart(stats_));
        count(stats_.taxRates.size(), u"种税率"_s);
        std::vector<const Stats::RateCount*> odd;
        if (!stats_.taxRates.empty()) {
            table({u"税率"_s, u"物品数"_s});
            for (size_t i = 0; i < stats_.taxRates.size(); ++i) {
                const Stats::RateCount& r = stats_.taxRates[i];
                if (i < ReportRows)
                    row({escaped(rateLabel(r.rate)), r.items});
                if (!r.number)
                    odd.push_back(&r);
            }
            html_ += u"</table>\n"_s;
        }

        html_ += u"<h3>不是数字的税率</h3>\n"_s;
        count(odd.size(), u"种税率"_s);
        if (!odd.empty()) {
            table({u"税率"_s, u"物品数"_s, u"首个物品"_s, u"NPC"_s, u"列表"_s});
            for (size_t i = 0; i < odd.size() && i < ReportRows; ++i) {
                const Stats::RateCount& r = *odd[i];
                row({escaped(rateLabel(r.rate)), r.items, itemLink(r.firstId), npcLink(r.first),
                     listLabel(r.first.list)});
            }
            html_ += u"</table>\n"_s;
        }

        html_ += u"<h3>在不同列表中税率不同的物品</h3>\n"_s;
        count(stats_.rateConflicts.size(), u"项物品"_s);
        if (stats_.rateConflicts.empty())
            return;
        table({u"物品ID"_s, u"中文名称"_s, u"税率（列表数）"_s});
        for (size_t i = 0; i < stats_.rateConflicts.size() && i < ReportRows; ++i) {
            const Stats::RateConflict& c = stats_.rateConflicts[i];
            QStringList uses;
            for (const Stats::RateUse& use : c.rates)
                uses << listLink(use.first, escaped(rateLabel(use.rate))) + u"（"_s +
                            QString::number(use.lists) + u"）"_s;
            row({itemLink(c.id), escaped(c.chineseName.value_or(QString())), uses.join(u"、"_s)});
        }
        html_ += u"</table>\n"_s;
    }

    // "共N…", and that only the first rows follow when there are more.
    void count(size_t n, const QString& what) {
        html_ += u"<p>共"_s + QString::number(n) + what;
        if (n > static_cast<size_t>(ReportRows))
            html_ += u"，以下列出前"_s + QString::number(ReportRows) + u"项"_s;
        html_ += u"。</p>\n"_s;
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

    const Stats& stats_;
    ReportTarget target_;
    QString html_;
    std::vector<ReportPicture> pictures_;
};

} // namespace

StatisticsReport renderStatisticsReport(const ScriptStatistics& stats, ReportTarget target) {
    return ReportWriter(stats, target).write();
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
    return Head +
           u"<p align=\"center\" style=\"margin-top: 40px; color: #777;\">请先装入AI文件</p>\n"_s +
           Tail;
}

} // namespace vw
