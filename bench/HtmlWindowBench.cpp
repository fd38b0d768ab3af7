// From the click on the overlay to the painted code box, for the page of a full table.
#include "html/GenerateHtml.h"
#include "html/frmHTML.h"
#include "model/MenuTable.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include <string>

using namespace lanternix;

namespace {

// 99 linked mouse-over buttons with their five texts at the file's limit (66 bytes in slots
// 1-9, 65 in slots 10-99).
MenuTable fullTable() {
    MenuTable t;
    for (int n = 1; n <= MenuTable::MaxImages; ++n) {
        const std::size_t status = n < 10 ? 14 : 13;
        t.slot(n) = MenuImage{imageKey(n),          std::string(14, 'd'),     std::string(14, 'o'),
                              std::string(10, 't'), std::string(status, 's'), std::string(14, 'h')};
    }
    return t;
}

void BM_OverlayClickToFilledCodeBox(benchmark::State& state) {
    const MenuTable table = fullTable();
    test::FakePlatform platform;
    QWidget main;
    QPlainTextEdit Html1(&main);
    frmHTML w(
        main, [&](QWidget* parent) { return GenerateHtml(table, Html1, platform, parent); }, Html1,
        [](QWidget*) {});
    w.show();
    QApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        w.Form_Activate(); // empty box, overlay showing
        w.repaint();
        state.ResumeTiming();
        w.Text2_Click();
        w.repaint();
    }
    if (w.Text1->toPlainText().size() < 40000)
        state.SkipWithError("the code box was not filled");
}
BENCHMARK(BM_OverlayClickToFilledCodeBox)->Unit(benchmark::kMillisecond);

} // namespace
