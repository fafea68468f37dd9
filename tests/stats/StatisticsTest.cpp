#include "../support/FixtureCatalogue.h"
#include "../support/Printers.h"
#include "catalogue/CatalogueDb.h"
#include "editor/ListEdits.h"
#include "script/ScriptReader.h"
#include "stats/ScriptStatistics.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <array>

using namespace Qt::Literals::StringLiterals;
using vw::ListRef;
using vw::ScriptStatistics;

namespace {

// Five merchants over the fixture catalogue. The town table spells Guard_Hal so, which places
// guard_hal nowhere; priest_nola stands in no town. Item 99 is not in the catalogue.
const QStringList Script = {
    u"class grocer_amber : merchant"_s, // 白石镇, 灰港
    u"property_define_begin"_s,
    u"buyselllist_begin SellList0"_s,
    u"{40; 10; 0}"_s,
    u"{41; 10; 0}"_s,
    u"{42; 10; 0}"_s,
    u"{44; 10; 0}"_s,
    u"{99; abc; 0}"_s,
    u"buyselllist_end"_s,
    u"buyselllist_begin SellList1"_s,
    u"{1; 15; 0}"_s,
    u"{2; 15; 0}"_s,
    u"buyselllist_end"_s,
    u"property_define_end"_s,
    u"class_end"_s,
    u"class weaponsmith_borin : merchant"_s, // 白石镇
    u"property_define_begin"_s,
    u"buyselllist_begin SellList0"_s,
    u"{2; 10; 0}"_s,
    u"{3; 10; 0}"_s,
    u"{42; 5.5; 0}"_s,
    u"buyselllist_end"_s,
    u"property_define_end"_s,
    u"class_end"_s,
    u"class guard_hal : merchant"_s,
    u"property_define_begin"_s,
    u"buyselllist_begin SellList0"_s,
    u"{40; 12; 0}"_s,
    u"{1; 1234567890; 0}"_s,
    u"buyselllist_end"_s,
    u"property_define_end"_s,
    u"class_end"_s,
    u"class priest_nola : merchant"_s,
    u"property_define_begin"_s,
    u"buyselllist_begin SellList0"_s,
    u"{42; 10; 0}"_s,
    u"{45; 10; 0}"_s,
    u"{50; 10; 0}"_s,
    u"{50; 10; 0}"_s,
    u"buyselllist_end"_s,
    u"property_define_end"_s,
    u"class_end"_s,
    u"class trader_o'dell : merchant"_s, // 灰港, 旅人's驿站; its SellList1 is emptied
    u"property_define_begin"_s,
    u"buyselllist_begin SellList0"_s,
    u"{40; 10; 0}"_s,
    u"{41; 10; 0}"_s,
    u"{42; 10; 0}"_s,
    u"{43; 10; 0}"_s,
    u"{20; 10; 0}"_s,
    u"{21; 10; 0}"_s,
    u"buyselllist_end"_s,
    u"buyselllist_begin SellList1"_s,
    u"{5; 10; 0}"_s,
    u"buyselllist_end"_s,
    u"property_define_end"_s,
    u"class_end"_s,
};

class Statistics : public testing::Test {
protected:
    static void SetUpTestSuite() {
        vw::CatalogueDb db;
        ASSERT_TRUE(vw::test::loadFixtureCatalogue(db));
        records_ = vw::test::readLines(Script).records;
        ASSERT_EQ(records_.size(), 5u);
        ASSERT_TRUE(vw::edits::deleteItem(records_[4], 1, 0));
        stats_ = vw::computeStatistics(records_, db);
    }

    static const ScriptStatistics::Location& location(const QString& name) {
        for (const auto& l : stats_.locations) {
            if (l.name == name)
                return l;
        }
        return stats_.locations.back();
    }

    inline static std::vector<vw::ShopRecord> records_;
    inline static ScriptStatistics stats_;
};

TEST_F(Statistics, TotalsListLengthsAndShortLists) {
    EXPECT_EQ(stats_.catalogueError, QString());
    EXPECT_EQ(stats_.totals.records, 5);
    EXPECT_EQ(stats_.totals.lists, 7); // the emptied list counts
    EXPECT_EQ(stats_.totals.items, 22);
    EXPECT_EQ(stats_.totals.distinctItems, 13);
    EXPECT_EQ(stats_.npcs[2].chineseName, u"守卫哈尔"_s); // the engine ignores letter case
    std::vector<std::pair<int, int>> lengths;
    for (const auto& l : stats_.listLengths)
        lengths.emplace_back(l.items, l.lists);
    EXPECT_EQ(lengths,
              (std::vector<std::pair<int, int>>{{0, 1}, {2, 2}, {3, 1}, {4, 1}, {5, 1}, {6, 1}}));
    std::vector<std::tuple<int, int, int>> shortLists;
    for (const auto& s : stats_.shortLists)
        shortLists.emplace_back(s.where.record, s.where.list, s.items);
    EXPECT_EQ(shortLists, (std::vector<std::tuple<int, int, int>>{
                              {0, 1, 2}, {1, 0, 3}, {2, 0, 2}, {3, 0, 4}, {4, 1, 0}}));
}

TEST_F(Statistics, LocationsAsTheWindowListsThem) {
    QStringList names;
    for (const auto& l : stats_.locations)
        names << l.name;
    EXPECT_EQ(names, (QStringList{u"北境要塞"_s, u"旅人's驿站"_s, u"灰港"_s, u"白石镇"_s, {}}));
    EXPECT_TRUE(stats_.locations.back().placedNowhere);
    QStringList codes;
    for (const auto& c : stats_.categories)
        codes << c.code;
    EXPECT_EQ(codes, (QStringList{u"weapon"_s,
                                  u"armor"_s,
                                  u"accessary"_s,
                                  u"etcitem"_s,
                                  u"questitem"_s,
                                  u"pet"_s,
                                  u"1"_s,
                                  {}}));
    EXPECT_EQ(stats_.categories[0].name, u"武器"_s);

    struct Expected {
        QString name;
        std::vector<int> records;
        qint64 items;
        int distinct;
        std::vector<int> byCategory;
        std::optional<ListRef> first;
    };
    const Expected expected[] = {
        {u"北境要塞"_s, {}, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}, {}},
        {u"旅人's驿站"_s, {4}, 6, 6, {0, 2, 0, 4, 0, 0, 0, 0}, ListRef{4, 0}},
        {u"灰港"_s, {0, 4}, 13, 10, {2, 2, 0, 5, 0, 0, 0, 1}, ListRef{0, 0}},
        {u"白石镇"_s, {0, 1}, 10, 8, {3, 0, 0, 4, 0, 0, 0, 1}, ListRef{0, 0}},
        {{}, {2, 3}, 6, 5, {1, 0, 0, 3, 1, 0, 0, 0}, ListRef{2, 0}},
    };
    for (const Expected& e : expected) {
        const auto& l = location(e.name);
        SCOPED_TRACE(e.name.toStdString());
        EXPECT_EQ(l.records, e.records);
        EXPECT_EQ(l.npcsWithItems, static_cast<int>(e.records.size()));
        EXPECT_EQ(l.items, e.items);
        EXPECT_EQ(l.distinctItems, e.distinct);
        EXPECT_EQ(l.distinctByCategory, e.byCategory);
        EXPECT_EQ(l.first, e.first);
    }
}

TEST_F(Statistics, CatalogueItemsSoldNowhere) {
    const auto& unsold = stats_.unsold;
    EXPECT_EQ(unsold.items, 16);
    QStringList grades;
    for (const auto& g : unsold.byCategoryGrade)
        grades << stats_.categories[static_cast<size_t>(g.category)].code + u'/' + g.grade + u'=' +
                      QString::number(g.items);
    EXPECT_EQ(grades.join(u' '), u"weapon/b=1 weapon/c=1 weapon/d=2 weapon/N=1 weapon/none=2 "
                                 u"weapon/s=1 weapon/s80=1 armor/c=1 armor/none=1 accessary/d=1 "
                                 u"accessary/none=1 questitem/none=1 pet/none=1 1/none=1"_s);
    ASSERT_EQ(unsold.first.size(), 16u);
    EXPECT_EQ(unsold.first[0].id, u"4"_s);
    EXPECT_EQ(unsold.first[0].chineseName, u"石棍"_s);
    EXPECT_EQ(unsold.first[0].englishName, u"Stone Club"_s);
    EXPECT_EQ(unsold.first[8].id, u"12"_s);
    EXPECT_EQ(unsold.first[8].chineseName, std::nullopt);
    EXPECT_EQ(unsold.first[15].id, u"61"_s);
}

TEST_F(Statistics, ItemsOneMerchantAloneSells) {
    QStringList sole;
    for (const auto& s : stats_.soleSellers)
        sole << s.id + u'@' + QString::number(s.where.record);
    EXPECT_EQ(sole.join(u' '), u"44@0 99@0 3@1 45@3 50@3 43@4 20@4 21@4"_s);
    EXPECT_EQ(stats_.soleSellers[2].chineseName, u"骑士长剑之影"_s);
    EXPECT_EQ(stats_.soleSellers[1].chineseName, std::nullopt);
}

TEST_F(Statistics, TaxRatesTheirNumbersAndConflicts) {
    QStringList rates;
    for (const auto& r : stats_.taxRates)
        rates << r.rate + (r.number ? u"="_s : u"?"_s) + QString::number(r.items);
    EXPECT_EQ(rates.join(u' '), u"5.5=1 10=16 12=1 15=2 1234567890?1 abc?1"_s);
    EXPECT_EQ(stats_.taxRates.back().first, (ListRef{0, 0}));
    EXPECT_EQ(stats_.taxRates.back().firstId, u"99"_s);

    QStringList conflicts;
    for (const auto& c : stats_.rateConflicts) {
        QStringList uses;
        for (const auto& u : c.rates)
            uses << u.rate + u'x' + QString::number(u.lists);
        conflicts << c.id + u':' + uses.join(u',');
    }
    EXPECT_EQ(conflicts.join(u' '),
              u"40:10x2,12x1 42:10x3,5.5x1 1:15x1,1234567890x1 2:15x1,10x1"_s);
    EXPECT_EQ(stats_.rateConflicts[1].rates[1].first, (ListRef{1, 0}));

    for (const QString& number : {u"0"_s, u"10"_s, u"5.25"_s, u"123456789.5"_s})
        EXPECT_TRUE(vw::isNumericTaxRate(number)) << number.toStdString();
    for (const QString& other :
         {QString(), u"1234567890"_s, u"1."_s, u".5"_s, u"1.2.3"_s, u"-1"_s, u" 1"_s, u"１"_s})
        EXPECT_FALSE(vw::isNumericTaxRate(other)) << other.toStdString();
}

TEST_F(Statistics, WithoutCatalogueEveryRecordIsPlacedNowhere) {
    vw::CatalogueDb none;
    const ScriptStatistics stats = vw::computeStatistics(records_, none);
    EXPECT_FALSE(stats.catalogueError.isEmpty());
    ASSERT_EQ(stats.locations.size(), 1u);
    EXPECT_EQ(stats.locations[0].records.size(), 5u);
    EXPECT_EQ(stats.locations[0].distinctByCategory, std::vector<int>{13});
    EXPECT_EQ(stats.totals.items, 22);
}

} // namespace
