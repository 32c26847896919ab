#pragma once

#include "printing/DocumentDevice.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

class QPaintDevice;

// The text side of a print device, drawn with QPainter onto any paint device: black text on an opaque white
// background, in a font chosen by its character height in device pixels whose Latin letters are exactly half
// as wide as its Chinese characters, so that columns counted in code page 936 units line up.
class PainterPrintDevice : public DocumentDevice
{
public:
    void selectFont(int characterHeight) override;
    QSize textExtent(const QString& text) override;
    int cellHeight() override;
    int averageCharWidth() override;
    void drawText(int x, int y, const QString& text) override;

protected:
    PainterPrintDevice();

    // What text is measured on and drawn onto. A device whose drawing may still be going on when it is
    // destroyed ends it in its own destructor, while its paint device still exists.
    virtual QPaintDevice& paintDevice() = 0;
    // Starts drawing onto paintDevice() in the selected font; QPainter::begin's result.
    bool beginPainting();
    // Ends the drawing begun last; QPainter::end's result.
    bool endPainting();
    bool isPainting() const { return m_painter.isActive(); }

private:
    QFontMetrics fontMetrics();

    QPainter m_painter;
    QFont m_font;
};
