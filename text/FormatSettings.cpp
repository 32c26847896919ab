#include "text/FormatSettings.h"

namespace {
FormatSettings& current()
{
    static FormatSettings settings;
    return settings;
}

// The first character of the short time format that is not part of a field, e.g. ":" in "HH:mm".
QString timeSeparatorOf(const QLocale& locale)
{
    bool quoted = false;
    for (const QChar c : locale.timeFormat(QLocale::ShortFormat)) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        else if (!quoted && !c.isLetter() && !c.isSpace())
            return QString(c);
    }
    return QStringLiteral(":");
}
} // namespace

FormatSettings FormatSettings::fromLocale(const QLocale& locale)
{
    FormatSettings settings;
    const QString point = locale.decimalPoint();
    if (!point.isEmpty())
        settings.decimalSeparator = point;
    settings.timeSeparator = timeSeparatorOf(locale);
    return settings;
}

const FormatSettings& formatSettings()
{
    return current();
}

void setFormatSettings(const FormatSettings& settings)
{
    current() = settings;
}
