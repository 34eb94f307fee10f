// The chain file is read by programs that know nothing of "inf" or "nan", so
// every number the alignment, profile and cross-section readers write passes
// through here. Ordinary values come out exactly as FormatG and FormatF give
// them.
#pragma once

#include <string>

namespace chainforge {

// A value beyond the range of a double becomes the largest double of its
// sign (the value such text reads back as), an undefined one 0.
double FiniteValue(double value);

// "%lg" and "%lf" of FiniteValue(value); FormatFiniteG with kChainDigits
// gives "%.10lg". FormatFiniteF writes a value of kLargestValue or more in
// size as "%.10lg" does, never as a run of hundreds of digits.
std::string FormatFiniteG(double value, int significantDigits = 6);
std::string FormatFiniteF(double value);

}  // namespace chainforge
