#include "alignment/PointReferences.h"

#include <array>
#include <vector>

#include "landxml/NumberText.h"
#include "landxml/TextPatterns.h"

namespace chainforge {
namespace {

constexpr std::array<std::string_view, 2> kPositionNames{"northing", "easting"};

// The first two numbers of a point's text; a missing second one is 0.
std::optional<ReferencedPoint> ReadPosition(std::string_view text) {
    ReferencedPoint point;
    const std::size_t used = ReadLeadingDouble(text, point.a);
    if (used == 0) {
        return std::nullopt;
    }
    ReadLeadingDouble(text.substr(used), point.b);
    std::vector<double> values;
    point.bad = CheckValues(ValueTokens(text, 2), kPositionNames, values);
    return point;
}

}  // namespace

CPointReferences::CPointReferences(const CDocumentBuffer& document) {
    const std::string_view bytes = document.Bytes();
    for (std::size_t at = NextMarkup(bytes, 0); at != std::string_view::npos;
         at = NextMarkup(bytes, at + 1)) {
        const std::string_view rest = bytes.substr(at);
        if (OpensElement(rest, "<CgPoint")) {
            const std::size_t tagEnd = rest.find('>');
            if (tagEnd == std::string_view::npos) {
                break;
            }
            const std::string_view tag = rest.substr(0, tagEnd);
            const auto name = AttributeValue(tag, "name");
            const std::string_view text =
                rest.substr(tagEnd + 1, rest.find('<', tagEnd) - tagEnd - 1);
            if (name && !IsSelfClosing(rest.substr(0, tagEnd + 1))) {
                if (const auto position = ReadPosition(text)) {
                    points_.emplace(DecodeEntities(*name), *position);
                }
            }
        }
    }
}

std::optional<ReferencedPoint> CPointReferences::Find(std::string_view name) const {
    const auto found = points_.find(DecodeEntities(name));
    if (found == points_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace chainforge
