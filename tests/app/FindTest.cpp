#include "ProgramFolder.h"

#include "../support/Printers.h"

#include "catalogue/gui/CatalogueBrowser.h"
#include "controls/Combo.h"
#include "controls/Grid.h"
#include "controls/ResultsPanel.h"
#include "controls/StatusPanels.h"

#include <QCheckBox>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace vw;
using namespace vw::test;

namespace {

// Item 20 twice in guard_hal's list (a class the town table spells Guard_Hal, so placed
// nowhere) and in both lists of grocer_amber.
QStringList sellersScript() {
    return {
        u"class grocer_amber : citizen"_s,
        u"property_define_begin"_s,
        u"buyselllist_begin SellList0"_s,
        u"{20; 10; 0 };"_s,
        u"{1; 10; 0 };"_s,
        u"buyselllist_end"_s,
        u"buyselllist_begin SellList1"_s,
        u"{20; 11; 0 };"_s,
        u"{40; 10; 0 };"_s,
        u"buyselllist_end"_s,
        u"property_define_end"_s,
        u"class_end"_s,
        u"class guard_hal : citizen"_s,
        u"property_define_begin"_s,
        u"buyselllist_begin SellList0"_s,
        u"{20; 5; 0 };"_s,
        u"{21; 5; 0 };"_s,
        u"{20; 6; 0 };"_s,
        u"buyselllist_end"_s,
        u"property_define_end"_s,
        u"class_end"_s,
    };
}

} // namespace

TEST(Find, CatalogueSearchTakesPlainWordsWithinTheFilters) {
    ProgramFolder folder(sampleScript());
    folder.useSqliteCatalogue(
        "INSERT INTO Itemdata_R VALUES (70,'weapon','O''Brien''s 100% Axe_x','rhand','axe',"
        "'none','none','none',1,1,1,0,0);"
        "INSERT INTO ITEMNAME_C VALUES (70,'奥布莱恩之斧','');");
    MainWindow& window = folder.start();
    auto& grid = folder.control<Grid>("MSFlexGrid2");
    auto& status = folder.control<StatusPanels>("StatusBar1");
    folder.control<Combo>("Combo1").setText(u"weapon|武器"_s);
    folder.control<Combo>("Combo3").setText(u"无级别"_s);
    const QStringList filtered = column(grid, 0);
    auto& browser = window.catalogue();

    // Weapons of no grade only; every word must match, the ID's start or a name.
    const std::vector<std::pair<QString, QStringList>> searches{
        {u"1"_s, {u"1"_s, u"70"_s}}, // ID prefix, and "100%" in a name
        {u"SWORD"_s, {u"1"_s}},
        {u"short  sword"_s, {u"1"_s}},
        {u"sword bow"_s, {}},
        {u"o'brien's axe"_s, {u"70"_s}},
        {u"%"_s, {u"70"_s}},
        {u"_"_s, {u"70"_s}},
        {u"\\"_s, {}},
    };
    for (const auto& [text, ids] : searches) {
        browser.search(text);
        // A search that finds nothing leaves the header alone, and says so.
        EXPECT_EQ(column(grid, 0), ids) << text.toStdString();
        const QString words = text.split(u' ', Qt::SkipEmptyParts).join(u' ');
        EXPECT_EQ(status.panelText(2),
                  u"在“武器/全部/无级别”中搜索“"_s + words +
                      (ids.empty() ? u"”没有找到物品"_s
                                   : u"”共"_s + QString::number(ids.size()) + u"项"_s));
    }
    EXPECT_TRUE(folder.dialogs.messages.empty());
    browser.search(u"  "_s);
    EXPECT_EQ(column(grid, 0), filtered);

    // The search text holds while the filters change, and the whole catalogue can be searched.
    browser.search(u"sword"_s);
    folder.control<Combo>("Combo3").setText(u"C级物品"_s);
    EXPECT_EQ(column(grid, 0), QStringList({u"3"_s}));
    EXPECT_EQ(folder.control<QLineEdit>("txtSearch").text(), u"sword"_s);
    folder.control<Combo>("Combo1").setText(u"armor|防具"_s);
    EXPECT_EQ(grid.rows(), 1);
    folder.control<QCheckBox>("chkWholeCatalogue").setChecked(true);
    EXPECT_EQ(column(grid, 0), QStringList({u"1"_s, u"2"_s, u"3"_s, u"12"_s}));
    EXPECT_EQ(status.panelText(2), u"搜索“sword”共4项"_s);
}

TEST(Find, WhereSoldListsEveryListAndJumpsThere) {
    ProgramFolder folder(sellersScript());
    MainWindow& window = folder.start();
    trigger(window, "ID_Load");
    auto& locations = folder.control<Combo>("Combo5");
    auto& npcs = folder.control<Combo>("Combo2");
    auto& lists = folder.control<Combo>("Combo4");
    auto& listGrid = folder.control<Grid>("MSFlexGrid1");
    auto& panel = folder.control<ResultsPanel>("WhereSold");

    folder.control<Combo>("Combo1").setText(u"armor|防具"_s);
    folder.control<Combo>("Combo3").setText(u"无级别"_s);
    window.catalogue().search(u"20"_s);
    folder.control<Grid>("MSFlexGrid2").setCurrentRow(1);
    trigger(window, "ID_FindSellers");
    ASSERT_EQ(panel.resultCount(), 4);
    const Grid& results = panel.grid();
    EXPECT_EQ(column(results, 0),
              QStringList({u"grocer_amber"_s, u"grocer_amber"_s, u"guard_hal"_s, u"guard_hal"_s}));
    EXPECT_EQ(column(results, 2),
              QStringList({u"0-商品列表"_s, u"1-商品列表"_s, u"0-商品列表"_s, u"0-商品列表"_s}));
    EXPECT_EQ(column(results, 3), QStringList({u"1"_s, u"1"_s, u"1"_s, u"3"_s}));
    EXPECT_EQ(column(results, 4), QStringList({u"10"_s, u"11"_s, u"5"_s, u"6"_s}));
    EXPECT_EQ(results.text(1, 5), u"白石镇、灰港"_s);
    EXPECT_EQ(results.text(3, 5), QString());

    // From a town that does not list the NPC: to one that does.
    locations.setText(u"北境要塞"_s);
    emit panel.resultChosen(1);
    EXPECT_EQ(locations.currentText(), u"白石镇"_s);
    EXPECT_EQ(npcs.currentText(), u"grocer_amber|杂货商安珀"_s);
    EXPECT_EQ(lists.currentText(), u"1-商品列表"_s);
    EXPECT_EQ(listGrid.currentRow(), 1);
    // A merchant no town entry reaches is under the program's own entry.
    emit panel.resultChosen(3);
    EXPECT_EQ(locations.currentText(), u"未放置的NPC"_s);
    EXPECT_EQ(npcs.currentText(), u"guard_hal|守卫哈尔"_s);
    EXPECT_EQ(listGrid.currentRow(), 3);
    EXPECT_EQ(listGrid.text(3, 4), u"6"_s);

    // The NPC filter narrows the choice; Enter takes the first it offers.
    locations.setText(u"全部NPC"_s);
    window.findChild<QLineEdit*>(u"txtNpcFilter"_s)->setText(u"AMB"_s);
    EXPECT_EQ(npcs.firstOfferedEntry(), 0);
    window.findChild<QLineEdit*>(u"txtNpcFilter"_s)->setText(u"哈尔"_s);
    EXPECT_EQ(npcs.firstOfferedEntry(), -1);
    locations.setText(u"未放置的NPC"_s);
    EXPECT_EQ(npcs.currentText(), u"guard_hal|守卫哈尔"_s);
}

TEST(Find, ChecksInTheWindowListFindingsAndJump) {
    ProgramFolder folder(sampleScript());
    MainWindow& window = folder.start();
    trigger(window, "ID_CheckScript");
    EXPECT_EQ(folder.dialogs.texts(), QStringList({u"请先装入AI文件"_s}));
    trigger(window, "ID_Load");
    trigger(window, "ID_CheckScript");
    auto& panel = folder.control<ResultsPanel>("CheckResults");
    // weaponsmith_borin sells item 12, which has no name; guard_hal stands in no town.
    EXPECT_EQ(column(panel.grid(), 0), QStringList({u"20"_s, u"25"_s}));
    EXPECT_EQ(panel.grid().text(1, 3), u"物品ID 12 在物品库中没有名称（ITEMNAME_E2C）"_s);
    EXPECT_EQ(panel.grid().text(2, 1), u"guard_hal"_s);
    emit panel.resultChosen(0);
    EXPECT_EQ(folder.control<Combo>("Combo2").currentText(), u"weaponsmith_borin|武器商伯林"_s);
    EXPECT_EQ(folder.control<Grid>("MSFlexGrid1").currentRow(), 3);
}
