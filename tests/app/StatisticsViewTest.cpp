#include "stats/gui/StatisticsView.h"
#include "../support/Printers.h"
#include "../support/TestFiles.h"
#include "catalogue/CatalogueDb.h"
#include "script/ScriptReader.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

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

} // namespace

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
}
