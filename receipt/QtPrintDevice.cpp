#include "receipt/QtPrintDevice.h"

#include "text/Failure.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>
#include <cmath>
#include <cups/cups.h>
#include <optional>

namespace {
const QString kFontFamily = QStringLiteral("Noto Sans Mono CJK SC");

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

class QtPrintDevice : public PrintDevice
{
public:
    explicit QtPrintDevice(const QPrinterInfo& printer) : m_printer(printer, QPrinter::HighResolution)
    {
        m_printer.setPageSize(printer.defaultPageSize());
        if (const auto resolution = defaultVerticalResolution(printer.printerName()))
            m_printer.setResolution(*resolution);
        m_font.setStyleHint(QFont::TypeWriter);
        m_font.setPixelSize(1);
    }

    bool isValid() const { return m_printer.isValid(); }

    void startDocument(const QString& name) override
    {
        m_printer.setDocName(name);
        m_painter.begin(&m_printer);
        m_painter.setPen(Qt::black);
        m_painter.setBackground(Qt::white);
        m_painter.setBackgroundMode(Qt::OpaqueMode);
        m_painter.setFont(m_font);
        m_pageOpen = true; // Qt opens the first page with the document
    }

    void endDocument() override { m_painter.end(); }

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

    void selectFont(int characterHeight) override
    {
        const int pixels = qMax(1, characterHeight);
        if (pixels == m_font.pixelSize())
            return;
        m_font.setPixelSize(pixels);
        if (m_painter.isActive())
            m_painter.setFont(m_font);
    }

    QSize textExtent(const QString& text) override
    {
        const QFontMetrics metrics = fontMetrics();
        return {metrics.horizontalAdvance(text), metrics.height()};
    }

    int cellHeight() override { return fontMetrics().height(); }
    // As the printing system defines it, the width of "x": one half-width column in this font. (The font's
    // own average is taken over its Chinese characters too, and would put tab stops 16 columns apart.)
    int averageCharWidth() override { return fontMetrics().horizontalAdvance(u'x'); }

    void drawText(int x, int y, const QString& text) override
    {
        m_painter.drawText(x, y + fontMetrics().ascent(), text);
    }

private:
    QFontMetrics fontMetrics() const { return QFontMetrics(m_font, &m_printer); }

    QPrinter m_printer;
    QPainter m_painter;
    QFont m_font{kFontFamily};
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
