#include "gui/SectionView.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "gui/PreviewDrawing.h"

namespace chainforge {
namespace {

constexpr double kHoverPixels = 8.0;
const QColor kLeftColour(20, 40, 120);
const QColor kRightColour(0, 110, 200);
const QColor kPairColour(200, 60, 0);
const QColor kCentrelineColour(150, 150, 150);

}  // namespace

CSectionView::CSectionView(QWidget* parent) : CPreviewCanvas(parent), model_(&EmptyPreviewModel()) {
    setObjectName(QStringLiteral("sectionView"));
    setAccessibleName(QStringLiteral("Section"));
    SetExaggeration(kDefaultSectionExaggeration);
}

void CSectionView::SetModel(const PreviewModel* model) {
    model_ = model != nullptr ? model : &EmptyPreviewModel();
    const PreviewSection* nearest = NearestSection(*model_, station_);
    index_ = nearest == nullptr ? -1 : static_cast<int>(nearest - model_->sections.data());
    RequestFit();
    emit sectionChanged(index_);
}

const PreviewSection* CSectionView::Section() const {
    return index_ >= 0 && index_ < static_cast<int>(model_->sections.size())
               ? &model_->sections[static_cast<std::size_t>(index_)]
               : nullptr;
}

// A section that would fall outside the view is fitted; one inside keeps
// the scale, so that stepping through sections compares like with like.
void CSectionView::SetSectionIndex(int index) {
    if (model_->sections.empty()) {
        return;
    }
    index = std::clamp(index, 0, static_cast<int>(model_->sections.size()) - 1);
    if (index == index_) {
        return;
    }
    index_ = index;
    station_ = model_->sections[static_cast<std::size_t>(index)].station;
    if (!VisibleWorld().contains(WorldBounds())) {
        Fit();
    }
    update();
    emit sectionChanged(index_);
}

QString CSectionView::Title() const {
    const PreviewSection* section = Section();
    return section == nullptr ? QString()
                              : QStringLiteral("Station ") +
                                    QString::fromStdString(StationLabel(section->station));
}

QRectF CSectionView::WorldBounds() const {
    const PreviewSection* section = Section();
    if (section == nullptr) {
        return {};
    }
    return WorldRect(SectionExtent(*section));
}

void CSectionView::Draw(QPainter& painter) {
    DrawGrid(painter, *this, 70.0, 40.0);
    const PreviewSection* section = Section();
    if (section == nullptr) {
        return;
    }
    painter.save();
    painter.setPen(QPen(kCentrelineColour, 1.0, Qt::DashDotLine));
    const double centre = ToScreen(0, 0).x();
    painter.drawLine(QPointF(centre, 0), QPointF(centre, height()));
    painter.restore();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kLeftColour, 2.0));
    DrawSide(painter, *section, section->left, -1);
    painter.setPen(QPen(kRightColour, 2.0));
    DrawSide(painter, *section, section->right, 1);
    DrawPairs(painter, *section);
    painter.restore();
    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::black);
    DrawLabel(painter, QPointF(width() / 2.0, 6.0), Title(), Qt::AlignHCenter | Qt::AlignTop);
}

// The side's points from the centreline outward, then its closing slope dashed.
void CSectionView::DrawSide(QPainter& painter, const PreviewSection& section,
                            const PreviewTemplateSide& side, int direction) const {
    QPolygonF line;
    for (const PreviewOffsetElevation& at : side.points) {
        line.append(ToScreen(at.offset, at.elevation));
    }
    painter.drawPolyline(line);
    if (side.points.empty()) {
        return;
    }
    QPen dashed = painter.pen();
    dashed.setStyle(Qt::DashLine);
    painter.save();
    painter.setPen(dashed);
    const PreviewOffsetElevation end = ClosingSlopeEnd(section, side, direction);
    painter.drawLine(line.back(), ToScreen(end.offset, end.elevation));
    painter.restore();
}

void CSectionView::DrawPairs(QPainter& painter, const PreviewSection& section) const {
    painter.setPen(QPen(kPairColour, 1.5));
    painter.setBrush(Qt::NoBrush);
    for (const PreviewOffsetElevation& at : section.pairs) {
        painter.drawEllipse(ToScreen(at.offset, at.elevation), 3.5, 3.5);
    }
}

std::vector<LegendEntry> CSectionView::Legend() const {
    return {{kLeftColour, QStringLiteral("Left template")},
            {kRightColour, QStringLiteral("Right template (closing slopes dashed)")},
            {kPairColour, QStringLiteral("Section point")},
            {kCentrelineColour, QStringLiteral("Centreline")}};
}

QString CSectionView::HoverText(QPointF screen) const {
    const PreviewSection* section = Section();
    if (section == nullptr) {
        return {};
    }
    const auto describe = [&](const PreviewOffsetElevation& at, const QString& what) {
        const QPointF place = ToScreen(at.offset, at.elevation);
        return std::hypot(place.x() - screen.x(), place.y() - screen.y()) <= kHoverPixels
                   ? QStringLiteral("%1\nOffset %2  Elevation %3")
                         .arg(what)
                         .arg(at.offset, 0, 'f', 3)
                         .arg(at.elevation, 0, 'f', 3)
                   : QString();
    };
    for (const auto& [side, name] :
         {std::pair{&section->left, QStringLiteral("Left template")},
          std::pair{&section->right, QStringLiteral("Right template")}}) {
        for (const PreviewOffsetElevation& at : side->points) {
            if (QString text = describe(at, name); !text.isEmpty()) {
                return text;
            }
        }
    }
    for (const PreviewOffsetElevation& at : section->pairs) {
        if (QString text = describe(at, QStringLiteral("Section point")); !text.isEmpty()) {
            return text;
        }
    }
    return {};
}

void CSectionView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        SetSectionIndex(index_ + (event->key() == Qt::Key_Left ? -1 : 1));
        return;
    }
    CPreviewCanvas::keyPressEvent(event);
}

}  // namespace chainforge
