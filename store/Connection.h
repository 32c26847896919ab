#pragma once

#include "store/Sqlite.h"

#include <QObject>
#include <QString>
#include <memory>

// The one connection to data.mdb (the ADOConnection1 role): opened from a connection string, kept open,
// shared by both datasets.
class Connection : public QObject
{
    Q_OBJECT

public:
    explicit Connection(QObject* parent = nullptr);
    ~Connection() override;

    void setConnectionString(const QString& connectionString);
    QString connectionString() const { return m_connectionString; }

    // Opens the database file the string names, keyed with its password; throws the engine's text.
    void open();
    void close() noexcept;
    bool isOpen() const { return m_db != nullptr; }
    // The open database; throws when the connection is closed.
    SqliteDatabase& database() const;

private:
    QString m_connectionString;
    std::unique_ptr<SqliteDatabase> m_db;
};
