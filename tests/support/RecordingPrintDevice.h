#pragma once

#include "printing/DocumentDevice.h"
#include "text/Cp936.h"

#include <QStringList>
#include <memory>

// The paper a recording device reports, in device pixels.
struct RecordedPaper
{
    int width = 384; // 48 mm at 203 dpi
    int height = 1622;
    int resolution = 203;
};

// Everything the line output asked of its devices, in order.
struct PrintRecord
{
    int devicesCreated = 0;
    int page = 0;          // pages started in the current document
    QStringList events;    // every document and page call and every draw
    QStringList draws;     // "p<page> (<x>,<y>) h<height> <text>"
    QStringList documents; // names of the documents started
};

// A print device with a fixed-width font model: at character height h a code page 936 unit is h/2 pixels
// wide (a Chinese character h), the cell is h + h/4 high, and "x" is one unit wide. Its finished job is the
// document's draws, one a line.
class RecordingPrintDevice : public DocumentDevice
{
public:
    RecordingPrintDevice(std::shared_ptr<PrintRecord> record, RecordedPaper paper)
        : m_record(std::move(record)), m_paper(paper)
    {
    }

    void startDocument(const QString& name) override
    {
        m_record->documents.append(name);
        m_record->events.append(QStringLiteral("startDocument \"%1\"").arg(name));
        m_record->page = 0;
        m_document.clear();
    }
    void endDocument() override { m_record->events.append(QStringLiteral("endDocument")); }
    void startPage() override
    {
        ++m_record->page;
        m_record->events.append(QStringLiteral("startPage"));
    }
    void endPage() override { m_record->events.append(QStringLiteral("endPage")); }

    int printableWidth() const override { return m_paper.width; }
    int printableHeight() const override { return m_paper.height; }
    int verticalResolution() const override { return m_paper.resolution; }

    void selectFont(int characterHeight) override { m_height = characterHeight; }
    QSize textExtent(const QString& text) override { return {cp936Width(text) * unit(), cellHeight()}; }
    int cellHeight() override { return m_height + m_height / 4; }
    int averageCharWidth() override { return unit(); }

    void drawText(int x, int y, const QString& text) override
    {
        const QString draw =
            QStringLiteral("p%1 (%2,%3) h%4 %5").arg(m_record->page).arg(x).arg(y).arg(m_height).arg(text);
        m_record->draws.append(draw);
        m_record->events.append(draw);
        m_document.append(draw);
    }

    JobDocument finishedJob() const override
    {
        return {QByteArrayLiteral("text/plain"), m_document.join(u'\n').toUtf8()};
    }

private:
    int unit() const { return m_height / 2; }

    std::shared_ptr<PrintRecord> m_record;
    RecordedPaper m_paper;
    int m_height = 0;
    QStringList m_document;
};

inline PrintDeviceFactory recordingDevices(std::shared_ptr<PrintRecord> record, RecordedPaper paper = {})
{
    return [record, paper]() -> std::unique_ptr<PrintDevice> {
        ++record->devicesCreated;
        return std::make_unique<RecordingPrintDevice>(record, paper);
    };
}

// The same devices for whatever queue the receipt printer chose; the queue's resolution is the paper's.
inline DocumentDeviceFactory recordingQueueDevices(std::shared_ptr<PrintRecord> record,
                                                   RecordedPaper paper = {})
{
    return [record, paper](const PrinterQueue&) -> std::unique_ptr<DocumentDevice> {
        ++record->devicesCreated;
        return std::make_unique<RecordingPrintDevice>(record, paper);
    };
}
