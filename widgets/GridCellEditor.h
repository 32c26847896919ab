#pragma once

#include <QLineEdit>
#include <QStyledItemDelegate>

// The one-line edit box over the grid's current cell. The grid filters every key and input-method event
// before it and hands on, through apply..., only what the box may do with it.
class GridCellEditor : public QLineEdit
{
    Q_OBJECT

public:
    explicit GridCellEditor(QWidget* parent = nullptr);

    void applyKey(QKeyEvent* event) { keyPressEvent(event); }
    void applyInputMethod(QInputMethodEvent* event) { inputMethodEvent(event); }
};

// Creates the grid's cell editors and paints its cells. Text moves between editor and row only through the
// grid, which writes it itself so that a failure to take the text reaches the error display; Qt's own
// commit, close and focus-out handling of editors is switched off here.
class GridCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // The grid that filters the events of every editor made here.
    explicit GridCellDelegate(QObject* editorFilter, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    QObject* m_editorFilter;
};
