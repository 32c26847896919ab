#pragma once

#include "store/Sqlite.h"

#include <QObject>
#include <QString>

// The one connection to data.mdb (the ADOConnection1 role): opened from a connection string, kept open,
// shared by both datasets.
class Connection : public QObject
{
    Q_OBJECT

public:
    explicit Connection(QObject* parent = nullptr);

    void setConnectionString(const QString& connectionString);
    QString connectionString() const { return m_connectionString; }

    // Opens the database file the string names, keyed with its password; throws the engine's text.
    void open();
    void close() noexcept;
    bool isOpen() const { return m_db != nullptr; }
    sqlite3* handle() const { return m_db.get(); }

private:
    QString m_connectionString;
    SqliteHandle m_db;
};
