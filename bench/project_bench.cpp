// The project file: encoding and decoding a full table, and Open of a 99-image file up to the
// rebuilt tree.
#include "app/frmMain.h"
#include "model/Module1.h"
#include "platform/TreeView.h"
#include "project/ProjectCodec.h"
#include "support/FakePlatform.h"

#include <QCoreApplication>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace lanternix;

namespace {

// 99 images whose records are nearly full, with a few characters beyond ASCII.
MenuTable fullTable() {
    MenuTable t;
    for (int n = 1; n <= MenuTable::MaxImages; ++n) {
        t.makeNewRecord(n);
        const std::string k = std::to_string(n);
        t.slot(n).DefaultImage = "img/button" + k + ".gif";
        t.slot(n).OverImage = "img/over" + k + ".gif";
        t.slot(n).Target = "main";
        t.slot(n).StatusText = "Caf\xC3\xA9 \xE2\x82\xAC " + k;
        t.slot(n).HyperLink = "pages/p" + k + ".htm";
    }
    return t;
}

void BM_EncodeFullTable(benchmark::State& state) {
    const MenuTable t = fullTable();
    for (auto _ : state) {
        Result<std::string> e = encodeProject(t);
        benchmark::DoNotOptimize(e->data());
    }
}
BENCHMARK(BM_EncodeFullTable)->Unit(benchmark::kMicrosecond);

void BM_DecodeFullTable(benchmark::State& state) {
    const std::string bytes = encodeProject(fullTable()).value();
    for (auto _ : state) {
        Result<DecodedProject> d = decodeProject(bytes);
        benchmark::DoNotOptimize(&d->table);
    }
}
BENCHMARK(BM_DecodeFullTable)->Unit(benchmark::kMicrosecond);

// Baseline for both: a plain copy of the same table, as many strings as decoding makes.
void BM_CopyFullTable(benchmark::State& state) {
    const MenuTable t = fullTable();
    for (auto _ : state) {
        MenuTable copy = t;
        benchmark::DoNotOptimize(&copy);
    }
}
BENCHMARK(BM_CopyFullTable)->Unit(benchmark::kMicrosecond);

// 99 images whose every text but the Name is at the 2048-byte limit, a few characters beyond
// the code page among them: the long-text block at its largest, about 1 MB.
MenuTable longestTable() {
    MenuTable t;
    for (int n = 1; n <= MenuTable::MaxImages; ++n) {
        t.makeNewRecord(n);
        for (Field* f : {&t.slot(n).DefaultImage, &t.slot(n).OverImage, &t.slot(n).Target,
                         &t.slot(n).StatusText, &t.slot(n).HyperLink})
            *f = "\xCE\xA9 " + std::string(MaxTextBytes - 3, 'a' + n % 26);
    }
    return t;
}

void BM_EncodeLongestTable(benchmark::State& state) {
    const MenuTable t = longestTable();
    for (auto _ : state) {
        Result<std::string> e = encodeProject(t);
        benchmark::DoNotOptimize(e->data());
    }
}
BENCHMARK(BM_EncodeLongestTable)->Unit(benchmark::kMicrosecond);

void BM_DecodeLongestTable(benchmark::State& state) {
    const std::string bytes = encodeProject(longestTable()).value();
    for (auto _ : state) {
        Result<DecodedProject> d = decodeProject(bytes);
        benchmark::DoNotOptimize(&d->table);
    }
}
BENCHMARK(BM_DecodeLongestTable)->Unit(benchmark::kMicrosecond);

// Baseline: a plain copy of the same file's bytes.
void BM_CopyLongestBytes(benchmark::State& state) {
    const std::string bytes = encodeProject(longestTable()).value();
    state.counters["bytes"] = static_cast<double>(bytes.size());
    for (auto _ : state) {
        std::string copy = bytes;
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_CopyLongestBytes)->Unit(benchmark::kMicrosecond);

class ProjectFileOnDisk {
public:
    ProjectFileOnDisk() {
        char name[] = "/tmp/lxp-bench-XXXXXX";
        const int fd = ::mkstemp(name);
        ::close(fd);
        path_ = name;
        const std::string bytes = encodeProject(fullTable()).value();
        std::ofstream(path_, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    ProjectFileOnDisk(const ProjectFileOnDisk&) = delete;
    ProjectFileOnDisk& operator=(const ProjectFileOnDisk&) = delete;
    ~ProjectFileOnDisk() { std::remove(path_.c_str()); }
    QString path() const { return QString::fromStdString(path_); }

private:
    std::string path_;
};

// The command itself: read, decode, replace the table, rebuild the tree, empty the editor.
// With argument 1, also the events that follow, until the rebuilt tree is on screen.
void BM_OpenProject99(benchmark::State& state) {
    const bool untilShown = state.range(0) != 0;
    ProjectFileOnDisk file;
    Module1 module;
    test::FakePlatform platform;
    frmMain main(module, platform);
    main.Timer1->stop();
    main.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        platform.fileAnswers.push_back(file.path());
        main.Command3_Click(1);
        if (untilShown)
            QCoreApplication::processEvents();
    }
    if (main.List1->Nodes().Count() != 100 || platform.log.contains("message"))
        state.SkipWithError("the project did not open");
}
BENCHMARK(BM_OpenProject99)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
