// What one conversion wrote and what it left out, for the person who runs it:
// the summary printed after a conversion and its JSON form.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "landxml/Catalogue.h"

namespace chainforge {

struct ConversionReport {
    struct File {
        std::string path;
        std::uint64_t bytes = 0;
    };
    // An element met but not converted, how often, and why.
    struct NotConverted {
        std::string kind;
        std::int64_t count = 0;
        std::string reason;
    };

    std::vector<File> files;
    LinearUnit unit;  // as the file states it
    // The unit chosen to write lengths in (as --linear-unit names it) when
    // it differs from the file's; empty when the file's numbers are written.
    std::string unitWritten;
    // Of the selected alignment: the chain file does not apply them.
    std::vector<StationEquation> stationEquations;
    struct {
        std::int64_t written = 0;
        std::int64_t addedForAlignment = 0;
        std::int64_t fieldsChanged = 0;  // names or descriptions changed to keep the fields
    } points;
    struct {
        std::int64_t vertices = 0;
        std::int64_t curves = 0;
        std::int64_t spiralsIgnored = 0;
        std::int64_t spiralsAsArcs = 0;
        std::int64_t spiralArcs = 0;
        double largestSpiralDeviation = 0.0;
    } horizontal;
    struct {
        std::int64_t vertices = 0;
        std::int64_t parabolic = 0;
        std::int64_t circular = 0;
        std::int64_t unsymmetricAsPvi = 0;
    } vertical;
    struct {
        std::int64_t read = 0;
        std::int64_t leftPoints = 0;
        std::int64_t rightPoints = 0;
        std::int64_t corridorShapes = 0;  // DesignCrossSectSurf shapes used
    } sections;
    // A spiral left out, for finding it in the file; the straight from its
    // Start to its End, the chord, stands in for it.
    struct SpiralLeftOut {
        std::string kind;
        std::optional<double> station;  // its staStart
        std::optional<double> chord;    // its length
        std::string reason;
    };
    std::vector<NotConverted> notConverted;
    std::vector<SpiralLeftOut> spiralsLeftOut;
    std::vector<std::string> messages;  // every message shown during the run

    // Adds count elements of a kind; nothing when count is 0.
    void AddNotConverted(std::string kind, std::int64_t count, std::string reason);
};

// The file's linear unit and the selected alignment's station equations,
// from the catalogue.
void AddDocumentFacts(const CCatalogue& catalogue, const std::optional<std::string>& alignment,
                      ConversionReport& report);

// "meter (metric)" with the file's own spelling, or "not stated".
std::string UnitText(const LinearUnit& unit);

// "unit: meter (metric)\n", followed by "unit written: foot (from meter)\n"
// when the lengths were written in another unit.
std::string UnitLines(const ConversionReport& report);

// "back 50909, ahead 1000, increasing, internal station 0": numbers as the
// chain file writes stations, any other text as the file gives it.
std::string StationEquationText(const StationEquation& equation);

// {"linear": "meter", "system": "metric"}, or null when the file does not say.
std::string UnitJson(const LinearUnit& unit);

// {"back": 50909, "ahead": 1000, "internal": 0, "increment": "increasing"}:
// a station that is no number is its text as a JSON string; an attribute
// that is not there is null.
std::string StationEquationJson(const StationEquation& equation);

// The report as JSON (UTF-8, LF line ends).
std::string ReportJson(const ConversionReport& report);

// The report as lines for a person to read, each ended by a line feed.
std::string ReportText(const ConversionReport& report);

// A JSON string literal of text: quotes, backslashes and control characters
// escaped; other bytes as they are, but for a byte that is not part of
// well-formed UTF-8 (a name of a file in another encoding), which becomes
// U+FFFD, so that the JSON is always UTF-8.
std::string JsonString(const std::string& text);

}  // namespace chainforge
