#include "ProgramFolder.h"

#include "app/QtTranslation.h"
#include "controls/Combo.h"
#include "controls/Grid.h"
#include "controls/ResultsPanel.h"
#include "controls/StatusPanels.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace vw;
using namespace vw::test;

TEST(EditHistory, UndoShowsTheListItChangedWithTheRowCurrent) {
    Loaded w;
    w.listGrid.setCurrentRow(3);
    trigger(w.window, "ID_DeleteItem");
    EXPECT_EQ(w.action("ID_Undo").text(), u"撤销 删除 3(&Z)"_s);

    // Another list of the same NPC, then another NPC in a town that does not list the first.
    w.lists.setText(u"1-商品列表"_s);
    w.npcs.setText(u"weaponsmith_borin|武器商伯林"_s);
    w.listGrid.setCurrentRow(1);
    trigger(w.window, "ID_DeleteItem");
    w.folder.control<Combo>("Combo5").setText(u"灰港"_s);
    trigger(w.window, "ID_Undo");
    EXPECT_EQ(w.npcs.currentText(), u"weaponsmith_borin|武器商伯林"_s);
    EXPECT_EQ(w.lists.currentText(), u"1-商品列表"_s);
    EXPECT_EQ(w.listGrid.text(1, 1), u"4"_s);

    trigger(w.window, "ID_Undo");
    EXPECT_EQ(w.npcs.currentText(), u"grocer_amber|杂货商安珀"_s);
    EXPECT_EQ(w.lists.currentText(), u"0-商品列表"_s);
    EXPECT_EQ(column(w.listGrid, 1), QStringList({u"1"_s, u"2"_s, u"3"_s}));
    EXPECT_EQ(w.listGrid.currentRow(), 3);
    EXPECT_FALSE(w.action("ID_Undo").isEnabled());
    EXPECT_EQ(w.action("ID_Redo").text(), u"重做 删除 3(&Y)"_s);

    // A new read empties the history.
    trigger(w.window, "ID_Redo");
    w.folder.dialogs.choices = {1};
    trigger(w.window, "ID_Load");
    EXPECT_FALSE(w.action("ID_Undo").isEnabled());
    EXPECT_FALSE(w.action("ID_Redo").isEnabled());
    EXPECT_FALSE(w.dirty());
}

TEST(EditHistory, UnwrittenEditsAreSettledOnEveryRouteOut) {
    const QString question = u"有尚未写出的修改，是否先写出目标文件？"_s;
    // Cancel (or closing the box) stays; discard goes on; write goes on once written.
    for (const char* route : {"close", "ID_Exit", "ID_Load"}) {
        Loaded w;
        const auto leave = [&] {
            if (route == std::string_view("close"))
                return w.window.close();
            trigger(w.window, route);
            return route == std::string_view("ID_Load") ? !w.grocer().modified[0]
                                                        : !w.window.isVisible();
        };
        w.window.show();
        w.listGrid.setCurrentRow(1);
        trigger(w.window, "ID_DeleteItem");
        ASSERT_TRUE(w.dirty());

        w.folder.dialogs.choices = {3, -1};
        EXPECT_FALSE(leave()) << route;
        EXPECT_FALSE(leave()) << route;
        EXPECT_EQ(w.folder.dialogs.texts(), QStringList({question, question}));
        EXPECT_EQ(w.folder.dialogs.questions[0],
                  QStringList({u"写出"_s, u"放弃"_s, u"查看修改"_s, u"取消"_s}));
        // Writing cancelled in the save dialog is no write: nothing goes on.
        w.folder.dialogs.choices = {0};
        EXPECT_FALSE(leave()) << route;
        EXPECT_TRUE(w.dirty());

        w.folder.dialogs.choices = {0};
        w.folder.dialogs.answers = {w.folder.path(u"out.obj")};
        EXPECT_TRUE(leave()) << route;
        EXPECT_TRUE(QFile::exists(w.folder.path(u"out.obj"))) << route;
    }

    Loaded w;
    w.listGrid.setCurrentRow(1);
    trigger(w.window, "ID_DeleteItem");
    w.folder.dialogs.choices = {1};
    trigger(w.window, "ID_Load");
    EXPECT_EQ(w.grocer().listLength(0), 3);

    // A write captures the edits: quiet until the next edit, and again after undoing back.
    w.listGrid.setCurrentRow(1);
    trigger(w.window, "ID_DeleteItem");
    w.folder.dialogs.answers = {w.folder.path(u"out.obj")};
    trigger(w.window, "ID_Write");
    EXPECT_FALSE(w.dirty());
    trigger(w.window, "ID_Undo");
    EXPECT_TRUE(w.dirty());
    trigger(w.window, "ID_Redo");
    EXPECT_FALSE(w.dirty());
    const size_t asked = w.folder.dialogs.messages.size();
    EXPECT_TRUE(w.window.close());
    EXPECT_EQ(w.folder.dialogs.messages.size(), asked);
}

TEST(EditHistory, SeveralRowsAndTaxRatesAreOneStepEach) {
    Loaded w;
    const ShopRecord fresh = w.grocer();
    w.listGrid.selectRows({1, 2});
    trigger(w.window, "ID_MoveBottom");
    EXPECT_EQ(column(w.listGrid, 1), QStringList({u"3"_s, u"1"_s, u"2"_s}));
    EXPECT_EQ(w.listGrid.selectedRows(), (std::vector<int>{2, 3}));
    trigger(w.window, "ID_MoveUp");
    EXPECT_EQ(column(w.listGrid, 1), QStringList({u"1"_s, u"2"_s, u"3"_s}));
    w.listGrid.selectRows({1, 3});
    trigger(w.window, "ID_DeleteItem");
    EXPECT_EQ(column(w.listGrid, 1).first(), u"2"_s);
    EXPECT_EQ(w.action("ID_Undo").text(), u"撤销 删除 1 等2项(&Z)"_s);
    for (int i = 0; i < 3; ++i)
        trigger(w.window, "ID_Undo");
    EXPECT_EQ(w.grocer(), fresh);

    // The tax cell edited in place; only that column takes edits.
    GridModel& model = w.listGrid.model();
    EXPECT_FALSE(model.setData(model.index(0, 1), u"99"_s, Qt::EditRole));
    ASSERT_TRUE(model.setData(model.index(1, 4), u" 12 "_s, Qt::EditRole));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.grocer().slot(0, 1).taxRate, u"12"_s);
    EXPECT_EQ(w.grocer().slot(0, 0).taxRate, u"10"_s);
    // Refusals, in place and through the box: nothing changes, no step is added.
    // A rate the game cannot read is refused everywhere a rate is given.
    for (const QString& rate : {u"  "_s, u"5;"_s, u"abc"_s, u"-5"_s, u"x y"_s, u"9999999999"_s}) {
        model.setData(model.index(0, 4), rate, Qt::EditRole);
        QCoreApplication::processEvents();
        w.typeRate(rate);
        trigger(w.window, "ID_SetTaxRate");
        trigger(w.window, "ID_AddItemB");
        QGuiApplication::clipboard()->setText(u"77\t"_s + rate);
        trigger(w.window, "ID_Paste");
    }
    QStringList expected(3, u"税率不能为空"_s);
    expected += QStringList(15, u"税率必须是非负数字"_s);
    EXPECT_EQ(w.folder.dialogs.texts(), expected);
    EXPECT_EQ(w.folder.control<ResultsPanel>("SkippedItems").resultCount(), 1);
    trigger(w.window, "ID_Undo");
    EXPECT_EQ(w.grocer(), fresh);
}

TEST(Layout, FitsLaptopScreensUnderATitleBarWithTheTaxRateInView) {
    ProgramFolder folder(sampleScript());
    const QByteArray longName = QString(30, u'长').toUtf8();
    folder.useSqliteCatalogue("UPDATE ITEMNAME_E2C SET 中文名称='" + longName + "',英文名称='" +
                              QByteArray(30, 'w') + "' WHERE ID='1';");
    MainWindow& window = folder.start();
    trigger(window, "ID_Load");
    folder.control<Combo>("Combo2").setText(u"grocer_amber|杂货商安珀"_s);
    const Grid& listGrid = folder.control<Grid>("MSFlexGrid1");
    for (const QSize screen : {QSize(1366, 768), QSize(1024, 700)}) {
        SCOPED_TRACE(screen.width());
        const QRect available(QPoint(0, 0), screen);
        const QSize first = firstWindowSize(available, expectedFrame());
        EXPECT_TRUE(available.contains(QRect(QPoint(0, 0), first.grownBy(expectedFrame()))));
        const QSize least = window.minimumSizeHint();
        EXPECT_LE(least.width(), first.width());
        EXPECT_LE(least.height(), first.height());
        window.resize(first);
        window.show();
        QCoreApplication::processEvents();
        // Every button shown whole; the tax column in view beside names elided to fit.
        for (QPushButton* button : window.findChildren<QPushButton*>()) {
            if (button->isVisibleTo(&window)) {
                EXPECT_GE(button->width(), button->sizeHint().width())
                    << button->objectName().toStdString();
            }
        }
        EXPECT_EQ(listGrid.text(1, 2), QString::fromUtf8(longName));
        EXPECT_LE(listGrid.columnViewportPosition(4) + listGrid.columnWidth(4),
                  listGrid.viewport()->width());
    }
    // Tab goes from the selectors to the buttons to the grid, in each pane.
    window.activateWindow();
    for (const auto& [from, to] :
         {std::pair{"chkWholeCatalogue", "MSFlexGrid2"}, std::pair{"txtNpcFilter", "SSCommand2"},
          std::pair{"SSCommand10", "MSFlexGrid1"}}) {
        folder.control<QWidget>(from).setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), to);
    }
    // Every tool stands in a menu, and no accelerator stands twice in one.
    for (QAction* tool : window.findChildren<QAction*>()) {
        if (tool->objectName().startsWith(u"ID_")) {
            EXPECT_FALSE(tool->associatedObjects().isEmpty()) << tool->objectName().toStdString();
        }
    }
    for (const QMenu* menu : window.menuBar()->findChildren<QMenu*>()) {
        QSet<QChar> keys;
        for (const QAction* entry : menu->actions()) {
            const qsizetype amp = entry->text().indexOf(u'&');
            if (amp >= 0 && amp + 1 < entry->text().size()) {
                EXPECT_FALSE(keys.contains(entry->text()[amp + 1])) << entry->text().toStdString();
                keys.insert(entry->text()[amp + 1]);
            }
        }
    }
}

TEST(Keyboard, AddMoveDeleteAndWriteWithoutTheMouse) {
    Loaded w;
    w.window.show();
    w.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    const auto key = [](int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(code), modifiers);
    };
    const auto focused = [] { return QApplication::focusWidget()->objectName().toStdString(); };
    w.listGrid.setFocus();
    // F6 goes round the panes; Tab stops only where the user can see.
    key(Qt::Key_F6);
    EXPECT_EQ(focused(), "MSFlexGrid2");
    key(Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(focused(), "MSFlexGrid1");
    for (int i = 0; i < 40; ++i) {
        key(Qt::Key_Tab);
        const QWidget* now = QApplication::focusWidget();
        EXPECT_TRUE(now->isVisible() && now->width() > 0 && now->height() > 0) << focused();
    }

    // Add from the item grid, move it to the top, give it a rate, delete the row below, write.
    w.typeRate(u"7"_s);
    w.itemGrid.setFocus();
    key(Qt::Key_Down);
    const QString added = w.itemGrid.text(w.itemGrid.currentRow(), 0);
    key(Qt::Key_Return);
    ASSERT_EQ(w.grocer().listLength(0), 4);
    key(Qt::Key_F6);
    EXPECT_EQ(focused(), "MSFlexGrid1");
    EXPECT_EQ(w.listGrid.text(w.listGrid.currentRow(), 1), added);
    key(Qt::Key_Home, Qt::AltModifier);
    EXPECT_EQ(w.grocer().slot(0, 0).id, added);
    // F2 edits the current row's tax rate from whichever cell is current.
    key(Qt::Key_F2);
    ASSERT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
    key(Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), u"9"_s);
    key(Qt::Key_Return);
    // The editor commits, then the grid hands the text on, each once control returns.
    for (int turn = 0; turn < 3; ++turn)
        QCoreApplication::processEvents();
    EXPECT_EQ(w.grocer().slot(0, 0).taxRate, u"9"_s);
    key(Qt::Key_Down);
    key(Qt::Key_Delete);
    EXPECT_EQ(w.grocer().listLength(0), 3);
    EXPECT_EQ(w.folder.control<StatusPanels>("StatusBar1").panelText(1), u"已经删除1项物品"_s);
    w.folder.dialogs.answers.push_back(w.folder.path(u"out.obj"));
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(w.dirty());
    EXPECT_TRUE(QFileInfo::exists(w.folder.path(u"out.obj")));
}

TEST(Language, TheWindowSpeaksEnglishWithItsOwnAccelerators) {
    const Translation english = installTranslation(
        Language::English, QFileInfo(QStringLiteral(VW_WINDOW_PROGRAM)).absolutePath());
    ASSERT_NE(english.program, nullptr);
    Loaded w;
    QStringList menus;
    for (const QAction* menu : w.window.menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus, QStringList({u"&File"_s, u"&Edit"_s, u"&Help"_s}));
    EXPECT_EQ(w.action("ID_Open").text(), u"&Open"_s);
    EXPECT_EQ(w.action("ID_Open").iconText(), u"Open"_s);
    EXPECT_EQ(w.lists.currentText(), u"0 - Sell list"_s);

    w.listGrid.setCurrentRow(3);
    trigger(w.window, "ID_DeleteItem");
    EXPECT_EQ(w.action("ID_Undo").text(), u"&Undo Delete 3"_s);
    EXPECT_EQ(w.action("ID_Undo").toolTip(), u"Undo Delete 3"_s);
    EXPECT_EQ(w.folder.control<StatusPanels>("StatusBar1").panelText(1), u"Deleted 1 item"_s);

    w.typeRate(u"-1"_s);
    trigger(w.window, "ID_SetTaxRate");
    ASSERT_FALSE(w.folder.dialogs.messages.empty());
    EXPECT_EQ(w.folder.dialogs.messages.back().text,
              u"The tax rate must be a non-negative number"_s);
}
