// Times the fee item grid over a list of 100,000 rows: opening the list, summing the amounts the way the
// compute-total button does (with the grid following every move), and keystrokes that jump to the end;
// beside them, the engine alone summing and reading the same rows.
// Prints figures; it never passes or fails. Run it with QT_QPA_PLATFORM=offscreen.

#include "store/Connection.h"
#include "store/DataSource.h"
#include "store/Dataset.h"
#include "store/Sqlite.h"
#include "tests/support/TestDatabase.h"
#include "widgets/DBGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>
#include <functional>

namespace {
constexpr int kRows = 100000;
constexpr int kRuns = 3;

// Runs an action kRuns times, letting the grid repaint after each, and prints every run's time.
void measure(const char* what, QWidget& window, const std::function<void()>& action,
             const std::function<void()>& before = {})
{
    std::printf("%-56s", what);
    for (int run = 0; run < kRuns; ++run) {
        if (before)
            before();
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        action();
        window.repaint();
        QCoreApplication::processEvents();
        std::printf(" %9.2f ms", double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("\n");
}
// Opens the list and sums its amounts the way the compute-total button does.
void measureOpenAndTotal(Dataset& items, QWidget& window, const char* how)
{
    measure(qPrintable(QStringLiteral("open \"select * from xiaoshou\"") + QString::fromUtf8(how)), window,
            [&] {
                items.close();
                items.setSql(QStringLiteral("select * from xiaoshou"));
                items.open();
            });
    double sum = 0.0;
    measure(qPrintable(QStringLiteral("sum of 金额 (first, next until eof)") + QString::fromUtf8(how)),
            window, [&] {
                sum = 0.0;
                items.first();
                while (!items.eof()) {
                    sum += items.fieldByName(QStringLiteral("金额")).asFloat();
                    items.next();
                }
            });
    std::printf("%-56s %.2f\n", "  total", sum);
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestDatabase database;
    database.execute(
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                       "INSERT INTO xiaoshou SELECT '收费项目' || i, (i % 1000) / 4.0 FROM n")
            .arg(kRows));

    Connection connection;
    connection.setConnectionString(database.connectionString());
    Dataset items(connection, QStringLiteral("ADOQuery1"));
    DataSource source(items);
    QWidget window;
    window.resize(553, 473);
    auto* grid = new DBGrid(&window);
    grid->setGeometry(16, 120, 521, 193);
    grid->setDataSource(&source);
    grid->addColumn(QStringLiteral("品名"), QStringLiteral("收费项目"), 218);
    grid->addColumn(QStringLiteral("金额"), QStringLiteral("金额"), 130);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        std::printf("the window was not exposed; paint times are missing\n");
    grid->setFocus();

    std::printf("%d rows in xiaoshou; %d runs each\n", kRows, kRuns);
    // The floor the dataset is measured against: the engine alone reading the same rows.
    connection.open();
    double rawSum = 0.0;
    measure("raw SQLite \"select sum(金额) from xiaoshou\"", window, [&] {
        SqliteStatement statement(connection.database(), QStringLiteral("select sum(金额) from xiaoshou"));
        statement.step();
        rawSum = statement.value(0).toDouble();
    });
    measure("raw SQLite \"select * from xiaoshou\", every value", window, [&] {
        SqliteStatement statement(connection.database(), QStringLiteral("select * from xiaoshou"));
        while (statement.step())
            for (int c = 0; c < statement.columnCount(); ++c)
                statement.value(c);
    });
    std::printf("%-56s %.2f\n", "  raw total", rawSum);

    // The same open and total on a list that no grid shows: what the dataset itself costs.
    Dataset alone(connection, QStringLiteral("ADOQuery3"));
    measureOpenAndTotal(alone, window, ", no grid");
    measureOpenAndTotal(items, window, ", with the grid");

    const auto toFirstRow = [&] { items.first(); };
    measure(
        "Ctrl+End from the first row", window,
        [&] { QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier); }, toFirstRow);
    measure(
        "Ctrl+Home from the last row", window,
        [&] { QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier); }, [&] { items.last(); });
    measure(
        "Down on the last row (adds a new row)", window, [&] { QTest::keyClick(grid, Qt::Key_Down); },
        [&] {
            items.last();
            if (items.state() == Dataset::State::Insert)
                items.cancel();
        });
    measure("typing a row at the end, Tab saves it", window, [&] {
        items.last();
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("fee"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12.5"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    });
    std::printf("%-56s %d\n", "  rows now", items.rowCount());
    return 0;
}
