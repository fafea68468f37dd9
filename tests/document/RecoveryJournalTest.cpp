// The journal of unwritten changes as a file to trust: private, never shortened by a failed
// write, and what stands under a journal's name without being one is set aside unread.
#include "document/RecoveryJournal.h"
#include "../support/FileSizeLimit.h"
#include "../support/TestFiles.h"
#include "document/ScriptDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace vw;
using namespace vw::test;
using Failure = RecoveryJournal::Failure;

namespace {

mode_t modeOf(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
}

// A document over one merchant with a list of six items, and the journal that follows it.
struct Journaled {
    explicit Journaled(const QString& folder) : journal(new RecoveryJournal(document, folder)) {
        ShopRecord record;
        record.className = u"merchant"_s;
        record.templateExtraParts = {u"0.000000"_s, u"0"_s};
        record.growTo(6);
        record.startLine[0] = 10;
        for (int i = 0; i < 6; ++i)
            record.slot(0, i) = {QString::number(i + 1), u"10"_s, 10 + i, {u"x"_s}};
        QObject::connect(journal, &RecoveryJournal::recordingFailed,
                         [this](const Failure& failure) { failures.push_back(failure); });
        QObject::connect(journal, &RecoveryJournal::recordingResumed, [this] { ++resumed; });
        document.load({record}, {}, {folder + u"/../ai.obj"_s, {}});
        document.selectRecord(0);
    }
    // One item less, journaled as the program does it: once the step is over.
    void deleteOne() {
        document.selectSlots({0}, 0);
        ASSERT_EQ(document.deleteItems(), ScriptDocument::EditOutcome::Done);
        QCoreApplication::processEvents();
    }
    ScriptDocument document;
    RecoveryJournal* journal;
    std::vector<Failure> failures;
    int resumed = 0;
};

} // namespace

TEST(Journal, AFailedWriteKeepsTheLastJournalAndIsSaidOnce) {
    QTemporaryDir dir;
    // Made by an older version, open to others.
    QDir(dir.path()).mkdir(u"journals"_s);
    ::chmod(QFile::encodeName(dir.path() + u"/journals"_s).constData(), 0755);
    Journaled j(dir.path() + u"/journals"_s);
    j.deleteOne();
    const QString file = j.journal->file();
    EXPECT_EQ(modeOf(dir.path() + u"/journals"_s) & 0777, 0700u);
    EXPECT_EQ(modeOf(file) & 0777, 0600u);
    const QByteArray good = readFile(file);
    ASSERT_FALSE(good.isEmpty());
    {
        const FileSizeLimit full(static_cast<rlim_t>(good.size()));
        j.deleteOne();
        j.deleteOne();
    }
    EXPECT_EQ(readFile(file), good);
    EXPECT_FALSE(j.journal->isRecording());
    ASSERT_EQ(j.failures.size(), 1u);
    EXPECT_EQ(j.failures.front().kind, Failure::Kind::Failed);
    // Space is back: the next step is journaled, and that is said too.
    j.deleteOne();
    EXPECT_TRUE(j.journal->isRecording());
    EXPECT_EQ(j.resumed, 1);
    EXPECT_EQ(readFile(file).count("remove"), 4);
}

TEST(Journal, WhatIsNoJournalIsSetAsideUnread) {
    QTemporaryDir dir;
    const QString folder = dir.path() + u"/journals"_s;
    Journaled left(folder);
    left.deleteOne();
    const QString name = left.journal->file();
    const QString stem = name.left(name.indexOf(u'-', name.lastIndexOf(u'/')) + 1);
    ASSERT_EQ(::mkfifo(QFile::encodeName(stem + u"1.txt"_s).constData(), 0600), 0);
    QFile huge(stem + u"2.txt"_s);
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) &&
                huge.resize(RecoveryJournal::MaxJournalSize + 1));
    huge.close();

    Journaled next(folder);
    std::vector<RecoveryJournal::SetAside> setAside;
    QObject::connect(next.journal, &RecoveryJournal::journalSetAside,
                     [&](const RecoveryJournal::SetAside& file) { setAside.push_back(file); });
    const std::vector<RecoveryJournal::Left> found =
        next.journal->leftFor(next.document.source().path);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found.front().file, name);
    ASSERT_EQ(setAside.size(), 2u);
    for (const RecoveryJournal::SetAside& file : setAside) {
        EXPECT_FALSE(QFileInfo::exists(file.file));
        EXPECT_TRUE(file.newPath.startsWith(file.file + u".set-aside-"_s));
    }
    const auto pipe = std::find_if(setAside.begin(), setAside.end(), [](const auto& file) {
        return file.found == files::ReadResult::Status::NotRegular;
    });
    ASSERT_NE(pipe, setAside.end());
    EXPECT_TRUE(S_ISFIFO(modeOf(pipe->newPath)));

    // A folder that cannot be made: said at start-up, before any change is lost.
    writeFile(dir.path() + u"/file"_s, "");
    Journaled nowhere(dir.path() + u"/file/journals"_s);
    EXPECT_FALSE(nowhere.journal->checkFolder());
    ASSERT_EQ(nowhere.failures.size(), 1u);
    EXPECT_EQ(nowhere.failures.front().kind, Failure::Kind::Folder);
    nowhere.deleteOne();
    EXPECT_EQ(nowhere.failures.size(), 1u);
}
