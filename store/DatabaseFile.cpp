#include "store/DatabaseFile.h"

#include "store/Sqlite.h"
#include "store/StoreErrors.h"

#include <QFile>
#include <QFileInfo>

namespace DatabaseFile {
namespace {
// Removes the half-built file unless the build got as far as renaming it.
class Scratch
{
public:
    explicit Scratch(QString path) : m_path(std::move(path)) { QFile::remove(m_path); }
    ~Scratch() { QFile::remove(m_path); }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    const QString& path() const { return m_path; }

private:
    QString m_path;
};
} // namespace

bool createIfMissing(const QString& path, const QString& schemaSql, const QString& key)
{
    if (QFileInfo::exists(path))
        return false;
    // Built under a temporary name and renamed, so a failed build never leaves a half-made data.mdb.
    const Scratch building(path + QStringLiteral(".new"));
    {
        SqliteDatabase db(building.path(), key, SqliteDatabase::Mode::Create);
        db.execute(QStringLiteral("BEGIN;") + schemaSql + QStringLiteral(";COMMIT;"));
    }
    if (!QFile::rename(building.path(), path))
        throw providerError(QStringLiteral("Cannot create '%1'").arg(path));
    return true;
}
} // namespace DatabaseFile
