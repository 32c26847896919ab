#include "printing/EscPosPrintDevice.h"

#include "printing/PrintMessages.h"
#include "text/Failure.h"

#include <QtGlobal>
#include <algorithm>

namespace {
// The picture a page starts with, in inches of paper; it grows by doubling.
constexpr int kFirstPageInches = 8;
// From the print head to the tear bar of a small receipt printer.
constexpr double kTearOffMillimetres = 12;
constexpr double kMillimetresPerInch = 25.4;

Failure outOfMemory()
{
    return Failure(QStringLiteral("Out of memory"), QStringLiteral("EOutOfMemory"));
}

// A printer with no dots across or no resolution, as a queue might misreport it, cannot take a picture.
int checkedDots(int dots)
{
    if (dots <= 0)
        throw Failure(QStringLiteral("Printer selected is not valid"), QStringLiteral("EPrinter"));
    return dots;
}
} // namespace

EscPosPrintDevice::EscPosPrintDevice(int dotsAcross, int resolution, bool cutter)
    : m_dotsAcross(checkedDots(dotsAcross)), m_resolution(checkedDots(resolution)), m_cutter(cutter),
      m_page(blankPage(kFirstPageInches * resolution))
{
}

EscPosPrintDevice::~EscPosPrintDevice()
{
    if (isPainting())
        endPainting();
}

void EscPosPrintDevice::startDocument(const QString&)
{
    m_document.clear();
    m_raster.emplace(m_dotsAcross);
    openPage();
}

void EscPosPrintDevice::endDocument()
{
    endPage();
    if (!m_raster)
        return;
    const int tearOffFeed = qRound(m_resolution * kTearOffMillimetres / kMillimetresPerInch);
    m_document = m_raster->finish(tearOffFeed, m_cutter);
    m_raster.reset();
}

void EscPosPrintDevice::startPage()
{
    if (!m_pageOpen)
        openPage();
}

void EscPosPrintDevice::endPage()
{
    if (!m_pageOpen)
        return;
    m_pageOpen = false;
    endPainting(); // a painter on a picture always ends well
    if (m_raster)
        m_raster->appendRows(m_page, m_pageExtent);
}

JobDocument EscPosPrintDevice::finishedJob() const
{
    if (m_document.isEmpty())
        throw Failure(PrintMessages::notDrawn(), QStringLiteral("EPrinter"));
    return {documentFormat().toLatin1(), m_document};
}

void EscPosPrintDevice::drawText(int x, int y, const QString& text)
{
    const int cell = cellHeight();
    // A cell of room below the line, for any glyph that reaches past the font's own cell.
    const int rowsNeeded = y + 2 * cell;
    if (rowsNeeded > m_page.height())
        growPage(std::max(rowsNeeded, 2 * m_page.height()));
    PainterPrintDevice::drawText(x, y, text);
    m_pageExtent = std::max(m_pageExtent, y + cell);
}

// White where nothing is drawn: colour index 0 is paper, index 1 a burnt dot, as ESC/POS raster has it.
QImage EscPosPrintDevice::blankPage(int rows) const
{
    QImage page(m_dotsAcross, rows, QImage::Format_Mono);
    if (page.isNull())
        throw outOfMemory();
    page.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    const int dotsPerMetre = qRound(m_resolution * 1000 / kMillimetresPerInch);
    page.setDotsPerMeterX(dotsPerMetre);
    page.setDotsPerMeterY(dotsPerMetre);
    page.fill(0);
    return page;
}

// Each page starts from the picture of the one before, wiped, so a long first page is not grown again.
void EscPosPrintDevice::openPage()
{
    m_page.fill(0);
    m_pageExtent = 0;
    beginPage();
    m_pageOpen = true;
}

void EscPosPrintDevice::growPage(int rows)
{
    endPainting();
    QImage taller = blankPage(rows);
    std::copy_n(m_page.constBits(), m_page.sizeInBytes(), taller.bits());
    m_page = std::move(taller);
    beginPage();
}

// QPainter refuses only a picture that could not be allocated.
void EscPosPrintDevice::beginPage()
{
    if (!beginPainting())
        throw outOfMemory();
}
