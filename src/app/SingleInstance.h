#pragma once

#include <QLockFile>

#include <memory>

namespace vw {

// Holds a lock for as long as the program runs. The lock names the holder's process, so a lock
// left by a crashed instance is taken over instead of blocking every later start.
class SingleInstance {
public:
    explicit SingleInstance(const QString& lockPath);
    // False when another running instance holds the lock.
    bool acquired() const { return acquired_; }

    static QString defaultLockPath();

private:
    std::unique_ptr<QLockFile> lock_;
    bool acquired_ = false;
};

} // namespace vw
