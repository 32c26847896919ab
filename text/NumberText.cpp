#include "text/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
constexpr int kSignificantDigits = 15;

// The value's leading significant digits (at most 15, no trailing zeros) and its exponent E,
// with |value| = 0.d1d2d3... x 10^E.
struct Decimal
{
    std::string digits;
    int exponent = 0;
};

// The exact decimal digits of magnitude, as many as precision asks for after the first, and the exponent.
int exactDigits(double magnitude, int precision, std::string& digits)
{
    std::vector<char> buffer(size_t(precision) + 16);
    std::snprintf(buffer.data(), buffer.size(), "%.*e", precision, magnitude);
    digits.assign(1, buffer[0]);
    digits.append(buffer.data() + 2, size_t(precision));
    return std::atoi(std::strchr(buffer.data(), 'e') + 1) + 1;
}

// Whether the digits after the first 15 make the value round up, half away from zero. They are printed
// correctly rounded, so only a 16th digit 5 followed by zeros can hide what the exact value does: a tie,
// a little more, or a little less that the printing rounded up. Then every digit is printed: a double has
// at most 767 significant ones.
bool roundsUp(double magnitude, const std::string& digits)
{
    const char sixteenth = digits[kSignificantDigits];
    if (sixteenth != '5' || digits.find_first_not_of('0', kSignificantDigits + 1) != std::string::npos)
        return sixteenth >= '5';
    std::string exact;
    exactDigits(magnitude, 767, exact);
    return exact[kSignificantDigits] >= '5';
}

// The value rounded once, from its exact binary value, to 15 significant digits.
Decimal toDecimal(double magnitude)
{
    std::string digits;
    Decimal result;
    result.exponent = exactDigits(magnitude, 40, digits);
    const bool roundUp = roundsUp(magnitude, digits);
    digits.resize(kSignificantDigits);
    if (roundUp) {
        int i = kSignificantDigits - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits.assign(1, '1');
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
