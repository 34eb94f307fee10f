// The points of a point list by position, so that a vertex finds the point
// it stands on without a walk through the whole list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "points/PointList.h"

namespace chainforge {

// Two positions are the same when both coordinates differ by at most this.
inline constexpr double kSamePositionTolerance = 0.0001;

// True when (x1, y1) and (x2, y2) are the same position.
bool WithinSamePositionTolerance(double x1, double y1, double x2, double y2);

// What a point line gives for numbering and matching: its number and its two
// coordinates as they read back from six-decimal text.
struct NumberedPoint {
    std::int64_t number = 0;
    double x = 0.0;
    double y = 0.0;
};

// The numbered point of a point line, or nothing when the line's first field
// is not a whole number or one of the next two fields is not a number (a
// point named CP1 or 7A).
std::optional<NumberedPoint> ReadNumberedPoint(std::string_view pointLine);

class CPointPositionIndex {
  public:
    explicit CPointPositionIndex(const PointList& points);

    // Takes in a point line appended to the list after the ones already held.
    void Add(std::string_view pointLine);

    // The number of the first point in list order at the position (x, y).
    std::optional<std::int64_t> NumberAt(double x, double y) const;

    // A number above every number held; 1 when none is held above 0.
    std::int64_t NextNumber() const;

  private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    struct Entry {
        NumberedPoint point;
        std::size_t nextInCell = kNone;
    };
    // The entries of a cell, first to last in list order.
    struct CellEntries {
        std::size_t first = kNone;
        std::size_t last = kNone;
    };
    struct Cell {
        std::int64_t x = 0;
        std::int64_t y = 0;
        bool operator==(const Cell&) const = default;
    };
    // Cells by their numbers, in one open-addressed array: one memory access
    // per lookup for a list of any size.
    class CCellTable {
      public:
        CellEntries& operator[](const Cell& cell);
        const CellEntries* Find(const Cell& cell) const;
        void Reserve(std::size_t cells);

      private:
        struct Slot {
            Cell cell;
            CellEntries entries;
            bool used = false;
        };
        std::size_t SlotOf(const Cell& cell) const;
        void Grow(std::size_t slots);

        std::vector<Slot> slots_;
        std::size_t used_ = 0;
    };

    static bool IsGridCoordinate(double value);
    static std::int64_t CellOf(double value);
    std::optional<std::size_t> FirstInGrid(double x, double y) const;
    static std::int64_t FarCellOf(double value);
    std::optional<std::size_t> FirstFar(double x, double y, std::optional<std::size_t> first) const;

    std::vector<Entry> entries_;  // in list order
    CCellTable cells_;
    CCellTable farCells_;  // points with a coordinate beyond the grid
    std::int64_t highest_ = 0;
};

}  // namespace chainforge
