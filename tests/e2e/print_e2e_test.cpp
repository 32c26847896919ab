#include "app/ReceiptApplication.h"
#include "receipt/QtPrintDevice.h"
#include "receipt/ReceiptPrinting.h"
#include "receipt/TPrinterLineOutput.h"
#include "store/Dataset.h"
#include "tests/e2e/CupsSandbox.h"
#include "tests/support/GTestQt.h"
#include "tests/support/WindowFixture.h"
#include "text/Failure.h"
#include "text/FormatSettings.h"
#include "widgets/FlatEdit.h"
#include "widgets/FlatSpeedButton.h"

#include <QPrinterInfo>
#include <QProcess>
#include <QTest>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <iostream>

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

ReceiptFields sampleFields()
{
    ReceiptFields fields;
    fields.title = QStringLiteral("禾岚幼儿园收费小票");
    fields.student = QStringLiteral("李小明");
    fields.total = QStringLiteral("392.5");
    fields.remark1 = QStringLiteral("QQ:80012345");
    fields.remark2 = QString();
    fields.dateTime = QStringLiteral("2024-03-05 09:07");
    fields.payee = QStringLiteral("018");
    fields.webAddress = QStringLiteral("http://www.example.com");
    fields.contactNumber = QStringLiteral("80012345");
    return fields;
}

class PrintThroughCups : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sandbox->waitUntilIdle());
        ASSERT_EQ(QPrinterInfo::defaultPrinterName(), CupsSandbox::queue)
            << "the sandbox's queue is not the default printer (a ~/.cups/lpoptions naming another?)";
        m_jobsBefore = sandbox->jobs().size();
    }

    // Waits for the one new job and reads its document back.
    PrintedDocument printedJob()
    {
        EXPECT_TRUE(sandbox->waitUntilIdle()) << sandbox->errorLog().toStdString();
        const QList<CupsSandbox::Job> jobs = sandbox->jobs();
        EXPECT_EQ(jobs.size(), m_jobsBefore + 1) << "one receipt must be one print job";
        if (!jobs.isEmpty()) {
            const CupsSandbox::Job& job = jobs.last();
            EXPECT_TRUE(job.completed);
            EXPECT_EQ(job.title, QString()) << "the job must reach CUPS without a name";
        }
        return PrintedDocument::read(sandbox->outputPath());
    }

    qsizetype m_jobsBefore = 0;
};

TEST_F(PrintThroughCups, LineOutputPrintsTheReceiptAsOneJobWithAmountsUnderTheHeader)
{
    const ReceiptFields fields = sampleFields();
    const QList<ReceiptItem> items{{QStringLiteral("学费"), "300"},
                                   {QStringLiteral("午餐费a"), "12.5"},
                                   {QStringLiteral("一二三四五六七八九十"), "40"},
                                   {QStringLiteral("一二三四五六七八九十十一"), "40"}};
    TPrinterLineOutput output(qtPrintDeviceFactory());
    printReceipt(output, fields, items);

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

TEST_F(PrintThroughCups, WindowPrintActionPrintsTheReceiptOfItsFields)
{
    setFormatSettings(FormatSettings());
    auto database = std::make_unique<TestDatabase>();
    database->execute(QStringLiteral("INSERT INTO xiaoshou VALUES ('学费', 300), ('餐费', 12.5)"));
    WindowFixture window(std::move(database));
    window.printDevices = qtPrintDeviceFactory();
    TFormMain& form = window.open();
    QTest::mouseClick(form.FlatSpeedButton5, Qt::LeftButton);
    form.FlatEdit9->setFocus();
    form.FlatEdit9->insert(QStringLiteral("王芳"));
    ReceiptFields fields{form.FlatEdit1->text(),    form.FlatEdit9->text(),
                         form.FlatEdit6->text(),    form.FlatEdit7->text(),
                         form.FlatEdit8->text(),    form.FlatEdit2->text(),
                         form.FlatEdit3->text(),    QStringLiteral("http://www.example.com"),
                         QStringLiteral("80012345")};

    QTest::mouseClick(form.FlatSpeedButton2, Qt::LeftButton);

    EXPECT_EQ(window.dialogs.texts(), QStringList());
    EXPECT_EQ(form.FlatEdit9->text(), QString());
    const PrintedDocument document = printedJob();
    EXPECT_EQ(document.lines, expectedLines(receiptLines(fields, {{QStringLiteral("学费"), "300"},
                                                                  {QStringLiteral("餐费"), "12.5"}})));
    EXPECT_TRUE(document.lines.contains(QStringLiteral("学生:王芳")));
    EXPECT_TRUE(document.lines.contains(QStringLiteral("合计金额:312.5")));
}

// The printers are listed once per run: a queue added later is not seen until the program starts again.
TEST_F(PrintThroughCups, NoPrinterInstalledIsReportedUntilTheNextRun)
{
    const auto openFailure = [](TPrinterLineOutput& output) {
        try {
            output.Open();
        } catch (const Failure& failure) {
            return failure.message();
        }
        return QString();
    };
    sandbox->removeQueue();
    TPrinterLineOutput output(qtPrintDeviceFactory());
    const QString withoutPrinter = openFailure(output);
    sandbox->addQueue();
    const QString afterAdding = openFailure(output);

    EXPECT_EQ(withoutPrinter, QStringLiteral("There is no default printer currently selected"));
    EXPECT_EQ(afterAdding, QStringLiteral("There is no default printer currently selected"));
    EXPECT_FALSE(output.isPrinting());

    TPrinterLineOutput nextRun(qtPrintDeviceFactory());
    EXPECT_EQ(openFailure(nextRun), QString());
    nextRun.endJob();
}
} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (!CupsSandbox::runningAsRoot()) {
        std::cout << "SKIPPED: the end-to-end print tests start a cupsd of their own, which needs root.\n";
        return 77;
    }
    CupsSandbox cups;
    if (const QString problem = cups.start(); !problem.isEmpty()) {
        std::cerr << "cannot start the CUPS sandbox: " << problem.toStdString() << '\n';
        return 1;
    }
    sandbox = &cups;
    ReceiptApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
