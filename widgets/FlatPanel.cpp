#include "widgets/FlatPanel.h"

#include "widgets/FlatPainting.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QPixmap>

namespace {
// Screen readers hear the panel as a pane named by its caption.
class FlatPanelAccessible : public QAccessibleWidget
{
public:
    explicit FlatPanelAccessible(FlatPanel* panel) : QAccessibleWidget(panel, QAccessible::Pane) {}

    QString text(QAccessible::Text kind) const override
    {
        const QString own = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && own.isEmpty())
            return static_cast<FlatPanel*>(widget())->caption().trimmed();
        return own;
    }
};

QAccessibleInterface* flatPanelAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("FlatPanel") && object && object->isWidgetType())
        return new FlatPanelAccessible(static_cast<FlatPanel*>(object));
    return nullptr;
}
} // namespace

FlatPanel::FlatPanel(QWidget* parent) : QWidget(parent)
{
    [[maybe_unused]] static const bool accessibleInstalled =
        (QAccessible::installFactory(flatPanelAccessible), true);
    // The whole panel is painted at once from the off-screen picture.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FlatPanel::setCaption(const QString& caption)
{
    m_caption = caption;
    update();
}

QColor FlatPanel::color() const
{
    return palette().color(QPalette::Window);
}

void FlatPanel::setColor(const QColor& color)
{
    // Held in the palette, so that buttons on the panel that set no colour take the panel's.
    QPalette own = palette();
    own.setColor(QPalette::Window, color);
    setPalette(own);
    update();
}

void FlatPanel::setColorHighLight(const QColor& color)
{
    setColorMember(m_colorHighLight, color);
}

void FlatPanel::setColorShadow(const QColor& color)
{
    setColorMember(m_colorShadow, color);
}

QColor FlatPanel::fontColor() const
{
    return m_fontColor.isValid() ? m_fontColor : palette().color(QPalette::WindowText);
}

void FlatPanel::setFontColor(const QColor& color)
{
    setColorMember(m_fontColor, color);
}

void FlatPanel::setColorMember(QColor& member, const QColor& color)
{
    member = color;
    update();
}

QPoint FlatPanel::captionOrigin() const
{
    return FlatPainting::centredTextOrigin(rect(), fontMetrics(), m_caption);
}

void FlatPanel::paintEvent(QPaintEvent*)
{
    const qreal ratio = devicePixelRatioF();
    QPixmap picture(size() * ratio);
    picture.setDevicePixelRatio(ratio);
    {
        QPainter painter(&picture);
        painter.fillRect(rect(), color());
        FlatPainting::drawEdge(painter, rect(), m_colorHighLight, m_colorShadow);
        painter.setFont(font());
        painter.setPen(fontColor());
        painter.drawText(captionOrigin(), m_caption);
    }
    QPainter(this).drawPixmap(0, 0, picture);
}
