#include "Inputs.h"

#include "CliError.h"
#include "catalogue/CatalogueDb.h"
#include "catalogue/Lookups.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

namespace {

[[noreturn]] void inputError(const QString& path, const QString& problem) {
    throw CliError{ExitInput, path + u": "_s + problem};
}

} // namespace

ScriptReadResult readScriptOrFail(const QString& path) {
    // A missing file and an unreadable one both reach the reader as "cannot open".
    if (!QFileInfo(path).isFile())
        inputError(path, u"no such script file"_s);
    ScriptReadResult read = readScriptFile(path);
    switch (read.status) {
    case ReadStatus::Ok:
        break;
    case ReadStatus::OpenFailed:
        inputError(path, u"cannot open the script"_s);
    case ReadStatus::NotUtf16:
        inputError(path, u"not a UTF-16LE script (a text in another encoding must be converted "
                         u"first)"_s);
    case ReadStatus::ReadFailed:
        inputError(path, u"reading the script failed part-way"_s);
    }
    return read;
}

void loadCatalogueOrFail(CatalogueDb& db, const QString& path) {
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
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        inputError(path, u"cannot open the file"_s);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        inputError(path, u"reading the file failed"_s);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    if (decoder.hasError())
        inputError(path, u"not UTF-8 text"_s);
    return text;
}

} // namespace vw::cli
