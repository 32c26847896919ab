#include "tests/gui/widgets/WidgetHost.h"

#include <QApplication>
#include <QCursor>
#include <QTest>

WidgetHost::WidgetHost(QSize size)
{
    setFixedSize(size);
    QPalette own = palette();
    own.setColor(QPalette::Window, background);
    own.setColor(QPalette::WindowText, Qt::black);
    setPalette(own);
    setAutoFillBackground(true);
    move(100, 100);
}

bool WidgetHost::showActive()
{
    show();
    activateWindow();
    return QTest::qWaitForWindowExposed(this) && QTest::qWaitForWindowActive(this);
}

QImage WidgetHost::shot() const
{
    return const_cast<WidgetHost*>(this)->grab().toImage();
}

QColor WidgetHost::pixel(const QWidget& widget, QPoint point) const
{
    return shot().pixelColor(widget.mapTo(this, point));
}

QRect WidgetHost::inkBounds(const QWidget& widget, QRect area, const QColor& colour) const
{
    const QImage image = shot();
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(widget.mapTo(this, QPoint(x, y))) != colour)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

void movePointer(const QWidget& widget, QPoint point)
{
    QCursor::setPos(widget.mapToGlobal(point));
    QApplication::processEvents();
}

void movePointerAway()
{
    QCursor::setPos(5, 5);
    QApplication::processEvents();
}
