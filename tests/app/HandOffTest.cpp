// The hand-off from a later start to the running window, without a window: a message of any
// path arrives whole, peers that break the rules are dropped and the listening goes on, a
// receiver may run a dialog, and the lock stays in a folder of the user's alone.
#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace vw;

namespace {

// A later start, in a thread of its own: handing over blocks the one who hands.
SingleInstance::HandOver handFrom(const QString& lock, const QStringList& paths) {
    SingleInstance::HandOver result;
    std::unique_ptr<QThread> later(QThread::create([&] {
        const SingleInstance instance(lock);
        for (const QString& path : paths) {
            if (!(result = instance.handOver(path)))
                return;
        }
    }));
    later->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return later->isFinished(); }, 30000));
    later->wait();
    return result;
}

QByteArray message(const QByteArray& path, quint32 length) {
    QByteArray bytes(4, '\0');
    qToBigEndian(length, bytes.data());
    return bytes + path;
}

// Sends `bytes` as a peer and waits until the running one closes: true when it confirmed.
bool sendRaw(const QString& lock, const QByteArray& bytes) {
    QLocalSocket peer;
    peer.connectToServer(lock + u".socket"_s);
    EXPECT_TRUE(peer.waitForConnected(5000));
    peer.write(bytes);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return peer.state() == QLocalSocket::UnconnectedState; }, 20000));
    return peer.readAll() == "ok";
}

struct Running {
    QString lock() const { return dir.path() + u"/vw.lock"_s; }
    QTemporaryDir dir;
    SingleInstance first{lock()};
    QSignalSpy handed{&first, &SingleInstance::handedOver};
    QStringList paths() const {
        QStringList all;
        for (const QList<QVariant>& arguments : handed)
            all.append(arguments.front().toString());
        return all;
    }
};

} // namespace

TEST(HandOff, APathArrivesWholeAndBadMessagesAreDropped) {
    Running r;
    ASSERT_TRUE(r.first.listening());
    const QString path = u"/tmp/第一\n/etc/passwd"_s;
    EXPECT_TRUE(handFrom(r.lock(), {path}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.handed.size() == 1; }, 5000));
    EXPECT_EQ(r.paths(), QStringList{path});

    // Too long, a NUL, not UTF-8, or two messages at once: dropped unanswered.
    EXPECT_FALSE(sendRaw(r.lock(), message(QByteArray(70000, 'x'), 1u << 30)));
    EXPECT_FALSE(sendRaw(r.lock(), message(QByteArray("/a\0b", 4), 4)));
    EXPECT_FALSE(sendRaw(r.lock(), message("\xff", 1)));
    EXPECT_FALSE(sendRaw(r.lock(), message("/a", 2) + message("/b", 2)));
    EXPECT_EQ(SingleInstance(r.lock()).handOver(u"/a\0b"_s).status,
              SingleInstance::HandOver::Status::NotSendable);
    EXPECT_TRUE(handFrom(r.lock(), {u"/tmp/second.obj"_s}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.handed.size() == 2; }, 5000));
    EXPECT_EQ(r.paths().last(), u"/tmp/second.obj"_s);
}

TEST(HandOff, IdleConnectionsDoNotEndTheListening) {
    constexpr int Idle = 1065;
    // Few descriptors to spare, as on a desktop: the peers held would use them up.
    rlimit saved{};
    ::getrlimit(RLIMIT_NOFILE, &saved);
    rlimit tight = saved;
    tight.rlim_cur = Idle + 200;
    if (saved.rlim_max < tight.rlim_cur)
        GTEST_SKIP() << "too few descriptors allowed";
    ::setrlimit(RLIMIT_NOFILE, &tight);
    Running r;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(r.lock() + u".socket"_s);
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    std::vector<int> idle;
    for (int i = 0; i < Idle; ++i) {
        idle.push_back(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
        ASSERT_GE(idle.back(), 0);
        // A full backlog waits for the running one to take connections.
        while (::connect(idle.back(), reinterpret_cast<const sockaddr*>(&address),
                         sizeof address) != 0) {
            ASSERT_EQ(errno, EAGAIN) << "no longer listening after " << i << " peers";
            QCoreApplication::processEvents();
        }
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(r.first.listening());
    EXPECT_TRUE(handFrom(r.lock(), {u"/tmp/after.obj"_s}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return r.handed.size() == 1; }, 5000));
    for (const int fd : idle)
        ::close(fd);
    ::setrlimit(RLIMIT_NOFILE, &saved);
}

// Run by the next test as a process of its own, where freed memory is overwritten at once: a
// peer deleted under its own handler crashes it.
TEST(HandOff, DISABLED_ReceiverRunsADialog) {
    Running r;
    // As a dialog does: the first path opens a loop that runs until the later start is gone and
    // its peer with it.
    std::atomic<bool> gone = false;
    QEventLoop dialog;
    QTimer settle;
    int ticks = 0;
    QObject::connect(&settle, &QTimer::timeout, [&] {
        if (gone && ++ticks == 10)
            dialog.quit();
    });
    QObject::connect(&r.first, &SingleInstance::handedOver, [&](const QString& path) {
        if (path == u"first") {
            settle.start(10);
            dialog.exec();
        }
    });
    std::unique_ptr<QThread> later(QThread::create([&] {
        EXPECT_TRUE(SingleInstance(r.lock()).handOver(u"first"_s));
        gone = true;
    }));
    later->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 10; }, 30000));
    later->wait();
    EXPECT_TRUE(handFrom(r.lock(), {u"second"_s}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return r.handed.size() == 2; }, 5000));
}

TEST(HandOff, AReceiverMayRunADialog) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"GLIBC_TUNABLES"_s, u"glibc.malloc.tcache_count=0"_s);
    environment.insert(u"MALLOC_PERTURB_"_s, u"165"_s);
    environment.insert(u"ASAN_OPTIONS"_s, environment.value(u"ASAN_OPTIONS"_s) +
                                              u":max_free_fill_size=65536:free_fill_byte=165"_s);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {u"--gtest_filter=HandOff.DISABLED_ReceiverRunsADialog"_s,
                 u"--gtest_also_run_disabled_tests"_s});
    ASSERT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
}

TEST(HandOff, TheLockLivesInAFolderOfTheUsersAloneOnePerProgramFolder) {
    QTemporaryDir dir;
    const auto make = [&](const QString& name, mode_t mode) {
        QDir().mkpath(dir.path() + name);
        ::chmod(QFile::encodeName(dir.path() + name).constData(), mode);
        return dir.path() + name;
    };
    const QString programA = make(u"/a"_s, 0755);
    const QString programB = make(u"/b"_s, 0755);
    ASSERT_EQ(::symlink("a", QFile::encodeName(dir.path() + u"/a-link"_s).constData()), 0);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(make(u"/run"_s, 0700)));
    const SingleInstance::Place a = SingleInstance::placeFor(programA);
    ASSERT_TRUE(a.check.ok());
    EXPECT_TRUE(a.lockPath.startsWith(dir.path() + u"/run/"_s));
    EXPECT_NE(SingleInstance::placeFor(programB).lockPath, a.lockPath);
    EXPECT_EQ(SingleInstance::placeFor(dir.path() + u"/a-link"_s).lockPath, a.lockPath);
    make(u"/run"_s, 0755);
    EXPECT_EQ(SingleInstance::placeFor(programA).check.status, files::FolderResult::Status::Loose);

    // Without a runtime folder: one of the user's own in the temporary folder, made private,
    // and refused when another user could have made or filled it.
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(make(u"/tmp"_s, 01777)));
    const QString fallback = dir.path() + u"/tmp/vendwright-"_s + QString::number(::geteuid());
    make(u"/tmp/vendwright-"_s + QString::number(::geteuid()), 0777);
    EXPECT_TRUE(SingleInstance::placeFor(programA).lockPath.isEmpty());
    if (::geteuid() == 0) {
        ::chmod(QFile::encodeName(fallback).constData(), 0700);
        ASSERT_EQ(::chown(QFile::encodeName(fallback).constData(), 65534, 65534), 0);
        EXPECT_EQ(SingleInstance::placeFor(programA).check.status,
                  files::FolderResult::Status::Foreign);
    }
    QDir(fallback).removeRecursively();
    const SingleInstance::Place made = SingleInstance::placeFor(programA);
    EXPECT_TRUE(made.lockPath.startsWith(fallback + u'/'));
    EXPECT_TRUE(SingleInstance(made.lockPath).listening());
    qunsetenv("TMPDIR");
}

int main(int argc, char** argv) {
    // The hand-off needs no window: a plain application object is enough.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
