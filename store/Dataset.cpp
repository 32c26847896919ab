#include "store/Dataset.h"

#include "store/Connection.h"
#include "store/StoreErrors.h"

#include <algorithm>

Dataset::Dataset(Connection& connection, QString name, QObject* parent)
    : QObject(parent), m_connection(connection), m_name(std::move(name))
{
}

void Dataset::setSql(const QString& sql)
{
    if (isOpen())
        throw datasetError(m_name, QStringLiteral("Cannot perform this operation on an open dataset"));
    m_sql = sql;
}

void Dataset::open()
{
    if (isOpen())
        return;
    m_connection.open();
    SqliteDatabase& db = m_connection.database();
    std::optional<TableWriter> writer;
    if (const QString table = TableWriter::tableOf(m_sql); !table.isEmpty())
        writer.emplace(table);
    QueryResult result = writer ? writer->readAll(db) : readQuery(db, m_sql);

    m_writer = std::move(writer);
    m_fields = std::move(result.fields);
    m_rows = std::move(result.rows);
    m_current = m_rows.isEmpty() ? -1 : 0;
    m_eof = m_rows.isEmpty();
    m_changed.clear();
    m_state = State::Browse;
    emit reset();
    emit stateChanged();
    emit currentRowChanged(m_current);
}

void Dataset::close()
{
    if (!isOpen())
        return;
    m_rows.clear();
    m_fields.clear();
    m_writer.reset();
    m_changed.clear();
    m_current = -1;
    m_eof = true;
    m_state = State::Closed;
    emit reset();
    emit stateChanged();
    emit currentRowChanged(-1);
}

void Dataset::checkOpen() const
{
    if (!isOpen())
        throw datasetError(m_name, QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void Dataset::checkCanModify() const
{
    if (!canModify())
        throw datasetError(m_name, QStringLiteral("Cannot modify a read-only dataset"));
}

void Dataset::completePendingEdit()
{
    if (!isEditing())
        return;
    if (m_updateRecord)
        m_updateRecord();
    if (isModified())
        post();
    else
        cancel();
}

void Dataset::setCurrent(int row)
{
    if (row == m_current)
        return;
    m_current = row;
    emit currentRowChanged(row);
}

void Dataset::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged();
}

void Dataset::first()
{
    checkOpen();
    completePendingEdit();
    setCurrent(m_rows.isEmpty() ? -1 : 0);
    m_eof = m_rows.isEmpty();
}

void Dataset::last()
{
    checkOpen();
    completePendingEdit();
    setCurrent(int(m_rows.size()) - 1);
    m_eof = true;
}

void Dataset::next()
{
    moveBy(1);
}

void Dataset::prior()
{
    moveBy(-1);
}

void Dataset::moveBy(int distance)
{
    checkOpen();
    completePendingEdit();
    if (m_rows.isEmpty()) {
        m_eof = true;
        return;
    }
    const int target = m_current + distance;
    const int lastRow = int(m_rows.size()) - 1;
    setCurrent(std::clamp(target, 0, lastRow));
    m_eof = distance > 0 && target > lastRow;
}

void Dataset::moveTo(int row)
{
    checkOpen();
    completePendingEdit();
    if (m_rows.isEmpty())
        return;
    setCurrent(std::clamp(row, 0, int(m_rows.size()) - 1));
    m_eof = false;
}

void Dataset::edit()
{
    checkOpen();
    if (isEditing())
        return;
    if (m_rows.isEmpty()) {
        insert();
        return;
    }
    checkCanModify();
    m_original = m_rows[m_current].values;
    m_changed.clear();
    setState(State::Edit);
}

void Dataset::insert()
{
    checkOpen();
    completePendingEdit();
    checkCanModify();
    startNewRow(m_current < 0 ? 0 : m_current);
}

void Dataset::append()
{
    checkOpen();
    completePendingEdit();
    checkCanModify();
    startNewRow(int(m_rows.size()));
}

void Dataset::startNewRow(int at)
{
    m_rowBeforeInsert = m_current;
    m_rows.insert(at, Row{0, QVector<QVariant>(m_fields.size())});
    m_changed.clear();
    m_eof = false;
    emit rowInserted(at);
    m_current = at;
    setState(State::Insert);
    emit currentRowChanged(at);
}

void Dataset::cancel()
{
    if (m_state == State::Edit) {
        m_rows[m_current].values = m_original;
        m_changed.clear();
        setState(State::Browse);
        emit rowChanged(m_current);
    } else if (m_state == State::Insert) {
        const int removed = m_current;
        m_rows.removeAt(removed);
        m_changed.clear();
        // Back to the row that was current before the insert; an insert pushed that row down by one.
        int back = m_rowBeforeInsert;
        if (back > removed)
            --back;
        back = std::min(back, int(m_rows.size()) - 1);
        if (back < 0 && !m_rows.isEmpty())
            back = 0;
        m_current = back;
        m_state = State::Browse;
        emit rowRemoved(removed);
        emit stateChanged();
        emit currentRowChanged(m_current);
    }
}

void Dataset::post()
{
    checkOpen();
    if (!isEditing())
        return;
    if (m_updateRecord)
        m_updateRecord();
    checkRequiredFields();
    writePendingRow();
    m_changed.clear();
    setState(State::Browse);
    emit rowChanged(m_current);
}

void Dataset::checkRequiredFields()
{
    for (int c = 0; c < m_fields.size(); ++c) {
        if (m_fields[c].required && m_rows[m_current].values[c].isNull()) {
            if (m_focusField)
                m_focusField(c);
            throw fieldError(QStringLiteral("Field '%1' must have a value").arg(m_fields[c].name));
        }
    }
}

void Dataset::writePendingRow()
{
    SqliteDatabase& db = m_connection.database();
    Row& row = m_rows[m_current];
    if (m_state == State::Insert)
        row = m_writer->insert(db, m_changed, row.values);
    else if (!m_changed.isEmpty())
        row.values = m_writer->update(db, Row{row.rowid, m_original}, m_changed, row.values);
}

void Dataset::remove()
{
    checkOpen();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_rows.isEmpty())
        throw datasetError(m_name, QStringLiteral("Cannot perform this operation on an empty dataset"));
    checkCanModify();
    if (m_state == State::Edit)
        cancel();
    m_writer->remove(m_connection.database(), m_rows[m_current]);
    const int removed = m_current;
    m_rows.removeAt(removed);
    m_current = std::min(removed, int(m_rows.size()) - 1);
    m_eof = m_rows.isEmpty();
    emit rowRemoved(removed);
    emit currentRowChanged(m_current);
}

int Dataset::fieldIndex(const QString& name) const
{
    for (int c = 0; c < m_fields.size(); ++c)
        if (m_fields[c].name.compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

Field Dataset::fieldByName(const QString& name)
{
    const int column = fieldIndex(name);
    if (column < 0)
        throw datasetError(m_name, QStringLiteral("Field '%1' not found").arg(name));
    return Field(*this, column);
}

QVariant Dataset::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_fields.size())
        return QVariant();
    return m_rows[row].values[column];
}

QVariant Dataset::currentValue(int column) const
{
    return value(m_current, column);
}

void Dataset::setCurrentValue(int column, const QVariant& value)
{
    if (!isEditing())
        throw datasetError(m_name, QStringLiteral("Dataset not in edit or insert mode"));
    m_rows[m_current].values[column] = value;
    if (!m_changed.contains(column))
        m_changed.append(column);
    emit rowChanged(m_current);
}
