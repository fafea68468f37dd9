#include "AccessReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <memory>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#endif
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

// AddressSanitizer reserves terabytes of shadow memory at start, which any data or address-space
// limit refuses; under it the child runs with the time limit alone.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool sanitizedBuild = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool sanitizedBuild = true;
#else
constexpr bool sanitizedBuild = false;
#endif
#else
constexpr bool sanitizedBuild = false;
#endif

QString& programOverride() {
    static QString path;
    return path;
}

// The failure is typed; each front end says it in its own words.
CatalogueLoadResult readerFailure(CatalogueReaderFailure failure, const QString& object = {}) {
    const bool fileAtFault = failure != CatalogueReaderFailure::NotStarted;
    return {fileAtFault ? CatalogueLoadStatus::Unrecognised : CatalogueLoadStatus::Unreadable,
            {},
            failure,
            object};
}

// The child's reason is its last line on standard output; libmdb may have printed before it.
QString lastLine(const QByteArray& output) {
    const QList<QByteArray> lines = output.trimmed().split('\n');
    return QString::fromUtf8(lines.isEmpty() ? QByteArray() : lines.last().trimmed());
}

// The child's report of the view, trigger or virtual table it refused an SQLite file for.
CatalogueLoadResult refusal(const QByteArray& output) {
    const qsizetype newline = output.indexOf('\n');
    const auto kind = static_cast<CatalogueReaderFailure>(output.left(newline).toInt());
    switch (kind) {
    case CatalogueReaderFailure::HoldsView:
    case CatalogueReaderFailure::HoldsTrigger:
    case CatalogueReaderFailure::HoldsVirtualTable:
        return readerFailure(kind, QString::fromUtf8(output.mid(newline + 1)));
    default:
        return readerFailure(CatalogueReaderFailure::Crashed);
    }
}

const QString FolderPrefix = u"vendwright-reading-"_s;

#ifdef Q_OS_UNIX
bool processAlive(qint64 pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}
#endif

// Removes the private folders of programs that died before they could: each is named after the
// process that made it.
void removeAbandonedFolders(const QString& base) {
#ifdef Q_OS_UNIX
    const QFileInfoList folders = QDir(base).entryInfoList(
        {FolderPrefix + u'*'}, QDir::Dirs | QDir::NoSymLinks | QDir::Hidden);
    for (const QFileInfo& folder : folders) {
        const QStringView rest = QStringView(folder.fileName()).sliced(FolderPrefix.size());
        bool isNumber = false;
        const qint64 pid =
            rest.first(std::max<qsizetype>(rest.indexOf(u'-'), 0)).toLongLong(&isNumber);
        if (isNumber && folder.ownerId() == ::getuid() && !processAlive(pid))
            QDir(folder.filePath()).removeRecursively();
    }
#else
    Q_UNUSED(base);
#endif
}

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};

} // namespace

AccessReaderLimits accessReaderLimits(qint64 fileSize) {
    constexpr qint64 MiB = 1024 * 1024;
    const qint64 size = std::max<qint64>(fileSize, 0);
    const qint64 memory = std::clamp<qint64>(size * 20, 256 * MiB, 1024 * MiB);
    // libmdb reads a healthy catalogue at tens of megabytes a second, so two seconds plus one for
    // every 8 MiB leaves room for a slow disk and a busy machine.
    const std::chrono::milliseconds time(2000 + size / (8 * MiB) * 1000);
    // The SQLite copy of a catalogue is smaller than the Access file; a reading that writes more
    // than four times the file is repeating itself.
    const qint64 output = std::min<qint64>(8 * MiB + size * 4, 1024 * MiB);
    return {time, sanitizedBuild ? 0 : memory, output};
}

QString accessReaderProgram() {
    if (!programOverride().isEmpty())
        return programOverride();
    return QCoreApplication::applicationDirPath() + u"/vendwright-import"_s;
}

void setAccessReaderProgram(const QString& path) {
    programOverride() = path;
}

QString readingFolderBase() {
    // The runtime folder is the user's alone and emptied when the user's last session ends;
    // Qt checks its owner and permissions, and gives nothing when they are wrong.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!runtime.isEmpty())
            return runtime;
    }
    return QDir::tempPath();
}

CatalogueLoadResult readCatalogueInChild(const QString& path, sqlite3* target) {
    const QString base = readingFolderBase();
    removeAbandonedFolders(base);
    // Created for this user alone.
    const QTemporaryDir dir(base + u'/' + FolderPrefix +
                            QString::number(QCoreApplication::applicationPid()) + u"-XXXXXX"_s);
    if (!dir.isValid())
        return {CatalogueLoadStatus::Unreadable, dir.errorString()};
    const QString output = dir.filePath(u"catalogue.sqlite"_s);
    const AccessReaderLimits limits = accessReaderLimits(QFileInfo(path).size());

    QProcess child;
    child.setProgram(accessReaderProgram());
    child.setArguments({path, output});
    child.setStandardInputFile(QProcess::nullDevice());
    child.setStandardErrorFile(QProcess::nullDevice());
#ifdef Q_OS_UNIX
    const pid_t parent = ::getpid();
    child.setChildProcessModifier([limits, parent] {
#ifdef Q_OS_LINUX
        // The child dies with the program, at once if the program died before this line.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(127);
#else
        Q_UNUSED(parent);
#endif
        const rlimit none{0, 0};
        setrlimit(RLIMIT_CORE, &none);
        const auto cap = [](qint64 bytes) {
            return rlimit{static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
        };
        const rlimit output = cap(limits.outputBytes);
        setrlimit(RLIMIT_FSIZE, &output);
        if (limits.memoryBytes > 0) {
            const rlimit memory = cap(limits.memoryBytes);
            setrlimit(RLIMIT_DATA, &memory);
        }
    });
#endif
    child.start();
    if (!child.waitForStarted())
        return readerFailure(CatalogueReaderFailure::NotStarted, child.program());
    if (!child.waitForFinished(static_cast<int>(limits.time.count())) &&
        child.state() != QProcess::NotRunning) {
        child.kill();
        child.waitForFinished();
        return readerFailure(CatalogueReaderFailure::TimedOut);
    }
    if (child.exitStatus() == QProcess::CrashExit)
        return readerFailure(CatalogueReaderFailure::Crashed);
    switch (child.exitCode()) {
    case readerexit::Done:
        if (QString error = copyImportedFile(output, target); !error.isEmpty())
            return {CatalogueLoadStatus::Unrecognised, error};
        return {};
    case readerexit::Failed:
        return {CatalogueLoadStatus::Unrecognised, lastLine(child.readAllStandardOutput())};
    case readerexit::OutOfMemory:
        return readerFailure(CatalogueReaderFailure::OutOfMemory);
    case readerexit::NotOnlyTables:
        return refusal(child.readAllStandardOutput());
    default:
        return readerFailure(CatalogueReaderFailure::Crashed);
    }
}

QString copyImportedFile(const QString& path, sqlite3* target) {
    sqlite3* raw = nullptr;
    const int rc =
        sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, DbCloser> source(raw);
    if (rc != SQLITE_OK)
        return QString::fromUtf8(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));
    sqlite3_backup* copy = sqlite3_backup_init(target, "main", raw, "main");
    if (!copy)
        return QString::fromUtf8(sqlite3_errmsg(target));
    sqlite3_backup_step(copy, -1);
    const int finished = sqlite3_backup_finish(copy);
    return finished == SQLITE_OK ? QString() : QString::fromUtf8(sqlite3_errstr(finished));
}

} // namespace vw
