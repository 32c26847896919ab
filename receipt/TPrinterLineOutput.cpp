#include "receipt/TPrinterLineOutput.h"

#include "text/Characters.h"
#include "text/Cp936.h"
#include "text/Failure.h"

#include <QtGlobal>
#include <cstdlib>
#include <utility>

namespace {
constexpr int kPendingCapacity = 128;
constexpr int kPointsPerInch = 72;
// The font a new output starts with: 8 points at the screen's 96 pixels per inch.
constexpr int kDefaultPoints = 8;
constexpr int kScreenResolution = 96;

constexpr QChar kTab = u'\t';
constexpr QChar kLineFeed = u'\n';
constexpr QChar kFormFeed = u'\f';
constexpr QChar kCarriageReturn = u'\r';

// a × b / c rounded to the nearest integer, halves away from zero.
int mulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long quotient = (std::llabs(product) + std::llabs(c) / 2) / std::llabs(c);
    return static_cast<int>((product < 0) != (c < 0) ? -quotient : quotient);
}

int heightForPoints(int points, int resolution)
{
    return -mulDiv(points, resolution, kPointsPerInch);
}

Failure printerError(const char* message)
{
    return Failure(QString::fromLatin1(message), QStringLiteral("EPrinter"));
}

Failure ioError(int code)
{
    return Failure(QStringLiteral("I/O error %1").arg(code), QStringLiteral("EInOutError"));
}

bool isMovement(QChar c)
{
    return c == kTab || c == kLineFeed || c == kFormFeed || c == kCarriageReturn;
}

// The length of the last character of text, so that a surrogate pair is dropped whole.
qsizetype lastCharacterLength(QStringView text)
{
    const qsizetype size = text.size();
    return size >= 2 && text[size - 1].isLowSurrogate() && text[size - 2].isHighSurrogate() ? 2 : 1;
}
} // namespace

TPrinterLineOutput::TPrinterLineOutput(PrintDeviceFactory factory)
    : m_factory(std::move(factory)), m_fontHeight(heightForPoints(kDefaultPoints, kScreenResolution)),
      m_fontResolution(kScreenResolution)
{
}

TPrinterLineOutput::~TPrinterLineOutput()
{
    endJob();
}

void TPrinterLineOutput::Open()
{
    if (m_printing)
        throw printerError("Printing in progress");
    if (!m_device) {
        m_device = m_factory();
        if (!m_device)
            throw printerError("Printer selected is not valid");
    }
    const int resolution = m_device->verticalResolution();
    if (m_fontResolution != resolution) {
        const int points = fontSize();
        m_fontResolution = resolution;
        m_fontHeight = heightForPoints(points, resolution);
    }
    m_printing = true;
    m_opened = true;
    m_device->startDocument(QString());
    m_device->startPage();
    m_curX = 0;
    m_curY = 0;
    m_rightLimit = m_device->printableWidth();
    m_bottomLimit = m_device->printableHeight();
    m_lineHeight = 0;
    m_pending.clear();
}

void TPrinterLineOutput::SetFontSize(int points)
{
    m_fontHeight = heightForPoints(points, m_fontResolution);
}

int TPrinterLineOutput::fontSize() const
{
    return -mulDiv(m_fontHeight, kPointsPerInch, m_fontResolution);
}

void TPrinterLineOutput::Write(const QString& text)
{
    if (!m_opened)
        throw ioError(105);
    m_pending += text;
    // A full buffer is drawn at once. A double-width character that would straddle the end of the buffer
    // goes whole into the next one.
    for (;;) {
        const qsizetype chunk = cp936PrefixLength(m_pending, kPendingCapacity);
        if (chunk == m_pending.size() && cp936Width(m_pending) < kPendingCapacity)
            break;
        const QString full = m_pending.left(chunk);
        m_pending.remove(0, chunk);
        drawText(full);
    }
}

void TPrinterLineOutput::WriteLine(const QString& text)
{
    Write(text);
    Write(QStringLiteral("\r\n"));
    drawPending();
}

void TPrinterLineOutput::Flush()
{
    if (!m_opened)
        throw ioError(103);
    drawPending();
}

void TPrinterLineOutput::Close()
{
    if (!m_opened)
        throw ioError(103);
    drawPending();
    checkPrinting();
    m_device->endPage();
    m_device->endDocument();
    m_printing = false;
}

void TPrinterLineOutput::endJob() noexcept
{
    if (!m_printing)
        return;
    m_pending.clear();
    m_device->endPage();
    m_device->endDocument();
    m_printing = false;
}

void TPrinterLineOutput::drawPending()
{
    drawText(std::exchange(m_pending, QString()));
}

void TPrinterLineOutput::drawText(QStringView text)
{
    qsizetype runStart = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text[at];
        if (!isMovement(c))
            continue;
        if (at > runStart)
            drawPiece(text.sliced(runStart, at - runStart));
        runStart = at + 1;
        if (c == kTab)
            moveToTabStop();
        else if (c == kLineFeed)
            endLine();
        else if (c == kFormFeed)
            newPage();
    }
    if (runStart < text.size())
        drawPiece(text.sliced(runStart));
}

void TPrinterLineOutput::drawPiece(QStringView piece)
{
    checkPrinting();
    QStringView rest = piece;
    while (!rest.isEmpty()) {
        QStringView part = rest;
        QSize extent = measure(part);
        while (!part.isEmpty() && m_curX + extent.width() > m_rightLimit) {
            part.chop(lastCharacterLength(part));
            extent = measure(part);
        }
        if (part.isEmpty() && m_curX == 0) {
            // A character wider than the whole line fits nowhere: it goes alone on its line, cut by the
            // paper's edge, instead of pushing out empty lines and pages for ever.
            part = rest.first(characterEnd(rest, 0));
            extent = measure(part);
        }
        if (extent.height() > m_lineHeight)
            m_lineHeight = extent.height() + 2;
        if (!part.isEmpty())
            m_device->drawText(m_curX, m_curY, part.toString());
        rest = rest.sliced(part.size());
        if (rest.isEmpty())
            m_curX += extent.width();
        else
            endLine();
    }
}

void TPrinterLineOutput::moveToTabStop()
{
    selectFont();
    const int step = qMax(1, int(quint16(8 * m_device->averageCharWidth())));
    m_curX = ((m_curX + 1) / step + 1) * step;
    if (m_curX > m_rightLimit)
        endLine();
}

void TPrinterLineOutput::endLine()
{
    m_curX = 0;
    if (m_lineHeight != 0) {
        m_curY += m_lineHeight;
    } else {
        selectFont();
        m_curY += m_device->cellHeight();
    }
    if (m_curY > m_bottomLimit - 2 * m_lineHeight)
        newPage();
    m_lineHeight = 0;
}

void TPrinterLineOutput::newPage()
{
    checkPrinting();
    m_curX = 0;
    m_curY = 0;
    m_device->endPage();
    m_device->startPage();
}

void TPrinterLineOutput::checkPrinting() const
{
    if (!m_printing)
        throw printerError("Printer is not currently printing");
}

void TPrinterLineOutput::selectFont()
{
    m_device->selectFont(-m_fontHeight);
}

QSize TPrinterLineOutput::measure(QStringView text)
{
    selectFont();
    return m_device->textExtent(text.toString());
}
