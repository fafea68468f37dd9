#pragma once

#include <QString>
#include <QStringList>

#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace vw {

class CatalogueDb;

// The one query object every catalogue statement runs through. It holds one current result,
// positioned on a row or at its end; running a statement replaces it. A reader walks it with
// atEnd / field / advance, reading fields by their result-column name.
class DataSource {
public:
    explicit DataSource(CatalogueDb& db);
    ~DataSource();
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    // Runs the statement and positions on its first row. `values` are bound to its parameters
    // ?1, ?2, … as text: whatever a user typed reaches the engine as a value, never as SQL.
    // False when the engine refuses it or fails on the first row; errorText() then has the
    // engine's words and the result is empty.
    bool run(const QString& sql, const QStringList& values = {});
    const QString& errorText() const { return error_; }

    bool atEnd() const { return atEnd_; }
    // The value's text: text as stored, a whole number as its decimal digits, Null as "".
    // The name is matched without regard to letter case, as Access field names are.
    QString field(QStringView name) const { return field(columnIndex(name)); }
    bool isNull(QStringView name) const;
    void advance();

    // For readers of many rows: resolve a name once, then read by position (-1: no such column).
    int columnIndex(QStringView name) const;
    QString field(int column) const;

private:
    bool prepare(const QString& sql);
    void step();
    void finish();

    CatalogueDb& db_;
    sqlite3_stmt* statement_ = nullptr;
    QString prepared_;               // the program's text of statement_
    sqlite3* preparedFor_ = nullptr; // the connection statement_ belongs to
    std::vector<QString> columnNames_;
    bool atEnd_ = true;
    QString error_;
};

// The statement as SQLite parses it: the program's statements are written for the Access engine.
QString toSqliteDialect(const QString& sql);

} // namespace vw
