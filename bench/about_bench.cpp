// Each reveal tick must finish well inside the 10 ms timer interval. These time whole runs
// over the real picture boxes; the counters give the time per tick.
#include "about/PictureBoxCanvas.h"
#include "about/Random.h"
#include "about/Reveal.h"
#include "platform/PictureBox.h"

#include <QImage>

#include <benchmark/benchmark.h>

namespace {

using namespace lanternix;

QImage testLogo() {
    QImage img(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            img.setPixel(x, y, qRgb(x * 4, y * 4, (x + y) * 2));
    return img;
}

void run(benchmark::State& state, int mode) {
    PictureBox source(PictureBox::None);
    source.place(0, 0, 64, 64);
    source.setPicture(testLogo());
    PictureBox target(PictureBox::Fixed3D);
    target.place(0, 0, 68, 68);
    PictureBoxCanvas canvas(source, target);
    Random random(42);
    long ticks = 0;
    for (auto _ : state) {
        Reveal r;
        r.RevealMode = mode;
        while (r.Tick(canvas, random))
            ++ticks;
        ++ticks;
    }
    state.counters["ticks/run"] =
        benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kAvgIterations);
    state.counters["per_tick"] = benchmark::Counter(
        static_cast<double>(ticks), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_DripRun(benchmark::State& state) {
    run(state, Reveal::Drip);
}
void BM_SparkleRun(benchmark::State& state) {
    run(state, Reveal::Sparkle);
}
void BM_SmearRun(benchmark::State& state) {
    run(state, Reveal::Smear);
}

// The sparkle's last tick is its slowest: three sparkles of up to 4096, 4096 and 5184 draws.
void BM_SparkleGiveUpTick(benchmark::State& state) {
    PictureBox source(PictureBox::None);
    source.place(0, 0, 64, 64);
    PictureBox target(PictureBox::Fixed3D);
    target.place(0, 0, 68, 68);
    PictureBoxCanvas canvas(source, target);
    Random random(7);
    Reveal r;
    r.RevealMode = Reveal::Sparkle;
    for (auto& column : r.PixelDone)
        column.fill(-1);
    for (auto _ : state)
        benchmark::DoNotOptimize(r.Tick(canvas, random));
}

BENCHMARK(BM_DripRun)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SparkleRun)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmearRun)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SparkleGiveUpTick)->Unit(benchmark::kMicrosecond);

} // namespace
