#pragma once

#include "store/Connection.h"
#include "store/DataSource.h"
#include "store/Dataset.h"
#include "tests/support/RecordingDialogService.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

class DBGrid;

// The program's error display as the tests see it: handlers report their failures (and the notify guard
// anything still escaping) into a list that the tests read.
class GridTestApplication : public QApplication
{
public:
    GridTestApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    static QStringList& errors();
};

// A small window around a DBGrid over a real data.mdb: the grid, a second field to leave the grid for, and
// the window's key-press rule (Enter in the grid moves one column to the right).
class GridHost
{
public:
    explicit GridHost(const QString& schema = TestDatabase::shippedSchema());

    // Rows of xiaoshou written straight into the file, each "品名|金额"; an empty amount is NULL.
    void addRows(const QStringList& rows) const;
    // Opens the items, shows the window and gives the grid the focus.
    void open();
    // Presses keys into whatever has the focus: named keys ("Enter", "S+Tab", "C+Del", ...) and, for any
    // other word, its characters typed one by one.
    void press(const QString& script) const;

    // xiaoshou as stored, "品名|金额" in rowid order, NULL written <null>.
    QStringList fileRows() const;
    // What the grid shows, "品名|金额" a row.
    QStringList gridRows() const;
    // The current row's mark: ">" browsing, "I" editing, "*" new row, "" none.
    QString mark() const;
    bool hasFocus() const;

    TestDatabase database;
    Connection connection;
    Dataset items{connection, QStringLiteral("ADOQuery1")};
    DataSource source{items};
    RecordingDialogService dialogs;
    QWidget window;
    DBGrid* grid;
    QLineEdit* other;
};
