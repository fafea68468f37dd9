// The program's own files: read without blocking or following links, set aside by name, saved
// whole or not at all, kept in folders of the user's alone.
#include "../support/FileSizeLimit.h"
#include "../support/TestFiles.h"
#include "files/OwnFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace vw;
using namespace vw::test;
using ReadStatus = files::ReadResult::Status;
using FolderStatus = files::FolderResult::Status;

namespace {

mode_t modeOf(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
}

struct Folder {
    QString path(QStringView name) const { return dir.path() + u'/' + name.toString(); }
    void link(QStringView target, QStringView name) const {
        ASSERT_EQ(::symlink(QFile::encodeName(path(target)).constData(),
                            QFile::encodeName(path(name)).constData()),
                  0);
    }
    void fifo(QStringView name) const {
        ASSERT_EQ(::mkfifo(QFile::encodeName(path(name)).constData(), 0600), 0);
    }
    QTemporaryDir dir;
};

} // namespace

TEST(OwnFiles, ReadingTakesPlainFilesWithinTheirBoundOnly) {
    Folder f;
    writeFile(f.path(u"plain"), "0123456789");
    EXPECT_EQ(files::readFile(f.path(u"plain"), 10).bytes, "0123456789");
    EXPECT_EQ(files::readFile(f.path(u"plain"), 9).status, ReadStatus::TooLarge);
    EXPECT_EQ(files::readFile(f.path(u"none"), 10).status, ReadStatus::Missing);
    // A pipe with no writer would block an open for ever.
    f.fifo(u"pipe");
    f.link(u"plain", u"link");
    QDir(f.dir.path()).mkdir(u"folder"_s);
    for (QStringView name : {u"pipe", u"link", u"folder"})
        EXPECT_EQ(files::readFile(f.path(name), 10).status, ReadStatus::NotRegular)
            << name.toString().toStdString();
    // Refused by its size before a byte is read.
    QFile huge(f.path(u"huge"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64{1} << 32));
    const files::ReadResult big = files::readFile(f.path(u"huge"), 1024);
    EXPECT_EQ(big.status, ReadStatus::TooLarge);
    EXPECT_EQ(big.size, qint64{1} << 32);
}

TEST(OwnFiles, SettingAsideMovesTheNameNotTheTarget) {
    Folder f;
    writeFile(f.path(u"target"), "kept");
    f.link(u"target", u"conf");
    const files::SetAsideResult first = files::setAside(f.path(u"conf"));
    ASSERT_TRUE(first.ok);
    EXPECT_TRUE(first.newPath.startsWith(f.path(u"conf.set-aside-")));
    EXPECT_TRUE(S_ISLNK(modeOf(first.newPath)));
    EXPECT_EQ(readFile(f.path(u"target")), "kept");
    // Another one in the same second gets a name of its own.
    writeFile(f.path(u"conf"), "");
    EXPECT_NE(files::setAside(f.path(u"conf")).newPath, first.newPath);
}

TEST(OwnFiles, SavingReplacesALinkAndKeepsFilesPrivate) {
    Folder f;
    const mode_t umask = ::umask(022);
    const files::SaveResult made = files::saveFile(f.path(u"a/b/conf"), "new");
    ::umask(umask);
    ASSERT_TRUE(made.ok()) << made.detail.toStdString();
    EXPECT_EQ(modeOf(f.path(u"a")) & 0777, 0700u);
    EXPECT_EQ(modeOf(f.path(u"a/b")) & 0777, 0700u);
    EXPECT_EQ(modeOf(f.path(u"a/b/conf")) & 0777, 0600u);
    // A link at the path is replaced; its target stays as it was.
    writeFile(f.path(u"target"), "theirs");
    f.link(u"target", u"linked");
    ASSERT_TRUE(files::saveFile(f.path(u"linked"), "mine").ok());
    EXPECT_EQ(readFile(f.path(u"target")), "theirs");
    EXPECT_TRUE(S_ISREG(modeOf(f.path(u"linked"))));
    EXPECT_EQ(readFile(f.path(u"linked")), "mine");
    f.fifo(u"pipe");
    EXPECT_EQ(files::saveFile(f.path(u"pipe"), "x").status, files::SaveResult::Status::NotRegular);
}

TEST(OwnFiles, AFailedSaveLeavesThePreviousFileAsItWas) {
    Folder f;
    ASSERT_TRUE(files::saveFile(f.path(u"journal"), "previous").ok());
    {
        const FileSizeLimit full(64);
        const files::SaveResult failed = files::saveFile(f.path(u"journal"), QByteArray(4096, 'x'));
        EXPECT_EQ(failed.status, files::SaveResult::Status::Failed);
        EXPECT_FALSE(failed.detail.isEmpty());
    }
    EXPECT_EQ(readFile(f.path(u"journal")), "previous");
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files), QStringList{u"journal"_s});
}

TEST(OwnFiles, APrivateFolderIsTheUsersAlone) {
    Folder f;
    EXPECT_TRUE(files::privateFolder(f.path(u"new/inner"), files::LooseFolder::Refuse).ok());
    EXPECT_EQ(modeOf(f.path(u"new/inner")) & 0777, 0700u);
    QDir(f.dir.path()).mkdir(u"loose"_s);
    ::chmod(QFile::encodeName(f.path(u"loose")).constData(), 0775);
    EXPECT_EQ(files::privateFolder(f.path(u"loose"), files::LooseFolder::Refuse).status,
              FolderStatus::Loose);
    EXPECT_TRUE(files::privateFolder(f.path(u"loose"), files::LooseFolder::Tighten).ok());
    EXPECT_EQ(modeOf(f.path(u"loose")) & 0777, 0700u);
    f.link(u"loose", u"link");
    EXPECT_EQ(files::privateFolder(f.path(u"link"), files::LooseFolder::Tighten).status,
              FolderStatus::Link);
    writeFile(f.path(u"file"), "x");
    EXPECT_EQ(files::privateFolder(f.path(u"file"), files::LooseFolder::Tighten).status,
              FolderStatus::NotFolder);
    // Another user's folder, even a private one, is never made this user's.
    QDir(f.dir.path()).mkdir(u"theirs"_s);
    const QString theirs = ::geteuid() == 0 ? f.path(u"theirs") : u"/"_s;
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(theirs).constData(), 65534, 65534), 0);
    }
    EXPECT_EQ(files::privateFolder(theirs, files::LooseFolder::Tighten).status,
              FolderStatus::Foreign);
    // A file cannot be made below a file.
    EXPECT_TRUE(files::canCreateAt(f.path(u"missing/deeper/conf")));
    EXPECT_FALSE(files::canCreateAt(f.path(u"file/deeper/conf")));
}
