// The preview's three views as SVG pictures (UTF-8, LF line ends).
#pragma once

#include <string>

#include "preview/PreviewModel.h"

namespace chainforge {

// The horizontal control, its vertex numbers, the points and station ticks,
// north up, with a scale bar.
std::string PlanSvg(const PreviewModel& model);

// Elevation against station, elevations exaggerated by the given factor.
std::string ProfileSvg(const PreviewModel& model, double exaggeration = 10.0);

// The templates at the section and the section's own pairs, elevations
// exaggerated by the given factor.
std::string SectionSvg(const PreviewModel& model, const PreviewSection& section,
                       double exaggeration = 5.0);

}  // namespace chainforge
