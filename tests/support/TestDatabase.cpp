#include "tests/support/TestDatabase.h"

#include "store/Connection.h"
#include "store/DatabaseFile.h"
#include "store/DatabaseLocation.h"
#include "store/Sqlite.h"

#include <QFile>

TestDatabase::TestDatabase() : TestDatabase(shippedSchema()) {}

TestDatabase::TestDatabase(const QString& sql)
{
    DatabaseFile::createIfMissing(path(), sql);
}

QString TestDatabase::shippedSchema()
{
    QFile file(QStringLiteral(RECEIPT_SCHEMA_FILE));
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll())
        .replace(QStringLiteral("${VENDOR_CONTACT}"), QStringLiteral("80012345"));
}

QString TestDatabase::connectionString() const
{
    return DatabaseLocation::connectionString(path());
}

void TestDatabase::execute(const QString& sql) const
{
    Connection connection;
    connection.setConnectionString(connectionString());
    connection.open();
    connection.database().execute(sql);
}

QStringList TestDatabase::rows(const QString& sql) const
{
    Connection connection;
    connection.setConnectionString(connectionString());
    connection.open();
    SqliteStatement statement(connection.database(), sql);
    QStringList result;
    while (statement.step()) {
        QStringList columns;
        for (int c = 0; c < statement.columnCount(); ++c)
            columns.append(statement.isNull(c) ? QStringLiteral("<null>") : statement.text(c));
        result.append(columns.join(QLatin1Char('|')));
    }
    return result;
}
