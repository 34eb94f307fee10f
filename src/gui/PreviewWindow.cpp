#include "gui/PreviewWindow.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QMessageBox>
#include <QSaveFile>
#include <QShortcut>
#include <QVBoxLayout>

#include "convert/Version.h"
#include "gui/DisplayText.h"
#include "io/OutputFile.h"
#include "preview/PreviewSvg.h"

namespace chainforge {
namespace {

constexpr int kPlanTab = 0;
constexpr int kProfileTab = 1;

QPushButton* Button(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

// "png" from "PNG pictures (*.png)".
QString FilterSuffix(const QString& filter) {
    const qsizetype dot = filter.indexOf(QStringLiteral("*."));
    return dot < 0 ? QString()
                   : filter.mid(dot + 2)
                         .section(QLatin1Char(')'), 0, 0)
                         .section(QLatin1Char(' '), 0, 0);
}

// A colour's square before each entry's text.
QString LegendText(const std::vector<LegendEntry>& entries) {
    QStringList parts;
    for (const LegendEntry& entry : entries) {
        parts.append(QStringLiteral("<span style=\"color:%1\">&#9632;</span>&nbsp;%2")
                         .arg(entry.colour.name(), entry.text.toHtmlEscaped()));
    }
    return parts.join(QStringLiteral(" &nbsp; "));
}

}  // namespace

CPreviewWindow::CPreviewWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), model_(std::make_unique<PreviewModel>()) {
    setObjectName(QStringLiteral("previewWindow"));
    setWindowTitle(QStringLiteral("Preview - %1").arg(QString::fromLatin1(kProgramName)));
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("previewTabs"));
    plan_ = new CPlanView(this);
    profile_ = new CProfileView(this);
    tabs_->addTab(plan_, QStringLiteral("&Plan"));
    tabs_->addTab(profile_, QStringLiteral("P&rofile"));
    tabs_->addTab(CreateSectionPage(), QStringLiteral("&Section"));
    legend_ = new QLabel(this);
    legend_->setObjectName(QStringLiteral("previewLegend"));
    legend_->setTextFormat(Qt::RichText);
    legend_->setWordWrap(true);
    info_ = new QLabel(this);
    info_->setObjectName(QStringLiteral("previewInfo"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(legend_);
    layout->addWidget(info_);
    layout->addLayout(CreateButtonRow());
    connect(tabs_, &QTabWidget::currentChanged, this, &CPreviewWindow::OnTabChanged);
    auto* close = new QShortcut(QKeySequence::Cancel, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    resize(900, 620);
    UpdateInfo();
    OnTabChanged();
}

QWidget* CPreviewWindow::CreateSectionPage() {
    auto* page = new QWidget(this);
    section_ = new CSectionView(page);
    slider_ = new QSlider(Qt::Horizontal, page);
    slider_->setObjectName(QStringLiteral("sectionSlider"));
    slider_->setAccessibleName(QStringLiteral("Section"));
    // The arrow keys belong to the view, which steps through the sections.
    slider_->setFocusPolicy(Qt::NoFocus);
    station_ = new QLabel(page);
    station_->setObjectName(QStringLiteral("sectionStation"));
    station_->setMinimumWidth(150);
    auto* row = new QHBoxLayout;
    row->addWidget(station_);
    row->addWidget(slider_, 1);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(section_, 1);
    layout->addLayout(row);
    connect(slider_, &QSlider::valueChanged, section_, &CSectionView::SetSectionIndex);
    connect(section_, &CSectionView::sectionChanged, this, &CPreviewWindow::OnSectionChanged);
    return page;
}

QLayout* CPreviewWindow::CreateButtonRow() {
    auto* label = new QLabel(QStringLiteral("Vertical &exaggeration:"), this);
    exaggeration_ = new QDoubleSpinBox(this);
    exaggeration_->setObjectName(QStringLiteral("exaggerationSpin"));
    exaggeration_->setRange(1.0, 100.0);
    exaggeration_->setDecimals(1);
    exaggeration_->setSuffix(QStringLiteral("x"));
    exaggeration_->setValue(kDefaultExaggeration);
    label->setBuddy(exaggeration_);
    connect(exaggeration_, &QDoubleSpinBox::valueChanged, this,
            [this](double value) { CurrentView()->SetExaggeration(value); });
    auto* savePng = Button(QStringLiteral("Save P&NG..."), QStringLiteral("savePngButton"), this);
    savePng->setToolTip(QStringLiteral("Save the view as a PNG picture, as the window draws it"));
    auto* saveSvg = Button(QStringLiteral("Save S&VG..."), QStringLiteral("saveSvgButton"), this);
    // The SVG comes from the core, as the command line writes it: the whole
    // drawing in its own print colours, not the view as zoomed and coloured.
    saveSvg->setToolTip(QStringLiteral("Save the whole drawing as SVG in the print style"));
    auto* close = Button(QStringLiteral("Close"), QStringLiteral("previewCloseButton"), this);
    connect(savePng, &QPushButton::clicked, this, &CPreviewWindow::SavePng);
    connect(saveSvg, &QPushButton::clicked, this, &CPreviewWindow::SaveSvg);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(exaggeration_);
    row->addStretch(1);
    row->addWidget(savePng);
    row->addWidget(saveSvg);
    row->addWidget(close);
    return row;
}

void CPreviewWindow::Open() {
    awaitsActivation_ = !isActiveWindow();
    show();
    raise();
    activateWindow();
}

void CPreviewWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        awaitsActivation_ = false;
    }
    QWidget::changeEvent(event);
}

void CPreviewWindow::hideEvent(QHideEvent* event) {
    awaitsActivation_ = false;
    QWidget::hideEvent(event);
}

// The views point into the new model before the old one goes.
void CPreviewWindow::SetModel(PreviewModel model) {
    auto next = std::make_unique<PreviewModel>(std::move(model));
    plan_->SetModel(next.get());
    profile_->SetModel(next.get());
    const int sections = static_cast<int>(next->sections.size());
    section_->SetModel(next.get());
    model_ = std::move(next);
    slider_->setRange(0, std::max(0, sections - 1));
    slider_->setEnabled(sections > 1);
    OnSectionChanged(section_->SectionIndex());
    UpdateInfo();
}

// The exaggeration belongs to each view; the plan is drawn true to scale.
void CPreviewWindow::OnTabChanged() {
    CPreviewCanvas* view = CurrentView();
    const QSignalBlocker quiet(exaggeration_);
    exaggeration_->setValue(view->Exaggeration());
    exaggeration_->setEnabled(view != plan_);
    legend_->setText(LegendText(view->Legend()));
    view->setFocus();
}

void CPreviewWindow::OnSectionChanged(int index) {
    const QSignalBlocker quiet(slider_);
    slider_->setValue(std::max(0, index));
    station_->setText(section_->Title().isEmpty() ? QStringLiteral("No cross-sections")
                                                  : section_->Title());
}

// Counts, and the conversion's messages in the label's tooltip: those
// without a place are shown nowhere else.
void CPreviewWindow::UpdateInfo() {
    const PreviewModel& m = *model_;
    QString text = QStringLiteral("%1 elements, %2 points, %3 profile vertices, %4 sections")
                       .arg(m.elements.size())
                       .arg(m.points.size())
                       .arg(m.profileVertices.size())
                       .arg(m.sections.size());
    if (m.vpiOnly) {
        text += QStringLiteral(" (vertical control from the sections)");
    }
    QString notes;
    for (const PreviewMarker& marker : m.markers) {
        notes += (notes.isEmpty() ? QString() : QStringLiteral("\n")) + DisplayText(marker.text);
    }
    if (!m.markers.empty()) {
        text += QStringLiteral("; %1 messages (hover here)").arg(m.markers.size());
    }
    info_->setText(text);
    info_->setToolTip(notes);
}

CPreviewCanvas* CPreviewWindow::CurrentView() const {
    switch (tabs_->currentIndex()) {
        case kPlanTab:
            return plan_;
        case kProfileTab:
            return profile_;
        default:
            return section_;
    }
}

QString CPreviewWindow::ViewName() const {
    switch (tabs_->currentIndex()) {
        case kPlanTab:
            return QStringLiteral("plan");
        case kProfileTab:
            return QStringLiteral("profile");
        default:
            return QStringLiteral("section");
    }
}

std::string CPreviewWindow::CurrentSvg() const {
    switch (tabs_->currentIndex()) {
        case kPlanTab:
            return PlanSvg(*model_);
        case kProfileTab:
            return ProfileSvg(*model_, profile_->Exaggeration());
        default:
            return section_->Section() == nullptr
                       ? std::string()
                       : SectionSvg(*model_, *section_->Section(), section_->Exaggeration());
    }
}

// The LandXML file is never offered up to be replaced by a picture.
// A name typed without an extension gets the chosen filter's.
QString CPreviewWindow::AskSaveName(const QString& title, const QString& filter) {
    const QFileInfo document(documentPath_);
    const QString suggested =
        document.dir().filePath(document.completeBaseName() + QLatin1Char('-') + ViewName() +
                                QLatin1Char('.') + FilterSuffix(filter));
    for (;;) {
        QFileDialog dialog(this, title, suggested, filter);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(FilterSuffix(dialog.selectedNameFilter()));
        connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& chosen) {
            dialog.setDefaultSuffix(FilterSuffix(chosen));
        });
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return {};
        }
        QString path = dialog.selectedFiles().constFirst();
        if (documentPath_.isEmpty() || !SameFile(path.toStdString(), documentPath_.toStdString())) {
            return path;
        }
        QMessageBox::warning(
            this, windowTitle(),
            QStringLiteral("%1 is the LandXML file; choose another name").arg(path));
    }
}

// A picture replaces an older file only once it is whole.
void CPreviewWindow::WritePicture(const QString& path,
                                  const std::function<bool(QSaveFile&)>& write) {
    QSaveFile file(path);
    if (!(file.open(QIODevice::WriteOnly) && write(file) && file.commit())) {
        QMessageBox::warning(this, windowTitle(), QStringLiteral("Cannot write %1").arg(path));
    }
}

void CPreviewWindow::SavePng() {
    const QString path =
        AskSaveName(QStringLiteral("Save Picture"), QStringLiteral("PNG pictures (*.png)"));
    if (!path.isEmpty()) {
        const QPixmap picture = CurrentView()->grab();
        WritePicture(path, [&picture](QSaveFile& file) { return picture.save(&file, "PNG"); });
    }
}

// Written as the bytes the core made: UTF-8 with LF line ends.
void CPreviewWindow::SaveSvg() {
    const std::string svg = CurrentSvg();
    if (svg.empty()) {
        QMessageBox::warning(this, windowTitle(), QStringLiteral("There is no section to save."));
        return;
    }
    const QString path = AskSaveName(QStringLiteral("Save Drawing in the Print Style"),
                                     QStringLiteral("SVG drawings in the print style (*.svg)"));
    if (!path.isEmpty()) {
        WritePicture(path, [&svg](QSaveFile& file) {
            return file.write(svg.data(), static_cast<qint64>(svg.size())) ==
                   static_cast<qint64>(svg.size());
        });
    }
}

}  // namespace chainforge
