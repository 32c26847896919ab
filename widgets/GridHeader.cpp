#include "widgets/GridHeader.h"

#include <QPainter>

namespace {
// The marks, row by row: '#' is black, '.' is left transparent.
constexpr const char* kArrow[11] = {"......", "#.....", "##....", "###...", "####..", "#####.",
                                    "####..", "###...", "##....", "#.....", "......"};
constexpr const char* kIBeam[11] = {"##.##.", "..#...", "..#...", "..#...", "..#...", "..#...",
                                    "..#...", "..#...", "..#...", "..#...", "##.##."};
constexpr const char* kAsterisk[11] = {"......", "......", "......", "#.#.#.", ".###..", "#####.",
                                       ".###..", "#.#.#.", "......", "......", "......"};

QImage imageOf(const char* const (&rows)[11])
{
    QImage image(6, 11, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 6; ++x)
            if (rows[y][x] == '#')
                image.setPixelColor(x, y, Qt::black);
    return image;
}
} // namespace

GridHeader::GridHeader(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent), m_fixedColor(palette().color(QPalette::Button))
{
    setSectionsClickable(false);
    setSectionsMovable(false);
    setHighlightSections(false);
    setSectionResizeMode(orientation == Qt::Vertical ? QHeaderView::Fixed : QHeaderView::Interactive);
}

void GridHeader::setFixedColor(const QColor& color)
{
    m_fixedColor = color;
    viewport()->update();
}

void GridHeader::setThickness(int pixels)
{
    m_thickness = pixels;
    updateGeometry();
}

QSize GridHeader::sizeHint() const
{
    // Fixed by the grid: measuring the sections' contents would lay out text for hundreds of rows.
    if (m_thickness <= 0)
        return QHeaderView::sizeHint();
    return orientation() == Qt::Horizontal ? QSize(length(), m_thickness) : QSize(m_thickness, length());
}

QImage GridHeader::markImage(DatasetModel::RowMark mark)
{
    static const QImage arrow = imageOf(kArrow);
    static const QImage iBeam = imageOf(kIBeam);
    static const QImage asterisk = imageOf(kAsterisk);
    switch (mark) {
    case DatasetModel::RowMark::Browse:
        return arrow;
    case DatasetModel::RowMark::Edit:
        return iBeam;
    case DatasetModel::RowMark::Insert:
        return asterisk;
    case DatasetModel::RowMark::None:
        break;
    }
    return QImage();
}

void GridHeader::paintFixedCell(QPainter& painter, const QRect& rect, const QColor& fill,
                                const QColor& shadow)
{
    painter.fillRect(rect, fill);
    painter.setPen(Qt::white);
    painter.drawLine(rect.topLeft(), rect.topRight() - QPoint(1, 0));
    painter.drawLine(rect.topLeft(), rect.bottomLeft() - QPoint(0, 1));
    painter.setPen(shadow);
    painter.drawLine(rect.topRight(), rect.bottomRight());
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (!rect.isValid() || !model())
        return;
    painter->save();
    paintFixedCell(*painter, rect, m_fixedColor, palette().color(QPalette::Shadow));

    if (orientation() == Qt::Horizontal) {
        painter->setPen(palette().color(QPalette::WindowText));
        painter->setFont(font());
        const QRect text = rect.adjusted(2, 0, -2, 0);
        painter->drawText(text, int(Qt::AlignLeft | Qt::AlignVCenter) | Qt::TextSingleLine,
                          model()->headerData(logicalIndex, Qt::Horizontal).toString());
    } else {
        const auto mark = DatasetModel::RowMark(
            model()->headerData(logicalIndex, Qt::Vertical, DatasetModel::RowMarkRole).toInt());
        const QImage image = markImage(mark);
        if (!image.isNull()) {
            const QPoint at(rect.x() + (rect.width() - image.width()) / 2,
                            rect.y() + (rect.height() - image.height()) / 2);
            painter->drawImage(at, image);
        }
    }
    painter->restore();
}
