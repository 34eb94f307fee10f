// The profile: elevation against station, exaggerated, with the vertical
// curves drawn, each tangent's grade, and in VPI-only mode the sections'
// centre elevations the vertical control was built from.
#pragma once

#include "gui/PreviewCanvas.h"
#include "preview/PreviewModel.h"

namespace chainforge {

inline constexpr double kDefaultExaggeration = 10.0;

class CProfileView : public CPreviewCanvas {
    Q_OBJECT

  public:
    explicit CProfileView(QWidget* parent = nullptr);

    // The model stays the caller's and must outlive the view or the next call.
    void SetModel(const PreviewModel* model);
    const PreviewModel& Model() const { return *model_; }

  protected:
    QRectF WorldBounds() const override { return bounds_; }
    void Draw(QPainter& painter) override;
    QString HoverText(QPointF screen) const override;
    std::vector<LegendEntry> Legend() const override;

  private:
    void DrawLine(QPainter& painter) const;
    void DrawGrades(QPainter& painter) const;
    void DrawVertices(QPainter& painter) const;
    void DrawCentreElevations(QPainter& painter) const;
    void DrawMarkers(QPainter& painter) const;
    double ElevationAt(double station) const;

    const PreviewModel* model_;
    QRectF bounds_;
};

}  // namespace chainforge
