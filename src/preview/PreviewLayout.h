// The preview's drawing rules, shared by the SVG pictures and the desktop
// views: round steps for scales and grids, the extents a view is fitted to,
// and how grades and stations read.
#pragma once

#include <limits>
#include <string>

#include "preview/PreviewModel.h"

namespace chainforge {

// The smallest box around the finite positions added; empty until one is.
struct PreviewExtent {
    double left = std::numeric_limits<double>::infinity();
    double bottom = std::numeric_limits<double>::infinity();
    double right = -std::numeric_limits<double>::infinity();
    double top = -std::numeric_limits<double>::infinity();

    void Add(double x, double y);
    void Add(const PreviewExtent& other);
    bool Empty() const { return left > right; }
};

// 1, 2 or 5 times a power of ten: the largest not above near; 1 when near is
// not a positive finite length.
double RoundStep(double near);

// The round step for marks at least `least` apart: above it, and no more
// than 2.5 times it, the widest gap between round steps.
double RoundStepAbove(double least);

// The place on an arc's circle at an angle in radians from east,
// counter-clockwise.
PreviewXY ArcPoint(const PreviewElement& arc, double angle);

// A straight's ends; an arc's ends and the points where it is furthest east,
// north, west or south, where it passes them.
PreviewExtent ElementExtent(const PreviewElement& element);

// An arc's ends and 15 points evenly between them: a hair inside the exact
// extent where the arc passes a compass point. The plan picture keeps it, as
// the exact one would move its drawn coordinates by up to half a pixel.
PreviewExtent SampledArcExtent(const PreviewElement& arc);

// Both plans show the horizontal control, its arcs' centres left out (they
// lie far off for flat arcs), and the markers placed on the plan.
//
// The view on screen fits the control alone, its arcs exact, when it has one:
// the points may spread far beyond it, a whole survey, and the view zooms to
// them. Without a control it fits the points.
PreviewExtent PlanViewExtent(const PreviewModel& model);
// The plan picture is fitted once and for all, so the survey points besides
// those standing for arc centres frame it too; its arcs are sampled.
PreviewExtent PlanPictureExtent(const PreviewModel& model);

// The vertical control, with the sections' own centre elevations when it
// was built from them.
PreviewExtent ProfileExtent(const PreviewModel& model);

// The templates out to their closing slopes' ends and the section's pairs.
PreviewExtent SectionExtent(const PreviewSection& section);

// A grade in percent with its sign and three decimals: "+2.000 %".
std::string GradeLabel(double grade);

// A station, length or elevation to ten significant digits, no trailing
// zeros: "1050", "1050.25".
std::string StationLabel(double station);

// A grid line's value with no more decimals than the step between lines
// needs; a value a rounding error away from zero reads as zero.
std::string GridLabel(double value, double step);

}  // namespace chainforge
