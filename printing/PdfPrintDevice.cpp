#include "printing/PdfPrintDevice.h"

#include "printing/PrintMessages.h"
#include "text/Failure.h"

#include <QPageSize>
#include <QPdfWriter>

PdfPrintDevice::PdfPrintDevice(const PrinterQueue& queue)
    : m_layout(QPageSize(queue.paper, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
               QPageLayout::Portrait, queue.margins, QPageLayout::Millimeter, QMarginsF()),
      m_resolution(queue.resolution)
{
    // Text is measured before the first document starts, so there is always a writer to measure on.
    newWriter(QString());
}

PdfPrintDevice::~PdfPrintDevice()
{
    if (isPainting())
        endPainting();
}

void PdfPrintDevice::newWriter(const QString& title)
{
    if (isPainting())
        endPainting();
    m_writer.reset();
    m_buffer.close();
    m_buffer.setData(QByteArray());
    m_buffer.open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(&m_buffer);
    m_writer->setResolution(m_resolution);
    m_writer->setPageLayout(m_layout);
    m_writer->setTitle(title);
}

void PdfPrintDevice::startDocument(const QString& name)
{
    newWriter(name);
    m_document.clear();
    m_drawn = beginPainting(); // Qt opens the first page with the document
    m_pageOpen = true;
}

void PdfPrintDevice::endDocument()
{
    m_drawn = endPainting() && m_drawn;
    m_buffer.close();
    m_document = m_buffer.data();
}

void PdfPrintDevice::startPage()
{
    if (!m_pageOpen)
        m_drawn = m_writer->newPage() && m_drawn;
    m_pageOpen = true;
}

void PdfPrintDevice::endPage()
{
    m_pageOpen = false;
}

int PdfPrintDevice::printableWidth() const
{
    return m_layout.paintRectPixels(m_resolution).width();
}

int PdfPrintDevice::printableHeight() const
{
    return m_layout.paintRectPixels(m_resolution).height();
}

int PdfPrintDevice::verticalResolution() const
{
    return m_resolution;
}

JobDocument PdfPrintDevice::finishedJob() const
{
    if (!m_drawn || m_document.isEmpty())
        throw Failure(PrintMessages::notDrawn(), QStringLiteral("EPrinter"));
    return {QByteArrayLiteral("application/pdf"), m_document};
}

QPaintDevice& PdfPrintDevice::paintDevice()
{
    return *m_writer;
}
