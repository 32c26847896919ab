#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QTimer>

// A flat button that never takes the focus and answers the mouse only. It lies flat at rest, rises under
// the pointer and sinks while pressed; a click fires when the left button is released over it.
class FlatSpeedButton : public QAbstractButton
{
    Q_OBJECT

public:
    enum class TransparentMode
    {
        tmNone,      // the face is always filled
        tmAlways,    // the face is never filled: whatever lies under the button shows through
        tmNotFocused // the face is filled only while the pointer is over the button
    };
    Q_ENUM(TransparentMode)

    // How often a button under the pointer looks whether the pointer has gone to another element.
    static constexpr int pointerCheckInterval = 100;

    explicit FlatSpeedButton(QWidget* parent = nullptr);
    ~FlatSpeedButton() override;

    TransparentMode transparentMode() const { return m_transparentMode; }
    void setTransparentMode(TransparentMode mode);

    // The face at rest; unless set, the colour of the container the button lies on.
    QColor color() const;
    void setColor(const QColor& color);
    QColor colorFocused() const { return m_colorFocused; }
    void setColorFocused(const QColor& color);
    QColor colorDown() const { return m_colorDown; }
    void setColorDown(const QColor& color);
    QColor colorBorder() const { return m_colorBorder; }
    void setColorBorder(const QColor& color);
    QColor colorHighLight() const { return m_colorHighLight; }
    void setColorHighLight(const QColor& color);
    QColor colorShadow() const { return m_colorShadow; }
    void setColorShadow(const QColor& color);
    // The caption's colour; unless set, the palette's window text.
    QColor fontColor() const;
    void setFontColor(const QColor& color);

    // Whether the button shows its look under the pointer (raised).
    bool isUnderPointer() const { return m_underPointer; }
    // The one button of the program that is under the pointer, if any.
    static FlatSpeedButton* buttonUnderPointer();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    enum class Look
    {
        AtRest,
        UnderPointer,
        Pressed
    };

    Look look() const;
    void pointerArrived();
    void setUnderPointer(bool underPointer);
    void checkPointer();
    void setColorMember(QColor& member, const QColor& color);

    TransparentMode m_transparentMode = TransparentMode::tmNone;
    QColor m_color; // invalid: the container's colour
    QColor m_colorFocused{0xEB, 0xEA, 0xE1};
    QColor m_colorDown{0xD9, 0xD6, 0xC5};
    QColor m_colorBorder{0xA0, 0x96, 0x83};
    QColor m_colorHighLight{0xFF, 0xFF, 0xFF};
    QColor m_colorShadow{0x00, 0x00, 0x00};
    QColor m_fontColor; // invalid: the palette's window text
    bool m_underPointer = false;
    bool m_held = false; // the left button went down on this button and is still down
    QTimer m_pointerCheck;
};
