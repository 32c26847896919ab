// Time to compose a receipt and to spool it to a virtual 58 mm, 203 dpi CUPS queue, beside the time a
// 90 mm/s thermal printer needs for the paper it takes. Needs root (it starts a cupsd of its own).

#include "printing/QtPrintDevice.h"
#include "receipt/ReceiptPrinting.h"
#include "receipt/TPrinterLineOutput.h"
#include "tests/e2e/CupsSandbox.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr double kPrinterMillimetresPerSecond = 90;
constexpr int kRuns = 5;

// Passes everything to the real device and notes how much paper the document takes: every page but the
// last is fed whole, the last only down to its lowest text.
class MeasuringDevice : public PrintDevice
{
public:
    MeasuringDevice(std::unique_ptr<PrintDevice> device, double* paperPixels)
        : m_device(std::move(device)), m_paperPixels(paperPixels)
    {
    }

    void startDocument(const QString& name) override
    {
        m_pageBottoms.clear();
        m_device->startDocument(name);
    }
    void endDocument() override
    {
        *m_paperPixels = double(m_pageBottoms.size() - 1) * printableHeight() + m_pageBottoms.back();
        m_device->endDocument();
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

private:
    std::unique_ptr<PrintDevice> m_device;
    double* m_paperPixels;
    std::vector<int> m_pageBottoms;
};

QList<ReceiptItem> items(int count)
{
    QList<ReceiptItem> result;
    for (int at = 0; at < count; ++at)
        result.append({QStringLiteral("第%1项学杂费").arg(at + 1), QString::number(10 + at % 90) + ".5"});
    return result;
}

ReceiptFields fields()
{
    return {QStringLiteral("禾岚幼儿园收费小票"),
            QStringLiteral("李小明"),
            QStringLiteral("1234.5"),
            QStringLiteral("QQ:80012345"),
            QStringLiteral("可以支付宝购买，安全."),
            QStringLiteral("2024-03-05 09:07"),
            QStringLiteral("018"),
            QStringLiteral("http://www.example.com"),
            QStringLiteral("80012345")};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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

    double paperPixels = 0;
    int resolution = 0;
    const PrintDeviceFactory qtDevices = qtPrintDeviceFactory();
    TPrinterLineOutput output([&]() -> std::unique_ptr<PrintDevice> {
        auto device = qtDevices();
        if (!device)
            return nullptr;
        resolution = device->verticalResolution();
        return std::make_unique<MeasuringDevice>(std::move(device), &paperPixels);
    });

    std::printf("%6s %12s %12s %14s %10s %18s\n", "items", "compose ms", "spool ms", "queue done ms",
                "paper mm", "printer 90mm/s ms");
    for (const int count : {20, 1000}) {
        const QList<ReceiptItem> rows = items(count);
        std::vector<double> compose, spool, done;
        for (int run = 0; run < kRuns; ++run) {
            QElapsedTimer timer;
            timer.start();
            const QList<ReceiptLine> lines = receiptLines(fields(), rows);
            compose.push_back(timer.nsecsElapsed() / 1e6);
            if (lines.isEmpty())
                return 1;

            timer.restart();
            printReceipt(output, fields(), rows);
            spool.push_back(timer.nsecsElapsed() / 1e6);
            if (!cups.waitUntilIdle()) {
                std::fprintf(stderr, "the queue did not finish the job\n");
                return 1;
            }
            done.push_back(timer.nsecsElapsed() / 1e6);
        }
        const double paperMillimetres = paperPixels / resolution * 25.4;
        std::printf("%6d %12.3f %12.1f %14.1f %10.1f %18.0f\n", count, median(compose), median(spool),
                    median(done), paperMillimetres, paperMillimetres / kPrinterMillimetresPerSecond * 1000);
    }
    return 0;
}
