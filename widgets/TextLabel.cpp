#include "widgets/TextLabel.h"

#include <QPainter>

namespace {
// The substitute face (Noto Sans CJK) fills its ideographs' em square from 0.88 em above the baseline to 0.12
// em below it, as the Windows faces fill the character height from the top of the line.
constexpr double kEmAboveBaseline = 0.88;
} // namespace

TextLabel::TextLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

int TextLabel::baseline() const
{
    return qRound(QFontInfo(font()).pixelSize() * kEmAboveBaseline);
}

void TextLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(QPoint(0, baseline()), text());
}
