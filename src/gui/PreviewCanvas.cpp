#include "gui/PreviewCanvas.h"

#include <QGestureEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QPinchGesture>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace chainforge {
namespace {

constexpr double kFitMargin = 36.0;
constexpr double kWheelBase = 1.0015;  // per eighth of a degree of wheel turn
constexpr double kKeyZoom = 1.25;
constexpr double kMinScale = 1e-9;
constexpr double kMaxScale = 1e9;

}  // namespace

CPreviewCanvas::CPreviewCanvas(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
    setCursor(Qt::OpenHandCursor);
    grabGesture(Qt::PinchGesture);
}

void CPreviewCanvas::RequestFit() {
    fitPending_ = true;
    update();
}

void CPreviewCanvas::Fit() {
    fitPending_ = false;
    fitted_ = true;
    QRectF bounds = WorldBounds();
    if (!bounds.isValid()) {
        bounds = bounds.isNull() ? QRectF(0, 0, 1, 1) : bounds.normalized();
    }
    centre_ = bounds.center();
    // A drawing with no extent along one axis (a single point, a straight
    // north-south line) is fitted by the other axis alone.
    const double width = std::max(1.0, this->width() - 2.0 * kFitMargin);
    const double height = std::max(1.0, this->height() - 2.0 * kFitMargin);
    const double byX = bounds.width() > 0 ? width / bounds.width() : kMaxScale;
    const double byY = bounds.height() > 0 ? height / (bounds.height() * exaggeration_) : kMaxScale;
    scale_ = std::min(byX, byY);
    if (scale_ >= kMaxScale) {
        scale_ = 1.0;
    }
    update();
}

void CPreviewCanvas::ZoomAbout(QPointF screen, double factor) {
    fitted_ = false;
    const QPointF world = ToWorld(screen);
    scale_ = std::clamp(scale_ * factor, kMinScale, kMaxScale);
    centre_.setX(world.x() - (screen.x() - width() / 2.0) / scale_);
    centre_.setY(world.y() + (screen.y() - height() / 2.0) / (scale_ * exaggeration_));
    update();
}

void CPreviewCanvas::PanBy(QPointF pixels) {
    fitted_ = false;
    centre_ -= QPointF(pixels.x() / scale_, -pixels.y() / (scale_ * exaggeration_));
    update();
}

void CPreviewCanvas::SetExaggeration(double exaggeration) {
    if (exaggeration > 0 && exaggeration != exaggeration_) {
        exaggeration_ = exaggeration;
        update();
    }
}

QPointF CPreviewCanvas::ToScreen(double x, double y) const {
    return {width() / 2.0 + (x - centre_.x()) * scale_,
            height() / 2.0 - (y - centre_.y()) * scale_ * exaggeration_};
}

QPointF CPreviewCanvas::ToWorld(QPointF screen) const {
    return {centre_.x() + (screen.x() - width() / 2.0) / scale_,
            centre_.y() - (screen.y() - height() / 2.0) / (scale_ * exaggeration_)};
}

QRectF CPreviewCanvas::VisibleWorld() const {
    const QPointF topLeft = ToWorld(QPointF(0, 0));
    const QPointF bottomRight = ToWorld(QPointF(width(), height()));
    return QRectF(QPointF(topLeft.x(), bottomRight.y()), QPointF(bottomRight.x(), topLeft.y()));
}

void CPreviewCanvas::paintEvent(QPaintEvent*) {
    if (fitPending_) {
        Fit();
    }
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    Draw(painter);
    DrawHoverLabel(painter);
}

void CPreviewCanvas::DrawHoverLabel(QPainter& painter) const {
    if (hover_.isEmpty()) {
        return;
    }
    painter.resetTransform();
    const QFontMetricsF metrics(font());
    QRectF box = metrics.boundingRect(QRectF(0, 0, 400, 200), Qt::AlignLeft, hover_);
    box.adjust(-4, -2, 4, 2);
    box.moveTopLeft(hoverAt_ + QPointF(14, 14));
    // Kept inside the widget near its right and bottom edges.
    box.moveRight(std::min(box.right(), width() - 2.0));
    box.moveBottom(std::min(box.bottom(), height() - 2.0));
    painter.setPen(QColor(90, 90, 90));
    painter.setBrush(QColor(255, 255, 225));
    painter.drawRect(box);
    painter.setPen(Qt::black);
    painter.drawText(box.adjusted(4, 2, -4, -2), Qt::AlignLeft, hover_);
}

void CPreviewCanvas::wheelEvent(QWheelEvent* event) {
    ZoomAbout(event->position(), std::pow(kWheelBase, event->angleDelta().y()));
    event->accept();
}

void CPreviewCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        dragFrom_ = event->position();
        setCursor(Qt::ClosedHandCursor);
    }
}

void CPreviewCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        PanBy(event->position() - dragFrom_);
        dragFrom_ = event->position();
        return;
    }
    const QString text = HoverText(event->position());
    if (text != hover_ || (!text.isEmpty() && hoverAt_ != event->position())) {
        hover_ = text;
        hoverAt_ = event->position();
        update();
    }
}

void CPreviewCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
        setCursor(Qt::OpenHandCursor);
    }
}

void CPreviewCanvas::keyPressEvent(QKeyEvent* event) {
    const QPointF middle(width() / 2.0, height() / 2.0);
    switch (event->key()) {
        case Qt::Key_Home:
            Fit();
            return;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            ZoomAbout(middle, kKeyZoom);
            return;
        case Qt::Key_Minus:
            ZoomAbout(middle, 1.0 / kKeyZoom);
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void CPreviewCanvas::leaveEvent(QEvent*) {
    if (!hover_.isEmpty()) {
        hover_.clear();
        update();
    }
}

// A view resized (the window, a maximise) shows the whole drawing again
// rather than a corner of it, unless the user has zoomed or panned since:
// that view is kept, centred where it was.
void CPreviewCanvas::resizeEvent(QResizeEvent*) {
    if (fitted_) {
        Fit();
    }
}

// Pinch on a touchpad arrives as a native zoom gesture, on a touch screen
// as a pinch gesture.
bool CPreviewCanvas::event(QEvent* event) {
    if (event->type() == QEvent::Gesture) {
        auto* gestures = static_cast<QGestureEvent*>(event);
        if (auto* pinch = static_cast<QPinchGesture*>(gestures->gesture(Qt::PinchGesture))) {
            const double factor = pinch->scaleFactor();
            if (factor > 0 && std::isfinite(factor)) {
                ZoomAbout(mapFromGlobal(pinch->centerPoint()), factor);
            }
            gestures->accept(pinch);
            return true;
        }
    }
    if (event->type() == QEvent::NativeGesture) {
        auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            ZoomAbout(gesture->position(), 1.0 + gesture->value());
            return true;
        }
    }
    return QWidget::event(event);
}

}  // namespace chainforge
