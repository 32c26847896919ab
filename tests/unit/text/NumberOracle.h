#pragma once

// An independent reference for the general number form: the double's exact decimal expansion, computed
// with big integers, rounded once to 15 significant digits, half away from zero. Shared by the text tests
// and the number form benchmark, which also share the generator of values to try.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace NumberOracle {

// |value| = 0.digits x 10^exponent exactly; digits without trailing zeros.
struct Exact
{
    std::string digits;
    int exponent = 0;
};

// A natural number in base 10^9, least significant limb first.
class Natural
{
public:
    explicit Natural(std::uint64_t value)
    {
        do {
            m_limbs.push_back(std::uint32_t(value % kBase));
            value /= kBase;
        } while (value != 0);
    }

    // Multiplies by factor, which must be below 2^34 so that no limb product overflows.
    void multiply(std::uint64_t factor)
    {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : m_limbs) {
            const std::uint64_t product = limb * factor + carry;
            limb = std::uint32_t(product % kBase);
            carry = product / kBase;
        }
        while (carry != 0) {
            m_limbs.push_back(std::uint32_t(carry % kBase));
            carry /= kBase;
        }
    }

    std::string decimal() const
    {
        std::string text = std::to_string(m_limbs.back());
        for (auto limb = m_limbs.rbegin() + 1; limb != m_limbs.rend(); ++limb) {
            const std::string part = std::to_string(*limb);
            text += std::string(9 - part.size(), '0') + part;
        }
        return text;
    }

private:
    static constexpr std::uint64_t kBase = 1000000000;
    std::vector<std::uint32_t> m_limbs;
};

inline Exact exactDecimal(double value)
{
    int binaryExponent = 0;
    const double fraction = std::frexp(std::fabs(value), &binaryExponent);
    Natural n(std::uint64_t(std::ldexp(fraction, 53)));
    binaryExponent -= 53;
    // value = n x 2^binaryExponent; for a negative one, n x 5^k / 10^k with k = -binaryExponent.
    for (int left = std::abs(binaryExponent); left > 0;) {
        const int step = std::min(left, binaryExponent > 0 ? 30 : 13);
        std::uint64_t factor = 1;
        for (int i = 0; i < step; ++i)
            factor *= binaryExponent > 0 ? 2 : 5;
        n.multiply(factor);
        left -= step;
    }
    Exact exact;
    exact.digits = n.decimal();
    exact.exponent = int(exact.digits.size()) + std::min(binaryExponent, 0);
    exact.digits.erase(exact.digits.find_last_not_of('0') + 1);
    return exact;
}

// The general number form of a non-zero finite value, by the rules as written.
inline std::string form(double value, const std::string& separator = ".")
{
    if (value == 0.0)
        return "0";
    Exact exact = exactDecimal(value);
    std::string digits = exact.digits;
    int e = exact.exponent;
    if (digits.size() > 15) {
        const bool up = digits[15] >= '5';
        digits.resize(15);
        if (up) {
            int i = 14;
            while (i >= 0 && digits[i] == '9')
                digits[i--] = '0';
            if (i < 0) {
                digits.insert(digits.begin(), '1');
                digits.resize(15);
                ++e;
            } else {
                ++digits[i];
            }
        }
        digits.erase(std::max<std::size_t>(1, digits.find_last_not_of('0') + 1));
    }
    std::string text = value < 0 ? "-" : "";
    const int count = int(digits.size());
    if (e >= -3 && e <= 15) {
        if (e > 0) {
            text += digits.substr(0, std::min(e, count)) + std::string(std::max(0, e - count), '0');
            if (count > e)
                text += separator + digits.substr(e);
        } else {
            text += "0" + separator + std::string(-e, '0') + digits;
        }
        return text;
    }
    text += digits.substr(0, 1);
    if (count > 1)
        text += separator + digits.substr(1);
    return text + "E" + std::to_string(e - 1);
}

// Values worth trying, `count` of them in the same mix every run for a given seed: random bit patterns,
// random decimals, every power of ten from 1E-20 to 1E20 with its neighbours, values whose 16th digit
// carries through nines, and exact ties at the 16th digit.
inline std::vector<double> samples(std::size_t count, std::uint64_t seed)
{
    std::vector<double> values;
    values.reserve(count + 500);
    for (int p = -20; p <= 20; ++p) {
        double power = std::stod("1e" + std::to_string(p));
        double below = power;
        double above = power;
        for (int step = 0; step < 3; ++step) {
            values.push_back(below);
            values.push_back(above);
            below = std::nextafter(below, 0.0);
            above = std::nextafter(above, HUGE_VAL);
        }
    }
    std::mt19937_64 random(seed);
    const auto digitsOf = [&](int n) {
        std::string text(1, char('1' + random() % 9));
        for (int i = 1; i < n; ++i)
            text += char('0' + random() % 10);
        return text;
    };
    const double fractions[] = {0.5, 0.25, 0.75, 0.125, 0.375, 0.625, 0.875, 0.0625, 0.9375};
    const int fractionDigits[] = {1, 2, 2, 3, 3, 3, 3, 4, 4};
    while (values.size() < count) {
        double value = 0.0;
        switch (random() % 5) {
        case 0:
        case 1: { // any finite double
            std::uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
            if (!std::isfinite(value))
                continue;
            break;
        }
        case 2: // a decimal of 1 to 17 digits
            value =
                std::stod(digitsOf(1 + int(random() % 17)) + "e" + std::to_string(int(random() % 61) - 30));
            break;
        case 3: { // nines up to the 15th digit, then a 16th digit near 5, at any scale
            value = std::stod("0.99999999999999" + std::to_string(9 - random() % 2) +
                              std::to_string(4 + random() % 2) + digitsOf(1 + int(random() % 4)) + "e" +
                              std::to_string(int(random() % 41) - 20));
            value = std::nextafter(value, random() % 2 ? 0.0 : HUGE_VAL);
            break;
        }
        default: { // a whole part and a binary fraction making exactly 16 digits that end in 5
            const int f = int(random() % 9);
            value = std::stod(digitsOf(16 - fractionDigits[f])) + fractions[f];
            break;
        }
        }
        values.push_back(random() % 2 ? -value : value);
    }
    return values;
}

} // namespace NumberOracle
