#include "app/ApplicationShell.h"
#include "store/Connection.h"
#include "store/Dataset.h"
#include "tests/support/Clerk.h"
#include "tests/support/ScopedFormatSettings.h"
#include "tests/support/TestApplication.h"
#include "tests/support/WindowFixture.h"
#include "text/Failure.h"
#include "widgets/DBGrid.h"
#include "widgets/FlatEdit.h"
#include "widgets/FlatSpeedButton.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <dlfcn.h>
#include <functional>
#include <optional>

namespace {
const QString kConnectionBox = QStringLiteral("提示：数据库连接出错！");
const QString kInitialRemark1 = QStringLiteral("QQ:80012345");
const QString kInitialRemark2 = QStringLiteral("可以支付宝购买，安全.");
const QString kInitialPayee = QStringLiteral("018");

std::unique_ptr<TestDatabase> databaseWith(const QString& sql)
{
    return std::make_unique<TestDatabase>(sql);
}

void replaceFile(const QString& path, const QByteArray& bytes)
{
    QFile::remove(path);
    if (bytes.isNull())
        return;
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Closes the real modal box once a condition holds.
std::function<bool()> closeBoxWhen(std::function<bool()> ready)
{
    return [ready = std::move(ready)] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || !ready())
            return false;
        box->close();
        return true;
    };
}

// Raises a failure from two places of the program's code.
[[gnu::noinline]] void raiseHere()
{
    throw Failure(QStringLiteral("here"));
}

[[gnu::noinline]] void raiseThere()
{
    throw Failure(QStringLiteral("there"));
}

QString crashText(void (*raise)())
{
    RecordingDialogService dialogs;
    ApplicationShell::createMainWindow(dialogs, QStringLiteral("Receipt"),
                                       [raise]() -> std::unique_ptr<QWidget> {
                                           raise();
                                           return nullptr;
                                       });
    return dialogs.requests.value(0).text;
}

quintptr addressIn(const QString& crashText)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral(" at ([0-9A-F]{16})\\.")).match(crashText);
    return match.hasMatch() ? match.captured(1).toULongLong(nullptr, 16) : 0;
}
} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_conventions.emplace(); }
    void cleanup() { m_conventions.reset(); }

    void normalStartShowsDateItemsAndRemarks()
    {
        WindowFixture fixture;
        fixture.database().execute(
            QStringLiteral("INSERT INTO xiaoshou VALUES ('学费', 300), ('餐费', 12.5)"));
        fixture.database().execute(
            QStringLiteral("UPDATE beizhu SET 备注1='园长电话 12345', 备注2='谢谢', 收银员='王老师'"));
        TFormMain& form = fixture.open();

        QVERIFY(fixture.dialogs.requests.isEmpty());
        QCOMPARE(form.FlatEdit2->text(), QStringLiteral("2024-03-05 09:07"));
        QCOMPARE(QApplication::focusWidget(), form.FlatEdit2);
        QCOMPARE(form.FlatEdit2->selectedText(), form.FlatEdit2->text());
        QCOMPARE(form.ADOQuery1->rowCount(), 2);
        QCOMPARE(form.ADOQuery1->currentRow(), 0);
        QCOMPARE(form.DBGrid1->model()->rowCount(), 2);
        QCOMPARE(form.FlatEdit7->text(), QStringLiteral("园长电话 12345"));
        QCOMPARE(form.FlatEdit8->text(), QStringLiteral("谢谢"));
        QCOMPARE(form.FlatEdit3->text(), QStringLiteral("王老师"));
        QCOMPARE(form.FlatEdit1->text(), QStringLiteral("禾岚幼儿园收费小票"));
        QCOMPARE(form.FlatEdit6->text(), QStringLiteral("168"));
    }

    void unusableDatabaseFileStillBringsUpTheWindow_data()
    {
        QTest::addColumn<QByteArray>("contents"); // null: no file at all
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray() << QString();
        QTest::newRow("zero bytes") << QByteArray("")
                                    << QStringLiteral("file is encrypted or is not a database.");
        QTest::newRow("text file") << QByteArray("fees 2024\n学费 300\n")
                                   << QStringLiteral("file is encrypted or is not a database.");
        QByteArray noise(4096, '\0');
        for (char& byte : noise)
            byte = char(QRandomGenerator::global()->bounded(256));
        QTest::newRow("random bytes") << noise << QStringLiteral("file is encrypted or is not a database.");
    }

    void unusableDatabaseFileStillBringsUpTheWindow()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        WindowFixture fixture;
        replaceFile(fixture.database().path(), contents);
        if (message.isEmpty())
            message = QStringLiteral("Could not find file '%1'").arg(fixture.database().path());
        TFormMain& form = fixture.open();

        QCOMPARE(fixture.dialogs.texts(), (QStringList{kConnectionBox, message}));
        const MessageBoxRequest& connectionBox = fixture.dialogs.requests.at(0);
        QCOMPARE(connectionBox.caption, QStringLiteral("Error"));
        QCOMPARE(connectionBox.buttons, QStringList{QStringLiteral("&Yes")});
        QCOMPARE(connectionBox.icon, MessageBoxRequest::Icon::Error);
        const MessageBoxRequest& errorBox = fixture.dialogs.requests.at(1);
        QCOMPARE(errorBox.caption, QStringLiteral("Receipt"));
        QCOMPARE(errorBox.icon, MessageBoxRequest::Icon::Error);
        QCOMPARE(errorBox.buttons, QStringList{QStringLiteral("OK")});

        QVERIFY(form.isVisible());
        QCOMPARE(form.FlatEdit2->text(), QStringLiteral("2024-03-05 09:07"));
        QCOMPARE(QApplication::focusWidget(), form.FlatEdit2);
        QCOMPARE(form.DBGrid1->model()->rowCount(), 0);
        QCOMPARE(form.FlatEdit7->text(), kInitialRemark1);
        QCOMPARE(form.FlatEdit8->text(), kInitialRemark2);
        QCOMPARE(form.FlatEdit3->text(), kInitialPayee);
        QCOMPARE(QFile(fixture.database().path()).exists(), !contents.isNull());
        if (!contents.isNull()) {
            QFile file(fixture.database().path());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), contents);
        }
    }

    void missingPiecesOfTheSchemaStopTheShowStepThere_data()
    {
        QTest::addColumn<QString>("schema");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("fields"); // remark 1, remark 2, payee afterwards
        const QString items = QStringLiteral("CREATE TABLE xiaoshou (品名 TEXT(50), 金额 CURRENCY);");
        QTest::newRow("no item table")
            << QStringLiteral("CREATE TABLE beizhu (备注1 TEXT(50), 备注2 TEXT(50), 收银员 TEXT(20));"
                              "INSERT INTO beizhu VALUES ('a', 'b', 'c')")
            << QStringLiteral("no such table: xiaoshou.")
            << QStringList{kInitialRemark1, kInitialRemark2, kInitialPayee};
        QTest::newRow("no remarks table") << items << QStringLiteral("no such table: beizhu.")
                                          << QStringList{kInitialRemark1, kInitialRemark2, kInitialPayee};
        QTest::newRow("no remark 2 column")
            << items + QStringLiteral("CREATE TABLE beizhu (备注1 TEXT(50), 收银员 TEXT(20));"
                                      "INSERT INTO beizhu VALUES ('a', 'c')")
            << QStringLiteral("ADOQuery2: Field '备注2' not found.")
            << QStringList{QStringLiteral("a"), kInitialRemark2, kInitialPayee};
        QTest::newRow("no payee column")
            << items + QStringLiteral("CREATE TABLE beizhu (备注1 TEXT(50), 备注2 TEXT(50));"
                                      "INSERT INTO beizhu VALUES ('a', 'b')")
            << QStringLiteral("ADOQuery2: Field '收银员' not found.")
            << QStringList{QStringLiteral("a"), QStringLiteral("b"), kInitialPayee};
        QTest::newRow("empty remarks table")
            << items +
                   QStringLiteral("CREATE TABLE beizhu (备注1 TEXT(50), 备注2 TEXT(50), 收银员 TEXT(20));")
            << QString() << QStringList{QString(), QString(), QString()};
    }

    void missingPiecesOfTheSchemaStopTheShowStepThere()
    {
        QFETCH(QString, schema);
        QFETCH(QString, message);
        QFETCH(QStringList, fields);
        WindowFixture fixture(databaseWith(schema));
        TFormMain& form = fixture.open();
        QCOMPARE(fixture.dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE((QStringList{form.FlatEdit7->text(), form.FlatEdit8->text(), form.FlatEdit3->text()}),
                 fields);
        QCOMPARE(form.FlatEdit2->text(), QStringLiteral("2024-03-05 09:07"));
        QVERIFY(form.isVisible());
    }

    void savingRemarksWritesTheFirstRow()
    {
        WindowFixture fixture;
        fixture.database().execute(QStringLiteral("INSERT INTO beizhu VALUES ('second', 'row', 'x')"));
        TFormMain& form = fixture.open();
        form.FlatEdit8->setText(QStringLiteral("欢迎再来"));
        form.FlatEdit3->setText(QStringLiteral("李老师"));
        form.FlatSpeedButton3Click();
        form.FlatSpeedButton3Click();
        QVERIFY(fixture.dialogs.requests.isEmpty());
        QCOMPARE(
            fixture.database().rows(QStringLiteral("SELECT * FROM beizhu ORDER BY rowid")),
            (QStringList{QStringLiteral("QQ:80012345|欢迎再来|李老师"), QStringLiteral("second|row|x")}));
    }

    void savingRemarksIntoAnEmptyTableCreatesOneRow()
    {
        WindowFixture fixture;
        fixture.database().execute(QStringLiteral("DELETE FROM beizhu"));
        TFormMain& form = fixture.open();
        form.FlatEdit8->setText(QStringLiteral("备注"));
        form.FlatEdit3->setText(QString(30, QChar(0x738B)));
        form.FlatSpeedButton3Click();
        form.FlatSpeedButton3Click();
        QCOMPARE(fixture.database().rows(QStringLiteral("SELECT * FROM beizhu")),
                 QStringList{QStringLiteral("|备注|") + QString(20, QChar(0x738B))});
        // the field keeps what was typed
        QCOMPARE(form.FlatEdit3->text(), QString(30, QChar(0x738B)));
    }

    void buttonsWithoutADatabaseReportTheClosedDataset_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        const QString items = QStringLiteral("ADOQuery1: Cannot perform this operation on a closed dataset.");
        QTest::newRow("计算合计") << "FlatSpeedButton5" << items;
        QTest::newRow("删除一行") << "FlatSpeedButton7" << items;
        QTest::newRow("保存备注") << "FlatSpeedButton3"
                                  << QStringLiteral(
                                         "ADOQuery2: Cannot perform this operation on a closed dataset.");
    }

    void buttonsWithoutADatabaseReportTheClosedDataset()
    {
        QFETCH(QString, button);
        QFETCH(QString, message);
        WindowFixture fixture;
        QFile::remove(fixture.database().path());
        TFormMain& form = fixture.open();
        const QStringList fields = {form.FlatEdit6->text(), form.FlatEdit7->text(), form.FlatEdit8->text(),
                                    form.FlatEdit3->text()};
        fixture.dialogs.requests.clear();
        QTest::mouseClick(form.findChild<FlatSpeedButton*>(button), Qt::LeftButton);
        QCOMPARE(fixture.errors(), QStringList{message});
        QCOMPARE((QStringList{form.FlatEdit6->text(), form.FlatEdit7->text(), form.FlatEdit8->text(),
                              form.FlatEdit3->text()}),
                 fields);
        QVERIFY(!QFile::exists(fixture.database().path()));
    }

    void savingRemarksIntoAReadOnlyResultIsRefused()
    {
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        form.ADOQuery2->close();
        form.ADOQuery2->setSql(QStringLiteral("select 备注1, 备注2, 收银员 from beizhu"));
        form.ADOQuery2->open();
        form.FlatEdit3->setText(QStringLiteral("李老师"));
        QTest::mouseClick(form.FlatSpeedButton3, Qt::LeftButton);
        QCOMPARE(fixture.errors(),
                 QStringList{QStringLiteral("ADOQuery2: Cannot modify a read-only dataset.")});
        QCOMPARE(fixture.database().rows(QStringLiteral("SELECT 收银员 FROM beizhu")),
                 QStringList{kInitialPayee});
    }

    // A save the database refuses leaves the row in editing; the next save sets the values again and posts.
    void aRefusedSaveIsRetriedByTheNextOne()
    {
        WindowFixture fixture(databaseWith(
            QStringLiteral("CREATE TABLE xiaoshou (品名 TEXT(50), 金额 CURRENCY);"
                           "CREATE TABLE beizhu (备注1 TEXT(50), 备注2 TEXT(50), 收银员 TEXT(20) "
                           "CHECK (length(收银员) > 0));"
                           "INSERT INTO beizhu VALUES ('a', 'b', 'c')")));
        TFormMain& form = fixture.open();
        form.FlatEdit3->clear();
        form.FlatEdit8->setText(QStringLiteral("新备注"));
        QTest::mouseClick(form.FlatSpeedButton3, Qt::LeftButton);
        QCOMPARE(fixture.errors(), QStringList{QStringLiteral("CHECK constraint failed: beizhu.")});
        QCOMPARE(form.ADOQuery2->state(), Dataset::State::Edit);
        QCOMPARE(fixture.database().rows(QStringLiteral("SELECT * FROM beizhu")), QStringList{"a|b|c"});
        form.FlatEdit3->setText(QStringLiteral("王老师"));
        QTest::mouseClick(form.FlatSpeedButton3, Qt::LeftButton);
        QCOMPARE(fixture.errors().size(), 1);
        QCOMPARE(form.ADOQuery2->state(), Dataset::State::Browse);
        QCOMPARE(fixture.database().rows(QStringLiteral("SELECT * FROM beizhu")),
                 QStringList{QStringLiteral("a|新备注|王老师")});
    }

    void clockRewritesTheDateOnlyWhenTheMinuteChanges()
    {
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        QCOMPARE(form.Timer1->interval(), 1000);
        QVERIFY(form.Timer1->isActive());
        form.FlatEdit2->setCursorPosition(3);
        fixture.clock = fixture.clock.addSecs(20);
        form.Timer1Timer();
        // an unchanged text is left alone
        QCOMPARE(form.FlatEdit2->cursorPosition(), 3);
        fixture.clock = fixture.clock.addSecs(20);
        form.Timer1Timer();
        QCOMPARE(form.FlatEdit2->text(), QStringLiteral("2024-03-05 09:08"));
        form.FlatEdit2->setText(QStringLiteral("2023-01-01 00:00"));
        form.Timer1Timer();
        QCOMPARE(form.FlatEdit2->text(), QStringLiteral("2024-03-05 09:08"));
        QVERIFY(fixture.dialogs.requests.isEmpty());
    }

    // The real timer: a tick that falls due while a modal box is open still rewrites the date.
    void theClockTicksBehindAModalBox()
    {
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        MessageBoxDialogService boxes;
        fixture.dialogs.onShow = [&](const MessageBoxRequest& request) { boxes.show(request); };
        fixture.clock = fixture.clock.addSecs(60);
        const QString nextMinute = QStringLiteral("2024-03-05 09:08");
        Clerk clerk(closeBoxWhen([&] { return form.FlatEdit2->text() == nextMinute; }));
        form.ADOQuery2->close();
        QTest::mouseClick(form.FlatSpeedButton3, Qt::LeftButton);
        QCOMPARE(fixture.dialogs.requests.size(), 1);
        QCOMPARE(form.FlatEdit2->text(), nextMinute);
    }

    // Showing the window again runs no second show step: nothing is reloaded and the focus stays put.
    void theShowStepRunsOnce()
    {
        WindowFixture fixture;
        fixture.database().execute(QStringLiteral("INSERT INTO xiaoshou VALUES ('学费', 300), ('餐费', 5)"));
        TFormMain& form = fixture.open();
        form.ADOQuery1->last();
        form.FlatEdit8->setText(QStringLiteral("改过的备注"));
        form.FlatEdit9->setFocus();
        fixture.database().execute(QStringLiteral("INSERT INTO xiaoshou VALUES ('书费', 20)"));
        fixture.clock = fixture.clock.addSecs(3600);
        form.hide();
        QVERIFY(showActive(form));
        QCOMPARE(form.ADOQuery1->rowCount(), 2);
        QCOMPARE(form.ADOQuery1->currentRow(), 1);
        QCOMPARE(form.FlatEdit8->text(), QStringLiteral("改过的备注"));
        QCOMPARE(form.focusWidget(), form.FlatEdit9);
        QVERIFY(fixture.dialogs.requests.isEmpty());
    }

    // A whole receipt typed with the keys alone, through the window's own handlers, then totalled.
    void aReceiptEnteredByKeys()
    {
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        form.FlatEdit9->setFocus();
        const auto type = [](const QString& text) {
            for (const QChar c : text)
                QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        };
        const auto key = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
        type(QStringLiteral("张小明"));
        key(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form.DBGrid1);
        type(QStringLiteral("学费"));
        key(Qt::Key_Return);
        type(QStringLiteral("300"));
        key(Qt::Key_Tab);
        type(QStringLiteral("餐费"));
        key(Qt::Key_Return);
        type(QStringLiteral("5"));
        QTest::mouseClick(form.FlatSpeedButton5, Qt::LeftButton);
        QCOMPARE(form.FlatEdit6->text(), QStringLiteral("305"));
        QCOMPARE(form.FlatEdit9->text(), QStringLiteral("张小明"));
        QCOMPARE(fixture.database().rows(QStringLiteral("SELECT * FROM xiaoshou")),
                 (QStringList{QStringLiteral("学费|300"), QStringLiteral("餐费|5")}));
        QVERIFY(fixture.dialogs.requests.isEmpty());
    }

    void closingRereadsTheItemsAndClosesEvenWhenThatFails()
    {
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        form.ADOQuery1->append();
        form.ADOQuery1->fieldByName(QStringLiteral("品名")).setAsString(QStringLiteral("未保存"));
        QVERIFY(form.close());
        QVERIFY(!form.isVisible());
        QVERIFY(fixture.database().rows(QStringLiteral("SELECT * FROM xiaoshou")).isEmpty());
        QCOMPARE(form.ADOQuery1->state(), Dataset::State::Browse);

        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.ADOConnection1->close();
        QFile::remove(fixture.database().path());
        QVERIFY(form.close());
        QVERIFY(!form.isVisible());
        QCOMPARE(fixture.dialogs.texts(),
                 QStringList{QStringLiteral("Could not find file '%1'").arg(fixture.database().path())});
    }

    void totalSumsEveryAmount_data()
    {
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("total");
        QTest::newRow("empty list") << QString() << QStringLiteral("0");
        QTest::newRow("binary fractions")
            << QStringLiteral("('a', 0.1), ('b', 0.2)") << QStringLiteral("0.3");
        QTest::newRow("whole amounts") << QStringLiteral("('a', 100), ('b', 68)") << QStringLiteral("168");
        QTest::newRow("null amount") << QStringLiteral("('a', 12.5), ('b', NULL)") << QStringLiteral("12.5");
        QTest::newRow("negative") << QStringLiteral("('a', 10), ('退费', -12.5)") << QStringLiteral("-2.5");
        QTest::newRow("huge") << QStringLiteral("('a', 999999999999999), ('b', 1)") << QStringLiteral("1E15");
    }

    void totalSumsEveryAmount()
    {
        QFETCH(QString, values);
        QFETCH(QString, total);
        WindowFixture fixture;
        if (!values.isEmpty())
            fixture.database().execute(QStringLiteral("INSERT INTO xiaoshou VALUES ") + values);
        TFormMain& form = fixture.open();
        QTest::mouseClick(form.FlatSpeedButton5, Qt::LeftButton);
        QVERIFY(fixture.dialogs.requests.isEmpty());
        QCOMPARE(form.FlatEdit6->text(), total);
        QVERIFY(form.ADOQuery1->eof());
        // the marker stays on the last row
        QCOMPARE(form.ADOQuery1->currentRow(), form.ADOQuery1->rowCount() - 1);
    }

    void totalUsesTheLocalesDecimalSeparator()
    {
        FormatSettings comma;
        comma.decimalSeparator = QStringLiteral(",");
        m_conventions.emplace(comma);
        WindowFixture fixture;
        fixture.database().execute(QStringLiteral("INSERT INTO xiaoshou VALUES ('a', 10.25), ('b', 2)"));
        TFormMain& form = fixture.open();
        form.FlatSpeedButton5Click();
        QCOMPARE(form.FlatEdit6->text(), QStringLiteral("12,25"));
    }

    void deleteRemovesTheCurrentRowFromTheFile()
    {
        WindowFixture fixture;
        fixture.database().execute(QStringLiteral("INSERT INTO xiaoshou VALUES ('a', 1), ('b', 2)"));
        TFormMain& form = fixture.open();
        QTest::mouseClick(form.FlatSpeedButton7, Qt::LeftButton);
        QCOMPARE(fixture.database().rows(QStringLiteral("SELECT * FROM xiaoshou")),
                 QStringList{QStringLiteral("b|2")});
        form.FlatSpeedButton7Click();
        QTest::mouseClick(form.FlatSpeedButton7, Qt::LeftButton);
        QCOMPARE(
            fixture.dialogs.texts(),
            QStringList{QStringLiteral("ADOQuery1: Cannot perform this operation on an empty dataset.")});
    }

    void enterWalksTheFieldsAndSelectsTheirText()
    {
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        form.FlatEdit9->setText(QStringLiteral("张三"));
        QTest::keyClick(form.FlatEdit2, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form.FlatEdit3);
        QCOMPARE(form.FlatEdit3->selectedText(), QStringLiteral("018"));
        QTest::keyClick(form.FlatEdit3, Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), form.FlatEdit9);
        QCOMPARE(form.FlatEdit9->selectedText(), QStringLiteral("张三"));
        const int column = form.DBGrid1->selectedIndex();
        QTest::keyClick(form.FlatEdit9, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), form.DBGrid1);
        // the Enter that enters the grid does not move its column
        QCOMPARE(form.DBGrid1->selectedIndex(), column);

        form.FlatEdit6->setFocus();
        QTest::keyClick(form.FlatEdit6, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form.FlatEdit7);
        QTest::keyClicks(form.FlatEdit7, QStringLiteral("x"));
        // remark 1 is read-only
        QCOMPARE(form.FlatEdit7->text(), kInitialRemark1);
        QTest::keyClick(form.FlatEdit7, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form.FlatEdit8);
        QCOMPARE(form.FlatEdit8->selectedText(), kInitialRemark2);
    }

    void tabVisitsTheFieldsInOrderAndSkipsTheTitle()
    {
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        QTest::keyClick(form.FlatEdit2, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.FlatEdit3);
        QTest::keyClick(form.FlatEdit3, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), form.FlatEdit2);
        QTest::keyClick(form.FlatEdit2, Qt::Key_Tab, Qt::ShiftModifier);
        // Shift+Tab wraps to the last field
        QCOMPARE(QApplication::focusWidget(), form.FlatEdit9);
        QTest::keyClick(form.FlatEdit9, Qt::Key_Tab);
        // Tab wraps past the disabled title
        QCOMPARE(QApplication::focusWidget(), form.FlatEdit2);
        QTest::keyClick(form.FlatEdit2, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), form.FlatEdit2);
        form.FlatEdit6->setFocus();
        QTest::keyClick(form.FlatEdit6, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.FlatEdit7);
        QTest::keyClick(form.FlatEdit7, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.FlatEdit8);
        QTest::keyClick(form.FlatEdit8, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.FlatEdit9);
        QVERIFY(!form.FlatEdit1->isEnabled());
    }

    void failureWhileCreatingTheWindowEndsTheStart()
    {
        RecordingDialogService dialogs;
        const auto window = ApplicationShell::createMainWindow(
            dialogs, QStringLiteral("Receipt"), []() -> std::unique_ptr<QWidget> {
                throw Failure(
                    QStringLiteral("Error creating object.  Please verify that the Microsoft Data Access "
                                   "Components 2.1 (or later) have been properly installed"),
                    QStringLiteral("EOleSysError"));
            });
        QVERIFY(!window);
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests[0].caption, QStringLiteral("Application Error"));
        QCOMPARE(dialogs.requests[0].icon, MessageBoxRequest::Icon::Error);
        const QRegularExpression text(
            QStringLiteral("^Exception EOleSysError in module Receipt at [0-9A-F]{16}\\.\\nError creating "
                           "object\\.  Please verify "
                           "that the Microsoft Data Access Components 2\\.1 \\(or later\\) have been "
                           "properly installed\\.$"));
        QVERIFY2(text.match(dialogs.requests[0].text).hasMatch(), qPrintable(dialogs.requests[0].text));
    }

    // The crash box's address locates the code that raised the failure: the same place gives the same
    // address in every run, two places give two, and the address lies in the program's own code.
    void theCrashBoxAddressLocatesWhereTheFailureWasRaised()
    {
        const quintptr here = addressIn(crashText(raiseHere));
        const quintptr there = addressIn(crashText(raiseThere));
        QVERIFY(here != 0 && there != 0);
        QCOMPARE(addressIn(crashText(raiseHere)), here);
        QVERIFY(here != there);
        Dl_info program{};
        QVERIFY(dladdr(reinterpret_cast<void*>(&raiseHere), &program) != 0);
        const auto base = reinterpret_cast<quintptr>(program.dli_fbase);
        for (const quintptr offset : {here, there}) {
            Dl_info module{};
            QVERIFY(dladdr(reinterpret_cast<void*>(base + offset), &module) != 0);
            QCOMPARE(QString::fromLocal8Bit(module.dli_fname), QString::fromLocal8Bit(program.dli_fname));
        }
    }

private:
    std::optional<ScopedFormatSettings> m_conventions;
};

int main(int argc, char** argv)
{
    TestApplication app(argc, argv);
    WindowTest test;
    return app.run(test, argc, argv);
}

#include "window_test.moc"
