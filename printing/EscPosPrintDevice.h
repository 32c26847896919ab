#pragma once

#include "printing/EscPosRaster.h"
#include "printing/PainterPrintDevice.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <limits>
#include <optional>

// A receipt printer without a driver: each page is drawn with the shared painter code onto a one-bit picture
// at the printer's dots, and the document becomes one ESC/POS raster job that CUPS passes to the printer
// unchanged.
//
// A receipt roll has no fixed length, so neither has the page: its picture grows as lines are drawn further
// down, and the line output is told a page height that no receipt reaches. Only a form feed starts a new
// page, which follows the last one on the roll.
class EscPosPrintDevice : public PainterPrintDevice
{
public:
    // 48 mm printable across a 58 mm roll at 203 dpi.
    static constexpr int kDefaultDotsAcross = 384;
    static constexpr int kDefaultResolution = 203;
    // The page height the line output is told: one it never reaches, leaving it room for its sums.
    static constexpr int kRollRows = std::numeric_limits<int>::max() / 4;

    explicit EscPosPrintDevice(int dotsAcross = kDefaultDotsAcross, int resolution = kDefaultResolution,
                               bool cutter = false);
    ~EscPosPrintDevice() override;

    // The bytes of the job ended last by endDocument().
    QByteArray document() const { return m_document; }
    // What CUPS is told the document is: bytes for the printer as they stand.
    static QString documentFormat() { return QStringLiteral("application/vnd.cups-raw"); }
    JobDocument finishedJob() const override;

    // Raw printers print no document names: the name is not used.
    void startDocument(const QString& name) override;
    void endDocument() override;
    void startPage() override;
    void endPage() override;

    int printableWidth() const override { return m_dotsAcross; }
    int printableHeight() const override { return kRollRows; }
    int verticalResolution() const override { return m_resolution; }

    void drawText(int x, int y, const QString& text) override;

protected:
    QPaintDevice& paintDevice() override { return m_page; }

private:
    QImage blankPage(int rows) const;
    void openPage();
    void growPage(int rows);
    void beginPage();

    int m_dotsAcross;
    int m_resolution;
    bool m_cutter;
    QImage m_page;
    int m_pageExtent = 0; // rows down to the bottom of the lowest text drawn on the page
    bool m_pageOpen = false;
    std::optional<EscPosRaster> m_raster;
    QByteArray m_document;
};
