// One cross-section: the left and right templates the chain file applies at
// its station, their closing slopes, and the section's own pairs as dots, so
// that what a simplification left out shows. Left and Right step through the
// sections.
#pragma once

#include "gui/PreviewCanvas.h"
#include "preview/PreviewModel.h"

namespace chainforge {

inline constexpr double kDefaultSectionExaggeration = 5.0;

class CSectionView : public CPreviewCanvas {
    Q_OBJECT

  public:
    explicit CSectionView(QWidget* parent = nullptr);

    // The model stays the caller's and must outlive the view or the next
    // call. The section nearest the station shown before stays in view.
    void SetModel(const PreviewModel* model);
    const PreviewModel& Model() const { return *model_; }
    // The section shown, or nullptr when there are none.
    const PreviewSection* Section() const;
    int SectionIndex() const { return index_; }
    void SetSectionIndex(int index);
    // "Station 1050", or empty without sections.
    QString Title() const;

  signals:
    void sectionChanged(int index);

  protected:
    QRectF WorldBounds() const override;
    void Draw(QPainter& painter) override;
    QString HoverText(QPointF screen) const override;
    std::vector<LegendEntry> Legend() const override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void DrawSide(QPainter& painter, const PreviewSection& section, const PreviewTemplateSide& side,
                  int direction) const;
    void DrawPairs(QPainter& painter, const PreviewSection& section) const;

    const PreviewModel* model_;
    int index_ = -1;
    // The station chosen last: a new model shows the section nearest it,
    // so that the view stays put while the selections change.
    double station_ = 0.0;
};

}  // namespace chainforge
