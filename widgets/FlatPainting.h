#pragma once

class QColor;
class QFontMetrics;
class QPainter;
class QPoint;
class QRect;
class QString;

// Drawing steps the flat controls share.
namespace FlatPainting {

// A one-pixel edge on the outermost pixels of rect: top and left in topLeft, bottom and right in
// bottomRight, which also takes the two corners where they meet.
void drawEdge(QPainter& painter, const QRect& rect, const QColor& topLeft, const QColor& bottomRight);

// The baseline origin of a one-line text centred in rect; trailing spaces count in its width.
QPoint centredTextOrigin(const QRect& rect, const QFontMetrics& metrics, const QString& text);

} // namespace FlatPainting
