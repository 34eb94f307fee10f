// Plan positions sorted into square cells, about two to a cell, so that the
// positions in the view and the one nearest the cursor are found by looking
// at a few cells instead of walking 200,000 points on every frame and every
// mouse move.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "preview/PreviewModel.h"

namespace chainforge {

class CPositionGrid {
  public:
    // Items are anything with a PreviewXY `at`.
    template <typename Item>
    void Build(const std::vector<Item>& items) {
        std::vector<PreviewXY> positions;
        positions.reserve(items.size());
        for (const Item& item : items) {
            positions.push_back(item.at);
        }
        Index(positions);
    }

    bool Empty() const { return entries_.empty(); }
    double MinX() const { return minX_; }
    double MinY() const { return minY_; }
    double MaxX() const { return maxX_; }
    double MaxY() const { return maxY_; }

    // Calls visit(index, position) for every position in the cells that
    // meet the rectangle (a few beyond its edges may come too).
    template <typename Visit>
    void ForEachIn(double x0, double y0, double x1, double y1, Visit&& visit) const {
        if (Empty() || x1 < minX_ || y1 < minY_ || x0 > maxX_ || y0 > maxY_) {
            return;
        }
        const int c0 = Column(x0), c1 = Column(x1), r0 = Row(y0), r1 = Row(y1);
        for (int row = r0; row <= r1; ++row) {
            const std::size_t first = static_cast<std::size_t>(row) * columns_;
            for (std::uint32_t i = cellStart_[first + c0]; i < cellStart_[first + c1 + 1]; ++i) {
                visit(entries_[i].index, entries_[i].at);
            }
        }
    }

    // The index of the position nearest (x, y) within radius, or -1.
    std::ptrdiff_t Nearest(double x, double y, double radius) const;

  private:
    struct Entry {
        PreviewXY at;
        std::uint32_t index = 0;
    };

    void Index(const std::vector<PreviewXY>& positions);
    int Column(double x) const;
    int Row(double y) const;

    std::vector<Entry> entries_;            // sorted by cell, rows of columns
    std::vector<std::uint32_t> cellStart_;  // one more than the cells
    double minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
    double cell_ = 1.0;
    int columns_ = 1;
    int rows_ = 1;
};

}  // namespace chainforge
