#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <sqlite3.h>

// Thin RAII layer over the SQLCipher C API: a database owns its handle, a statement its prepared statement,
// a transaction rolls back unless committed, and every status the engine returns goes through check(),
// which throws a Failure carrying the engine's text.

class SqliteDatabase
{
public:
    enum class Mode
    {
        OpenExisting, // never creates a file: a missing one is a failure, not a new empty database
        Create,
    };

    // Opens the file and keys it with the password. The key is only tried when the file is first read, so
    // the schema is read here: a wrong key or a file that is not a database fails now, not on first use.
    SqliteDatabase(const QString& path, const QString& password, Mode mode);

    // Returns when rc reports success (OK, ROW or DONE); otherwise throws the engine's message.
    void check(int rc) const;
    // Runs statements that return no rows (schema scripts, transaction control).
    void execute(const QString& sql);
    sqlite3* handle() const { return m_db.get(); }

private:
    struct Closer
    {
        void operator()(sqlite3* db) const noexcept { sqlite3_close_v2(db); }
    };

    std::unique_ptr<sqlite3, Closer> m_db;
    QString m_folder;
};

class SqliteStatement
{
public:
    struct Outcome
    {
        int changes = 0;      // rows the statement inserted, updated or deleted
        qint64 lastRowid = 0; // the rowid of the connection's last insert
    };

    SqliteStatement(SqliteDatabase& db, const QString& sql);

    // Binds null, a whole number, a double, a QByteArray as a blob, anything else as text.
    void bind(int index, const QVariant& value);
    // Advances to the next row; false when there is none.
    bool step();
    // Runs a statement that returns no rows to its end.
    Outcome exec();

    int columnCount() const;
    QString columnName(int column) const;
    QString declaredType(int column) const;
    bool isNull(int column) const;
    qint64 integer(int column) const;
    QString text(int column) const;
    // The value as the engine holds it: null, qint64, double, QString or QByteArray.
    QVariant value(int column) const;

private:
    struct Finalizer
    {
        void operator()(sqlite3_stmt* statement) const noexcept { sqlite3_finalize(statement); }
    };

    SqliteDatabase& m_db;
    std::unique_ptr<sqlite3_stmt, Finalizer> m_statement;
};

// BEGIN IMMEDIATE: the write lock is taken at the start, so a busy file refuses the whole change at once.
class SqliteTransaction
{
public:
    explicit SqliteTransaction(SqliteDatabase& db);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;

    void commit();

private:
    SqliteDatabase& m_db;
    bool m_open = true;
};
