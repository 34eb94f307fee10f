#include "convert/ConversionReport.h"

#include "landxml/NumberCheck.h"
#include "landxml/NumberText.h"
#include "landxml/TextEncoding.h"

namespace chainforge {
namespace {

std::string Field(const char* key, std::int64_t value) {
    return JsonString(key) + ": " + FormatInt(value);
}

std::string Object(const std::vector<std::string>& fields) {
    std::string out = "{";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        out += (i == 0 ? "" : ", ") + fields[i];
    }
    return out + "}";
}

// One element per line, indented under its key.
std::string List(const std::vector<std::string>& items) {
    if (items.empty()) {
        return "[]";
    }
    std::string out = "[\n";
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += "    " + items[i] + (i + 1 < items.size() ? ",\n" : "\n");
    }
    return out + "  ]";
}

std::string Plural(std::int64_t count, const char* one, const char* many) {
    return FormatInt(count) + " " + (count == 1 ? one : many);
}

// Said only when some were changed.
std::string FieldsChangedText(std::int64_t count) {
    if (count == 0) {
        return {};
    }
    return "; " + Plural(count, "name or description", "names or descriptions") +
           " changed (commas and line breaks made blanks, double quotes dropped)";
}

// A station of an equation with ten significant digits, as the chain file
// writes stations; a text that is no number as it stands.
std::string StationText(const std::string& given) {
    const CheckedNumber number = CheckNumber(given);
    return number.fault == NumberFault::None ? FormatG(number.value, kChainDigits) : given;
}

std::string StationOrNotStated(const std::string& given) {
    return given.empty() ? "not stated" : StationText(given);
}

std::string JsonStation(const std::string& given) {
    if (given.empty()) {
        return "null";
    }
    return CheckNumber(given).fault == NumberFault::None ? StationText(given) : JsonString(given);
}

std::string JsonTextOrNull(const std::string& text) {
    return text.empty() ? "null" : JsonString(text);
}

// Said once, when the alignment has any: a reader of the chain file must not
// look for the equations' jumps in it.
std::string StationEquationsText(const std::vector<StationEquation>& equations) {
    if (equations.empty()) {
        return {};
    }
    std::string out =
        "station equations: " + FormatInt(static_cast<std::int64_t>(equations.size())) +
        "; the chain file's stations run on continuously from the start station\n";
    for (const StationEquation& equation : equations) {
        out += "station equation: " + StationEquationText(equation) + "\n";
    }
    return out;
}

std::string OptionalNumber(const std::optional<double>& value, int significantDigits,
                           const char* missing) {
    return value ? FormatG(*value, significantDigits) : std::string(missing);
}

// Only a run that left spirals out carries the key.
std::string SpiralsLeftOutJson(const ConversionReport& report) {
    if (report.spiralsLeftOut.empty()) {
        return {};
    }
    std::vector<std::string> spirals;
    for (const auto& spiral : report.spiralsLeftOut) {
        spirals.push_back(
            Object({JsonString("kind") + ": " + JsonString(spiral.kind),
                    JsonString("station") + ": " + OptionalNumber(spiral.station, 10, "null"),
                    JsonString("chord") + ": " + OptionalNumber(spiral.chord, 10, "null"),
                    JsonString("reason") + ": " + JsonString(spiral.reason)}));
    }
    return "  \"spirals_left_out\": " + List(spirals) + ",\n";
}

std::string SpiralsLeftOutText(const ConversionReport& report) {
    std::string out;
    for (const auto& spiral : report.spiralsLeftOut) {
        out += "spiral left out: " + spiral.kind + " at station " +
               OptionalNumber(spiral.station, 10, "unknown") + ", a chord of " +
               OptionalNumber(spiral.chord, 10, "unknown length") + " stands in (" + spiral.reason +
               ")\n";
    }
    return out;
}

}  // namespace

void AddDocumentFacts(const CCatalogue& catalogue, const std::optional<std::string>& alignment,
                      ConversionReport& report) {
    report.unit = catalogue.Unit();
    const AlignmentEntry* entry = alignment ? catalogue.FindAlignment(*alignment) : nullptr;
    if (entry != nullptr) {
        report.stationEquations = entry->stationEquations;
    }
}

std::string UnitText(const LinearUnit& unit) {
    return unit.Stated() ? unit.name + " (" + unit.system + ")" : "not stated";
}

std::string UnitLines(const ConversionReport& report) {
    std::string out = "unit: " + UnitText(report.unit) + "\n";
    if (!report.unitWritten.empty()) {
        out += "unit written: " + report.unitWritten + " (from " + report.unit.name + ")\n";
    }
    return out;
}

std::string StationEquationText(const StationEquation& equation) {
    return "back " + StationOrNotStated(equation.back) + ", ahead " +
           StationOrNotStated(equation.ahead) + ", " +
           (equation.increment.empty() ? "increment not stated" : equation.increment) +
           ", internal station " + StationOrNotStated(equation.internal);
}

std::string UnitJson(const LinearUnit& unit) {
    if (!unit.Stated()) {
        return "null";
    }
    return Object({JsonString("linear") + ": " + JsonString(unit.name),
                   JsonString("system") + ": " + JsonString(unit.system)});
}

std::string StationEquationJson(const StationEquation& equation) {
    return Object({JsonString("back") + ": " + JsonStation(equation.back),
                   JsonString("ahead") + ": " + JsonStation(equation.ahead),
                   JsonString("internal") + ": " + JsonStation(equation.internal),
                   JsonString("increment") + ": " + JsonTextOrNull(equation.increment)});
}

void ConversionReport::AddNotConverted(std::string kind, std::int64_t count, std::string reason) {
    if (count > 0) {
        notConverted.push_back({std::move(kind), count, std::move(reason)});
    }
}

std::string JsonString(const std::string& text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : ValidUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string ReportJson(const ConversionReport& report) {
    std::vector<std::string> files;
    for (const auto& file : report.files) {
        files.push_back(Object({JsonString("path") + ": " + JsonString(file.path),
                                Field("bytes", static_cast<std::int64_t>(file.bytes))}));
    }
    std::vector<std::string> notConverted;
    for (const auto& item : report.notConverted) {
        notConverted.push_back(
            Object({JsonString("kind") + ": " + JsonString(item.kind), Field("count", item.count),
                    JsonString("reason") + ": " + JsonString(item.reason)}));
    }
    std::vector<std::string> messages;
    for (const std::string& message : report.messages) {
        messages.push_back(JsonString(message));
    }
    std::vector<std::string> equations;
    for (const StationEquation& equation : report.stationEquations) {
        equations.push_back(StationEquationJson(equation));
    }
    std::string out = "{\n";
    out += "  \"files\": " + List(files) + ",\n";
    out += "  \"unit\": " + UnitJson(report.unit) + ",\n";
    if (!report.unitWritten.empty()) {
        out += "  \"unit_written\": " + JsonString(report.unitWritten) + ",\n";
    }
    out += "  \"points\": " +
           Object({Field("written", report.points.written),
                   Field("added_for_alignment", report.points.addedForAlignment),
                   Field("names_or_descriptions_changed", report.points.fieldsChanged)}) +
           ",\n";
    out += "  \"horizontal\": " +
           Object({Field("vertices", report.horizontal.vertices),
                   Field("curves", report.horizontal.curves),
                   Field("spirals_ignored", report.horizontal.spiralsIgnored),
                   Field("spirals_as_arcs", report.horizontal.spiralsAsArcs),
                   Field("spiral_arcs", report.horizontal.spiralArcs),
                   JsonString("largest_spiral_deviation") + ": " +
                       FormatG(report.horizontal.largestSpiralDeviation)}) +
           ",\n";
    out += "  \"station_equations\": " + List(equations) + ",\n";
    out += "  \"vertical\": " +
           Object({Field("vertices", report.vertical.vertices),
                   Field("parabolic", report.vertical.parabolic),
                   Field("circular", report.vertical.circular),
                   Field("unsymmetric_as_pvi", report.vertical.unsymmetricAsPvi)}) +
           ",\n";
    out += "  \"sections\": " +
           Object({Field("read", report.sections.read),
                   Field("left_points", report.sections.leftPoints),
                   Field("right_points", report.sections.rightPoints),
                   Field("corridor_shapes", report.sections.corridorShapes)}) +
           ",\n";
    out += "  \"not_converted\": " + List(notConverted) + ",\n";
    out += SpiralsLeftOutJson(report);
    out += "  \"messages\": " + List(messages) + "\n";
    return out + "}\n";
}

std::string ReportText(const ConversionReport& report) {
    std::string out = UnitLines(report);
    out += "points: " + FormatInt(report.points.written) + " written (" +
           FormatInt(report.points.addedForAlignment) + " added for the alignment)" +
           FieldsChangedText(report.points.fieldsChanged) + "\n";
    out += "horizontal control: " + Plural(report.horizontal.vertices, "vertex", "vertices") +
           ", " + Plural(report.horizontal.curves, "curve", "curves") + "; " +
           Plural(report.horizontal.spiralsAsArcs, "spiral", "spirals") + " as " +
           Plural(report.horizontal.spiralArcs, "arc", "arcs") + " (largest deviation " +
           FormatG(report.horizontal.largestSpiralDeviation) + ")\n";
    out += StationEquationsText(report.stationEquations);
    out += "vertical control: " + Plural(report.vertical.vertices, "vertex", "vertices") + ", " +
           FormatInt(report.vertical.parabolic) + " parabolic, " +
           FormatInt(report.vertical.circular) + " circular and " +
           FormatInt(report.vertical.unsymmetricAsPvi) + " unsymmetric (as a PVI) curves\n";
    out += "sections: " + FormatInt(report.sections.read) + " read; template points " +
           FormatInt(report.sections.leftPoints) + " left, " +
           FormatInt(report.sections.rightPoints) + " right; " +
           Plural(report.sections.corridorShapes, "corridor shape", "corridor shapes") + " used\n";
    for (const auto& item : report.notConverted) {
        out += "not converted: " + FormatInt(item.count) + " " + item.kind + " (" + item.reason +
               ")\n";
    }
    return out + SpiralsLeftOutText(report);
}

}  // namespace chainforge
