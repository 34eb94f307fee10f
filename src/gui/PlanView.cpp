#include "gui/PlanView.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "gui/DisplayText.h"
#include "gui/PreviewDrawing.h"

namespace chainforge {
namespace {

constexpr double kHoverPixels = 8.0;
constexpr double kChordPixels = 0.25;  // the most an arc's chords stray from it
constexpr double kTickEvery = 100.0;
constexpr double kMinTickPixels = 6.0;
constexpr double kMinEndTickPixels = 14.0;
constexpr double kMinLabelPixels = 90.0;
constexpr double kMinScaleBarPixels = 120.0;
constexpr int kMaxVertexLabels = 60;
constexpr std::size_t kMostRoundDots = 4000;
constexpr double kRingRadius = 4.0;
const QColor kLineColour(20, 40, 120);
const QColor kArcColour(0, 110, 200);
const QColor kSpiralColour(220, 90, 0);
const QColor kPointColour(0, 130, 60);
const QColor kTickColour(90, 90, 90);
const QColor kEndTickColour(170, 30, 30);

// A vertex ring drawn once: stroking hundreds of small circles a frame is
// what made panning slow, copying a picture of one is not.
QImage RingSprite() {
    const int size = static_cast<int>(2 * kRingRadius) + 1;
    QImage sprite(size, size, QImage::Format_ARGB32_Premultiplied);
    sprite.fill(Qt::transparent);
    QPainter painter(&sprite);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(kRingRadius + 0.5, kRingRadius + 0.5), 3.0, 3.0);
    return sprite;
}

bool Overlaps(const QRectF& a, const QRectF& b) {
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() &&
           b.top() <= a.bottom();
}

QString Fixed3(double value) {
    return QString::number(value, 'f', 3);
}

// The scale bar's unit: the common ones as their symbols, any other as the
// file names it, none where the file does not say.
QString UnitSuffix(const LinearUnit& unit) {
    static const std::pair<const char*, const char*> symbols[] = {
        {"meter", "m"}, {"kilometer", "km"},       {"centimeter", "cm"}, {"millimeter", "mm"},
        {"foot", "ft"}, {"USSurveyFoot", "US ft"}, {"inch", "in"},       {"mile", "mi"}};
    if (!unit.Stated()) {
        return {};
    }
    const QString name = DisplayText(unit.name);
    for (const auto& [fullName, symbol] : symbols) {
        if (name.compare(QLatin1String(fullName), Qt::CaseInsensitive) == 0) {
            return QLatin1Char(' ') + QLatin1String(symbol);
        }
    }
    return QLatin1Char(' ') + name;
}

}  // namespace

CPlanView::CPlanView(QWidget* parent) : CPreviewCanvas(parent), model_(&EmptyPreviewModel()) {
    setObjectName(QStringLiteral("planView"));
    setAccessibleName(QStringLiteral("Plan"));
}

void CPlanView::SetModel(const PreviewModel* model) {
    model_ = model != nullptr ? model : &EmptyPreviewModel();
    elementBounds_.clear();
    for (const PreviewElement& element : model_->elements) {
        elementBounds_.push_back(WorldRect(ElementExtent(element)));
    }
    ticks_ = StationTicks(*model_, kTickEvery);
    points_.Build(model_->points);
    vertices_.Build(model_->vertices);
    bounds_ = WorldRect(PlanViewExtent(*model_));
    RequestFit();
}

bool CPlanView::Visible(const QRectF& world) const {
    return Overlaps(world, visible_);
}

void CPlanView::Draw(QPainter& painter) {
    const double margin = 12.0 / Scale();
    visible_ = VisibleWorld().adjusted(-margin, -margin, margin, margin);
    DrawPoints(painter);
    DrawElements(painter);
    DrawTicks(painter);
    DrawVertices(painter);
    DrawMarkers(painter);
    DrawScaleBar(painter);
    DrawNorthArrow(painter);
}

// Straights, arcs and the arcs of spirals, each style one set of polylines;
// an element under a pixel across is drawn as its chord.
void CPlanView::DrawElements(QPainter& painter) const {
    CScreenPolyline styles[3];
    int last = -1;
    for (std::size_t i = 0; i < model_->elements.size(); ++i) {
        const PreviewElement& element = model_->elements[i];
        if (!Visible(elementBounds_[i])) {
            last = -1;
            continue;
        }
        const int style = !element.arc ? 0 : element.fromSpiral ? 2 : 1;
        CScreenPolyline& line = styles[style];
        if (style != last) {
            line.Break();
        }
        last = style;
        line.Add(ToScreen(element.start.x, element.start.y));
        const double pixels = element.radius * Scale();
        if (element.arc && pixels * std::abs(element.sweep) > 1.0) {
            const double step = 2.0 * std::acos(std::max(-1.0, 1.0 - kChordPixels / pixels));
            const int pieces =
                std::clamp(static_cast<int>(std::ceil(std::abs(element.sweep) / step)), 1, 4096);
            for (int k = 1; k < pieces; ++k) {
                const PreviewXY at =
                    ArcPoint(element, element.startAngle + element.sweep * k / pieces);
                line.Add(ToScreen(at.x, at.y));
            }
        }
        line.Add(ToScreen(element.end.x, element.end.y));
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colours[3] = {kLineColour, kArcColour, kSpiralColour};
    for (int style = 0; style < 3; ++style) {
        QPen pen(colours[style], 2.0, style == 2 ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap,
                 Qt::MiterJoin);
        painter.setPen(pen);
        styles[style].Draw(painter);
    }
    painter.restore();
}

// Ticks every 100 units (every 1,000 or more when they would crowd), their
// stations at round steps where there is room, and a longer red tick at each element's end
// where it stands clear of the last one drawn.
void CPlanView::DrawTicks(QPainter& painter) const {
    double step = kTickEvery;
    while (step * Scale() < kMinTickPixels) {
        step *= 10.0;
    }
    const double labelStep = std::max(step, RoundStepAbove(kMinLabelPixels / Scale()));
    const auto multipleOf = [](double station, double of) {
        const double remainder = std::abs(std::remainder(station, of));
        return remainder < of * 1e-6;
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QFont small = painter.font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    painter.setFont(small);
    QPointF lastEnd(-1e9, -1e9);
    for (const PreviewTick& tick : ticks_) {
        if (!Visible(QRectF(tick.at.x, tick.at.y, 0, 0))) {
            continue;
        }
        const QPointF at = ToScreen(tick.at.x, tick.at.y);
        const QPointF normal(tick.along.y, tick.along.x);  // screen y points down
        if (tick.elementEnd) {
            if (std::abs(at.x() - lastEnd.x()) + std::abs(at.y() - lastEnd.y()) <
                kMinEndTickPixels) {
                continue;
            }
            lastEnd = at;
            painter.setPen(QPen(kEndTickColour, 1.2));
            painter.drawLine(at - normal * 8.0, at + normal * 8.0);
            continue;
        }
        if (!multipleOf(tick.station, step)) {
            continue;
        }
        painter.setPen(QPen(kTickColour, 1.2));
        painter.drawLine(at - normal * 5.0, at + normal * 5.0);
        if (multipleOf(tick.station, labelStep)) {
            DrawLabel(painter, at + normal * 16.0,
                      QString::fromStdString(StationLabel(tick.station)), Qt::AlignCenter);
        }
    }
    painter.restore();
}

// One dot per pixel at most: at low zoom most of 200,000 points share pixels.
void CPlanView::DrawPoints(QPainter& painter) {
    const int w = width();
    const int h = height();
    occupied_.assign(static_cast<std::size_t>(w) * h, 0);
    std::vector<QPointF> dots;
    points_.ForEachIn(visible_.left(), visible_.top(), visible_.right(), visible_.bottom(),
                      [&](std::uint32_t, const PreviewXY& at) {
                          const QPointF screen = ToScreen(at.x, at.y);
                          const int x = static_cast<int>(screen.x());
                          const int y = static_cast<int>(screen.y());
                          if (x < 0 || y < 0 || x >= w || y >= h) {
                              return;
                          }
                          std::uint8_t& pixel = occupied_[static_cast<std::size_t>(y) * w + x];
                          if (pixel == 0) {
                              pixel = 1;
                              dots.push_back(screen);
                          }
                      });
    if (dots.size() < kMostRoundDots) {
        painter.save();
        painter.setPen(Qt::NoPen);
        painter.setBrush(kPointColour);
        painter.setRenderHint(QPainter::Antialiasing);
        for (const QPointF& dot : dots) {
            painter.drawEllipse(dot, 2.5, 2.5);
        }
        painter.restore();
        return;
    }
    // Beyond that, 2 x 2 pixels written straight into a layer drawn at once:
    // a shape per point through the painter costs ten times as much.
    if (layer_.size() != size()) {
        layer_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    }
    layer_.fill(Qt::transparent);
    const QRgb colour = kPointColour.rgba();
    auto* pixels = reinterpret_cast<QRgb*>(layer_.bits());
    const std::ptrdiff_t stride = layer_.bytesPerLine() / static_cast<int>(sizeof(QRgb));
    for (const QPointF& dot : dots) {
        const int x = std::min(static_cast<int>(dot.x()), w - 2);
        const int y = std::min(static_cast<int>(dot.y()), h - 2);
        for (int row = y; row < y + 2; ++row) {
            QRgb* line = pixels + static_cast<std::ptrdiff_t>(row) * stride;
            line[x] = colour;
            line[x + 1] = colour;
        }
    }
    painter.drawImage(0, 0, layer_);
}

// Chain vertices as rings, arc centres as crosses; their numbers written
// beside them when few enough are in view, otherwise on hover.
void CPlanView::DrawVertices(QPainter& painter) const {
    std::vector<const PreviewVertex*> shown;
    vertices_.ForEachIn(
        visible_.left(), visible_.top(), visible_.right(), visible_.bottom(),
        [&](std::uint32_t index, const PreviewXY&) { shown.push_back(&model_->vertices[index]); });
    static const QImage ring = RingSprite();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const PreviewVertex* vertex : shown) {
        const QPointF at = ToScreen(vertex->at.x, vertex->at.y);
        if (vertex->centre) {
            painter.setPen(QPen(QColor(120, 120, 120), 1.0));
            painter.drawLine(at + QPointF(-4, 0), at + QPointF(4, 0));
            painter.drawLine(at + QPointF(0, -4), at + QPointF(0, 4));
        } else {
            painter.drawImage(at - QPointF(kRingRadius, kRingRadius), ring);
        }
    }
    if (static_cast<int>(shown.size()) <= kMaxVertexLabels) {
        painter.setPen(Qt::black);
        for (const PreviewVertex* vertex : shown) {
            DrawLabel(painter, ToScreen(vertex->at.x, vertex->at.y) + QPointF(6, -6),
                      DisplayText(vertex->number), Qt::AlignLeft | Qt::AlignBottom);
        }
    }
    painter.restore();
}

void CPlanView::DrawMarkers(QPainter& painter) const {
    for (const PreviewMarker& marker : model_->markers) {
        if (marker.at && Visible(QRectF(marker.at->x, marker.at->y, 0, 0))) {
            DrawWarning(painter, ToScreen(marker.at->x, marker.at->y));
        }
    }
}

void CPlanView::DrawScaleBar(QPainter& painter) const {
    const double length = RoundStepAbove(kMinScaleBarPixels / Scale());
    const double pixels = length * Scale();
    const QPointF origin(16.0, height() - 18.0);
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    for (int half = 0; half < 2; ++half) {
        painter.setBrush(half == 0 ? Qt::black : Qt::white);
        painter.drawRect(QRectF(origin.x() + half * pixels / 2, origin.y(), pixels / 2, 5));
    }
    DrawLabel(painter, origin + QPointF(0, -3), QStringLiteral("0"),
              Qt::AlignHCenter | Qt::AlignBottom);
    DrawLabel(painter, origin + QPointF(pixels, -3),
              QString::fromStdString(StationLabel(length)) + UnitSuffix(model_->report.unit),
              Qt::AlignHCenter | Qt::AlignBottom);
    painter.restore();
}

void CPlanView::DrawNorthArrow(QPainter& painter) const {
    const QPointF tip(width() - 24.0, 14.0);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::black);
    painter.drawPolygon(
        QPolygonF({tip, tip + QPointF(6, 18), tip + QPointF(0, 13), tip + QPointF(-6, 18)}));
    painter.drawText(QRectF(tip.x() - 10, tip.y() + 19, 20, 16), Qt::AlignCenter,
                     QStringLiteral("N"));
    painter.restore();
}

std::vector<LegendEntry> CPlanView::Legend() const {
    return {{kLineColour, QStringLiteral("Straight")},
            {kArcColour, QStringLiteral("Arc")},
            {kSpiralColour, QStringLiteral("Spiral as arcs (dashed)")},
            {kPointColour, QStringLiteral("Point")},
            {kTickColour, QStringLiteral("Station tick")},
            {kEndTickColour, QStringLiteral("Element end")},
            {Qt::black, QStringLiteral("Vertex (ring), arc centre (cross)")}};
}

// Markers first, then vertices, then points: the rarer things win a tie.
QString CPlanView::HoverText(QPointF screen) const {
    const QPointF world = ToWorld(screen);
    const double radius = kHoverPixels / Scale();
    for (const PreviewMarker& marker : model_->markers) {
        if (marker.at && std::hypot(marker.at->x - world.x(), marker.at->y - world.y()) <= radius) {
            return DisplayText(marker.text);
        }
    }
    const std::ptrdiff_t vertex = vertices_.Nearest(world.x(), world.y(), radius);
    if (vertex >= 0) {
        const PreviewVertex& found = model_->vertices[static_cast<std::size_t>(vertex)];
        return (found.centre ? QStringLiteral("Arc centre %1") : QStringLiteral("Vertex %1"))
                   .arg(DisplayText(found.number)) +
               QStringLiteral("\nStation %1\nE %2  N %3")
                   .arg(Fixed3(found.station), Fixed3(found.at.x), Fixed3(found.at.y));
    }
    const std::ptrdiff_t point = points_.Nearest(world.x(), world.y(), radius);
    if (point >= 0) {
        const PreviewPoint& found = model_->points[static_cast<std::size_t>(point)];
        return QStringLiteral("Point %1\nE %2  N %3  Z %4")
            .arg(DisplayText(found.name), Fixed3(found.at.x), Fixed3(found.at.y),
                 Fixed3(found.elevation));
    }
    return {};
}

}  // namespace chainforge
