// The positions of the document's CgPoints by name, for geometry that refers
// to a point (pntRef="...") instead of giving its coordinates.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "landxml/DocumentBuffer.h"
#include "landxml/NumberCheck.h"

namespace chainforge {

struct ReferencedPoint {
    double a = 0.0;
    double b = 0.0;
    // The first of the point's two numbers that cannot be converted, if any
    // (its text is a view of the document's bytes).
    std::optional<BadValue> bad;
};

class CPointReferences {
  public:
    // Walks the whole document once, comments passed over: every CgPoint
    // element of any group with a name and at least one number in its text.
    explicit CPointReferences(const CDocumentBuffer& document);

    // The first such point in the document of exactly that name (entities
    // decoded on both sides).
    std::optional<ReferencedPoint> Find(std::string_view name) const;

  private:
    std::unordered_map<std::string, ReferencedPoint> points_;
};

}  // namespace chainforge
