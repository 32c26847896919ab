#pragma once

#include <QString>
#include <QTemporaryDir>

// A folder of its own holding a real keyed data.mdb, made from the shipped schema or from given SQL.
class TestDatabase
{
public:
    TestDatabase();                            // the shipped schema and its initial remarks row
    explicit TestDatabase(const QString& sql); // exactly the given script

    QString folder() const { return m_dir.path(); }
    QString path() const { return m_dir.filePath(QStringLiteral("data.mdb")); }
    QString connectionString() const;

    // Runs SQL directly against the file, outside any dataset.
    void execute(const QString& sql) const;
    // Every row of a query, each row's columns joined by "|" (NULL written as "<null>").
    QStringList rows(const QString& sql) const;

    static QString shippedSchema();

private:
    QTemporaryDir m_dir;
};
