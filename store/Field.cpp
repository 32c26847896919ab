#include "store/Field.h"

#include "store/Dataset.h"
#include "store/Provider.h"
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
namespace {
// A stored number as the provider reads it; false for what the file holds that is not a finite number
// (text, a blob, an infinity), which only a column without type rules can hold.
bool storedNumber(const FieldDef& field, const QVariant& value, double& number)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        break;
    default:
        return false;
    }
    number = value.toDouble();
    if (!std::isfinite(number))
        return false;
    if (field.kind == FieldKind::Currency)
        number = Provider::roundToFourDecimals(number);
    return true;
}

// What a value that is not a number shows as: its own text.
QString storedText(const QVariant& value)
{
    if (value.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(value.toByteArray());
    if (value.typeId() == QMetaType::Double)
        return generalNumberForm(value.toDouble(), formatSettings().decimalSeparator);
    return value.toString();
}
} // namespace

QString toText(const FieldDef& field, const QVariant& value)
{
    if (value.isNull())
        return QString();
    double number = 0.0;
    if (field.isNumeric() && storedNumber(field, value, number))
        return generalNumberForm(number, formatSettings().decimalSeparator);
    return storedText(value);
}

double toFloat(const FieldDef& field, const QVariant& value)
{
    if (value.isNull())
        return 0.0;
    double number = 0.0;
    if (field.isNumeric()) {
        if (!storedNumber(field, value, number))
            throw fieldError(QStringLiteral("'%1' is not a valid floating point value for field '%2'")
                                 .arg(storedText(value), field.name));
        return number;
    }
    if (!parseFloat(storedText(value), number))
        throw fieldError(QStringLiteral("'%1' is not a valid floating point value").arg(storedText(value)));
    return number;
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
    if (field.kind != FieldKind::Currency)
        return number;
    if (std::fabs(number) > Provider::currencyLimit)
        throw fieldError(QStringLiteral("'%1' is not a valid value for field '%2'. The allowed range is "
                                        "-922337203685477.5808 to 922337203685477.5807")
                             .arg(text, field.name));
    return Provider::roundToFourDecimals(number);
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
