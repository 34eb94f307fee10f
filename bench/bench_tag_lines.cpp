// Loading and scanning a file of about 50 MB written one element to a line, as most
// exporters write, and the same file written on one line. The first is held
// as it is: what its load adds is the quick look that finds no tag following
// another on a line, measured on its own. The second is copied once with
// its tags on lines of their own before the scan.
#include <benchmark/benchmark.h>

#include <string>

#include "landxml/DocumentScan.h"
#include "landxml/NumberText.h"
#include "landxml/TagLines.h"
#include "ui/ScriptedUserInterface.h"

namespace {

using namespace chainforge;

constexpr int kPoints = 600000;
constexpr int kVertices = 200000;

void AppendPoints(std::string& out, const char* lineEnd) {
    out.append("<CgPoints name=\"G\">").append(lineEnd);
    for (int i = 0; i < kPoints; ++i) {
        out.append("  <CgPoint name=\"").append(std::to_string(i)).append("\" desc=\"a>b\">");
        out.append(FormatF(i * 0.5)).append(" ").append(FormatF(i * 0.25)).append(" 10.5");
        out.append("</CgPoint>").append(lineEnd);
    }
    out.append("</CgPoints>").append(lineEnd);
}

void AppendProfile(std::string& out, const char* lineEnd) {
    for (const char* tag : {"<Alignments>", "<Alignment name=\"R\" staStart=\"0\">", "<Profile>",
                            "<ProfAlign name=\"FG\">"}) {
        out.append(tag).append(lineEnd);
    }
    for (int i = 0; i < kVertices; ++i) {
        out.append("  <PVI>").append(FormatF(i * 5.0)).append(" 100</PVI>").append(lineEnd);
    }
    for (const char* tag : {"</ProfAlign>", "</Profile>", "</Alignment>", "</Alignments>"}) {
        out.append(tag).append(lineEnd);
    }
}

// lineEnd between the elements: CR LF, or nothing for one line.
std::string Document(const char* lineEnd) {
    std::string out = "<?xml version=\"1.0\"?>";
    out.append(lineEnd).append("<LandXML version=\"1.2\">").append(lineEnd);
    AppendPoints(out, lineEnd);
    AppendProfile(out, lineEnd);
    return out.append("</LandXML>").append(lineEnd);
}

const std::string& Pretty() {
    static const std::string pretty = Document("\r\n");
    return pretty;
}

const std::string& OneLine() {
    static const std::string oneLine = Document("");
    return oneLine;
}

void LoadAndScan(benchmark::State& state, const std::string& bytes) {
    for (auto _ : state) {
        CDocumentBuffer document;
        CCatalogue catalogue;
        CScriptedUserInterface ui;
        document.Assign(bytes);
        ScanDocument(document, catalogue, ui);
        benchmark::DoNotOptimize(catalogue);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}

void BM_LoadAndScanPretty(benchmark::State& state) {
    LoadAndScan(state, Pretty());
}

void BM_TagLineLookPretty(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(MissingTagLineBreaks(Pretty()));
    }
}

void BM_LoadAndScanOneLine(benchmark::State& state) {
    LoadAndScan(state, OneLine());
}

}  // namespace

BENCHMARK(BM_LoadAndScanPretty)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TagLineLookPretty)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndScanOneLine)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
