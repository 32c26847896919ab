#pragma once

#include <QString>

// The general number form used for every amount and total: at most 15 significant digits, fixed notation
// from 0.0001 up to below 1E15, scientific outside, no grouping.
QString generalNumberForm(double value, const QString& decimalSeparator);
