#pragma once

#include <QChar>
#include <QString>

// Where data.mdb lies and how the connection finds it.
namespace DatabaseLocation {

// The folder of an executable path, written with the given separator: no trailing separator, except at a
// root ("D:\" for "D:\app.exe", "/" for "/app"). With backslash separators a colon also ends the folder.
QString directoryOf(const QString& executablePath, QChar separator);

// The folder, the separator and "data.mdb", joined as they stand (a root yields a doubled separator).
QString databasePath(const QString& executablePath, QChar separator);

// "Provider=...;Data Source=<path>;Persist Security Info=False;Jet OLEDB:Database Password='730245'"
QString connectionString(const QString& databasePath);

struct ConnectionSettings
{
    QString provider;
    QString dataSource;
    QString password;
};

// Reads back a connection string; the data source may itself contain ";" since it is not quoted.
ConnectionSettings parseConnectionString(const QString& connectionString);

} // namespace DatabaseLocation
