#include "store/Connection.h"

#include "store/DatabaseLocation.h"
#include "store/Provider.h"
#include "store/StoreErrors.h"

#include <QFileInfo>

namespace {
// The smallest database file is one page, and every file is made of whole pages of a multiple of this.
constexpr qint64 kSmallestPage = 512;
} // namespace

Connection::Connection(QObject* parent) : QObject(parent) {}

Connection::~Connection() = default;

void Connection::setConnectionString(const QString& connectionString)
{
    m_connectionString = connectionString;
}

void Connection::open()
{
    if (m_db)
        return;
    const auto settings = DatabaseLocation::parseConnectionString(m_connectionString);
    if (settings.provider != Provider::name)
        throw providerError(QStringLiteral("Provider cannot be found. It may not be properly installed."));
    if (settings.dataSource.isEmpty())
        throw providerError(QStringLiteral("No data source was given"));
    const QFileInfo file(settings.dataSource);
    if (!file.exists())
        throw providerError(QStringLiteral("Could not find file '%1'.").arg(settings.dataSource));
    // Decided from the file's status alone: a FIFO is never opened (a read would wait for a writer), and an
    // empty or cut file is never taken for a new database and written over.
    if (!file.isFile() || file.size() < kSmallestPage || file.size() % kSmallestPage != 0)
        throw providerError(QString::fromUtf8(sqlite3_errstr(SQLITE_NOTADB)));
    m_db = std::make_unique<SqliteDatabase>(settings.dataSource, settings.password,
                                            SqliteDatabase::Mode::OpenExisting);
}

void Connection::close() noexcept
{
    m_db.reset();
}

SqliteDatabase& Connection::database() const
{
    if (!m_db)
        throw providerError(QStringLiteral("Connection is closed"));
    return *m_db;
}
