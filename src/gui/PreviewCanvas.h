// The pan and zoom shared by the preview's views: world coordinates with y
// up, mapped onto the widget with one scale for x and that scale times an
// exaggeration for y. Wheel and pinch zoom about the cursor, a drag pans,
// Home (and every new picture) fits the drawing into the widget.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <QColor>
#include <vector>

class QPainter;

namespace chainforge {

// One colour of a view and what it draws.
struct LegendEntry {
    QColor colour;
    QString text;
};

class CPreviewCanvas : public QWidget {
    Q_OBJECT

  public:
    explicit CPreviewCanvas(QWidget* parent = nullptr);

    // Shows the whole drawing at the next paint, when the widget has its size.
    void RequestFit();
    void Fit();
    void ZoomAbout(QPointF screen, double factor);
    void PanBy(QPointF pixels);
    void SetExaggeration(double exaggeration);
    double Exaggeration() const { return exaggeration_; }

    QPointF ToScreen(double x, double y) const;
    QPointF ToWorld(QPointF screen) const;
    // Pixels per world unit along x.
    double Scale() const { return scale_; }
    // The world rectangle the widget shows (y up: top() is the lowest y).
    QRectF VisibleWorld() const;
    // What the label at the cursor says for that place of the widget.
    QString HoverTextAt(QPointF screen) const { return HoverText(screen); }
    virtual std::vector<LegendEntry> Legend() const = 0;

  protected:
    // The drawing's extent in world units; an empty one fits a unit square.
    virtual QRectF WorldBounds() const = 0;
    virtual void Draw(QPainter& painter) = 0;
    virtual QString HoverText(QPointF /*screen*/) const { return {}; }

    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void DrawHoverLabel(QPainter& painter) const;

    double scale_ = 1.0;
    double exaggeration_ = 1.0;
    QPointF centre_;  // the world point at the widget's centre
    bool fitPending_ = true;
    // The view shows the whole drawing as Fit left it: no zoom or pan since.
    bool fitted_ = true;
    bool dragging_ = false;
    QPointF dragFrom_;
    QString hover_;
    QPointF hoverAt_;
};

}  // namespace chainforge
