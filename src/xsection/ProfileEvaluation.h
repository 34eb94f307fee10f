// The design elevation of a profile at a station, taken from its vertical
// control text: a first vertex (station, elevation), then grades in percent
// each followed by the station where that tangent ends, or by a symmetric
// curve written as "\"start end\"".
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace chainforge {

// One step of the walk along a vertical control text: the tangent that
// starts at (startStation, startElevation) with `grade` percent and ends at
// tangentEnd, then for a curve the parabola from tangentEnd to curveEnd that
// turns into leavingGrade (a fraction, not percent).
struct ProfileSegment {
    double startStation = 0.0;
    double startElevation = 0.0;
    double grade = 0.0;
    double tangentEnd = 0.0;
    double curveEnd = 0.0;
    double leavingGrade = 0.0;
    bool isCurve = false;
    // The largest station that this or any earlier segment compares a
    // station against; it never falls, so a station's segment can be found
    // by bisection even in a text whose stations go back.
    double reach = 0.0;
};

// A vertical control text read once, to be evaluated at many stations.
class CVerticalProfile {
  public:
    explicit CVerticalProfile(std::string_view verticalControl);

    // The profile elevation at station; 0.0 where the text gives none
    // (an empty text, only a first vertex, or beyond the last vertex).
    double ElevationAt(double station) const;

    const std::vector<ProfileSegment>& Segments() const { return segments_; }

  private:
    std::size_t FirstSegmentReaching(double station) const;

    std::vector<ProfileSegment> segments_;
};

// The elevation of the profile given by verticalControl at station.
double ProfileElevationAt(double station, std::string_view verticalControl);

}  // namespace chainforge
