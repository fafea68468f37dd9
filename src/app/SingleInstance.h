#pragma once

#include "files/OwnFiles.h"

#include <QLockFile>
#include <QObject>

#include <memory>
#include <vector>

class QLocalServer;
class QLocalSocket;

namespace vw {

// One running window per user and program folder. The first start holds a lock for as long as
// it runs (the lock names its process, so one left by a crash is taken over) and listens beside
// it; a later start of the same program hands its file, if any, to the first one, which reads
// it and comes to the front, and ends. A build folder, a portable copy and the installed
// program each keep their own, as they use their own catalogue and files.
//
// A hand-over is one message: the length of the path (4 bytes, big-endian), then the path in
// UTF-8, any character but NUL. A peer that sends more, something else, or nothing in time is
// dropped, and so is the oldest of too many at once: the listening goes on whatever peers do.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    static constexpr qsizetype MaxMessage = 64 * 1024;
    // Peers read at a time; a newer one pushes out the oldest.
    static constexpr int MaxPeers = 8;
    // How long a peer has for its message.
    static constexpr int PeerMs = 5000;

    // Where the lock of the program in a folder lives: XDG_RUNTIME_DIR, else a folder of the
    // user's own in the temporary folder. Either has to be the user's alone (not a link, owned
    // by the user, open to nobody else), or another user could stand in for the running window.
    struct Place {
        QString folder;
        files::FolderResult check;
        QString lockPath; // empty when the folder was refused
    };
    static Place placeFor(const QString& programDir);

    struct HandOver {
        enum class Status {
            Ok,
            NotSendable, // the path holds NUL or is longer than a message
            NotReached,  // nothing listens: the running one cannot be reached
            NoAnswer,    // it took the connection but did not confirm the message
        };
        Status status = Status::Ok;
        QString detail;
        explicit operator bool() const { return status == Status::Ok; }
    };

    explicit SingleInstance(const QString& lockPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    // False when another running instance holds the lock.
    bool acquired() const { return acquired_; }
    // Whether a later start can reach this one: it holds the lock and listens.
    bool listening() const;
    // For a later start: gives `path` (empty for none) to the running instance.
    HandOver handOver(const QString& path) const;

signals:
    // A later start handed this file over (empty: it only asks to be shown). Sent from the
    // event loop, never from inside the handling of a connection, so a receiver may open a
    // dialog.
    void handedOver(const QString& path);

private:
    void takeConnections();
    void readFrom(QLocalSocket* peer);
    void drop(QLocalSocket* peer);

    std::unique_ptr<QLockFile> lock_;
    bool acquired_ = false;
    QString socketPath_;
    QLocalServer* server_ = nullptr;
    std::vector<QLocalSocket*> peers_; // oldest first
};

} // namespace vw
