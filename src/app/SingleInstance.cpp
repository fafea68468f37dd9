#include "SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace vw {

namespace {

// How long a later start waits for the running one: it answers at once unless it hangs.
constexpr int HandOverMs = 2000;

} // namespace

SingleInstance::SingleInstance(const QString& lockPath, QObject* parent)
    : QObject(parent), lock_(std::make_unique<QLockFile>(lockPath)),
      socketPath_(lockPath + QStringLiteral(".socket")) {
    // Stale only when its process is gone, never by age: a long session keeps its lock.
    lock_->setStaleLockTime(0);
    acquired_ = lock_->tryLock(0);
    if (!acquired_)
        return;
    // The lock is ours, so a socket left at the place is a dead instance's.
    QLocalServer::removeServer(socketPath_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::takeHandOver);
    server_->listen(socketPath_);
}

SingleInstance::~SingleInstance() = default;

void SingleInstance::takeHandOver() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            const QString path = QString::fromUtf8(socket->readLine()).chopped(1);
            socket->write("ok\n");
            socket->flush();
            emit handedOver(path);
        });
    }
}

bool SingleInstance::handOver(const QString& path) const {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(HandOverMs))
        return false;
    socket.write(path.toUtf8() + '\n');
    return socket.waitForBytesWritten(HandOverMs) && socket.waitForReadyRead(HandOverMs) &&
           socket.readLine() == "ok\n";
}

QString SingleInstance::defaultLockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
#ifdef Q_OS_UNIX
    // One lock per user: two users of one machine each run their own instance.
    return folder + QStringLiteral("/vendwright-%1.lock").arg(::getuid());
#else
    return folder + QStringLiteral("/vendwright.lock");
#endif
}

} // namespace vw
