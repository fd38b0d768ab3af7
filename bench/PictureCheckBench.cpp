// The picture check of a 99-image project whose pictures all exist (a warm disk cache), beside
// the page of the same project.
#include "html/HtmlGenerator.h"
#include "model/MenuTable.h"
#include "page/PictureCheck.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

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

void BM_PageOfTheSame99(benchmark::State& state) {
    const Site site;
    for (auto _ : state)
        benchmark::DoNotOptimize(generateHtmlPage(site.table));
}
BENCHMARK(BM_PageOfTheSame99)->Unit(benchmark::kMillisecond);

} // namespace
