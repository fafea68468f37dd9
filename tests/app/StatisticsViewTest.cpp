#include "stats/gui/StatisticsView.h"
#include "../support/Devices.h"
#include "../support/Printers.h"
#include "../support/TestFiles.h"
#include "catalogue/CatalogueDb.h"
#include "script/ScriptReader.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTranslator>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>

using namespace Qt::Literals::StringLiterals;

namespace {

std::vector<vw::ShopRecord> readRecords(const QStringList& lines) {
    QByteArray bytes = vw::test::scriptBytes(lines);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return vw::readScript(buffer).records;
}

// Where the view shows the link to `href`, in viewport coordinates, once scrolled to it.
std::optional<QPoint> linkPosition(vw::StatisticsView& view, const QString& href) {
    for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            if (fragment.fragment().charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(view.document());
            cursor.setPosition(fragment.fragment().position() + 1);
            view.setTextCursor(cursor);
            view.ensureCursorVisible();
            return view.cursorRect(cursor).center();
        }
    }
    return std::nullopt;
}

using Stats = vw::ScriptStatistics;

// Numbers made up for the report alone, with more rows of every kind than the screen shows and
// names in ASCII only, so that any Chinese left in the report is a text of its own. Place p
// holds p distinct items of category p % 25.
Stats manyRows() {
    Stats s;
    s.npcs = {{u"trader"_s, std::nullopt}};
    for (int c = 0; c < 25; ++c)
        s.categories.push_back({u"cat"_s + QString::number(c), u"Cat"_s + QString::number(c)});
    for (int p = 0; p < 150; ++p) {
        Stats::Location& place = s.locations.emplace_back();
        place.name = u"place"_s + QString::number(p);
        place.records = {0};
        place.npcsWithItems = 1;
        place.items = place.distinctItems = p;
        place.distinctByCategory.assign(25, 0);
        place.distinctByCategory[static_cast<size_t>(p % 25)] = p;
        place.first = vw::ListRef{0, 0};
    }
    s.locations.push_back({{}, true, {}, 0, 0, 0, std::vector<int>(25, 0), {}});
    s.unsold.items = 2;
    s.unsold.byCategoryGrade = {{0, u"none"_s, 1}, {1, u"d"_s, 1}};
    s.unsold.first = {{u"7"_s, 0, u"none"_s, std::nullopt, u"Seven"_s}};
    for (int i = 0; i < 130; ++i)
        s.soleSellers.push_back({QString::number(1000 + i), std::nullopt, {0, 0}});
    s.listLengths = {{3, 1}};
    s.shortLists = {{{0, 0}, 3}};
    s.taxRates = {{u"10"_s, true, 3, {0, 0}, u"1"_s}, {u"x"_s, false, 1, {0, 0}, u"2"_s}};
    Stats::RateConflict conflict{u"1"_s, std::nullopt, {}};
    for (int r = 0; r < 15; ++r)
        conflict.rates.push_back({QString::number(r), 1, {0, 0}});
    s.rateConflicts = {conflict};
    return s;
}

// Every text of the report "translated" to its ASCII characters alone, placeholders kept.
class AsciiTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        if (qstrcmp(context, "StatisticsReport") != 0)
            return {};
        asked.insert(QString::fromUtf8(source));
        QString text = QString::fromUtf8(source);
        for (QChar& c : text) {
            if (c.unicode() > 0x7f)
                c = u'~';
        }
        return text;
    }
    mutable QSet<QString> asked;
};

bool holdsChinese(const QString& html) {
    return std::any_of(html.begin(), html.end(), [](QChar c) { return c.unicode() >= 0x2e80; });
}

} // namespace

TEST(StatisticsReport, LongTablesOnScreenEndInACountAndTheFileHoldsEveryRow) {
    const Stats stats = manyRows();
    const vw::StatisticsReport screen = vw::renderStatisticsReport(stats, vw::ReportTarget::Screen);
    const QString& html = screen.html;
    // The 100 places with the most distinct items, the placed-nowhere row, and the count of the
    // rest.
    EXPECT_TRUE(html.contains(u">place50</a>"_s));
    EXPECT_FALSE(html.contains(u">place49</a>"_s));
    EXPECT_TRUE(html.contains(u"未放置的NPC"_s));
    EXPECT_TRUE(html.contains(u"共150个地点，以下列出不同物品最多的100个。"_s));
    EXPECT_TRUE(html.contains(u"…及其他50项"_s)); // places
    EXPECT_TRUE(html.contains(u"…及其他30项"_s)); // items one merchant sells
    EXPECT_TRUE(html.contains(u"…及其他5种"_s));  // rates of the one item
    // 25 categories: the 19 largest by a place of their own, the others summed.
    EXPECT_TRUE(html.contains(u"<th>其他种类</th>"_s));
    EXPECT_TRUE(html.contains(u"<th>Cat24</th>"_s));
    EXPECT_FALSE(html.contains(u"<th>Cat5</th>"_s));
    // Grades as the catalogue grid words them.
    EXPECT_TRUE(html.contains(u"<td>无</td>"_s) && html.contains(u"<td>D</td>"_s));
    EXPECT_FALSE(html.contains(u"<td>none</td>"_s) || html.contains(u"<td>d</td>"_s));
    for (const vw::ReportPicture& picture : screen.pictures)
        EXPECT_LE(picture.image.height(), 2400) << picture.url.toString().toStdString();

    const QString file = vw::renderStatisticsReport(stats, vw::ReportTarget::File).html;
    EXPECT_TRUE(file.contains(u"<td>place0</td>"_s) && file.contains(u"<td>1129</td>"_s));
    EXPECT_TRUE(file.contains(u"<th>Cat5</th>"_s));
    EXPECT_FALSE(file.contains(u"及其他"_s) || file.contains(u"以下列出"_s));

    QBuffer streamed;
    streamed.open(QIODevice::WriteOnly);
    ASSERT_TRUE(vw::writeStatisticsReport(stats, streamed));
    EXPECT_EQ(streamed.data(), file.toUtf8());
    vw::test::FailingWriter full(70000);
    EXPECT_FALSE(vw::writeStatisticsReport(stats, full));
}

TEST(StatisticsReport, EveryTextGoesThroughTheTranslator) {
    AsciiTranslator translator;
    QCoreApplication::installTranslator(&translator);
    const Stats stats = manyRows();
    const QString screen = vw::renderStatisticsReport(stats, vw::ReportTarget::Screen).html;
    const QString file = vw::renderStatisticsReport(stats, vw::ReportTarget::File).html;
    const QString empty = vw::noScriptPage();
    QCoreApplication::removeTranslator(&translator);
    EXPECT_FALSE(holdsChinese(screen)) << screen.toStdString();
    EXPECT_FALSE(holdsChinese(file));
    EXPECT_FALSE(holdsChinese(empty));
    EXPECT_TRUE(screen.contains(u"~~~50~"_s)); // the count row's number survives
    // The pictures' texts, which no HTML shows.
    for (const QString& text : {u"列表的物品数"_s, u"列表数"_s, u"税率"_s, u"其他种类"_s})
        EXPECT_TRUE(translator.asked.contains(text)) << text.toStdString();
}

TEST(StatisticsView, ShowsTheReportOfLoadedDataAndTurnsClicksIntoJumps) {
    vw::CatalogueDb catalogue;
    ASSERT_EQ(catalogue.load(QStringLiteral(VW_FIXTURES_DIR "/catalogue.mdb")).status,
              vw::CatalogueLoadStatus::Ok);
    std::vector<vw::ShopRecord> records = readRecords({
        u"class grocer_amber : merchant"_s,
        u"property_define_begin"_s,
        u"buyselllist_begin SellList0"_s,
        u"{40; 10; 0}"_s,
        u"{42; 10; 0}"_s,
        u"buyselllist_end"_s,
        u"buyselllist_begin SellList1"_s,
        u"{1; 15; 0}"_s,
        u"buyselllist_end"_s,
        u"property_define_end"_s,
        u"class_end"_s,
    });
    vw::StatisticsView view;
    view.resize(900, 700);
    view.show();
    EXPECT_TRUE(view.toPlainText().contains(u"请先装入AI文件"_s));

    view.setData(&records, &catalogue);
    const QString text = view.toPlainText();
    for (const QString& shown : {u"各地点"_s, u"白石镇"_s, u"没有NPC出售的物品"_s, u"税率"_s})
        EXPECT_TRUE(text.contains(shown)) << shown.toStdString();
    const QUrl taxChart(u"vwpicture:tax-rates.png"_s);
    const QImage before =
        view.document()->resource(QTextDocument::ImageResource, taxChart).value<QImage>();
    EXPECT_FALSE(before.isNull());

    // A refresh after an edit draws the pictures anew, not from the document's cache.
    records[0].slot(0, 1).taxRate = u"20"_s;
    view.refresh();
    EXPECT_NE(view.document()->resource(QTextDocument::ImageResource, taxChart).value<QImage>(),
              before);

    QSignalSpy chosen(&view, &vw::StatisticsView::recordChosen);
    const std::optional<QPoint> merchant = linkPosition(view, u"vwlist:0-1"_s);
    ASSERT_TRUE(merchant);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, *merchant);
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0], (QVariantList{0, 1}));

    QTemporaryDir dir;
    const QString path = dir.filePath(u"stats.html"_s);
    ASSERT_TRUE(view.exportHtml(path));
    const QString exported = QString::fromUtf8(vw::test::readFile(path));
    EXPECT_TRUE(exported.contains(u"<img src=\"data:image/png;base64,"_s));
    EXPECT_FALSE(exported.contains(u"vwlist:"_s) || exported.contains(u"vwpicture:"_s));
    EXPECT_TRUE(exported.contains(u"<td>无</td>"_s));
    EXPECT_FALSE(exported.contains(u"<td>none</td>"_s));
}

TEST(StatisticsView, ExportNamesWhyTheFileCouldNotBeWritten) {
    std::vector<vw::ShopRecord> records = readRecords({
        u"class grocer_amber : merchant"_s,
        u"property_define_begin"_s,
        u"buyselllist_begin SellList0"_s,
        u"{40; 10; 0}"_s,
        u"buyselllist_end"_s,
        u"property_define_end"_s,
        u"class_end"_s,
    });
    vw::StatisticsView view;
    QString error;
    EXPECT_FALSE(view.exportHtml(u"unused.html"_s, &error));
    EXPECT_EQ(error, u"请先装入AI文件"_s);
    view.setData(&records, nullptr);

    // A file size limit stands in for a full disk: the write stops part way.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"stats.html"_s);
    vw::test::writeFile(path, "before");
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{4096, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = view.exportHtml(path, &error);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(EFBIG)));
    EXPECT_EQ(vw::test::readFile(path), "before");
}
