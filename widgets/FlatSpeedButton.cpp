#include "widgets/FlatSpeedButton.h"

#include "widgets/FlatPainting.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace {
// At most one button of the program is under the pointer at a time.
QPointer<FlatSpeedButton>& underPointer()
{
    static QPointer<FlatSpeedButton> button;
    return button;
}

// The pointer counts only while one of the program's own windows is the active one.
bool programWindowActive()
{
    return QApplication::activeWindow() != nullptr;
}
} // namespace

FlatSpeedButton::FlatSpeedButton(QWidget* parent) : QAbstractButton(parent), m_pointerCheck(this)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    m_pointerCheck.setInterval(pointerCheckInterval);
    connect(&m_pointerCheck, &QTimer::timeout, this, &FlatSpeedButton::checkPointer);
}

FlatSpeedButton::~FlatSpeedButton() = default;

FlatSpeedButton* FlatSpeedButton::buttonUnderPointer()
{
    return underPointer().data();
}

void FlatSpeedButton::setTransparentMode(TransparentMode mode)
{
    m_transparentMode = mode;
    update();
}

QColor FlatSpeedButton::color() const
{
    return m_color.isValid() ? m_color : palette().color(QPalette::Window);
}

void FlatSpeedButton::setColor(const QColor& color)
{
    setColorMember(m_color, color);
}

void FlatSpeedButton::setColorFocused(const QColor& color)
{
    setColorMember(m_colorFocused, color);
}

void FlatSpeedButton::setColorDown(const QColor& color)
{
    setColorMember(m_colorDown, color);
}

void FlatSpeedButton::setColorBorder(const QColor& color)
{
    setColorMember(m_colorBorder, color);
}

void FlatSpeedButton::setColorHighLight(const QColor& color)
{
    setColorMember(m_colorHighLight, color);
}

void FlatSpeedButton::setColorShadow(const QColor& color)
{
    setColorMember(m_colorShadow, color);
}

QColor FlatSpeedButton::fontColor() const
{
    return m_fontColor.isValid() ? m_fontColor : palette().color(QPalette::WindowText);
}

void FlatSpeedButton::setFontColor(const QColor& color)
{
    setColorMember(m_fontColor, color);
}

void FlatSpeedButton::setColorMember(QColor& member, const QColor& color)
{
    member = color;
    update();
}

QSize FlatSpeedButton::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(text()) + 2 * metrics.averageCharWidth(), metrics.height() + 10};
}

FlatSpeedButton::Look FlatSpeedButton::look() const
{
    if (isDown())
        return Look::Pressed;
    if (m_held)
        return Look::AtRest; // held with the pointer off the button
    return m_underPointer ? Look::UnderPointer : Look::AtRest;
}

void FlatSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const Look current = look();

    const bool filled = m_transparentMode == TransparentMode::tmNone ||
                        (m_transparentMode == TransparentMode::tmNotFocused && current != Look::AtRest);
    if (filled) {
        const QColor face = current == Look::Pressed        ? m_colorDown
                            : current == Look::UnderPointer ? m_colorFocused
                                                            : color();
        painter.fillRect(rect(), face);
    }

    switch (current) {
    case Look::AtRest:
        FlatPainting::drawEdge(painter, rect(), m_colorBorder, m_colorBorder);
        break;
    case Look::UnderPointer:
        FlatPainting::drawEdge(painter, rect(), m_colorHighLight, m_colorShadow);
        break;
    case Look::Pressed:
        FlatPainting::drawEdge(painter, rect(), m_colorShadow, m_colorHighLight);
        break;
    }

    if (text().isEmpty())
        return;
    painter.setFont(font());
    painter.setPen(isEnabled() ? fontColor() : palette().color(QPalette::Disabled, QPalette::WindowText));
    QPoint origin = FlatPainting::centredTextOrigin(rect(), fontMetrics(), text());
    if (current == Look::Pressed)
        origin += QPoint(1, 1);
    painter.drawText(origin, text());
}

void FlatSpeedButton::pointerArrived()
{
    if (!m_underPointer && isEnabled() && programWindowActive())
        setUnderPointer(true);
}

void FlatSpeedButton::setUnderPointer(bool under)
{
    QPointer<FlatSpeedButton>& current = underPointer();
    if (under) {
        if (current && current != this)
            current->setUnderPointer(false);
        current = this;
        m_pointerCheck.start();
    } else {
        if (current == this)
            current = nullptr;
        m_pointerCheck.stop();
    }
    if (m_underPointer != under) {
        m_underPointer = under;
        update();
    }
}

void FlatSpeedButton::checkPointer()
{
    // The leave notice can go missing (a window opened over the button, the pointer left too fast),
    // so a button under the pointer keeps looking where the pointer is.
    if (QApplication::widgetAt(QCursor::pos()) != this)
        setUnderPointer(false);
}

void FlatSpeedButton::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    pointerArrived();
}

void FlatSpeedButton::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    setUnderPointer(false);
}

void FlatSpeedButton::mousePressEvent(QMouseEvent* event)
{
    QAbstractButton::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && isDown()) {
        m_held = true;
        update();
    }
}

void FlatSpeedButton::mouseMoveEvent(QMouseEvent* event)
{
    QAbstractButton::mouseMoveEvent(event);
    if (!m_held && rect().contains(event->position().toPoint()))
        pointerArrived();
}

void FlatSpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool endsPress = event->button() == Qt::LeftButton && m_held;
    if (endsPress)
        m_held = false;
    // Emits clicked() when released over the button; the handler may run a modal box.
    QAbstractButton::mouseReleaseEvent(event);
    if (!endsPress)
        return;
    if (rect().contains(event->position().toPoint()) && isEnabled())
        setUnderPointer(true);
    else
        setUnderPointer(false);
    update();
}

// The button answers the mouse only; keys go on to its container.
void FlatSpeedButton::keyPressEvent(QKeyEvent* event)
{
    event->ignore();
}

void FlatSpeedButton::keyReleaseEvent(QKeyEvent* event)
{
    event->ignore();
}

void FlatSpeedButton::changeEvent(QEvent* event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        m_held = false;
        setUnderPointer(false);
    }
}

void FlatSpeedButton::hideEvent(QHideEvent* event)
{
    QAbstractButton::hideEvent(event);
    m_held = false;
    setUnderPointer(false);
}
