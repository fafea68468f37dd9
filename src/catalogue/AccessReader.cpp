#include "AccessReader.h"

#include "CatalogueImport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
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

CatalogueLoadResult readerFailure(CatalogueReaderFailure failure, const QString& detail) {
    const bool fileAtFault = failure != CatalogueReaderFailure::NotStarted;
    return {fileAtFault ? CatalogueLoadStatus::Unrecognised : CatalogueLoadStatus::Unreadable,
            detail, failure};
}

// The child's reason is its last line on standard output; libmdb may have printed before it.
QString lastLine(const QByteArray& output) {
    const QList<QByteArray> lines = output.trimmed().split('\n');
    return QString::fromUtf8(lines.isEmpty() ? QByteArray() : lines.last().trimmed());
}

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

CatalogueLoadResult readAccessFile(const QString& path, sqlite3* target) {
    const QTemporaryDir dir; // created for this user alone
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
    child.setChildProcessModifier([limits] {
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
        return readerFailure(CatalogueReaderFailure::NotStarted,
                             u"无法启动读取程序："_s + child.program());
    if (!child.waitForFinished(static_cast<int>(limits.time.count())) &&
        child.state() != QProcess::NotRunning) {
        child.kill();
        child.waitForFinished();
        return readerFailure(CatalogueReaderFailure::TimedOut, u"读取超时"_s);
    }
    if (child.exitStatus() == QProcess::CrashExit)
        return readerFailure(CatalogueReaderFailure::Crashed, u"读取程序异常退出"_s);
    switch (child.exitCode()) {
    case readerexit::Done:
        if (QString error = copyImportedFile(output, target); !error.isEmpty())
            return {CatalogueLoadStatus::Unrecognised, error};
        return {};
    case readerexit::Failed:
        return {CatalogueLoadStatus::Unrecognised, lastLine(child.readAllStandardOutput())};
    case readerexit::OutOfMemory:
        return readerFailure(CatalogueReaderFailure::OutOfMemory, u"内存不足"_s);
    default:
        return readerFailure(CatalogueReaderFailure::Crashed, u"读取程序异常退出"_s);
    }
}

} // namespace vw
