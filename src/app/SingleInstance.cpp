#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStringDecoder>
#include <QTimer>
#include <QtEndian>

#include <algorithm>

#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

// How long a later start waits for each step of the running one: it answers at once unless it
// hangs.
constexpr int HandOverMs = 2000;
constexpr qsizetype HeaderSize = 4;
const QByteArray Confirmation = QByteArrayLiteral("ok");

} // namespace

SingleInstance::Place SingleInstance::placeFor(const QString& programDir) {
    Place place;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    // A relative runtime folder is no runtime folder: it would differ from start to start.
    place.folder = QDir::isAbsolutePath(runtime)
                       ? runtime
                       : QDir::tempPath() + u"/vendwright-"_s + QString::number(::geteuid());
    place.check = files::privateFolder(place.folder, files::LooseFolder::Refuse);
    if (!place.check.ok())
        return place;
    // Two spellings of one folder, through a link or not, are one program.
    const QFileInfo folder(programDir);
    const QString canonical = folder.canonicalFilePath().isEmpty() ? folder.absoluteFilePath()
                                                                   : folder.canonicalFilePath();
    const QByteArray hash =
        QCryptographicHash::hash(QFile::encodeName(canonical), QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    place.lockPath = place.folder + u"/vendwright-"_s + QString::fromLatin1(hash) + u".lock"_s;
    return place;
}

SingleInstance::SingleInstance(const QString& lockPath, QObject* parent)
    : QObject(parent), lock_(std::make_unique<QLockFile>(lockPath)),
      socketPath_(lockPath + u".socket"_s) {
    // Stale only when its process is gone, never by age: a long session keeps its lock.
    lock_->setStaleLockTime(0);
    acquired_ = lock_->tryLock(0);
    if (!acquired_)
        return;
    // The lock is ours, so a socket left at the place is a dead instance's.
    QLocalServer::removeServer(socketPath_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::takeConnections);
    server_->listen(socketPath_);
}

SingleInstance::~SingleInstance() {
    // The peers go with the server, before the members their handlers use.
    delete server_;
}

bool SingleInstance::listening() const {
    return server_ && server_->isListening();
}

void SingleInstance::takeConnections() {
    while (QLocalSocket* peer = server_->nextPendingConnection()) {
        // Every connection holds a descriptor; running out of them would end the listening for
        // good, so those idle longest make room.
        if (peers_.size() >= MaxPeers)
            drop(peers_.front());
        peers_.push_back(peer);
        // A message and the peer's buffer are bounded alike: the buffer stops one byte past the
        // largest message, so a longer one shows as too long and goes.
        peer->setReadBufferSize(HeaderSize + MaxMessage + 1);
        connect(peer, &QObject::destroyed, this, [this, peer] { std::erase(peers_, peer); });
        connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        connect(peer, &QLocalSocket::readyRead, this, [this, peer] { readFrom(peer); });
        QTimer::singleShot(PeerMs, peer, [this, peer] { drop(peer); });
        readFrom(peer);
    }
}

void SingleInstance::readFrom(QLocalSocket* peer) {
    const qint64 available = peer->bytesAvailable();
    if (available < HeaderSize)
        return;
    const QByteArray header = peer->peek(HeaderSize);
    const quint32 length = qFromBigEndian<quint32>(header.constData());
    if (length > MaxMessage || available > HeaderSize + length) {
        drop(peer);
        return;
    }
    if (available < HeaderSize + length)
        return;
    peer->skip(HeaderSize);
    const QByteArray bytes = peer->read(length);
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString path = utf8(bytes);
    if (utf8.hasError() || bytes.contains('\0')) {
        drop(peer);
        return;
    }
    // One message a peer: what it sends after the answer is not read.
    disconnect(peer, &QLocalSocket::readyRead, this, nullptr);
    peer->write(Confirmation);
    peer->disconnectFromServer();
    // The receiver may run an event loop of its own (a dialog), in which this peer can go; it
    // hears of the path once this handler is over.
    QMetaObject::invokeMethod(
        this, [this, path] { emit handedOver(path); }, Qt::QueuedConnection);
}

void SingleInstance::drop(QLocalSocket* peer) {
    std::erase(peers_, peer);
    peer->abort();
    peer->deleteLater();
}

SingleInstance::HandOver SingleInstance::handOver(const QString& path) const {
    using Status = HandOver::Status;
    const QByteArray bytes = path.toUtf8();
    if (path.contains(QChar(0)) || bytes.size() > MaxMessage)
        return {Status::NotSendable, {}};
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(HandOverMs))
        return {Status::NotReached, socket.errorString()};
    QByteArray message(HeaderSize, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(bytes.size()), message.data());
    socket.write(message + bytes);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(HandOverMs))
            return {Status::NoAnswer, socket.errorString()};
    }
    while (socket.bytesAvailable() < Confirmation.size()) {
        if (!socket.waitForReadyRead(HandOverMs))
            return {Status::NoAnswer, socket.errorString()};
    }
    if (socket.read(Confirmation.size()) != Confirmation)
        return {Status::NoAnswer, {}};
    return {};
}

} // namespace vw
