#pragma once

#include "store/Field.h"
#include "store/Sqlite.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// A row as the engine holds it: its rowid and its values unconverted, so that a later change finds the row
// again by exactly what was read.
struct StoredRow
{
    qint64 rowid = 0;
    QVector<QVariant> values;
};

struct QueryResult
{
    QVector<FieldDef> fields;
    QVector<StoredRow> rows;
};

// Runs any query; its rows carry no rowid and cannot be written back.
QueryResult readQuery(SqliteDatabase& db, const QString& sql);

// The SQL that reads one table and writes its rows back. A change locates its row the way an optimistic
// record set does: by the rowid and every value as it was read, so a row that another program changed,
// deleted or replaced under the same rowid is never touched; the change then fails and the file stays
// as it was.
class TableWriter
{
public:
    // The table of a plain "select * from <table>"; empty for any other query.
    static QString tableOf(const QString& sql);

    explicit TableWriter(QString table) : m_table(std::move(table)) {}

    // Every row with its rowid; which columns the table requires is read from its declaration.
    QueryResult readAll(SqliteDatabase& db);

    // Each writes and reads the stored row back in one transaction: either both happen or neither.
    StoredRow insert(SqliteDatabase& db, const QList<int>& columns, const QVector<QVariant>& values);
    QVector<QVariant> update(SqliteDatabase& db, const StoredRow& asRead, const QList<int>& columns,
                             const QVector<QVariant>& values);
    void remove(SqliteDatabase& db, const StoredRow& asRead);

private:
    QString located() const;
    void bindLocation(SqliteStatement& statement, int first, const StoredRow& asRead) const;
    QVector<QVariant> reread(SqliteDatabase& db, qint64 rowid) const;

    QString m_table;
    QStringList m_columns;
};
