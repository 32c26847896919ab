#include "widgets/FlatEdit.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>

namespace {
// The flat edit under the pointer: its look changes when the focus moves to or from another flat edit.
QPointer<FlatEdit>& editUnderPointer()
{
    static QPointer<FlatEdit> edit;
    return edit;
}
} // namespace

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
    return editUnderPointer() == this && !qobject_cast<FlatEdit*>(QApplication::focusWidget());
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
        editUnderPointer() = this;
        update();
    }
}

void FlatEdit::leaveEvent(QEvent* event)
{
    QLineEdit::leaveEvent(event);
    if (editUnderPointer() == this)
        editUnderPointer() = nullptr;
    update();
}

void FlatEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    focusMoved();
}

void FlatEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    focusMoved();
}

void FlatEdit::focusMoved()
{
    update();
    if (FlatEdit* hovered = editUnderPointer(); hovered && hovered != this)
        hovered->update();
}
