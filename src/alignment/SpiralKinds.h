// Which spiral kinds (a Spiral's spiType) are followed, by which curvature
// law, and why the others are left out.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "alignment/ClothoidArcs.h"

namespace chainforge {

// A kind's law, or the reason it is not converted.
struct SpiralKindLaw {
    std::optional<CurvatureLaw> law;
    std::string reason;
};

// kind: the spiType as written (its case ignored); a spiral without one is a
// clothoid.
SpiralKindLaw LawOfSpiralKind(std::optional<std::string_view> kind);

}  // namespace chainforge
