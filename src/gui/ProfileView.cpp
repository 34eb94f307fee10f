#include "gui/ProfileView.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "gui/DisplayText.h"
#include "gui/PreviewDrawing.h"

namespace chainforge {
namespace {

constexpr double kHoverPixels = 8.0;
constexpr double kMinVertexPixels = 10.0;
const QColor kLineColour(20, 40, 120);
const QColor kGradeColour(150, 40, 40);
const QColor kCentreColour(0, 130, 60);

bool ByStation(const PreviewStationElevation& a, double station) {
    return a.station < station;
}

}  // namespace

CProfileView::CProfileView(QWidget* parent) : CPreviewCanvas(parent), model_(&EmptyPreviewModel()) {
    setObjectName(QStringLiteral("profileView"));
    setAccessibleName(QStringLiteral("Profile"));
    SetExaggeration(kDefaultExaggeration);
}

void CProfileView::SetModel(const PreviewModel* model) {
    model_ = model != nullptr ? model : &EmptyPreviewModel();
    bounds_ = WorldRect(ProfileExtent(*model_));
    RequestFit();
}

void CProfileView::Draw(QPainter& painter) {
    DrawGrid(painter, *this, 90.0, 40.0);
    DrawCentreElevations(painter);
    DrawLine(painter);
    DrawVertices(painter);
    DrawGrades(painter);
    DrawMarkers(painter);
}

// Only the stretch of the line in view, a pixel apart at most.
void CProfileView::DrawLine(QPainter& painter) const {
    const std::vector<PreviewStationElevation>& line = model_->profileLine;
    const QRectF world = VisibleWorld();
    auto first = std::lower_bound(line.begin(), line.end(), world.left(), ByStation);
    auto last = std::lower_bound(first, line.end(), world.right(), ByStation);
    first = first == line.begin() ? first : first - 1;
    last = last == line.end() ? last : last + 1;
    CScreenPolyline polyline;
    for (auto at = first; at != last; ++at) {
        polyline.Add(ToScreen(at->station, at->elevation));
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kLineColour, 2.0));
    polyline.Draw(painter);
    painter.restore();
}

// Each grade written along its tangent, above it, where the tangent is long
// enough on screen to carry it.
void CProfileView::DrawGrades(QPainter& painter) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(painter.font());
    for (const PreviewTangent& tangent : model_->tangents) {
        const QPointF from = ToScreen(tangent.startStation, tangent.startElevation);
        const QPointF to = ToScreen(tangent.endStation, tangent.endElevation);
        const QString text = QString::fromStdString(GradeLabel(tangent.grade));
        const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
        if (length < metrics.horizontalAdvance(text) + 12.0 || to.x() < 0 || from.x() > width()) {
            continue;
        }
        painter.save();
        painter.translate((from + to) / 2.0);
        painter.rotate(std::atan2(to.y() - from.y(), to.x() - from.x()) * 180.0 / std::numbers::pi);
        painter.setPen(kGradeColour);
        painter.drawText(QRectF(-length / 2, -metrics.height() - 3, length, metrics.height()),
                         Qt::AlignCenter, text);
        painter.restore();
    }
    painter.restore();
}

void CProfileView::DrawVertices(QPainter& painter) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(Qt::white);
    // Marks that would overlap the one before are left out; hover finds them.
    double lastX = -1e9;
    for (const PreviewStationElevation& vertex : model_->profileVertices) {
        const QPointF at = ToScreen(vertex.station, vertex.elevation);
        if (at.x() - lastX < kMinVertexPixels || at.x() < -5 || at.x() > width() + 5) {
            continue;
        }
        lastX = at.x();
        painter.drawPolygon(
            QPolygonF({at + QPointF(0, -5), at + QPointF(4, 3), at + QPointF(-4, 3)}));
    }
    painter.restore();
}

// Thousands of sections fall on a few hundred pixel columns: one dot per pixel.
void CProfileView::DrawCentreElevations(QPainter& painter) const {
    if (!model_->vpiOnly) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kCentreColour);
    QPoint lastPixel(-1, -1);
    for (const PreviewSection& section : model_->sections) {
        if (!section.centreElevation) {
            continue;
        }
        const QPointF at = ToScreen(section.station, *section.centreElevation);
        const QPoint pixel = at.toPoint();
        if (pixel == lastPixel || at.x() < -5 || at.x() > width() + 5) {
            continue;
        }
        lastPixel = pixel;
        painter.drawEllipse(at, 3.0, 3.0);
    }
    painter.restore();
}

void CProfileView::DrawMarkers(QPainter& painter) const {
    for (const PreviewMarker& marker : model_->markers) {
        if (marker.station) {
            const double elevation = ElevationAt(*marker.station);
            const QPointF at = std::isnan(elevation)
                                   ? QPointF(ToScreen(*marker.station, 0).x(), height() - 30.0)
                                   : ToScreen(*marker.station, elevation);
            DrawWarning(painter, at);
        }
    }
}

// The line's elevation at a station; NaN off its ends.
double CProfileView::ElevationAt(double station) const {
    const std::vector<PreviewStationElevation>& line = model_->profileLine;
    const auto after = std::lower_bound(line.begin(), line.end(), station, ByStation);
    if (after == line.end() || (after == line.begin() && after->station > station)) {
        return std::nan("");
    }
    if (after == line.begin() || after->station == station) {
        return after->elevation;
    }
    const auto before = after - 1;
    const double t = (station - before->station) / (after->station - before->station);
    return before->elevation + t * (after->elevation - before->elevation);
}

std::vector<LegendEntry> CProfileView::Legend() const {
    return {{kLineColour, QStringLiteral("Profile")},
            {kGradeColour, QStringLiteral("Grade")},
            {Qt::black, QStringLiteral("Vertex")},
            {kCentreColour, QStringLiteral("Section centre elevation")}};
}

QString CProfileView::HoverText(QPointF screen) const {
    const auto near = [&](double station, double elevation) {
        const QPointF at = ToScreen(station, elevation);
        return std::hypot(at.x() - screen.x(), at.y() - screen.y()) <= kHoverPixels;
    };
    for (const PreviewMarker& marker : model_->markers) {
        if (marker.station &&
            std::abs(ToScreen(*marker.station, 0).x() - screen.x()) <= kHoverPixels) {
            const double elevation = ElevationAt(*marker.station);
            if (std::isnan(elevation) || near(*marker.station, elevation)) {
                return DisplayText(marker.text);
            }
        }
    }
    for (const PreviewStationElevation& vertex : model_->profileVertices) {
        if (near(vertex.station, vertex.elevation)) {
            return QStringLiteral("Vertex at station %1\nElevation %2")
                .arg(vertex.station, 0, 'f', 3)
                .arg(vertex.elevation, 0, 'f', 3);
        }
    }
    const double station = ToWorld(screen).x();
    const double elevation = ElevationAt(station);
    if (std::isnan(elevation)) {
        return {};
    }
    return QStringLiteral("Station %1\nElevation %2")
        .arg(station, 0, 'f', 3)
        .arg(elevation, 0, 'f', 3);
}

}  // namespace chainforge
