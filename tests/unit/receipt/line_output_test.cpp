#include "receipt/TPrinterLineOutput.h"
#include "tests/support/GTestQt.h"
#include "tests/support/RecordingPrintDevice.h"
#include "text/Failure.h"

#include <functional>
#include <gtest/gtest.h>

namespace {
using Script = std::function<void(TPrinterLineOutput&)>;

QString draw(int page, int x, int y, int height, const QString& text)
{
    return QStringLiteral("p%1 (%2,%3) h%4 %5").arg(page).arg(x).arg(y).arg(height).arg(text);
}

QString repeat(int count, char16_t c)
{
    return QString(count, QChar(c));
}

// Runs a script between Open and Close on a fresh output over a recording device.
PrintRecord runJob(const Script& script, RecordedPaper paper = {})
{
    auto record = std::make_shared<PrintRecord>();
    TPrinterLineOutput output(recordingDevices(record, paper));
    output.Open();
    script(output);
    output.Close();
    return *record;
}

// At 203 dpi: 10 points are 28 pixels high (a unit 14 wide, cell 35, a line with text 37), 12 points 34
// (unit 17, cell 42, line 44), 1 point 3 (unit 1, cell 3, line 5).
struct DrawCase
{
    const char* name;
    Script script;
    QStringList draws;
    RecordedPaper paper = {};
};

void PrintTo(const DrawCase& draws, std::ostream* out)
{
    *out << draws.name;
}

class LineOutputDraws : public testing::TestWithParam<DrawCase>
{
};

TEST_P(LineOutputDraws, DrawsEachPieceWhereTheLineOutputPutsIt)
{
    EXPECT_EQ(runJob(GetParam().script, GetParam().paper).draws, GetParam().draws);
}

const DrawCase kDrawCases[] = {
    {"LinesMoveDownByMeasuredHeightPlusTwo",
     [](auto& out) {
         out.SetFontSize(10);
         out.WriteLine("abc");
         out.WriteLine("de");
     },
     {draw(1, 0, 0, 28, "abc"), draw(1, 0, 37, 28, "de")}},
    {"EmptyLineMovesByCellHeight",
     [](auto& out) {
         out.SetFontSize(10);
         out.WriteLine("");
         out.WriteLine("x");
     },
     {draw(1, 0, 35, 28, "x")}},
    {"SingleSpaceIsALineWithText",
     [](auto& out) {
         out.SetFontSize(10);
         out.WriteLine(" ");
         out.WriteLine("x");
     },
     {draw(1, 0, 0, 28, " "), draw(1, 0, 37, 28, "x")}},
    {"TitleLineKeepsItsOwnHeight",
     [](auto& out) {
         out.SetFontSize(12);
         out.WriteLine("T");
         out.SetFontSize(10);
         out.WriteLine("a");
         out.WriteLine("b");
     },
     {draw(1, 0, 0, 34, "T"), draw(1, 0, 44, 28, "a"), draw(1, 0, 81, 28, "b")}},
    {"SizeSetAfterWriteAppliesToPendingText",
     [](auto& out) {
         out.SetFontSize(10);
         out.Write("ab");
         out.SetFontSize(12);
         out.WriteLine("c");
     },
     {draw(1, 0, 0, 34, "abc")}},
    {"FlushedPieceIsFollowedOnTheSameLine",
     [](auto& out) {
         out.SetFontSize(10);
         out.Write(QStringLiteral("学费"));
         out.Write(repeat(17, u' '));
         out.Flush();
         out.WriteLine("300");
     },
     {draw(1, 0, 0, 28, QStringLiteral("学费") + repeat(17, u' ')), draw(1, 294, 0, 28, "300")}},
    {"WrapsBeforeTheFirstCharacterThatDoesNotFit",
     [](auto& out) {
         out.SetFontSize(10);
         out.WriteLine(repeat(30, u'a'));
     },
     {draw(1, 0, 0, 28, repeat(27, u'a')), draw(1, 0, 37, 28, "aaa")}},
    {"PartEndingExactlyAtTheRightLimitFits",
     [](auto& out) {
         out.SetFontSize(10);
         out.WriteLine(repeat(28, u'a') + "b");
     },
     {draw(1, 0, 0, 28, repeat(28, u'a')), draw(1, 0, 37, 28, "b")},
     {392, 1622, 203}},
    {"DoubleWidthCharacterIsNeverSplit",
     [](auto& out) {
         out.SetFontSize(10);
         out.WriteLine(repeat(26, u'a') + QStringLiteral("学学"));
     },
     {draw(1, 0, 0, 28, repeat(26, u'a')), draw(1, 0, 37, 28, QStringLiteral("学学"))}},
    {"EachWrappedLineTakesTheHeightOfWhatIsOnIt",
     [](auto& out) {
         out.SetFontSize(12);
         out.Write(repeat(20, u'a'));
         out.Flush();
         out.SetFontSize(10);
         out.WriteLine("bbbbb");
         out.WriteLine("c");
     },
     {draw(1, 0, 0, 34, repeat(20, u'a')), draw(1, 340, 0, 28, "bbb"), draw(1, 0, 44, 28, "bb"),
      draw(1, 0, 81, 28, "c")}},
    {"TabsStopAtMultiplesOfEightAverageWidths",
     [](auto& out) {
         out.SetFontSize(10);
         out.WriteLine("\tx\ty");
     },
     {draw(1, 112, 0, 28, "x"), draw(1, 224, 0, 28, "y")}},
    {"TabGoesPastTheNextStopWhenOnePixelShortOfIt",
     [](auto& out) {
         out.SetFontSize(1);
         out.WriteLine("aaaaaa\tx");
         out.WriteLine("aaaaaaa\tx");
         out.WriteLine("aaaaaaaa\tx");
         out.WriteLine("\tx");
     },
     {draw(1, 0, 0, 3, "aaaaaa"), draw(1, 8, 0, 3, "x"), draw(1, 0, 5, 3, "aaaaaaa"), draw(1, 16, 5, 3, "x"),
      draw(1, 0, 10, 3, "aaaaaaaa"), draw(1, 16, 10, 3, "x"), draw(1, 8, 15, 3, "x")}},
    {"TabPastTheRightLimitEndsTheLine",
     [](auto& out) {
         out.SetFontSize(10);
         out.WriteLine(repeat(27, u'a') + "\tx");
     },
     {draw(1, 0, 0, 28, repeat(27, u'a')), draw(1, 0, 37, 28, "x")}},
    {"CarriageReturnAloneDoesNotMove",
     [](auto& out) {
         out.SetFontSize(10);
         out.Write("ab\rcd");
         out.Flush();
     },
     {draw(1, 0, 0, 28, "ab"), draw(1, 28, 0, 28, "cd")}},
    {"FormFeedStartsAPageAndKeepsTheLineHeight",
     [](auto& out) {
         out.SetFontSize(10);
         out.WriteLine("a");
         out.Write("b\fc");
         out.WriteLine("");
         out.WriteLine("d");
     },
     {draw(1, 0, 0, 28, "a"), draw(1, 0, 37, 28, "b"), draw(2, 0, 0, 28, "c"), draw(2, 0, 37, 28, "d")}},
    // Nothing is drawn after the form feed, so the line end can only move by the interrupted 12-point line's
    // height (44), not by the 10-point cell (35).
    {"FormFeedKeepsTheInterruptedLinesHeightForItsLineEnd",
     [](auto& out) {
         out.SetFontSize(12);
         out.Write("b");
         out.Flush();
         out.SetFontSize(10);
         out.Write("\f");
         out.WriteLine("");
         out.WriteLine("d");
     },
     {draw(1, 0, 0, 34, "b"), draw(2, 0, 44, 28, "d")}},
    {"FullPendingBufferIsDrawnAsOnePiece",
     [](auto& out) {
         out.SetFontSize(10);
         out.Write(repeat(200, u'a'));
         out.WriteLine("");
     },
     {draw(1, 0, 0, 28, repeat(128, u'a')), draw(1, 1792, 0, 28, repeat(72, u'a'))},
     {4000, 1622, 203}},
    {"DoubleWidthCharacterAtTheBufferEndGoesWholeIntoTheNext",
     [](auto& out) {
         out.SetFontSize(10);
         out.Write(repeat(127, u'a') + QStringLiteral("学b"));
         out.Flush();
     },
     {draw(1, 0, 0, 28, repeat(127, u'a')), draw(1, 1778, 0, 28, QStringLiteral("学b"))},
     {4000, 1622, 203}},
    {"CloseDrawsPendingTextOnTheCurrentLine",
     [](auto& out) {
         out.SetFontSize(10);
         out.WriteLine("a");
         out.Write("bc");
     },
     {draw(1, 0, 0, 28, "a"), draw(1, 0, 37, 28, "bc")}},
    {"NewPageWhenTwoLinesNoLongerFit",
     [](auto& out) {
         out.SetFontSize(10);
         for (int line = 0; line < 5; ++line)
             out.WriteLine("x");
     },
     {draw(1, 0, 0, 28, "x"), draw(1, 0, 37, 28, "x"), draw(1, 0, 74, 28, "x"), draw(1, 0, 111, 28, "x"),
      draw(2, 0, 0, 28, "x")},
     {384, 200, 203}},
    {"EmptyLinesRunToTheBottomItself",
     [](auto& out) {
         out.SetFontSize(10);
         for (int line = 0; line < 3; ++line)
             out.WriteLine("");
         out.WriteLine("x");
     },
     {draw(2, 0, 0, 28, "x")},
     {384, 100, 203}},
    {"CharacterWiderThanThePaperGoesAloneOnItsLine",
     [](auto& out) {
         out.SetFontSize(10);
         out.WriteLine(QStringLiteral("学a学学"));
     },
     {draw(1, 0, 0, 28, QStringLiteral("学")), draw(1, 0, 37, 28, "a"), draw(1, 0, 74, 28, QStringLiteral("学")),
      draw(1, 0, 111, 28, QStringLiteral("学"))},
     {20, 1622, 203}},
};

INSTANTIATE_TEST_SUITE_P(Table, LineOutputDraws, testing::ValuesIn(kDrawCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LineOutputJob, IsOneDocumentWithAnEmptyName)
{
    const PrintRecord record = runJob([](auto& out) { out.WriteLine("a"); });
    EXPECT_EQ(record.events, (QStringList{"startDocument \"\"", "startPage", draw(1, 0, 0, 23, "a"),
                                          "endPage", "endDocument"}));
}

TEST(LineOutputJob, CloseEndsThePageALineEndStartedEmpty)
{
    const PrintRecord record = runJob(
        [](auto& out) {
            out.SetFontSize(10);
            out.WriteLine("x");
            out.WriteLine("x");
        },
        {384, 120, 203});
    EXPECT_EQ(record.events,
              (QStringList{"startDocument \"\"", "startPage", draw(1, 0, 0, 28, "x"), draw(1, 0, 37, 28, "x"),
                           "endPage", "startPage", "endPage", "endDocument"}));
}

TEST(LineOutputJob, LaterJobsUseTheSameDeviceAndStartAtTheTop)
{
    auto record = std::make_shared<PrintRecord>();
    TPrinterLineOutput output(recordingDevices(record));
    for (int job = 0; job < 2; ++job) {
        output.Open();
        output.SetFontSize(10);
        output.WriteLine("a");
        output.Write("b");
        output.Close();
    }
    EXPECT_EQ(record->devicesCreated, 1);
    EXPECT_EQ(record->documents, (QStringList{"", ""}));
    const QStringList oneJob{draw(1, 0, 0, 28, "a"), draw(1, 0, 37, 28, "b")};
    EXPECT_EQ(record->draws, oneJob + oneJob);
}

// The font belongs to the output: its point size survives jobs and the move from the screen's 96 dpi to
// the printer's resolution.
struct FontCase
{
    const char* name;
    std::function<void(TPrinterLineOutput&)> beforeOpen;
    std::function<void(TPrinterLineOutput&)> firstJob;
    int resolution;
    int height; // of the text drawn in a second job that sets no size
};

void PrintTo(const FontCase& font, std::ostream* out)
{
    *out << font.name;
}

class LineOutputFont : public testing::TestWithParam<FontCase>
{
};

TEST_P(LineOutputFont, KeepsItsPointSize)
{
    const FontCase& font = GetParam();
    auto record = std::make_shared<PrintRecord>();
    TPrinterLineOutput output(recordingDevices(record, {384, 1622, font.resolution}));
    font.beforeOpen(output);
    output.Open();
    font.firstJob(output);
    output.Close();
    output.Open();
    output.WriteLine("x");
    output.Close();
    EXPECT_EQ(record->draws.last(), draw(1, 0, 0, font.height, "x"));
}

const FontCase kFontCases[] = {
    {"DefaultIsEightPoints", [](auto&) {}, [](auto&) {}, 203, 23},
    {"TwelvePointsSetBeforeTheFirstJob", [](auto& out) { out.SetFontSize(12); }, [](auto&) {}, 203, 34},
    {"TenPointsSetBeforeTheFirstJob", [](auto& out) { out.SetFontSize(10); }, [](auto&) {}, 203, 28},
    {"TenPointsAt300Dpi", [](auto& out) { out.SetFontSize(10); }, [](auto&) {}, 300, 42},
    {"SizeSetInOneJobHoldsInTheNext", [](auto&) {}, [](auto& out) { out.SetFontSize(12); }, 203, 34},
};

INSTANTIATE_TEST_SUITE_P(Table, LineOutputFont, testing::ValuesIn(kFontCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LineOutputFont, ReportsItsPointSize)
{
    TPrinterLineOutput output(recordingDevices(std::make_shared<PrintRecord>()));
    EXPECT_EQ(output.fontSize(), 8);
    output.SetFontSize(12);
    output.Open();
    EXPECT_EQ(output.fontSize(), 12);
}

// The message a call fails with, or "" when it does not.
QString failureOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const Failure& failure) {
        return failure.message();
    }
    return {};
}

TEST(LineOutputFailures, NeverOpenedOutputIsAnIoError)
{
    TPrinterLineOutput output(recordingDevices(std::make_shared<PrintRecord>()));
    EXPECT_EQ(failureOf([&] { output.Write("a"); }), "I/O error 105");
    EXPECT_EQ(failureOf([&] { output.WriteLine("a"); }), "I/O error 105");
    EXPECT_EQ(failureOf([&] { output.Flush(); }), "I/O error 103");
    EXPECT_EQ(failureOf([&] { output.Close(); }), "I/O error 103");
    EXPECT_EQ(failureOf([&] { output.SetFontSize(10); }), "");
}

TEST(LineOutputFailures, SecondOpenIsRefusedAndTheJobGoesOn)
{
    auto record = std::make_shared<PrintRecord>();
    TPrinterLineOutput output(recordingDevices(record));
    output.Open();
    output.WriteLine("a");
    EXPECT_EQ(failureOf([&] { output.Open(); }), "Printing in progress");
    output.WriteLine("b");
    output.Close();
    EXPECT_EQ(record->documents.size(), 1);
    EXPECT_EQ(record->draws, (QStringList{draw(1, 0, 0, 23, "a"), draw(1, 0, 30, 23, "b")}));
}

TEST(LineOutputFailures, DrawingAfterCloseIsNotPrinting)
{
    auto record = std::make_shared<PrintRecord>();
    TPrinterLineOutput output(recordingDevices(record));
    output.Open();
    output.Close();
    EXPECT_EQ(failureOf([&] { output.Flush(); }), "");
    EXPECT_EQ(failureOf([&] { output.Write("a"); }), "");
    EXPECT_EQ(failureOf([&] { output.WriteLine("b"); }), "Printer is not currently printing");
    EXPECT_EQ(failureOf([&] { output.Close(); }), "Printer is not currently printing");
    EXPECT_TRUE(record->draws.isEmpty());
}

TEST(LineOutputFailures, FailedLookupLeavesTheOutputIdleAndIsTriedAgain)
{
    auto record = std::make_shared<PrintRecord>();
    const PrintDeviceFactory devices = recordingDevices(record);
    QStringList answers{"no printer", "no device", "device"};
    TPrinterLineOutput output([&]() -> std::unique_ptr<PrintDevice> {
        const QString answer = answers.takeFirst();
        if (answer == "no printer")
            throw Failure("There is no default printer currently selected", "EPrinter");
        return answer == "device" ? devices() : nullptr;
    });
    EXPECT_EQ(failureOf([&] { output.Open(); }), "There is no default printer currently selected");
    EXPECT_FALSE(output.isPrinting());
    EXPECT_EQ(failureOf([&] { output.Open(); }), "Printer selected is not valid");
    EXPECT_FALSE(output.isPrinting());
    EXPECT_EQ(failureOf([&] { output.Open(); }), "");
    EXPECT_TRUE(output.isPrinting());
    output.Close();
    EXPECT_EQ(record->documents.size(), 1);
}

// A receipt that fails half-way must not leave its job open: every later receipt would be refused.
TEST(LineOutputAbandonedJob, GuardEndsTheJobWithWhatWasDrawn)
{
    auto record = std::make_shared<PrintRecord>();
    TPrinterLineOutput output(recordingDevices(record));
    const QString failure = failureOf([&] {
        output.Open();
        PrintJobGuard job(output);
        output.WriteLine("drawn");
        output.Write("pending");
        throw Failure("ADOQuery1: Cannot perform this operation on a closed dataset");
    });
    EXPECT_EQ(failure, "ADOQuery1: Cannot perform this operation on a closed dataset");
    EXPECT_FALSE(output.isPrinting());
    EXPECT_EQ(record->events, (QStringList{"startDocument \"\"", "startPage", draw(1, 0, 0, 23, "drawn"),
                                           "endPage", "endDocument"}));

    output.Open();
    output.WriteLine("next");
    output.Close();
    EXPECT_EQ(record->draws.last(), draw(1, 0, 0, 23, "next"));
}

TEST(LineOutputAbandonedJob, GuardLeavesAClosedJobAlone)
{
    auto record = std::make_shared<PrintRecord>();
    TPrinterLineOutput output(recordingDevices(record));
    {
        output.Open();
        PrintJobGuard job(output);
        output.WriteLine("a");
        output.Close();
    }
    EXPECT_EQ(record->events.count("endDocument"), 1);
}

TEST(LineOutputAbandonedJob, OutputEndsAnOpenJobWhenItGoes)
{
    auto record = std::make_shared<PrintRecord>();
    {
        TPrinterLineOutput output(recordingDevices(record));
        output.Open();
        output.WriteLine("a");
        output.Write("lost");
    }
    EXPECT_EQ(record->events.mid(3), (QStringList{"endPage", "endDocument"}));
}
} // namespace
