// Shapes of input that once cost quadratic time, the tag-dense scan beside a
// memchr count of its tags, and the spiral and corridor readers at size.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <string>

#include "alignment/HorizontalAlignmentReader.h"
#include "alignment/PointPositionIndex.h"
#include "landxml/DocumentScan.h"
#include "landxml/NumberText.h"
#include "ui/ScriptedUserInterface.h"
#include "xsection/CrossSectionReader.h"

namespace {

using namespace chainforge;

// A document loaded and scanned once, for the readers to go over.
struct Scanned {
    explicit Scanned(const std::string& bytes) {
        document.Assign(bytes);
        CScriptedUserInterface ui;
        ScanDocument(document, catalogue, ui);
    }
    CDocumentBuffer document;
    CCatalogue catalogue;
};

void Scan(benchmark::State& state, const std::string& bytes) {
    CDocumentBuffer document;
    document.Assign(bytes);
    for (auto _ : state) {
        CCatalogue catalogue;
        CScriptedUserInterface ui;
        ScanDocument(document, catalogue, ui);
        benchmark::DoNotOptimize(catalogue.Alignments().size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// 800 KB of ">" in the text between two tags.
void BM_ScanLongRunOfGreaterThan(benchmark::State& state) {
    Scan(state, "<LandXML version=\"1.2\">" + std::string(800000, '>') + "</LandXML>\r\n");
}
BENCHMARK(BM_ScanLongRunOfGreaterThan)->Unit(benchmark::kMillisecond);

// A first alignment with 200,000 profile names, then 1,000 alignments.
void BM_ScanManyProfileNames(benchmark::State& state) {
    std::string bytes = "<LandXML version=\"1.2\">\r\n<Alignments>\r\n<Alignment name=\"A\">\r\n";
    for (int i = 0; i < 200000; ++i) {
        bytes += "<ProfAlign name=\"P" + FormatInt(i) + "\">\r\n";
    }
    for (int i = 0; i < 1000; ++i) {
        bytes += "<Alignment name=\"B" + FormatInt(i) + "\">\r\n<ProfAlign name=\"P\">\r\n";
    }
    Scan(state, bytes + "</Alignments>\r\n</LandXML>\r\n");
}
BENCHMARK(BM_ScanManyProfileNames)->Unit(benchmark::kMillisecond);

std::string TagDenseDocument() {
    std::string bytes = "<LandXML version=\"1.2\">\r\n<Surfaces>\r\n<Surface name=\"S\">\r\n";
    for (int i = 0; i < 2000000; ++i) {
        bytes += "<P id=\"" + FormatInt(i) + "\">1.5 2.5 3</P>\r\n<F>1 2 3</F>\r\n";
    }
    return bytes + "</Surface>\r\n</Surfaces>\r\n</LandXML>\r\n";
}

// 8 million short tags in a Surfaces element, about 11 bytes a tag.
void BM_ScanTagDense(benchmark::State& state) {
    Scan(state, TagDenseDocument());
}
BENCHMARK(BM_ScanTagDense)->Unit(benchmark::kMillisecond);

// The floor for the line above: a memchr count of the same tags.
void BM_CountTagsTagDense(benchmark::State& state) {
    const std::string bytes = TagDenseDocument();
    for (auto _ : state) {
        std::size_t tags = 0;
        for (const char* p = bytes.data();
             (p = static_cast<const char*>(std::memchr(
                  p, '<', bytes.size() - static_cast<std::size_t>(p - bytes.data())))) != nullptr;
             ++p) {
            ++tags;
        }
        benchmark::DoNotOptimize(tags);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_CountTagsTagDense)->Unit(benchmark::kMillisecond);

// 320,000 points with coordinates above 1e9, then 32,000 lookups.
void BM_FarCoordinates(benchmark::State& state) {
    PointList points;
    for (int i = 0; i < 320000; ++i) {
        points.push_back(FormatInt(i + 1) + "," + FormatF(5e9 + i * 2.5) + "," +
                         FormatF(7e9 + (i % 500) * 2.5) + ",0,X");
    }
    for (auto _ : state) {
        CPointPositionIndex index(points);
        std::int64_t found = 0;
        for (int i = 0; i < 32000; ++i) {
            found += index.NumberAt(5e9 + i * 25.0, 7e9 + ((i * 10) % 500) * 2.5).value_or(0);
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FarCoordinates)->Unit(benchmark::kMillisecond);

std::string Pair(double a, double b) {
    return FormatF(a) + " " + FormatF(b);
}

// An alignment of 10,000 clothoids of 80 units from a straight into radius
// 400, each followed by a straight.
void BM_TenThousandSpirals(benchmark::State& state) {
    const double length = 80.0;
    const double radius = 400.0;
    // The end of a clothoid from the straight along the first axis, from the
    // series of its Fresnel integrals.
    const double a2 = radius * length;
    const double x = length - std::pow(length, 5) / (40 * a2 * a2);
    const double y = std::pow(length, 3) / (6 * a2) - std::pow(length, 7) / (336 * a2 * a2 * a2);
    std::string bytes =
        "<LandXML version=\"1.2\">\r\n<Alignments>\r\n<Alignment name=\"S\">\r\n<CoordGeom>\r\n";
    for (int i = 0; i < 10000; ++i) {
        const double n = 1000.0 * i;
        bytes +=
            "<Spiral length=\"80\" radiusStart=\"INF\" radiusEnd=\"400\" spiType=\"clothoid\">\r\n";
        bytes += "<Start>" + Pair(n, 0) + "</Start>\r\n<PI>" + Pair(n + 50, 0) + "</PI>\r\n";
        bytes += "<End>" + Pair(n + x, y) + "</End>\r\n</Spiral>\r\n";
    }
    bytes += "</CoordGeom>\r\n</Alignment>\r\n</Alignments>\r\n</LandXML>\r\n";
    Scanned scanned(bytes);
    CDocumentBuffer& document = scanned.document;
    const CCatalogue& catalogue = scanned.catalogue;
    CScriptedUserInterface ui;
    const ReadContext context{document, catalogue, ui};
    const AlignmentEntry* alignment = catalogue.FindAlignment("S");
    for (auto _ : state) {
        bool warning = true;
        const HorizontalRead read = ReadHorizontalAlignment(context, alignment, {}, warning);
        benchmark::DoNotOptimize(read.counts.spiralArcs);
    }
}
BENCHMARK(BM_TenThousandSpirals)->Unit(benchmark::kMillisecond);

// 20,000 corridor sections of 40 points in four shapes, without a profile.
void BM_CorridorSections(benchmark::State& state) {
    std::string bytes =
        "<LandXML version=\"1.2\">\r\n<Alignments>\r\n<Alignment name=\"C\">\r\n"
        "<CrossSects>\r\n";
    for (int i = 0; i < 20000; ++i) {
        bytes += "<CrossSect sta=\"" + FormatInt(i * 10) + "\">\r\n";
        for (int shape = 0; shape < 4; ++shape) {
            const double side = shape % 2 == 0 ? 1.0 : -1.0;
            const double from = (shape / 2) * 12.0;
            bytes += "<DesignCrossSectSurf name=\"S\" closedArea=\"true\">\r\n";
            for (int k = 0; k < 10; ++k) {
                const double offset = side * (from + 12.0 * (k < 5 ? k : 9 - k) / 4.0);
                const double elevation = k < 5 ? -0.02 * std::abs(offset) : -0.5;
                bytes += "<CrossSectPnt>" + Pair(offset, elevation) + "</CrossSectPnt>\r\n";
            }
            bytes += "</DesignCrossSectSurf>\r\n";
        }
        bytes += "</CrossSect>\r\n";
    }
    bytes += "</CrossSects>\r\n</Alignment>\r\n</Alignments>\r\n</LandXML>\r\n";
    Scanned scanned(bytes);
    CDocumentBuffer& document = scanned.document;
    const CCatalogue& catalogue = scanned.catalogue;
    CScriptedUserInterface ui;
    const ReadContext context{document, catalogue, ui};
    const AlignmentEntry* alignment = catalogue.FindAlignment("C");
    for (auto _ : state) {
        const SectionRead read = ReadCrossSections(context, alignment, {}, "Corridor Top");
        benchmark::DoNotOptimize(read.counts.read);
    }
}
BENCHMARK(BM_CorridorSections)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
