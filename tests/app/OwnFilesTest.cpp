// The user's own files: what a killed session leaves is offered back, the files used last are
// used again, another catalogue can be opened, and a second start hands its script over.
#include "ProgramFolder.h"

#include "app/SingleInstance.h"
#include "controls/StatusPanels.h"
#include "document/RecoveryJournal.h"

#include <QDir>
#include <QDirIterator>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <csignal>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace vw;
using namespace vw::test;

namespace {

QStringList journals(const ProgramFolder& folder) {
    QStringList found;
    QDirIterator files(folder.path(u"home/data"), {u"*.txt"_s}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext())
        found.append(files.next());
    return found;
}

// The edits the killed session makes: one in each list of two merchants.
void makeEdits(MainWindow& window) {
    trigger(window, "ID_Load");
    window.findChild<Combo*>(u"Combo2"_s)->setText(u"grocer_amber|杂货商安珀"_s);
    window.findChild<Grid*>(u"MSFlexGrid1"_s)->selectRows({2});
    trigger(window, "ID_DeleteItem");
    window.findChild<Combo*>(u"Combo4"_s)->setText(u"1-商品列表"_s);
    trigger(window, "ID_MoveBottom");
    window.findChild<Combo*>(u"Combo2"_s)->setText(u"weaponsmith_borin|武器商伯林"_s);
    window.findChild<QLineEdit*>(u"Text2"_s)->setText(u"15"_s);
    trigger(window, "ID_SetTaxRate");
}

} // namespace

// Run by the recovery test as a process of its own, which it kills.
TEST(Recovery, DISABLED_KilledSession) {
    const QString folder = qEnvironmentVariable("VW_KILLED_SESSION");
    ASSERT_FALSE(folder.isEmpty());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder + u"/home/config"_s));
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder + u"/home/data"_s));
    ScriptedDialogs dialogs;
    MainWindow window(folder, &dialogs);
    window.load();
    makeEdits(window);
    QCoreApplication::processEvents();
    writeFile(folder + u"/expected.txt"_s, window.document().editsSinceRead().toUtf8());
    for (;;)
        QThread::sleep(1);
}

TEST(Recovery, AKilledSessionsEditsComeBack) {
    ProgramFolder folder(sampleScript());
    QProcess killed;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"VW_KILLED_SESSION"_s, folder.dir.path());
    killed.setProcessEnvironment(environment);
    killed.start(QCoreApplication::applicationFilePath(),
                 {u"--gtest_filter=Recovery.DISABLED_KilledSession"_s,
                  u"--gtest_also_run_disabled_tests"_s});
    const QString expected = folder.path(u"expected.txt");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(expected); }, 30000));
    ::kill(static_cast<pid_t>(killed.processId()), SIGKILL);
    killed.waitForFinished();
    ASSERT_EQ(journals(folder).size(), 1);

    // The next start reads the script at once and offers the changes back.
    folder.dialogs.choices = {0};
    MainWindow& window = folder.start();
    EXPECT_EQ(folder.dialogs.texts().last(), u"发现上次未写出的修改（3个列表），是否恢复？"_s);
    EXPECT_EQ(window.document().editsSinceRead().toUtf8(), readFile(expected));
    EXPECT_TRUE(window.windowTitle().endsWith(u" *"));
    QCoreApplication::processEvents();
    EXPECT_EQ(journals(folder).size(), 1); // this session's own now

    // A write takes the journal away.
    folder.dialogs.answers = {folder.path(u"out.obj")};
    trigger(window, "ID_Write");
    QCoreApplication::processEvents();
    EXPECT_TRUE(journals(folder).isEmpty());

    // Edits left behind for a script that changed since are never applied there.
    makeEdits(window);
    QCoreApplication::processEvents();
    ASSERT_EQ(journals(folder).size(), 1);
    folder.window.reset();
    writeFile(folder.scriptPath(), scriptBytes(sampleScript() << u"// changed"_s));
    folder.dialogs.choices = {1};
    MainWindow& again = folder.start();
    EXPECT_TRUE(folder.dialogs.texts().last().contains(u"无法恢复"))
        << folder.dialogs.texts().join(u"|"_s).toStdString();
    EXPECT_TRUE(again.document().touchedRecords().empty());
    EXPECT_TRUE(journals(folder).isEmpty());
}

TEST(OwnFiles, TheFilesUsedLastAreUsedAgain) {
    ProgramFolder folder(sampleScript());
    const QString other = folder.path(u"mine/other.obj");
    QDir().mkpath(folder.path(u"mine"));
    writeFile(other, scriptBytes(sampleScript().mid(0, 14)));
    QFile::copy(folder.path(u"DB/Wareroll.mdb"), folder.path(u"mine/catalogue.mdb"));

    // Named on the command line: read at once, and remembered.
    MainWindow& first = folder.start();
    first.load({other, folder.path(u"mine/catalogue.mdb")});
    EXPECT_EQ(first.document().source().path, other);
    EXPECT_EQ(first.document().records().size(), 1u);
    // The open dialog starts where that script stands.
    trigger(first, "ID_Open");
    EXPECT_EQ(folder.dialogs.requests.back().folder, folder.path(u"mine"));

    folder.window.reset();
    MainWindow& next = folder.start();
    EXPECT_EQ(next.workspace().chosenScript(), other);
    const auto* recent = next.findChild<QMenu*>(u"ID_Recent"_s);
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->actions().size(), 1);

    // Another catalogue: every view draws anew.
    trigger(next, "ID_Load");
    folder.useSqliteCatalogue(
        "UPDATE NPCNAME_E2C SET 中文名称='安珀' WHERE 英文名称='grocer_amber';");
    next.catalogueFiles().open(folder.path(u"DB/Wareroll.mdb"));
    EXPECT_EQ(folder.control<Combo>("Combo2").currentText(), u"grocer_amber|安珀"_s);
    EXPECT_EQ(folder.control<Grid>("MSFlexGrid1").text(1, 1), u"1"_s);
}

TEST(OwnFiles, ASecondStartHandsItsScriptToTheFirst) {
    QTemporaryDir dir;
    const QString lock = dir.path() + u"/vw.lock"_s;
    SingleInstance first(lock);
    ASSERT_TRUE(first.acquired());
    QSignalSpy handed(&first, &SingleInstance::handedOver);
    QProcess second;
    // The handing over blocks the one who hands: it runs in a thread of its own here.
    bool delivered = false;
    QThread* sender = QThread::create([&] {
        const SingleInstance later(lock);
        delivered = !later.acquired() && later.handOver(u"/tmp/其他.obj"_s);
    });
    sender->start();
    ASSERT_TRUE(handed.wait(5000));
    sender->wait();
    delete sender;
    EXPECT_TRUE(delivered);
    EXPECT_EQ(handed.front().front().toString(), u"/tmp/其他.obj"_s);
    // A lock left by a process that died (here: no process has this number) is taken over.
    writeFile(dir.path() + u"/dead.lock"_s,
              "2147483646\nvendwright\n" + QSysInfo::machineHostName().toUtf8() + '\n');
    EXPECT_TRUE(SingleInstance(dir.path() + u"/dead.lock"_s).acquired());
}
