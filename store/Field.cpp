#include "store/Field.h"

#include "store/Dataset.h"
#include "store/StoreErrors.h"
#include "text/Characters.h"
#include "text/FormatSettings.h"
#include "text/NumberText.h"

#include <QRegularExpression>
#include <cmath>

namespace {
bool declares(const QString& type, std::initializer_list<const char*> words)
{
    for (const char* word : words)
        if (type.contains(QLatin1String(word)))
            return true;
    return false;
}

double roundToCurrency(double value)
{
    return std::round(value * 10000.0) / 10000.0;
}

// Text cut to at most size characters, never inside a surrogate pair.
QString cutToSize(const QString& text, int size)
{
    if (size <= 0)
        return text;
    qsizetype end = 0;
    for (int count = 0; count < size && end < text.size(); ++count)
        end = characterEnd(text, end);
    return text.left(end);
}

QString quotedSeparator()
{
    return QRegularExpression::escape(formatSettings().decimalSeparator);
}

bool parseFloat(const QString& text, double& result)
{
    const QString sep = quotedSeparator();
    const QRegularExpression pattern(
        QStringLiteral("^\\s*([+-]?)(\\d+(?:%1\\d*)?|%1\\d+)(?:[eE]([+-]?\\d+))?\\s*$").arg(sep));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    QString normal =
        match.captured(1) + match.captured(2).replace(formatSettings().decimalSeparator, QStringLiteral("."));
    if (match.hasCaptured(3))
        normal += QLatin1Char('e') + match.captured(3);
    bool ok = false;
    result = normal.toDouble(&ok);
    return ok && std::isfinite(result);
}

bool parseInteger(const QString& text, qint64& result)
{
    bool ok = false;
    result = text.trimmed().toLongLong(&ok);
    return ok;
}
} // namespace

FieldDef FieldDef::fromDeclaration(const QString& name, const QString& declaredType)
{
    FieldDef field;
    field.name = name;
    const QString type = declaredType.toUpper();
    if (declares(type, {"CHAR", "TEXT", "CLOB", "MEMO"}) || type.isEmpty()) {
        field.kind = FieldKind::Text;
        static const QRegularExpression length(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
        const auto match = length.match(type);
        if (match.hasMatch())
            field.size = match.captured(1).toInt();
    } else if (declares(type, {"INT", "LONG", "COUNTER", "BYTE", "SHORT"})) {
        field.kind = FieldKind::Integer;
    } else if (declares(type, {"CURRENCY", "MONEY", "DECIMAL", "NUMERIC"})) {
        field.kind = FieldKind::Currency;
    } else if (declares(type, {"DOUBLE", "FLOAT", "REAL", "SINGLE"})) {
        field.kind = FieldKind::Float;
    }
    return field;
}

namespace FieldValue {

QString toText(const FieldDef& field, const QVariant& value)
{
    if (value.isNull())
        return QString();
    switch (field.kind) {
    case FieldKind::Text:
        return value.toString();
    case FieldKind::Integer:
        return QString::number(value.toLongLong());
    case FieldKind::Currency:
    case FieldKind::Float:
        return generalNumberForm(value.toDouble(), formatSettings().decimalSeparator);
    }
    return QString();
}

double toFloat(const FieldDef& field, const QVariant& value)
{
    if (value.isNull())
        return 0.0;
    if (field.kind != FieldKind::Text)
        return value.toDouble();
    double result = 0.0;
    if (!parseFloat(value.toString(), result))
        throw fieldError(QStringLiteral("'%1' is not a valid floating point value").arg(value.toString()));
    return result;
}

QVariant fromText(const FieldDef& field, const QString& text)
{
    if (field.kind == FieldKind::Text)
        return cutToSize(text, field.size);
    if (text.isEmpty())
        return QVariant();
    if (field.kind == FieldKind::Integer) {
        qint64 integer = 0;
        if (!parseInteger(text, integer))
            throw fieldError(
                QStringLiteral("'%1' is not a valid integer value for field '%2'").arg(text, field.name));
        return integer;
    }
    double number = 0.0;
    if (!parseFloat(text, number))
        throw fieldError(
            QStringLiteral("'%1' is not a valid floating point value for field '%2'").arg(text, field.name));
    return field.kind == FieldKind::Currency ? roundToCurrency(number) : number;
}

bool acceptsCharacter(const FieldDef& field, QChar c)
{
    const bool sign = c == QLatin1Char('+') || c == QLatin1Char('-');
    const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
    switch (field.kind) {
    case FieldKind::Text:
        return true;
    case FieldKind::Integer:
        return digit || sign;
    case FieldKind::Currency:
        return digit || sign || formatSettings().decimalSeparator.contains(c);
    case FieldKind::Float:
        return digit || sign || formatSettings().decimalSeparator.contains(c) || c == QLatin1Char('e') ||
               c == QLatin1Char('E');
    }
    return false;
}

} // namespace FieldValue

const FieldDef& Field::definition() const
{
    return m_dataset.field(m_column);
}

QVariant Field::value() const
{
    return m_dataset.currentValue(m_column);
}

QString Field::asString() const
{
    return FieldValue::toText(definition(), value());
}

double Field::asFloat() const
{
    return FieldValue::toFloat(definition(), value());
}

void Field::setAsString(const QString& text)
{
    m_dataset.setCurrentValue(m_column, FieldValue::fromText(definition(), text));
}
