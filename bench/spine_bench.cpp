// The docking tick in its steady state and the start of the main window, each beside a
// baseline measured in the same run.
#include "app/frmMain.h"
#include "editor/frmButton.h"
#include "model/Module1.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <spawn.h>
#include <sys/wait.h>

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t n) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

using namespace lanternix;

namespace {

void emptyTick() {
    benchmark::ClobberMemory();
}

void BM_EmptyTickLoop(benchmark::State& state) {
    for (auto _ : state)
        emptyTick();
}
BENCHMARK(BM_EmptyTickLoop);

void BM_TickSteadyState(benchmark::State& state) {
    Module1 module;
    test::FakePlatform platform;
    frmMain main(module, platform);
    main.Timer1->stop();
    main.show();
    main.Command2_Click();
    main.editor().show();
    QCoreApplication::processEvents();
    main.Timer1_Timer(); // reach the steady state
    const long before = allocations.load();
    for (auto _ : state)
        main.Timer1_Timer();
    state.counters["allocs_per_tick"] = benchmark::Counter(
        static_cast<double>(allocations.load() - before) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_TickSteadyState);

void BM_BareWindowStart(benchmark::State& state) {
    for (auto _ : state) {
        QWidget w;
        w.resize(304, 307);
        w.show();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_BareWindowStart)->Unit(benchmark::kMicrosecond);

void BM_MainWindowStart(benchmark::State& state) {
    for (auto _ : state) {
        Module1 module;
        test::FakePlatform platform;
        frmMain main(module, platform);
        main.show();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_MainWindowStart)->Unit(benchmark::kMicrosecond);

// A whole process from exec to its first shown window: this binary started again in child
// mode, so the toolkit's own start-up (fonts, platform plugin) is counted on both sides.
int runChild(bool withMainWindow, int argc, char** argv) {
    QApplication app(argc, argv);
    if (withMainWindow) {
        Module1 module;
        test::FakePlatform platform;
        frmMain main(module, platform);
        main.show();
        QCoreApplication::processEvents();
    } else {
        QWidget w;
        w.resize(304, 307);
        w.show();
        QCoreApplication::processEvents();
    }
    return 0;
}

void spawnSelf(benchmark::State& state, const char* mode) {
    char* args[] = {const_cast<char*>("/proc/self/exe"), const_cast<char*>(mode), nullptr};
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, args, environ) != 0) {
            state.SkipWithError("cannot start a child process");
            return;
        }
        int status = 0;
        waitpid(pid, &status, 0);
    }
}

void BM_ProcessStartBareWindow(benchmark::State& state) {
    spawnSelf(state, "--child-bare");
}
BENCHMARK(BM_ProcessStartBareWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ProcessStartMainWindow(benchmark::State& state) {
    spawnSelf(state, "--child-main");
}
BENCHMARK(BM_ProcessStartMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 2 && std::strcmp(argv[1], "--child-bare") == 0)
        return runChild(false, argc, argv);
    if (argc == 2 && std::strcmp(argv[1], "--child-main") == 0)
        return runChild(true, argc, argv);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
