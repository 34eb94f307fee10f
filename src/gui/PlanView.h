// The plan: the horizontal control as the chain file will hold it, its
// vertex numbers, the points, station ticks, north up and a scale bar.
#pragma once

#include <QImage>
#include <QRectF>
#include <cstdint>
#include <vector>

#include "gui/PreviewCanvas.h"
#include "preview/PositionGrid.h"
#include "preview/PreviewModel.h"

namespace chainforge {

class CPlanView : public CPreviewCanvas {
    Q_OBJECT

  public:
    explicit CPlanView(QWidget* parent = nullptr);

    // The model stays the caller's and must outlive the view or the next call.
    void SetModel(const PreviewModel* model);
    const PreviewModel& Model() const { return *model_; }

  protected:
    QRectF WorldBounds() const override { return bounds_; }
    void Draw(QPainter& painter) override;
    QString HoverText(QPointF screen) const override;
    std::vector<LegendEntry> Legend() const override;

  private:
    bool Visible(const QRectF& world) const;
    void DrawElements(QPainter& painter) const;
    void DrawTicks(QPainter& painter) const;
    void DrawPoints(QPainter& painter);
    void DrawVertices(QPainter& painter) const;
    void DrawMarkers(QPainter& painter) const;
    void DrawScaleBar(QPainter& painter) const;
    void DrawNorthArrow(QPainter& painter) const;

    const PreviewModel* model_;
    std::vector<QRectF> elementBounds_;
    std::vector<PreviewTick> ticks_;
    CPositionGrid points_;
    CPositionGrid vertices_;
    QRectF bounds_;
    QRectF visible_;                      // the world the current frame shows
    std::vector<std::uint8_t> occupied_;  // pixels with a point drawn this frame
    QImage layer_;                        // the points of a crowded frame
};

}  // namespace chainforge
