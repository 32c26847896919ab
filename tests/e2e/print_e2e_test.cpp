#include "printing/CupsPrintSystem.h"
#include "printing/QueueDevices.h"
#include "printing/ReceiptPrinter.h"
#include "receipt/ReceiptItems.h"
#include "receipt/ReceiptPrinting.h"
#include "store/Dataset.h"
#include "tests/e2e/CupsSandbox.h"
#include "tests/e2e/SandboxedTests.h"
#include "tests/support/DirectPicture.h"
#include "tests/support/EscPosReader.h"
#include "tests/support/GTestQt.h"
#include "tests/support/SampleReceipt.h"
#include "tests/support/TestApplication.h"
#include "tests/support/WindowFixture.h"
#include "text/Failure.h"
#include "text/FormatSettings.h"
#include "widgets/FlatEdit.h"
#include "widgets/FlatSpeedButton.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>
#include <cups/ipp.h>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace {
CupsSandbox* sandbox = nullptr;

// One half-width column of the 10-point receipt font at 203 dpi, in PDF points: 14 pixels.
constexpr double kColumnPoints = 14 * 72.0 / 203;

// pdftotext reads some Chinese characters back as the look-alike Kangxi radicals that share their glyph
// in the font (⽣ for 生); the compatibility form folds them together again.
QString folded(const QString& text)
{
    return text.normalized(QString::NormalizationForm_KC).simplified();
}

QByteArray pdftotext(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext " << arguments.join(' ').toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput();
}

struct PrintedWord
{
    double x = 0;
    double y = 0;
    QString text;
};

// The printed document as it lies on the queue's device: its lines of text in order and its words with
// their places.
struct PrintedDocument
{
    QStringList lines;
    QList<PrintedWord> words;
    QList<QSizeF> pages;

    static PrintedDocument read(const QString& path)
    {
        PrintedDocument document;
        for (const QString& line : QString::fromUtf8(pdftotext({"-raw", path, "-"})).split(u'\n')) {
            if (!folded(line).isEmpty())
                document.lines.append(folded(line));
        }
        QXmlStreamReader xml(pdftotext({"-bbox", path, "-"}));
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const auto attributes = xml.attributes();
            if (xml.name() == u"page")
                document.pages.append(
                    {attributes.value("width").toDouble(), attributes.value("height").toDouble()});
            else if (xml.name() == u"word")
                document.words.append({attributes.value("xMin").toDouble(),
                                       attributes.value("yMin").toDouble(), folded(xml.readElementText())});
        }
        return document;
    }

    const PrintedWord* word(const QString& text) const
    {
        for (const PrintedWord& word : words) {
            if (word.text == text)
                return &word;
        }
        ADD_FAILURE() << "no word " << text.toStdString() << " printed";
        return nullptr;
    }
};

// What the receipt's lines must read as, once printed: blank lines leave no text.
QStringList expectedLines(const QList<ReceiptLine>& lines)
{
    QStringList result;
    for (const ReceiptLine& line : lines) {
        if (!folded(line.text).isEmpty())
            result.append(folded(line.text));
    }
    return result;
}

const QString kQueue = CupsSandbox::queue;

// Chinese arrives through the input method as committed text, not as key clicks.
void typeStudent(TFormMain& form, const QString& name)
{
    form.FlatEdit9->setFocus();
    form.FlatEdit9->clear();
    form.FlatEdit9->insert(name);
}

// The receipt's fields as the window shows them.
ReceiptFields fieldsOf(const TFormMain& form)
{
    return {form.FlatEdit1->text(),    form.FlatEdit9->text(),
            form.FlatEdit6->text(),    form.FlatEdit7->text(),
            form.FlatEdit8->text(),    form.FlatEdit2->text(),
            form.FlatEdit3->text(),    QStringLiteral("http://www.example.com"),
            QStringLiteral("80012345")};
}

int lastJobId()
{
    int last = 0;
    for (const CupsSandbox::Job& job : sandbox->jobs())
        last = std::max(last, job.id);
    return last;
}

QList<CupsSandbox::Job> jobsAfter(int id)
{
    QList<CupsSandbox::Job> result;
    for (const CupsSandbox::Job& job : sandbox->jobs()) {
        if (job.id > id)
            result.append(job);
    }
    return result;
}

void expectOk(const QString& problem)
{
    EXPECT_EQ(problem, QString());
}

class PrintThroughCups : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sandbox->waitUntilIdle());
        m_lastJob = lastJobId();
    }

    // Waits for the one new job and reads its document back.
    PrintedDocument printedJob()
    {
        EXPECT_TRUE(sandbox->waitUntilIdle()) << sandbox->errorLog().toStdString();
        const QList<CupsSandbox::Job> jobs = jobsAfter(m_lastJob);
        EXPECT_EQ(jobs.size(), 1) << "one receipt must be one print job";
        if (!jobs.isEmpty()) {
            const CupsSandbox::Job& job = jobs.last();
            m_lastJob = job.id;
            EXPECT_TRUE(job.completed);
            EXPECT_EQ(job.title, QString()) << "the job must reach CUPS without a name";
        }
        return PrintedDocument::read(sandbox->outputPath());
    }

    // The window over the real print system and devices, with two fee items.
    std::unique_ptr<WindowFixture> window()
    {
        setFormatSettings(FormatSettings());
        auto database = std::make_unique<TestDatabase>();
        database->execute(QStringLiteral("INSERT INTO xiaoshou VALUES ('学费', 300), ('餐费', 12.5)"));
        auto fixture = std::make_unique<WindowFixture>(std::move(database));
        fixture->printSystem = std::make_shared<CupsPrintSystem>();
        fixture->printDevices = queueDevices;
        fixture->open();
        return fixture;
    }

    int m_lastJob = 0;
};

TEST_F(PrintThroughCups, ReceiptPrinterPrintsTheReceiptAsOneJobWithAmountsUnderTheHeader)
{
    const ReceiptFields fields = sampleReceiptFields();
    const QList<ReceiptItem> items{{QStringLiteral("学费"), "300"},
                                   {QStringLiteral("午餐费a"), "12.5"},
                                   {QStringLiteral("一二三四五六七八九十"), "40"},
                                   {QStringLiteral("一二三四五六七八九十十一"), "40"}};
    ReceiptPrinter printer(std::make_shared<CupsPrintSystem>(), queueDevices);
    ReceiptItemList source(items);
    printer.print(fields, source);

    const PrintedDocument document = printedJob();
    EXPECT_EQ(document.lines, expectedLines(receiptLines(fields, items)));

    ASSERT_EQ(document.pages.size(), 1);
    EXPECT_NEAR(document.pages[0].width(), 164, 1) << "not the queue's 58 mm paper";

    const PrintedWord* left = document.word(QStringLiteral("学费"));
    const PrintedWord* header = document.word(QStringLiteral("金额"));
    ASSERT_TRUE(left && header);
    // 21 half-width columns at 10 points and 203 dpi, in a font whose Latin letters are half as wide.
    EXPECT_NEAR(header->x - left->x, 21 * kColumnPoints, 0.05);
    for (const char* amount : {"300", "12.5"}) {
        const PrintedWord* word = document.word(QString::fromLatin1(amount));
        ASSERT_TRUE(word);
        EXPECT_NEAR(word->x, header->x, 0.05) << amount;
    }
    const QList<PrintedWord>& words = document.words;
    const auto forty = std::find_if(words.begin(), words.end(), [](const auto& w) { return w.text == "40"; });
    ASSERT_NE(forty, words.end());
    EXPECT_NEAR(forty->x, header->x, 0.05) << "a name of 20 units keeps the column";
    const auto longName = std::find_if(forty + 1, words.end(), [](const auto& w) { return w.text == "40"; });
    ASSERT_NE(longName, words.end());
    EXPECT_NEAR(longName->x - left->x, 25 * kColumnPoints, 0.05) << "a longer name pushes its amount right";
}

// A clerk's day: the second receipt of the run goes through the same printer output and device as the
// first, and comes out whole with its own student.
TEST_F(PrintThroughCups, WindowPrintsTwoReceiptsInOneRun)
{
    auto fixture = window();
    TFormMain& form = fixture->form();
    QTest::mouseClick(form.FlatSpeedButton5, Qt::LeftButton);
    for (const QString& student : {QStringLiteral("王芳"), QStringLiteral("李小明")}) {
        typeStudent(form, student);
        const ReceiptFields fields = fieldsOf(form);

        QTest::mouseClick(form.FlatSpeedButton2, Qt::LeftButton);

        EXPECT_EQ(form.FlatEdit9->text(), QString());
        const PrintedDocument document = printedJob();
        EXPECT_EQ(document.lines, expectedLines(receiptLines(fields, {{QStringLiteral("学费"), "300"},
                                                                      {QStringLiteral("餐费"), "12.5"}})));
        EXPECT_TRUE(document.lines.contains(QStringLiteral("学生:") + student));
        EXPECT_TRUE(document.lines.contains(QStringLiteral("合计金额:312.5")));
    }
    QTest::qWait(300); // the watcher of the last job has its answer
    EXPECT_EQ(fixture->dialogs.texts(), QStringList());
}

// What the window does when the print system is not well. Every case ends with the print system mended
// and a receipt that prints, without restarting the program.
struct FaultCase
{
    const char* name;
    bool firstPrint = false;    // a receipt printed before the fault, in the same run
    bool schedulerDown = false; // cupsd cannot answer until mended
    std::function<void()> fault;
    QStringList boxes;           // the boxes' texts; one ending in "…" is the start of the text
    bool studentCleared = false; // only where a job exists and the clerk is told of it
    std::optional<int> jobState; // the new job's IPP state; none: no job may exist
    std::function<void()> mend;
};

void PrintTo(const FaultCase& fault, std::ostream* out)
{
    *out << fault.name;
}

QString deviceUri(const QString& file)
{
    return QStringLiteral("file://") + file;
}

const FaultCase kFaultCases[] = {
    {"QueueRejectingJobs",
     false,
     false,
     [] { expectOk(sandbox->admin("cupsreject", {kQueue})); },
     {QStringLiteral("提示：打印机“POS58”不接受打印任务，小票没有打印!")},
     false,
     std::nullopt,
     [] { expectOk(sandbox->admin("cupsaccept", {kQueue})); }},
    {"DefaultPrinterDeletedAfterAFirstPrint",
     true,
     false,
     [] { sandbox->removeQueue(); },
     {QStringLiteral("There is no default printer currently selected.")},
     false,
     std::nullopt,
     [] { sandbox->addQueue(); }},
    {"SchedulerStoppedAfterAFirstPrint",
     true,
     true,
     [] { sandbox->stop(); },
     {QStringLiteral("提示：连接不上打印系统，打印机“POS58”无法使用，小票没有打印!")},
     false,
     std::nullopt,
     [] { expectOk(sandbox->start()); }},
    {"DeviceFails",
     false,
     false,
     [] {
         expectOk(
             sandbox->admin("lpadmin", {"-p", kQueue, "-v", deviceUri("/nonexistent-folder/POS58.pdf")}));
     },
     {QStringLiteral("提示：打印机“POS58”没有打出小票：…")},
     true,
     IPP_JSTATE_CANCELED,
     [] {
         expectOk(sandbox->admin("lpadmin", {"-p", kQueue, "-v", deviceUri(sandbox->outputPath())}));
         expectOk(sandbox->admin("cupsenable", {kQueue}));
     }},
    {"QueuePaused",
     false,
     false,
     [] { expectOk(sandbox->admin("cupsdisable", {kQueue})); },
     {QStringLiteral("提示：打印机“POS58”已暂停，小票在队列中等待，打印机恢复后才会打出，请不要重打!")},
     true,
     IPP_JSTATE_PENDING,
     [] { expectOk(sandbox->admin("cupsenable", {kQueue})); }},
    {"SchedulerStoppedBeforeTheFirstPrint",
     false,
     true,
     [] { sandbox->stop(); },
     {QStringLiteral("提示：连接不上打印系统，小票没有打印!")},
     false,
     std::nullopt,
     [] { expectOk(sandbox->start()); }},
    // A second click while the window waits is refused, as a second print while one runs always was.
    {"SchedulerFrozen",
     false,
     true,
     [] { sandbox->freeze(); },
     {QStringLiteral("Printing in progress."), QStringLiteral("提示：打印系统没有响应，小票没有打印!")},
     false,
     std::nullopt,
     [] { sandbox->thaw(); }},
};

bool boxesMatch(const QStringList& shown, const QStringList& expected)
{
    if (shown.size() != expected.size())
        return false;
    for (qsizetype at = 0; at < shown.size(); ++at) {
        const QString& want = expected[at];
        if (want.endsWith(u'…') ? !shown[at].startsWith(want.chopped(1)) : shown[at] != want)
            return false;
    }
    return true;
}

class PrintFaults : public PrintThroughCups, public testing::WithParamInterface<FaultCase>
{
};

TEST_P(PrintFaults, AreToldWithinTheLimitAndPrintingRecovers)
{
    const FaultCase& fault = GetParam();
    auto fixture = window();
    TFormMain& form = fixture->form();
    if (fault.firstPrint) {
        typeStudent(form, QStringLiteral("王芳"));
        QTest::mouseClick(form.FlatSpeedButton2, Qt::LeftButton);
        printedJob();
        QTest::qWait(300);
        ASSERT_EQ(fixture->dialogs.texts(), QStringList());
    }
    const int lastJob = lastJobId();
    fault.fault();
    typeStudent(form, QStringLiteral("李小明"));

    // The window's own clock goes on while the print system is asked.
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(100);
    if (fault.boxes.size() > 1)
        QTimer::singleShot(1000, form.FlatSpeedButton2,
                           [&] { QTest::mouseClick(form.FlatSpeedButton2, Qt::LeftButton); });
    QElapsedTimer click;
    click.start();
    QTest::mouseClick(form.FlatSpeedButton2, Qt::LeftButton);
    const qint64 clickMs = click.elapsed();

    EXPECT_LE(clickMs, ReceiptPrinter::kAnswerLimitMs + 1000) << "the click held the window";
    if (clickMs > 1000) {
        EXPECT_GE(ticks, clickMs / 100 / 2) << "the window did not answer while it waited";
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return boxesMatch(fixture->dialogs.texts(), fault.boxes); },
                                ReceiptPrinter::kWatchMs + 2000))
        << fixture->dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(form.FlatEdit9->text(), fault.studentCleared ? QString() : QStringLiteral("李小明"));

    const auto checkJobs = [&] {
        const QList<CupsSandbox::Job> jobs = jobsAfter(lastJob);
        if (!fault.jobState) {
            EXPECT_EQ(jobs.size(), 0) << "a job exists for a receipt the clerk was told did not print";
            return;
        }
        ASSERT_EQ(jobs.size(), 1);
        EXPECT_EQ(jobs.first().state, *fault.jobState);
    };
    if (!fault.schedulerDown)
        checkJobs();
    fault.mend();
    if (fault.schedulerDown)
        checkJobs();

    ASSERT_TRUE(sandbox->waitUntilIdle());
    const int mendedJob = lastJobId();
    fixture->dialogs.requests.clear();
    typeStudent(form, QStringLiteral("赵小红"));
    QTest::mouseClick(form.FlatSpeedButton2, Qt::LeftButton);
    EXPECT_EQ(form.FlatEdit9->text(), QString()) << fixture->dialogs.texts().join(u'|').toStdString();
    ASSERT_TRUE(sandbox->waitUntilIdle());
    QTest::qWait(300);
    EXPECT_EQ(fixture->dialogs.texts(), QStringList());
    const QList<CupsSandbox::Job> mended = jobsAfter(mendedJob);
    ASSERT_EQ(mended.size(), 1);
    EXPECT_TRUE(mended.first().completed);
    EXPECT_TRUE(PrintedDocument::read(sandbox->outputPath()).lines.contains(QStringLiteral("学生:赵小红")));
}

INSTANTIATE_TEST_SUITE_P(Cups, PrintFaults, testing::ValuesIn(kFaultCases),
                         [](const testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

// The queue decides how the receipt is drawn: its driver gets a PDF, a raw queue ESC/POS raster, and the
// queue's receipt-output option overrides either. A queue that names no resolution or paper gets 203 dpi
// and 48 mm across.
TEST_F(PrintThroughCups, QueueDecidesOutputResolutionAndDots)
{
    struct Case
    {
        QString queue;
        QString option; // a default the queue is given, "name=value"; empty: none
        PrinterQueue::Output output;
        bool cutter = false;
    };
    const Case cases[] = {
        {kQueue, {}, PrinterQueue::Output::Driver},
        {CupsSandbox::rawQueue, {}, PrinterQueue::Output::EscPos},
        {kQueue, QStringLiteral("receipt-output=escpos"), PrinterQueue::Output::EscPos},
        {CupsSandbox::rawQueue, QStringLiteral("receipt-output=driver"), PrinterQueue::Output::Driver},
        {CupsSandbox::rawQueue, QStringLiteral("receipt-cutter=yes"), PrinterQueue::Output::EscPos, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.queue + u' ' + c.option).toStdString());
        const QString name = c.option.section(u'=', 0, 0) + QStringLiteral("-default");
        if (!c.option.isEmpty())
            expectOk(
                sandbox->admin("lpadmin", {"-p", c.queue, "-o", name + u'=' + c.option.section(u'=', 1)}));
        const PrinterQueue queue = CupsPrintSystem().queue(c.queue);
        if (!c.option.isEmpty())
            expectOk(sandbox->admin("lpadmin", {"-p", c.queue, "-R", name}));
        EXPECT_EQ(queue.name, c.queue);
        EXPECT_EQ(queue.output, c.output);
        EXPECT_EQ(queue.cutter, c.cutter);
        EXPECT_EQ(queue.resolution, 203);
        const auto device = queueDevices(queue);
        EXPECT_EQ(device->printableWidth(), 384);
        EXPECT_EQ(device->verticalResolution(), 203);
    }
}

// A raw queue as the default printer: the window's clicks reach the printer as ESC/POS raster jobs whose
// pictures are, dot for dot, the page the same line output draws directly, twice in one run.
TEST_F(PrintThroughCups, RawQueueGetsTheSamePageAsEscPosRaster)
{
    expectOk(sandbox->admin("lpadmin", {"-d", CupsSandbox::rawQueue}));
    const auto driverQueueAgain = qScopeGuard([] { expectOk(sandbox->admin("lpadmin", {"-d", kQueue})); });
    auto fixture = window();
    TFormMain& form = fixture->form();
    for (const QString& student : {QStringLiteral("王芳"), QStringLiteral("李小明")}) {
        SCOPED_TRACE(student.toStdString());
        QFile::remove(sandbox->rawOutputPath());
        typeStudent(form, student);
        const ReceiptFields fields = fieldsOf(form);

        QTest::mouseClick(form.FlatSpeedButton2, Qt::LeftButton);

        EXPECT_EQ(form.FlatEdit9->text(), QString());
        ASSERT_TRUE(sandbox->waitUntilIdle());
        QFile received(sandbox->rawOutputPath());
        ASSERT_TRUE(received.open(QIODevice::ReadOnly)) << sandbox->errorLog().toStdString();
        const QByteArray bytes = received.readAll();
        const EscPosJob job = readEscPos(bytes);
        ASSERT_EQ(job.error, QString());
        EXPECT_EQ(job.picture.width(), 384);
        EXPECT_EQ(job.commands.first(), QStringLiteral("ESC @"));
        EXPECT_TRUE(job.commands.last().startsWith(QStringLiteral("ESC J ")))
            << job.commands.last().toStdString();
        EXPECT_LE(bytes.size(), 48 * job.picture.height()) << "bytes per printed dot row";

        Printer<DirectPictureDevice> direct([] { return std::make_unique<DirectPictureDevice>(); });
        ReceiptItemList items({{QStringLiteral("学费"), "300"}, {QStringLiteral("餐费"), "12.5"}});
        printReceipt(direct.output, fields, items);
        EXPECT_EQ(inkedRows(job.picture), inkedRows(direct.device->picture()));
    }
    QTest::qWait(300);
    EXPECT_EQ(fixture->dialogs.texts(), QStringList());
}
} // namespace

int main(int argc, char** argv)
{
    return runSandboxedTests<TestApplication>(argc, argv, "the end-to-end print tests", sandbox);
}
