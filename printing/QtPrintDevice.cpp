#include "printing/QtPrintDevice.h"

#include "printing/PainterPrintDevice.h"
#include "text/Failure.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>
#include <cmath>
#include <cups/cups.h>
#include <optional>

namespace {
template <auto release> struct Releaser
{
    template <typename T> void operator()(T* handle) const { release(handle); }
};

void freeDest(cups_dest_t* dest)
{
    cupsFreeDests(1, dest);
}

// The vertical resolution the printer prints at unless told otherwise, as CUPS reports it.
std::optional<int> defaultVerticalResolution(const QString& printerName)
{
    const QStringList parts = printerName.split(u'/');
    const QByteArray name = parts.value(0).toLocal8Bit();
    const QByteArray instance = parts.value(1).toLocal8Bit();
    std::unique_ptr<cups_dest_t, Releaser<freeDest>> dest(cupsGetNamedDest(
        CUPS_HTTP_DEFAULT, name.constData(), instance.isEmpty() ? nullptr : instance.constData()));
    if (!dest)
        return std::nullopt;
    std::unique_ptr<cups_dinfo_t, Releaser<cupsFreeDestInfo>> info(
        cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest.get()));
    if (!info)
        return std::nullopt;
    ipp_attribute_t* attribute =
        cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest.get(), info.get(), "printer-resolution");
    if (!attribute || ippGetValueTag(attribute) != IPP_TAG_RESOLUTION)
        return std::nullopt;
    int vertical = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    ippGetResolution(attribute, 0, &vertical, &units);
    if (units == IPP_RES_PER_CM)
        vertical = int(std::lround(vertical * 2.54));
    return vertical > 0 ? std::optional<int>(vertical) : std::nullopt;
}

class QtPrintDevice : public PainterPrintDevice
{
public:
    explicit QtPrintDevice(const QPrinterInfo& printer) : m_printer(printer, QPrinter::HighResolution)
    {
        m_printer.setPageSize(printer.defaultPageSize());
        if (const auto resolution = defaultVerticalResolution(printer.printerName()))
            m_printer.setResolution(*resolution);
    }

    // The painter must let go of the printer before the printer goes.
    ~QtPrintDevice() override
    {
        if (isPainting())
            endPainting();
    }

    bool isValid() const { return m_printer.isValid(); }

    void startDocument(const QString& name) override
    {
        m_printer.setDocName(name);
        beginPainting();
        m_pageOpen = true; // Qt opens the first page with the document
    }

    void endDocument() override { endPainting(); }

    void startPage() override
    {
        if (!m_pageOpen)
            m_printer.newPage();
        m_pageOpen = true;
    }

    void endPage() override { m_pageOpen = false; }

    int printableWidth() const override { return m_printer.pageRect(QPrinter::DevicePixel).toRect().width(); }
    int printableHeight() const override
    {
        return m_printer.pageRect(QPrinter::DevicePixel).toRect().height();
    }
    int verticalResolution() const override { return m_printer.logicalDpiY(); }

protected:
    QPaintDevice& paintDevice() override { return m_printer; }

private:
    QPrinter m_printer;
    bool m_pageOpen = false;
};

// Which printer is ours for the run: chosen once, among the printers listed at the first lookup.
struct PrinterChoice
{
    std::optional<QStringList> printers;
    QString chosen;

    QString printerName()
    {
        if (!chosen.isEmpty())
            return chosen;
        const QString defaultName = QPrinterInfo::defaultPrinterName();
        if (!printers)
            printers = QPrinterInfo::availablePrinterNames();
        if (defaultName.isEmpty() || !printers->contains(defaultName))
            throw Failure(QStringLiteral("There is no default printer currently selected"),
                          QStringLiteral("EPrinter"));
        chosen = defaultName;
        return chosen;
    }
};
} // namespace

PrintDeviceFactory qtPrintDeviceFactory()
{
    auto choice = std::make_shared<PrinterChoice>();
    return [choice]() -> std::unique_ptr<PrintDevice> {
        const QPrinterInfo printer = QPrinterInfo::printerInfo(choice->printerName());
        if (printer.isNull())
            return nullptr;
        auto device = std::make_unique<QtPrintDevice>(printer);
        if (!device->isValid())
            return nullptr;
        return device;
    };
}
