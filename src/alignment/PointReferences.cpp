#include "alignment/PointReferences.h"

#include "landxml/NumberText.h"
#include "landxml/TextPatterns.h"

namespace chainforge {
namespace {

constexpr std::string_view kElement = "<CgPoint";

bool OpensPoint(std::string_view rest) {
    if (!StartsWithNoCase(rest, kElement) || rest.size() == kElement.size()) {
        return false;
    }
    const char next = rest[kElement.size()];
    return IsScanSpace(next) || next == '>';
}

// The first two numbers of a point's text; a missing second one is 0.
std::optional<ReferencedPoint> ReadPosition(std::string_view text) {
    ReferencedPoint point;
    const std::size_t used = ReadLeadingDouble(text, point.a);
    if (used == 0) {
        return std::nullopt;
    }
    ReadLeadingDouble(text.substr(used), point.b);
    return point;
}

}  // namespace

PointReferences::PointReferences(const CDocumentBuffer& document) {
    const std::string_view bytes = document.Bytes();
    std::size_t at = bytes.find('<');
    while (at != std::string_view::npos) {
        const std::string_view rest = bytes.substr(at);
        if (rest.starts_with("<!--")) {
            const std::size_t close = bytes.find("-->", at + 4);
            at = close == std::string_view::npos ? close : bytes.find('<', close + 3);
            continue;
        }
        if (OpensPoint(rest)) {
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
        at = bytes.find('<', at + 1);
    }
}

std::optional<ReferencedPoint> PointReferences::Find(std::string_view name) const {
    const auto found = points_.find(DecodeEntities(name));
    if (found == points_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace chainforge
