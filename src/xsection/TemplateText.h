// Template texts: a station, then for each point of one side of a section
// outward from the centre a grade in percent and a width, and for the
// outermost point a closing group "ratio 0.01 ratio".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace chainforge {

// The two numbers of a pair text: offset and elevation in a point list,
// or two neighbouring numbers of a template text.
struct NumberPair {
    double first = 0.0;
    double second = 0.0;
};

// Each number of the pair is read on its own, as the leading decimal number
// of its token (0 when there is none), so a malformed token spoils only
// itself.
NumberPair ReadNumberPair(std::string_view pairText);

// Appends the segment from the previous point to the point of pairText and
// makes that point the previous one. direction is -1 on the left side and
// +1 on the right; remaining is the number of points of the side beyond
// this one, 0 for the outermost, which closes the template.
void AppendTemplateSegment(std::string_view pairText, double& previousOffset,
                           double& previousElevation, std::int16_t direction,
                           std::string& templateText, int remaining);

// True when the two texts agree within 0.001 in every number but the
// leading station.
bool TemplatesMatch(std::string_view first, std::string_view second);

}  // namespace chainforge
