#include "printing/PainterPrintDevice.h"

#include <QPaintDevice>

namespace {
const QString kFontFamily = QStringLiteral("Noto Sans Mono CJK SC");
} // namespace

PainterPrintDevice::PainterPrintDevice() : m_font(kFontFamily)
{
    m_font.setStyleHint(QFont::TypeWriter);
    m_font.setPixelSize(1);
}

bool PainterPrintDevice::beginPainting()
{
    if (!m_painter.begin(&paintDevice()))
        return false;
    m_painter.setPen(Qt::black);
    m_painter.setBackground(Qt::white);
    m_painter.setBackgroundMode(Qt::OpaqueMode);
    m_painter.setFont(m_font);
    return true;
}

bool PainterPrintDevice::endPainting()
{
    return m_painter.end();
}

void PainterPrintDevice::selectFont(int characterHeight)
{
    const int pixels = qMax(1, characterHeight);
    if (pixels == m_font.pixelSize())
        return;
    m_font.setPixelSize(pixels);
    if (m_painter.isActive())
        m_painter.setFont(m_font);
}

QSize PainterPrintDevice::textExtent(const QString& text)
{
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(text), metrics.height()};
}

int PainterPrintDevice::cellHeight()
{
    return fontMetrics().height();
}

// As the printing system defines it, the width of "x": one half-width column in this font. (The font's own
// average is taken over its Chinese characters too, and would put tab stops 16 columns apart.)
int PainterPrintDevice::averageCharWidth()
{
    return fontMetrics().horizontalAdvance(u'x');
}

void PainterPrintDevice::drawText(int x, int y, const QString& text)
{
    m_painter.drawText(x, y + fontMetrics().ascent(), text);
}

QFontMetrics PainterPrintDevice::fontMetrics()
{
    return QFontMetrics(m_font, &paintDevice());
}
