#include "Inputs.h"

#include "CliError.h"
#include "Echo.h"
#include "catalogue/CatalogueDb.h"
#include "catalogue/Lookups.h"
#include "script/ReadToEnd.h"

#include <QFile>
#include <QStringDecoder>

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

namespace {

[[noreturn]] void inputError(const QString& path, const QString& problem) {
    throw CliError{ExitInput, path + u": "_s + problem};
}

// A folder or a pipe would reach the readers as a file that cannot be opened, or one that
// never ends.
void requireRegularFile(const QString& path, const QString& missing) {
    const FileFacts facts = fileFactsOf(path);
    if (!facts.exists)
        inputError(path, missing);
    if (!facts.regular)
        inputError(path, u"not a regular file"_s);
}

QString describe(TextProblem problem) {
    switch (problem) {
    case TextProblem::None:
        break;
    case TextProblem::Utf8Mark:
        return u"it starts with a UTF-8 byte-order mark"_s;
    case TextProblem::BigEndianMark:
        return u"it starts with a UTF-16BE byte-order mark"_s;
    case TextProblem::BigEndianText:
        return u"its zero bytes stand where UTF-16BE text has them"_s;
    case TextProblem::NoZeroByte:
        return u"it has no zero bytes, as 8-bit and UTF-8 text"_s;
    case TextProblem::NulCharacter:
        return u"it holds NUL characters"_s;
    case TextProblem::BrokenSurrogates:
        return u"it holds many surrogate code units without their partner"_s;
    case TextProblem::OddLength:
        return u"its length is an odd number of bytes"_s;
    }
    return {};
}

ScriptReadResult requireRead(const QString& path, ScriptReadResult read) {
    switch (read.status) {
    case ReadStatus::Ok:
        break;
    case ReadStatus::OpenFailed:
        inputError(path, u"cannot open the script"_s);
    case ReadStatus::NotUtf16:
        inputError(path, u"not a UTF-16LE script ("_s + describe(read.textProblem) + u')');
    case ReadStatus::ReadFailed:
        inputError(path, u"reading the script failed part-way"_s);
    }
    return read;
}

} // namespace

ScriptReadResult readScriptOrFail(const QString& path) {
    requireRegularFile(path, u"no such script file"_s);
    return requireRead(path, readScriptFile(path));
}

ScriptReadResult streamScriptOrFail(const QString& path, const RecordSink& sink) {
    requireRegularFile(path, u"no such script file"_s);
    return requireRead(path, streamScriptFile(path, sink));
}

void loadCatalogueOrFail(CatalogueDb& db, const QString& path) {
    requireRegularFile(path, u"no such catalogue file"_s);
    const CatalogueLoadResult loaded = db.load(path);
    QString reason = loaded.detail;
    switch (loaded.readerFailure) {
    case CatalogueReaderFailure::None:
        break;
    case CatalogueReaderFailure::TimedOut:
        reason = u"reading timed out"_s;
        break;
    case CatalogueReaderFailure::OutOfMemory:
        reason = u"reading ran out of memory"_s;
        break;
    case CatalogueReaderFailure::Crashed:
        reason = u"the reading process crashed"_s;
        break;
    case CatalogueReaderFailure::NotStarted:
        reason = u"vendwright-import cannot be started"_s;
        break;
    case CatalogueReaderFailure::HoldsView:
        reason = u"it holds the view "_s + echoed(loaded.object) + u"; only tables are read"_s;
        break;
    case CatalogueReaderFailure::HoldsTrigger:
        reason = u"it holds the trigger "_s + echoed(loaded.object) + u"; only tables are read"_s;
        break;
    case CatalogueReaderFailure::HoldsVirtualTable:
        reason =
            u"it holds the virtual table "_s + echoed(loaded.object) + u"; only tables are read"_s;
        break;
    }
    const QString detail = reason.isEmpty() ? QString() : u" ("_s + reason + u')';
    switch (loaded.status) {
    case CatalogueLoadStatus::Ok:
        return;
    case CatalogueLoadStatus::Missing:
        inputError(path, u"no such catalogue file"_s);
    case CatalogueLoadStatus::Unreadable:
        inputError(path, u"cannot read the catalogue"_s + detail);
    case CatalogueLoadStatus::Unrecognised:
        inputError(path, u"not an Access or SQLite catalogue"_s + detail);
    }
}

void requireAnswers(const CatalogueLookups& lookups) {
    if (lookups.failed())
        throw CliError{ExitInput, u"catalogue query failed: "_s + lookups.error()};
}

QString readUtf8FileOrFail(const QString& path) {
    requireRegularFile(path, u"no such file"_s);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        inputError(path, u"cannot open the file ("_s + file.errorString() + u')');
    return readUtf8OrFail(file, path);
}

QString readUtf8OrFail(QIODevice& device, const QString& path) {
    const std::optional<QByteArray> bytes = readToEnd(device);
    if (!bytes)
        inputError(path, u"reading the file failed part-way ("_s + device.errorString() + u')');
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(*bytes);
    if (decoder.hasError())
        inputError(path, u"not UTF-8 text"_s);
    return text;
}

} // namespace vw::cli
