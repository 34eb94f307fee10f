#include "landxml/Catalogue.h"

#include <algorithm>
#include <optional>
#include <unordered_set>
#include <utility>

#include "landxml/NumberCheck.h"
#include "landxml/NumberText.h"
#include "landxml/TextPatterns.h"

namespace chainforge {
namespace {

using NameSet = std::unordered_set<std::string>;

// The quoted value of the attribute, its name in any letter case: empty when
// there is none.
std::string_view ValueOf(std::string_view tagText, std::string_view name) {
    return AttributeValue(tagText, name, NameCase::Any).value_or(std::string_view());
}

// A suffixed name that may already be listed (groups A, A2, A) is given the
// next free number, counting up from the number of entries before it.
std::string UniqueName(const NameSet& listed, std::size_t count, const std::string& name,
                       std::string suffixed) {
    if (!listed.contains(suffixed)) {
        return suffixed;
    }
    for (auto n = static_cast<std::int64_t>(count);; ++n) {
        std::string candidate = name + FormatInt(n);
        if (!listed.contains(candidate)) {
            return candidate;
        }
    }
}

std::string NameForNewEntry(const NameSet& listed, std::size_t count, std::string name) {
    if (!listed.contains(name)) {
        return name;
    }
    return UniqueName(listed, count, name, name + FormatInt(static_cast<std::int64_t>(count)));
}

std::string StationStartText(std::string_view tagText) {
    const auto text = AttributeValue(tagText, "staStart", NameCase::Any);
    if (!text) {
        return "0.0";
    }
    // A station beyond what the conversion takes is listed as the file
    // writes it, not as the largest double.
    if (CheckNumber(*text).fault == NumberFault::TooLarge) {
        return std::string(ValueTokens(*text, 1).front());
    }
    double station = 0.0;
    ReadLeadingDouble(*text, station);
    return FormatG(station, kChainDigits);
}

}  // namespace

std::string AlignmentEntry::GetProfileName(int index) const {
    return index >= 0 && index < ProfileCount() ? profiles[static_cast<std::size_t>(index)].name
                                                : std::string();
}

std::uint64_t AlignmentEntry::GetProfilePosition(int index) const {
    return index >= 0 && index < ProfileCount() ? profiles[static_cast<std::size_t>(index)].position
                                                : 0;
}

std::string AlignmentEntry::GetSurfaceName(int index) const {
    return index >= 0 && index < SurfaceCount() ? surfaces[static_cast<std::size_t>(index)]
                                                : std::string();
}

std::string ExtractNameAndDescription(std::string_view tagText, TextEncoding encoding) {
    std::string out = ReadableText(ValueOf(tagText, "name"), encoding);
    const std::string_view description = ValueOf(tagText, "desc");
    if (!description.empty()) {
        out += " - ";
        out += ReadableText(description, encoding);
    }
    return out;
}

void CCatalogue::ClearCatalogue() {
    pointGroups_.clear();
    alignments_.clear();
    groupNames_.clear();
    alignmentNames_.clear();
    profileNames_.clear();
    surfaceKeys_.clear();
    encoding_ = TextEncoding::Utf8;
    endedInside_.clear();
    unit_ = {};
}

void CCatalogue::AddPointGroup(std::string name, std::uint64_t position) {
    name = NameForNewEntry(groupNames_, pointGroups_.size(), std::move(name));
    groupNames_.insert(name);
    pointGroups_.push_back({std::move(name), position});
}

void CCatalogue::AddAlignment(std::string_view tagText, std::uint64_t position) {
    AlignmentEntry entry;
    entry.name = NameForNewEntry(alignmentNames_, alignments_.size(),
                                 ExtractNameAndDescription(tagText, encoding_));
    alignmentNames_.insert(entry.name);
    // Fresh sets rather than clear(): clearing costs the bucket count of the
    // largest set so far, for every later alignment.
    profileNames_ = {};
    surfaceKeys_ = {};
    entry.stationStart = StationStartText(tagText);
    if (const auto length = AttributeValue(tagText, "length")) {
        entry.length = ParseLeadingDouble(*length);
    }
    entry.position = position;
    alignments_.push_back(std::move(entry));
}

void CCatalogue::AddProfile(std::string_view tagText, std::uint64_t position) {
    if (alignments_.empty()) {
        return;
    }
    std::vector<ProfileEntry>& profiles = alignments_.back().profiles;
    std::string name = ExtractNameAndDescription(tagText, encoding_);
    const auto match =
        !profileNames_.contains(name)
            ? profiles.end()
            : std::find_if(profiles.begin(), profiles.end(),
                           [&name](const ProfileEntry& p) { return p.name == name; });
    if (match != profiles.end()) {
        // A repeated profile name is numbered after the first profile of that name.
        const auto index = static_cast<std::int64_t>(match - profiles.begin());
        name = UniqueName(profileNames_, profiles.size(), name, name + FormatInt(index));
    }
    profileNames_.insert(name);
    profiles.push_back({std::move(name), position,
                        StartsWithNoCase(tagText, "<ProfSurf") ? "ProfSurf" : "ProfAlign"});
}

void CCatalogue::AddCrossSectionSurface(std::string_view tagText, std::uint64_t /*position*/) {
    if (alignments_.empty()) {
        return;
    }
    std::string name = ExtractNameAndDescription(tagText, encoding_);
    if (surfaceKeys_.insert(ToUpperAscii(name)).second) {
        alignments_.back().surfaces.push_back(std::move(name));
    }
}

void CCatalogue::AddCorridorSurface() {
    if (!alignments_.empty() && surfaceKeys_.insert(ToUpperAscii(kCorridorSurface)).second) {
        alignments_.back().surfaces.emplace_back(kCorridorSurface);
    }
}

void CCatalogue::RemoveLastPointGroup() {
    if (!pointGroups_.empty()) {
        groupNames_.erase(pointGroups_.back().name);
        pointGroups_.pop_back();
    }
}

void CCatalogue::CountPoint() {
    if (!pointGroups_.empty()) {
        ++pointGroups_.back().points;
    }
}

void CCatalogue::CountGeometry(std::string_view tagText) {
    if (alignments_.empty()) {
        return;
    }
    AlignmentEntry& alignment = alignments_.back();
    for (auto [tag, count] :
         {std::pair{"<Line", &alignment.lines}, std::pair{"<Curve", &alignment.curves},
          std::pair{"<Spiral", &alignment.spirals}}) {
        if (OpensElement(tagText, tag)) {
            ++*count;
            return;
        }
    }
}

void CCatalogue::AddStationEquation(std::string_view tagText) {
    if (alignments_.empty()) {
        return;
    }
    const auto text = [this, tagText](std::string_view name) {
        return ReadableText(ValueOf(tagText, name), encoding_);
    };
    alignments_.back().stationEquations.push_back(
        {text("staBack"), text("staAhead"), text("staInternal"), text("staIncrement")});
}

void CCatalogue::SetUnit(std::string_view tagText) {
    if (unit_.Stated()) {
        return;
    }
    unit_.name = ReadableText(ValueOf(tagText, "linearUnit"), encoding_);
    unit_.system = StartsWithNoCase(tagText, "<Imperial") ? "imperial" : "metric";
}

const PointGroupEntry* CCatalogue::FindPointGroup(std::string_view name) const {
    const auto it = std::find_if(pointGroups_.begin(), pointGroups_.end(),
                                 [name](const PointGroupEntry& e) { return e.name == name; });
    return it == pointGroups_.end() ? nullptr : &*it;
}

const AlignmentEntry* CCatalogue::FindAlignment(std::string_view name) const {
    const auto it = std::find_if(alignments_.begin(), alignments_.end(),
                                 [name](const AlignmentEntry& e) { return e.name == name; });
    return it == alignments_.end() ? nullptr : &*it;
}

}  // namespace chainforge
