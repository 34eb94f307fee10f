// Drawing pieces the preview's views share.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPolygonF>
#include <QString>
#include <vector>

#include "preview/PreviewModel.h"

namespace chainforge {

class CPreviewCanvas;

// The extent of world positions. (QRectF::united drops a rectangle of no
// size, so a run of single points would never grow one.)
class CWorldBox {
  public:
    void Add(double x, double y);
    void Add(const QRectF& box);
    // A null rectangle when nothing was added.
    QRectF Rect() const;

  private:
    bool empty_ = true;
    double left_ = 0, bottom_ = 0, right_ = 0, top_ = 0;
};

// The model shown before there is one.
const PreviewModel& EmptyPreviewModel();

// A polyline in screen coordinates that leaves out points closer than a
// pixel to the one before: at low zoom thousands of vertices fall on a few
// pixels, and drawing them all is what makes a frame slow.
class CScreenPolyline {
  public:
    void Add(QPointF screen);
    // Starts a new piece (a gap, a change of style).
    void Break();
    void Draw(QPainter& painter) const;
    bool Empty() const { return pieces_.empty(); }
    QPointF Last() const { return pieces_.back().back(); }

  private:
    std::vector<QPolygonF> pieces_;
    bool broken_ = true;
};

// A warning triangle centred on a screen position.
void DrawWarning(QPainter& painter, QPointF at);

// Grid lines with their values along the bottom and the left edge; the
// steps are round numbers about the given number of pixels apart.
void DrawGrid(QPainter& painter, const CPreviewCanvas& canvas, double minXPixels,
              double minYPixels);

// A value for a label: no more decimals than the step between labels needs.
QString LabelNumber(double value, double step);

// A screen label: dark text on a pale box, so it reads over lines.
void DrawLabel(QPainter& painter, QPointF at, const QString& text, Qt::Alignment alignment);

}  // namespace chainforge
