#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

// A shown, active top-level window with a plain known background, for the flat controls under test.
class WidgetHost : public QWidget
{
public:
    static inline const QColor background{0x12, 0x34, 0x56};

    explicit WidgetHost(QSize size = {300, 200});

    // Shows the window and waits until it is exposed and the program's active window.
    bool showActive();

    // The window as it is drawn now, with the point of a widget inside it.
    QImage shot() const;
    QColor pixel(const QWidget& widget, QPoint point) const;
    // The bounding box, in the widget's coordinates, of the pixels inside area of the widget that differ
    // from colour (the ink of a caption over a plain face).
    QRect inkBounds(const QWidget& widget, QRect area, const QColor& colour) const;
};

// Puts the pointer on a point of a widget, as the windowing system would, and lets the events arrive.
void movePointer(const QWidget& widget, QPoint point);
// Puts the pointer on a spot of the screen where no window of the program lies.
void movePointerAway();
