#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

// A flat panel: filled with its colour, framed by a one-pixel edge, its caption centred on one line.
// Children lie over it.
class FlatPanel : public QWidget
{
    Q_OBJECT

public:
    explicit FlatPanel(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    // The fill; unless set, the colour of the container. Elements on the panel take it as theirs.
    QColor color() const;
    void setColor(const QColor& color);
    QColor colorHighLight() const { return m_colorHighLight; }
    void setColorHighLight(const QColor& color);
    QColor colorShadow() const { return m_colorShadow; }
    void setColorShadow(const QColor& color);
    // The caption's colour; unless set, the palette's window text.
    QColor fontColor() const;
    void setFontColor(const QColor& color);

    // Where the caption is drawn: the origin of its baseline, trailing spaces counted in its width.
    QPoint captionOrigin() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void setColorMember(QColor& member, const QColor& color);

    QString m_caption;
    QColor m_colorHighLight{0xA0, 0x96, 0x83};
    QColor m_colorShadow{0xA0, 0x96, 0x83};
    QColor m_fontColor; // invalid: the palette's window text
};
