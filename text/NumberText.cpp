#include "text/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
constexpr int kSignificantDigits = 15;

// The value's leading significant digits (at most 15, no trailing zeros) and its exponent E,
// with |value| = 0.d1d2d3... x 10^E.
struct Decimal
{
    std::string digits;
    int exponent = 0;
};

Decimal toDecimal(double magnitude)
{
    // 18 significant digits, the last rounded to nearest, then rounded once more to 15 on the 16th digit.
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.17e", magnitude);
    std::string digits;
    digits += buffer[0];
    digits.append(buffer + 2, 17);
    Decimal result;
    result.exponent = std::atoi(std::strchr(buffer, 'e') + 1) + 1;

    digits.resize(kSignificantDigits + 1);
    const bool roundUp = digits[kSignificantDigits] >= '5';
    digits.resize(kSignificantDigits);
    if (roundUp) {
        int i = kSignificantDigits - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits = "1";
            ++result.exponent;
        }
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    result.digits = digits;
    return result;
}
} // namespace

QString generalNumberForm(double value, const QString& decimalSeparator)
{
    if (value == 0.0)
        return QStringLiteral("0");
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");

    const Decimal decimal = toDecimal(std::fabs(value));
    const QString digits = QString::fromLatin1(decimal.digits.c_str());
    const int e = decimal.exponent;
    QString text = value < 0 ? QStringLiteral("-") : QString();

    if (e >= -3 && e <= 15) {
        if (e > 0) {
            text += digits.left(e).leftJustified(e, QLatin1Char('0'));
            if (digits.size() > e)
                text += decimalSeparator + digits.mid(e);
        } else {
            text += QLatin1Char('0') + decimalSeparator + QString(-e, QLatin1Char('0')) + digits;
        }
        return text;
    }

    text += digits.front();
    if (digits.size() > 1)
        text += decimalSeparator + digits.mid(1);
    return text + QLatin1Char('E') + QString::number(e - 1);
}
