#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <sqlite3.h>

// Thin RAII layer over the SQLCipher C API: every handle and statement is released by its owner, and
// every engine failure becomes a Failure carrying the engine's text.

struct SqliteCloser
{
    void operator()(sqlite3* db) const noexcept { sqlite3_close_v2(db); }
};
using SqliteHandle = std::unique_ptr<sqlite3, SqliteCloser>;

[[noreturn]] void throwEngineError(sqlite3* db);

// Runs statements that return no rows (schema scripts, pragmas).
void executeScript(sqlite3* db, const QString& sql);

class SqliteStatement
{
public:
    SqliteStatement(sqlite3* db, const QString& sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    void bind(int index, const QVariant& value);
    // Advances to the next row; false when there is none.
    bool step();

    int columnCount() const;
    QString columnName(int column) const;
    QString declaredType(int column) const;
    bool isNull(int column) const;
    qint64 integer(int column) const;
    double real(int column) const;
    QString text(int column) const;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
};
