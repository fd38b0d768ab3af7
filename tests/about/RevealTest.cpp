#include "about/Reveal.h"
#include "about/PictureBoxCanvas.h"
#include "about/Random.h"
#include "about/frmAbout.h"
#include "platform/LinkLabel.h"
#include "platform/PictureBox.h"
#include "support/Controls.h"
#include "support/GoldenPicture.h"

#include <QPainter>

namespace lanternix {
namespace {

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

// Each effect in the About box's own picture box, side by side after the ticks given: the drip
// and the smear tick by tick to their end, where the logo is set, and on past it when clicked
// again; the sparkles from a fixed seed, each standing white until the next tick puts the logo
// back, to the end where none is left standing.
TEST(Reveal, EachEffectTickByTick) {
    test::FakePlatform platform;
    frmAbout box(QIcon(), platform);
    box.Image1->hide(); // as the click that starts an effect does
    const std::pair<Reveal::Mode, std::vector<int>> runs[] = {
        {Reveal::Drip, {1, 2, 40, 64, 65, 66}},
        {Reveal::Smear, {1, 2, 40, 64, 65, 66}},
        {Reveal::Sparkle, {1, 2, 200, 1000, 1500}}};
    for (const auto& [mode, ticks] : runs) {
        box.picIcon->setPicture(QImage()); // a fresh box: the background alone
        box.reveal().Reset(box.random());
        box.reveal().RevealMode = mode;
        box.random().Randomize(1234);
        QImage strip(68 * int(ticks.size()), 68, QImage::Format_RGB32);
        QPainter p(&strip);
        int done = 0;
        for (std::size_t i = 0; i < ticks.size(); ++i) {
            for (; done < ticks[i]; ++done)
                box.Timer1_Timer();
            p.drawPixmap(68 * int(i), 0, box.picIcon->grab());
        }
        p.end();
        QLabel shown;
        shown.setPixmap(QPixmap::fromImage(strip));
        shown.resize(strip.size());
        EXPECT_TRUE(test::looksLike("reveal-" + std::to_string(mode), shown));
        EXPECT_EQ(box.Timer1->isActive(), false); // never started: ticks driven by hand
    }
}

TEST(Reveal, EachSparkleGivesUpAfterItsOwnLimitPuttingAllThreeBack) {
    const int limits[] = {4096, 4096, 5184};
    test::FakePlatform platform;
    frmAbout box(QIcon(), platform);
    PictureBoxCanvas canvas(*box.Picture1, *box.picIcon);
    for (int giver : {0, 1, 2}) {
        Reveal r;
        r.RevealMode = Reveal::Sparkle;
        r.PixelDone[0][0] = -1; // where every unscripted draw lands
        r.SparkPos = {5, 6, 7, 8, 9, 10};
        box.picIcon->setPicture(box.Picture1->Picture());
        box.picIcon->PSet(7, 8, Reveal::SparkColor); // left standing by an earlier tick
        Scripted scripted;
        for (int s = 0; s < giver; ++s) // the sparkles before the giver find a pixel
            scripted.script.insert(scripted.script.end(), 2, (s + 1.5) / 64);
        EXPECT_FALSE(r.Tick(canvas, scripted));
        // No sparkle left standing.
        EXPECT_EQ(std::pair(scripted.draws, box.picIcon->surface() == box.Picture1->surface()),
                  std::pair(2L * giver + 2L * (limits[giver] + 1), true))
            << giver;
    }
}

} // namespace
} // namespace lanternix
