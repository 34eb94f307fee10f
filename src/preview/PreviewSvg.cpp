#include "preview/PreviewSvg.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <string_view>

#include "landxml/NumberText.h"
#include "preview/PreviewLayout.h"

namespace chainforge {
namespace {

constexpr double kWidth = 1200;
constexpr double kHeight = 800;
constexpr double kMargin = 60;
// Vertex numbers are written as labels up to this many; beyond it they
// would cover the drawing, and only their titles remain.
constexpr std::size_t kMostLabels = 300;

std::string Fixed(double value, int decimals) {
    char text[64];
    const auto result =
        std::to_chars(std::begin(text), std::end(text), value, std::chars_format::fixed, decimals);
    return std::string(text, result.ptr);
}

std::string Pixels(double value) {
    return Fixed(value, 2);
}

std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                // Control characters are not allowed in XML 1.0 text.
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n') {
                    out += c;
                }
        }
    }
    return out;
}

// An SVG picture of world coordinates fitted into the page: x to the right,
// y up, y scaled by the exaggeration.
class CSvgCanvas {
  public:
    CSvgCanvas(const PreviewExtent& bounds, double exaggeration, const std::string& title)
        : exaggeration_(exaggeration) {
        Fit(bounds);
        out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
        out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Pixels(kWidth) +
                "\" height=\"" + Pixels(kHeight) + "\" viewBox=\"0 0 " + Pixels(kWidth) + " " +
                Pixels(kHeight) + "\" font-family=\"sans-serif\" font-size=\"11\">\n";
        out_ += "<title>" + Escaped(title) + "</title>\n";
        out_ += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
        Text(kMargin, kMargin / 2, title, "start", "#000", 14);
    }

    double X(double x) const { return kMargin + (x - left_) * scale_; }
    double Y(double y) const { return kHeight - kMargin - (y - bottom_) * exaggeration_ * scale_; }
    double Scale() const { return scale_; }
    double XValue(double px) const { return left_ + (px - kMargin) / scale_; }
    double YValue(double py) const {
        return bottom_ + (kHeight - kMargin - py) / (exaggeration_ * scale_);
    }

    void Line(double x1, double y1, double x2, double y2, std::string_view style) {
        out_ += "<line x1=\"" + Pixels(X(x1)) + "\" y1=\"" + Pixels(Y(y1)) + "\" x2=\"" +
                Pixels(X(x2)) + "\" y2=\"" + Pixels(Y(y2)) + "\" " + std::string(style) + "/>\n";
    }
    void PixelLine(double x1, double y1, double x2, double y2, std::string_view style) {
        out_ += "<line x1=\"" + Pixels(x1) + "\" y1=\"" + Pixels(y1) + "\" x2=\"" + Pixels(x2) +
                "\" y2=\"" + Pixels(y2) + "\" " + std::string(style) + "/>\n";
    }
    // Off the page (far arc centres) a dot is left out.
    void Dot(double x, double y, double radius, std::string_view fill, std::string_view title) {
        if (!(X(x) >= 0 && X(x) <= kWidth && Y(y) >= 0 && Y(y) <= kHeight)) {
            return;
        }
        out_ += "<circle cx=\"" + Pixels(X(x)) + "\" cy=\"" + Pixels(Y(y)) + "\" r=\"" +
                Pixels(radius) + "\" fill=\"" + std::string(fill) + "\"";
        if (title.empty()) {
            out_ += "/>\n";
        } else {
            out_ += "><title>" + Escaped(title) + "</title></circle>\n";
        }
    }
    void Text(double px, double py, std::string_view text, std::string_view anchor,
              std::string_view fill, int size = 11) {
        out_ += "<text x=\"" + Pixels(px) + "\" y=\"" + Pixels(py) + "\" text-anchor=\"" +
                std::string(anchor) + "\" fill=\"" + std::string(fill) + "\" font-size=\"" +
                std::to_string(size) + "\">" + Escaped(text) + "</text>\n";
    }
    // A polyline through the points, each placed by position(point), which
    // gives its world x and y.
    template <typename Point, typename Position>
    void Polyline(const std::vector<Point>& points, Position position, std::string_view style) {
        out_ += "<polyline points=\"";
        for (const Point& point : points) {
            const auto [x, y] = position(point);
            out_ += Pixels(X(x)) + "," + Pixels(Y(y)) + " ";
        }
        out_ += "\" fill=\"none\" " + std::string(style) + "/>\n";
    }
    void Raw(const std::string& text) { out_ += text; }

    std::string Finish() {
        out_ += "</svg>\n";
        return std::move(out_);
    }

  private:
    void Fit(const PreviewExtent& bounds) {
        if (bounds.Empty()) {
            return;
        }
        const double width = std::max(bounds.right - bounds.left, 1e-9);
        const double height = std::max((bounds.top - bounds.bottom) * exaggeration_, 1e-9);
        if (!std::isfinite(width) || !std::isfinite(height)) {
            return;  // too far apart to draw on one page
        }
        scale_ = std::min((kWidth - 2 * kMargin) / width, (kHeight - 2 * kMargin) / height);
        // Centred on the page.
        left_ = bounds.left - ((kWidth - 2 * kMargin) / scale_ - width) / 2;
        bottom_ = bounds.bottom - ((kHeight - 2 * kMargin) / scale_ - height) / 2 / exaggeration_;
    }

    double exaggeration_;
    double scale_ = 1.0;
    double left_ = 0.0;
    double bottom_ = 0.0;
    std::string out_;
};

// An arc as SVG path arcs of at most a quarter turn each, so that a whole
// circle and the large-arc choice need no special case.
std::string ArcPath(const CSvgCanvas& canvas, const PreviewElement& element) {
    const int pieces =
        std::max(1, static_cast<int>(std::ceil(std::abs(element.sweep) / (std::numbers::pi / 2))));
    const double radius = element.radius * canvas.Scale();
    auto at = [&element](int i, int pieces) {
        return ArcPoint(element, element.startAngle + element.sweep * i / pieces);
    };
    // North up turns a counter-clockwise arc into SVG's negative direction.
    const char* sweepFlag = element.sweep > 0 ? "0" : "1";
    const PreviewXY start = at(0, pieces);
    std::string d = "M";
    d += Pixels(canvas.X(start.x)) + " " + Pixels(canvas.Y(start.y));
    for (int i = 1; i <= pieces; ++i) {
        const PreviewXY to = at(i, pieces);
        d += " A" + Pixels(radius) + " " + Pixels(radius) + " 0 0 " + sweepFlag + " " +
             Pixels(canvas.X(to.x)) + " " + Pixels(canvas.Y(to.y));
    }
    return d;
}

void DrawElements(CSvgCanvas& canvas, const PreviewModel& model) {
    for (const PreviewElement& element : model.elements) {
        if (!element.arc) {
            canvas.Line(element.start.x, element.start.y, element.end.x, element.end.y,
                        "stroke=\"#1f4e9c\" stroke-width=\"2\"");
            continue;
        }
        const char* style = element.fromSpiral
                                ? "stroke=\"#c2410c\" stroke-width=\"2\" stroke-dasharray=\"6 3\""
                                : "stroke=\"#15803d\" stroke-width=\"2\"";
        canvas.Raw("<path d=\"" + ArcPath(canvas, element) + "\" fill=\"none\" " + style +
                   "><title>R " + FormatG(element.radius, 10) +
                   (element.fromSpiral ? " (spiral)" : "") + "</title></path>\n");
    }
}

// Station ticks every 100 units and at element ends; labels at a multiple
// of 100 wide enough apart to be read.
void DrawTicks(CSvgCanvas& canvas, const PreviewModel& model) {
    constexpr double kInterval = 100.0;
    double labelEvery = kInterval;
    while (labelEvery * canvas.Scale() < 60 && labelEvery < 1e300) {
        labelEvery = RoundStep(labelEvery * 2.5);
    }
    const bool everyInterval = kInterval * canvas.Scale() >= 4;
    for (const PreviewTick& tick : StationTicks(model, kInterval)) {
        const bool labelled = std::abs(std::remainder(tick.station, labelEvery)) < 1e-6;
        if (!labelled && !tick.elementEnd && !everyInterval) {
            continue;
        }
        const double px = canvas.X(tick.at.x);
        const double py = canvas.Y(tick.at.y);
        // Across the line: the direction of travel turned a quarter, in pixels.
        const double length = labelled ? 8 : 5;
        const double nx = -tick.along.y * length;
        const double ny = -tick.along.x * length;
        canvas.PixelLine(px - nx, py - ny, px + nx, py + ny, "stroke=\"#444\" stroke-width=\"1\"");
        if (labelled) {
            canvas.Text(px + nx * 1.6, py + ny * 1.6 + 4, StationLabel(tick.station), "middle",
                        "#444", 10);
        }
    }
}

void DrawScaleBar(CSvgCanvas& canvas) {
    const double length = RoundStep((kWidth - 2 * kMargin) / 5 / canvas.Scale());
    const double pixels = length * canvas.Scale();
    const double x = kWidth - kMargin - pixels;
    const double y = kHeight - kMargin / 2;
    canvas.PixelLine(x, y, x + pixels, y, "stroke=\"#000\" stroke-width=\"2\"");
    canvas.PixelLine(x, y - 4, x, y + 4, "stroke=\"#000\"");
    canvas.PixelLine(x + pixels, y - 4, x + pixels, y + 4, "stroke=\"#000\"");
    canvas.Text(x + pixels / 2, y - 6, StationLabel(length), "middle", "#000");
    // North is up.
    canvas.PixelLine(kWidth - kMargin / 2, kMargin + 30, kWidth - kMargin / 2, kMargin,
                     "stroke=\"#000\" stroke-width=\"2\"");
    canvas.Text(kWidth - kMargin / 2, kMargin - 4, "N", "middle", "#000", 13);
}

void DrawMarker(CSvgCanvas& canvas, double px, double py, const std::string& text) {
    canvas.Raw("<path d=\"M" + Pixels(px) + " " + Pixels(py - 9) + " l7 12 h-14 z\" " +
               "fill=\"#dc2626\"><title>" + Escaped(text) + "</title></path>\n");
}

}  // namespace

std::string PlanSvg(const PreviewModel& model) {
    CSvgCanvas canvas(PlanPictureExtent(model), 1.0, "Plan");
    for (const PreviewPoint& point : model.points) {
        canvas.Dot(point.at.x, point.at.y, 1.5, "#6b7280", point.name);
    }
    DrawElements(canvas, model);
    DrawTicks(canvas, model);
    const bool labels = model.vertices.size() <= kMostLabels;
    for (const PreviewVertex& vertex : model.vertices) {
        canvas.Dot(vertex.at.x, vertex.at.y, vertex.centre ? 1.5 : 3,
                   vertex.centre ? "#15803d" : "#1f4e9c", vertex.number);
        if (labels && !vertex.centre) {
            canvas.Text(canvas.X(vertex.at.x) + 5, canvas.Y(vertex.at.y) - 5, vertex.number,
                        "start", "#1f4e9c", 10);
        }
    }
    for (const PreviewMarker& marker : model.markers) {
        if (marker.at) {
            DrawMarker(canvas, canvas.X(marker.at->x), canvas.Y(marker.at->y), marker.text);
        }
    }
    DrawScaleBar(canvas);
    return canvas.Finish();
}

namespace {

std::pair<double, double> StationAndElevation(const PreviewStationElevation& point) {
    return {point.station, point.elevation};
}

void DrawProfileLine(CSvgCanvas& canvas, const PreviewModel& model) {
    if (model.profileLine.empty()) {
        return;
    }
    canvas.Polyline(model.profileLine, StationAndElevation,
                    "stroke=\"#1f4e9c\" stroke-width=\"2\"");
}

void DrawGrades(CSvgCanvas& canvas, const PreviewModel& model) {
    for (const PreviewTangent& tangent : model.tangents) {
        const double x = (canvas.X(tangent.startStation) + canvas.X(tangent.endStation)) / 2;
        const double y = (canvas.Y(tangent.startElevation) + canvas.Y(tangent.endElevation)) / 2;
        canvas.Text(x, y - 8, GradeLabel(tangent.grade), "middle", "#1f4e9c", 10);
    }
}

// Labels along the bottom edge, about eight across the page.
void DrawStationAxis(CSvgCanvas& canvas) {
    const double low = canvas.XValue(kMargin);
    const double high = canvas.XValue(kWidth - kMargin);
    const double step = RoundStep((high - low) / 8);
    const double y = kHeight - kMargin / 2;
    for (double station = std::ceil(low / step) * step; station <= high && station + step > station;
         station += step) {
        canvas.PixelLine(canvas.X(station), y - 12, canvas.X(station), y - 6, "stroke=\"#444\"");
        canvas.Text(canvas.X(station), y + 6, StationLabel(station), "middle", "#444", 10);
    }
}

// Labels up the left edge, about six.
void DrawElevationAxis(CSvgCanvas& canvas) {
    const double low = canvas.YValue(kHeight - kMargin);
    const double high = canvas.YValue(kMargin);
    const double step = RoundStep((high - low) / 6);
    for (double elevation = std::ceil(low / step) * step;
         elevation <= high && elevation + step > elevation; elevation += step) {
        canvas.PixelLine(kMargin / 2 + 8, canvas.Y(elevation), kMargin / 2 + 14,
                         canvas.Y(elevation), "stroke=\"#444\"");
        canvas.Text(kMargin / 2 + 6, canvas.Y(elevation) + 4, FormatG(elevation, 10), "end", "#444",
                    10);
    }
}

void DrawAxes(CSvgCanvas& canvas, const PreviewExtent& bounds) {
    if (bounds.Empty()) {
        return;
    }
    DrawStationAxis(canvas);
    DrawElevationAxis(canvas);
}

}  // namespace

std::string ProfileSvg(const PreviewModel& model, double exaggeration) {
    const PreviewExtent bounds = ProfileExtent(model);
    CSvgCanvas canvas(bounds, exaggeration,
                      "Profile (vertical exaggeration " + FormatG(exaggeration) + "x)");
    // The tangents run on to the vertices, thin and dashed.
    canvas.Polyline(model.profileVertices, StationAndElevation,
                    "stroke=\"#9ca3af\" stroke-dasharray=\"4 3\"");
    DrawProfileLine(canvas, model);
    for (const PreviewStationElevation& vertex : model.profileVertices) {
        canvas.Dot(vertex.station, vertex.elevation, 3, "#1f4e9c",
                   StationLabel(vertex.station) + "  " + FormatG(vertex.elevation, 10));
    }
    DrawGrades(canvas, model);
    if (model.vpiOnly) {
        for (const PreviewSection& section : model.sections) {
            if (section.centreElevation) {
                canvas.Dot(section.station, *section.centreElevation, 2, "#c2410c",
                           StationLabel(section.station));
            }
        }
    }
    for (const PreviewMarker& marker : model.markers) {
        if (marker.station) {
            DrawMarker(canvas, canvas.X(*marker.station), kMargin, marker.text);
        }
    }
    DrawAxes(canvas, bounds);
    return canvas.Finish();
}

namespace {

void DrawSide(CSvgCanvas& canvas, const PreviewSection& section, const PreviewTemplateSide& side,
              int direction) {
    canvas.Polyline(
        side.points,
        [](const PreviewOffsetElevation& p) { return std::pair(p.offset, p.elevation); },
        "stroke=\"#1f4e9c\" stroke-width=\"2\"");
    const PreviewOffsetElevation last = side.points.back();
    const PreviewOffsetElevation end = ClosingSlopeEnd(section, side, direction);
    canvas.Line(last.offset, last.elevation, end.offset, end.elevation,
                "stroke=\"#1f4e9c\" stroke-width=\"1.5\" stroke-dasharray=\"5 3\"");
}

}  // namespace

std::string SectionSvg(const PreviewModel& model, const PreviewSection& section,
                       double exaggeration) {
    const PreviewExtent bounds = SectionExtent(section);
    CSvgCanvas canvas(bounds, exaggeration,
                      "Station " + StationLabel(section.station) + " (vertical exaggeration " +
                          FormatG(exaggeration) + "x)");
    canvas.PixelLine(canvas.X(0), kMargin, canvas.X(0), kHeight - kMargin,
                     "stroke=\"#9ca3af\" stroke-dasharray=\"2 4\"");
    DrawAxes(canvas, bounds);
    DrawSide(canvas, section, section.left, -1);
    DrawSide(canvas, section, section.right, +1);
    for (const PreviewOffsetElevation& pair : section.pairs) {
        canvas.Dot(pair.offset, pair.elevation, 2.5, "#c2410c",
                   FormatG(pair.offset, 10) + "  " + FormatG(pair.elevation, 10));
    }
    double line = kHeight - kMargin / 2;
    for (const PreviewMarker& marker : model.markers) {
        if (marker.station && *marker.station == section.station) {
            canvas.Text(kMargin, line, marker.text, "start", "#dc2626");
            line -= 14;
        }
    }
    return canvas.Finish();
}

}  // namespace chainforge
