// libFuzzer target over loading catalogues: any bytes, written to a file, go through the
// catalogue load and so, as an Access or an SQLite file, through the reading child process. Every
// input has to end within the child's limits with a loaded catalogue or a reported failure: a load
// that blocked would trip libFuzzer's -timeout, and any other outcome aborts. Seeded with the
// fixture catalogue, the sample SQLite catalogue and the damaged copies in
// tests/catalogue/damaged/.
#include "catalogue/AccessReader.h"
#include "catalogue/CatalogueDb.h"
#include "catalogue/DataSource.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace vw;

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("Wareroll.mdb"));
    static const bool readerSet = [] {
        setAccessReaderProgram(QStringLiteral(VW_ACCESS_READER));
        return true;
    }();
    check(readerSet);
    QFile file(path);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    check(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) ==
          static_cast<qint64>(size));
    file.close();

    CatalogueDb db;
    const CatalogueLoadResult result = db.load(path);
    if (result.status == CatalogueLoadStatus::Ok) {
        DataSource source(db);
        check(db.isLoaded() && source.run(QStringLiteral("select count(*) from sqlite_schema")));
        return 0;
    }
    check(result.status == CatalogueLoadStatus::Unrecognised && !db.isLoaded());
    check(result.readerFailure != CatalogueReaderFailure::NotStarted);
    return 0;
}
