#include "store/Connection.h"
#include "store/Dataset.h"
#include "tests/support/GTestQt.h"
#include "tests/support/TestDatabase.h"
#include "tests/unit/store/FailureOf.h"
#include "text/Failure.h"
#include "text/FormatSettings.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
const QString kItems = QStringLiteral("select * from xiaoshou");

class DatasetTest : public testing::Test
{
protected:
    explicit DatasetTest(const QString& schema = TestDatabase::shippedSchema()) : db(schema)
    {
        connection.setConnectionString(db.connectionString());
        items.setSql(kItems);
    }

    void addItems(std::initializer_list<const char*> values)
    {
        for (const char* row : values)
            db.execute(QStringLiteral("INSERT INTO xiaoshou VALUES (%1)").arg(QString::fromUtf8(row)));
    }

    QStringList stored() const { return db.rows(QStringLiteral("SELECT * FROM xiaoshou ORDER BY rowid")); }
    QString name() { return items.fieldByName(QStringLiteral("品名")).asString(); }
    QString amount() { return items.fieldByName(QStringLiteral("金额")).asString(); }
    void set(const char* column, const QString& text)
    {
        items.fieldByName(QString::fromUtf8(column)).setAsString(text);
    }

    TestDatabase db;
    Connection connection;
    Dataset items{connection, QStringLiteral("ADOQuery1")};
};

TEST_F(DatasetTest, OpensOnTheFirstRowAndWalksToTheEnd)
{
    addItems({"'学费', 300", "'餐费', 12.5", "'书费', NULL"});
    items.open();
    EXPECT_EQ(items.state(), Dataset::State::Browse);
    QStringList seen;
    for (items.first(); !items.eof(); items.next())
        seen.append(name() + QLatin1Char('=') + amount());
    EXPECT_EQ(seen, (QStringList{QStringLiteral("学费=300"), QStringLiteral("餐费=12.5"),
                                 QStringLiteral("书费=")}));
    EXPECT_EQ(items.currentRow(), 2) << "the walk ends on the last row";
}

TEST_F(DatasetTest, ReadsNullsAsEmptyTextAndZero)
{
    addItems({"NULL, NULL"});
    items.open();
    EXPECT_EQ(name(), QString());
    EXPECT_EQ(amount(), QString());
    EXPECT_EQ(items.fieldByName(QStringLiteral("金额")).asFloat(), 0.0);
    EXPECT_TRUE(items.fieldByName(QStringLiteral("金额")).isNull());
}

TEST_F(DatasetTest, AnEmptyResultReadsEveryColumnAsNull)
{
    items.open();
    EXPECT_TRUE(items.eof());
    EXPECT_EQ(items.currentRow(), -1);
    EXPECT_EQ(name(), QString());
    EXPECT_EQ(items.fieldByName(QStringLiteral("金额")).asFloat(), 0.0);
}

TEST_F(DatasetTest, EveryOperationOnAClosedDatasetFailsWithItsName)
{
    const std::string closed = "ADOQuery1: Cannot perform this operation on a closed dataset";
    const std::vector<std::pair<const char*, std::function<void()>>> operations = {
        {"first", [&] { items.first(); }},   {"next", [&] { items.next(); }},
        {"edit", [&] { items.edit(); }},     {"insert", [&] { items.insert(); }},
        {"append", [&] { items.append(); }}, {"post", [&] { items.post(); }},
        {"delete", [&] { items.remove(); }},
    };
    for (const auto& [label, operation] : operations)
        EXPECT_EQ(failureOf(operation), closed) << label;
    EXPECT_EQ(failureOf([&] { name(); }), "ADOQuery1: Field '品名' not found");
    EXPECT_NO_THROW(items.close());
    EXPECT_NO_THROW(items.cancel());
}

TEST_F(DatasetTest, NamesAMissingColumn)
{
    items.open();
    EXPECT_EQ(failureOf([&] { items.fieldByName(QStringLiteral("单价")); }),
              "ADOQuery1: Field '单价' not found");
}

TEST_F(DatasetTest, QueryTextChangesOnlyWhileClosed)
{
    items.open();
    EXPECT_EQ(failureOf([&] { items.setSql(kItems); }),
              "ADOQuery1: Cannot perform this operation on an open dataset");
}

TEST_F(DatasetTest, InsertedRowReachesTheFileOnlyWhenPosted)
{
    addItems({"'学费', 300"});
    items.open();
    items.append();
    set("品名", QStringLiteral("餐费"));
    set("金额", QStringLiteral("12.5"));
    EXPECT_EQ(stored().size(), 1);
    items.post();
    EXPECT_EQ(items.state(), Dataset::State::Browse);
    EXPECT_EQ(items.currentRow(), 1);
    EXPECT_EQ(stored(), (QStringList{QStringLiteral("学费|300"), QStringLiteral("餐费|12.5")}));
}

TEST_F(DatasetTest, EditUpdatesOnlyTheCurrentRow)
{
    addItems({"'学费', 300", "'学费', 300"});
    items.open();
    items.next();
    items.edit();
    set("金额", QStringLiteral("250"));
    items.post();
    EXPECT_EQ(stored(), (QStringList{QStringLiteral("学费|300"), QStringLiteral("学费|250")}));
}

TEST_F(DatasetTest, CancelRestoresAnEditedRowAndDropsANewOne)
{
    addItems({"'学费', 300"});
    items.open();
    items.edit();
    set("品名", QStringLiteral("杂费"));
    items.cancel();
    EXPECT_EQ(name(), QStringLiteral("学费"));
    items.insert();
    EXPECT_EQ(items.rowCount(), 2);
    items.cancel();
    EXPECT_EQ(items.rowCount(), 1);
    EXPECT_EQ(items.currentRow(), 0);
    EXPECT_EQ(stored(), QStringList{QStringLiteral("学费|300")});
}

TEST_F(DatasetTest, MovingPostsAChangedRowAndDropsAnUnchangedNewRow)
{
    items.open();
    items.append();
    items.first();
    EXPECT_TRUE(items.isEmpty()) << "a new row with nothing typed is dropped";
    items.append();
    set("品名", QStringLiteral("园服"));
    items.first();
    EXPECT_EQ(items.state(), Dataset::State::Browse);
    EXPECT_EQ(stored(), QStringList{QStringLiteral("园服|<null>")});
}

TEST_F(DatasetTest, EditOnAnEmptyListStartsANewRow)
{
    items.open();
    items.edit();
    EXPECT_EQ(items.state(), Dataset::State::Insert);
    EXPECT_EQ(items.rowCount(), 1);
}

TEST_F(DatasetTest, InsertOpensTheNewRowInTheCurrentRowsPlace)
{
    addItems({"'a', 1", "'b', 2"});
    items.open();
    items.next();
    items.insert();
    EXPECT_EQ(items.currentRow(), 1);
    EXPECT_EQ(items.value(2, 0).toString(), QStringLiteral("b"));
    items.cancel();
    EXPECT_EQ(items.currentRow(), 1);
    EXPECT_EQ(name(), QStringLiteral("b"));
}

struct AmountCase
{
    const char* typed;
    const char* stored; // nullptr: refused
};

void PrintTo(const AmountCase& c, std::ostream* out)
{
    *out << '"' << c.typed << '"';
}

class AmountText : public DatasetTest, public testing::WithParamInterface<AmountCase>
{
};

TEST_P(AmountText, IsStoredOrRefusedWithoutLosingTheRow)
{
    const AmountCase& c = GetParam();
    items.open();
    items.append();
    set("品名", QStringLiteral("学费"));
    const QString typed = QString::fromUtf8(c.typed);
    if (!c.stored) {
        EXPECT_EQ(failureOf([&] { set("金额", typed); }),
                  "'" + typed.toStdString() + "' is not a valid floating point value for field '金额'");
        EXPECT_EQ(items.state(), Dataset::State::Insert);
        EXPECT_EQ(name(), QStringLiteral("学费"));
        EXPECT_TRUE(stored().isEmpty());
        return;
    }
    set("金额", typed);
    items.post();
    EXPECT_EQ(stored(), QStringList{QStringLiteral("学费|") + QString::fromUtf8(c.stored)});
}

INSTANTIATE_TEST_SUITE_P(Amounts, AmountText,
                         testing::Values(AmountCase{"12.5", "12.5"}, AmountCase{"-3", "-3"},
                                         AmountCase{"+4", "4"}, AmountCase{" 7 ", "7"},
                                         AmountCase{".5", "0.5"}, AmountCase{"1e3", "1000"},
                                         AmountCase{"1.23456", "1.2346"}, AmountCase{"", "<null>"},
                                         AmountCase{"abc", nullptr}, AmountCase{"1.2.3", nullptr},
                                         AmountCase{"-", nullptr}, AmountCase{"1,5", nullptr},
                                         AmountCase{"１２", nullptr}, AmountCase{"1e999", nullptr}));

struct StoredAmount
{
    const char* sql;    // the value as another program wrote it into the amount column
    const char* shown;  // its text in the grid
    const char* number; // its floating value, or the conversion error
};

void PrintTo(const StoredAmount& c, std::ostream* out)
{
    *out << c.sql;
}

class StoredAmounts : public DatasetTest, public testing::WithParamInterface<StoredAmount>
{
};

TEST_P(StoredAmounts, ReadAsTheyAreOrRefusedAsNumbers)
{
    const StoredAmount& c = GetParam();
    addItems(
        {"'学费', 300", QStringLiteral("'杂费', %1").arg(QString::fromUtf8(c.sql)).toUtf8().constData()});
    items.open();
    items.next();
    EXPECT_EQ(amount().toStdString(), c.shown);
    std::string number = failureOf([&] {
        throw Failure(QString::number(items.fieldByName(QStringLiteral("金额")).asFloat(), 'g', 15));
    });
    EXPECT_EQ(number, c.number);
    items.edit();
    set("品名", QStringLiteral("杂费2"));
    items.post();
    EXPECT_EQ(stored().last().section(QLatin1Char('|'), 0, 0), QStringLiteral("杂费2"))
        << "a row holding such a value can still be changed";
}

INSTANTIATE_TEST_SUITE_P(
    NotNumbers, StoredAmounts,
    testing::Values(
        StoredAmount{"'abc'", "abc", "'abc' is not a valid floating point value for field '金额'"},
        StoredAmount{"'12abc'", "12abc", "'12abc' is not a valid floating point value for field '金额'"},
        StoredAmount{"x'3132'", "12", "'12' is not a valid floating point value for field '金额'"},
        StoredAmount{"9e999", "INF", "'INF' is not a valid floating point value for field '金额'"},
        StoredAmount{"1e305", "1E305", "1e+305"}, StoredAmount{"1.23456", "1.2346", "1.2346"},
        StoredAmount{"-0.00005", "-0.0001", "-0.0001"}, StoredAmount{"'  7 '", "7", "7"}));

TEST_F(DatasetTest, AnAmountBeyondTheCurrencyRangeIsRefusedAndStoresNothing)
{
    items.open();
    items.append();
    set("品名", QStringLiteral("学费"));
    for (const char* typed : {"1e305", "922337203685478", "-922337203685478"})
        EXPECT_EQ(
            failureOf([&] { set("金额", QString::fromUtf8(typed)); }),
            std::string("'") + typed +
                "' is not a valid value for field '金额'. The allowed range is -922337203685477.5808 to "
                "922337203685477.5807");
    set("金额", QStringLiteral("922337203685477"));
    items.post();
    EXPECT_EQ(stored(), QStringList{QStringLiteral("学费|922337203685477")});
    EXPECT_EQ(amount(), QStringLiteral("922337203685477"));
}

class WholeNumberAmounts : public DatasetTest
{
protected:
    WholeNumberAmounts() : DatasetTest(QStringLiteral("CREATE TABLE xiaoshou (品名 TEXT(50), 金额 LONG)")) {}
};

TEST_F(WholeNumberAmounts, ReadInTheGeneralNumberForm)
{
    addItems({"'a', 1000000000000000", "'b', 999999999999999", "'c', -12"});
    items.open();
    QStringList shown;
    for (items.first(); !items.eof(); items.next())
        shown.append(amount());
    EXPECT_EQ(shown, (QStringList{QStringLiteral("1E15"), QStringLiteral("999999999999999"),
                                  QStringLiteral("-12")}));
}

TEST_F(DatasetTest, AmountsFollowTheLocalesDecimalSeparator)
{
    FormatSettings comma;
    comma.decimalSeparator = QStringLiteral(",");
    setFormatSettings(comma);
    items.open();
    items.append();
    set("金额", QStringLiteral("12,5"));
    EXPECT_EQ(amount(), QStringLiteral("12,5"));
    EXPECT_THROW(set("金额", QStringLiteral("12.5")), Failure);
    items.post();
    setFormatSettings(FormatSettings());
    EXPECT_EQ(stored(), QStringList{QStringLiteral("<null>|12.5")});
}

TEST_F(DatasetTest, CutsTextToTheColumnsLength)
{
    items.open();
    items.append();
    const QString longName = QString(30, QChar(0x5B66)) + QString(30, QLatin1Char('x'));
    set("品名", longName);
    items.post();
    EXPECT_EQ(stored(), QStringList{longName.left(50) + QStringLiteral("|<null>")});
}

TEST_F(DatasetTest, DeleteMakesTheFollowingRowCurrent)
{
    addItems({"'a', 1", "'b', 2", "'c', 3"});
    items.open();
    items.next();
    items.remove();
    EXPECT_EQ(name(), QStringLiteral("c"));
    items.remove();
    EXPECT_EQ(name(), QStringLiteral("a")) << "deleting the last row makes the one before it current";
    items.remove();
    EXPECT_TRUE(items.isEmpty());
    EXPECT_EQ(items.currentRow(), -1);
    EXPECT_EQ(failureOf([&] { items.remove(); }),
              "ADOQuery1: Cannot perform this operation on an empty dataset");
    EXPECT_TRUE(stored().isEmpty());
}

TEST_F(DatasetTest, DeleteOfANewRowOnlyDropsIt)
{
    addItems({"'a', 1"});
    items.open();
    items.append();
    set("品名", QStringLiteral("b"));
    items.remove();
    EXPECT_EQ(items.state(), Dataset::State::Browse);
    EXPECT_EQ(stored(), QStringList{QStringLiteral("a|1")});
}

TEST_F(DatasetTest, DeleteDiscardsThePendingChangesOfItsRow)
{
    addItems({"'a', 1", "'b', 2"});
    items.open();
    items.edit();
    set("品名", QStringLiteral("changed"));
    items.remove();
    EXPECT_EQ(stored(), QStringList{QStringLiteral("b|2")});
}

TEST_F(DatasetTest, CloseDropsPendingChanges)
{
    addItems({"'a', 1"});
    items.open();
    items.edit();
    set("品名", QStringLiteral("changed"));
    items.close();
    items.open();
    EXPECT_EQ(name(), QStringLiteral("a"));
    EXPECT_EQ(stored(), QStringList{QStringLiteral("a|1")});
}

TEST_F(DatasetTest, AMissingTableFailsWithTheEnginesText)
{
    items.close();
    items.setSql(QStringLiteral("select * from xiaoshou2"));
    EXPECT_EQ(failureOf([&] { items.open(); }), "no such table: xiaoshou2");
    EXPECT_FALSE(items.isOpen());
}

TEST_F(DatasetTest, AnyOtherQueryIsReadOnly)
{
    addItems({"'a', 1"});
    items.setSql(QStringLiteral("select 品名 from xiaoshou where 金额 > 0"));
    items.open();
    EXPECT_EQ(name(), QStringLiteral("a"));
    EXPECT_EQ(failureOf([&] { items.edit(); }), "ADOQuery1: Cannot modify a read-only dataset");
}

TEST_F(DatasetTest, OpenConnectsWhenTheConnectionIsClosed)
{
    EXPECT_FALSE(connection.isOpen());
    items.open();
    EXPECT_TRUE(connection.isOpen());
    items.close();
    EXPECT_TRUE(connection.isOpen()) << "closing a dataset keeps the connection";
}

TEST_F(DatasetTest, AFileGoneAtOpenFailsAndRetriesLater)
{
    const QString moved = db.path() + QStringLiteral(".away");
    ASSERT_TRUE(QFile::rename(db.path(), moved));
    EXPECT_EQ(failureOf([&] { items.open(); }), "Could not find file '" + db.path().toStdString() + "'");
    ASSERT_TRUE(QFile::rename(moved, db.path()));
    items.open();
    EXPECT_TRUE(items.isOpen());
}

class StrictTable : public DatasetTest
{
protected:
    StrictTable()
        : DatasetTest(
              QStringLiteral("CREATE TABLE xiaoshou (id INTEGER PRIMARY KEY, 品名 VARCHAR(10) NOT NULL, "
                             "金额 DOUBLE CHECK (金额 >= 0), 备用 INTEGER NOT NULL DEFAULT 0)"))
    {
    }
};

TEST_F(StrictTable, ARequiredColumnLeftEmptyIsNamedAndFocused)
{
    int focused = -1;
    items.setFocusFieldHook([&](int column) { focused = column; });
    items.open();
    items.append();
    set("金额", QStringLiteral("5"));
    EXPECT_EQ(failureOf([&] { items.post(); }), "Field '品名' must have a value");
    EXPECT_EQ(focused, items.fieldIndex(QStringLiteral("品名")));
    EXPECT_EQ(items.state(), Dataset::State::Insert);
}

TEST_F(StrictTable, ARowTheEngineRefusesStaysPendingAndCanBePostedAgain)
{
    items.open();
    items.append();
    set("品名", QStringLiteral("退费"));
    set("金额", QStringLiteral("-5"));
    EXPECT_EQ(failureOf([&] { items.post(); }), "CHECK constraint failed: xiaoshou");
    EXPECT_EQ(items.state(), Dataset::State::Insert);
    EXPECT_EQ(name(), QStringLiteral("退费"));
    set("金额", QStringLiteral("5"));
    items.post();
    EXPECT_EQ(stored(), QStringList{QStringLiteral("1|退费|5.0|0")});
    EXPECT_EQ(items.fieldByName(QStringLiteral("备用")).asString(), QStringLiteral("0"))
        << "the database's default shows once the row is saved";
}

TEST_F(StrictTable, WholeNumberColumnsRefuseFractions)
{
    items.open();
    items.append();
    EXPECT_EQ(failureOf([&] { set("备用", QStringLiteral("1.5")); }),
              "'1.5' is not a valid integer value for field '备用'");
}
} // namespace
