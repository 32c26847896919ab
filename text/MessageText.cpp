#include "text/MessageText.h"

QString withErrorFullStop(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

QString withCrashFullStop(const QString& message)
{
    if (!message.isEmpty() && !message.endsWith(QLatin1Char('.')))
        return message + QLatin1Char('.');
    return message;
}
