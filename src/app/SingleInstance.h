#pragma once

#include <QLockFile>
#include <QObject>

#include <memory>

class QLocalServer;

namespace vw {

// One running window per user. The first start holds a lock for as long as it runs (the lock
// names its process, so one left by a crash is taken over) and listens beside it; a later start
// hands its file, if any, to the first one, which reads it and comes to the front, and ends.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(const QString& lockPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    // False when another running instance holds the lock.
    bool acquired() const { return acquired_; }
    // For a later start: gives `path` (empty for none) to the running instance. False when it
    // could not be reached.
    bool handOver(const QString& path) const;

    static QString defaultLockPath();

signals:
    // A later start handed this file over (empty: it only asks to be shown).
    void handedOver(const QString& path);

private:
    void takeHandOver();

    std::unique_ptr<QLockFile> lock_;
    bool acquired_ = false;
    QString socketPath_;
    QLocalServer* server_ = nullptr;
};

} // namespace vw
