// The frame loop's pacing on the virtual clock: Update about every millisecond, pictures at the
// display's rate, and the animations paced at 10 ms taking their time (11 ms a step) within a
// fifth, whatever the display's rate.
#include "services/CCommon.h"
#include "title_support.h"
#include <cmath>

namespace {

// The game's own loop, passes until done() or the time limit (virtual milliseconds). Answers the
// time it took.
template <class Done> uint32_t LoopUntil(Done done, uint32_t limitMs = 5000) {
    FramePacer pacer;
    const uint32_t start = GetTickCount();
    while (!done() && GetTickCount() - start < limitMs)
        if (!LoopPass(pacer)) break;
    return GetTickCount() - start;
}

// Steps paced by "more than 10 ms" take 11 ms each on a millisecond clock.
constexpr uint32_t kTenMsStep = 11;

void ExpectWithinAFifth(uint32_t tookMs, uint32_t steps, const char* what) {
    const double want = steps * kTenMsStep;
    EXPECT_LE(std::fabs(tookMs - want), 0.2 * want)
        << what << " took " << tookMs << " ms; " << steps << " steps should take " << want;
}

using PacingTest = TitleTest;

} // namespace

TEST(FramePacerTest, SixtyPicturesASecondAndTheBeatRestartsAfterAStall) {
    FramePacer pacer;
    int pictures = 0;
    for (int ms = 0; ms < 1000; ++ms)
        pictures += pacer.RenderDue(ms);
    EXPECT_EQ(pictures, 60);

    // After a stall of half a second one picture is drawn, not the thirty that were missed.
    pictures = 0;
    for (int ms = 1500; ms < 1520; ++ms)
        pictures += pacer.RenderDue(ms);
    EXPECT_EQ(pictures, 2);
}

TEST_F(PacingTest, MenuBarIsDrawnInAndTheItemsFadeInTheirTime) {
    Common().titlePhase = 9;
    Title()->titleTick = GetTickCount();
    const uint32_t reveal = LoopUntil([] { return Common().titlePhase != 9; });
    ExpectWithinAFifth(reveal, 41, "the menu bar's reveal"); // 40 widenings of 20, then on
    const uint32_t fade = LoopUntil([] { return Common().introDone != 0; });
    ExpectWithinAFifth(fade, 85, "the menu items' fade"); // 84 steps of 3 to 252, then on
}

TEST_F(PacingTest, HelpPageIsDrawnInAndTornAwayInItsTime) {
    OpenMenu();
    Common().titlePhase = 3;
    Title()->titleTick = GetTickCount();
    const uint32_t drawIn = LoopUntil([] { return Title()->helpPageStep != 0; });
    ExpectWithinAFifth(drawIn, 41, "help page 1's draw-in");
    Title()->helpPageStep = 2;
    const uint32_t tear = LoopUntil([] { return Title()->helpPageStep != 2; });
    ExpectWithinAFifth(tear, 41, "help page 1's tearing away");
}

TEST_F(PacingTest, HelpPanelSlidesInItsTime) {
    SceneManager::Instance().ChangeStage(1); // a scene that runs the book's animations
    Common().helpStep = 1;
    Common().helpTick = GetTickCount();
    const uint32_t open = LoopUntil([] { return Common().helpStep == 3; });
    ExpectWithinAFifth(open, 27, "the help panel's opening"); // 12 tab frames, 13 slides, 2 turns
    Common().helpStep = 4;
    const uint32_t close = LoopUntil([] { return Common().helpStep == 0; });
    ExpectWithinAFifth(close, 27, "the help panel's closing");
}
