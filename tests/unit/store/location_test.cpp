#include "store/DatabaseLocation.h"

#include <gtest/gtest.h>

namespace {
struct LocationCase
{
    const char* executable;
    char separator;
    const char* database;
};

void PrintTo(const LocationCase& c, std::ostream* out)
{
    *out << c.executable;
}

class DatabasePath : public testing::TestWithParam<LocationCase>
{
};

TEST_P(DatabasePath, FollowsTheExecutablesFolder)
{
    const LocationCase& c = GetParam();
    EXPECT_EQ(DatabaseLocation::databasePath(QString::fromUtf8(c.executable), QLatin1Char(c.separator))
                  .toStdString(),
              c.database);
}

INSTANTIATE_TEST_SUITE_P(
    WindowsPaths, DatabasePath,
    testing::Values(LocationCase{R"(D:\Fees\app.exe)", '\\', R"(D:\Fees\data.mdb)"},
                    // a drive root keeps its backslash, so the path gets two
                    LocationCase{R"(D:\app.exe)", '\\', R"(D:\\data.mdb)"},
                    LocationCase{R"(\\server\share\app.exe)", '\\', R"(\\server\share\data.mdb)"},
                    LocationCase{R"(\app.exe)", '\\', R"(\\data.mdb)"},
                    LocationCase{R"(C:app.exe)", '\\', R"(C:\data.mdb)"},
                    LocationCase{"app.exe", '\\', R"(\data.mdb)"},
                    // 乗 ends in the byte 0x5C in code page 936; it is a character, never a separator
                    LocationCase{R"(D:\收费乗\app乗.exe)", '\\', R"(D:\收费乗\data.mdb)"},
                    LocationCase{R"(D:\收费\乗)", '\\', R"(D:\收费\data.mdb)"}));

INSTANTIATE_TEST_SUITE_P(NativePaths, DatabasePath,
                         testing::Values(LocationCase{"/opt/receipt/Receipt", '/', "/opt/receipt/data.mdb"},
                                         LocationCase{"/Receipt", '/', "//data.mdb"},
                                         LocationCase{"/srv/a:b/Receipt", '/', "/srv/a:b/data.mdb"},
                                         LocationCase{"/home/园长/收费/Receipt", '/',
                                                      "/home/园长/收费/data.mdb"}));

TEST(ConnectionString, IsThreePiecesConcatenated)
{
    EXPECT_EQ(DatabaseLocation::connectionString(QStringLiteral(R"(D:\Fees\data.mdb)")),
              QStringLiteral(R"(Provider=Microsoft.Jet.OLEDB.4.0;Data Source=D:\Fees\data.mdb;)"
                             R"(Persist Security Info=False;Jet OLEDB:Database Password='730245')"));
}

TEST(ConnectionString, ReadsBackAPathContainingSemicolons)
{
    const QString path = QStringLiteral("/srv/a;b/Persist Security Info=/data.mdb");
    const auto settings = DatabaseLocation::parseConnectionString(DatabaseLocation::connectionString(path));
    EXPECT_EQ(settings.provider, QStringLiteral("Microsoft.Jet.OLEDB.4.0"));
    EXPECT_EQ(settings.dataSource, path);
    EXPECT_EQ(settings.password, QStringLiteral("730245"));
}

TEST(ConnectionString, MalformedStringsGiveNoDataSource)
{
    for (const char* text : {"", "Provider=Microsoft.Jet.OLEDB.4.0", "Data Source=/x/data.mdb",
                             "Provider=X;Data Source=/x/data.mdb"})
        EXPECT_TRUE(DatabaseLocation::parseConnectionString(QString::fromUtf8(text)).dataSource.isEmpty())
            << text;
}
} // namespace
