#include "ScriptFile.h"

#include "LineSource.h"

#include <QFile>
#include <QSaveFile>

#include <sys/stat.h>

namespace vw {

bool namesSameFile(const QString& a, const QString& b) {
    const QString ta = trimSpaces(a).toString();
    const QString tb = trimSpaces(b).toString();
    if (ta.isEmpty() || tb.isEmpty())
        return false;
    if (ta == tb)
        return true;
    struct stat sa {};
    struct stat sb {};
    return ::stat(QFile::encodeName(ta).constData(), &sa) == 0 &&
           ::stat(QFile::encodeName(tb).constData(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool failedForSpace(const QIODevice& device) {
    // Qt's file engine reports ENOSPC, and only that, as a resource error.
    const auto* file = qobject_cast<const QFileDevice*>(&device);
    return file && file->error() == QFileDevice::ResourceError;
}

ScriptFileWriteResult writeScriptFile(const QString& sourcePath, const SourceStamp& stamp,
                                      const QString& outputPath,
                                      const std::vector<ShopRecord>& records,
                                      const WriteProgress& progress,
                                      const ScriptWriteOptions& options) {
    using Status = ScriptFileWriteResult::Status;
    ScriptFileWriteResult result;
    if (namesSameFile(outputPath, sourcePath)) {
        result.status = Status::OutputIsSource;
        return result;
    }
    // The new file is renamed into place: a device or a pipe would be replaced, not written.
    if (const FileFacts output = fileFactsOf(outputPath); output.exists && !output.regular) {
        result.status = Status::OutputNotRegular;
        return result;
    }
    if (fileFactsOf(sourcePath) != stamp.facts) {
        result.status = Status::SourceChanged;
        return result;
    }
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        result.status = Status::SourceFailed;
        result.detail = source.errorString();
        return result;
    }
    QSaveFile target(outputPath);
    // Unbuffered: the writer collects large blocks itself, and an error then reaches it with
    // its reason instead of surfacing in a later flush.
    if (!target.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        result.status = Status::OutputFailed;
        result.detail = target.errorString();
        return result;
    }
    result.write = writeScript(source, target, records, progress, options);
    switch (result.write.status) {
    case ScriptWriteResult::Status::Ok:
        // Bytes other than those read would not match the recorded line positions.
        if (result.write.sourceHash != stamp.contentHash)
            result.status = Status::SourceChanged;
        break;
    case ScriptWriteResult::Status::SourceChanged:
        result.status = Status::SourceChanged;
        break;
    case ScriptWriteResult::Status::SourceFailed:
        result.status = Status::SourceFailed;
        result.detail = source.errorString();
        break;
    case ScriptWriteResult::Status::OutputFailed:
        result.status = Status::OutputFailed;
        break;
    }
    if (result.status == Status::Ok && !target.commit())
        result.status = Status::OutputFailed;
    if (result.status == Status::OutputFailed) {
        if (failedForSpace(target))
            result.status = Status::DiskFull;
        result.detail = target.errorString();
    }
    if (result.status != Status::Ok)
        target.cancelWriting();
    return result;
}

} // namespace vw
