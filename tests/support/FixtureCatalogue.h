#pragma once

#include "TestFiles.h"
#include "catalogue/CatalogueDb.h"
#include "script/ScriptReader.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <sqlite3.h>

namespace vw::test {

// The fixture catalogue (tests/fixtures/catalogue.sql) as an SQLite file, loaded into `db`.
inline bool loadFixtureCatalogue(CatalogueDb& db) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("catalogue.sqlite"));
    const QByteArray sql = readFile(QStringLiteral(VW_FIXTURES_DIR "/catalogue.sql"));
    sqlite3* made = nullptr;
    sqlite3_open(path.toUtf8().constData(), &made);
    const bool written =
        sqlite3_exec(made, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(made);
    return written && db.load(path).status == CatalogueLoadStatus::Ok;
}

// The records and report of a script given as lines.
inline ScriptReadResult readLines(const QStringList& lines) {
    QByteArray bytes = scriptBytes(lines);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return readScript(buffer);
}

} // namespace vw::test
