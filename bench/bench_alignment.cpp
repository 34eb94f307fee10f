// Reading a survey of 200,000 points and then an alignment of 2,000 elements
// whose vertices are numbered against those points, held in memory.
#include <benchmark/benchmark.h>

#include <string>

#include "alignment/HorizontalAlignmentReader.h"
#include "landxml/DocumentScan.h"
#include "landxml/NumberText.h"
#include "points/PointGroupReader.h"
#include "ui/ScriptedUserInterface.h"

namespace {

using namespace chainforge;

constexpr int kPoints = 200000;
constexpr int kPointsPerRow = 500;
constexpr double kPointSpacing = 2.5;
constexpr int kElements = 2000;
constexpr double kNorthing = 6780000.0;
constexpr double kEasting = 21530000.0;

void AppendLine(std::string& out, const std::string& line) {
    out += line;
    out += "\r\n";
}

std::string Coordinates(double northing, double easting) {
    return FormatF(northing) + " " + FormatF(easting);
}

void AppendSurvey(std::string& out) {
    AppendLine(out, "<CgPoints name=\"Survey\">");
    for (int i = 0; i < kPoints; ++i) {
        const double northing = kNorthing + (i % kPointsPerRow) * kPointSpacing;
        const double easting = kEasting + (i / kPointsPerRow) * kPointSpacing;
        AppendLine(out, "<CgPoint name=\"" + FormatInt(i + 1) + "\" desc=\"GS\">" +
                            Coordinates(northing, easting) + " 17.400</CgPoint>");
    }
    AppendLine(out, "</CgPoints>");
}

// Tangents between surveyed points alternate with curves whose centres are
// new points, so that half the vertices match a point and half do not.
void AppendAlignment(std::string& out) {
    AppendLine(out, "<Alignments name=\"Roads\">");
    AppendLine(out, "<Alignment name=\"Main\" staStart=\"1000\">");
    AppendLine(out, "<CoordGeom>");
    double northing = kNorthing + 1.0 * kPointSpacing;
    double easting = kEasting + 1.0 * kPointSpacing;
    for (int e = 0; e < kElements; ++e) {
        const std::string start = Coordinates(northing, easting);
        northing += kPointSpacing;
        easting += (e % 3 == 0) ? kPointSpacing : 0.0;
        const std::string end = Coordinates(northing, easting);
        if (e % 2 == 0) {
            AppendLine(out, "<Line length=\"3\">");
            AppendLine(out, "<Start>" + start + "</Start>");
            AppendLine(out, "<End>" + end + "</End>");
            AppendLine(out, "</Line>");
        } else {
            AppendLine(out, "<Curve rot=\"cw\" radius=\"50\">");
            AppendLine(out, "<Start>" + start + "</Start>");
            AppendLine(out,
                       "<Center>" + Coordinates(northing - 0.37, easting + 49.1) + "</Center>");
            AppendLine(out, "<End>" + end + "</End>");
            AppendLine(out, "<PI>" + Coordinates(northing - 1.1, easting + 0.4) + "</PI>");
            AppendLine(out, "</Curve>");
        }
    }
    AppendLine(out, "</CoordGeom>");
    AppendLine(out, "</Alignment>");
    AppendLine(out, "</Alignments>");
}

std::string Document() {
    std::string out;
    AppendLine(out, "<?xml version=\"1.0\"?>");
    AppendLine(out, "<LandXML version=\"1.1\">");
    AppendSurvey(out);
    AppendAlignment(out);
    AppendLine(out, "</LandXML>");
    return out;
}

void BM_PointsAndAlignment(benchmark::State& state) {
    CDocumentBuffer document;
    document.Assign(Document());
    CCatalogue catalogue;
    CScriptedUserInterface ui;
    ScanDocument(document, catalogue, ui);
    const ReadContext context{document, catalogue, ui};
    const AlignmentEntry* alignment = catalogue.FindAlignment("Main");
    std::size_t appended = 0;
    for (auto _ : state) {
        const PointList points = ReadPointGroup(context, "Survey").points;
        bool spiralWarning = false;
        const HorizontalRead read =
            ReadHorizontalAlignment(context, alignment, points, spiralWarning);
        appended = read.addedPoints.size();
        benchmark::DoNotOptimize(read.horizontalControl.data());
    }
    state.counters["new_points"] = static_cast<double>(appended);
}
BENCHMARK(BM_PointsAndAlignment)->Unit(benchmark::kMillisecond);

// The two readers apart: the point group alone, and the alignment alone
// against the points read once.
void BM_PointGroupOnly(benchmark::State& state) {
    CDocumentBuffer document;
    document.Assign(Document());
    CCatalogue catalogue;
    CScriptedUserInterface ui;
    ScanDocument(document, catalogue, ui);
    const ReadContext context{document, catalogue, ui};
    for (auto _ : state) {
        const PointList points = ReadPointGroup(context, "Survey").points;
        benchmark::DoNotOptimize(points.data());
    }
}
BENCHMARK(BM_PointGroupOnly)->Unit(benchmark::kMillisecond);

void BM_AlignmentOnly(benchmark::State& state) {
    CDocumentBuffer document;
    document.Assign(Document());
    CCatalogue catalogue;
    CScriptedUserInterface ui;
    ScanDocument(document, catalogue, ui);
    const ReadContext context{document, catalogue, ui};
    const AlignmentEntry* alignment = catalogue.FindAlignment("Main");
    const PointList survey = ReadPointGroup(context, "Survey").points;
    for (auto _ : state) {
        bool spiralWarning = false;
        const HorizontalRead read =
            ReadHorizontalAlignment(context, alignment, survey, spiralWarning);
        benchmark::DoNotOptimize(read.horizontalControl.data());
    }
}
BENCHMARK(BM_AlignmentOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
