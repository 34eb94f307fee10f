// Comparisons of doubles with an explicit tolerance. Every test is false
// when an operand is not a number, so a NaN never takes a branch.
#pragma once

#include <cmath>

namespace chainforge {

// The tolerance of station and elevation comparisons.
inline constexpr double kCommonTolerance = 0.0001;

namespace detail {
inline bool AnyNotANumber(double a, double b, double tolerance) {
    return std::isnan(a) || std::isnan(b) || std::isnan(tolerance);
}
}  // namespace detail

inline bool NearlyEqual(double a, double b, double tolerance) {
    return !detail::AnyNotANumber(a, b, tolerance) && std::abs(a - b) <= tolerance;
}

inline bool Differs(double a, double b, double tolerance) {
    return !detail::AnyNotANumber(a, b, tolerance) && std::abs(a - b) > tolerance;
}

inline bool ClearlyLess(double a, double b, double tolerance) {
    return !detail::AnyNotANumber(a, b, tolerance) && a < b && std::abs(a - b) > tolerance;
}

inline bool LessOrNearlyEqual(double a, double b, double tolerance) {
    return !detail::AnyNotANumber(a, b, tolerance) && (a < b || std::abs(a - b) <= tolerance);
}

inline bool ClearlyGreater(double a, double b, double tolerance) {
    return !detail::AnyNotANumber(a, b, tolerance) && a > b && std::abs(a - b) > tolerance;
}

}  // namespace chainforge
