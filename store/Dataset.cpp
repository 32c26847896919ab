#include "store/Dataset.h"

#include "store/Connection.h"
#include "store/Sqlite.h"
#include "store/StoreErrors.h"

#include <QRegularExpression>

namespace {
QString quoted(const QString& identifier)
{
    QString escaped = identifier;
    return QLatin1Char('"') + escaped.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// The table of a plain "select * from <table>"; any other query gives a read-only result.
QString tableOf(const QString& sql)
{
    static const QRegularExpression plainSelect(
        QStringLiteral(
            "^\\s*select\\s+\\*\\s+from\\s+(\"(?:[^\"]|\"\")+\"|\\[[^\\]]+\\]|[^\\s;\"\\[]+)\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = plainSelect.match(sql);
    if (!match.hasMatch())
        return QString();
    QString table = match.captured(1);
    if (table.startsWith(QLatin1Char('"')))
        return table.mid(1, table.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    if (table.startsWith(QLatin1Char('[')))
        return table.mid(1, table.size() - 2);
    return table;
}
} // namespace

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
    const QString table = tableOf(m_sql);
    const bool withRowid = !table.isEmpty();
    SqliteStatement statement(m_connection.handle(),
                              withRowid ? QStringLiteral("SELECT rowid, * FROM %1").arg(quoted(table))
                                        : m_sql);
    const int firstColumn = withRowid ? 1 : 0;
    QVector<FieldDef> fields;
    for (int c = firstColumn; c < statement.columnCount(); ++c)
        fields.append(FieldDef::fromDeclaration(statement.columnName(c), statement.declaredType(c)));
    m_fields = fields;
    QVector<Row> rows;
    while (statement.step())
        rows.append(Row{withRowid ? statement.integer(0) : 0, readRow(statement, firstColumn)});

    m_table = table;
    m_rows = std::move(rows);
    if (withRowid)
        readFields();
    m_current = m_rows.isEmpty() ? -1 : 0;
    m_eof = m_rows.isEmpty();
    m_changed.clear();
    m_state = State::Browse;
    emit reset();
    emit stateChanged();
    emit currentRowChanged(m_current);
}

// Which columns the table requires: NOT NULL without a default, and not the rowid alias.
void Dataset::readFields()
{
    SqliteStatement info(m_connection.handle(), QStringLiteral("PRAGMA table_info(%1)").arg(quoted(m_table)));
    while (info.step()) {
        const int index = fieldIndex(info.text(1));
        const bool rowidAlias =
            info.integer(5) == 1 && info.text(2).compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
        if (index >= 0)
            m_fields[index].required = info.integer(3) != 0 && info.isNull(4) && !rowidAlias;
    }
}

QVector<QVariant> Dataset::readRow(SqliteStatement& statement, int firstColumn) const
{
    QVector<QVariant> values;
    values.reserve(m_fields.size());
    for (int c = 0; c < m_fields.size(); ++c) {
        const int column = c + firstColumn;
        if (statement.isNull(column)) {
            values.append(QVariant());
            continue;
        }
        switch (m_fields[c].kind) {
        case FieldKind::Text:
            values.append(statement.text(column));
            break;
        case FieldKind::Integer:
            values.append(statement.integer(column));
            break;
        case FieldKind::Currency:
            values.append(std::round(statement.real(column) * 10000.0) / 10000.0);
            break;
        case FieldKind::Float:
            values.append(statement.real(column));
            break;
        }
    }
    return values;
}

void Dataset::close()
{
    if (!isOpen())
        return;
    m_rows.clear();
    m_fields.clear();
    m_table.clear();
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
    sqlite3* db = m_connection.handle();
    if (!db)
        throw providerError(QStringLiteral("Connection is closed"));
    Row& row = m_rows[m_current];
    QStringList columns;
    for (int c : std::as_const(m_changed))
        columns.append(quoted(m_fields[c].name));

    if (m_state == State::Insert) {
        QString sql = QStringLiteral("INSERT INTO %1 ").arg(quoted(m_table));
        sql += columns.isEmpty()
                   ? QStringLiteral("DEFAULT VALUES")
                   : QStringLiteral("(%1) VALUES (%2)")
                         .arg(columns.join(QLatin1Char(',')),
                              QStringList(columns.size(), QStringLiteral("?")).join(QLatin1Char(',')));
        SqliteStatement statement(db, sql);
        for (int i = 0; i < m_changed.size(); ++i)
            statement.bind(i + 1, row.values[m_changed[i]]);
        statement.step();
        row.rowid = sqlite3_last_insert_rowid(db);
    } else if (!columns.isEmpty()) {
        QStringList assignments;
        for (const QString& column : std::as_const(columns))
            assignments.append(column + QStringLiteral("=?"));
        SqliteStatement statement(db, QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?")
                                          .arg(quoted(m_table), assignments.join(QLatin1Char(','))));
        for (int i = 0; i < m_changed.size(); ++i)
            statement.bind(i + 1, row.values[m_changed[i]]);
        statement.bind(int(m_changed.size()) + 1, row.rowid);
        statement.step();
        if (sqlite3_changes(db) == 0)
            throw providerError(
                QStringLiteral("Row cannot be located for updating. Some values may have been "
                               "changed since it was last read."));
    }
    // Read the row back so that defaults and the engine's own conversions show as stored.
    SqliteStatement reread(db, QStringLiteral("SELECT * FROM %1 WHERE rowid=?").arg(quoted(m_table)));
    reread.bind(1, row.rowid);
    if (reread.step())
        row.values = readRow(reread, 0);
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
    SqliteStatement statement(m_connection.handle(),
                              QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(quoted(m_table)));
    statement.bind(1, m_rows[m_current].rowid);
    statement.step();
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
