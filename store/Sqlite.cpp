#include "store/Sqlite.h"

#include "store/StoreErrors.h"

void throwEngineError(sqlite3* db)
{
    throw providerError(QString::fromUtf8(sqlite3_errmsg(db)));
}

void executeScript(sqlite3* db, const QString& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString text = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
        sqlite3_free(message);
        throw providerError(text);
    }
}

SqliteStatement::SqliteStatement(sqlite3* db, const QString& sql) : m_db(db)
{
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_statement, nullptr) != SQLITE_OK)
        throwEngineError(db);
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

void SqliteStatement::bind(int index, const QVariant& value)
{
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_statement, index);
    } else if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int) {
        rc = sqlite3_bind_int64(m_statement, index, value.toLongLong());
    } else if (value.typeId() == QMetaType::Double) {
        rc = sqlite3_bind_double(m_statement, index, value.toDouble());
    } else {
        const QByteArray utf8 = value.toString().toUtf8();
        rc = sqlite3_bind_text(m_statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK)
        throwEngineError(m_db);
}

bool SqliteStatement::step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throwEngineError(m_db);
}

int SqliteStatement::columnCount() const
{
    return sqlite3_column_count(m_statement);
}

QString SqliteStatement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_statement, column));
}

QString SqliteStatement::declaredType(int column) const
{
    const char* type = sqlite3_column_decltype(m_statement, column);
    return type ? QString::fromUtf8(type) : QString();
}

bool SqliteStatement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

qint64 SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

double SqliteStatement::real(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

QString SqliteStatement::text(int column) const
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return QString::fromUtf8(data, sqlite3_column_bytes(m_statement, column));
}
