#include "editor/ListEdits.h"
#include "../support/Printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <ostream>
#include <span>
#include <tuple>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using vw::ItemSlot;
using vw::ShopRecord;
namespace edits = vw::edits;

namespace {

// IDs written as one text, separated by commas; "" stands for an empty slot.
QStringList ids(const QString& text) {
    return text.split(u',');
}

// Every field tells which item it belongs to, so a slot moved apart from its fields shows. The
// tax rate spells the ID's characters as numbers after the point, so it stays a valid rate.
ItemSlot item(const QString& id) {
    QString rate = QString::number(id.size()) + u'.';
    for (const QChar c : id)
        rate += QString::number(c.unicode());
    return {
        id, rate + u'0', static_cast<int>(qHash(id) % 100000) + 1, {u"x-"_s + id, u"y-"_s + id}};
}

ShopRecord record(const QStringList& list0, const QStringList& list1) {
    ShopRecord r;
    r.growTo(static_cast<int>(std::max(list0.size(), list1.size())) - 1);
    for (int list = 0; list < 2; ++list) {
        const QStringList& ids = list == 0 ? list0 : list1;
        for (int i = 0; i < ids.size(); ++i)
            r.slot(list, i) = item(ids[i]);
    }
    return r;
}

// The whole column of a list, slots past its end as "".
QStringList column(const ShopRecord& r, int list) {
    QStringList ids;
    for (int i = 0; i <= r.upperBound(); ++i)
        ids << r.slot(list, i).id;
    return ids;
}

// Each non-empty slot still holds the fields its ID was built with.
bool slotsWhole(const ShopRecord& r) {
    for (int list = 0; list < 2; ++list)
        for (int i = 0; i <= r.upperBound(); ++i)
            if (const ItemSlot& s = r.slot(list, i); !s.id.isEmpty() && !(s == item(s.id)))
                return false;
    return true;
}

const QStringList abc = ids(u"A,B,C"_s);
const QStringList abcde = ids(u"A,B,C,D,E"_s);
const QStringList pqrst = ids(u"P,Q,R,S,T"_s);
using Flags = std::array<bool, 2>;

} // namespace

TEST(ListEditMove, UpAndDownSwapNeighbours) {
    ShopRecord r = record(abc, pqrst);
    EXPECT_TRUE(edits::moveUp(r, 0, 2));
    EXPECT_EQ(column(r, 0), ids(u"A,C,B,,"_s));
    EXPECT_EQ(column(r, 1), pqrst);
    EXPECT_EQ(r.modified, (Flags{true, false}));

    EXPECT_TRUE(edits::moveDown(r, 1, 3));
    EXPECT_EQ(column(r, 1), ids(u"P,Q,R,T,S"_s));
    EXPECT_EQ(column(r, 0), ids(u"A,C,B,,"_s));
    EXPECT_EQ(r.modified, (Flags{true, true}));
    EXPECT_TRUE(edits::moveDown(r, 0, 0));
    EXPECT_EQ(column(r, 0), ids(u"C,A,B,,"_s));
    EXPECT_TRUE(slotsWhole(r));

    // Up from the first slot, down from a list's last item (short list or slot N): no edit.
    const ShopRecord fresh = record(abc, pqrst);
    for (auto [list, slot, up] :
         {std::tuple{0, 0, true}, {1, 0, true}, {0, 2, false}, {1, 4, false}}) {
        ShopRecord r2 = fresh;
        EXPECT_FALSE(up ? edits::moveUp(r2, list, slot) : edits::moveDown(r2, list, slot))
            << list << ' ' << slot << ' ' << up;
        EXPECT_EQ(r2, fresh);
    }
}

TEST(ListEditMove, TopAndBottomShiftTheOthers) {
    ShopRecord r = record(abcde, ids(u"P,Q"_s));
    EXPECT_TRUE(edits::moveToTop(r, 0, 4));
    EXPECT_EQ(column(r, 0), ids(u"E,A,B,C,D"_s));
    EXPECT_TRUE(edits::moveToTop(r, 0, 3));
    EXPECT_EQ(column(r, 0), ids(u"C,E,A,B,D"_s));
    EXPECT_EQ(column(r, 1), ids(u"P,Q,,,"_s));
    EXPECT_EQ(r.modified, (Flags{true, false}));

    r = record(abcde, ids(u"P,Q"_s));
    EXPECT_TRUE(edits::moveToBottom(r, 0, 0));
    EXPECT_EQ(column(r, 0), ids(u"B,C,D,E,A"_s));
    // The shorter list's last item is its own, not slot N.
    EXPECT_TRUE(edits::moveToBottom(r, 1, 0));
    EXPECT_EQ(column(r, 1), ids(u"Q,P,,,"_s));
    EXPECT_EQ(r.upperBound(), 4);
    EXPECT_TRUE(slotsWhole(r));

    // Already at the top or bottom: applies, order unchanged, list marked modified.
    for (auto [list, slot, top] : {std::tuple{0, 0, true}, {1, 1, false}, {0, 4, false}}) {
        const ShopRecord fresh = record(abcde, ids(u"P,Q"_s));
        ShopRecord r2 = fresh;
        EXPECT_TRUE(top ? edits::moveToTop(r2, list, slot) : edits::moveToBottom(r2, list, slot));
        EXPECT_TRUE(r2.modified[list]);
        EXPECT_FALSE(r2.modified[1 - list]);
        r2.modified = fresh.modified;
        EXPECT_EQ(r2, fresh) << list << ' ' << slot;
    }
}

TEST(ListEditDelete, ClosesTheGapAndEmptiesTheFreedSlot) {
    ShopRecord r = record(abc, ids(u"P,Q,R,S"_s));
    EXPECT_TRUE(edits::deleteItem(r, 0, 1));
    EXPECT_EQ(column(r, 0), ids(u"A,C,,"_s));
    EXPECT_EQ(r.slot(0, 2), ItemSlot{});
    EXPECT_EQ(column(r, 1), ids(u"P,Q,R,S"_s));
    EXPECT_EQ(r.modified, (Flags{true, false}));

    r = record(ids(u"A,B,C,D"_s), ids(u"P,Q,R,S"_s));
    EXPECT_TRUE(edits::deleteItem(r, 1, 3));
    EXPECT_EQ(column(r, 1), ids(u"P,Q,R,"_s));
    EXPECT_EQ(r.slot(1, 3), ItemSlot{});
    EXPECT_EQ(r.slot(0, 3), item(u"D"_s));
    EXPECT_TRUE(edits::deleteItem(r, 0, 0));
    EXPECT_EQ(column(r, 0), ids(u"B,C,D,"_s));
    EXPECT_EQ(r.upperBound(), 3);
    EXPECT_TRUE(slotsWhole(r));

    r = record(ids(u"A"_s), ids(u"P,Q"_s));
    EXPECT_TRUE(edits::deleteItem(r, 0, 0));
    EXPECT_FALSE(r.listExists(0));
    EXPECT_EQ(r.listLength(0), 0);
    EXPECT_EQ(r.modified, (Flags{true, false}));
    EXPECT_EQ(column(r, 1), ids(u"P,Q"_s));
    EXPECT_FALSE(edits::deleteItem(r, 0, 0));

    // An ID of spaces is an item like any other: it closes the gap, it does not end the list.
    r = record(ids(u"A, ,B"_s), {});
    EXPECT_TRUE(edits::deleteItem(r, 0, 0));
    EXPECT_EQ(column(r, 0), ids(u" ,B,"_s));
}

TEST(ListEditInsert, GrowsTheDimensionAndShiftsLaterItems) {
    ShopRecord r = record(abc, ids(u"P"_s));
    EXPECT_TRUE(edits::insertItem(r, 0, 1, item(u"X"_s)));
    EXPECT_EQ(column(r, 0), ids(u"A,X,B,C"_s));
    EXPECT_EQ(column(r, 1), ids(u"P,,,"_s));
    EXPECT_EQ(r.modified, (Flags{true, false}));
    // Appending to the shorter list still grows the dimension; the item follows P directly.
    EXPECT_TRUE(edits::appendItem(r, 1, item(u"Y"_s)));
    EXPECT_EQ(column(r, 1), ids(u"P,Y,,,"_s));
    EXPECT_EQ(r.modified, (Flags{true, true}));
    EXPECT_TRUE(edits::insertItem(r, 0, 99, item(u"Z"_s)));
    EXPECT_EQ(column(r, 0), ids(u"A,X,B,C,Z,"_s));
    EXPECT_TRUE(edits::insertItem(r, 1, 0, item(u"A"_s))); // same ID in the other list
    EXPECT_EQ(column(r, 1), ids(u"A,P,Y,,,"_s));           // one spare slot past the longer list
    EXPECT_TRUE(slotsWhole(r));

    // A list emptied by deletes takes the new item at slot 0.
    r = record(ids(u"A"_s), ids(u"P,Q"_s));
    ASSERT_TRUE(edits::deleteItem(r, 0, 0));
    EXPECT_TRUE(edits::insertItem(r, 0, 5, item(u"X"_s)));
    EXPECT_EQ(column(r, 0), ids(u"X,,"_s));

    ShopRecord empty;
    EXPECT_TRUE(edits::appendItem(empty, 1, item(u"X"_s)));
    EXPECT_EQ(empty.upperBound(), 0);
    EXPECT_EQ(column(empty, 1), ids(u"X"_s));

    // IDs compare exactly; a refused insert changes nothing, not even the dimension.
    const ShopRecord fresh = record(ids(u"1201,a7"_s), ids(u"9"_s));
    for (const QString& id : {u"1201 "_s, u" 1201"_s, u"A7"_s, u"9"_s}) {
        ShopRecord r2 = fresh;
        EXPECT_TRUE(edits::insertItem(r2, 0, 0, item(id))) << id.toStdString();
        EXPECT_EQ(r2.upperBound(), 2);
    }
    const auto withRate = [](const QString& rate) {
        ItemSlot added = item(u"N"_s);
        added.taxRate = rate;
        return added;
    };
    for (const ItemSlot& refused :
         {item(u"1201"_s), item(u"a7"_s), item(QString()), withRate(u"abc"_s), withRate({})}) {
        ShopRecord r2 = fresh;
        EXPECT_FALSE(edits::insertItem(r2, 0, 1, refused)) << refused.taxRate.toStdString();
        EXPECT_FALSE(edits::appendItem(r2, 0, refused)) << refused.taxRate.toStdString();
        EXPECT_EQ(r2, fresh);
    }

    r.templateExtraParts = {u"0.000000"_s, u"0"_s};
    EXPECT_EQ(edits::newItem(r, u"1301"_s, u"15"_s),
              (ItemSlot{u"1301"_s, u"15"_s, 0, {u"0.000000"_s, u"0"_s}}));
}

TEST(ListEditArgs, InvalidArgumentsChangeNothing) {
    using Edit = std::function<bool(ShopRecord&, int, int)>;
    const std::vector<std::pair<const char*, Edit>> ops{
        {"up", edits::moveUp},           {"down", edits::moveDown},     {"top", edits::moveToTop},
        {"bottom", edits::moveToBottom}, {"delete", edits::deleteItem},
    };
    const ShopRecord fresh = record(abc, ids(u"P"_s));
    const std::vector<std::pair<int, int>> bad{{0, -1}, {0, 3}, {1, 99}, {2, 0},
                                               {-1, 0}, {1, 1}, {1, 2}};
    for (const auto& [name, op] : ops) {
        for (auto [list, slot] : bad) {
            ShopRecord r = fresh;
            EXPECT_FALSE(op(r, list, slot)) << name << ' ' << list << ' ' << slot;
            EXPECT_EQ(r, fresh) << name << ' ' << list << ' ' << slot;
        }
        ShopRecord empty;
        EXPECT_FALSE(op(empty, 0, 0)) << name;
        EXPECT_EQ(empty, ShopRecord{}) << name;
    }
    for (auto [list, slot] : {std::pair{2, 0}, {-1, 0}, {0, -1}}) {
        ShopRecord r = fresh;
        EXPECT_FALSE(edits::insertItem(r, list, slot, item(u"N"_s))) << list << ' ' << slot;
        EXPECT_EQ(r, fresh);
    }
}

TEST(ListEditBlock, SeveralRowsMoveAsABlockKeepingTheirOrder) {
    using Picks = std::vector<int>;
    // B and D of A–E, with the other list shorter: every block move, its result and where the
    // moved items stand afterwards.
    const ShopRecord fresh = record(abcde, ids(u"P,Q"_s));
    const Picks bd{1, 3};
    struct Case {
        const char* name;
        Picks (*edit)(ShopRecord&, int, std::span<const int>);
        const char16_t* result;
        Picks moved;
    };
    for (const Case& c : {Case{"up", edits::moveItemsUp, u"B,A,D,C,E", {0, 2}},
                          Case{"down", edits::moveItemsDown, u"A,C,B,E,D", {2, 4}},
                          Case{"top", edits::moveItemsToTop, u"B,D,A,C,E", {0, 1}},
                          Case{"bottom", edits::moveItemsToBottom, u"A,C,E,B,D", {3, 4}}}) {
        ShopRecord r = fresh;
        EXPECT_EQ(c.edit(r, 0, bd), c.moved) << c.name;
        EXPECT_EQ(column(r, 0), ids(QString::fromUtf16(c.result))) << c.name;
        EXPECT_EQ(column(r, 1), ids(u"P,Q,,,"_s)) << c.name;
        EXPECT_EQ(r.modified, (Flags{true, false})) << c.name;
        EXPECT_TRUE(slotsWhole(r));
    }
    // A block at the list's start cannot go up, at its end (the shorter list's own) not down.
    for (auto [list, picks, up] :
         {std::tuple{0, Picks{0, 2}, true}, {0, Picks{2, 4}, false}, {1, Picks{0, 1}, false}}) {
        ShopRecord r = fresh;
        EXPECT_TRUE((up ? edits::moveItemsUp : edits::moveItemsDown)(r, list, picks).empty());
        EXPECT_EQ(r, fresh);
    }
    // Unsorted, repeated or past the end: refused whole.
    for (const Picks& bad : {Picks{3, 1}, Picks{1, 1}, Picks{1, 5}, Picks{}}) {
        ShopRecord r = fresh;
        EXPECT_FALSE(edits::deleteItems(r, 0, bad));
        EXPECT_TRUE(edits::moveItemsToTop(r, 0, bad).empty());
        EXPECT_EQ(r, fresh);
    }

    // One slot is exactly the single-slot edit; several are deleted in one go.
    ShopRecord single = fresh;
    ShopRecord block = fresh;
    edits::moveToBottom(single, 1, 0);
    edits::moveItemsToBottom(block, 1, Picks{0});
    EXPECT_EQ(single, block);
    EXPECT_TRUE(edits::deleteItems(block, 0, Picks{0, 2, 4}));
    EXPECT_EQ(column(block, 0), ids(u"B,D,"_s));
}

TEST(ListEditTaxRate, SetsTheRateOfThePickedItemsAndRefusesWhatTheGameCannotRead) {
    for (const QString& rate : {u" 12 "_s, u"0"_s, u"007"_s, u"1.5"_s, u"123456789.0125"_s})
        EXPECT_EQ(edits::taxRateProblem(rate), edits::TaxRateProblem::None) << rate.toStdString();
    EXPECT_EQ(edits::taxRateProblem(u"   "), edits::TaxRateProblem::Empty);
    for (const QString& rate : {u"5}"_s, u"{5"_s, u"5;6"_s, u"5\n"_s})
        EXPECT_EQ(edits::taxRateProblem(rate), edits::TaxRateProblem::BreaksLine);
    for (const QString& rate : {u"abc"_s, u"-5"_s, u"+5"_s, u"x y"_s, u"1 2"_s, u"9999999999"_s,
                                u"5."_s, u".5"_s, u"1.2.3"_s, u"1e3"_s, u"１２"_s, u"5\u00a0"_s})
        EXPECT_EQ(edits::taxRateProblem(rate), edits::TaxRateProblem::NotANumber)
            << rate.toStdString();

    const ShopRecord fresh = record(abc, ids(u"P"_s));
    ShopRecord r = fresh;
    EXPECT_TRUE(edits::setTaxRate(r, 0, std::vector<int>{0, 2}, u"15"_s));
    EXPECT_EQ(r.slot(0, 0).taxRate, u"15"_s);
    EXPECT_EQ(r.slot(0, 1), item(u"B"_s));
    EXPECT_EQ(r.slot(0, 2).taxRate, u"15"_s);
    EXPECT_EQ(r.modified, (Flags{true, false}));
    // Nothing to change, or a rate that has a problem: no edit, the list not marked.
    for (const QString& rate : {item(u"A"_s).taxRate, QString(), u"1}"_s, u"-5"_s}) {
        ShopRecord r2 = fresh;
        EXPECT_FALSE(edits::setTaxRate(r2, 0, std::vector<int>{0}, rate));
        EXPECT_EQ(r2, fresh);
    }
}

TEST(ListEditDimension, StaysWithinTheLongerListAndOneSpare) {
    ShopRecord r = record(abc, ids(u"P"_s));
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(edits::insertItem(r, 1, 0, item(u"X"_s)));
        ASSERT_TRUE(edits::deleteItem(r, 1, 0));
        ASSERT_LE(r.upperBound(), 3);
    }
    for (int i = 0; i < 9; ++i)
        ASSERT_TRUE(edits::appendItem(r, 1, item(QString::number(i))));
    EXPECT_EQ(r.upperBound(), 10);
    while (r.listExists(1))
        ASSERT_TRUE(edits::deleteItem(r, 1, 0));
    EXPECT_EQ(column(r, 0), ids(u"A,B,C,"_s));
    EXPECT_EQ(column(r, 1), ids(u",,,"_s));
    EXPECT_TRUE(slotsWhole(r));
}
