#pragma once

#include "store/Provider.h"

#include <QString>

namespace DatabaseFile {
// Creates a keyed database file at path and runs the schema script in it. Refuses to touch an existing
// file, so an operator's data is never replaced; returns false in that case.
bool createIfMissing(const QString& path, const QString& schemaSql, const QString& key = Provider::password);
} // namespace DatabaseFile
