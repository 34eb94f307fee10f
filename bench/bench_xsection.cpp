// Reading cross-sections against a long profile: an alignment of 20,000
// cross-sections, three surfaces of 30 pairs each, and a design profile of
// 5,000 vertices, held in memory.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "landxml/DocumentScan.h"
#include "landxml/NumberText.h"
#include "profile/ProfileReader.h"
#include "ui/ScriptedUserInterface.h"
#include "xsection/CrossSectionReader.h"

namespace {

using namespace chainforge;

constexpr int kSections = 20000;
constexpr double kSectionSpacing = 5.0;
constexpr int kSurfaces = 3;
constexpr int kPairs = 30;
constexpr int kVertices = 5000;
constexpr double kVertexSpacing = kSections * kSectionSpacing / (kVertices - 1);

void AppendLine(std::string& out, const std::string& line) {
    out += line;
    out += "\r\n";
}

double VertexElevation(int i) {
    return 100.0 + (i % 7) * 0.5 - (i % 3) * 0.25;
}

// Vertices with a parabolic curve at every fourth one.
void AppendProfile(std::string& out) {
    AppendLine(out, "<Profile name=\"P\">");
    AppendLine(out, "<ProfAlign name=\"FG\">");
    for (int i = 0; i < kVertices; ++i) {
        const std::string values = FormatF(i * kVertexSpacing) + " " + FormatF(VertexElevation(i));
        const bool curve = i % 4 == 2 && i + 1 < kVertices;
        AppendLine(out, curve ? "<ParaCurve length=\"6\">" + values + "</ParaCurve>"
                              : "<PVI>" + values + "</PVI>");
    }
    AppendLine(out, "</ProfAlign>");
    AppendLine(out, "</Profile>");
}

// Offsets -14.5 to 14.5, so every centre elevation is interpolated.
std::string PointList(int section, int surface) {
    std::string list;
    for (int p = 0; p < kPairs; ++p) {
        const double offset = p - 14.5;
        const double elevation =
            100.0 - 0.02 * std::abs(offset) + surface * 0.1 + (section % 5) * 0.01;
        list += FormatF(offset) + " " + FormatF(elevation) + " ";
    }
    return list;
}

void AppendCrossSections(std::string& out) {
    AppendLine(out, "<CrossSects>");
    for (int s = 0; s < kSections; ++s) {
        AppendLine(out, "<CrossSect sta=\"" + FormatF(s * kSectionSpacing) + "\">");
        for (int k = 0; k < kSurfaces; ++k) {
            AppendLine(out, "<CrossSectSurf name=\"S" + FormatInt(k) + "\">");
            AppendLine(out, "<PntList2D>" + PointList(s, k) + "</PntList2D>");
            AppendLine(out, "</CrossSectSurf>");
        }
        AppendLine(out, "</CrossSect>");
    }
    AppendLine(out, "</CrossSects>");
}

std::string BenchDocument() {
    std::string out;
    AppendLine(out, "<?xml version=\"1.0\"?>");
    AppendLine(out, "<LandXML version=\"1.1\">");
    AppendLine(out, "<Alignments>");
    AppendLine(out, "<Alignment name=\"Road\" staStart=\"0\">");
    AppendProfile(out);
    AppendCrossSections(out);
    AppendLine(out, "</Alignment>");
    AppendLine(out, "</Alignments>");
    AppendLine(out, "</LandXML>");
    return out;
}

struct LoadedBench {
    LoadedBench() {
        document.Assign(BenchDocument());
        ScanDocument(document, catalogue, ui);
        road = catalogue.FindAlignment("Road");
        verticalControl = ReadProfile(Context(), road, "FG").verticalControl;
    }
    ReadContext Context() { return {document, catalogue, ui}; }
    CDocumentBuffer document;
    CCatalogue catalogue;
    CScriptedUserInterface ui;
    const AlignmentEntry* road = nullptr;
    std::string verticalControl;
};

void ReadSurface(benchmark::State& state, bool withProfile) {
    LoadedBench bench;
    const std::string verticalControl = withProfile ? bench.verticalControl : std::string();
    for (auto _ : state) {
        const SectionRead read =
            ReadCrossSections(bench.Context(), bench.road, verticalControl, "S1");
        benchmark::DoNotOptimize(read.leftTemplates.data());
        benchmark::DoNotOptimize(read.rightTemplates.data());
    }
    state.counters["sections"] = kSections;
}

void BM_CrossSectionsAgainstProfile(benchmark::State& state) {
    ReadSurface(state, true);
}
void BM_CrossSectionsVpiOnly(benchmark::State& state) {
    ReadSurface(state, false);
}

BENCHMARK(BM_CrossSectionsAgainstProfile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CrossSectionsVpiOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
