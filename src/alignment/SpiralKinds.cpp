#include "alignment/SpiralKinds.h"

#include <array>
#include <utility>

#include "landxml/TextPatterns.h"

namespace chainforge {
namespace {

// Kinds whose curvature runs along the curve by a known shape.
constexpr std::array<std::pair<std::string_view, CurvatureLaw>, 4> kFollowed{{
    {"clothoid", CurvatureLaw::Linear},
    {"bloss", CurvatureLaw::Bloss},
    {"cosine", CurvatureLaw::HalfCosine},
    {"sinusoid", CurvatureLaw::Sinusoid},
}};

// Kinds left out on purpose, each with what keeps its curve unsettled.
constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kUnsettled{{
    {"biquadraticParabola",
     "its law along the tangent is not settled: neither two quadratic halves along the curve "
     "nor along the tangent meet the End of real exports within 0.001"},
    {"biquadratic", "the two biquadratic kinds do not say which runs along the curve"},
    {"cubicParabola",
     "defined along the tangent, and whether its length runs along the tangent or the curve "
     "is not settled"},
    {"japaneseCubic",
     "defined along the tangent, and whether its length runs along the tangent or the curve "
     "is not settled"},
    {"revBiquadratic", "what the reversed kinds change is not settled"},
    {"revBloss",
     "what the reversed kinds change is not settled: the bloss law reads the same from "
     "either end"},
    {"revCosine",
     "what the reversed kinds change is not settled: the cosine law reads the same from "
     "either end"},
    {"revSinusoid",
     "what the reversed kinds change is not settled: the sinusoid law reads the same from "
     "either end"},
}};

std::string NotConverted(std::string_view kind, std::string_view why) {
    return "spiral type " + std::string(kind) + " is not converted: " + std::string(why);
}

}  // namespace

SpiralKindLaw LawOfSpiralKind(std::optional<std::string_view> kind) {
    if (!kind) {
        return {CurvatureLaw::Linear, {}};
    }
    for (const auto& [name, law] : kFollowed) {
        if (EqualsNoCase(*kind, name)) {
            return {law, {}};
        }
    }
    for (const auto& [name, why] : kUnsettled) {
        if (EqualsNoCase(*kind, name)) {
            return {std::nullopt, NotConverted(*kind, why)};
        }
    }
    return {std::nullopt, NotConverted(*kind, "its curvature law is not known")};
}

}  // namespace chainforge
