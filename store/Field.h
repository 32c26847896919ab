#pragma once

#include <QString>
#include <QVariant>

class Dataset;

// The kind of a column, taken from its declared type in the database file.
enum class FieldKind
{
    Text,     // TEXT(n), VARCHAR(n): cut at n characters when written
    Integer,  // INTEGER, LONG
    Currency, // CURRENCY, DECIMAL, NUMERIC: fixed point with four decimals
    Float,    // DOUBLE, FLOAT, REAL
};

struct FieldDef
{
    QString name;
    FieldKind kind = FieldKind::Text;
    int size = 0; // declared length of a text column; 0 means unlimited
    bool required = false;

    static FieldDef fromDeclaration(const QString& name, const QString& declaredType);
    bool isNumeric() const { return kind != FieldKind::Text; }
};

// Converts between a column's stored value and its text; throws the column's conversion errors.
namespace FieldValue {
QString toText(const FieldDef& field, const QVariant& value);
double toFloat(const FieldDef& field, const QVariant& value);
QVariant fromText(const FieldDef& field, const QString& text);
// Whether a character may be typed into a cell of this column.
bool acceptsCharacter(const FieldDef& field, QChar c);
} // namespace FieldValue

// A column of a dataset's current row, found by name (the FieldByName role).
class Field
{
public:
    Field(Dataset& dataset, int column) : m_dataset(dataset), m_column(column) {}

    const FieldDef& definition() const;
    QVariant value() const;
    bool isNull() const { return value().isNull(); }
    QString asString() const;
    double asFloat() const;
    void setAsString(const QString& text);

private:
    Dataset& m_dataset;
    int m_column;
};
