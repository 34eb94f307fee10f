// Drawing pieces the preview's views share.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPolygonF>
#include <QString>
#include <vector>

#include "preview/PreviewLayout.h"
#include "preview/PreviewModel.h"

namespace chainforge {

class CPreviewCanvas;

// The extent as a world rectangle (y up: top() is the lowest y); a null
// rectangle when it is empty.
QRectF WorldRect(const PreviewExtent& extent);

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
// steps are round numbers at least the given number of pixels apart.
void DrawGrid(QPainter& painter, const CPreviewCanvas& canvas, double minXPixels,
              double minYPixels);

// A screen label: dark text on a pale box, so it reads over lines.
void DrawLabel(QPainter& painter, QPointF at, const QString& text, Qt::Alignment alignment);

}  // namespace chainforge
