// Two programs on one data.mdb, each with its own connection and item list: neither may change or delete
// the other's rows without an error, and a post is stored exactly once however it fails.

#include "store/Connection.h"
#include "store/Dataset.h"
#include "tests/support/GTestQt.h"
#include "tests/support/TestDatabase.h"
#include "tests/unit/store/FailureOf.h"
#include "text/Failure.h"

#include <functional>
#include <gtest/gtest.h>

namespace {
const QString kItems = QStringLiteral("select * from xiaoshou");
const std::string kNotLocatedForUpdate =
    "Row cannot be located for updating. Some values may have been changed since it was last read";
const std::string kNotLocatedForDelete =
    "Row cannot be located for deleting. Some values may have been changed since it was last read";

// One desk: its own connection and its own fee item list.
struct Desk
{
    explicit Desk(const TestDatabase& db)
    {
        connection.setConnectionString(db.connectionString());
        items.setSql(kItems);
        items.open();
    }

    void moveToName(const QString& name)
    {
        for (items.first(); !items.eof(); items.next())
            if (items.fieldByName(QStringLiteral("品名")).asString() == name)
                return;
        ADD_FAILURE() << "no row " << name.toStdString();
    }
    void set(const char* column, const QString& text)
    {
        items.fieldByName(QString::fromUtf8(column)).setAsString(text);
    }
    void append(const QString& name, const QString& amount)
    {
        items.append();
        set("品名", name);
        set("金额", amount);
        items.post();
    }

    Connection connection;
    Dataset items{connection, QStringLiteral("ADOQuery1")};
};

class TwoDesks : public testing::Test
{
protected:
    QStringList stored() const
    {
        return db.rows(QStringLiteral("SELECT rowid, * FROM xiaoshou ORDER BY rowid"));
    }

    TestDatabase db{TestDatabase::shippedSchema() +
                    QStringLiteral(";INSERT INTO xiaoshou VALUES ('r1', 1), ('r2', 2), ('r3', 3)")};
    Desk a{db};
    Desk b{db};
};

TEST_F(TwoDesks, AStaleRowIsNeverWrittenOverWhenItsRowidWasReused)
{
    b.moveToName(QStringLiteral("r3"));
    b.items.remove();
    b.append(QStringLiteral("b-new"), QStringLiteral("30"));
    const QStringList afterB = stored();
    ASSERT_EQ(afterB.last(), QStringLiteral("3|b-new|30")) << "the engine hands out rowid 3 again";

    a.moveToName(QStringLiteral("r3"));
    a.items.edit();
    a.set("金额", QStringLiteral("99"));
    EXPECT_EQ(failureOf([&] { a.items.post(); }), kNotLocatedForUpdate);
    EXPECT_EQ(a.items.state(), Dataset::State::Edit) << "the change stays pending, not lost";
    EXPECT_EQ(stored(), afterB);

    a.items.cancel();
    EXPECT_EQ(failureOf([&] { a.items.remove(); }), kNotLocatedForDelete);
    EXPECT_EQ(a.items.rowCount(), 3) << "a row that was not deleted stays in the list";
    EXPECT_EQ(stored(), afterB);
}

TEST_F(TwoDesks, ARowChangedByTheOtherDeskIsNeitherUpdatedNorDeleted)
{
    b.moveToName(QStringLiteral("r2"));
    b.items.edit();
    b.set("金额", QStringLiteral("20"));
    b.items.post();
    const QStringList afterB = stored();

    a.moveToName(QStringLiteral("r2"));
    a.items.edit();
    a.set("品名", QStringLiteral("a-name"));
    EXPECT_EQ(failureOf([&] { a.items.post(); }), kNotLocatedForUpdate);
    a.items.cancel();
    EXPECT_EQ(failureOf([&] { a.items.remove(); }), kNotLocatedForDelete);
    EXPECT_EQ(stored(), afterB);

    // Read again, the same desk changes the row as it now stands.
    a.items.close();
    a.items.open();
    a.moveToName(QStringLiteral("r2"));
    a.items.remove();
    EXPECT_EQ(stored(), (QStringList{QStringLiteral("1|r1|1"), QStringLiteral("3|r3|3")}));
}

TEST_F(TwoDesks, EachDeskKeepsChangingItsOwnRows)
{
    a.append(QStringLiteral("a4"), QStringLiteral("4"));
    a.items.edit();
    a.set("金额", QStringLiteral("4.5"));
    a.items.post();
    a.items.edit();
    a.set("品名", QStringLiteral("a4'"));
    a.items.post();
    b.moveToName(QStringLiteral("r1"));
    b.items.remove();
    a.items.remove();
    EXPECT_EQ(stored(), (QStringList{QStringLiteral("2|r2|2"), QStringLiteral("3|r3|3")}));
}

TEST_F(TwoDesks, APostWhileTheOtherDeskHoldsTheWriteLockIsRefusedAndStoredOnceLater)
{
    b.connection.database().execute(QStringLiteral("BEGIN IMMEDIATE"));
    a.items.append();
    a.set("品名", QStringLiteral("学费"));
    a.set("金额", QStringLiteral("300"));
    EXPECT_EQ(failureOf([&] { a.items.post(); }), "database is locked");
    EXPECT_EQ(a.items.state(), Dataset::State::Insert);
    b.connection.database().execute(QStringLiteral("COMMIT"));

    a.items.next();
    a.items.post();
    EXPECT_EQ(stored().filter(QStringLiteral("学费")), QStringList{QStringLiteral("4|学费|300")});
}

// Refuses the next SELECT the connection prepares, once: the row read back after a write.
int refuseNextSelect(void* armed, int action, const char*, const char*, const char*, const char*)
{
    auto* flag = static_cast<bool*>(armed);
    if (action != SQLITE_SELECT || !*flag)
        return SQLITE_OK;
    *flag = false;
    return SQLITE_DENY;
}

TEST_F(TwoDesks, AFailedReadBackUndoesTheWriteSoARetryStoresOneCopy)
{
    const QStringList before = stored();
    bool armed = true;
    sqlite3* handle = a.connection.database().handle();
    ASSERT_EQ(sqlite3_set_authorizer(handle, refuseNextSelect, &armed), SQLITE_OK);

    a.items.append();
    a.set("品名", QStringLiteral("学费"));
    EXPECT_EQ(failureOf([&] { a.items.post(); }), "not authorized");
    EXPECT_EQ(a.items.state(), Dataset::State::Insert);
    EXPECT_EQ(stored(), before) << "the insert is undone with its read-back";
    a.items.first();
    EXPECT_EQ(stored().filter(QStringLiteral("学费")), QStringList{QStringLiteral("4|学费|<null>")});

    a.moveToName(QStringLiteral("r1"));
    a.items.edit();
    a.set("金额", QStringLiteral("10"));
    armed = true;
    EXPECT_EQ(failureOf([&] { a.items.post(); }), "not authorized");
    EXPECT_EQ(a.items.state(), Dataset::State::Edit);
    EXPECT_EQ(stored().first(), QStringLiteral("1|r1|1"));
    a.items.post();
    EXPECT_EQ(stored().first(), QStringLiteral("1|r1|10"));
    ASSERT_EQ(sqlite3_set_authorizer(handle, nullptr, nullptr), SQLITE_OK);
}
} // namespace
