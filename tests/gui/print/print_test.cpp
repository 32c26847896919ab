#include "store/Dataset.h"
#include "tests/support/RecordingPrintDevice.h"
#include "tests/support/RecordingPrintSystem.h"
#include "tests/support/TestApplication.h"
#include "tests/support/WindowFixture.h"
#include "text/Failure.h"
#include "text/FormatSettings.h"
#include "widgets/FlatEdit.h"
#include "widgets/FlatSpeedButton.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <functional>

namespace {
const QString kRule = QStringLiteral("..........................");
const QString kClosedDataset =
    QStringLiteral("ADOQuery1: Cannot perform this operation on a closed dataset.");

struct Draw
{
    int page = 0;
    int x = 0;
    int y = 0;
    int height = 0;
    QString text;
};

QList<Draw> parsedDraws(const PrintRecord& record)
{
    static const QRegularExpression pattern(QStringLiteral("^p(\\d+) \\((\\d+),(\\d+)\\) h(\\d+) (.*)$"),
                                            QRegularExpression::DotMatchesEverythingOption);
    QList<Draw> draws;
    for (const QString& draw : record.draws) {
        const auto match = pattern.match(draw);
        draws.append({match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt(),
                      match.captured(4).toInt(), match.captured(5)});
    }
    return draws;
}

QStringList texts(const PrintRecord& record)
{
    QStringList result;
    for (const Draw& draw : parsedDraws(record))
        result.append(draw.text);
    return result;
}

QString spaces(int count)
{
    return QString(count, u' ');
}

// The window with its print button wired to a recording printer, on a database with the given items.
struct PrintFixture
{
    explicit PrintFixture(std::unique_ptr<TestDatabase> database = std::make_unique<TestDatabase>())
        : window(std::move(database))
    {
        window.printSystem = system;
        window.printDevices = recordingQueueDevices(record);
    }

    TFormMain& open()
    {
        TFormMain& form = window.open();
        window.dialogs.requests.clear();
        return form;
    }

    std::shared_ptr<PrintRecord> record = std::make_shared<PrintRecord>();
    std::shared_ptr<RecordingPrintSystem> system = std::make_shared<RecordingPrintSystem>();
    WindowFixture window;
};

// Chinese arrives through the input method as committed text, not as key clicks.
void typeStudent(TFormMain& form, const QString& name)
{
    form.FlatEdit9->setFocus();
    form.FlatEdit9->clear();
    form.FlatEdit9->insert(name);
}
} // namespace

class PrintTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { setFormatSettings(FormatSettings()); }

    void emptyStudentIsRefusedAndNothingPrints()
    {
        PrintFixture fixture;
        TFormMain& form = fixture.open();
        QTest::mouseClick(form.FlatSpeedButton2, Qt::LeftButton);

        QCOMPARE(fixture.window.dialogs.texts(), QStringList{QStringLiteral("提示：请填写学生姓名!")});
        const MessageBoxRequest& box = fixture.window.dialogs.requests.first();
        QCOMPARE(box.caption, QStringLiteral("Receipt"));
        QCOMPARE(box.icon, MessageBoxRequest::Icon::None);
        QCOMPARE(box.buttons, QStringList{QStringLiteral("OK")});
        QCOMPARE(QApplication::focusWidget(), form.FlatEdit9);
        QCOMPARE(fixture.record->devicesCreated, 0);
        QVERIFY(fixture.record->events.isEmpty());
    }

    void printsTheWholeReceiptAndReadiesTheNextStudent()
    {
        auto database = std::make_unique<TestDatabase>();
        database->execute(QStringLiteral("INSERT INTO xiaoshou VALUES ('学费', 300), ('餐费', 12.5)"));
        database->execute(QStringLiteral("UPDATE beizhu SET 备注1='', 备注2='谢谢', 收银员='王老师'"));
        PrintFixture fixture(std::move(database));
        TFormMain& form = fixture.open();
        QTest::mouseClick(form.FlatSpeedButton5, Qt::LeftButton);
        typeStudent(form, QStringLiteral("李小明"));
        form.ADOQuery1->next();

        QTest::mouseClick(form.FlatSpeedButton2, Qt::LeftButton);

        QVERIFY2(fixture.window.dialogs.requests.isEmpty(),
                 qPrintable(fixture.window.dialogs.texts().join('|')));
        QCOMPARE(texts(*fixture.record), (QStringList{
                                             QStringLiteral("禾岚幼儿园收费小票"),
                                             kRule,
                                             QStringLiteral("学生:李小明"),
                                             kRule,
                                             QStringLiteral("收费项目             金额"),
                                             QStringLiteral("学费") + spaces(17),
                                             QStringLiteral("300"),
                                             QStringLiteral("餐费") + spaces(17),
                                             QStringLiteral("12.5"),
                                             kRule,
                                             QStringLiteral("合计金额:312.5"),
                                             QStringLiteral("谢谢"),
                                             QStringLiteral("日期:2024-03-05 09:07"),
                                             QStringLiteral("收款人:王老师"),
                                             QStringLiteral("网址:http://www.example.com"),
                                             QStringLiteral("软件购买联系QQ:80012345"),
                                             QStringLiteral("."),
                                             QStringLiteral("."),
                                             QStringLiteral("."),
                                             QStringLiteral("."),
                                             QStringLiteral(" "),
                                         }));
        const QList<Draw> draws = parsedDraws(*fixture.record);
        QCOMPARE(draws[0].height, 34);
        for (qsizetype at = 1; at < draws.size(); ++at)
            QCOMPARE(draws[at].height, 28);
        QCOMPARE(draws[6].x, 294);
        QCOMPARE(draws[6].y, draws[5].y);
        QCOMPARE(draws[8].x, 294);
        // The empty remark 1 takes a line of the cell height alone.
        QCOMPARE(draws[11].y - draws[10].y, 35 + 37);
        QCOMPARE(fixture.record->documents, QStringList{QString()});
        QCOMPARE(fixture.record->events.last(), QStringLiteral("endDocument"));
        QCOMPARE(fixture.system->submitted.size(), 1);
        QCOMPARE(QString::fromUtf8(fixture.system->submitted.first().bytes).split(u'\n'),
                 fixture.record->draws);

        QCOMPARE(form.FlatEdit9->text(), QString());
        QCOMPARE(QApplication::focusWidget(), form.FlatEdit9);
        QCOMPARE(form.ADOQuery1->rowCount(), 2);
        QCOMPARE(form.ADOQuery1->currentRow(), 0);
        QCOMPARE(form.FlatEdit6->text(), QStringLiteral("312.5"));
        QCOMPARE(form.FlatEdit8->text(), QStringLiteral("谢谢"));
        QCOMPARE(form.FlatEdit3->text(), QStringLiteral("王老师"));
        QCOMPARE(fixture.window.database().rows(QStringLiteral("SELECT 品名, 金额 FROM xiaoshou")),
                 (QStringList{QStringLiteral("学费|300"), QStringLiteral("餐费|12.5")}));
    }

    void enterInRemarkTwoPrintsAStudentOfSpaces()
    {
        PrintFixture fixture;
        TFormMain& form = fixture.open();
        typeStudent(form, QStringLiteral("  "));
        form.FlatEdit8->setFocus();
        QTest::keyClick(form.FlatEdit8, Qt::Key_Return);

        QVERIFY(fixture.window.dialogs.requests.isEmpty());
        const QStringList printed = texts(*fixture.record);
        QCOMPARE(printed.size(), 18);
        QCOMPARE(printed[2], QStringLiteral("学生:  "));
        QCOMPARE(printed[5], kRule);
        QCOMPARE(form.FlatEdit9->text(), QString());
    }

    void rowBeingEditedIsSavedAndPrinted()
    {
        auto database = std::make_unique<TestDatabase>();
        database->execute(QStringLiteral("INSERT INTO xiaoshou VALUES ('学费', 300)"));
        PrintFixture fixture(std::move(database));
        TFormMain& form = fixture.open();
        form.ADOQuery1->append();
        form.ADOQuery1->fieldByName(QStringLiteral("品名")).setAsString(QStringLiteral("校服"));
        form.ADOQuery1->fieldByName(QStringLiteral("金额")).setAsString(QStringLiteral("80"));
        typeStudent(form, QStringLiteral("王芳"));

        QTest::mouseClick(form.FlatSpeedButton2, Qt::LeftButton);

        QVERIFY(fixture.window.dialogs.requests.isEmpty());
        QCOMPARE(texts(*fixture.record).mid(5, 4), (QStringList{QStringLiteral("学费") + spaces(17), "300",
                                                                QStringLiteral("校服") + spaces(17), "80"}));
        QCOMPARE(fixture.window.database().rows(QStringLiteral("SELECT 品名, 金额 FROM xiaoshou")),
                 (QStringList{QStringLiteral("学费|300"), QStringLiteral("校服|80")}));
    }

    // A failure after Open is reported; the job is ended, so the next receipt is not refused with "Printing
    // in progress", and never submitted, so no half receipt comes out.
    void failureHalfWayEndsTheJobAndKeepsTheStudent_data()
    {
        QTest::addColumn<QString>("schema"); // empty: no database file at all
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("linesDrawn");
        QTest::newRow("database unavailable since start-up") << QString() << kClosedDataset << 5;
        QTest::newRow("amount column missing")
            << QStringLiteral(
                   "CREATE TABLE xiaoshou (\"品名\" TEXT(50));"
                   "INSERT INTO xiaoshou VALUES ('学费');"
                   "CREATE TABLE beizhu (\"备注1\" TEXT(50), \"备注2\" TEXT(50), \"收银员\" TEXT(20));"
                   "INSERT INTO beizhu VALUES ('a', 'b', 'c');")
            << QStringLiteral("ADOQuery1: Field '金额' not found.") << 6;
    }

    void failureHalfWayEndsTheJobAndKeepsTheStudent()
    {
        QFETCH(QString, schema);
        QFETCH(QString, message);
        QFETCH(int, linesDrawn);
        auto database =
            schema.isEmpty() ? std::make_unique<TestDatabase>() : std::make_unique<TestDatabase>(schema);
        if (schema.isEmpty())
            QFile::remove(database->path());
        PrintFixture fixture(std::move(database));
        TFormMain& form = fixture.open();
        typeStudent(form, QStringLiteral("李小明"));

        for (int attempt = 0; attempt < 2; ++attempt) {
            fixture.record->draws.clear();
            fixture.record->events.clear();
            QTest::mouseClick(form.FlatSpeedButton2, Qt::LeftButton);
            QCOMPARE(fixture.window.dialogs.texts().value(attempt), message);
            QCOMPARE(fixture.record->draws.size(), linesDrawn);
            QCOMPARE(fixture.record->events.first(), QStringLiteral("startDocument \"\""));
            QCOMPARE(fixture.record->events.mid(fixture.record->events.size() - 2),
                     (QStringList{QStringLiteral("endPage"), QStringLiteral("endDocument")}));
            QCOMPARE(form.FlatEdit9->text(), QStringLiteral("李小明"));
        }
        QCOMPARE(fixture.window.dialogs.requests.size(), 2);
        QVERIFY(fixture.system->submitted.isEmpty());
    }

    // The print system's answers before and after the job. A receipt refused before or at the submission
    // keeps the student and the list's row, and the next click, once the system is well, prints. A job that
    // turns out not to print is told after the click; the student is cleared, since the job exists.
    void printSystemFaultsAreToldAndTheNextClickPrints_data()
    {
        QTest::addColumn<std::function<void(RecordingPrintSystem&)>>("fault");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("jobSubmitted");
        QTest::addColumn<bool>("jobCanceled"); // so it cannot come out later beside the one printed again
        const auto notAccepting = [](RecordingPrintSystem& system) { system.printer.accepting = false; };
        QTest::newRow("no default printer")
            << std::function<void(RecordingPrintSystem&)>([](RecordingPrintSystem& system) {
                   system.queueFailure = QStringLiteral("There is no default printer currently selected");
               })
            << QStringLiteral("There is no default printer currently selected.") << false << false;
        QTest::newRow("queue rejects jobs")
            << std::function<void(RecordingPrintSystem&)>(notAccepting)
            << QStringLiteral("提示：打印机“POS58”不接受打印任务，小票没有打印!") << false << false;
        QTest::newRow("submission refused")
            << std::function<void(RecordingPrintSystem&)>([](RecordingPrintSystem& system) {
                   system.submitFailure =
                       QStringLiteral("提示：打印机“POS58”拒绝了小票（Gone），小票没有打印!");
               })
            << QStringLiteral("提示：打印机“POS58”拒绝了小票（Gone），小票没有打印!") << false << false;
        QTest::newRow("queue paused")
            << std::function<void(RecordingPrintSystem&)>([](RecordingPrintSystem& system) {
                   system.printer.state = PrinterQueue::State::Stopped;
                   system.printer.reasons = QStringList{QStringLiteral("paused")};
                   system.status.state = JobStatus::State::Waiting;
               })
            << QStringLiteral(
                   "提示：打印机“POS58”已暂停，小票在队列中等待，打印机恢复后才会打出，请不要重打!")
            << true << false;
        QTest::newRow("paper out after the job")
            << std::function<void(RecordingPrintSystem&)>([](RecordingPrintSystem& system) {
                   system.status = {JobStatus::State::Waiting, {QStringLiteral("media-empty-error")}, {}};
               })
            << QStringLiteral("提示：打印机“POS58”没有打出小票：缺纸，请处理后重打!") << true << true;
        QTest::newRow("job stopped after the job")
            << std::function<void(RecordingPrintSystem&)>([](RecordingPrintSystem& system) {
                   system.status = {JobStatus::State::Stopped, {}, QStringLiteral("No such file")};
               })
            << QStringLiteral(
                   "提示：打印机“POS58”没有打出小票：打印任务被停止（No such file），请处理后重打!")
            << true << true;
        // The job was taken, but whether it printed cannot be known: the clerk is sent to the printer.
        QTest::newRow("print system gone after the job")
            << std::function<void(RecordingPrintSystem&)>([](RecordingPrintSystem& system) {
                   system.statusFailure = QStringLiteral("提示：连接不上打印系统，小票没有打印!");
               })
            << QStringLiteral("提示：打印系统没有响应，不能确认打印机“POS58”是否打出了小票，请查看打印机!")
            << true << false;
    }

    void printSystemFaultsAreToldAndTheNextClickPrints()
    {
        QFETCH(std::function<void(RecordingPrintSystem&)>, fault);
        QFETCH(QString, message);
        QFETCH(bool, jobSubmitted);
        QFETCH(bool, jobCanceled);
        auto database = std::make_unique<TestDatabase>();
        database->execute(QStringLiteral("INSERT INTO xiaoshou VALUES ('学费', 300), ('餐费', 12.5)"));
        PrintFixture fixture(std::move(database));
        fault(*fixture.system);
        TFormMain& form = fixture.open();
        typeStudent(form, QStringLiteral("李小明"));
        form.ADOQuery1->next();

        QTest::mouseClick(form.FlatSpeedButton2, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(fixture.window.dialogs.texts(), QStringList{message}, 3000);

        QCOMPARE(fixture.window.dialogs.requests.first().icon, MessageBoxRequest::Icon::Error);
        QCOMPARE(fixture.system->submitted.size(), jobSubmitted ? 1 : 0);
        QCOMPARE(fixture.system->canceled, jobCanceled ? QList<int>{1} : QList<int>());
        QCOMPARE(form.FlatEdit9->text(), jobSubmitted ? QString() : QStringLiteral("李小明"));
        QCOMPARE(form.ADOQuery1->currentRow(), jobSubmitted ? 0 : 1);

        *fixture.system = RecordingPrintSystem();
        typeStudent(form, QStringLiteral("王芳"));
        QTest::mouseClick(form.FlatSpeedButton2, Qt::LeftButton);
        QCOMPARE(fixture.system->submitted.size(), 1);
        QCOMPARE(form.FlatEdit9->text(), QString());
        QTest::qWait(50);
        QCOMPARE(fixture.window.dialogs.requests.size(), 1);
    }
};

int main(int argc, char** argv)
{
    TestApplication app(argc, argv);
    PrintTest test;
    return app.run(test, argc, argv);
}

#include "print_test.moc"
