#include "gui/PreviewDrawing.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "gui/PreviewCanvas.h"

namespace chainforge {
namespace {

constexpr double kMinPixelStep = 0.75;
const QColor kGridColour(232, 232, 232);
const QColor kGridText(110, 110, 110);

}  // namespace

QRectF WorldRect(const PreviewExtent& extent) {
    return extent.Empty()
               ? QRectF()
               : QRectF(QPointF(extent.left, extent.bottom), QPointF(extent.right, extent.top));
}

const PreviewModel& EmptyPreviewModel() {
    static const PreviewModel empty;
    return empty;
}

void CScreenPolyline::Add(QPointF screen) {
    if (broken_ || pieces_.empty()) {
        pieces_.emplace_back();
        pieces_.back().append(screen);
        broken_ = false;
        return;
    }
    const QPointF step = screen - pieces_.back().back();
    if (std::abs(step.x()) + std::abs(step.y()) >= kMinPixelStep) {
        pieces_.back().append(screen);
    }
}

void CScreenPolyline::Break() {
    broken_ = true;
}

void CScreenPolyline::Draw(QPainter& painter) const {
    for (const QPolygonF& piece : pieces_) {
        if (piece.size() == 1) {
            painter.drawPoint(piece.front());
        } else {
            painter.drawPolyline(piece);
        }
    }
}

void DrawWarning(QPainter& painter, QPointF at) {
    const QPolygonF triangle({at + QPointF(0, -9), at + QPointF(8, 6), at + QPointF(-8, 6)});
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(120, 60, 0), 1.2));
    painter.setBrush(QColor(255, 190, 30));
    painter.drawPolygon(triangle);
    painter.setPen(QPen(Qt::black, 1.8));
    painter.drawLine(at + QPointF(0, -4), at + QPointF(0, 1));
    painter.drawPoint(at + QPointF(0, 3.5));
    painter.restore();
}

void DrawLabel(QPainter& painter, QPointF at, const QString& text, Qt::Alignment alignment) {
    const QFontMetricsF metrics(painter.font());
    QRectF box(QPointF(0, 0), metrics.size(0, text));
    box.moveCenter(at);
    if (alignment & Qt::AlignLeft) {
        box.moveLeft(at.x());
    } else if (alignment & Qt::AlignRight) {
        box.moveRight(at.x());
    }
    if (alignment & Qt::AlignTop) {
        box.moveTop(at.y());
    } else if (alignment & Qt::AlignBottom) {
        box.moveBottom(at.y());
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 210));
    painter.drawRect(box.adjusted(-2, 0, 2, 0));
    painter.restore();
    painter.drawText(box, Qt::AlignCenter, text);
}

// Far from zero a step may vanish in rounding; the loops stop there.
void DrawGrid(QPainter& painter, const CPreviewCanvas& canvas, double minXPixels,
              double minYPixels) {
    const QRectF world = canvas.VisibleWorld();
    const double xStep = RoundStepAbove(minXPixels / canvas.Scale());
    const double yStep = RoundStepAbove(minYPixels / (canvas.Scale() * canvas.Exaggeration()));
    painter.save();
    painter.setPen(QPen(kGridColour, 1));
    for (double x = std::ceil(world.left() / xStep) * xStep; x <= world.right() && x + xStep > x;
         x += xStep) {
        const double sx = canvas.ToScreen(x, 0).x();
        painter.drawLine(QPointF(sx, 0), QPointF(sx, canvas.height()));
    }
    for (double y = std::ceil(world.top() / yStep) * yStep; y <= world.bottom() && y + yStep > y;
         y += yStep) {
        const double sy = canvas.ToScreen(0, y).y();
        painter.drawLine(QPointF(0, sy), QPointF(canvas.width(), sy));
    }
    painter.setPen(kGridText);
    for (double x = std::ceil(world.left() / xStep) * xStep; x <= world.right() && x + xStep > x;
         x += xStep) {
        DrawLabel(painter, QPointF(canvas.ToScreen(x, 0).x(), canvas.height() - 3.0),
                  QString::fromStdString(GridLabel(x, xStep)), Qt::AlignHCenter | Qt::AlignBottom);
    }
    for (double y = std::ceil(world.top() / yStep) * yStep; y <= world.bottom() && y + yStep > y;
         y += yStep) {
        DrawLabel(painter, QPointF(3.0, canvas.ToScreen(0, y).y()),
                  QString::fromStdString(GridLabel(y, yStep)), Qt::AlignLeft | Qt::AlignVCenter);
    }
    painter.restore();
}

}  // namespace chainforge
