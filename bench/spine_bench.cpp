// The docking tick in its steady state and the start of the main window, each beside a
// baseline measured in the same run. Offscreen unless QT_QPA_PLATFORM says otherwise; with
// QT_QPA_PLATFORM=xcb on an X display (xvfb-run) the tick asks the X server where the main
// window is; offscreen it reads the toolkit's copy.
#include "app/frmMain.h"
#include "editor/frmButton.h"
#include "model/Module1.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QTimer>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

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

// Processes events until the window is on the screen: it is painted as its exposure arrives.
void waitUntilShown(const QWidget& w) {
    QElapsedTimer t;
    t.start();
    while (!w.windowHandle()->isExposed() && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

void BM_TickSteadyState(benchmark::State& state) {
    Module1 module;
    test::FakePlatform platform;
    frmMain main(module, platform);
    main.Timer1->stop();
    main.show();
    main.Command2_Click();
    waitUntilShown(main);
    main.Timer1_Timer(); // shows the editor
    waitUntilShown(main.editor());
    main.Timer1_Timer(); // reach the steady state
    state.SetLabel(main.windowPositions().asksServer() ? "X server" : "toolkit");
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
        waitUntilShown(w);
    }
}
BENCHMARK(BM_BareWindowStart)->Unit(benchmark::kMicrosecond);

void BM_MainWindowStart(benchmark::State& state) {
    for (auto _ : state) {
        Module1 module;
        test::FakePlatform platform;
        frmMain main(module, platform);
        main.show();
        waitUntilShown(main);
    }
}
BENCHMARK(BM_MainWindowStart)->Unit(benchmark::kMicrosecond);

// A whole process from exec to its first shown window: this binary started again in child
// mode, so the toolkit's own start-up (fonts, platform plugin) is counted on both sides. The
// child writes a byte to the pipe it is given once its window is on the screen; its exit
// is not timed.
int runChild(bool withMainWindow, int readyFd, int argc, char** argv) {
    QApplication app(argc, argv);
    Module1 module;
    test::FakePlatform platform;
    std::unique_ptr<QWidget> window;
    if (withMainWindow) {
        QFont font(QStringLiteral("Arial")); // as the program's main() sets it
        font.setPointSize(8);
        QApplication::setFont(font);
        window = std::make_unique<frmMain>(module, platform);
    } else {
        window = std::make_unique<QWidget>();
        window->resize(304, 307);
    }
    window->show();
    waitUntilShown(*window);
    return write(readyFd, "!", 1) == 1 ? 0 : 1;
}

void spawnSelf(benchmark::State& state, const char* mode) {
    for (auto _ : state) {
        int ready[2];
        if (pipe(ready) != 0) {
            state.SkipWithError("no pipe");
            return;
        }
        std::string fd = std::to_string(ready[1]);
        char* args[] = {const_cast<char*>("/proc/self/exe"), const_cast<char*>(mode), fd.data(),
                        nullptr};
        const auto started = std::chrono::steady_clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, args, environ) != 0) {
            state.SkipWithError("cannot start a child process");
            return;
        }
        close(ready[1]);
        char byte = 0;
        const bool shown = read(ready[0], &byte, 1) == 1;
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
        close(ready[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        if (!shown) {
            state.SkipWithError("the child showed no window");
            return;
        }
    }
}

void BM_ProcessStartBareWindow(benchmark::State& state) {
    spawnSelf(state, "--child-bare");
}
BENCHMARK(BM_ProcessStartBareWindow)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_ProcessStartMainWindow(benchmark::State& state) {
    spawnSelf(state, "--child-main");
}
BENCHMARK(BM_ProcessStartMainWindow)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::strncmp(argv[1], "--child-", 8) == 0) {
        int one = 1;
        return runChild(std::strcmp(argv[1], "--child-main") == 0, std::atoi(argv[2]), one, argv);
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
