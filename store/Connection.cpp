#include "store/Connection.h"

#include "store/DatabaseLocation.h"
#include "store/StoreErrors.h"

#include <QFileInfo>

namespace {
const QString kProvider = QStringLiteral("Microsoft.Jet.OLEDB.4.0");

SqliteHandle openKeyed(const QString& path, const QString& password)
{
    sqlite3* raw = nullptr;
    // Never SQLITE_OPEN_CREATE: a missing file is a failure, not a new empty database.
    const int rc = sqlite3_open_v2(QFileInfo(path).absoluteFilePath().toUtf8().constData(), &raw,
                                   SQLITE_OPEN_READWRITE, nullptr);
    SqliteHandle db(raw);
    if (rc != SQLITE_OK) {
        if (!db)
            throw providerError(QString::fromUtf8(sqlite3_errstr(rc)));
        throwEngineError(db.get());
    }
    const QByteArray key = password.toUtf8();
    if (sqlite3_key(db.get(), key.constData(), int(key.size())) != SQLITE_OK)
        throwEngineError(db.get());
    sqlite3_busy_timeout(db.get(), 2000);
    // The key is only checked when the file is first read.
    executeScript(db.get(), QStringLiteral("SELECT count(*) FROM sqlite_master"));
    return db;
}
} // namespace

Connection::Connection(QObject* parent) : QObject(parent) {}

void Connection::setConnectionString(const QString& connectionString)
{
    m_connectionString = connectionString;
}

void Connection::open()
{
    if (m_db)
        return;
    const auto settings = DatabaseLocation::parseConnectionString(m_connectionString);
    if (settings.provider != kProvider)
        throw providerError(QStringLiteral("Provider cannot be found. It may not be properly installed."));
    if (settings.dataSource.isEmpty())
        throw providerError(QStringLiteral("No data source was given"));
    const QFileInfo file(settings.dataSource);
    if (!file.exists())
        throw providerError(QStringLiteral("Could not find file '%1'.").arg(settings.dataSource));
    // An empty file would be taken for a new database and silently written over.
    if (file.isFile() && file.size() == 0)
        throw providerError(QString::fromUtf8(sqlite3_errstr(SQLITE_NOTADB)));
    m_db = openKeyed(settings.dataSource, settings.password);
}

void Connection::close() noexcept
{
    m_db.reset();
}
