#include "about/Reveal.h"
#include "about/Random.h"
#include "about/RevealCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

namespace lanternix {
namespace {

// Reads a distinct colour per logo pixel (never 0; -1 outside); draws on a grid, all 0 at first,
// wider than they reach.
struct Grid : RevealCanvas {
    static std::int32_t src(int x, int y) {
        const bool in = x >= 0 && y >= 0 && x < 64 && y < 64;
        return in ? x * 3 + 1 + (y * 3 + 2) * 256 + (x + y) * 131072 : -1;
    }
    std::int32_t t[80][80]{};
    int pictureSets = 0;

    std::int32_t Point(float x, float y) override { return src(int(x), int(y)); }
    void PSet(float x, float y, std::int32_t c) override { Line(x, y, x, y, c); }
    void Line(float x1, float y1, float x2, float y2, std::int32_t c) override {
        ASSERT_TRUE(x1 == x2 || y1 == y2); // the effects draw only rows and columns
        for (int x = int(std::min(x1, x2)); x <= int(std::max(x1, x2)); ++x)
            for (int y = int(std::min(y1, y2)); y <= int(std::max(y1, y2)); ++y)
                t[x][y] = c;
    }
    void SetPictureFromSource() override {
        ++pictureSets;
        for (int i = 0; i < 64 * 64; ++i)
            t[i / 64][i % 64] = src(i / 64, i % 64);
    }
    // The first pixel up to (n, n) that differs from want, or "".
    std::string diff(const std::function<std::int32_t(int, int)>& want, int n = 64) const {
        for (int i = 0; i < (n + 1) * (n + 1); ++i)
            if (const int x = i / (n + 1), y = i % (n + 1); t[x][y] != want(x, y))
                return std::to_string(x) + "," + std::to_string(y);
        return "";
    }
};

// Hands out the scripted draws, then 0 for ever.
struct Scripted : Random {
    std::vector<double> script;
    long draws = 0;
    double Rnd() override { return ++draws <= long(script.size()) ? script[draws - 1] : 0.0; }
};

TEST(Reveal, ResetPicksTheModeEvenlyAndClearsOnlyItsOwnState) {
    Reveal r;
    Scripted rnd;
    rnd.script = {0.0, 0.3333, 0.3334, 0.6666, 0.6667, 0.999999};
    r.SparkPos = {1, 2, 3, 4, 5, 6};
    for (int want : {1, 1, 2, 2, 3, 3}) {
        r.RevealStep = 17;
        std::fill(&r.PixelDone[0][0], &r.PixelDone[0][0] + 65 * 65, -1);
        r.Reset(rnd);
        EXPECT_EQ(std::tuple(r.RevealMode, r.RevealStep, r.PixelDone == decltype(r.PixelDone){}),
                  std::tuple(want, 0, true));
    }
    EXPECT_EQ(std::pair(rnd.draws, r.SparkPos), std::pair(6L, std::array{1, 2, 3, 4, 5, 6}));
}

TEST(Reveal, DripAndSmearRevealTickByTickEndWithThePictureAndRunOnOutsideIt) {
    const std::pair<int, std::function<std::int32_t(int, int, int)>> cases[] = {
        // The drip stretches the newest row down over the rest.
        {Reveal::Drip, [](int k, int x, int y) { return Grid::src(x, std::min(y, k)); }},
        // The smear's first tick floods each row with its left pixel; a band of 6 shaded
        // pixels leads the wipe (past the logo -1 - 256).
        {Reveal::Smear, [](int k, int x, int y) {
             return x <= k ? Grid::src(x, y) : x <= k + 6 ? Grid::src(k, y) - 256 : Grid::src(0, y);
         }}};
    for (const auto& [mode, want] : cases) {
        Reveal r;
        r.RevealMode = mode;
        Grid c;
        Scripted rnd;
        for (int k = 0; k < 64; ++k) {
            ASSERT_TRUE(r.Tick(c, rnd));
            ASSERT_EQ(c.diff([&](int x, int y) { return want(k, x, y); }), "") << mode << " " << k;
        }
        // The 65th tick ends the run; clicked again, it runs on past the end, leaving the logo.
        EXPECT_EQ(
            (std::tuple{r.Tick(c, rnd), r.Tick(c, rnd), c.diff(Grid::src, 63), c.pictureSets}),
            std::tuple(false, true, "", 1))
            << mode;
    }
}

TEST(Reveal, SparklesVisitEachPixelOnceAndEachGivesUpAfterItsOwnLimitPuttingAllThreeBack) {
    Reveal r;
    r.RevealMode = Reveal::Sparkle;
    Grid c;
    Random rnd(1234);
    const auto marked = [p = &r.PixelDone[0][0]] { return std::count(p, p + 65 * 65, -1); };
    for (long before = 0; r.Tick(c, rnd); before = marked()) {
        // Three new pixels marked, each standing as a sparkle in colour -1 until the next tick.
        ASSERT_EQ(marked(), before + 3);
        for (int s = 0; s < 3; ++s)
            ASSERT_EQ(c.t[r.SparkPos[2 * s]][r.SparkPos[2 * s + 1]], Reveal::SparkColor);
    }
    // Most of the logo shows; the end left no sparkle standing and set no picture.
    EXPECT_GT(marked(), 3000);
    EXPECT_EQ(c.diff([&](int x, int y) { return r.PixelDone[x][y] ? Grid::src(x, y) : 0; }), "");
    EXPECT_EQ(c.pictureSets, 0);

    const int limits[] = {4096, 4096, 5184};
    for (int giver : {0, 1, 2}) {
        r.PixelDone = {};
        r.PixelDone[0][0] = -1; // where every unscripted draw lands
        r.SparkPos = {5, 6, 7, 8, 9, 10};
        c = Grid();
        c.SetPictureFromSource();
        c.t[7][8] = Reveal::SparkColor; // left standing by an earlier tick
        Scripted scripted;
        for (int s = 0; s < giver; ++s) // the sparkles before the giver find a pixel
            scripted.script.insert(scripted.script.end(), 2, (s + 1.5) / 64);
        // No sparkle left standing, no picture set. (Braces: the tick runs before the reads.)
        EXPECT_EQ(
            (std::tuple{r.Tick(c, scripted), scripted.draws, c.diff(Grid::src, 63), c.pictureSets}),
            std::tuple(false, 2L * giver + 2L * (limits[giver] + 1), "", 1))
            << giver;
    }
}

} // namespace
} // namespace lanternix
