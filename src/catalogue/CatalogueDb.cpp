#include "CatalogueDb.h"

#include "AccessReader.h"
#include "Statements.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace vw {

namespace {

// left(text, n): the first n characters, as the Access function gives them.
void sqlLeft(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL || sqlite3_value_type(args[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = static_cast<const char16_t*>(sqlite3_value_text16(args[0]));
    const int units = sqlite3_value_bytes16(args[0]) / 2;
    const QStringView value(text, units);
    qsizetype want = std::max<sqlite3_int64>(0, sqlite3_value_int64(args[1]));
    qsizetype end = 0;
    for (; end < value.size() && want > 0; --want)
        end += (value[end].isHighSurrogate() && end + 1 < value.size()) ? 2 : 1;
    sqlite3_result_text16(context, text, static_cast<int>(end * 2), SQLITE_TRANSIENT);
}

sqlite3* openMemoryDb() {
    sqlite3* db = nullptr;
    if (sqlite3_open(":memory:", &db) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_create_function_v2(db, "left", 2, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr, sqlLeft,
                               nullptr, nullptr, nullptr);
    return db;
}

void createIndexes(sqlite3* db) {
    for (const QString& statement : sql::catalogueIndexes())
        sqlite3_exec(db, statement.toUtf8().constData(), nullptr, nullptr, nullptr);
}

bool isAccessHeader(const QByteArray& head) {
    return head.size() >= 19 &&
           (head.mid(4, 15) == "Standard Jet DB" || head.mid(4, 15) == "Standard ACE DB");
}

} // namespace

CatalogueDb::CatalogueDb() : db_(openMemoryDb()) {}

CatalogueDb::~CatalogueDb() {
    sqlite3_close_v2(db_);
}

CatalogueLoadResult CatalogueDb::load(const QString& path) {
    if (!QFileInfo(path).isFile())
        return {CatalogueLoadStatus::Missing, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {CatalogueLoadStatus::Unreadable, file.errorString()};
    QByteArray head(32, '\0');
    const qint64 got = file.read(head.data(), head.size());
    if (got < 0)
        return {CatalogueLoadStatus::Unreadable, file.errorString()};
    head.truncate(got);
    file.close();

    sqlite3* fresh = openMemoryDb();
    if (!fresh)
        return {CatalogueLoadStatus::Unreadable, QStringLiteral("out of memory")};
    const CatalogueLoadResult result =
        head.startsWith(QByteArrayView("SQLite format 3\0", 16)) || isAccessHeader(head)
            ? readCatalogueInChild(path, fresh)
            : CatalogueLoadResult{CatalogueLoadStatus::Unrecognised,
                                  QStringLiteral("unknown file header")};
    if (result.status != CatalogueLoadStatus::Ok) {
        sqlite3_close(fresh);
        return result;
    }
    createIndexes(fresh);
    sqlite3_close_v2(db_);
    db_ = fresh;
    loaded_ = true;
    return {};
}

QString sqlQuoted(QStringView value) {
    QString quoted;
    quoted.reserve(value.size() + 2);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\'') {
            quoted += QStringLiteral("''");
        } else if (c.isHighSurrogate() && i + 1 < value.size() && value[i + 1].isLowSurrogate()) {
            quoted += c;
            quoted += value[++i];
        } else if (c.isNull() || c.isSurrogate()) {
            // The statement text cannot carry these: a NUL ends it, and SQLite takes the unit
            // after a lone surrogate for its partner, a closing quote included. The engine
            // builds the character itself, and the value stays plain text.
            quoted +=
                QStringLiteral("'||char(") + QString::number(c.unicode()) + QStringLiteral(")||'");
        } else {
            quoted += c;
        }
    }
    return quoted;
}

} // namespace vw
