// The checks and the search for sellers over a small script and the fixture catalogue.
#include "../support/FixtureCatalogue.h"
#include "catalogue/Lookups.h"
#include "editor/Checks.h"
#include "editor/Sellers.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace vw;

namespace {

// grocer_amber stands in two towns; guard_hal is spelt Guard_Hal in the town table.
const QStringList Script = {
    u"class grocer_amber : merchant"_s,
    u"property_define_begin"_s,
    u"buyselllist_begin SellList0"_s,
    u"{40; 10; 0}"_s,
    u"{44; 10; 0}"_s,
    u"{40; 10; 0}"_s,
    u"{41; 10"_s,
    u"buyselllist_end"_s,
    u"property_define_end"_s,
    u"class_end"_s,
    u"class guard_hal : merchant"_s,
    u"property_define_begin"_s,
    u"buyselllist_begin SellList1"_s,
    u"{42; -5; 0}"_s,
    u"{40; 3; 0}"_s,
    u"property_define_end"_s,
    u"class_end"_s,
};

} // namespace

TEST(Inspection, ChecksFindWhatAServerWouldTripOn) {
    CatalogueDb db;
    ASSERT_TRUE(test::loadFixtureCatalogue(db));
    CatalogueLookups lookups(db);
    const ScriptReadResult read = test::readLines(Script);
    std::vector<std::pair<int, Finding::Kind>> found;
    for (const Finding& finding : checkScript(read.records, read.report, &lookups))
        found.emplace_back(finding.line, finding.kind);
    EXPECT_EQ(found,
              (std::vector<std::pair<int, Finding::Kind>>{{5, Finding::Kind::UnknownItem},
                                                          {6, Finding::Kind::RepeatedItem},
                                                          {7, Finding::Kind::MalformedItemLine},
                                                          {11, Finding::Kind::PlacedInNoTown},
                                                          {14, Finding::Kind::TaxRateNotANumber},
                                                          {14, Finding::Kind::UnclosedList}}));
    EXPECT_FALSE(lookups.failed());
}

TEST(Inspection, SellersAreEveryListThatHoldsTheItem) {
    CatalogueDb db;
    ASSERT_TRUE(test::loadFixtureCatalogue(db));
    CatalogueLookups lookups(db);
    const ScriptReadResult read = test::readLines(Script);
    const std::vector<Sale> sales = findSellers(read.records, u"40", &lookups);
    std::vector<std::tuple<int, int, int, QString>> where;
    for (const Sale& sale : sales)
        where.emplace_back(sale.record, sale.list, sale.slot, sale.taxRate);
    EXPECT_EQ(where, (std::vector<std::tuple<int, int, int, QString>>{
                         {0, 0, 0, u"10"_s}, {0, 0, 2, u"10"_s}, {1, 1, 1, u"3"_s}}));
    EXPECT_EQ(sales[0].chineseName, u"杂货商安珀"_s);
    EXPECT_EQ(sales[0].locations.size(), 2);
    EXPECT_TRUE(sales[2].locations.isEmpty());
    EXPECT_TRUE(findSellers(read.records, u"4", &lookups).empty());
}
