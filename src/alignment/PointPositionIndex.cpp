#include "alignment/PointPositionIndex.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "landxml/NumberText.h"

namespace chainforge {
namespace {

// Cells ten times the tolerance keep a search to a few cells. Coordinates
// beyond the grid's reach (where a cell number would lose precision) go in
// cells of one unit; beyond kFarReach neighbouring doubles lie further apart
// than the tolerance, so a value is a cell of its own.
constexpr double kCellsPerUnit = 1000.0;
constexpr double kGridReach = 1e9;
constexpr double kFarReach = 4e18;

std::string_view WithoutTrailingSpace(std::string_view text) {
    while (!text.empty() && IsScanSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<std::int64_t> WholeInteger(std::string_view field) {
    field = WithoutTrailingSpace(field);
    std::int64_t value = 0;
    if (field.empty() || ReadLeadingInteger(field, value) != field.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> WholeNumber(std::string_view field) {
    field = WithoutTrailingSpace(field);
    double value = 0.0;
    if (field.empty() || ReadLeadingDouble(field, value) != field.size()) {
        return std::nullopt;
    }
    return value;
}

// Point coordinates are compared as the six-decimal text they print as.
double AsSixDecimalText(double value) {
    return LeadingDoubleOrZero(FormatF(value));
}

}  // namespace

bool WithinSamePositionTolerance(double x1, double y1, double x2, double y2) {
    return std::fabs(x1 - x2) <= kSamePositionTolerance &&
           std::fabs(y1 - y2) <= kSamePositionTolerance;
}

std::optional<NumberedPoint> ReadNumberedPoint(std::string_view pointLine) {
    const std::size_t first = pointLine.find(',');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t second = pointLine.find(',', first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t third = pointLine.find(',', second + 1);
    const auto number = WholeInteger(pointLine.substr(0, first));
    const auto x = WholeNumber(pointLine.substr(first + 1, second - first - 1));
    const auto y = WholeNumber(pointLine.substr(
        second + 1, third == std::string_view::npos ? std::string_view::npos : third - second - 1));
    if (!number || !x || !y) {
        return std::nullopt;
    }
    return NumberedPoint{*number, AsSixDecimalText(*x), AsSixDecimalText(*y)};
}

std::size_t CPointPositionIndex::CCellTable::SlotOf(const Cell& cell) const {
    std::uint64_t h = static_cast<std::uint64_t>(cell.x) * 0x9E3779B97F4A7C15ull;
    h ^= static_cast<std::uint64_t>(cell.y) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 31;
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = static_cast<std::size_t>(h) & mask;
    while (slots_[slot].used && !(slots_[slot].cell == cell)) {
        slot = (slot + 1) & mask;
    }
    return slot;
}

void CPointPositionIndex::CCellTable::Grow(std::size_t slots) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(slots, Slot{});
    for (const Slot& slot : old) {
        if (slot.used) {
            slots_[SlotOf(slot.cell)] = slot;
        }
    }
}

// At most half the slots in use keeps the probe runs short.
void CPointPositionIndex::CCellTable::Reserve(std::size_t cells) {
    std::size_t slots = 16;
    while (slots < 2 * cells) {
        slots *= 2;
    }
    if (slots > slots_.size()) {
        Grow(slots);
    }
}

CPointPositionIndex::CellEntries& CPointPositionIndex::CCellTable::operator[](const Cell& cell) {
    if (2 * (used_ + 1) > slots_.size()) {
        Grow(std::max<std::size_t>(16, 2 * slots_.size()));
    }
    Slot& slot = slots_[SlotOf(cell)];
    if (!slot.used) {
        slot.used = true;
        slot.cell = cell;
        ++used_;
    }
    return slot.entries;
}

const CPointPositionIndex::CellEntries* CPointPositionIndex::CCellTable::Find(
    const Cell& cell) const {
    if (slots_.empty()) {
        return nullptr;
    }
    const Slot& slot = slots_[SlotOf(cell)];
    return slot.used ? &slot.entries : nullptr;
}

CPointPositionIndex::CPointPositionIndex(const PointList& points) {
    entries_.reserve(points.size());
    cells_.Reserve(points.size());
    for (const std::string& line : points) {
        Add(line);
    }
}

bool CPointPositionIndex::IsGridCoordinate(double value) {
    return std::fabs(value) <= kGridReach;
}

std::int64_t CPointPositionIndex::CellOf(double value) {
    return static_cast<std::int64_t>(std::floor(value * kCellsPerUnit));
}

std::int64_t CPointPositionIndex::FarCellOf(double value) {
    if (std::fabs(value) < kFarReach) {
        return static_cast<std::int64_t>(std::floor(value));
    }
    std::int64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

void CPointPositionIndex::Add(std::string_view pointLine) {
    const std::optional<NumberedPoint> point = ReadNumberedPoint(pointLine);
    if (!point) {
        return;
    }
    highest_ = std::max(highest_, point->number);
    Entry entry{*point, kNone};
    const std::size_t index = entries_.size();
    const bool inGrid = IsGridCoordinate(point->x) && IsGridCoordinate(point->y);
    CellEntries& cell = inGrid ? cells_[Cell{CellOf(point->x), CellOf(point->y)}]
                               : farCells_[Cell{FarCellOf(point->x), FarCellOf(point->y)}];
    if (cell.last == kNone) {
        cell.first = index;
    } else {
        entries_[cell.last].nextInCell = index;
    }
    cell.last = index;
    entries_.push_back(entry);
}

std::optional<std::size_t> CPointPositionIndex::FirstInGrid(double x, double y) const {
    // Twice the tolerance around the position covers any rounding in the
    // cell numbers; the exact test below decides.
    const double margin = 2 * kSamePositionTolerance;
    std::optional<std::size_t> first;
    for (std::int64_t cx = CellOf(x - margin); cx <= CellOf(x + margin); ++cx) {
        for (std::int64_t cy = CellOf(y - margin); cy <= CellOf(y + margin); ++cy) {
            const CellEntries* cell = cells_.Find(Cell{cx, cy});
            if (cell == nullptr) {
                continue;
            }
            // A cell holds its entries in list order: its first match is its earliest.
            for (std::size_t i = cell->first; i != kNone && (!first || i < *first);
                 i = entries_[i].nextInCell) {
                const NumberedPoint& p = entries_[i].point;
                if (WithinSamePositionTolerance(p.x, p.y, x, y)) {
                    first = i;
                    break;
                }
            }
        }
    }
    return first;
}

// The earliest match among the far cells around the position, or first when
// that comes earlier. Cells are a unit wide, so the margin reaches at most
// the two cells of its ends on either axis.
std::optional<std::size_t> CPointPositionIndex::FirstFar(double x, double y,
                                                         std::optional<std::size_t> first) const {
    const double margin = 2 * kSamePositionTolerance;
    const std::int64_t xs[] = {FarCellOf(x - margin), FarCellOf(x + margin)};
    const std::int64_t ys[] = {FarCellOf(y - margin), FarCellOf(y + margin)};
    for (std::size_t i = 0; i < 2; ++i) {
        for (std::size_t j = 0; j < 2; ++j) {
            if ((i == 1 && xs[1] == xs[0]) || (j == 1 && ys[1] == ys[0])) {
                continue;
            }
            const CellEntries* cell = farCells_.Find(Cell{xs[i], ys[j]});
            for (std::size_t k = cell == nullptr ? kNone : cell->first;
                 k != kNone && (!first || k < *first); k = entries_[k].nextInCell) {
                const NumberedPoint& p = entries_[k].point;
                if (WithinSamePositionTolerance(p.x, p.y, x, y)) {
                    first = k;
                    break;
                }
            }
        }
    }
    return first;
}

std::optional<std::int64_t> CPointPositionIndex::NumberAt(double x, double y) const {
    // A position well inside the grid can only match points held in it.
    const double inside = kGridReach - 1.0;
    const bool inGrid = std::fabs(x) <= inside && std::fabs(y) <= inside;
    // Near or beyond the grid's edge a match may be held on either side of it.
    const bool nearGrid = std::fabs(x) <= kGridReach + 1.0 && std::fabs(y) <= kGridReach + 1.0;
    const std::optional<std::size_t> first =
        inGrid ? FirstInGrid(x, y)
               : FirstFar(x, y, nearGrid ? FirstInGrid(x, y) : std::optional<std::size_t>());
    if (!first) {
        return std::nullopt;
    }
    return entries_[*first].point.number;
}

std::int64_t CPointPositionIndex::NextNumber() const {
    if (highest_ == std::numeric_limits<std::int64_t>::max()) {
        return highest_;
    }
    return highest_ + 1;
}

}  // namespace chainforge
