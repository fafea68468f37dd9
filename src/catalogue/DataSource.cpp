#include "DataSource.h"

#include "CatalogueDb.h"

#include <sqlite3.h>

namespace vw {

namespace {

bool isIdentifierChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

} // namespace

QString toSqliteDialect(const QString& sql) {
    // LEFT is a join keyword to SQLite's parser, so the Access function left(text, n) only
    // parses as a quoted name. Quoted texts and names are passed over untouched.
    QString out;
    out.reserve(sql.size() + 8);
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"' || c == u'[') {
            const QChar close = c == u'[' ? QChar(u']') : c;
            qsizetype end = sql.indexOf(close, i + 1);
            end = end < 0 ? n : end + 1;
            out += QStringView(sql).sliced(i, end - i);
            i = end;
            continue;
        }
        if (isIdentifierChar(c)) {
            qsizetype end = i;
            while (end < n && isIdentifierChar(sql[end]))
                ++end;
            const QStringView word = QStringView(sql).sliced(i, end - i);
            qsizetype next = end;
            while (next < n && sql[next].isSpace())
                ++next;
            const bool call = next < n && sql[next] == u'(';
            const bool startsWord = i == 0 || !isIdentifierChar(sql[i - 1]);
            if (call && startsWord && word.compare(u"left", Qt::CaseInsensitive) == 0)
                out += u'[' + word.toString() + u']';
            else
                out += word;
            i = end;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

DataSource::DataSource(CatalogueDb& db) : db_(db) {}

DataSource::~DataSource() {
    finish();
}

void DataSource::finish() {
    sqlite3_finalize(statement_);
    statement_ = nullptr;
    prepared_.clear();
    preparedFor_ = nullptr;
    columnNames_.clear();
    atEnd_ = true;
}

bool DataSource::run(const QString& sql, const QStringList& values) {
    error_.clear();
    atEnd_ = true;
    if (!db_.handle()) {
        finish();
        error_ = QStringLiteral("no catalogue database");
        return false;
    }
    // The same statement again, as a look-up per record or per item runs it, is bound anew
    // instead of parsed anew. A catalogue loaded since has a new connection.
    if (statement_ && sql == prepared_ && preparedFor_ == db_.handle()) {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    } else if (!prepare(sql)) {
        return false;
    }
    for (int i = 0; i < static_cast<int>(values.size()); ++i) {
        const QString& value = values[i];
        sqlite3_bind_text16(statement_, i + 1, value.utf16(), static_cast<int>(value.size() * 2),
                            SQLITE_TRANSIENT);
    }
    step();
    return error_.isEmpty();
}

bool DataSource::prepare(const QString& sql) {
    finish();
    const QString text = toSqliteDialect(sql);
    if (sqlite3_prepare16_v2(db_.handle(), text.utf16(), static_cast<int>(text.size() * 2),
                             &statement_, nullptr) != SQLITE_OK) {
        error_ = QString::fromUtf8(sqlite3_errmsg(db_.handle()));
        finish();
        return false;
    }
    prepared_ = sql;
    preparedFor_ = db_.handle();
    const int count = sqlite3_column_count(statement_);
    for (int i = 0; i < count; ++i) {
        const auto* name = static_cast<const char16_t*>(sqlite3_column_name16(statement_, i));
        columnNames_.push_back(name ? QString::fromUtf16(name) : QString());
    }
    return true;
}

void DataSource::step() {
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW) {
        atEnd_ = false;
        return;
    }
    if (rc != SQLITE_DONE)
        error_ = QString::fromUtf8(sqlite3_errmsg(db_.handle()));
    atEnd_ = true;
}

void DataSource::advance() {
    if (!atEnd_)
        step();
}

int DataSource::columnIndex(QStringView name) const {
    for (size_t i = 0; i < columnNames_.size(); ++i) {
        if (QStringView(columnNames_[i]).compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    // A qualified column without an alias is named by its bare column name.
    for (size_t i = 0; i < columnNames_.size(); ++i) {
        const QStringView column(columnNames_[i]);
        const qsizetype dot = column.lastIndexOf(u'.');
        if (dot >= 0 && column.sliced(dot + 1).compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

QString DataSource::field(int column) const {
    if (atEnd_ || column < 0 || column >= static_cast<int>(columnNames_.size()))
        return {};
    switch (sqlite3_column_type(statement_, column)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QString::number(sqlite3_column_int64(statement_, column));
    case SQLITE_FLOAT:
        return QString::number(sqlite3_column_double(statement_, column), 'g', 15);
    default: {
        const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(statement_, column));
        const int bytes = sqlite3_column_bytes16(statement_, column);
        return QString::fromUtf16(text, bytes / 2);
    }
    }
}

bool DataSource::isNull(QStringView name) const {
    const int column = atEnd_ ? -1 : columnIndex(name);
    return column < 0 || sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

} // namespace vw
