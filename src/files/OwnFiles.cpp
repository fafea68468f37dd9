#include "OwnFiles.h"

#include "script/ScriptFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace vw::files {

namespace {

QString systemText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Closes a descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

bool missing(int error) {
    return error == ENOENT || error == ENOTDIR;
}

// Creates the folder and the missing ones above it, each for the user alone; 0 when it stands,
// else the error. Folders that stand are taken as they are: a link on the way to the user's own
// folders is the user's choice.
int makeFolders(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) == 0)
        return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    if (const int error = errno; !missing(error))
        return error;
    const QString parent = QFileInfo(path).absolutePath();
    if (parent != path) {
        if (const int error = makeFolders(parent))
            return error;
    }
    return ::mkdir(name.constData(), 0700) == 0 || errno == EEXIST ? 0 : errno;
}

} // namespace

ReadResult readFile(const QString& path, qint64 maxSize) {
    using Status = ReadResult::Status;
    ReadResult result;
    const QByteArray name = QFile::encodeName(path);
    const auto failed = [&](int error) {
        result.status = missing(error)   ? Status::Missing
                        : error == ELOOP ? Status::NotRegular
                                         : Status::Unreadable;
        result.detail = systemText(error);
        return result;
    };
    // A look before opening: opening a device or a pipe can have effects of its own.
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0)
        return failed(errno);
    const Descriptor fd(
        S_ISREG(info.st_mode) && info.st_size <= maxSize
            ? ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY)
            : -1);
    if (fd.get() >= 0 && ::fstat(fd.get(), &info) != 0)
        return failed(errno);
    // The facts of what was opened decide, not of whatever the name pointed to a moment before.
    result.size = info.st_size;
    if (!S_ISREG(info.st_mode)) {
        result.status = Status::NotRegular;
        return result;
    }
    if (info.st_size > maxSize) {
        result.status = Status::TooLarge;
        return result;
    }
    if (fd.get() < 0)
        return failed(errno);
    // One byte more than allowed tells a file that grew since from one that did not.
    qint64 have = 0;
    result.bytes.resize(static_cast<qsizetype>(info.st_size) + 1);
    for (;;) {
        if (have == result.bytes.size()) {
            if (have > maxSize) {
                result.status = Status::TooLarge;
                result.size = have;
                result.bytes.clear();
                return result;
            }
            result.bytes.resize(static_cast<qsizetype>(std::min(2 * have, maxSize + 1)));
        }
        const ssize_t got = ::read(fd.get(), result.bytes.data() + have,
                                   static_cast<size_t>(result.bytes.size() - have));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result.bytes.clear();
            return failed(errno);
        }
        if (got == 0)
            break;
        have += got;
    }
    result.bytes.resize(static_cast<qsizetype>(have));
    result.size = have;
    result.status = Status::Ok;
    return result;
}

SetAsideResult setAside(const QString& path) {
    SetAsideResult result;
    const QString stem =
        path + u".set-aside-"_s + QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
    // Bounded: a folder full of set-aside files is not worth looking through for ever.
    for (int n = 1; n <= 100; ++n) {
        const QString candidate = n == 1 ? stem : stem + u'-' + QString::number(n);
        const QByteArray name = QFile::encodeName(candidate);
        struct stat info {};
        if (::lstat(name.constData(), &info) == 0)
            continue;
        if (::rename(QFile::encodeName(path).constData(), name.constData()) != 0) {
            result.detail = systemText(errno);
            return result;
        }
        result.ok = true;
        result.newPath = candidate;
        return result;
    }
    result.detail = systemText(EEXIST);
    return result;
}

SaveResult saveFile(const QString& path, const QByteArray& bytes) {
    using Status = SaveResult::Status;
    SaveResult result;
    const QByteArray name = QFile::encodeName(path);
    if (const int error = makeFolders(QFileInfo(path).absolutePath())) {
        result.status = Status::FolderFailed;
        result.detail = systemText(error);
        return result;
    }
    struct stat info {};
    if (::lstat(name.constData(), &info) == 0) {
        // The new file is renamed into place; a link would make it land at the link's target.
        if (S_ISLNK(info.st_mode)) {
            if (::unlink(name.constData()) != 0) {
                result.status = Status::Failed;
                result.detail = systemText(errno);
                return result;
            }
        } else if (!S_ISREG(info.st_mode)) {
            result.status = Status::NotRegular;
            return result;
        }
    }
    QSaveFile file(path);
    // Unbuffered: an error reaches the write that met it, with its reason.
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                         ::fchmod(file.handle(), 0600) == 0 && file.write(bytes) == bytes.size() &&
                         file.commit();
    if (!written) {
        result.status = failedForSpace(file) ? Status::DiskFull : Status::Failed;
        result.detail =
            file.error() == QFileDevice::NoError ? systemText(errno) : file.errorString();
    }
    return result;
}

FolderResult privateFolder(const QString& path, LooseFolder loose) {
    using Status = FolderResult::Status;
    FolderResult result;
    const QByteArray name = QFile::encodeName(path);
    const auto refused = [&](Status status, int error) {
        result.status = status;
        if (error != 0)
            result.detail = systemText(error);
        return result;
    };
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0) {
        int error = errno;
        if (missing(error) && (error = makeFolders(path)) == 0 &&
            ::lstat(name.constData(), &info) != 0)
            error = errno;
        if (error != 0)
            return refused(Status::CreateFailed, error);
    }
    if (S_ISLNK(info.st_mode))
        return refused(Status::Link, 0);
    if (!S_ISDIR(info.st_mode))
        return refused(Status::NotFolder, 0);
    // The checks and the change go to the folder opened, which a rename cannot swap.
    const Descriptor fd(::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0)
        return refused(errno == ELOOP ? Status::Link : Status::CreateFailed, errno);
    if (::fstat(fd.get(), &info) != 0)
        return refused(Status::CreateFailed, errno);
    if (info.st_uid != ::geteuid())
        return refused(Status::Foreign, 0);
    if ((info.st_mode & 077) != 0) {
        if (loose == LooseFolder::Refuse)
            return refused(Status::Loose, 0);
        if (::fchmod(fd.get(), info.st_mode & 0700) != 0)
            return refused(Status::Loose, errno);
    }
    return result;
}

bool canCreateAt(const QString& path) {
    QString folder = QFileInfo(path).absolutePath();
    for (;;) {
        struct stat info {};
        const QByteArray name = QFile::encodeName(folder);
        if (::stat(name.constData(), &info) == 0)
            return S_ISDIR(info.st_mode) &&
                   ::faccessat(AT_FDCWD, name.constData(), W_OK | X_OK, AT_EACCESS) == 0;
        const int error = errno;
        const QString parent = QFileInfo(folder).absolutePath();
        if (!missing(error) || parent == folder)
            return false;
        folder = parent;
    }
}

} // namespace vw::files
