#include "tests/gui/grid/GridHost.h"
#include "tests/support/ScopedFormatSettings.h"
#include "tests/support/TestApplication.h"
#include "widgets/DBGrid.h"
#include "widgets/DatasetModel.h"
#include "widgets/GridHeader.h"

#include <QAccessible>
#include <QClipboard>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTest>

namespace {
const QString kStrictSchema = QStringLiteral("CREATE TABLE xiaoshou (id INTEGER PRIMARY KEY, 品名 "
                                             "VARCHAR(10) NOT NULL, 金额 DOUBLE CHECK (金额 >= 0), "
                                             "备用 INTEGER NOT NULL DEFAULT 0)");
const QString kBadAmount = QStringLiteral("'1.2.3' is not a valid floating point value for field '金额'");

// The columns every table of key sequences ends with: what the file, the grid and its current cell show.
void addStateColumns()
{
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<bool>("editor");
}

void verifyState(const GridHost& host)
{
    QFETCH(QStringList, file);
    QFETCH(QStringList, shown);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, mark);
    QFETCH(bool, editor);
    QCOMPARE(host.fileRows(), file);
    QCOMPARE(host.gridRows(), shown);
    QCOMPARE(host.items.currentRow(), row);
    QCOMPARE(host.grid->selectedIndex(), column);
    QCOMPARE(host.grid->currentIndex(), host.grid->model()->index(std::max(row, 0), column));
    QCOMPARE(host.mark(), mark);
    QCOMPARE(host.grid->cellEditor() != nullptr, editor);
    QVERIFY2(host.hasFocus(), "the keys moved the focus out of the grid");
}

// Rows "r0|0", "r1|1", ...: more than the grid shows at once.
QStringList numberedRows(int count)
{
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows.append(QStringLiteral("r%1|%1").arg(i));
    return rows;
}

QStringList list(std::initializer_list<const char*> rows)
{
    QStringList result;
    for (const char* row : rows)
        result.append(QString::fromUtf8(row));
    return result;
}
} // namespace

class GridTest : public QObject
{
    Q_OBJECT

private slots:

    void keySequences_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("keys");
        addStateColumns();
        const QStringList one = list({"学费|300"});
        const QStringList two = list({"学费|300", "餐费|12.5"});
        const QStringList three = list({"a|1", "b|2", "c|3"});

        QTest::newRow("a receipt typed with Enter and Tab")
            << QStringList() << "学费 Enter 300 Tab 餐费 Enter 12.5 Tab" << two << (two + list({"|"})) << 2
            << 0 << "*" << false;
        QTest::newRow("Enter in 品名 writes the name and moves to 金额")
            << QStringList() << "学费 Enter" << QStringList() << list({"学费|"}) << 0 << 1 << "*" << false;
        QTest::newRow("Enter in 金额 changes nothing and never saves")
            << QStringList() << "学费 Enter 300 Enter Enter Enter" << QStringList() << list({"学费|300"}) << 0
            << 1 << "*" << true;
        QTest::newRow("Enter edits an existing row without saving it")
            << one << "书费 Enter" << one << list({"书费|300"}) << 0 << 1 << "I" << false;
        QTest::newRow("Tab past the last column adds a new row")
            << one << "Tab Tab" << one << list({"学费|300", "|"}) << 1 << 0 << "*" << false;
        QTest::newRow("Tab on an unchanged new row adds no further row")
            << one << "Tab Tab Tab Tab Tab" << one << list({"学费|300", "|"}) << 1 << 1 << "*" << false;
        QTest::newRow("Up drops an unchanged new row")
            << one << "Tab Tab Up" << one << one << 0 << 0 << ">" << false;
        QTest::newRow("Down on the last row adds a row in the same column")
            << one << "Right Down" << one << list({"学费|300", "|"}) << 1 << 1 << "*" << false;
        QTest::newRow("Down on an unchanged new last row does nothing")
            << one << "Right Down Down Down" << one << list({"学费|300", "|"}) << 1 << 1 << "*" << false;
        QTest::newRow("Down saves the changed row it leaves")
            << two << "Right 350 Down" << list({"学费|350", "餐费|12.5"}) << list({"学费|350", "餐费|12.5"})
            << 1 << 1 << ">" << false;
        QTest::newRow("Down from an unchanged inserted row only drops it")
            << two << "Down Ins Down" << two << two << 1 << 0 << ">" << false;
        QTest::newRow("Up saves the changed row it leaves")
            << two << "Down 午餐 Up" << list({"学费|300", "午餐|12.5"}) << list({"学费|300", "午餐|12.5"})
            << 0 << 0 << ">" << false;
        QTest::newRow("Up on the first row saves without moving")
            << one << "书费 Up" << list({"书费|300"}) << list({"书费|300"}) << 0 << 0 << ">" << false;
        QTest::newRow("Shift+Tab in the first cell saves and goes to the last column")
            << one << "书费 S+Tab" << list({"书费|300"}) << list({"书费|300"}) << 0 << 1 << ">" << false;
        QTest::newRow("Shift+Tab before the first column drops an unchanged new row")
            << one << "Down S+Tab" << one << one << 0 << 1 << ">" << false;
        QTest::newRow("Shift+Tab inside the row writes the cell but saves nothing")
            << one << "Right 5 S+Tab" << one << list({"学费|5"}) << 0 << 0 << "I" << false;
        QTest::newRow("Ctrl+Tab is Tab and Alt+Tab does nothing")
            << one << "C+Tab A+Tab" << one << one << 0 << 1 << ">" << false;
        QTest::newRow("Left and Right stop at the first and last column")
            << one << "End Left Left Right Right" << one << one << 0 << 1 << ">" << false;
        QTest::newRow("Home, End, Ctrl+Left and Ctrl+Right")
            << one << "C+Right C+Left End Home" << one << one << 0 << 0 << ">" << false;
        QTest::newRow("Ctrl+End and Ctrl+Home")
            << three << "C+End" << three << three << 2 << 0 << ">" << false;
        QTest::newRow("Ctrl+Home back")
            << three << "C+End C+Home" << three << three << 0 << 0 << ">" << false;
        QTest::newRow("Ctrl+End saves the row it leaves")
            << three << "x Enter C+End" << list({"x|1", "b|2", "c|3"}) << list({"x|1", "b|2", "c|3"}) << 2
            << 1 << ">" << false;
        QTest::newRow("Ctrl+Down and Ctrl+Up reach the lowest and topmost rows shown")
            << three << "C+Down" << three << three << 2 << 0 << ">" << false;
        QTest::newRow("Ctrl+Up back") << three << "C+Down C+Up" << three << three << 0 << 0 << ">" << false;
        QTest::newRow("PgDn adds no row") << one << "PgDn" << one << one << 0 << 0 << ">" << false;
        QTest::newRow("Insert opens a new row in the current row's place")
            << two << "Down Ins" << two << list({"学费|300", "|", "餐费|12.5"}) << 1 << 0 << "*" << false;
        QTest::newRow("a row typed at an insert is saved where it stands")
            << two << "Down Ins 午餐 Tab 9 Up" << list({"学费|300", "餐费|12.5", "午餐|9"})
            << list({"学费|300", "午餐|9", "餐费|12.5"}) << 0 << 1 << ">" << false;
        QTest::newRow("Insert in an empty list")
            << QStringList() << "Ins" << QStringList() << list({"|"}) << 0 << 0 << "*" << false;
        QTest::newRow("typing into an empty list starts a new row")
            << QStringList() << "学" << QStringList() << list({"|"}) << 0 << 0 << "*" << true;
        QTest::newRow("a digit typed into a closed cell replaces its text")
            << one << "Right 7 Down" << list({"学费|7"}) << list({"学费|7", "|"}) << 1 << 1 << "*" << false;
        QTest::newRow("Backspace empties the cell and NULL is saved")
            << one << "Right Bksp Up" << list({"学费|<null>"}) << list({"学费|"}) << 0 << 1 << ">" << false;
        QTest::newRow("F2 puts the caret after the text")
            << one << "F2 X Up" << list({"学费X|300"}) << list({"学费X|300"}) << 0 << 0 << ">" << false;
        QTest::newRow("F2 in the open editor removes the selection")
            << one << "Right F2 C+A F2 0 Up" << list({"学费|3000"}) << list({"学费|3000"}) << 0 << 1 << ">"
            << false;
        QTest::newRow("Left, Right, Home and End in the editor only move the caret")
            << list({"ab|1"}) << "F2 Home X End Y Left Z Up" << list({"XabZY|1"}) << list({"XabZY|1"}) << 0
            << 0 << ">" << false;
        QTest::newRow("Delete and Ctrl+Delete in the editor only edit the text")
            << list({"abc|1"}) << "F2 Home Del C+Del z Up" << list({"z|1"}) << list({"z|1"}) << 0 << 0 << ">"
            << false;
        QTest::newRow("a first Esc undoes the cell")
            << one << "书费 Enter 5 Esc" << one << list({"书费|300"}) << 0 << 1 << "I" << false;
        QTest::newRow("a second Esc undoes the row")
            << one << "书费 Enter 5 Esc Esc" << one << one << 0 << 1 << ">" << false;
        QTest::newRow("a first Esc in a new row keeps the row")
            << one << "Down 新 Esc" << one << list({"学费|300", "|"}) << 1 << 0 << "*" << false;
        QTest::newRow("a second Esc removes the new row")
            << one << "Down 新 Esc Esc" << one << one << 0 << 0 << ">" << false;
    }

    void keySequences()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, keys);
        GridHost host;
        host.addRows(rows);
        host.open();
        host.press(keys);
        verifyState(host);
        QVERIFY(host.dialogs.requests.isEmpty());
    }

    void failures_data()
    {
        QTest::addColumn<QString>("schema");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("errors");
        addStateColumns();
        const QString shipped;
        const QStringList one = list({"学费|300"});
        const QStringList badAmount = {kBadAmount};
        const QStringList required = {QStringLiteral("Field '品名' must have a value.")};
        const QStringList refused = {QStringLiteral("CHECK constraint failed: xiaoshou.")};

        for (const char* key : {"Enter", "Tab", "S+Tab", "Down", "Up", "PgDn", "C+Down", "Ins"})
            QTest::newRow(qPrintable(QStringLiteral("%1 refuses text the column cannot take").arg(key)))
                << shipped << one << QStringLiteral("Right 1.2.3 %1").arg(key) << badAmount << one << one << 0
                << 1 << "I" << true;
        QTest::newRow("Esc twice after a refused text restores the row")
            << shipped << one << "Right 1.2.3 Enter Esc Esc" << badAmount << one << one << 0 << 1 << ">"
            << false;
        QTest::newRow("a required column left empty gets the editor")
            << kStrictSchema << QStringList() << "Right 5 Tab" << required << QStringList() << list({"|5"})
            << 0 << 0 << "*" << true;
        QTest::newRow("once filled in, the row is saved")
            << kStrictSchema << QStringList() << "Right 5 Tab 学费 Tab Tab" << required << list({"学费|5"})
            << list({"学费|5", "|"}) << 1 << 0 << "*" << false;
        QTest::newRow("a row the database refuses stays in editing")
            << kStrictSchema << list({"退费|1"}) << "Right -5 Down" << refused << list({"退费|1"})
            << list({"退费|-5"}) << 0 << 1 << "I" << true;
        QTest::newRow("a refused new row stays new and is saved once when corrected")
            << kStrictSchema << QStringList() << "学费 Enter -5 Tab Home Del Tab" << refused
            << list({"学费|5"}) << list({"学费|5", "|"}) << 1 << 0 << "*" << false;
    }

    void failures()
    {
        QFETCH(QString, schema);
        QFETCH(QStringList, rows);
        QFETCH(QString, keys);
        QFETCH(QStringList, errors);
        GridHost host(schema);
        host.addRows(rows);
        host.open();
        host.press(keys);
        QCOMPARE(host.errors(), errors);
        verifyState(host);
    }

    void characterFilter_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("refused");
        QTest::addColumn<QString>("mark");
        const QString dot = QStringLiteral(".");
        QTest::newRow("whole number") << "INTEGER" << dot << "12+-.eEx"
                                      << "12+-" << 4 << "I";
        QTest::newRow("currency") << "CURRENCY" << dot << "12+-.eEx"
                                  << "12+-." << 3 << "I";
        QTest::newRow("floating point") << "DOUBLE" << dot << "12+-.eEx"
                                        << "12+-.eE" << 1 << "I";
        QTest::newRow("text") << "TEXT(20)" << dot << "12+-.eEx"
                              << "12+-.eEx" << 0 << "I";
        QTest::newRow("the locale's decimal separator") << "CURRENCY" << QStringLiteral(",") << "1,5."
                                                        << "1,5" << 1 << "I";
        QTest::newRow("a refused first character starts nothing") << "CURRENCY" << dot << "x"
                                                                  << "7" << 1 << ">";
    }

    void characterFilter()
    {
        QFETCH(QString, type);
        QFETCH(QString, separator);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(int, refused);
        QFETCH(QString, mark);
        FormatSettings settings;
        settings.decimalSeparator = separator;
        const ScopedFormatSettings conventions(settings);
        GridHost host(QStringLiteral("CREATE TABLE xiaoshou (品名 TEXT(50), 金额 %1)").arg(type));
        host.addRows({QStringLiteral("学费|7")});
        host.open();
        QSignalSpy beeps(host.grid, &DBGrid::characterRefused);
        host.press(QStringLiteral("Right ") + typed);
        QVERIFY(host.grid->cellEditor());
        QCOMPARE(host.grid->cellEditor()->text(), text);
        QCOMPARE(beeps.count(), refused);
        QCOMPARE(host.mark(), mark);
        QCOMPARE(host.fileRows(), list({"学费|7"}));
    }

    void deleteConfirmation_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("boxes");
        addStateColumns();
        const QStringList three = list({"a|1", "b|2", "c|3"});
        QTest::newRow("OK deletes the row from the file")
            << three << "Down C+Del" << 0 << 1 << list({"a|1", "c|3"}) << list({"a|1", "c|3"}) << 1 << 0
            << ">" << false;
        QTest::newRow("Cancel keeps it")
            << three << "Down C+Del" << 1 << 1 << three << three << 1 << 0 << ">" << false;
        QTest::newRow("deleting the last row makes the one before current")
            << three << "C+End C+Del" << 0 << 1 << list({"a|1", "b|2"}) << list({"a|1", "b|2"}) << 1 << 0
            << ">" << false;
        QTest::newRow("a new row is only dropped")
            << list({"a|1"}) << "Down 新 Enter C+Del" << 0 << 1 << list({"a|1"}) << list({"a|1"}) << 0 << 1
            << ">" << false;
        QTest::newRow("an empty list asks nothing")
            << QStringList() << "C+Del" << 0 << 0 << QStringList() << list({"|"}) << -1 << 0 << "" << false;
    }

    void deleteConfirmation()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, keys);
        QFETCH(int, answer);
        QFETCH(int, boxes);
        GridHost host;
        host.addRows(rows);
        host.open();
        host.dialogs.answers = {answer};
        host.press(keys);
        QCOMPARE(host.dialogs.requests.size(), boxes);
        for (const MessageBoxRequest& box : std::as_const(host.dialogs.requests)) {
            QCOMPARE(box.text, QStringLiteral("Delete record?"));
            QCOMPARE(box.caption, QStringLiteral("Confirm"));
            QCOMPARE(box.icon, MessageBoxRequest::Icon::Question);
            QCOMPARE(box.buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("Cancel")}));
            QCOMPARE(box.defaultButton, 0);
            QCOMPARE(box.escapeButton, 1);
        }
        verifyState(host);
    }

    void leavingTheGrid_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("byMouse");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("mark");
        const QStringList one = list({"a|1"});
        for (const bool byMouse : {true, false}) {
            const char* how = byMouse ? "click" : "program";
            QTest::newRow(qPrintable(QStringLiteral("%1: an unchanged new row is dropped").arg(how)))
                << "Down" << byMouse << one << 0 << ">";
            QTest::newRow(qPrintable(QStringLiteral("%1: a new row with typing stays, unsaved").arg(how)))
                << "Down 新" << byMouse << list({"a|1", "新|"}) << 1 << "*";
            QTest::newRow(qPrintable(QStringLiteral("%1: an edited row stays in editing").arg(how)))
                << "Right 5" << byMouse << list({"a|5"}) << 0 << "I";
        }
    }

    void leavingTheGrid()
    {
        QFETCH(QString, keys);
        QFETCH(bool, byMouse);
        QFETCH(QStringList, shown);
        QFETCH(int, row);
        QFETCH(QString, mark);
        GridHost host;
        host.addRows({QStringLiteral("a|1")});
        host.open();
        host.press(keys);
        if (byMouse)
            QTest::mouseClick(host.other, Qt::LeftButton);
        else
            host.other->setFocus();
        QCOMPARE(QApplication::focusWidget(), host.other);
        QCOMPARE(host.gridRows(), shown);
        QCOMPARE(host.items.currentRow(), row);
        QCOMPARE(host.mark(), mark);
        QVERIFY(!host.grid->cellEditor());
        QCOMPARE(host.fileRows(), list({"a|1"}));
        QVERIFY(host.errors().isEmpty());

        // What was left unsaved does not survive the list being read again.
        host.items.close();
        host.items.open();
        QCOMPARE(host.fileRows(), list({"a|1"}));
        QCOMPARE(host.gridRows(), list({"a|1"}));
    }

    void leavingWithTextTheColumnRefusesTakesTheFocusBack()
    {
        GridHost host;
        host.addRows({QStringLiteral("a|1")});
        host.open();
        host.press(QStringLiteral("Right 1.2.3"));
        QTest::mouseClick(host.other, Qt::LeftButton);
        QCOMPARE(host.errors(), QStringList{kBadAmount});
        QVERIFY(host.grid->cellEditor());
        QCOMPARE(QApplication::focusWidget(), host.grid->cellEditor());
        QCOMPARE(host.grid->cellEditor()->text(), QStringLiteral("1.2.3"));
        host.press(QStringLiteral("Bksp Bksp Down"));
        QCOMPARE(host.fileRows(), list({"a|1.2"}));
    }

    void aPendingRowIsSavedByAMoveToTheFirstRowAndLostByAClose()
    {
        GridHost host;
        host.open();
        // The amount is still only in the cell editor: moving the dataset writes it into the row first.
        host.press(QStringLiteral("学费 Enter 30"));
        host.items.first();
        QCOMPARE(host.fileRows(), list({"学费|30"}));
        QCOMPARE(host.mark(), QStringLiteral(">"));
        QVERIFY(!host.grid->cellEditor());

        host.press(QStringLiteral("Down Home 书费 Enter 5"));
        host.items.close();
        QCOMPARE(host.gridRows(), QStringList());
        host.items.open();
        QCOMPARE(host.fileRows(), list({"学费|30"}));
        QCOMPARE(host.gridRows(), list({"学费|30"}));
        QCOMPARE(host.mark(), QStringLiteral(">"));
    }

    void clickingAnotherRowEndsTheRowsEditing()
    {
        GridHost host;
        host.addRows(list({"a|1", "b|2", "c|3", "d|4"}));
        host.open();
        const auto click = [&](int row, int column) {
            QCoreApplication::processEvents();
            const QRect cell = host.grid->visualRect(host.grid->model()->index(row, column));
            QTest::mouseClick(host.grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        };
        host.press(QStringLiteral("Right 5"));
        click(2, 0);
        QCOMPARE(host.fileRows(), list({"a|5", "b|2", "c|3", "d|4"}));
        QCOMPARE(host.items.currentRow(), 2);
        QCOMPARE(host.grid->selectedIndex(), 0);

        // The new row above the clicked one disappears; the row clicked is still the one made current.
        host.press(QStringLiteral("Ins"));
        QCOMPARE(host.gridRows().size(), 5);
        click(4, 1);
        QCOMPARE(host.gridRows().size(), 4);
        QCOMPARE(host.items.fieldByName(QStringLiteral("品名")).asString(), QStringLiteral("d"));
        QCOMPARE(host.grid->selectedIndex(), 1);

        // A click in the current row only changes the column, and writes the cell text.
        host.press(QStringLiteral("9"));
        click(3, 0);
        QCOMPARE(host.gridRows().last(), QStringLiteral("d|9"));
        QCOMPARE(host.mark(), QStringLiteral("I"));
        QCOMPARE(host.fileRows().last(), QStringLiteral("d|4"));
    }

    void pagesMoveByTheRowsShownAndAddNone()
    {
        GridHost host;
        host.addRows(numberedRows(40));
        host.open();
        const int page = host.grid->viewport()->height() / host.grid->verticalHeader()->defaultSectionSize();
        QVERIFY(page > 1 && page < 20);
        host.press(QStringLiteral("PgDn"));
        QCOMPARE(host.items.currentRow(), page);
        host.press(QStringLiteral("PgDn PgUp"));
        QCOMPARE(host.items.currentRow(), page);
        QCoreApplication::processEvents();
        const int top = host.grid->rowAt(0);
        host.press(QStringLiteral("C+PgDn"));
        QCOMPARE(host.items.currentRow(), top + page - 1);
        host.press(QStringLiteral("C+PgUp"));
        QCOMPARE(host.items.currentRow(), top);
        host.press(QStringLiteral("C+End PgDn PgDn"));
        QCOMPARE(host.items.currentRow(), 39);
        QCOMPARE(host.items.rowCount(), 40);
        QCoreApplication::processEvents();
        QVERIFY(host.grid->rowAt(host.grid->viewport()->height() - 1) >= 39 - 1);
    }

    void theHighlightAndTheViewFollowAWalkOfTheListOnceTheEventLoopComesBack()
    {
        GridHost host;
        host.addRows(numberedRows(40));
        host.open();
        host.press(QStringLiteral("Right"));
        // The total walks the whole list and leaves it on its last row.
        host.form.FlatSpeedButton5Click();
        QCOMPARE(host.items.currentRow(), 39);
        QCoreApplication::processEvents();
        QCOMPARE(host.grid->currentIndex(), host.grid->model()->index(39, 1));
        QVERIFY(host.grid->rowAt(host.grid->viewport()->height() - 1) >= 39 - 1);
        host.press(QStringLiteral("Up"));
        QCOMPARE(host.grid->currentIndex(), host.grid->model()->index(38, 1));
    }

    void inputMethodTextCountsAsTyped()
    {
        GridHost host;
        host.addRows({QStringLiteral("学费|300")});
        host.open();
        QSignalSpy beeps(host.grid, &DBGrid::characterRefused);
        const auto commit = [](const QString& text) {
            QInputMethodEvent event;
            event.setCommitString(text);
            QApplication::sendEvent(QApplication::focusWidget(), &event);
        };
        // A composition under way stays with the input method until it commits.
        QInputMethodEvent composing(QStringLiteral("shu"), {});
        QApplication::sendEvent(host.grid, &composing);
        QVERIFY(!host.grid->cellEditor());
        QCOMPARE(host.mark(), QStringLiteral(">"));
        commit(QStringLiteral("书费"));
        QVERIFY(host.grid->cellEditor());
        QCOMPARE(host.grid->cellEditor()->text(), QStringLiteral("书费"));
        QCOMPARE(host.mark(), QStringLiteral("I"));
        host.press(QStringLiteral("Tab"));
        commit(QStringLiteral("1二2"));
        QCOMPARE(host.grid->cellEditor()->text(), QStringLiteral("12"));
        QCOMPARE(beeps.count(), 1);
        host.press(QStringLiteral("Up"));
        QCOMPARE(host.fileRows(), list({"书费|12"}));
    }

    void pastingStartsTheRowsEditing()
    {
        GridHost host;
        host.addRows({QStringLiteral("学费|300")});
        host.open();
        QGuiApplication::clipboard()->setText(QStringLiteral("书费"));
        host.press(QStringLiteral("F2 C+A C+V"));
        QCOMPARE(host.mark(), QStringLiteral("I"));
        host.press(QStringLiteral("End S+Ins Up"));
        QCOMPARE(host.fileRows(), list({"书费书费|300"}));
        host.press(QStringLiteral("F2 C+A C+X Up"));
        QCOMPARE(host.fileRows(), list({"|300"}));
    }

    void aClosedListIgnoresTheGridsKeys()
    {
        GridHost host;
        host.open();
        host.items.close();
        host.press(QStringLiteral("x Bksp F2 Tab S+Tab Down Up PgDn C+End Ins C+Del Esc Enter"));
        QVERIFY(host.errors().isEmpty());
        QVERIFY(host.dialogs.requests.isEmpty());
        QVERIFY(!host.grid->cellEditor());
        QCOMPARE(host.grid->model()->rowCount(), 0);
        QVERIFY(host.hasFocus());
    }

    void theIndicatorShowsEachMarkOnTheFixedColour_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("mark");
        QTest::newRow("browsing: arrow") << "" << int(DatasetModel::RowMark::Browse);
        QTest::newRow("editing: I-beam") << "x" << int(DatasetModel::RowMark::Edit);
        QTest::newRow("new row: asterisk") << "Down" << int(DatasetModel::RowMark::Insert);
    }

    void theIndicatorShowsEachMarkOnTheFixedColour()
    {
        QFETCH(QString, keys);
        QFETCH(int, mark);
        GridHost host;
        host.addRows({QStringLiteral("a|1")});
        host.open();
        host.press(keys);
        QCoreApplication::processEvents();
        const QImage expected = GridHeader::markImage(DatasetModel::RowMark(mark));
        QCOMPARE(expected.size(), QSize(6, 11));

        QHeaderView* indicators = host.grid->verticalHeader();
        const QImage shot = indicators->viewport()->grab().toImage();
        const int row = host.items.currentRow();
        const QRect section(0, indicators->sectionViewportPosition(row), indicators->width(),
                            indicators->sectionSize(row));
        const QPoint at(section.x() + (section.width() - 6) / 2, section.y() + (section.height() - 11) / 2);
        for (int y = 0; y < 11; ++y) {
            for (int x = 0; x < 6; ++x) {
                const bool black = expected.pixelColor(x, y) == QColor(Qt::black);
                QCOMPARE(shot.pixelColor(at + QPoint(x, y)),
                         black ? QColor(Qt::black) : host.grid->fixedColor());
            }
        }
        // The other row carries no mark.
        for (int other = 0; other < host.grid->model()->rowCount(); ++other)
            if (other != row)
                QCOMPARE(
                    host.grid->model()->headerData(other, Qt::Vertical, DatasetModel::RowMarkRole).toInt(),
                    int(DatasetModel::RowMark::None));
    }

    void cellsTitlesAndTheCurrentRowReachAssistiveTechnology()
    {
        GridHost host;
        host.addRows(list({"学费|300", "餐费|12.5"}));
        host.open();
        host.press(QStringLiteral("Down Right"));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(host.grid);
        QVERIFY(accessible);
        QAccessibleTableInterface* table = accessible->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->columnCount(), 2);
        QCOMPARE(table->columnDescription(0), QStringLiteral("收费项目"));
        QCOMPARE(table->columnDescription(1), QStringLiteral("金额"));
        QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("餐费"));
        QCOMPARE(table->cellAt(1, 1)->text(QAccessible::Name), QStringLiteral("12.5"));
        QVERIFY(table->cellAt(1, 1)->tableCellInterface()->isSelected());
        QVERIFY(!table->cellAt(0, 1)->tableCellInterface()->isSelected());
        QCOMPARE(table->selectedCellCount(), 1);
    }
};

int main(int argc, char** argv)
{
    TestApplication app(argc, argv);
    GridTest test;
    return app.run(test, argc, argv);
}

#include "grid_test.moc"
