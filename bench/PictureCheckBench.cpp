// The picture check of a 99-image project whose pictures all exist (a warm disk cache), beside
// the page of the same project; and of the same project whose every picture and link is a
// hostile 2 KB path that bounces in and out of folders before it gets there.
#include "html/HtmlGenerator.h"
#include "model/MenuTable.h"
#include "page/PictureCheck.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>

using namespace lanternix;
namespace fs = std::filesystem;

namespace {

// A site folder with a PNG of 149 x 48 pixels for every picture of the table.
struct Site {
    Site() {
        std::string pattern = (fs::temp_directory_path() / "lxp-bench-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        fs::create_directories(folder / "pics");
        const std::string png("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\0\x95\0\0\0\x30\x08\x06\0\0\0",
                              29);
        for (int n = 1; n <= MenuTable::MaxImages; ++n) {
            const std::string k = std::to_string(n);
            table.makeNewRecord(n);
            table.slot(n) = {
                imageKey(n), "pics/button" + k + ".png",         "pics/over" + k + ".png", "main",
                "Page " + k, "http://example.org/p" + k + ".htm"};
            for (const char* name : {"button", "over"})
                std::ofstream(folder / "pics" / (name + k + ".png"), std::ios::binary) << png;
        }
    }
    ~Site() { fs::remove_all(folder); }
    fs::path folder;
    MenuTable table;
};

void BM_CheckPictures99(benchmark::State& state) {
    const Site site;
    if (!checkPictures(site.table, site.folder.string()).empty())
        state.SkipWithError("the site has findings");
    for (auto _ : state)
        benchmark::DoNotOptimize(checkPictures(site.table, site.folder.string()));
}
BENCHMARK(BM_CheckPictures99)->Unit(benchmark::kMillisecond);

// Bounces through folders, %-escaped dots among them, until the path holds about 2 KB, then
// goes to the file: "x0/../x1/%2e%2e/x2/./../...".
std::string hostile(const std::string& to) {
    std::string path;
    for (int i = 0; path.size() + to.size() < 2048 - 16; ++i)
        path += "x" + std::to_string(i) + (i % 2 ? "/%2e%2e/" : "/./../");
    return path + to;
}

void BM_CheckHostilePaths99(benchmark::State& state) {
    Site site;
    for (int n = 1; n <= MenuTable::MaxImages; ++n) {
        MenuImage& m = site.table.slot(n);
        m.DefaultImage = hostile(*m.DefaultImage);
        m.OverImage = hostile(*m.OverImage);
        m.HyperLink = hostile("../p" + std::to_string(n) + ".htm"); // out of the page's folder
    }
    if (checkPictures(site.table, site.folder.string()).size() != MenuTable::MaxImages)
        state.SkipWithError("the links should be the only findings");
    for (auto _ : state)
        benchmark::DoNotOptimize(checkPictures(site.table, site.folder.string()));
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = double(usage.ru_maxrss) / 1024;
}
BENCHMARK(BM_CheckHostilePaths99)->Unit(benchmark::kMillisecond);

void BM_PageOfTheSame99(benchmark::State& state) {
    const Site site;
    for (auto _ : state)
        benchmark::DoNotOptimize(generateHtmlPage(site.table));
}
BENCHMARK(BM_PageOfTheSame99)->Unit(benchmark::kMillisecond);

} // namespace
