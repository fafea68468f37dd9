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

ScriptFileWriteResult writeScriptFile(const QString& sourcePath, const SourceStamp& stamp,
                                      const QString& outputPath,
                                      const std::vector<ShopRecord>& records,
                                      const WriteProgress& progress) {
    using Status = ScriptFileWriteResult::Status;
    ScriptFileWriteResult result;
    if (namesSameFile(outputPath, sourcePath)) {
        result.status = Status::OutputIsSource;
        return result;
    }
    if (stampOf(sourcePath) != stamp) {
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
    if (!target.open(QIODevice::WriteOnly)) {
        result.status = Status::OutputFailed;
        result.detail = target.errorString();
        return result;
    }
    result.write = writeScript(source, target, records, progress);
    // A change while copying makes the recorded line positions meaningless too.
    if (result.write.status == ScriptWriteResult::Status::SourceChanged ||
        stampOf(sourcePath) != stamp) {
        result.status = Status::SourceChanged;
    } else if (result.write.status == ScriptWriteResult::Status::SourceFailed) {
        result.status = Status::SourceFailed;
        result.detail = source.errorString();
    } else if (result.write.status == ScriptWriteResult::Status::OutputFailed || !target.commit()) {
        result.status = Status::OutputFailed;
        result.detail = target.errorString();
    }
    if (result.status != Status::Ok)
        target.cancelWriting();
    return result;
}

} // namespace vw
