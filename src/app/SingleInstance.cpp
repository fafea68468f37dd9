#include "SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace vw {

SingleInstance::SingleInstance(const QString& lockPath)
    : lock_(std::make_unique<QLockFile>(lockPath)) {
    // Stale only when its process is gone, never by age: a long session keeps its lock.
    lock_->setStaleLockTime(0);
    acquired_ = lock_->tryLock(0);
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
