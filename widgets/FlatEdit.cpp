#include "widgets/FlatEdit.h"

#include <QApplication>
#include <QPainter>

FlatEdit::FlatEdit(QWidget* parent) : QLineEdit(parent)
{
    // The frame and the field are painted here; the line edit itself draws only text, caret and selection.
    setFrame(false);
    // The line edit keeps 2 pixels of its own on the left and right of the text.
    setTextMargins(frameWidth - 2, frameWidth, frameWidth - 2, frameWidth);
    QPalette clear = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        clear.setColor(group, QPalette::Base, Qt::transparent);
    setPalette(clear);

    // Another flat edit taking or giving up the focus changes whether the pointer lights this one up.
    connect(qApp, &QApplication::focusChanged, this, [this] {
        if (m_pointerOver)
            update();
    });
}

void FlatEdit::setColorFlat(const QColor& color)
{
    setColorMember(m_colorFlat, color);
}

void FlatEdit::setColorFocused(const QColor& color)
{
    setColorMember(m_colorFocused, color);
}

void FlatEdit::setColorBorder(const QColor& color)
{
    setColorMember(m_colorBorder, color);
}

void FlatEdit::setColorMember(QColor& member, const QColor& color)
{
    member = color;
    update();
}

void FlatEdit::adjustHeight()
{
    resize(width(), fontMetrics().height() + 2 * frameWidth);
}

bool FlatEdit::showsFocused() const
{
    if (hasFocus())
        return true;
    return m_pointerOver && !qobject_cast<FlatEdit*>(QApplication::focusWidget());
}

QColor FlatEdit::fieldColor() const
{
    return showsFocused() ? m_colorFocused : m_colorFlat;
}

void FlatEdit::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.fillRect(rect(), m_colorBorder);
        painter.fillRect(rect().adjusted(1, 1, -1, -1), fieldColor());
    }
    QLineEdit::paintEvent(event);
}

void FlatEdit::enterEvent(QEnterEvent* event)
{
    QLineEdit::enterEvent(event);
    // The pointer is noted only while one of the program's windows is the active one.
    if (QApplication::activeWindow()) {
        m_pointerOver = true;
        update();
    }
}

void FlatEdit::leaveEvent(QEvent* event)
{
    QLineEdit::leaveEvent(event);
    m_pointerOver = false;
    update();
}

void FlatEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    update();
}

void FlatEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    update();
}
