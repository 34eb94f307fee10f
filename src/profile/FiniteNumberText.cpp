#include "profile/FiniteNumberText.h"

#include <cmath>
#include <limits>

#include "landxml/NumberText.h"

namespace chainforge {

double FiniteValue(double value) {
    if (std::isnan(value)) {
        return 0.0;
    }
    if (std::isinf(value)) {
        return std::copysign(std::numeric_limits<double>::max(), value);
    }
    return value;
}

std::string FormatFiniteG(double value, int significantDigits) {
    return FormatG(FiniteValue(value), significantDigits);
}

std::string FormatFiniteF(double value) {
    const double finite = FiniteValue(value);
    return std::abs(finite) < kLargestValue ? FormatF(finite) : FormatG(finite, kChainDigits);
}

}  // namespace chainforge
