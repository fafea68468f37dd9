// The settings file: the format QSettings reads and writes, both ways, and a file that is no
// settings file met at start-up.
#include "files/UserSettings.h"
#include "../support/TestFiles.h"

#include <QSettings>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace vw;
using namespace vw::test;
using Status = UserSettings::Loaded::Status;

namespace {

// Texts the format has to quote or escape, and lists of every length.
void fill(const std::function<void(const QString&, const QVariant&)>& set) {
    set(u"files/catalogue"_s, u"/数据/物品, 表 \"x\" =;#\\ end"_s);
    set(u"files/script"_s, u"  spaces at both ends  "_s);
    set(u"files/recent"_s, QStringList{u"/a,b"_s, QString(), u"@at"_s, u"/非ASCII/路径 😀"_s,
                                       u"new\nline\ttab\x01"
                                       u"0f"_s,
                                       u" quoted "_s});
    set(u"options/none"_s, QStringList());
    set(u"options/one"_s, QStringList{u"only"_s});
    set(u"options/language"_s, u"@Invalid()"_s);
    set(u"top"_s, u"in General"_s);
    set(u"a/b/c"_s, u"nested"_s);
    set(u"键/值"_s, u"non-ASCII key"_s);
}

void expectSame(const QSettings& theirs, const UserSettings& ours) {
    ASSERT_EQ(theirs.status(), QSettings::NoError);
    EXPECT_EQ(theirs.allKeys().size(), 9);
    for (const QString& key : theirs.allKeys()) {
        EXPECT_EQ(ours.stringList(key), theirs.value(key).toStringList()) << key.toStdString();
        EXPECT_EQ(ours.string(key), theirs.value(key).toString()) << key.toStdString();
    }
}

struct Home {
    QString path(QStringView name = u"conf") const { return dir.path() + u'/' + name.toString(); }
    QTemporaryDir dir;
};

} // namespace

TEST(UserSettings, ReadsWhatQSettingsWritesAndWritesWhatItReads) {
    Home home;
    {
        QSettings theirs(home.path(u"theirs.conf"), QSettings::IniFormat);
        fill([&](const QString& key, const QVariant& value) { theirs.setValue(key, value); });
    }
    UserSettings read(home.path(u"theirs.conf"));
    EXPECT_EQ(read.load().status, Status::Read);
    expectSame(QSettings(home.path(u"theirs.conf"), QSettings::IniFormat), read);

    UserSettings ours(home.path(u"ours.conf"));
    ours.load();
    fill([&](const QString& key, const QVariant& value) {
        if (value.metaType().id() == QMetaType::QStringList)
            ours.setStringList(key, value.toStringList());
        else
            ours.setString(key, value.toString());
    });
    ASSERT_TRUE(ours.save().ok());
    const QSettings back(home.path(u"ours.conf"), QSettings::IniFormat);
    expectSame(back, ours);
    expectSame(back, read);
}

TEST(UserSettings, ListsAreCutWhileTheyAreRead) {
    Home home;
    // A million entries fit under the file's bound only empty.
    writeFile(home.path(),
              "[files]\nrecent=/a, /b, /c" + QByteArray(1'000'000, ',') + "\nscript=/after\n");
    UserSettings settings(home.path());
    EXPECT_EQ(settings.load().status, Status::Read);
    EXPECT_EQ(settings.stringList(settingKeys::recent).size(), UserSettings::RecentCount);
    EXPECT_EQ(settings.recentScripts(), (QStringList{u"/a"_s, u"/b"_s, u"/c"_s}));
    EXPECT_EQ(settings.string(settingKeys::script), u"/after"_s);
    settings.rememberScript(u"/b"_s);
    EXPECT_EQ(settings.recentScripts(), (QStringList{u"/b"_s, u"/a"_s, u"/c"_s}));
    settings.forgetRecent(u"/a"_s);
    EXPECT_EQ(settings.recentScripts(), (QStringList{u"/b"_s, u"/c"_s}));
}

TEST(UserSettings, AFileThatIsNoSettingsFileIsSetAsideUnread) {
    Home home;
    writeFile(home.path(u"target"), "[files]\nscript=/theirs\n");
    ASSERT_EQ(::symlink("target", QFile::encodeName(home.path()).constData()), 0);
    UserSettings settings(home.path());
    const UserSettings::Loaded linked = settings.load();
    EXPECT_EQ(linked.status, Status::SetAside);
    EXPECT_EQ(linked.found, files::ReadResult::Status::NotRegular);
    EXPECT_TRUE(linked.setAsideAs.startsWith(home.path(u"conf.set-aside-")));
    EXPECT_TRUE(settings.string(settingKeys::script).isEmpty());
    EXPECT_TRUE(settings.kept());
    settings.setString(settingKeys::script, u"/mine"_s);
    ASSERT_TRUE(settings.save().ok());
    EXPECT_EQ(readFile(home.path(u"target")), "[files]\nscript=/theirs\n");

    writeFile(home.path(), QByteArray(UserSettings::MaxFileSize + 1, '\n'));
    EXPECT_EQ(settings.load().found, files::ReadResult::Status::TooLarge);
}

TEST(UserSettings, SavesKeepWhatAnotherSessionSaved) {
    Home home;
    UserSettings first(home.path());
    UserSettings second(home.path());
    first.load();
    second.load();
    first.setString(settingKeys::catalogue, u"/first.mdb"_s);
    ASSERT_TRUE(first.save().ok());
    second.rememberScript(u"/second.obj"_s);
    ASSERT_TRUE(second.save().ok());
    EXPECT_EQ(second.string(settingKeys::catalogue), u"/first.mdb"_s);
    first.load();
    EXPECT_EQ(first.recentScripts(), QStringList{u"/second.obj"_s});

    // A folder that cannot be made is known before anything is lost.
    writeFile(home.path(u"file"), "");
    UserSettings nowhere(home.path(u"file/Vendwright/vendwright.conf"));
    nowhere.load();
    EXPECT_FALSE(nowhere.kept());
    EXPECT_FALSE(nowhere.save().ok());
}
