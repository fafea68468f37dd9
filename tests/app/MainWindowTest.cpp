#include "ProgramFolder.h"

#include "catalogue/gui/CatalogueBrowser.h"
#include "controls/Combo.h"
#include "controls/Grid.h"
#include "controls/ResultsPanel.h"
#include "controls/StatusPanels.h"
#include "editor/gui/SellListView.h"
#include "stats/gui/StatisticsView.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QSysInfo>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace vw;
using namespace vw::test;

TEST(StartUp, WithDefaultScriptFillsSelectorsWithoutAsking) {
    ProgramFolder folder(sampleScript());
    MainWindow& window = folder.start();
    EXPECT_TRUE(folder.dialogs.requests.empty());
    EXPECT_TRUE(folder.dialogs.messages.empty());
    EXPECT_EQ(window.windowTitle(), u"Vendwright 2004 - ["_s + folder.scriptPath() + u"]"_s);

    // The numeric category is skipped; each entry stands for the category beside it.
    const auto& categories = window.catalogue().categoryTable();
    auto& combo1 = folder.control<Combo>("Combo1");
    ASSERT_EQ(combo1.entryCount(), static_cast<int>(categories.size()));
    for (int i = 0; i < combo1.entryCount(); ++i) {
        EXPECT_EQ(combo1.entryText(i), categories[static_cast<size_t>(i)].code + u'|' +
                                           categories[static_cast<size_t>(i)].name);
        EXPECT_FALSE(combo1.entryText(i).startsWith(u"1|"));
    }
    EXPECT_TRUE(entries(combo1).contains(u"weapon|武器"_s));

    auto& combo5 = folder.control<Combo>("Combo5");
    EXPECT_EQ(combo5.entryText(combo5.entryCount() - 1), u"全部NPC"_s);
    EXPECT_EQ(combo5.entryText(combo5.entryCount() - 2), u"未放置的NPC"_s);
    EXPECT_EQ(combo5.entryCount(), 6);
    auto& status = folder.control<StatusPanels>("StatusBar1");
    EXPECT_EQ(status.panelText(1), u"准备就绪"_s);
    EXPECT_EQ(status.panelText(5),
              u"共4个地点"_s + QString::number(combo1.entryCount()) + u"类物品"_s);
    // The catalogue chain ran from the first category down to the item grid.
    EXPECT_GT(folder.control<Grid>("MSFlexGrid2").rows(), 1);
    EXPECT_FALSE(window.document().isLoaded());
}

TEST(StartUp, WithoutDefaultScriptAsksForOne) {
    ProgramFolder answered;
    answered.dialogs.answers.push_back(u"/tmp/chosen.obj"_s);
    EXPECT_EQ(answered.start().windowTitle(), u"Vendwright 2004 - [/tmp/chosen.obj]"_s);
    ASSERT_EQ(answered.dialogs.requests.size(), 1u);
    EXPECT_EQ(answered.dialogs.requests[0].title, u"请选择原始AI文件"_s);

    ProgramFolder cancelled;
    EXPECT_EQ(cancelled.start().windowTitle(), u"Vendwright 2004 - []"_s);
    EXPECT_TRUE(cancelled.window->workspace().chosenScript().isEmpty());
}

TEST(StartUp, MissingCatalogueGivesOneMessageAndEmptySelectors) {
    ProgramFolder folder(sampleScript(), false);
    folder.start();
    ASSERT_EQ(folder.dialogs.messages.size(), 1u);
    EXPECT_TRUE(folder.dialogs.messages[0].text.startsWith(u"找不到物品数据库文件"));
    EXPECT_EQ(folder.control<Combo>("Combo1").entryCount(), 0);
    EXPECT_EQ(folder.control<Combo>("Combo5").entryCount(), 0);

    ProgramFolder corrupt(sampleScript(), false);
    writeFile(corrupt.path(u"DB/Wareroll.mdb"), QByteArray(4096, 'x'));
    corrupt.start();
    ASSERT_EQ(corrupt.dialogs.messages.size(), 1u);
    EXPECT_TRUE(corrupt.dialogs.messages[0].text.startsWith(u"无法识别的物品数据库文件"));
}

TEST(LoadAndShow, ReadingRunsTheChainDownToTheFirstList) {
    ProgramFolder folder(sampleScript());
    MainWindow& window = folder.start();
    auto& status = folder.control<StatusPanels>("StatusBar1");
    auto& combo2 = folder.control<Combo>("Combo2");
    auto& combo4 = folder.control<Combo>("Combo4");
    auto& grid1 = folder.control<Grid>("MSFlexGrid1");

    trigger(window, "ID_Load");
    ASSERT_TRUE(window.document().isLoaded());
    EXPECT_EQ(window.document().records().size(), 3u);
    // grocer_amber stands in two towns; guard_hal differs in case from Guard_Hal.
    // In the order of their names.
    EXPECT_EQ(entries(combo2),
              QStringList({u"grocer_amber|杂货商安珀"_s, u"grocer_amber|杂货商安珀"_s,
                           u"weaponsmith_borin|武器商伯林"_s}));
    EXPECT_EQ(status.panelText(3), u"当前地点共3个NPC"_s);

    combo2.setText(u"grocer_amber|杂货商安珀"_s);
    EXPECT_EQ(entries(combo4), QStringList({u"0-商品列表"_s, u"1-商品列表"_s}));
    EXPECT_EQ(column(grid1, 1), QStringList({u"1"_s, u"2"_s, u"3"_s}));
    EXPECT_EQ(column(grid1, 0), QStringList({u"6"_s, u"7"_s, u"8"_s}));
    EXPECT_EQ(grid1.text(3, 2), u"骑士长剑之影"_s);
    EXPECT_EQ(status.panelText(1), u"查询物品信息完毕"_s);
    EXPECT_EQ(status.panelText(4), u"当前列表1/2共有3项"_s);
    EXPECT_EQ(folder.control<QLineEdit>("Text2").text(), u"10"_s);
    // Widths from bytes: "中文名称" 8 bytes, widened by a 12-byte name; tax column keeps 4.
    EXPECT_EQ(grid1.columnWidthPixels(2), 13 * window.charWidth());
    EXPECT_EQ(grid1.columnWidthPixels(4), 5 * window.charWidth());

    // An item without a catalogue name is shown, marked, with the items after it; the list says
    // so once, not again when it is drawn anew after an edit and its undo.
    combo2.setText(u"weaponsmith_borin|武器商伯林"_s);
    EXPECT_EQ(entries(combo4), QStringList({u"1-商品列表"_s}));
    EXPECT_EQ(column(grid1, 1), QStringList({u"4"_s, u"5"_s, u"12"_s, u"6"_s}));
    EXPECT_EQ(grid1.text(3, 2), u"（未知物品）"_s);
    EXPECT_EQ(grid1.text(3, 3), u"（未知物品）"_s);
    EXPECT_TRUE(grid1.model().rowMarked(3));
    EXPECT_FALSE(grid1.model().rowMarked(4));
    EXPECT_EQ(status.panelText(4), u"当前列表1/1共有4项"_s);
    grid1.setCurrentRow(4);
    trigger(window, "ID_MoveUp");
    trigger(window, "ID_Undo");
    trigger(window, "ID_Redo");
    EXPECT_EQ(column(grid1, 1), QStringList({u"4"_s, u"5"_s, u"6"_s, u"12"_s}));
    EXPECT_EQ(folder.dialogs.texts(), QStringList({u"无此物品"_s}));

    // A location with no merchant of the script leaves no list behind, and nothing to edit.
    auto& locations = folder.control<Combo>("Combo5");
    locations.setText(u"北境要塞"_s);
    EXPECT_EQ(combo2.entryCount(), 0);
    EXPECT_EQ(grid1.rows(), 1);
    EXPECT_FALSE(folder.control<QAction>("ID_DeleteItem").isEnabled());
    EXPECT_FALSE(folder.control<QWidget>("SSCommand5").isEnabled());
    locations.setText(u"全部NPC"_s);
    EXPECT_TRUE(folder.control<QAction>("ID_DeleteItem").isEnabled());
}

TEST(LoadAndShow, BadFilesLeaveTheRecordsAlone) {
    ProgramFolder folder(sampleScript());
    MainWindow& window = folder.start();
    trigger(window, "ID_Load");
    const auto before = window.document().records();

    writeFile(folder.path(u"utf8.obj"), QByteArray("\xEF\xBB\xBF"
                                                   "class a : b\r\n"));
    window.workspace().chooseScript(folder.path(u"utf8.obj"));
    trigger(window, "ID_Load");
    window.workspace().chooseScript(u"   "_s);
    trigger(window, "ID_Load");
    window.workspace().chooseScript(folder.path(u"missing.obj"));
    trigger(window, "ID_Load");
    window.workspace().chooseScript(folder.path(u"AI"));
    trigger(window, "ID_Load");
    EXPECT_EQ(folder.dialogs.texts(),
              QStringList({u"指定文件不是UTF-16编码的AI文件"_s, u"没有指定AI文件"_s,
                           u"指定文件不存在：\n"_s + folder.path(u"missing.obj"),
                           u"指定文件不是普通文件：\n"_s + folder.path(u"AI")}));
    EXPECT_EQ(window.document().records(), before);
    EXPECT_EQ(window.document().source().path, folder.scriptPath());
    // The title names the script shown; one chosen for the next read is named in the status bar.
    EXPECT_EQ(window.windowTitle(), mainWindowTitle(folder.scriptPath()));
    folder.dialogs.answers.push_back(folder.path(u"utf8.obj"));
    trigger(window, "ID_Open");
    EXPECT_EQ(window.windowTitle(), mainWindowTitle(folder.scriptPath()));
    EXPECT_TRUE(folder.control<StatusPanels>("StatusBar1").panelText(1).contains(u"utf8.obj"));
}

TEST(Editing, MovesAddsAndDeletesGoThroughTheRecord) {
    ProgramFolder folder(sampleScript());
    MainWindow& window = folder.start();
    trigger(window, "ID_Load");
    auto& combo2 = folder.control<Combo>("Combo2");
    auto& grid1 = folder.control<Grid>("MSFlexGrid1");
    auto& grid2 = folder.control<Grid>("MSFlexGrid2");
    combo2.setText(u"grocer_amber|杂货商安珀"_s);
    const ShopRecord& record = window.document().records()[0];

    grid1.setCurrentRow(3);
    trigger(window, "ID_MoveUp");
    EXPECT_EQ(column(grid1, 1), QStringList({u"1"_s, u"3"_s, u"2"_s}));
    EXPECT_EQ(grid1.currentRow(), 3);
    EXPECT_TRUE(record.modified[0]);
    EXPECT_FALSE(record.modified[1]);
    trigger(window, "ID_MoveTop");
    EXPECT_EQ(column(grid1, 1), QStringList({u"2"_s, u"1"_s, u"3"_s}));

    // Insert the item grid's current item before list row 2, with the rate typed in Text2.
    grid2.setCurrentRow(1);
    const QString id = grid2.text(1, 0);
    grid1.setCurrentRow(2);
    folder.control<QLineEdit>("Text2").setText(u"  7 "_s);
    trigger(window, "ID_AddItem");
    EXPECT_EQ(column(grid1, 1), QStringList({u"2"_s, id, u"1"_s, u"3"_s}));
    EXPECT_EQ(grid1.text(2, 0), u"新"_s);
    EXPECT_EQ(record.slot(0, 1).taxRate, u"7"_s);
    EXPECT_EQ(record.slot(0, 1).extraParts, QStringList({u"0.000000"_s, u"0"_s}));
    EXPECT_EQ(folder.control<StatusPanels>("StatusBar1").panelText(1), u"已经添加1项物品"_s);
    trigger(window, "ID_AddItemB");
    EXPECT_EQ(folder.dialogs.texts(), QStringList({u"已有相同物品在此列表中"_s}));
    EXPECT_EQ(folder.dialogs.messages[0].icon, MessageIcon::Information);
    folder.control<QLineEdit>("Text2").setText(u"5}"_s);
    grid2.setCurrentRow(2);
    trigger(window, "ID_AddItemB");
    EXPECT_EQ(folder.dialogs.messages.size(), 2u);
    EXPECT_EQ(record.listLength(0), 4);

    grid1.setCurrentRow(4);
    trigger(window, "ID_DeleteItem");
    EXPECT_EQ(column(grid1, 1), QStringList({u"2"_s, id, u"1"_s}));
    // Other list untouched by everything above.
    EXPECT_EQ(record.slot(1, 0).id, u"40"_s);
    EXPECT_EQ(record.listLength(1), 2);
}

TEST(Writing, WritesEditedListsAndRefusesTheSource) {
    ProgramFolder folder(sampleScript());
    MainWindow& window = folder.start();
    trigger(window, "ID_Write");
    EXPECT_EQ(folder.dialogs.texts(), QStringList({u"请先装入AI文件"_s}));

    trigger(window, "ID_Load");
    folder.control<Combo>("Combo2").setText(u"grocer_amber|杂货商安珀"_s);
    folder.control<Grid>("MSFlexGrid1").setCurrentRow(1);
    trigger(window, "ID_DeleteItem");

    // The source by another spelling, then a real output.
    folder.dialogs.answers = {folder.scriptPath() + u"  "_s, folder.path(u"AI/../AI/ai.obj"),
                              folder.path(u"out.obj")};
    trigger(window, "ID_Write");
    trigger(window, "ID_Write");
    trigger(window, "ID_Write");
    const QString refusal = u"出于安全原因,不允许覆盖当前源AI文件"_s;
    EXPECT_EQ(folder.dialogs.texts().mid(1), QStringList({refusal, refusal}));
    EXPECT_EQ(folder.control<StatusPanels>("StatusBar1").panelText(1),
              u"写出成功,共写入1个已修改列表"_s);
    const QString written = decodeScript(readFile(folder.path(u"out.obj")));
    EXPECT_TRUE(written.startsWith(QChar(0xFEFF)));
    EXPECT_TRUE(written.contains(u"SellList0\r\n\t\t{2; 10; 0.000000; 0};\r\n\t\t{3; 5"));

    // A folder is no output to replace; a folder as the source is no script.
    folder.dialogs.answers = {folder.path(u"AI")};
    trigger(window, "ID_Write");
    EXPECT_EQ(folder.dialogs.texts().last(), u"输出文件不是普通文件"_s);

    // A source changed since reading is refused and leaves no output behind.
    writeFile(folder.scriptPath(), scriptBytes({u"class x : y"_s}));
    folder.dialogs.answers = {folder.path(u"out2.obj")};
    trigger(window, "ID_Write");
    EXPECT_TRUE(folder.dialogs.texts().last().startsWith(u"源AI文件在装入后已被修改"));
    EXPECT_FALSE(QFile::exists(folder.path(u"out2.obj")));
}

TEST(Catalogue, UnknownCategoryAndGrades) {
    ProgramFolder folder(sampleScript());
    folder.start();
    auto& combo1 = folder.control<Combo>("Combo1");
    auto& combo8 = folder.control<Combo>("Combo8");
    auto& combo3 = folder.control<Combo>("Combo3");
    auto& grid2 = folder.control<Grid>("MSFlexGrid2");

    combo1.setText(u"weapon|武器"_s);
    EXPECT_FALSE(entries(combo8).contains(u"spear|"_s));
    EXPECT_EQ(combo8.entryText(combo8.entryCount() - 1), u"all|全部"_s);
    QStringList grades = entries(combo3);
    EXPECT_TRUE(grades.contains(u"无级别"_s));
    EXPECT_TRUE(grades.contains(u"N级物品"_s));
    combo3.setText(u"无级别"_s);
    const int noneRows = grid2.rows();
    EXPECT_EQ(column(grid2, 2), QStringList(noneRows - 1, u"无"_s));

    // "s" finds the single-letter grade only, not "s80".
    combo3.setText(u"S级物品"_s);
    EXPECT_EQ(column(grid2, 0), QStringList({u"11"_s}));
    EXPECT_EQ(folder.control<StatusPanels>("StatusBar1").panelText(2),
              u"当前物品[S]/"_s + QString::number(combo3.entryCount()) + u"共1项"_s);

    combo1.setText(u"pet|宠物"_s);
    EXPECT_EQ(folder.dialogs.texts(), QStringList({u"有未定义的项存在,请于开发者联系"_s}));
    EXPECT_EQ(combo8.entryCount(), 0);
    // A grade left from the previous category does nothing now.
    combo3.setText(u"无级别"_s);
    EXPECT_EQ(column(grid2, 0), QStringList({u"11"_s}));
}

TEST(Catalogue, FillsAndSizesTheItemGrid) {
    ProgramFolder folder(sampleScript());
    // Without a name row, the only single-letter "s" weapon finds nothing.
    folder.useSqliteCatalogue("DELETE FROM ITEMNAME_C WHERE 物品ID=11;");
    MainWindow& window = folder.start();
    auto& combo1 = folder.control<Combo>("Combo1");
    auto& combo8 = folder.control<Combo>("Combo8");
    auto& combo3 = folder.control<Combo>("Combo3");
    auto& grid2 = folder.control<Grid>("MSFlexGrid2");
    auto& status = folder.control<StatusPanels>("StatusBar1");
    const int cw = window.charWidth();

    combo1.setText(u"weapon|武器"_s);
    combo3.setText(u"C级物品"_s);
    EXPECT_EQ(column(grid2, 1), QStringList({u"骑士长剑之影"_s, u"精灵弓"_s}));
    EXPECT_EQ(grid2.columnWidthPixels(1), 13 * cw);
    combo3.setText(u"D级物品"_s);
    EXPECT_EQ(grid2.rows(), 4); // a longer result grows the grid
    combo3.setText(u"S级物品"_s);
    EXPECT_EQ(grid2.rows(), 4); // an empty one keeps the rows, blank, under a fresh header
    EXPECT_EQ(column(grid2, 0), QStringList(3, QString()));
    EXPECT_EQ(grid2.text(0, 2), u"级"_s);
    EXPECT_EQ(grid2.columnWidthPixels(2), 3 * cw);
    EXPECT_EQ(status.panelText(1), u"查询物品信息完毕"_s);
    EXPECT_TRUE(status.panelText(2).endsWith(u"共0项"));
    combo3.setText(u"C级物品"_s);
    EXPECT_EQ(grid2.rows(), 3); // a shorter one shrinks it

    // For accessories the type does not narrow: "none" and "all" give the same grades and items.
    combo1.setText(u"accessary|饰品"_s);
    EXPECT_EQ(entries(combo8), QStringList({u"none|无"_s, u"all|全部"_s}));
    const QStringList allGrades = entries(combo3);
    const QStringList allItems = column(grid2, 0);
    combo8.setText(u"none|无"_s);
    EXPECT_EQ(entries(combo3), allGrades);
    EXPECT_EQ(column(grid2, 0), allItems);
    EXPECT_EQ(allGrades.size(), 2);
    EXPECT_FALSE(allItems.isEmpty());
}

TEST(Shell, StatisticsTab) {
    ProgramFolder folder(sampleScript());
    MainWindow& window = folder.start();
    auto& tabs = folder.control<QTabWidget>("SSTab1");
    auto& statistics = folder.control<StatisticsView>("WebBrowser1");
    tabs.setCurrentIndex(2);
    EXPECT_TRUE(statistics.toPlainText().contains(u"请先装入AI文件"));
    trigger(window, "ID_Load");
    ASSERT_TRUE(statistics.statistics().has_value());
    EXPECT_EQ(statistics.statistics()->totals.records, 3);
    // An edit makes the report stale; it is built anew when the tab is looked at again.
    tabs.setCurrentIndex(0);
    folder.control<Grid>("MSFlexGrid1").setCurrentRow(1);
    trigger(window, "ID_DeleteItem");
    tabs.setCurrentIndex(2);
    EXPECT_EQ(statistics.statistics()->totals.items, 9);
    // A merchant in the report leads to its list.
    emit statistics.recordChosen(1, 1);
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_EQ(folder.control<Combo>("Combo2").currentText(), u"weaponsmith_borin|武器商伯林"_s);
}

TEST(Controls, GridModelAndComboReselection) {
    Grid grid(u"g"_s);
    QAbstractItemModelTester tester(&grid.model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    grid.setCols(3);
    grid.setRows(4);
    grid.setText(0, 0, u"head"_s);
    grid.setText(3, 2, u"x"_s);
    EXPECT_EQ(grid.model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), u"head"_s);
    EXPECT_EQ(grid.model().rowCount(), 3);
    grid.setCurrentRow(3);
    {
        Grid::Batch batch(grid);
        grid.clearTexts();
        grid.setRows(2);
    }
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_EQ(grid.cols(), 3);
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_TRUE(grid.text(0, 0).isEmpty());

    Combo combo(u"c"_s, u"pick"_s);
    int chosen = 0;
    QObject::connect(&combo, &Combo::chosen, [&chosen] { ++chosen; });
    combo.addEntry(u"a"_s);
    combo.addEntry(u"b"_s);
    combo.setText(u"b"_s);
    combo.setText(u"b"_s);
    combo.setText(u"B"_s);
    EXPECT_EQ(chosen, 2);
    EXPECT_EQ(combo.chosenIndex(), 1);
}

TEST(Transfers, ClipboardCarriesRowsBetweenMerchants) {
    Loaded w;
    w.window.show();
    w.listGrid.setFocus();
    QCoreApplication::processEvents();
    w.listGrid.selectRows({1, 2});
    trigger(w.window, "ID_Copy");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"1\t10\t0.000000\t0\n2\t10\t0.000000\t0\n"_s);

    w.npcs.setText(u"weaponsmith_borin|武器商伯林"_s);
    w.listGrid.selectRows({2});
    trigger(w.window, "ID_Paste");
    EXPECT_EQ(column(w.listGrid, 1),
              QStringList({u"4"_s, u"1"_s, u"2"_s, u"5"_s, u"12"_s, u"6"_s}));
    EXPECT_EQ(w.listGrid.selectedRows(), (std::vector<int>{2, 3}));
    auto& status = w.folder.control<StatusPanels>("StatusBar1");
    EXPECT_EQ(status.panelText(1), u"已粘贴2项物品，跳过0项"_s);

    // Rows from a spreadsheet: an ID alone takes the tax-rate box's rate; a duplicate and an
    // item the catalogue does not know are named among the skipped, with no box.
    QGuiApplication::clipboard()->setText(u"7\r\n4\t3\n8888\n"_s);
    w.typeRate(u"8"_s);
    const size_t messages = w.folder.dialogs.messages.size();
    trigger(w.window, "ID_Paste");
    EXPECT_EQ(status.panelText(1), u"已粘贴1项物品，跳过2项"_s);
    EXPECT_EQ(w.folder.dialogs.messages.size(), messages);
    EXPECT_EQ(w.window.document().history().undoText(), u"粘贴 1项"_s);
    const Grid& skipped = w.folder.control<ResultsPanel>("SkippedItems").grid();
    EXPECT_EQ(column(skipped, 0), QStringList({u"8888"_s, u"4"_s}));
    EXPECT_EQ(column(skipped, 1),
              QStringList({u"物品库中没有此物品"_s, u"已有相同物品在此列表中"_s}));
    EXPECT_EQ(w.window.document().records()[1].slot(1, 1).taxRate, u"8"_s);

    // Cut takes the rows out as one step; undo brings both merchants back as read.
    trigger(w.window, "ID_Cut");
    EXPECT_EQ(w.window.document().records()[1].listLength(1), 6);
    while (w.window.document().history().canUndo())
        trigger(w.window, "ID_Undo");
    EXPECT_EQ(column(w.listGrid, 1), QStringList({u"4"_s, u"5"_s, u"12"_s, u"6"_s}));
}

TEST(Transfers, DropsInsertCatalogueRowsAndMoveListRowsAsABlock) {
    Loaded w;
    w.window.show();
    QCoreApplication::processEvents();
    const auto drop = [&](QMimeData* data, int row) {
        QWidget* viewport = w.listGrid.viewport();
        const QRect cell = w.listGrid.visualRect(w.listGrid.model().index(row - 1, 1));
        const QPointF at(cell.center().x(), cell.top() + 1);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(at.toPoint(), Qt::CopyAction, data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &move);
        QDropEvent dropped(at, Qt::CopyAction, data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &dropped);
        QCoreApplication::processEvents();
        delete data;
    };
    w.itemGrid.setCurrentRow(1);
    const QString id = w.itemGrid.text(1, 0);
    drop(w.itemGrid.model().mimeData({}), 2);
    EXPECT_EQ(column(w.listGrid, 1), QStringList({u"1"_s, id, u"2"_s, u"3"_s}));
    w.listGrid.selectRows({3, 4});
    drop(w.listGrid.model().mimeData({}), 1);
    EXPECT_EQ(column(w.listGrid, 1), QStringList({u"2"_s, u"3"_s, u"1"_s, id}));
    EXPECT_EQ(w.listGrid.selectedRows(), (std::vector<int>{1, 2}));
    EXPECT_EQ(w.window.document().history().count(), 2);
}

TEST(Changes, PreviewMarksAndAnEditFileRoundTrip) {
    Loaded w;
    w.listGrid.selectRows({2});
    trigger(w.window, "ID_DeleteItem");
    w.typeRate(u"7"_s);
    trigger(w.window, "ID_SetTaxRate");
    w.lists.setText(u"1-商品列表"_s);
    w.listGrid.selectRows({2});
    trigger(w.window, "ID_MoveTop");
    const std::vector<ShopRecord> edited = w.window.document().records();

    trigger(w.window, "ID_Preview");
    ResultsPanel& preview = w.folder.control<ResultsPanel>("ChangePreview");
    EXPECT_EQ(column(preview.grid(), 0), QStringList({u"−"_s, u"税率"_s, u"↕"_s}));
    EXPECT_EQ(column(preview.grid(), 4).mid(0, 2), QStringList({u"2"_s, u"3"_s}));
    EXPECT_EQ(preview.grid().text(2, 6), u"5 → 7"_s);
    EXPECT_TRUE(w.npcs.entryMarked(w.npcs.chosenIndex()));
    EXPECT_TRUE(w.lists.entryMarked(0));
    // A jump from the preview lands on the changed row.
    emit w.folder.control<ResultsPanel>("ChangePreview").resultChosen(1);
    EXPECT_EQ(w.lists.currentText(), u"0-商品列表"_s);
    EXPECT_EQ(w.listGrid.currentRow(), 2);

    const QString file = w.folder.path(u"edits.txt");
    w.folder.dialogs.answers = {file};
    trigger(w.window, "ID_ExportEdits");
    EXPECT_EQ(w.folder.dialogs.requests.back().name, u"ai.edits.txt"_s);
    while (w.window.document().history().canUndo())
        trigger(w.window, "ID_Undo");
    // Undone back to the read: nothing left to preview, nothing marked.
    EXPECT_EQ(preview.resultCount(), 0);
    EXPECT_FALSE(w.npcs.entryMarked(w.npcs.chosenIndex()));

    writeFile(w.folder.path(u"more.txt"), readFile(file) + "npc nobody\nremove 1\n");
    w.folder.dialogs.answers = {w.folder.path(u"more.txt")};
    trigger(w.window, "ID_ImportEdits");
    EXPECT_EQ(w.window.document().records(), edited);
    EXPECT_EQ(w.window.document().history().count(), 1);
    ResultsPanel& skipped = w.folder.control<ResultsPanel>("ImportProblems");
    EXPECT_EQ(skipped.resultCount(), 2);
    EXPECT_EQ(skipped.grid().text(2, 1), u"没有选定NPC"_s);
    // A line that applied otherwise than written is listed with what happened instead.
    writeFile(w.folder.path(u"anchor.txt"), "npc grocer_amber\nlist 0\ninsert 9 5 before 404\n");
    w.folder.dialogs.answers = {w.folder.path(u"anchor.txt")};
    trigger(w.window, "ID_ImportEdits");
    ASSERT_EQ(skipped.resultCount(), 1);
    EXPECT_EQ(skipped.grid().text(1, 1),
              u"grocer_amber 0-商品列表 没有物品 404，已添加到列表末尾"_s);
}

TEST(Options, AreKeptPerUserAndApplyToAddsAndWrites) {
    QStringList script = sampleScript();
    script[4] = u"\t\t{1;  10; 0.000000; 0 }; // odd"_s;
    Loaded w(script);
    // The dialog answered as a user would: kept lines, a rate of its own for added items.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QCheckBox*>(u"chkKeepLines"_s)->setChecked(true);
        dialog->findChild<QLineEdit*>(u"txtNewItemTaxRate"_s)->setText(u"3"_s);
        dialog->accept();
    });
    trigger(w.window, "ID_Option");
    EXPECT_TRUE(w.window.workspace().options().keepItemLines);
    w.typeRate(u"8"_s);
    w.itemGrid.setCurrentRow(1);
    trigger(w.window, "ID_AddItemB");
    EXPECT_EQ(w.grocer().slot(0, 3).taxRate, u"3"_s);
    w.folder.dialogs.answers.push_back(w.folder.path(u"out.obj"));
    trigger(w.window, "ID_Write");
    EXPECT_TRUE(decodeScript(readFile(w.folder.path(u"out.obj")))
                    .contains(u"\t\t{1;  10; 0.000000; 0 }; // odd\r\n"_s));

    w.folder.window.reset();
    EXPECT_EQ(w.folder.start().workspace().options().newItemTaxRate, u"3"_s);
}
