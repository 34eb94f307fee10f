// Writing a conversion in another linear unit: every coordinate, station,
// elevation, offset and length the readers made, times the factor from the
// file's unit to the unit written. Grades, slope ratios, angles and point
// numbers stay as they are.
#pragma once

#include <string>
#include <string_view>

#include "convert/ConversionReport.h"
#include "convert/RunConversion.h"

namespace chainforge {

// A point line with its northing, easting and elevation scaled, each as
// "%lf" as the horizontal reader writes the points it adds. A field that is
// empty, no number or zero keeps its text.
std::string ScalePointLine(std::string_view line, double factor);

// A horizontal control text with its start station (the second number)
// scaled, as "%lf".
std::string ScaleHorizontalControl(std::string_view text, double factor);

// A vertical control text, "station elevation" then "grade station" or
// "grade \"start end\"" entries, with the stations and elevations scaled
// and the grades kept; numbers as "%.10lg".
std::string ScaleVerticalControl(std::string_view text, double factor);

// A template text, a station, "grade width" pairs and the closing
// "ratio 0.01 ratio", with the station and widths scaled; numbers as "%.10lg".
std::string ScaleTemplate(std::string_view text, double factor);

// The content's texts, sections and the lengths its counts carry.
void ScaleContent(double factor, ConversionContent& content);

// The report's lengths and stations: the largest spiral deviation, the
// spirals left out and the station equations.
void ScaleReport(double factor, ConversionReport& report);

}  // namespace chainforge
