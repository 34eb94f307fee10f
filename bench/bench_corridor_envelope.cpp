// The corridor envelope ("Corridor Top") of one section against the number of
// points: two shapes of 1,000 to 100,000 points each, and 1 to 32 shapes of
// 1,000 points each. Google Benchmark fits the growth (BigO) over the sizes.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "xsection/CorridorEnvelope.h"

namespace {

using namespace chainforge;

constexpr double kHalfWidth = 50.0;
constexpr int kPointsPerWave = 20;

// Shape `index` of `count`: offsets across the width, shifted by a fraction of
// the spacing per shape so that no two shapes share an offset; a crowned
// surface with a small wave whose phase differs per shape, so that shapes
// cross each other every few points; every other shape is closed, its
// closing edge running beneath the whole width.
CorridorShape WavyShape(int index, int count, int points) {
    const double spacing = 2.0 * kHalfWidth / points;
    const double shift = static_cast<double>(index) / count;
    const double phase = 2.0 * std::numbers::pi * shift;
    CorridorShape shape;
    shape.closed = index % 2 == 0;
    shape.points.reserve(points);
    for (int i = 0; i < points; ++i) {
        const double offset = -kHalfWidth + (i + shift) * spacing;
        const double wave = std::sin(2.0 * std::numbers::pi * i / kPointsPerWave + phase);
        shape.points.push_back({offset, 100.0 - 0.02 * std::abs(offset) + 0.05 * wave});
    }
    return shape;
}

std::vector<CorridorShape> Section(int count, int points) {
    std::vector<CorridorShape> shapes;
    for (int s = 0; s < count; ++s) {
        shapes.push_back(WavyShape(s, count, points));
    }
    return shapes;
}

void Envelope(benchmark::State& state, int count, int points) {
    const std::vector<CorridorShape> shapes = Section(count, points);
    std::size_t outline = 0;
    for (auto _ : state) {
        const std::vector<SectionPoint> surface = FinishedSurface(shapes);
        outline = surface.size();
        benchmark::DoNotOptimize(surface.data());
    }
    state.SetComplexityN(static_cast<benchmark::IterationCount>(count) * points);
    state.counters["outline points"] = static_cast<double>(outline);
}

// Two shapes of state.range(0) points each.
void BM_EnvelopeTwoShapes(benchmark::State& state) {
    Envelope(state, 2, static_cast<int>(state.range(0)));
}

// state.range(0) shapes of 1,000 points each.
void BM_EnvelopeShapes(benchmark::State& state) {
    Envelope(state, static_cast<int>(state.range(0)), 1000);
}

BENCHMARK(BM_EnvelopeTwoShapes)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Arg(8000)
    ->Arg(16000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_EnvelopeShapes)
    ->RangeMultiplier(2)
    ->Range(1, 32)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace

BENCHMARK_MAIN();
