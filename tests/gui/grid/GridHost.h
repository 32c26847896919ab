#pragma once

#include "store/Dataset.h"
#include "tests/support/WindowFixture.h"

#include <QLineEdit>
#include <QStringList>
#include <QWidget>

class DBGrid;

// The real window's grid over a real data.mdb: keys go to TFormMain's own DBGrid1 and through its own
// key-press handler DBGrid1KeyPress; the fee item list is ADOQuery1, and the total field is the element to
// leave the grid for. Failures show as the window's error boxes.
class GridHost
{
public:
    // itemsTable: the statement that creates xiaoshou, beside an empty remarks table; empty: the shipped
    // database.
    explicit GridHost(const QString& itemsTable = QString());

    // Rows of xiaoshou written straight into the file, each "品名|金额"; an empty amount is NULL.
    void addRows(const QStringList& rows) const;
    // Shows the window (its show step opens the items) and gives the grid the focus.
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
    // The texts of the error boxes shown so far.
    QStringList errors() const { return fixture.errors(); }

    WindowFixture fixture;
    TFormMain& form;
    const TestDatabase& database;
    Dataset& items;
    RecordingDialogService& dialogs;
    DBGrid* grid;
    QWidget* other;
};
