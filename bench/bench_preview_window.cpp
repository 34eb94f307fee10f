// The preview window on software rendering (the offscreen platform): one
// frame of panning the plan over 200,000 generated points, and opening the
// preview (build the model, paint the three views) on real samples.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QTabWidget>
#include <cmath>
#include <filesystem>
#include <string>

#include "BenchSamples.h"
#include "gui/PlanView.h"
#include "gui/PreviewWindow.h"
#include "gui/ProfileView.h"
#include "landxml/DocumentScan.h"
#include "preview/PreviewModel.h"
#include "ui/ScriptedUserInterface.h"

namespace {

using namespace chainforge;

constexpr int kWidth = 1000;
constexpr int kHeight = 700;

// 200,000 points scattered over 6 x 4 km around a winding line of 2,000
// straights and arcs, 20,000 sections along it for the profile.
PreviewModel GeneratedModel() {
    PreviewModel model;
    std::uint64_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(seed >> 11) / 9007199254740992.0;
    };
    for (int i = 0; i < 200000; ++i) {
        model.points.push_back(
            {std::to_string(i + 1), {500000 + 6000 * next(), 7000000 + 4000 * next()}, 100});
    }
    PreviewXY at{500000, 7002000};
    for (int i = 0; i < 2000; ++i) {
        PreviewElement element;
        element.start = at;
        element.length = 3.0;
        element.startStation = 3.0 * i;
        const double heading = std::sin(i / 200.0);
        at = {at.x + 3.0 * std::cos(heading), at.y + 3.0 * std::sin(heading)};
        element.end = at;
        model.elements.push_back(element);
        model.vertices.push_back({std::to_string(i + 1), element.start, element.startStation});
    }
    for (int i = 0; i < 20000; ++i) {
        const double station = 0.3 * i;
        const double elevation = 100 + 5 * std::sin(station / 300);
        model.profileLine.push_back({station, elevation});
        PreviewSection section;
        section.station = station;
        section.centreElevation = elevation;
        model.sections.push_back(section);
    }
    model.vpiOnly = true;
    return model;
}

template <typename View>
void PanFrames(benchmark::State& state, double zoom) {
    static const PreviewModel model = GeneratedModel();
    View view;
    view.resize(kWidth, kHeight);
    view.SetModel(&model);
    view.Fit();
    view.ZoomAbout(QPointF(kWidth / 2.0, kHeight / 2.0), zoom);
    QImage frame(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    int step = 0;
    for (auto _ : state) {
        view.PanBy(QPointF((step++ % 20) < 10 ? 7 : -7, 3));
        view.render(&frame);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

void BM_PlanPanFrame(benchmark::State& state) {
    PanFrames<CPlanView>(state, static_cast<double>(state.range(0)));
}
BENCHMARK(BM_PlanPanFrame)->Arg(1)->Arg(8)->Arg(64)->Unit(benchmark::kMillisecond);

void BM_ProfilePanFrame(benchmark::State& state) {
    PanFrames<CProfileView>(state, static_cast<double>(state.range(0)));
}
BENCHMARK(BM_ProfilePanFrame)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

struct Sample {
    const char* file;
    const char* points;
    const char* alignment;
    const char* profile;
    const char* surface;
};

// From the loaded document: the model built and the three views painted once.
void OpenPreview(benchmark::State& state, const Sample& sample) {
    const std::filesystem::path path = bench::RealExport(sample.file);
    CDocumentBuffer document;
    CCatalogue catalogue;
    CScriptedUserInterface ui;
    if (path.empty() || document.Open(path.string()).status != OpenStatus::Opened) {
        state.SkipWithError(bench::CorpusMissing().c_str());
        return;
    }
    ScanDocument(document, catalogue, ui);
    ConversionSelections selections;
    const auto chosen = [](const char* name) {
        return *name ? std::optional<std::string>(name) : std::nullopt;
    };
    selections.pointGroup = chosen(sample.points);
    selections.alignment = chosen(sample.alignment);
    selections.profile = chosen(sample.profile);
    selections.surface = chosen(sample.surface);
    CPreviewWindow window;
    window.resize(kWidth, kHeight);
    window.show();
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("previewTabs"));
    QImage frame(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        window.SetModel(BuildPreview(selections, document, catalogue));
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->widget(tab)->render(&frame);
        }
        benchmark::DoNotOptimize(frame.constBits());
    }
}

void BM_OpenPreviewCorridor(benchmark::State& state) {
    OpenPreview(state, {"civil3d2014_gsg_corridors_crosssects.xml", "", "Basic_Road", "Layout (2)",
                        "Corridor Top"});
}
BENCHMARK(BM_OpenPreviewCorridor)->Unit(benchmark::kMillisecond);

void BM_OpenPreviewSpirals(benchmark::State& state) {
    OpenPreview(state, {"provi_bc001_alignments_spirals_bom.xml", "", "A50068A", "T50068A", ""});
}
BENCHMARK(BM_OpenPreviewSpirals)->Unit(benchmark::kMillisecond);

void BM_OpenPreviewSurvey(benchmark::State& state) {
    OpenPreview(state, {"civil3d2007_partridge_survey_cgpoints_lx11.xml", "fieldbook", "", "", ""});
}
BENCHMARK(BM_OpenPreviewSurvey)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
