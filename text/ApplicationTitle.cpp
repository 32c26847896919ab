#include "text/ApplicationTitle.h"

QString applicationTitle(const QString& executableFileName)
{
    QString name = executableFileName.section(QLatin1Char('.'), 0, 0);
    if (name.isEmpty())
        return name;
    return name.front() + name.mid(1).toLower();
}
