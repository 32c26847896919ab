#include "widgets/GridCellEditor.h"

#include <QAbstractItemView>

GridCellEditor::GridCellEditor(QWidget* parent) : QLineEdit(parent)
{
    setFrame(false);
    // Every change of the text goes through the grid's key filter, which starts the row's editing first.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
}

GridCellDelegate::GridCellDelegate(QObject* editorFilter, QObject* parent)
    : QStyledItemDelegate(parent), m_editorFilter(editorFilter)
{
}

QWidget* GridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    auto* editor = new GridCellEditor(parent);
    editor->setFont(option.font);
    editor->setAlignment(Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask);
    editor->installEventFilter(m_editorFilter);
    return editor;
}

void GridCellDelegate::setEditorData(QWidget*, const QModelIndex&) const
{
    // The grid fills the editor when it opens it; a later change of the row must not overwrite typing.
}

void GridCellDelegate::setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const
{
    // The grid writes the cell text into the row itself.
}

bool GridCellDelegate::eventFilter(QObject*, QEvent*)
{
    return false;
}

void GridCellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->state &= ~QStyle::State_HasFocus;
    // The current cell is highlighted only while the grid has the focus.
    if (!option->widget || !option->widget->hasFocus())
        option->state &= ~QStyle::State_Selected;
}
