// Receipts of 20 and 1,000 items through the program's own print path into a private CUPS: as a PDF to the
// virtual 58 mm, 203 dpi driver queue and as ESC/POS raster to a raw queue. For each: the time to compose the
// lines, the time from the click to the job known (queue asked, receipt drawn, job submitted), the time
// until the queue is done, the job's bytes, and the paper a 90 mm/s thermal printer needs for it.
// Needs root (it starts a cupsd of its own).

#include "printing/CupsPrintSystem.h"
#include "printing/QueueDevices.h"
#include "printing/ReceiptPrinter.h"
#include "receipt/ReceiptItems.h"
#include "tests/e2e/CupsSandbox.h"
#include "tests/support/SampleReceipt.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr double kPrinterMillimetresPerSecond = 90;
constexpr int kRuns = 9;

// What one job took: the paper its text reaches down to and the bytes submitted.
struct JobMeasure
{
    double paperPixels = 0;
    int resolution = 0;
    qsizetype bytes = 0;
};

// Passes everything to the queue's real device and notes how much paper the document takes: every page but
// the last is fed whole, the last only down to its lowest text.
class MeasuringDevice : public DocumentDevice
{
public:
    MeasuringDevice(std::unique_ptr<DocumentDevice> device, JobMeasure* measure)
        : m_device(std::move(device)), m_measure(measure)
    {
    }

    void startDocument(const QString& name) override
    {
        m_pageBottoms.clear();
        m_device->startDocument(name);
    }
    void endDocument() override
    {
        m_device->endDocument();
        m_measure->paperPixels = double(m_pageBottoms.size() - 1) * printableHeight() + m_pageBottoms.back();
        m_measure->resolution = verticalResolution();
    }
    void startPage() override
    {
        m_pageBottoms.push_back(0);
        m_device->startPage();
    }
    void endPage() override { m_device->endPage(); }
    int printableWidth() const override { return m_device->printableWidth(); }
    int printableHeight() const override { return m_device->printableHeight(); }
    int verticalResolution() const override { return m_device->verticalResolution(); }
    void selectFont(int characterHeight) override { m_device->selectFont(characterHeight); }
    QSize textExtent(const QString& text) override { return m_device->textExtent(text); }
    int cellHeight() override { return m_device->cellHeight(); }
    int averageCharWidth() override { return m_device->averageCharWidth(); }
    void drawText(int x, int y, const QString& text) override
    {
        m_pageBottoms.back() = std::max(m_pageBottoms.back(), y + cellHeight());
        m_device->drawText(x, y, text);
    }
    JobDocument finishedJob() const override
    {
        JobDocument job = m_device->finishedJob();
        m_measure->bytes = job.bytes.size();
        return job;
    }

private:
    std::unique_ptr<DocumentDevice> m_device;
    JobMeasure* m_measure;
    std::vector<int> m_pageBottoms;
};

QList<ReceiptItem> items(int count)
{
    QList<ReceiptItem> result;
    for (int at = 0; at < count; ++at)
        result.append({QStringLiteral("第%1项学杂费").arg(at + 1), QString::number(10 + at % 90) + ".5"});
    return result;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool makeDefault(const CupsSandbox& cups, const QString& queue)
{
    const QString problem = cups.admin(QStringLiteral("lpadmin"), {QStringLiteral("-d"), queue});
    if (!problem.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(problem));
    return problem.isEmpty();
}
} // namespace

int main(int argc, char** argv)
{
    if (!CupsSandbox::runningAsRoot()) {
        std::fprintf(stderr, "receipt_print_bench starts a cupsd of its own and needs root.\n");
        return 77;
    }
    CupsSandbox cups;
    if (const QString problem = cups.start(); !problem.isEmpty()) {
        std::fprintf(stderr, "cannot start the CUPS sandbox: %s\n", qPrintable(problem));
        return 1;
    }
    QGuiApplication app(argc, argv);

    std::printf("%-8s %6s %11s %15s %14s %10s %12s %9s %16s %13s\n", "path", "items", "compose ms",
                "click to job ms", "queue done ms", "bytes", "bytes/row", "paper mm", "printer 90mm/s ms",
                "job/paper %");
    for (const QString& queue : {CupsSandbox::queue, CupsSandbox::rawQueue}) {
        if (!makeDefault(cups, queue))
            return 1;
        JobMeasure measure;
        ReceiptPrinter printer(std::make_shared<CupsPrintSystem>(), [&measure](const PrinterQueue& chosen) {
            return std::make_unique<MeasuringDevice>(queueDevices(chosen), &measure);
        });
        QObject::connect(&printer, &ReceiptPrinter::jobProblem, [](const QString& message) {
            std::fprintf(stderr, "job problem: %s\n", qPrintable(message));
        });
        for (const int count : {20, 1000}) {
            const QList<ReceiptItem> rows = items(count);
            std::vector<double> compose, toJob, done;
            for (int run = 0; run < kRuns; ++run) {
                QElapsedTimer timer;
                timer.start();
                if (receiptLines(sampleReceiptFields(), rows).isEmpty())
                    return 1;
                compose.push_back(timer.nsecsElapsed() / 1e6);

                ReceiptItemList source(rows);
                timer.restart();
                printer.print(sampleReceiptFields(), source);
                toJob.push_back(timer.nsecsElapsed() / 1e6);
                if (!cups.waitUntilIdle()) {
                    std::fprintf(stderr, "the queue did not finish the job\n");
                    return 1;
                }
                done.push_back(timer.nsecsElapsed() / 1e6);
            }
            const double dotRows = measure.paperPixels;
            const double paperMillimetres = dotRows / measure.resolution * 25.4;
            const double paperMs = paperMillimetres / kPrinterMillimetresPerSecond * 1000;
            std::printf("%-8s %6d %11.3f %15.1f %14.1f %10lld %12.1f %9.1f %16.0f %13.2f\n",
                        queue == CupsSandbox::rawQueue ? "ESC/POS" : "PDF", count, median(compose),
                        median(toJob), median(done), static_cast<long long>(measure.bytes),
                        measure.bytes / dotRows, paperMillimetres, paperMs,
                        (median(compose) + median(toJob)) / paperMs * 100);
        }
    }
    return 0;
}
