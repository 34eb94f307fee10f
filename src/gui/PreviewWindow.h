// The preview window: what Create would write, drawn in three views (plan,
// profile, section) that the main dialog keeps up to date with its
// selections. Each view saves as PNG and as SVG; the SVG comes from the core,
// so that the command line writes the same pictures.
#pragma once

#include <QDoubleSpinBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "gui/PlanView.h"
#include "gui/ProfileView.h"
#include "gui/SectionView.h"
#include "preview/PreviewModel.h"

class QSaveFile;

namespace chainforge {

class CPreviewWindow : public QWidget {
    Q_OBJECT

  public:
    explicit CPreviewWindow(QWidget* parent = nullptr);

    // Shows the window in front and asks for the keyboard, which the window
    // system hands over a moment later (or, with focus-stealing prevention,
    // not at all).
    void Open();
    // Asked for the keyboard by Open and not yet given it.
    bool AwaitsActivation() const { return awaitsActivation_; }

    void SetModel(PreviewModel model);
    const PreviewModel& Model() const { return *model_; }
    // The LandXML file the pictures show: save dialogs suggest names beside it.
    void SetDocumentPath(const QString& path) { documentPath_ = path; }

  protected:
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QWidget* CreateSectionPage();
    QLayout* CreateButtonRow();
    CPreviewCanvas* CurrentView() const;
    QString ViewName() const;
    std::string CurrentSvg() const;
    QString AskSaveName(const QString& title, const QString& filter);
    void WritePicture(const QString& path, const std::function<bool(QSaveFile&)>& write);
    void SavePng();
    void SaveSvg();
    void OnTabChanged();
    void OnSectionChanged(int index);
    void UpdateInfo();

    std::unique_ptr<PreviewModel> model_;
    QString documentPath_;
    QTabWidget* tabs_ = nullptr;
    CPlanView* plan_ = nullptr;
    CProfileView* profile_ = nullptr;
    CSectionView* section_ = nullptr;
    QSlider* slider_ = nullptr;
    QLabel* station_ = nullptr;
    QDoubleSpinBox* exaggeration_ = nullptr;
    QLabel* legend_ = nullptr;  // the current view's colours
    QLabel* info_ = nullptr;
    bool awaitsActivation_ = false;
};

}  // namespace chainforge
