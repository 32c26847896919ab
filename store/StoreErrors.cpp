#include "store/StoreErrors.h"

namespace {
// The engine's description without trailing blanks, control characters and full stops.
QString trimmedEngineText(QString text)
{
    while (!text.isEmpty()) {
        const QChar last = text.back();
        if (last == QLatin1Char('.') || last.isSpace() || last.category() == QChar::Other_Control)
            text.chop(1);
        else
            break;
    }
    return text;
}
} // namespace

Failure providerError(const QString& engineText)
{
    return Failure(trimmedEngineText(engineText), QStringLiteral("EOleException"));
}

Failure datasetError(const QString& datasetName, const QString& text)
{
    return Failure(QStringLiteral("%1: %2").arg(datasetName, text), QStringLiteral("EDatabaseError"));
}

Failure fieldError(const QString& text)
{
    return Failure(text, QStringLiteral("EDatabaseError"));
}
