#include "store/TableWriter.h"

#include "store/StoreErrors.h"

#include <QRegularExpression>
#include <cmath>

namespace {
QString quoted(const QString& identifier)
{
    QString escaped = identifier;
    return QLatin1Char('"') + escaped.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QVector<FieldDef> fieldsOf(const SqliteStatement& statement, int firstColumn)
{
    QVector<FieldDef> fields;
    for (int c = firstColumn; c < statement.columnCount(); ++c)
        fields.append(FieldDef::fromDeclaration(statement.columnName(c), statement.declaredType(c)));
    return fields;
}

QVector<QVariant> valuesOf(const SqliteStatement& statement, int firstColumn)
{
    QVector<QVariant> values;
    values.reserve(statement.columnCount() - firstColumn);
    for (int c = firstColumn; c < statement.columnCount(); ++c)
        values.append(statement.value(c));
    return values;
}

// A value to be written; the engine would keep an infinity and turn a NaN into NULL: neither is an amount.
void bindWritten(SqliteStatement& statement, int index, const QVariant& value)
{
    if (value.typeId() == QMetaType::Double && !std::isfinite(value.toDouble()))
        throw providerError(QStringLiteral("Numeric value out of range"));
    statement.bind(index, value);
}

const QString kNotLocatedForUpdate = QStringLiteral(
    "Row cannot be located for updating. Some values may have been changed since it was last read.");
const QString kNotLocatedForDelete = QStringLiteral(
    "Row cannot be located for deleting. Some values may have been changed since it was last read.");
} // namespace

QueryResult readQuery(SqliteDatabase& db, const QString& sql)
{
    SqliteStatement statement(db, sql);
    QueryResult result{fieldsOf(statement, 0), {}};
    while (statement.step())
        result.rows.append(StoredRow{0, valuesOf(statement, 0)});
    return result;
}

QString TableWriter::tableOf(const QString& sql)
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

QueryResult TableWriter::readAll(SqliteDatabase& db)
{
    SqliteStatement statement(db, QStringLiteral("SELECT rowid, * FROM %1").arg(quoted(m_table)));
    QueryResult result{fieldsOf(statement, 1), {}};
    while (statement.step())
        result.rows.append(StoredRow{statement.integer(0), valuesOf(statement, 1)});

    m_columns.clear();
    for (const FieldDef& field : std::as_const(result.fields))
        m_columns.append(field.name);
    // Required: NOT NULL without a default, and not the rowid alias (the engine fills that in).
    SqliteStatement info(db, QStringLiteral("PRAGMA table_info(%1)").arg(quoted(m_table)));
    while (info.step()) {
        const qsizetype index = m_columns.indexOf(info.text(1));
        const bool rowidAlias =
            info.integer(5) == 1 && info.text(2).compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
        if (index >= 0)
            result.fields[index].required = info.integer(3) != 0 && info.isNull(4) && !rowidAlias;
    }
    return result;
}

QString TableWriter::located() const
{
    QString where = QStringLiteral("rowid=?");
    for (const QString& column : m_columns)
        where += QStringLiteral(" AND %1 IS ?").arg(quoted(column));
    return where;
}

void TableWriter::bindLocation(SqliteStatement& statement, int first, const StoredRow& asRead) const
{
    statement.bind(first, asRead.rowid);
    for (int c = 0; c < m_columns.size(); ++c)
        statement.bind(first + 1 + c, asRead.values.value(c));
}

QVector<QVariant> TableWriter::reread(SqliteDatabase& db, qint64 rowid) const
{
    SqliteStatement statement(db, QStringLiteral("SELECT * FROM %1 WHERE rowid=?").arg(quoted(m_table)));
    statement.bind(1, rowid);
    if (!statement.step())
        throw providerError(kNotLocatedForUpdate);
    return valuesOf(statement, 0);
}

StoredRow TableWriter::insert(SqliteDatabase& db, const QList<int>& columns, const QVector<QVariant>& values)
{
    QStringList names;
    for (int c : columns)
        names.append(quoted(m_columns.at(c)));
    QString sql = QStringLiteral("INSERT INTO %1 ").arg(quoted(m_table));
    sql += names.isEmpty() ? QStringLiteral("DEFAULT VALUES")
                           : QStringLiteral("(%1) VALUES (%2)")
                                 .arg(names.join(QLatin1Char(',')),
                                      QStringList(names.size(), QStringLiteral("?")).join(QLatin1Char(',')));
    SqliteTransaction transaction(db);
    SqliteStatement statement(db, sql);
    for (int i = 0; i < columns.size(); ++i)
        bindWritten(statement, i + 1, values.at(columns[i]));
    const qint64 rowid = statement.exec().lastRowid;
    // Read back so that defaults and the engine's own conversions show as stored.
    StoredRow stored{rowid, reread(db, rowid)};
    transaction.commit();
    return stored;
}

QVector<QVariant> TableWriter::update(SqliteDatabase& db, const StoredRow& asRead, const QList<int>& columns,
                                      const QVector<QVariant>& values)
{
    QStringList assignments;
    for (int c : columns)
        assignments.append(quoted(m_columns.at(c)) + QStringLiteral("=?"));
    SqliteTransaction transaction(db);
    SqliteStatement statement(db, QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                      .arg(quoted(m_table), assignments.join(QLatin1Char(',')), located()));
    for (int i = 0; i < columns.size(); ++i)
        bindWritten(statement, i + 1, values.at(columns[i]));
    bindLocation(statement, int(columns.size()) + 1, asRead);
    if (statement.exec().changes != 1)
        throw providerError(kNotLocatedForUpdate);
    QVector<QVariant> stored = reread(db, asRead.rowid);
    transaction.commit();
    return stored;
}

void TableWriter::remove(SqliteDatabase& db, const StoredRow& asRead)
{
    SqliteStatement statement(db, QStringLiteral("DELETE FROM %1 WHERE %2").arg(quoted(m_table), located()));
    bindLocation(statement, 1, asRead);
    if (statement.exec().changes != 1)
        throw providerError(kNotLocatedForDelete);
}
