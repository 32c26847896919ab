#include "store/DatabaseFile.h"

#include "store/Sqlite.h"
#include "store/StoreErrors.h"

#include <QFile>
#include <QFileInfo>

namespace DatabaseFile {
bool createIfMissing(const QString& path, const QString& schemaSql, const QString& key)
{
    if (QFileInfo::exists(path))
        return false;
    // Built under a temporary name and renamed, so a failed build never leaves a half-made data.mdb.
    const QString building = path + QStringLiteral(".new");
    QFile::remove(building);
    {
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open_v2(building.toUtf8().constData(), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        SqliteHandle db(raw);
        if (rc != SQLITE_OK)
            throw providerError(QString::fromUtf8(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc)));
        const QByteArray keyBytes = key.toUtf8();
        sqlite3_key(db.get(), keyBytes.constData(), int(keyBytes.size()));
        executeScript(db.get(), QStringLiteral("BEGIN;") + schemaSql + QStringLiteral(";COMMIT;"));
    }
    if (!QFile::rename(building, path)) {
        QFile::remove(building);
        throw providerError(QStringLiteral("Cannot create '%1'").arg(path));
    }
    return true;
}
} // namespace DatabaseFile
