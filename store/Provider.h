#pragma once

#include <QString>

// What the connection string names, the password data.mdb is keyed with, and how the provider holds a
// currency amount: the one home of each.
namespace Provider {
inline const QString name = QStringLiteral("Microsoft.Jet.OLEDB.4.0");
inline const QString password = QStringLiteral("730245");

// The largest currency amount the provider holds: a 64-bit count of ten-thousandths.
inline constexpr double currencyLimit = 922337203685477.5807;

// A currency amount as the provider reads it: rounded half away from zero to four decimals. Never
// overflows: from 2^53 on a double is a whole number already and is returned unchanged.
double roundToFourDecimals(double value);
} // namespace Provider
