#include "../support/ScriptedDialogs.h"
#include "../support/TestFiles.h"
#include "app/Help.h"
#include "app/HelpWindow.h"
#include "app/QtTranslation.h"
#include "app/frmAbout.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace vw;
using namespace vw::test;

namespace {

QString cancelText() {
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
}

// A program folder with a help page, a window that owns the help, and openers written as
// shell scripts that note the page they were given.
class HelpFolder {
public:
    HelpFolder() {
        QDir(dir.path()).mkpath(u"HELP"_s);
        writeFile(page(), "<title>使用帮助</title><p>alpha one</p><p>beta</p><p>alpha two</p>");
        writeFile(page(Language::English), "<title>Help</title><p>alpha</p>");
    }

    QString page(Language language = Language::Chinese) const {
        return helpPage(dir.path(), language);
    }
    QString noted() const { return dir.path() + u"/opener.page"_s; }

    QString opener(int exitCode) const {
        const QString path = dir.path() + u"/opener"_s;
        writeFile(path, "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.page\"\nexit " +
                            QByteArray::number(exitCode) + '\n');
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    // Waits until the opener has given its verdict.
    bool openerDone() {
        return QTest::qWaitFor([this] { return owner.findChildren<QProcess*>().isEmpty(); }, 10000);
    }
    HelpWindow* helpWindow() { return owner.findChild<HelpWindow*>(); }

    QTemporaryDir dir;
    QWidget owner;
    ScriptedDialogs dialogs;
};

} // namespace

TEST(Shell, VersionAndHelpNeedNoDisplay) {
    // A platform that has no display to reach would abort the program if it built a window.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"DISPLAY"_s);
    env.remove(u"WAYLAND_DISPLAY"_s);
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    const auto answer = [&env](const QString& option) {
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(VW_WINDOW_PROGRAM), {option});
        EXPECT_TRUE(program.waitForFinished(30000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        return QString::fromUtf8(program.readAllStandardOutput());
    };
    EXPECT_EQ(answer(u"--version"_s),
              u"vendwright "_s + QStringLiteral(VW_PROJECT_VERSION) + u'\n');
    EXPECT_TRUE(
        answer(u"--help"_s).startsWith(u"usage: vendwright [SCRIPT] [--catalogue FILE]\n"_s));

    // A wrong argument is named before the usage.
    QProcess wrong;
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    wrong.setProcessEnvironment(env);
    wrong.start(QStringLiteral(VW_WINDOW_PROGRAM), {u"--bogus"_s});
    EXPECT_TRUE(wrong.waitForFinished(30000));
    EXPECT_EQ(wrong.exitCode(), 2);
    EXPECT_TRUE(QString::fromUtf8(wrong.readAllStandardError())
                    .contains(u"vendwright: unknown option --bogus\n\nusage:"_s));
}

TEST(Shell, TheAboutBoxShowsTheProgramsIcon) {
    QPixmap drawn(48, 48);
    drawn.fill(Qt::darkGreen);
    QApplication::setWindowIcon(QIcon(drawn));
    const frmAbout about;
    const QImage shown = about.findChild<QLabel*>(u"picIcon"_s)->pixmap().toImage();
    QApplication::setWindowIcon(QIcon());
    EXPECT_EQ(shown.size(), QSize(48, 48));
    EXPECT_EQ(shown.pixelColor(24, 24), QColor(Qt::darkGreen));
}

TEST(Shell, QtTextsAreChineseFromQtsFolderOrTheProgramFolder) {
    const QString english = cancelText();
    QTemporaryDir program;
    {
        const auto installed =
            installQtTranslation(qtTranslationFolders(program.path()), Language::Chinese);
        ASSERT_NE(installed, nullptr) << "Qt's translations are not installed";
        EXPECT_EQ(cancelText(), u"取消"_s);
    }
    EXPECT_EQ(cancelText(), english);

    // Without Qt's own copy, the one the program folder carries is used.
    const QString carried = program.path() + u"/translations"_s;
    QDir().mkpath(carried);
    EXPECT_EQ(installQtTranslation({program.path(), carried}, Language::Chinese), nullptr);
    QFile::copy(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_zh_CN.qm"_s,
                carried + u"/qtbase_zh_CN.qm"_s);
    const auto installed = installQtTranslation({program.path(), carried}, Language::Chinese);
    ASSERT_NE(installed, nullptr);
    EXPECT_EQ(cancelText(), u"取消"_s);
}

TEST(Language, TheChoiceOrElseTheSystemLocale) {
    const QLocale english(QLocale::English, QLocale::UnitedKingdom);
    const QLocale chinese(QLocale::Chinese, QLocale::Taiwan);
    EXPECT_EQ(chooseLanguage(QString(), english), Language::English);
    EXPECT_EQ(chooseLanguage(QString(), chinese), Language::Chinese);
    // Without a translation into the locale's language, or with no language at all, Chinese.
    EXPECT_EQ(chooseLanguage(QString(), QLocale(QLocale::German)), Language::Chinese);
    EXPECT_EQ(chooseLanguage(QString(), QLocale::c()), Language::Chinese);
    EXPECT_EQ(chooseLanguage(u"zh"_s, english), Language::Chinese);
    EXPECT_EQ(chooseLanguage(u"en"_s, chinese), Language::English);
    EXPECT_EQ(chooseLanguage(u"fr"_s, english), Language::English);
}

TEST(Language, EnglishComesFromTheProgramFolderAndQtsTextsFollow) {
    const QString programDir = QFileInfo(QStringLiteral(VW_WINDOW_PROGRAM)).absolutePath();
    {
        const Translation english = installTranslation(Language::English, programDir);
        ASSERT_NE(english.program, nullptr)
            << "no translations/vendwright_en.qm in the program folder";
        EXPECT_EQ(interfaceLanguage(), Language::English);
        EXPECT_EQ(frmAbout().windowTitle(), u"About Vendwright"_s);
        EXPECT_EQ(cancelText(), u"Cancel"_s);
    }
    EXPECT_EQ(interfaceLanguage(), Language::Chinese);
    EXPECT_EQ(frmAbout().windowTitle(), u"关于 Vendwright"_s);

    // A folder without the translation leaves the window in Chinese, and Qt's texts with it.
    QTemporaryDir bare;
    const Translation none = installTranslation(Language::English, bare.path());
    EXPECT_EQ(none.program, nullptr);
    EXPECT_EQ(interfaceLanguage(), Language::Chinese);
    EXPECT_EQ(cancelText(), u"取消"_s);
}

TEST(Help, AnOpenerThatWorksIsLeftToShowThePageOfTheLanguage) {
    HelpFolder folder;
    showHelp(folder.dir.path(), folder.dialogs, folder.owner, folder.opener(0));
    ASSERT_TRUE(folder.openerDone());
    EXPECT_EQ(readFile(folder.noted()), folder.page().toUtf8());
    showHelp(folder.dir.path(), folder.dialogs, folder.owner, folder.opener(0), Language::English);
    ASSERT_TRUE(folder.openerDone());
    EXPECT_EQ(readFile(folder.noted()), folder.page(Language::English).toUtf8());
    EXPECT_EQ(folder.helpWindow(), nullptr);
    EXPECT_TRUE(folder.dialogs.messages.empty());
}

TEST(Help, ThePagesOfBothLanguagesAreTwins) {
    // Links into a page name its anchors, so the twins hold the same ones in the same order.
    const auto anchors = [](Language language) {
        const QString name = QFileInfo(helpPage(QString(), language)).fileName();
        const QString page =
            QString::fromUtf8(readFile(QStringLiteral(VW_FIXTURES_DIR "/../../data/help/") + name));
        static const QRegularExpression anchor(uR"(id="[^"]*"|href="#[^"]*")"_s);
        QStringList found;
        for (const QRegularExpressionMatch& match : anchor.globalMatch(page))
            found.append(match.captured());
        return found;
    };
    const QStringList chinese = anchors(Language::Chinese);
    EXPECT_GT(chinese.size(), 10);
    EXPECT_EQ(anchors(Language::English), chinese);
}

TEST(Help, AFailingOrMissingOpenerLeavesThePageToTheHelpWindow) {
    HelpFolder folder;
    const QString failing = folder.opener(3);
    for (const QString& opener : {failing, folder.dir.path() + u"/no-such-opener"_s, QString()}) {
        SCOPED_TRACE(opener.toStdString());
        QFile::remove(folder.noted());
        showHelp(folder.dir.path(), folder.dialogs, folder.owner, opener);
        ASSERT_TRUE(QTest::qWaitFor([&] { return folder.helpWindow() != nullptr; }, 10000));
        EXPECT_TRUE(folder.openerDone());
        EXPECT_EQ(QFile::exists(folder.noted()), opener == failing);
        HelpWindow& help = *folder.helpWindow();
        EXPECT_TRUE(help.isVisible());
        EXPECT_EQ(help.browser().source(), QUrl::fromLocalFile(folder.page()));
        EXPECT_EQ(help.windowTitle(), u"使用帮助"_s);
        help.close();
    }
    EXPECT_EQ(folder.owner.findChildren<HelpWindow*>().size(), 1);
    EXPECT_TRUE(folder.dialogs.messages.empty());

    // Find goes from match to match and round past the last one.
    HelpWindow& help = *folder.helpWindow();
    help.findBox().setText(u"alpha"_s);
    QList<int> found;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(&help.findBox(), Qt::Key_Return);
        EXPECT_EQ(help.browser().textCursor().selectedText(), u"alpha"_s);
        found.append(help.browser().textCursor().position());
    }
    EXPECT_LT(found[0], found[1]);
    EXPECT_EQ(found[2], found[0]);
}

TEST(Help, AMissingPageIsReportedAndNothingStarts) {
    HelpFolder folder;
    QFile::remove(folder.page());
    showHelp(folder.dir.path(), folder.dialogs, folder.owner, folder.opener(0));
    EXPECT_TRUE(folder.openerDone());
    EXPECT_FALSE(QFile::exists(folder.noted()));
    EXPECT_EQ(folder.helpWindow(), nullptr);
    EXPECT_EQ(folder.dialogs.texts(), QStringList({u"打开帮助文件时发生错误"_s}));
}
