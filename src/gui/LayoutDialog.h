// A dialog whose controls are placed once and then follow the window's size:
// each registered control has an anchor mode per axis, the window cannot get
// smaller than it started, and a size grip sits in the bottom-right corner.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QSizeGrip>
#include <vector>

#include "gui/LayoutAnchors.h"

namespace chainforge {

class CLayoutDialog : public QDialog {
    Q_OBJECT

  public:
    explicit CLayoutDialog(QWidget* parent = nullptr);

  protected:
    // Call once the controls have their places and the dialog its starting
    // size, before the first AddAnchor.
    void InitLayout();

    // excludeFromErase is kept with the entry to say which controls paint
    // their whole area; Qt composes every window in an off-screen buffer, so
    // nothing is erased behind a control and no clipping is needed for it.
    void AddAnchor(QWidget* control, AnchorMode horizontal, AnchorMode vertical,
                   bool excludeFromErase = true);

    void resizeEvent(QResizeEvent* event) override;

  private:
    struct LayoutEntry {
        QPointer<QWidget> control;
        AnchorModes modes;
        AnchorRect rect;  // in the dialog's coordinates, right and bottom exclusive
        bool excludeFromErase = true;
    };

    void CreateSizeGrip();
    void ApplyMinimumSize();
    void LayoutControls();

    std::vector<LayoutEntry> layout_;
    // The dialog's size when the last layout pass ended. Qt gives sizes
    // without the window frame, whose size does not change, so the change
    // since the last pass is the same as the frame's.
    QSize reference_;
    bool resizableX_ = true;
    bool resizableY_ = true;
    QSizeGrip* sizeGrip_ = nullptr;
};

}  // namespace chainforge
