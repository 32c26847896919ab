#pragma once

#include "widgets/DatasetModel.h"

#include <QColor>
#include <QHeaderView>
#include <QImage>

// A header of the data grid: the title row or the indicator column, in the grid's fixed colour with raised
// cell edges. The indicator column shows the current row's state mark (DatasetModel::RowMarkRole).
class GridHeader : public QHeaderView
{
    Q_OBJECT

public:
    GridHeader(Qt::Orientation orientation, QWidget* parent = nullptr);

    void setFixedColor(const QColor& color);
    QColor fixedColor() const { return m_fixedColor; }
    // The title row's height, or the indicator column's width.
    void setThickness(int pixels);

    QSize sizeHint() const override;

    // A fixed cell: its colour, a white inner edge at the top and left, the dark grid line at the right and
    // bottom.
    static void paintFixedCell(QPainter& painter, const QRect& rect, const QColor& fill,
                               const QColor& shadow);

    // The 6 x 11 picture of a row mark (arrow, I-beam, asterisk): black on transparent.
    static QImage markImage(DatasetModel::RowMark mark);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    QColor m_fixedColor;
    int m_thickness = 0;
};
