#include "about/Reveal.h"

#include "tests/about/GridCanvas.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace lanternix {
namespace {

using test::GridCanvas;
using test::ScriptedRandom;

std::int32_t shaded(std::int32_t c) {
    return c - 256;
}

TEST(Reveal, ResetPicksTheModeEvenlyAndClearsOnlyItsOwnState) {
    Reveal r;
    ScriptedRandom rnd;
    rnd.script = {0.0, 0.3333, 0.3334, 0.6666, 0.6667, 0.999999};
    const int expected[] = {1, 1, 2, 2, 3, 3};
    r.SparkPos = {1, 2, 3, 4, 5, 6};
    for (int want : expected) {
        r.RevealStep = 17;
        for (auto& column : r.PixelDone)
            column.fill(-1);
        r.Reset(rnd);
        EXPECT_EQ(r.RevealMode, want);
        EXPECT_EQ(r.RevealStep, 0);
        for (const auto& column : r.PixelDone)
            for (auto mark : column)
                ASSERT_EQ(mark, 0);
    }
    EXPECT_EQ(rnd.draws, 6);
    EXPECT_EQ(r.SparkPos, (std::array<int, 6>{1, 2, 3, 4, 5, 6}));
}

TEST(Reveal, DripBuildsRowsAndStretchesTheNewestDown) {
    Reveal r;
    r.RevealMode = Reveal::Drip;
    GridCanvas c;
    ScriptedRandom rnd;

    // First tick: row 0 stretched over the whole box.
    EXPECT_TRUE(r.Tick(c, rnd));
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 64; ++y)
            ASSERT_EQ(c.at(x, y), GridCanvas::source(x, 0)) << x << "," << y;

    for (int k = 1; k < 64; ++k) {
        ASSERT_TRUE(r.Tick(c, rnd));
        ASSERT_EQ(r.RevealStep, k + 1);
        if (k != 10 && k != 63)
            continue;
        for (int x = 0; x < 64; ++x)
            for (int y = 0; y < 64; ++y)
                ASSERT_EQ(c.at(x, y), GridCanvas::source(x, y <= k ? y : k))
                    << "k " << k << " at " << x << "," << y;
    }
    EXPECT_EQ(c.pictureSets, 0);
    EXPECT_EQ(rnd.draws, 0);

    // The 65th tick reads row 64, past the logo, then ends with the logo as the picture.
    const auto before = c.writes.size();
    EXPECT_FALSE(r.Tick(c, rnd));
    EXPECT_EQ(c.pictureSets, 1);
    EXPECT_EQ(r.RevealStep, 65);
    for (auto i = before; i < c.writes.size(); ++i)
        EXPECT_EQ(c.writes[i].y, 64);
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 64; ++y)
            ASSERT_EQ(c.at(x, y), GridCanvas::source(x, y));
}

TEST(Reveal, SmearFloodsEachRowFirstThenWipesWithAShadedBand) {
    Reveal r;
    r.RevealMode = Reveal::Smear;
    GridCanvas c;
    ScriptedRandom rnd;

    EXPECT_TRUE(r.Tick(c, rnd));
    for (int y = 0; y < 64; ++y) {
        const auto left = GridCanvas::source(0, y);
        ASSERT_EQ(c.at(0, y), left);
        for (int x = 1; x <= 6; ++x)
            ASSERT_EQ(c.at(x, y), shaded(left));
        for (int x = 7; x < 64; ++x)
            ASSERT_EQ(c.at(x, y), left) << x << "," << y;
    }
    // Row 64 is past the logo: its colour is -1 there, and the band goes negative.
    EXPECT_EQ(c.at(3, 64), -257);

    for (int k = 1; k < 64; ++k) {
        ASSERT_TRUE(r.Tick(c, rnd));
        if (k != 20)
            continue;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x <= k; ++x)
                ASSERT_EQ(c.at(x, y), GridCanvas::source(x, y));
            for (int x = k + 1; x <= k + 6; ++x)
                ASSERT_EQ(c.at(x, y), shaded(GridCanvas::source(k, y)));
            for (int x = k + 7; x < 64; ++x)
                ASSERT_EQ(c.at(x, y), GridCanvas::source(0, y));
        }
    }
    EXPECT_EQ(c.pictureSets, 0);
    EXPECT_FALSE(r.Tick(c, rnd));
    EXPECT_EQ(c.pictureSets, 1);
    EXPECT_EQ(r.RevealStep, 65);
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 64; ++y)
            ASSERT_EQ(c.at(x, y), GridCanvas::source(x, y));
}

// After the drip or the smear has ended, a new click runs them with the step past the end:
// nothing inside the logo changes and the run never ends by itself.
TEST(Reveal, RestartedDripAndSmearDrawOnlyOutsideTheLogo) {
    for (int mode : {Reveal::Drip, Reveal::Smear}) {
        Reveal r;
        r.RevealMode = mode;
        GridCanvas c;
        ScriptedRandom rnd;
        while (r.Tick(c, rnd)) {
        }
        ASSERT_EQ(r.RevealStep, 65);
        c.writes.clear();
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(r.Tick(c, rnd));
            EXPECT_EQ(r.RevealStep, 66 + i);
        }
        ASSERT_FALSE(c.writes.empty());
        for (const auto& w : c.writes)
            EXPECT_TRUE(w.x > 63 || w.y > 63) << "mode " << mode << " " << w.x << "," << w.y;
        EXPECT_EQ(c.pictureSets, 1);
    }
}

TEST(Reveal, SparklesVisitEachPixelOnceAndEndByGivingUp) {
    Reveal r;
    r.RevealMode = Reveal::Sparkle;
    GridCanvas c;
    Random rnd(1234);

    std::set<std::pair<int, int>> visited;
    int ticks = 0;
    bool running = true;
    while (running) {
        const auto before = c.writes.size();
        running = r.Tick(c, rnd);
        ++ticks;
        ASSERT_LT(ticks, 10000);
        int sparks = 0;
        for (auto i = before; i < c.writes.size(); ++i) {
            const auto& w = c.writes[i];
            if (w.color != Reveal::SparkColor)
                continue;
            ++sparks;
            ASSERT_TRUE(w.x >= 0 && w.x < 64 && w.y >= 0 && w.y < 64);
            ASSERT_TRUE(visited.insert({w.x, w.y}).second) << "twice at " << w.x << "," << w.y;
            ASSERT_EQ(r.PixelDone[w.x][w.y], -1);
        }
        if (running) {
            // Three sparkles stand in colour -1 until the next tick.
            ASSERT_EQ(sparks, 3);
            for (int s = 0; s < 3; ++s)
                ASSERT_EQ(c.at(r.SparkPos[2 * s], r.SparkPos[2 * s + 1]), Reveal::SparkColor);
        }
    }
    // Most of the logo was revealed; the end left no sparkle standing and set no picture.
    EXPECT_GT(visited.size(), 3000u);
    EXPECT_EQ(c.pictureSets, 0);
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 64; ++y) {
            const bool seen = visited.count({x, y}) != 0;
            ASSERT_EQ(c.at(x, y), seen ? GridCanvas::source(x, y) : GridCanvas::Background);
            ASSERT_EQ(r.PixelDone[x][y], seen ? -1 : 0);
        }

    // A new click goes on from the marks; a reset lets every pixel be visited again.
    r.Reset(rnd);
    r.RevealMode = Reveal::Sparkle;
    EXPECT_TRUE(r.Tick(c, rnd));
}

TEST(Reveal, EachSparkleGivesUpAfterItsOwnLimitAndRestoresAllThree) {
    struct Case {
        int giver; // the sparkle that finds no pixel
        int limit;
    };
    for (const Case k : {Case{0, 4096}, Case{1, 4096}, Case{2, 5184}}) {
        Reveal r;
        r.RevealMode = Reveal::Sparkle;
        r.PixelDone[0][0] = -1; // the only pixel the endless draws land on
        r.SparkPos = {5, 6, 7, 8, 9, 10};
        GridCanvas c;
        c.target[7][8] = Reveal::SparkColor; // left standing by an earlier tick
        ScriptedRandom rnd;
        for (int s = 0; s < k.giver; ++s)
            rnd.aim(s + 1, s + 1);
        EXPECT_FALSE(r.Tick(c, rnd)) << k.giver;
        EXPECT_EQ(rnd.draws, 2L * k.giver + 2L * (k.limit + 1)) << k.giver;
        // The give-up leaves its last draw as the sparkle's place.
        EXPECT_EQ(r.SparkPos[2 * k.giver], 0);
        EXPECT_EQ(r.SparkPos[2 * k.giver + 1], 0);
        for (int s = 0; s < 3; ++s) {
            const int x = r.SparkPos[2 * s], y = r.SparkPos[2 * s + 1];
            EXPECT_EQ(c.at(x, y), GridCanvas::source(x, y)) << k.giver << " sparkle " << s;
        }
        EXPECT_EQ(c.at(7, 8), GridCanvas::source(7, 8));
        EXPECT_EQ(c.pictureSets, 0);
    }
}

} // namespace
} // namespace lanternix
