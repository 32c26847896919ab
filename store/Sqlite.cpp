#include "store/Sqlite.h"

#include "store/StoreErrors.h"

#include <QFile>
#include <QFileInfo>
#include <unistd.h>

SqliteDatabase::SqliteDatabase(const QString& path, const QString& password, Mode mode)
{
    const QFileInfo file(path);
    m_folder = file.absolutePath();
    sqlite3* raw = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (mode == Mode::Create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(file.absoluteFilePath().toUtf8().constData(), &raw, flags, nullptr);
    m_db.reset(raw);
    if (rc != SQLITE_OK)
        throw providerError(QString::fromUtf8(m_db ? sqlite3_errmsg(handle()) : sqlite3_errstr(rc)));
    const QByteArray key = password.toUtf8();
    check(sqlite3_key(handle(), key.constData(), int(key.size())));
    check(sqlite3_busy_timeout(handle(), 2000));
    if (mode == Mode::OpenExisting)
        execute(QStringLiteral("SELECT count(*) FROM sqlite_master"));
}

void SqliteDatabase::check(int rc) const
{
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE)
        return;
    // Once the file is open, the only file the engine can fail to open is the journal beside it.
    if ((rc & 0xff) == SQLITE_CANTOPEN && ::access(QFile::encodeName(m_folder).constData(), W_OK) != 0)
        throw providerError(
            QStringLiteral("Cannot save changes: the folder '%1' of the database is not writable")
                .arg(m_folder));
    throw providerError(QString::fromUtf8(sqlite3_errmsg(handle())));
}

void SqliteDatabase::execute(const QString& sql)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(handle(), sql.toUtf8().constData(), nullptr, nullptr, &message);
    const std::unique_ptr<char, decltype(&sqlite3_free)> owned(message, &sqlite3_free);
    check(rc);
}

SqliteStatement::SqliteStatement(SqliteDatabase& db, const QString& sql) : m_db(db)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(db.handle(), utf8.constData(), int(utf8.size()), &raw, nullptr);
    m_statement.reset(raw);
    db.check(rc);
}

void SqliteStatement::bind(int index, const QVariant& value)
{
    sqlite3_stmt* statement = m_statement.get();
    int rc = SQLITE_OK;
    switch (value.isNull() ? QMetaType::UnknownType : value.typeId()) {
    case QMetaType::UnknownType:
        rc = sqlite3_bind_null(statement, index);
        break;
    case QMetaType::LongLong:
    case QMetaType::Int:
        rc = sqlite3_bind_int64(statement, index, value.toLongLong());
        break;
    case QMetaType::Double:
        rc = sqlite3_bind_double(statement, index, value.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        rc = sqlite3_bind_blob64(statement, index, bytes.constData(), sqlite3_uint64(bytes.size()),
                                 SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray utf8 = value.toString().toUtf8();
        rc = sqlite3_bind_text64(statement, index, utf8.constData(), sqlite3_uint64(utf8.size()),
                                 SQLITE_TRANSIENT, SQLITE_UTF8);
        break;
    }
    }
    m_db.check(rc);
}

bool SqliteStatement::step()
{
    const int rc = sqlite3_step(m_statement.get());
    m_db.check(rc);
    return rc == SQLITE_ROW;
}

SqliteStatement::Outcome SqliteStatement::exec()
{
    while (step()) {
    }
    sqlite3* db = m_db.handle();
    return Outcome{sqlite3_changes(db), sqlite3_last_insert_rowid(db)};
}

int SqliteStatement::columnCount() const
{
    return sqlite3_column_count(m_statement.get());
}

QString SqliteStatement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_statement.get(), column));
}

QString SqliteStatement::declaredType(int column) const
{
    const char* type = sqlite3_column_decltype(m_statement.get(), column);
    return type ? QString::fromUtf8(type) : QString();
}

bool SqliteStatement::isNull(int column) const
{
    return sqlite3_column_type(m_statement.get(), column) == SQLITE_NULL;
}

qint64 SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement.get(), column);
}

QString SqliteStatement::text(int column) const
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_statement.get(), column));
    return QString::fromUtf8(data, sqlite3_column_bytes(m_statement.get(), column));
}

QVariant SqliteStatement::value(int column) const
{
    sqlite3_stmt* statement = m_statement.get();
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, column));
    case SQLITE_TEXT:
        return QVariant(text(column));
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(statement, column));
        return QVariant(QByteArray(data, sqlite3_column_bytes(statement, column)));
    }
    default:
        return QVariant();
    }
}

SqliteTransaction::SqliteTransaction(SqliteDatabase& db) : m_db(db)
{
    m_db.execute(QStringLiteral("BEGIN IMMEDIATE"));
}

SqliteTransaction::~SqliteTransaction()
{
    // The engine may have rolled back by itself (a full disk, an I/O error); a failed rollback leaves the
    // transaction open, and the next BEGIN reports it.
    if (m_open && !sqlite3_get_autocommit(m_db.handle()))
        sqlite3_exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteTransaction::commit()
{
    m_db.execute(QStringLiteral("COMMIT"));
    m_open = false;
}
