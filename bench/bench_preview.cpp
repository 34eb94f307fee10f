// Building the preview and drawing its pictures: three real exports as the
// desktop program opens them, and a generated road of 200,000 points and
// 20,000 cross-sections.
#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "BenchSamples.h"
#include "landxml/DocumentScan.h"
#include "landxml/NumberText.h"
#include "preview/PreviewModel.h"
#include "preview/PreviewSvg.h"
#include "ui/ScriptedUserInterface.h"

namespace {

using namespace chainforge;

struct Loaded {
    CDocumentBuffer document;
    CCatalogue catalogue;
};

void Scan(Loaded& loaded, const std::string& bytes) {
    loaded.document.Assign(bytes);
    CScriptedUserInterface ui;
    ScanDocument(loaded.document, loaded.catalogue, ui);
}

// The export's bytes; empty when it is not there.
std::string Sample(const std::string& name) {
    std::ifstream in(bench::RealExport(name), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Model and the three pictures, as opening the preview window needs them.
void PreviewAndDraw(benchmark::State& state, const std::string& bytes,
                    const ConversionSelections& selections) {
    if (bytes.empty()) {
        state.SkipWithError(bench::CorpusMissing().c_str());
        return;
    }
    Loaded loaded;
    Scan(loaded, bytes);
    for (auto _ : state) {
        const PreviewModel model = BuildPreview(selections, loaded.document, loaded.catalogue);
        std::size_t size = PlanSvg(model).size() + ProfileSvg(model).size();
        if (!model.sections.empty()) {
            size += SectionSvg(model, model.sections.front()).size();
        }
        benchmark::DoNotOptimize(size);
    }
}

void BM_PreviewCorridorSample(benchmark::State& state) {
    ConversionSelections s;
    s.alignment = "Basic_Road";
    s.profile = "Layout (2)";
    s.surface = "Corridor Top";
    PreviewAndDraw(state, Sample("civil3d2014_gsg_corridors_crosssects.xml"), s);
}
BENCHMARK(BM_PreviewCorridorSample)->Unit(benchmark::kMillisecond);

void BM_PreviewLongestSpiralAlignment(benchmark::State& state) {
    ConversionSelections s;
    s.alignment = "A50068A";
    s.profile = "T50068A";
    PreviewAndDraw(state, Sample("provi_bc001_alignments_spirals_bom.xml"), s);
}
BENCHMARK(BM_PreviewLongestSpiralAlignment)->Unit(benchmark::kMillisecond);

void BM_PreviewSurvey(benchmark::State& state) {
    ConversionSelections s;
    s.pointGroup = "fieldbook";
    PreviewAndDraw(state, Sample("civil3d2007_partridge_survey_cgpoints_lx11.xml"), s);
}
BENCHMARK(BM_PreviewSurvey)->Unit(benchmark::kMillisecond);

constexpr int kPoints = 200000;
constexpr int kSections = 20000;
constexpr int kPairs = 30;

void AppendLine(std::string& out, const std::string& line) {
    out += line;
    out += "\r\n";
}

std::string GeneratedRoad() {
    std::string out;
    AppendLine(out, "<?xml version=\"1.0\"?>");
    AppendLine(out, "<LandXML version=\"1.2\">");
    AppendLine(out, "<CgPoints name=\"Survey\">");
    for (int i = 0; i < kPoints; ++i) {
        AppendLine(out, "<CgPoint name=\"" + FormatInt(i + 1) + "\">" +
                            FormatF(6780000.0 + (i % 500) * 2.5) + " " +
                            FormatF(21530000.0 + (i / 500) * 2.5) + " 17.4</CgPoint>");
    }
    AppendLine(out, "</CgPoints>");
    AppendLine(out, "<Alignments>");
    AppendLine(out, "<Alignment name=\"Road\" staStart=\"0\">");
    AppendLine(out, "<CoordGeom>");
    for (const char* line :
         {"<Line>", "<Start>6780000 21530000</Start>", "<End>6880000 21530000</End>", "</Line>",
          "</CoordGeom>", "<Profile>", "<ProfAlign name=\"FG\">", "<PVI>0 100</PVI>",
          "<PVI>100000 120</PVI>", "</ProfAlign>", "</Profile>"}) {
        AppendLine(out, line);
    }
    AppendLine(out, "<CrossSects>");
    for (int section = 0; section < kSections; ++section) {
        std::string pairs;
        for (int p = 0; p < kPairs; ++p) {
            const double offset = p - 14.5;
            pairs += FormatF(offset) + " " +
                     FormatF(100 - 0.02 * std::abs(offset) + (section % 5) * 0.01) + " ";
        }
        AppendLine(out, "<CrossSect sta=\"" + FormatF(section * 5.0) + "\">");
        AppendLine(out, "<CrossSectSurf name=\"Top\">");
        AppendLine(out, "<PntList2D>" + pairs + "</PntList2D>");
        AppendLine(out, "</CrossSectSurf>");
        AppendLine(out, "</CrossSect>");
    }
    AppendLine(out, "</CrossSects>");
    AppendLine(out, "</Alignment>");
    AppendLine(out, "</Alignments>");
    AppendLine(out, "</LandXML>");
    return out;
}

void BM_PreviewGeneratedRoad(benchmark::State& state) {
    ConversionSelections s;
    s.pointGroup = "Survey";
    s.alignment = "Road";
    s.profile = "FG";
    s.surface = "Top";
    PreviewAndDraw(state, GeneratedRoad(), s);
}
BENCHMARK(BM_PreviewGeneratedRoad)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
