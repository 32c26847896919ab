#include "printing/EscPosRaster.h"

#include <QImage>
#include <QtGlobal>
#include <algorithm>
#include <utility>

namespace {
constexpr char kEsc = 0x1b;
constexpr char kGs = 0x1d;
// Rows per GS v 0 command: a few kilobytes, well inside the receive buffer of a small printer.
constexpr int kBandRows = 128;
// ESC J feeds at most 255 dots at a time.
constexpr int kMaxFeed = 255;

void appendWord(QByteArray& bytes, int value)
{
    bytes.append(char(value & 0xff));
    bytes.append(char((value >> 8) & 0xff));
}
} // namespace

EscPosRaster::EscPosRaster(int dotsAcross)
    : m_dotsAcross(dotsAcross), m_bytesPerRow((dotsAcross + 7) / 8),
      m_lastByteMask(dotsAcross % 8 == 0 ? 0xff : (0xff << (8 - dotsAcross % 8)) & 0xff)
{
    m_bytes.append(kEsc).append('@');
    m_band.reserve(kBandRows * m_bytesPerRow);
}

void EscPosRaster::appendRows(const QImage& picture, int rows)
{
    Q_ASSERT(picture.format() == QImage::Format_Mono);
    Q_ASSERT(picture.width() == m_dotsAcross);
    QByteArray row(m_bytesPerRow, '\0');
    for (int y = 0; y < std::min(rows, picture.height()); ++y) {
        std::copy_n(reinterpret_cast<const char*>(picture.constScanLine(y)), m_bytesPerRow, row.data());
        // Bits past the right edge are padding that may hold anything.
        row[m_bytesPerRow - 1] = char(row[m_bytesPerRow - 1] & m_lastByteMask);
        if (std::all_of(row.cbegin(), row.cend(), [](char byte) { return byte == 0; }))
            ++m_whiteRows;
        else
            appendInkedRow(row.constData());
    }
}

QByteArray EscPosRaster::finish(int tearOffFeed, bool cutter)
{
    sendBand();
    m_whiteRows = 0;
    if (cutter)
        m_bytes.append(kGs).append('V').append(char(66)).append('\0');
    else
        sendFeed(tearOffFeed);
    return m_bytes;
}

void EscPosRaster::appendInkedRow(const char* row)
{
    if (m_whiteRows > 0) {
        sendBand();
        sendFeed(std::exchange(m_whiteRows, 0));
    }
    m_band.append(row, m_bytesPerRow);
    if (++m_bandRows == kBandRows)
        sendBand();
}

// GS v 0 m xL xH yL yH d1...dk, in normal density (m = 0).
void EscPosRaster::sendBand()
{
    if (m_bandRows == 0)
        return;
    m_bytes.append(kGs).append('v').append('0').append('\0');
    appendWord(m_bytes, m_bytesPerRow);
    appendWord(m_bytes, m_bandRows);
    m_bytes.append(m_band);
    m_band.resize(0); // keeps the room for the next band
    m_bandRows = 0;
}

void EscPosRaster::sendFeed(int dots)
{
    for (; dots > 0; dots -= kMaxFeed)
        m_bytes.append(kEsc).append('J').append(char(std::min(dots, kMaxFeed)));
}
