#include "store/Connection.h"
#include "store/DatabaseFile.h"
#include "store/DatabaseLocation.h"
#include "tests/support/TestDatabase.h"
#include "text/Failure.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {
std::string openFailure(const QString& connectionString)
{
    Connection connection;
    connection.setConnectionString(connectionString);
    try {
        connection.open();
    } catch (const Failure& failure) {
        EXPECT_FALSE(connection.isOpen());
        return failure.message().toStdString();
    }
    return "opened";
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(Connection, OpensTheShippedFileWithItsPassword)
{
    TestDatabase db;
    Connection connection;
    connection.setConnectionString(db.connectionString());
    connection.open();
    EXPECT_TRUE(connection.isOpen());
    connection.close();
    EXPECT_FALSE(connection.isOpen());
}

TEST(Connection, RefusesFilesThatAreNotTheDatabase)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.mdb"));
    const QString connection = DatabaseLocation::connectionString(path);

    EXPECT_EQ(openFailure(connection), "Could not find file '" + path.toStdString() + "'");
    EXPECT_FALSE(QFile::exists(path)) << "a failed open must not create the file";

    writeFile(path, QByteArray());
    EXPECT_EQ(openFailure(connection), "file is encrypted or is not a database");
    EXPECT_EQ(QFile(path).size(), 0) << "an empty file must not be turned into a database";

    writeFile(path, "just some notes the clerk saved here\n");
    EXPECT_EQ(openFailure(connection), "file is encrypted or is not a database");

    std::mt19937 random(7);
    QByteArray noise(8192, '\0');
    for (char& byte : noise)
        byte = char(random());
    writeFile(path, noise);
    EXPECT_EQ(openFailure(connection), "file is encrypted or is not a database");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), noise) << "the file must be left exactly as it was";
}

TEST(Connection, RefusesAFileKeyedWithAnotherPassword)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.mdb"));
    DatabaseFile::createIfMissing(path, TestDatabase::shippedSchema(), QStringLiteral("111111"));
    EXPECT_EQ(openFailure(DatabaseLocation::connectionString(path)),
              "file is encrypted or is not a database");
}

TEST(Connection, RefusesAnotherProvider)
{
    TestDatabase db;
    QString text = db.connectionString();
    text.replace(QStringLiteral("Microsoft.Jet.OLEDB.4.0"), QStringLiteral("SQLOLEDB"));
    EXPECT_EQ(openFailure(text), "Provider cannot be found. It may not be properly installed");
    EXPECT_EQ(openFailure(QString()), "Provider cannot be found. It may not be properly installed");
}

TEST(DatabaseFile, NeverReplacesAnExistingFile)
{
    TestDatabase db;
    db.execute(QStringLiteral("INSERT INTO xiaoshou VALUES ('学费', 300)"));
    EXPECT_FALSE(DatabaseFile::createIfMissing(db.path(), TestDatabase::shippedSchema()));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT * FROM xiaoshou")), QStringList{QStringLiteral("学费|300")});
}

TEST(DatabaseFile, ShipsTheInitialRemarksRow)
{
    TestDatabase db;
    EXPECT_EQ(db.rows(QStringLiteral("SELECT * FROM beizhu")),
              QStringList{QStringLiteral("QQ:80012345|可以支付宝购买，安全.|018")});
    EXPECT_TRUE(db.rows(QStringLiteral("SELECT * FROM xiaoshou")).isEmpty());
}

TEST(DatabaseFile, AFailedScriptLeavesNoFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.mdb"));
    EXPECT_THROW(DatabaseFile::createIfMissing(path, QStringLiteral("CREATE TABLE broken (")), Failure);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".new"))) << "nor the half-built one";
}
} // namespace
