#pragma once

#include <QString>

namespace DatabaseFile {
// The database password of data.mdb.
inline const QString password = QStringLiteral("730245");

// Creates a keyed database file at path and runs the schema script in it. Refuses to touch an existing
// file, so an operator's data is never replaced; returns false in that case.
bool createIfMissing(const QString& path, const QString& schemaSql, const QString& key = password);
} // namespace DatabaseFile
