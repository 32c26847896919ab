#pragma once

#include "text/Failure.h"

#include <QString>

// A failure reported by the database engine, with its own text.
Failure providerError(const QString& engineText);

// A failure raised by a dataset, named after it: "ADOQuery1: <text>".
Failure datasetError(const QString& datasetName, const QString& text);

// A failure of a column's value, without a dataset name ("Field '金额' must have a value").
Failure fieldError(const QString& text);
