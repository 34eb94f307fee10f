#include "xsection/ProfileEvaluation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "landxml/NumberText.h"
#include "xsection/ToleranceTests.h"

namespace chainforge {
namespace {

constexpr double kTolerance = kCommonTolerance;

// Reads the blank-separated tokens of a vertical control text in order. A
// token that is not there reads as the empty text; trailing blanks end the
// text.
class CTokenReader {
  public:
    explicit CTokenReader(std::string_view text) : text_(text) {}

    bool HasMore() const { return text_.find_first_not_of(' ', position_) != text_.npos; }

    std::string_view Peek() const {
        const std::size_t begin = text_.find_first_not_of(' ', position_);
        if (begin == text_.npos) {
            return {};
        }
        const std::size_t end = std::min(text_.find(' ', begin), text_.size());
        return text_.substr(begin, end - begin);
    }

    std::string_view Next() {
        const std::string_view token = Peek();
        if (token.empty()) {
            position_ = text_.size();
        } else {
            position_ = static_cast<std::size_t>(token.data() + token.size() - text_.data());
        }
        return token;
    }

  private:
    std::string_view text_;
    std::size_t position_ = 0;
};

double TokenNumber(std::string_view token) {
    return LeadingDoubleOrZero(token);
}

bool IsCurveToken(std::string_view token) {
    return !token.empty() && token.front() == '"';
}

// The grade token and the station or curve after it.
ProfileSegment ReadSegment(CTokenReader& tokens, double station, double elevation) {
    ProfileSegment segment;
    segment.startStation = station;
    segment.startElevation = elevation;
    segment.grade = TokenNumber(tokens.Next());
    const std::string_view end = tokens.Next();
    if (IsCurveToken(end)) {
        segment.tangentEnd = TokenNumber(end.substr(1));
        segment.curveEnd = TokenNumber(tokens.Next());
    } else {
        segment.tangentEnd = TokenNumber(end);
        segment.curveEnd = segment.tangentEnd;
    }
    segment.isCurve = !NearlyEqual(segment.tangentEnd, segment.curveEnd, kTolerance);
    // The grade leaving a curve is also the grade token of the next segment.
    segment.leavingGrade = TokenNumber(tokens.Peek()) / 100;
    return segment;
}

double LargestStationTested(const ProfileSegment& segment) {
    const double tested = std::max(segment.startStation, segment.tangentEnd);
    return segment.isCurve ? std::max(tested, segment.curveEnd) : tested;
}

double CurveStartElevation(const ProfileSegment& s) {
    return s.startElevation + (s.tangentEnd - s.startStation) * (s.grade / 100);
}

double ElevationOnCurve(const ProfileSegment& s, double x) {
    const double g1 = s.grade / 100;
    const double g2 = s.leavingGrade;
    const double length = s.curveEnd - s.tangentEnd;
    return CurveStartElevation(s) + g1 * x + (g2 - g1) * x * x / (2 * length);
}

// Where the next segment starts: the end of this tangent, or of its curve.
void MoveToSegmentEnd(const ProfileSegment& s, double& station, double& elevation) {
    if (s.isCurve) {
        elevation = ElevationOnCurve(s, s.curveEnd - s.tangentEnd);
        station = s.curveEnd;
    } else {
        elevation = s.startElevation + (s.tangentEnd - s.startStation) * s.grade / 100;
        station = s.tangentEnd;
    }
}

// The elevation at station when the walk stops on this segment; nothing
// when the station lies beyond it and the walk goes on.
std::optional<double> ElevationOnSegment(const ProfileSegment& s, double station) {
    const double onTangent = s.startElevation + (station - s.startStation) * s.grade / 100;
    if (NearlyEqual(station, s.startStation, kTolerance)) {
        return s.startElevation;
    }
    // Only before the first vertex: the first tangent extended backwards.
    if (ClearlyLess(station, s.startStation, kTolerance)) {
        return onTangent;
    }
    if (LessOrNearlyEqual(station, s.tangentEnd, kTolerance)) {
        return onTangent;
    }
    if (!s.isCurve || ClearlyGreater(station, s.curveEnd, kTolerance)) {
        return std::nullopt;
    }
    return ElevationOnCurve(s, station - s.tangentEnd);
}

}  // namespace

CVerticalProfile::CVerticalProfile(std::string_view verticalControl) {
    if (verticalControl.empty()) {
        return;
    }
    CTokenReader tokens(verticalControl);
    double station = TokenNumber(tokens.Next());
    double elevation = TokenNumber(tokens.Next());
    double reach = std::numeric_limits<double>::lowest();
    while (tokens.HasMore()) {
        ProfileSegment segment = ReadSegment(tokens, station, elevation);
        reach = std::max(reach, LargestStationTested(segment));
        segment.reach = reach;
        MoveToSegmentEnd(segment, station, elevation);
        segments_.push_back(segment);
    }
}

// A station passes a segment when it lies clearly beyond every station the
// segment compares it with; whether it does can be told from the largest of
// them, and that only grows along the text. So the segments passed form a
// prefix, and the walk stops at the first segment after it.
std::size_t CVerticalProfile::FirstSegmentReaching(double station) const {
    if (std::isnan(station)) {
        return 0;
    }
    const auto first = std::partition_point(segments_.begin(), segments_.end(),
                                            [station](const ProfileSegment& s) {
                                                return ClearlyGreater(station, s.reach, kTolerance);
                                            });
    return static_cast<std::size_t>(first - segments_.begin());
}

double CVerticalProfile::ElevationAt(double station) const {
    for (std::size_t i = FirstSegmentReaching(station); i < segments_.size(); ++i) {
        if (const std::optional<double> elevation = ElevationOnSegment(segments_[i], station)) {
            return *elevation;
        }
    }
    return 0.0;
}

double ProfileElevationAt(double station, std::string_view verticalControl) {
    return CVerticalProfile(verticalControl).ElevationAt(station);
}

}  // namespace chainforge
