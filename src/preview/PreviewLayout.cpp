#include "preview/PreviewLayout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <numbers>
#include <string_view>
#include <unordered_set>

#include "landxml/NumberText.h"

namespace chainforge {
namespace {

constexpr double kQuarterTurn = std::numbers::pi / 2;
constexpr int kArcSamples = 16;

std::string Fixed(double value, int decimals) {
    char text[400];
    const auto result =
        std::to_chars(std::begin(text), std::end(text), value, std::chars_format::fixed, decimals);
    return std::string(text, result.ptr);
}

template <typename ArcRule>
PreviewExtent ElementsExtent(const PreviewModel& model, ArcRule arcExtent) {
    PreviewExtent extent;
    for (const PreviewElement& element : model.elements) {
        extent.Add(element.start.x, element.start.y);
        extent.Add(element.end.x, element.end.y);
        if (element.arc) {
            extent.Add(arcExtent(element));
        }
    }
    return extent;
}

PreviewExtent MarkersExtent(const PreviewModel& model) {
    PreviewExtent extent;
    for (const PreviewMarker& marker : model.markers) {
        if (marker.at) {
            extent.Add(marker.at->x, marker.at->y);
        }
    }
    return extent;
}

}  // namespace

PreviewXY ArcPoint(const PreviewElement& arc, double angle) {
    return {arc.centre.x + arc.radius * std::cos(angle),
            arc.centre.y + arc.radius * std::sin(angle)};
}

void PreviewExtent::Add(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) {
        return;
    }
    left = std::min(left, x);
    right = std::max(right, x);
    bottom = std::min(bottom, y);
    top = std::max(top, y);
}

void PreviewExtent::Add(const PreviewExtent& other) {
    if (!other.Empty()) {
        Add(other.left, other.bottom);
        Add(other.right, other.top);
    }
}

double RoundStep(double near) {
    if (!(near > 0) || !std::isfinite(near)) {
        return 1.0;
    }
    const double power = std::pow(10.0, std::floor(std::log10(near)));
    for (const double step : {5.0, 2.0, 1.0}) {
        if (step * power <= near) {
            return step * power;
        }
    }
    return power;
}

double RoundStepAbove(double least) {
    return RoundStep(2.5 * least);
}

PreviewExtent ElementExtent(const PreviewElement& element) {
    PreviewExtent extent;
    extent.Add(element.start.x, element.start.y);
    extent.Add(element.end.x, element.end.y);
    if (!element.arc) {
        return extent;
    }
    const double from = std::min(element.startAngle, element.startAngle + element.sweep);
    const double to = std::max(element.startAngle, element.startAngle + element.sweep);
    for (double quarter = std::ceil(from / kQuarterTurn) * kQuarterTurn; quarter <= to;
         quarter += kQuarterTurn) {
        const PreviewXY at = ArcPoint(element, quarter);
        extent.Add(at.x, at.y);
    }
    return extent;
}

PreviewExtent SampledArcExtent(const PreviewElement& arc) {
    PreviewExtent extent;
    for (int i = 0; i <= kArcSamples; ++i) {
        const PreviewXY at = ArcPoint(arc, arc.startAngle + arc.sweep * i / kArcSamples);
        extent.Add(at.x, at.y);
    }
    return extent;
}

PreviewExtent PlanViewExtent(const PreviewModel& model) {
    PreviewExtent extent = ElementsExtent(model, ElementExtent);
    for (const PreviewVertex& vertex : model.vertices) {
        if (!vertex.centre) {
            extent.Add(vertex.at.x, vertex.at.y);
        }
    }
    if (extent.Empty()) {
        for (const PreviewPoint& point : model.points) {
            extent.Add(point.at.x, point.at.y);
        }
    }
    extent.Add(MarkersExtent(model));
    return extent;
}

PreviewExtent PlanPictureExtent(const PreviewModel& model) {
    PreviewExtent extent = ElementsExtent(model, SampledArcExtent);
    std::unordered_set<std::string_view> centres;
    for (const PreviewVertex& vertex : model.vertices) {
        if (vertex.centre) {
            centres.insert(vertex.number);
        }
    }
    for (const PreviewPoint& point : model.points) {
        if (!centres.contains(point.name)) {
            extent.Add(point.at.x, point.at.y);
        }
    }
    extent.Add(MarkersExtent(model));
    return extent;
}

PreviewExtent ProfileExtent(const PreviewModel& model) {
    PreviewExtent extent;
    for (const auto* line : {&model.profileLine, &model.profileVertices}) {
        for (const PreviewStationElevation& at : *line) {
            extent.Add(at.station, at.elevation);
        }
    }
    if (model.vpiOnly) {
        for (const PreviewSection& section : model.sections) {
            if (section.centreElevation) {
                extent.Add(section.station, *section.centreElevation);
            }
        }
    }
    return extent;
}

PreviewExtent SectionExtent(const PreviewSection& section) {
    PreviewExtent extent;
    for (const PreviewOffsetElevation& pair : section.pairs) {
        extent.Add(pair.offset, pair.elevation);
    }
    for (const auto& [side, direction] :
         {std::pair{&section.left, -1}, std::pair{&section.right, +1}}) {
        for (const PreviewOffsetElevation& at : side->points) {
            extent.Add(at.offset, at.elevation);
        }
        if (!side->points.empty()) {
            const PreviewOffsetElevation end = ClosingSlopeEnd(section, *side, direction);
            extent.Add(end.offset, end.elevation);
        }
    }
    return extent;
}

std::string GradeLabel(double grade) {
    std::string text = grade >= 0 ? "+" : "";
    text += Fixed(grade, 3);
    text += " %";
    return text;
}

std::string StationLabel(double station) {
    return FormatG(station, 10);
}

std::string GridLabel(double value, double step) {
    const int decimals =
        step >= 1.0 ? 0 : std::min(6, static_cast<int>(std::ceil(-std::log10(step))));
    return Fixed(std::abs(value) < step * 1e-6 ? 0.0 : value, decimals);
}

}  // namespace chainforge
