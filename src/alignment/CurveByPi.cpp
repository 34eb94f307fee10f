#include "alignment/CurveByPi.h"

#include <cmath>
#include <numbers>

#include "landxml/NumberCheck.h"
#include "landxml/TextPatterns.h"

namespace chainforge {
namespace {

constexpr double kFullCircle = 2.0 * std::numbers::pi;
constexpr double kLengthTolerance = 0.01;  // of the length given

// The tag that holds the attribute at position: from its "<" to its ">".
std::string_view TagAround(std::string_view document, std::size_t position) {
    const std::size_t open = document.rfind('<', position);
    const std::size_t close = document.find('>', position);
    if (open == std::string_view::npos || close == std::string_view::npos) {
        return {};
    }
    return document.substr(open, close - open);
}

std::optional<double> RadiansPerUnitNamed(std::string_view unit) {
    if (unit == "decimal degrees") {
        return std::numbers::pi / 180.0;
    }
    if (unit == "radians") {
        return 1.0;
    }
    if (unit == "grads") {
        return std::numbers::pi / 200.0;
    }
    return std::nullopt;
}

// The attribute's number, or none when it is missing or not a number.
std::optional<double> NumberAttribute(std::string_view tag, std::string_view name) {
    const auto text = AttributeValue(tag, name);
    if (!text) {
        return std::nullopt;
    }
    const CheckedNumber number = CheckNumber(*text);
    if (number.fault != NumberFault::None) {
        return std::nullopt;
    }
    return number.value;
}

// True for cw, false for ccw, none for anything else.
std::optional<bool> Clockwise(std::string_view tag) {
    const auto rot = AttributeValue(tag, "rot");
    if (rot == "cw") {
        return true;
    }
    if (rot == "ccw") {
        return false;
    }
    return std::nullopt;
}

// The turn from the direction in to the direction out, the way the curve
// goes round, in [0, 2 pi).
double Turn(const CurveByPiAttributes& curve) {
    const double change = curve.clockwise ? curve.directionEnd - curve.directionStart
                                          : curve.directionStart - curve.directionEnd;
    const double turn = std::fmod(change, kFullCircle);
    return turn < 0.0 ? turn + kFullCircle : turn;
}

// The unit step along an azimuth: its first coordinate northing, second easting.
PlanPoint Heading(double direction) {
    return {std::cos(direction), std::sin(direction)};
}

PlanPoint Along(PlanPoint from, PlanPoint step, double distance) {
    return {from.a + step.a * distance, from.b + step.b * distance};
}

}  // namespace

std::optional<double> DirectionUnitRadians(std::string_view document) {
    const std::size_t at = document.find("directionUnit");
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const auto unit = AttributeValue(TagAround(document, at), "directionUnit");
    return unit ? RadiansPerUnitNamed(*unit) : std::nullopt;
}

std::optional<CurveByPiAttributes> ReadCurveByPiAttributes(std::string_view tag,
                                                           double radiansPerUnit) {
    const std::optional<bool> clockwise = Clockwise(tag);
    const auto radius = NumberAttribute(tag, "radius");
    const auto start = NumberAttribute(tag, "dirStart");
    const auto end = NumberAttribute(tag, "dirEnd");
    const auto length = NumberAttribute(tag, "length");
    if (!clockwise || !radius || !start || !end || !length || *radius <= 0.0 || *length <= 0.0) {
        return std::nullopt;
    }
    return CurveByPiAttributes{*clockwise, *radius, *start * radiansPerUnit, *end * radiansPerUnit,
                               *length};
}

std::optional<CurveByPiVertices> CurveByPiVerticesOf(const CurveByPiAttributes& curve,
                                                     PlanPoint pi) {
    const double turn = Turn(curve);
    const double arc = curve.radius * turn;
    if (turn <= 0.0 || turn >= std::numbers::pi ||
        std::abs(arc - curve.length) > kLengthTolerance * curve.length) {
        return std::nullopt;
    }
    const double tangent = curve.radius * std::tan(turn / 2.0);
    const PlanPoint in = Heading(curve.directionStart);
    const PlanPoint start = Along(pi, in, -tangent);
    const PlanPoint toCentre =
        Heading(curve.directionStart + (curve.clockwise ? 1.0 : -1.0) * std::numbers::pi / 2.0);
    return CurveByPiVertices{start, Along(start, toCentre, curve.radius),
                             Along(pi, Heading(curve.directionEnd), tangent)};
}

}  // namespace chainforge
