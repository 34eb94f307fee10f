#include "xsection/TemplateText.h"

#include <cmath>
#include <vector>

#include "landxml/NumberText.h"
#include "profile/FiniteNumberText.h"
#include "profile/SplitIntoPairs.h"

namespace chainforge {
namespace {

// Steeper than this a segment is written as a step: the sign of its grade
// with 10000, and its rise.
constexpr double kSteepestGrade = 5000.0;
constexpr double kStepGrade = 10000.0;
// Offset changes below this are vertical, grades below this flat.
constexpr double kVerticalRun = 0.00001;
constexpr double kFlatGrade = 0.00001;
constexpr double kMatchTolerance = 0.001;

void AppendNumbers(std::string& text, double first, double second) {
    text += FormatFiniteG(first, kChainDigits);
    text += ' ';
    text += FormatFiniteG(second, kChainDigits);
    text += ' ';
}

void AppendClosingGroup(std::string& text, double grade) {
    const double ratio = std::abs(grade) < kFlatGrade ? kStepGrade : std::abs(100 / grade);
    const double written = ratio > kSteepestGrade ? kStepGrade : ratio;
    text += FormatFiniteG(written, kChainDigits);
    text += " 0.01 ";
    text += FormatFiniteG(written, kChainDigits);
}

}  // namespace

NumberPair ReadNumberPair(std::string_view pairText) {
    const std::size_t blank = pairText.find(' ');
    NumberPair numbers;
    numbers.first = LeadingDoubleOrZero(pairText.substr(0, blank));
    if (blank != std::string_view::npos) {
        numbers.second = LeadingDoubleOrZero(pairText.substr(blank + 1));
    }
    return numbers;
}

void AppendTemplateSegment(std::string_view pairText, double& previousOffset,
                           double& previousElevation, std::int16_t direction,
                           std::string& templateText, int remaining) {
    const NumberPair point = ReadNumberPair(pairText);
    const double run = point.first - previousOffset;
    const double rise = point.second - previousElevation;
    const double grade = std::abs(run) < kVerticalRun ? kStepGrade : rise * 100 / run * direction;
    if (remaining == 0) {
        AppendClosingGroup(templateText, grade);
    } else if (std::abs(grade) > kSteepestGrade) {
        AppendNumbers(templateText, grade < 0 ? -kStepGrade : kStepGrade, rise * 0.01);
    } else {
        AppendNumbers(templateText, grade, direction * run);
    }
    previousOffset = point.first;
    previousElevation = point.second;
}

bool TemplatesMatch(std::string_view first, std::string_view second) {
    std::vector<std::string> firstPairs;
    std::vector<std::string> secondPairs;
    SplitIntoPairs(first, firstPairs);
    SplitIntoPairs(second, secondPairs);
    if (firstPairs.size() != secondPairs.size()) {
        return false;
    }
    for (std::size_t i = 0; i < firstPairs.size(); ++i) {
        const NumberPair a = ReadNumberPair(firstPairs[i]);
        const NumberPair b = ReadNumberPair(secondPairs[i]);
        // The first number of all is the station, which may differ.
        if (i > 0 && std::abs(a.first - b.first) > kMatchTolerance) {
            return false;
        }
        if (std::abs(a.second - b.second) > kMatchTolerance) {
            return false;
        }
    }
    return true;
}

}  // namespace chainforge
