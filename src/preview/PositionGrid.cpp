#include "preview/PositionGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace chainforge {
namespace {

constexpr double kPerCell = 2.0;

}  // namespace

void CPositionGrid::Index(const std::vector<PreviewXY>& positions) {
    entries_.clear();
    cellStart_.assign(2, 0);
    columns_ = rows_ = 1;
    if (positions.empty()) {
        return;
    }
    minX_ = maxX_ = positions.front().x;
    minY_ = maxY_ = positions.front().y;
    for (const PreviewXY& at : positions) {
        minX_ = std::min(minX_, at.x);
        maxX_ = std::max(maxX_, at.x);
        minY_ = std::min(minY_, at.y);
        maxY_ = std::max(maxY_, at.y);
    }
    // Square cells, but never more columns or rows than cells wanted: a long
    // thin cloud would otherwise need millions of empty cells.
    const double wanted = std::max(1.0, static_cast<double>(positions.size()) / kPerCell);
    const double width = maxX_ - minX_;
    const double height = maxY_ - minY_;
    cell_ = std::max(std::sqrt(width * height / wanted), std::max(width, height) / wanted);
    // Positions spread wider than a double holds share one cell.
    if (!(cell_ > 0.0) || !std::isfinite(cell_) || !std::isfinite(width) ||
        !std::isfinite(height)) {
        cell_ = 1.0;
    } else {
        columns_ = static_cast<int>(width / cell_) + 1;
        rows_ = static_cast<int>(height / cell_) + 1;
    }
    std::vector<std::uint32_t> counts(static_cast<std::size_t>(columns_) * rows_ + 1, 0);
    std::vector<std::size_t> cellOf(positions.size());
    for (std::size_t i = 0; i < positions.size(); ++i) {
        cellOf[i] =
            static_cast<std::size_t>(Row(positions[i].y)) * columns_ + Column(positions[i].x);
        ++counts[cellOf[i] + 1];
    }
    for (std::size_t c = 1; c < counts.size(); ++c) {
        counts[c] += counts[c - 1];
    }
    cellStart_ = counts;
    entries_.resize(positions.size());
    for (std::size_t i = 0; i < positions.size(); ++i) {
        entries_[counts[cellOf[i]]++] = {positions[i], static_cast<std::uint32_t>(i)};
    }
}

int CPositionGrid::Column(double x) const {
    const double column = std::floor((x - minX_) / cell_);
    return static_cast<int>(std::clamp(column, 0.0, static_cast<double>(columns_ - 1)));
}

int CPositionGrid::Row(double y) const {
    const double row = std::floor((y - minY_) / cell_);
    return static_cast<int>(std::clamp(row, 0.0, static_cast<double>(rows_ - 1)));
}

std::ptrdiff_t CPositionGrid::Nearest(double x, double y, double radius) const {
    std::ptrdiff_t best = -1;
    double bestSquared = radius * radius;
    ForEachIn(x - radius, y - radius, x + radius, y + radius,
              [&](std::uint32_t index, const PreviewXY& at) {
                  const double squared = (at.x - x) * (at.x - x) + (at.y - y) * (at.y - y);
                  if (squared <= bestSquared) {
                      bestSquared = squared;
                      best = index;
                  }
              });
    return best;
}

}  // namespace chainforge
