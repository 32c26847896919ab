#pragma once

#include <QByteArray>

class QImage;

// One ESC/POS raster job, built from one-bit pictures row by row: ESC @, then the inked rows as GS v 0
// bands, with every run of white rows between them sent as a paper feed (ESC J), which costs three bytes
// where raster would cost a whole row. White rows after the last inked row are neither sent nor fed. ESC J
// counts dots on the 203 dpi receipt printers this is for.
class EscPosRaster
{
public:
    // A job for a printer dotsAcross dots wide, begun with ESC @.
    explicit EscPosRaster(int dotsAcross);

    // Appends the first `rows` rows of a QImage::Format_Mono picture dotsAcross wide whose colour index 1
    // is ink.
    void appendRows(const QImage& picture, int rows);
    // Ends the job and gives its bytes: without a cutter, a feed of tearOffFeed dots brings the last row
    // to the tear bar; with one, GS V 66 0 feeds to the cutter and cuts, the printer knowing its own
    // distance.
    QByteArray finish(int tearOffFeed, bool cutter);

private:
    void appendInkedRow(const char* row);
    void sendBand();
    void sendFeed(int dots);

    int m_dotsAcross;
    int m_bytesPerRow;
    unsigned char m_lastByteMask;
    QByteArray m_bytes;
    QByteArray m_band;
    int m_bandRows = 0;
    int m_whiteRows = 0; // white rows not yet fed
};
