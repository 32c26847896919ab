#pragma once

#include <QLabel>

// A label as the layout draws it: its text on one line from the top-left corner of its box, the characters'
// full height (the font's pixel size) standing from the top of the box down, cut off where a fixed-size box
// ends. Qt's own label would put the substitute face's taller ascent there and push the characters down.
class TextLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TextLabel(const QString& text, QWidget* parent = nullptr);

    // The distance from the top of the box to the baseline of the text.
    int baseline() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
