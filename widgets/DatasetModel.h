#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QVector>

class Dataset;

// The rows of a dataset, the row being inserted among them, as a table of the grid's columns. An open but
// empty dataset still shows one blank row, the place where typing starts the first new row.
class DatasetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // What the indicator column shows for a row: only the current row carries a mark.
    enum class RowMark
    {
        None,
        Browse, // an arrow
        Edit,   // an I-beam
        Insert  // an asterisk
    };
    // Vertical header data: the row's RowMark as an int. The view repaints the marks itself when the current
    // row or the dataset's state changes: announcing header changes would lay out the whole view each time.
    static constexpr int RowMarkRole = Qt::UserRole + 1;

    explicit DatasetModel(QObject* parent = nullptr);

    void setDataset(Dataset* dataset);
    void addColumn(const QString& fieldName, const QString& title);

    // The dataset column that a grid column shows, or -1 when the result has no such column.
    int fieldOf(int column) const;
    // The grid column that shows a dataset column, or -1.
    int columnOfField(int field) const;
    RowMark rowMark(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Column
    {
        QString fieldName;
        QString title;
        int field = -1;
    };

    int shownRows() const;
    void resolveFields();
    void resetRows();
    void rowInserted(int row);
    void rowRemoved(int row);
    void rowChanged(int row);

    QPointer<Dataset> m_dataset;
    QVector<Column> m_columns;
    int m_rowCount = 0;
};
