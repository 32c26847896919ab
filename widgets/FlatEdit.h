#pragma once

#include <QColor>
#include <QLineEdit>

// A one-line edit with a flat three-pixel frame: an outer ring in the border colour, the two inner rings
// and the field in the field colour, which turns to the focused colour while the edit has the focus or the
// pointer rests on it (unless another flat edit has the focus).
class FlatEdit : public QLineEdit
{
    Q_OBJECT

public:
    static constexpr int frameWidth = 3;

    explicit FlatEdit(QWidget* parent = nullptr);

    QColor colorFlat() const { return m_colorFlat; }
    void setColorFlat(const QColor& color);
    QColor colorFocused() const { return m_colorFocused; }
    void setColorFocused(const QColor& color);
    QColor colorBorder() const { return m_colorBorder; }
    void setColorBorder(const QColor& color);

    // Makes the edit as high as a line of its font and the frame above and below it; the layout calls this
    // once the font is set.
    void adjustHeight();

    // Whether the field shows the focused colour.
    bool showsFocused() const;
    // The colour the field and the inner rings are drawn in now.
    QColor fieldColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void setColorMember(QColor& member, const QColor& color);
    void focusMoved();

    QColor m_colorFlat{0xEB, 0xEA, 0xE1};
    QColor m_colorFocused{0xFF, 0xFF, 0xFF};
    QColor m_colorBorder{0xA0, 0x96, 0x83};
};
