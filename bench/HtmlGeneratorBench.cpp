#include "html/HtmlGenerator.h"
#include "model/MenuTable.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

using namespace lanternix;

namespace {

// Fills one text to exactly n bytes.
std::string filled(char c, std::size_t n) {
    return std::string(n, c);
}

// 99 images, all linked mouse-over buttons, each with its five texts at the file's limit:
// 66 bytes together in slots 1-9, 65 in slots 10-99 (the longer Name takes the byte).
MenuTable fullTable() {
    MenuTable t;
    for (int n = 1; n <= MenuTable::MaxImages; ++n) {
        const std::size_t status = n < 10 ? 14 : 13;
        t.slot(n) = MenuImage{imageKey(n),     filled('d', 14),     filled('o', 14),
                              filled('t', 10), filled('s', status), filled('h', 14)};
    }
    return t;
}

const MenuTable& table() {
    static const MenuTable t = fullTable();
    return t;
}

void BM_GenerateFullPage(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        Result<std::string> page = generateHtmlPage(table());
        bytes = page->size();
        benchmark::DoNotOptimize(page->data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["page_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_GenerateFullPage);

// The yardstick: a copy of as many bytes as the page has, into a fresh string each time as
// the generator must make one.
void BM_CopyPageBytes(benchmark::State& state) {
    const std::string source = generateHtmlPage(table()).value();
    for (auto _ : state) {
        std::string copy(source.size(), '\0');
        std::memcpy(copy.data(), source.data(), source.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}
BENCHMARK(BM_CopyPageBytes);

} // namespace
