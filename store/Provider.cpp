#include "store/Provider.h"

#include <cmath>

namespace Provider {
double roundToFourDecimals(double value)
{
    if (!(std::fabs(value) < 0x1p53))
        return value;
    return std::round(value * 10000.0) / 10000.0;
}
} // namespace Provider
