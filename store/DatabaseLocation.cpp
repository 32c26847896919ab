#include "store/DatabaseLocation.h"

#include "store/Provider.h"

namespace DatabaseLocation {
namespace {
const QString kProviderKey = QStringLiteral("Provider=");
const QString kDataSourceKey = QStringLiteral(";Data Source=");
const QString kTail = QStringLiteral(";Persist Security Info=False;Jet OLEDB:Database Password=");

bool isSeparator(QChar c, QChar separator)
{
    return c == separator || (separator == QLatin1Char('\\') && c == QLatin1Char(':'));
}
} // namespace

QString directoryOf(const QString& executablePath, QChar separator)
{
    qsizetype last = executablePath.size() - 1;
    while (last >= 0 && !isSeparator(executablePath.at(last), separator))
        --last;
    if (last < 0)
        return QString();
    const bool dropSeparator = executablePath.at(last) == separator && last > 0 &&
                               !isSeparator(executablePath.at(last - 1), separator) &&
                               executablePath.at(last - 1) != QLatin1Char(':');
    return executablePath.left(dropSeparator ? last : last + 1);
}

QString databasePath(const QString& executablePath, QChar separator)
{
    return directoryOf(executablePath, separator) + separator + QStringLiteral("data.mdb");
}

QString connectionString(const QString& databasePath)
{
    return kProviderKey + Provider::name + kDataSourceKey + databasePath + kTail + QLatin1Char('\'') +
           Provider::password + QLatin1Char('\'');
}

ConnectionSettings parseConnectionString(const QString& text)
{
    ConnectionSettings settings;
    if (!text.startsWith(kProviderKey))
        return settings;
    const qsizetype sourceAt = text.indexOf(kDataSourceKey);
    const qsizetype tailAt = text.lastIndexOf(kTail);
    if (sourceAt < 0 || tailAt < sourceAt)
        return settings;
    settings.provider = text.mid(kProviderKey.size(), sourceAt - kProviderKey.size());
    const qsizetype pathAt = sourceAt + kDataSourceKey.size();
    settings.dataSource = text.mid(pathAt, tailAt - pathAt);
    QString password = text.mid(tailAt + kTail.size());
    if (password.size() >= 2 && password.startsWith(QLatin1Char('\'')) &&
        password.endsWith(QLatin1Char('\'')))
        password = password.mid(1, password.size() - 2);
    settings.password = password;
    return settings;
}

} // namespace DatabaseLocation
