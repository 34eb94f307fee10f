#include "cli/ListCommand.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <ostream>

#include "convert/ConversionReport.h"

#include "cli/CliHelp.h"
#include "cli/CliSupport.h"
#include "cli/CommandLineUserInterface.h"

namespace chainforge {

void PrintCatalogueTsv(const CCatalogue& catalogue, std::ostream& out) {
    for (const PointGroupEntry& group : catalogue.PointGroups()) {
        out << "group\t" << group.name << '\t' << group.position << '\n';
    }
    for (const AlignmentEntry& alignment : catalogue.Alignments()) {
        out << "alignment\t" << alignment.name << '\t' << alignment.stationStart << '\t'
            << alignment.position << '\n';
        for (const ProfileEntry& profile : alignment.profiles) {
            out << "profile\t" << alignment.name << '\t' << profile.name << '\t' << profile.position
                << '\n';
        }
        for (const std::string& surface : alignment.surfaces) {
            out << "surface\t" << alignment.name << '\t' << surface << '\n';
        }
    }
}

namespace {

std::string JsonNumber(std::optional<double> value) {
    if (!value) {
        return "null";
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, *value);
    return std::string(buffer, result.ptr);
}

// A start station as a JSON number: the catalogue's text keeps its ten
// significant digits; a station that is no finite number is null.
std::string JsonStation(const std::string& text) {
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool whole = result.ec == std::errc() && result.ptr == text.data() + text.size();
    return whole && std::isfinite(value) ? text : "null";
}

// A JSON array on one line of what json makes of each item.
template <typename Items, typename Json>
std::string JsonArray(const Items& items, Json json) {
    std::string out = "[";
    for (const auto& item : items) {
        out += (out.size() > 1 ? ", " : "") + json(item);
    }
    return out + "]";
}

template <typename Items, typename Text>
std::string JsonList(const Items& items, Text text) {
    return JsonArray(items, [&text](const auto& item) { return JsonString(text(item)); });
}

}  // namespace

void PrintCatalogueJson(const CCatalogue& catalogue, std::ostream& out) {
    out << "{\n  \"unit\": " << UnitJson(catalogue.Unit()) << ",\n  \"groups\": [";
    const char* separator = "\n";
    for (const PointGroupEntry& group : catalogue.PointGroups()) {
        out << separator << "    {\"name\": " << JsonString(group.name)
            << ", \"points\": " << group.points << "}";
        separator = ",\n";
    }
    out << (catalogue.PointGroups().empty() ? "" : "\n  ") << "],\n  \"alignments\": [";
    separator = "\n";
    for (const AlignmentEntry& a : catalogue.Alignments()) {
        out << separator << "    {\"name\": " << JsonString(a.name)
            << ", \"station_start\": " << JsonStation(a.stationStart)
            << ", \"length\": " << JsonNumber(a.length) << ", \"lines\": " << a.lines
            << ", \"curves\": " << a.curves << ", \"spirals\": " << a.spirals << ", \"profiles\": "
            << JsonList(a.profiles, [](const ProfileEntry& p) { return p.name; })
            << ", \"surfaces\": " << JsonList(a.surfaces, [](const std::string& s) { return s; })
            << ", \"station_equations\": " << JsonArray(a.stationEquations, StationEquationJson)
            << "}";
        separator = ",\n";
    }
    out << (catalogue.Alignments().empty() ? "" : "\n  ") << "]\n}\n";
}

void PrintCatalogueText(const CCatalogue& catalogue, std::ostream& out) {
    out << "unit: " << UnitText(catalogue.Unit()) << '\n';
    out << "Point groups (" << catalogue.PointGroups().size() << ")\n";
    for (const PointGroupEntry& group : catalogue.PointGroups()) {
        out << "  " << group.name << '\n';
    }
    out << "Alignments (" << catalogue.Alignments().size() << ")\n";
    for (const AlignmentEntry& alignment : catalogue.Alignments()) {
        out << "  " << alignment.name << "  (start station " << alignment.stationStart << ")\n";
        for (const ProfileEntry& profile : alignment.profiles) {
            out << "    profile: " << profile.name << '\n';
        }
        for (const std::string& surface : alignment.surfaces) {
            out << "    cross-section surface: " << surface << '\n';
        }
    }
}

int RunListCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string path;
    std::string form;
    for (const std::string& arg : args) {
        if (IsHelpOption(arg)) {
            out << CommandHelpText("list");
            return 0;
        }
        if (arg == "--tsv" || arg == "--json") {
            form = arg;
        } else if (arg.starts_with("--")) {
            return UsageError(err, "unknown option '" + arg + "'");
        } else if (path.empty()) {
            path = arg;
        } else {
            return UsageError(err, "list takes one file");
        }
    }
    if (path.empty()) {
        return UsageError(err, "list needs a LandXML file");
    }
    CCommandLineUserInterface ui(err);
    CDocumentBuffer document;
    CCatalogue catalogue;
    if (!LoadAndScan(path, document, catalogue, ui)) {
        return 1;
    }
    if (form == "--tsv") {
        PrintCatalogueTsv(catalogue, out);
    } else if (form == "--json") {
        PrintCatalogueJson(catalogue, out);
    } else {
        PrintCatalogueText(catalogue, out);
    }
    out.flush();
    return ReportEndedInside(catalogue, ui) ? 1 : 0;
}

}  // namespace chainforge
