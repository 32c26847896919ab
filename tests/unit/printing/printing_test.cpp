#include "printing/AnswerWithin.h"
#include "printing/CupsPrintSystem.h"
#include "printing/PrintMessages.h"
#include "tests/support/GTestQt.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <cups/ipp.h>
#include <gtest/gtest.h>
#include <memory>

namespace {
struct IppDelete
{
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};

// The queue's printer-resolution default as CUPS hands it over, in either unit, or something else.
TEST(QueueResolution, IsTheVerticalDotsPerInchOrTheFallback)
{
    std::unique_ptr<ipp_t, IppDelete> ipp(ippNew());
    struct Case
    {
        const char* name;
        ipp_attribute_t* attribute;
        int expected;
    };
    const Case cases[] = {
        {"dots per inch", ippAddResolution(ipp.get(), IPP_TAG_PRINTER, "a", IPP_RES_PER_INCH, 203, 203), 203},
        {"vertical differs", ippAddResolution(ipp.get(), IPP_TAG_PRINTER, "b", IPP_RES_PER_INCH, 180, 360),
         360},
        {"dots per centimetre", ippAddResolution(ipp.get(), IPP_TAG_PRINTER, "c", IPP_RES_PER_CM, 80, 80),
         203},
        {"zero", ippAddResolution(ipp.get(), IPP_TAG_PRINTER, "d", IPP_RES_PER_INCH, 0, 0), 150},
        {"not a resolution", ippAddInteger(ipp.get(), IPP_TAG_PRINTER, IPP_TAG_INTEGER, "e", 300), 150},
        {"none", nullptr, 150},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dotsPerInch(c.attribute, 150), c.expected) << c.name;
}

TEST(QueueOutput, DriverQueuesGetPdfOthersEscPosUnlessTheQueueSays)
{
    const QStringList pdf{"application/octet-stream", "application/pdf", "image/png"};
    const QStringList raw{"application/octet-stream", "application/vnd.cups-raw"};
    struct Case
    {
        const char* name;
        QString option;
        QString model;
        QStringList formats;
        PrinterQueue::Output expected;
    };
    const Case cases[] = {
        {"driver queue", "", "POS58 Virtual", pdf, PrinterQueue::Output::Driver},
        {"raw queue", "", "Local Raw Printer", pdf, PrinterQueue::Output::EscPos},
        {"no driver named", "", "", pdf, PrinterQueue::Output::EscPos},
        {"PDF not taken", "", "Generic Text", raw, PrinterQueue::Output::EscPos},
        {"forced ESC/POS", "escpos", "POS58 Virtual", pdf, PrinterQueue::Output::EscPos},
        {"forced driver", "driver", "Local Raw Printer", raw, PrinterQueue::Output::Driver},
        {"unknown option value", "laser", "POS58 Virtual", pdf, PrinterQueue::Output::Driver},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooseOutput(c.option, c.model, c.formats), c.expected) << c.name;
}

TEST(PrinterProblem, NamesWhatKeepsTheReceiptFromPrinting)
{
    const std::pair<QStringList, QString> cases[] = {
        {{}, QString()},
        {{"media-empty-error"}, QStringLiteral("缺纸")},
        {{"media-needed-warning", "media-empty-error"}, QStringLiteral("缺纸")},
        {{"offline-report"}, QStringLiteral("打印机离线")},
        {{"door-open-error", "paused"}, QStringLiteral("打印机盖开着，打印机已暂停")},
        {{"marker-supply-low-warning", "connecting-to-device"}, QString()},
        {{"print-head-error"}, QStringLiteral("print-head-error")},
    };
    for (const auto& [reasons, expected] : cases)
        EXPECT_EQ(PrintMessages::printerProblem(reasons), expected) << reasons.join(',').toStdString();
}

TEST(DidNotPrint, GivesThePrintersProblemBeforeTheJobsState)
{
    EXPECT_EQ(
        PrintMessages::didNotPrint(QStringLiteral("POS58"),
                                   {JobStatus::State::Stopped, {"media-jam-error"}, QStringLiteral("Jam")}),
        QStringLiteral("提示：打印机“POS58”没有打出小票：卡纸（Jam），请处理后重打!"));
    EXPECT_EQ(PrintMessages::didNotPrint(QStringLiteral("POS58"), {JobStatus::State::Held, {}, {}}),
              QStringLiteral("提示：打印机“POS58”没有打出小票：打印任务被挂起，请处理后重打!"));
}
// The window waits for the print system with its event loop running; a late answer is undone, so a job
// created after the clerk was told "not printed" does not print.
TEST(AnswerWithin, GivesTheAnswerItsFailureOrGivesUpAndUndoesTheLateAnswer)
{
    const Failure late(QStringLiteral("late"));
    EXPECT_EQ(answerWithin<int>(1000, [] { return 7; }, late), 7);
    try {
        answerWithin<int>(1000, []() -> int { throw Failure(QStringLiteral("refused")); }, late);
        ADD_FAILURE() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.message(), QStringLiteral("refused"));
    }

    auto undone = std::make_shared<std::atomic<int>>(0);
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    QElapsedTimer waited;
    waited.start();
    try {
        answerWithin<int>(
            200,
            [] {
                QThread::msleep(600);
                return 42;
            },
            late, [undone](int job) { *undone = job; });
        ADD_FAILURE() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.message(), QStringLiteral("late"));
    }
    EXPECT_LT(waited.elapsed(), 550);
    EXPECT_GT(ticks, 0) << "the event loop did not run while waiting";
    QElapsedTimer undoing;
    undoing.start();
    while (*undone == 0 && undoing.elapsed() < 5000)
        QThread::msleep(10);
    EXPECT_EQ(*undone, 42);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
