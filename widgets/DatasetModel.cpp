#include "widgets/DatasetModel.h"

#include "store/Dataset.h"
#include "store/Field.h"

DatasetModel::DatasetModel(QObject* parent) : QAbstractTableModel(parent) {}

void DatasetModel::setDataset(Dataset* dataset)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    if (dataset) {
        // The dataset reports each change after making it; the row count kept here lets every insertion and
        // removal still be announced against the count the views last saw.
        connect(dataset, &Dataset::reset, this, &DatasetModel::resetRows);
        connect(dataset, &Dataset::rowInserted, this, &DatasetModel::rowInserted);
        connect(dataset, &Dataset::rowRemoved, this, &DatasetModel::rowRemoved);
        connect(dataset, &Dataset::rowChanged, this, &DatasetModel::rowChanged);
    }
    resetRows();
}

void DatasetModel::addColumn(const QString& fieldName, const QString& title)
{
    const int column = int(m_columns.size());
    beginInsertColumns(QModelIndex(), column, column);
    m_columns.append(Column{fieldName, title, -1});
    resolveFields();
    endInsertColumns();
}

int DatasetModel::fieldOf(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns[column].field : -1;
}

int DatasetModel::columnOfField(int field) const
{
    for (int column = 0; column < m_columns.size(); ++column)
        if (field >= 0 && m_columns[column].field == field)
            return column;
    return -1;
}

DatasetModel::RowMark DatasetModel::rowMark(int row) const
{
    if (!m_dataset || row < 0 || row != m_dataset->currentRow())
        return RowMark::None;
    switch (m_dataset->state()) {
    case Dataset::State::Browse:
        return RowMark::Browse;
    case Dataset::State::Edit:
        return RowMark::Edit;
    case Dataset::State::Insert:
        return RowMark::Insert;
    case Dataset::State::Closed:
        break;
    }
    return RowMark::None;
}

int DatasetModel::shownRows() const
{
    if (!m_dataset || !m_dataset->isOpen())
        return 0;
    return std::max(m_dataset->rowCount(), 1);
}

void DatasetModel::resolveFields()
{
    for (Column& column : m_columns)
        column.field = m_dataset && m_dataset->isOpen() ? m_dataset->fieldIndex(column.fieldName) : -1;
}

int DatasetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int DatasetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    const int field = fieldOf(index.column());
    if (!m_dataset || field < 0)
        return QVariant();
    const FieldDef& definition = m_dataset->field(field);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return FieldValue::toText(definition, m_dataset->value(index.row(), field));
    case Qt::TextAlignmentRole:
        return int((definition.isNumeric() ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole && section >= 0 && section < m_columns.size())
            return m_columns[section].title;
        return QVariant();
    }
    switch (role) {
    case Qt::DisplayRole:
        return QString::number(section + 1);
    case RowMarkRole:
        return int(rowMark(section));
    case Qt::AccessibleDescriptionRole:
        // The indicator marks spoken for the screen reader.
        switch (rowMark(section)) {
        case RowMark::Browse:
            return QStringLiteral("当前行");
        case RowMark::Edit:
            return QStringLiteral("当前行，正在编辑");
        case RowMark::Insert:
            return QStringLiteral("当前行，新行");
        case RowMark::None:
            break;
        }
        return QVariant();
    default:
        return QVariant();
    }
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (fieldOf(index.column()) >= 0)
        flags |= Qt::ItemIsEditable;
    return flags;
}

void DatasetModel::resetRows()
{
    beginResetModel();
    resolveFields();
    m_rowCount = shownRows();
    endResetModel();
}

void DatasetModel::rowInserted(int row)
{
    if (shownRows() == m_rowCount) {
        // The first row of an empty list takes the place of the blank row.
        rowChanged(row);
        return;
    }
    beginInsertRows(QModelIndex(), row, row);
    m_rowCount = shownRows();
    endInsertRows();
}

void DatasetModel::rowRemoved(int row)
{
    if (shownRows() == m_rowCount) {
        // The last row gone: the blank row shows again.
        rowChanged(0);
        return;
    }
    beginRemoveRows(QModelIndex(), row, row);
    m_rowCount = shownRows();
    endRemoveRows();
}

void DatasetModel::rowChanged(int row)
{
    if (row < 0 || row >= m_rowCount || m_columns.isEmpty())
        return;
    emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
}
