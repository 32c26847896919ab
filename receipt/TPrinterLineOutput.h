#pragma once

#include "receipt/PrintDevice.h"

#include <QString>
#include <QStringView>
#include <memory>

// Puts lines of text on the printer as one job per Open/Close: keeps a drawing position in device pixels,
// wraps at the printable width, moves down by measured line heights and starts a new page near the bottom.
// Tab, line feed, form feed and carriage return move the position instead of being drawn. Widths of the
// pending buffer are counted in code page 936 units.
class TPrinterLineOutput
{
public:
    explicit TPrinterLineOutput(PrintDeviceFactory factory);
    // A job still open is ended where it stands, so what was drawn is printed.
    ~TPrinterLineOutput();
    TPrinterLineOutput(const TPrinterLineOutput&) = delete;
    TPrinterLineOutput& operator=(const TPrinterLineOutput&) = delete;

    void Open();
    // Applies to everything drawn afterwards, text still pending included. The size outlives the job.
    void SetFontSize(int points);
    void Write(const QString& text);
    void WriteLine(const QString& text);
    void Flush();
    void Close();

    // Ends an open job where it stands: the current page and the document are ended, pending text is
    // dropped. Does nothing when no job is open.
    void endJob() noexcept;
    bool isPrinting() const { return m_printing; }
    int fontSize() const;

private:
    void drawPending();
    void drawText(QStringView text);
    void drawPiece(QStringView piece);
    void moveToTabStop();
    void endLine();
    void newPage();
    void checkPrinting() const;
    void selectFont();
    QSize measure(QStringView text);

    PrintDeviceFactory m_factory;
    std::unique_ptr<PrintDevice> m_device;
    bool m_opened = false;
    bool m_printing = false;
    int m_fontHeight;     // negative: the character height in pixels at m_fontResolution
    int m_fontResolution; // pixels per inch that m_fontHeight refers to

    QString m_pending;
    int m_curX = 0;
    int m_curY = 0;
    int m_rightLimit = 0;
    int m_bottomLimit = 0;
    int m_lineHeight = 0;
};

// Ends the job if the receipt fails half-way, so that a failed receipt does not block every later one
// with "Printing in progress". After Close it does nothing.
class PrintJobGuard
{
public:
    explicit PrintJobGuard(TPrinterLineOutput& output) : m_output(output) {}
    ~PrintJobGuard() { m_output.endJob(); }
    PrintJobGuard(const PrintJobGuard&) = delete;
    PrintJobGuard& operator=(const PrintJobGuard&) = delete;

private:
    TPrinterLineOutput& m_output;
};
