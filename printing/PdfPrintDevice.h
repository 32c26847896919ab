#pragma once

#include "printing/PainterPrintDevice.h"
#include "printing/PrinterQueue.h"

#include <QBuffer>
#include <QPageLayout>
#include <memory>

class QPdfWriter;

// The receipt as a PDF for a queue with a driver: pages of the queue's paper at its resolution, drawn in
// memory. The finished job is the PDF's bytes; one that could not be drawn is a failure, never an empty job.
class PdfPrintDevice : public PainterPrintDevice
{
public:
    explicit PdfPrintDevice(const PrinterQueue& queue);
    ~PdfPrintDevice() override;

    void startDocument(const QString& name) override;
    void endDocument() override;
    void startPage() override;
    void endPage() override;
    int printableWidth() const override;
    int printableHeight() const override;
    int verticalResolution() const override;
    JobDocument finishedJob() const override;

protected:
    QPaintDevice& paintDevice() override;

private:
    void newWriter(const QString& title);

    QPageLayout m_layout;
    int m_resolution;
    QBuffer m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
    QByteArray m_document;
    bool m_pageOpen = false;
    bool m_drawn = false;
};
