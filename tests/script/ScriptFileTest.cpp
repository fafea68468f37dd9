#include "script/ScriptFile.h"
#include "../support/TestFiles.h"
#include "editor/ListEdits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace Qt::Literals::StringLiterals;
using namespace vw;
using namespace vw::test;
using Status = ScriptFileWriteResult::Status;

namespace {

const QStringList Script = {
    u"class trader : citizen"_s,        u"property_define_begin"_s,
    u"\tbuyselllist_begin SellList0"_s, u"\t\t{101; 10; 0.000000; 0 };"_s,
    u"\t\t{102; 10; 0.000000; 0 };"_s,  u"\tbuyselllist_end"_s,
    u"property_define_end"_s,           u"class_end"_s,
};

// A script on disk, read, with one list edited: what every write below starts from.
struct WrittenScript {
    WrittenScript() {
        writeFile(source(), scriptBytes(Script));
        read = readScriptFile(source());
        edits::deleteItem(read.records[0], 0, 0);
    }
    QString source() const { return dir.path() + u"/ai.obj"_s; }
    QString path(const QString& name) const { return dir.path() + u'/' + name; }
    ScriptFileWriteResult writeTo(const QString& output) const {
        return writeScriptFile(source(), read.stamp, output, read.records);
    }
    QStringList filesInDir() const { return QDir(dir.path()).entryList(QDir::Files); }

    QTemporaryDir dir;
    ScriptReadResult read;
};

} // namespace

TEST(ScriptFile, RefusesEveryNameOfTheSource) {
    WrittenScript s;
    QFile::link(s.source(), s.path(u"link.obj"_s));
    const QString relative = QDir::current().relativeFilePath(s.source());
    for (const QString& name : {s.source(), u"  "_s + s.source() + u" "_s, s.path(u"link.obj"_s),
                                relative, s.path(u"./ai.obj"_s)}) {
        EXPECT_EQ(s.writeTo(name).status, Status::OutputIsSource) << qPrintable(name);
    }
    EXPECT_EQ(decodeScript(readFile(s.source())).count(u'{'), 2);
}

TEST(ScriptFile, ChangedOrVanishedSourceIsRefusedAndLeavesNothing) {
    WrittenScript changed;
    writeFile(changed.source(), scriptBytes(Script + QStringList{u"// appended"_s}));
    EXPECT_EQ(changed.writeTo(changed.path(u"out.obj"_s)).status, Status::SourceChanged);

    WrittenScript vanished;
    QFile::remove(vanished.source());
    EXPECT_EQ(vanished.writeTo(vanished.path(u"out.obj"_s)).status, Status::SourceChanged);

    for (const WrittenScript* s : {&changed, &vanished})
        EXPECT_FALSE(s->filesInDir().contains(u"out.obj"_s));
}

TEST(ScriptFile, SourceSwappedForOneOfTheSameSizeAndTimeIsRefused) {
    // The new text is as long as the old one: one item ID changed for another.
    QStringList swapped = Script;
    swapped[3].replace(u"101"_s, u"109"_s);
    WrittenScript moved;
    const QFileInfo before(moved.source());
    writeFile(moved.path(u"w2"_s), scriptBytes(swapped));
    QFile w2(moved.path(u"w2"_s));
    ASSERT_TRUE(w2.open(QIODevice::ReadWrite) &&
                w2.setFileTime(before.lastModified(), QFileDevice::FileModificationTime));
    w2.close();
    QFile::remove(moved.source());
    ASSERT_TRUE(QFile::rename(moved.path(u"w2"_s), moved.source()));
    ASSERT_EQ(QFileInfo(moved.source()).size(), before.size());
    EXPECT_EQ(moved.writeTo(moved.path(u"out.obj"_s)).status, Status::SourceChanged);

    // A change the file system does not show (a coarse clock, a clock set back): only the
    // bytes tell.
    WrittenScript inPlace;
    writeFile(inPlace.source(), scriptBytes(swapped));
    inPlace.read.stamp.facts = fileFactsOf(inPlace.source());
    EXPECT_EQ(inPlace.writeTo(inPlace.path(u"out.obj"_s)).status, Status::SourceChanged);

    for (const WrittenScript* s : {&moved, &inPlace})
        EXPECT_FALSE(s->filesInDir().contains(u"out.obj"_s));
}

TEST(ScriptFile, APipeAFolderOrALinkToADeviceIsNotReplaced) {
    WrittenScript s;
    const QByteArray fifo = QFile::encodeName(s.path(u"fifo"_s));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    QDir().mkpath(s.path(u"folder.obj"_s));
    QFile::link(u"/dev/null"_s, s.path(u"null-link"_s));
    for (const QString& name : {u"fifo"_s, u"folder.obj"_s, u"null-link"_s})
        EXPECT_EQ(s.writeTo(s.path(name)).status, Status::OutputNotRegular) << qPrintable(name);
    struct stat info {};
    EXPECT_TRUE(::stat(fifo.constData(), &info) == 0 && S_ISFIFO(info.st_mode));
    EXPECT_TRUE(QFileInfo(s.path(u"folder.obj"_s)).isDir());
    EXPECT_EQ(QFileInfo(s.path(u"null-link"_s)).symLinkTarget(), u"/dev/null"_s);
    EXPECT_EQ(s.filesInDir(), QStringList({u"ai.obj"_s, u"null-link"_s}));
}

TEST(ScriptFile, ADeviceNodeIsNotReplaced) {
    WrittenScript s;
    const QByteArray device = QFile::encodeName(s.path(u"null"_s));
    if (::mknod(device.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "making a device node needs root (mknod)";
    EXPECT_EQ(s.writeTo(s.path(u"null"_s)).status, Status::OutputNotRegular);
    struct stat info {};
    EXPECT_TRUE(::stat(device.constData(), &info) == 0 && S_ISCHR(info.st_mode));
    EXPECT_EQ(s.filesInDir(), QStringList{u"ai.obj"_s});
}

TEST(ScriptFile, UnwritableTargetsFailWithoutPartialFiles) {
    WrittenScript s;
    // Root ignores permission bits, so make the folder impossible instead: it does not exist,
    // or a plain file stands where the folder should be.
    writeFile(s.path(u"plain"_s), "x");
    for (const QString& name : {s.path(u"missing/out.obj"_s), s.path(u"plain/out.obj"_s)}) {
        const ScriptFileWriteResult result = s.writeTo(name);
        EXPECT_EQ(result.status, Status::OutputFailed);
        EXPECT_FALSE(result.detail.isEmpty());
    }
    EXPECT_EQ(s.filesInDir(), QStringList({u"ai.obj"_s, u"plain"_s}));
}

TEST(ScriptFile, FullDiskLeavesNoOutput) {
    WrittenScript s;
    const QString mountPoint = s.path(u"small"_s);
    QDir().mkpath(mountPoint);
    if (::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=4k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here";
    // Enough items that the copy outgrows the file system.
    for (int i = 0; i < 2000; ++i)
        edits::appendItem(s.read.records[0], 0,
                          edits::newItem(s.read.records[0], QString::number(5000 + i), u"1"_s));
    const ScriptFileWriteResult result = s.writeTo(mountPoint + u"/out.obj"_s);
    const QStringList left = QDir(mountPoint).entryList(QDir::Files | QDir::Hidden);
    ::umount(QFile::encodeName(mountPoint).constData());
    EXPECT_EQ(result.status, Status::DiskFull);
    EXPECT_TRUE(left.isEmpty()) << qPrintable(left.join(u' '));
}

TEST(ScriptFile, SuccessfulWriteReplacesTheEditedListOnly) {
    WrittenScript s;
    writeFile(s.path(u"out.obj"_s), "old contents");
    const ScriptFileWriteResult result = s.writeTo(s.path(u"out.obj"_s));
    ASSERT_EQ(result.status, Status::Ok);
    EXPECT_EQ(result.write.listsWritten, 1);
    QStringList expected = Script;
    expected.removeAt(3);
    expected[3] = u"\t\t{102; 10; 0.000000; 0};"_s;
    EXPECT_EQ(readFile(s.path(u"out.obj"_s)), scriptBytes(expected));
}
