// The ending's film on the virtual clock: its steps phase by phase, the page turns, the pacing,
// the closing clip, the fade and the return to the title's main menu.
#include "ending_support.h"
#include <vector>

namespace {

// The ending's own state, for checking that a frame changed nothing of it.
struct FilmState {
    int16_t blink, hold, smoke, pose, hand, alpha, phase;
    uint8_t closePlayed;
    bool operator==(const FilmState&) const = default;
};

FilmState Snapshot(const CEnding& e) {
    return {e.blinkStep, e.holdStep,  e.smokeFrame, e.charFrame,
            e.handFrame, e.fadeAlpha, e.endPhase,   e.closePlayed};
}

} // namespace

// Every step of the film, with the counters each leaves behind and the steps that turn a page.
TEST_F(EndingTest, FilmRunsSixtySevenStepsOfWhichThirtyFourTurnAPage) {
    ASSERT_NE(StartEnding(), nullptr);
    std::vector<int> stepsIn(12), turnsIn(12);
    std::vector<int16_t> smoke, poses, hands, posesWithHand;
    int steps = 0;
    while (Ending() && steps < 100) {
        const CEnding& e = *Ending();
        const int16_t phase = e.endPhase;
        ASSERT_GE(phase, 0);
        ASSERT_LE(phase, 11);
        const int pagesBefore = Plays("page.ogg");
        Common().flipAnim = 0; // a page turn asks for a forward flip only when none runs
        Common().turnFrame = 0;
        StepFrame();
        ++steps;
        ++stepsIn[phase];
        const int turned = Plays("page.ogg") - pagesBefore;
        ASSERT_LE(turned, 1);
        turnsIn[phase] += turned;
        EXPECT_EQ(Common().flipAnim, turned) << "step " << steps;
        if (!Ending()) break;
        if (phase == 0) smoke.push_back(Ending()->smokeFrame);
        if (phase == 2) poses.push_back(Ending()->charFrame);
        if (phase == 3) hands.push_back(Ending()->handFrame);
        if (phase == 4) {
            hands.push_back(Ending()->handFrame);
            posesWithHand.push_back(Ending()->charFrame);
        }
    }
    EXPECT_EQ(steps, kFilmSteps);
    EXPECT_EQ(stepsIn, std::vector<int>(std::begin(kPhaseSteps), std::end(kPhaseSteps)));
    EXPECT_EQ(turnsIn, (std::vector<int>{7, 2, 19, 0, 0, 1, 1, 1, 1, 1, 1, 0}));
    EXPECT_EQ(Plays("page.ogg"), 34);

    EXPECT_EQ(smoke, (std::vector<int16_t>{1, 2, 3, 4, 5, 6, 6}));
    // Two blinks (char2 on the third and sixth step), the pose on to char11, three held steps.
    EXPECT_EQ(poses,
              (std::vector<int16_t>{0, 0, 1, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10, 10, 10, 10}));
    EXPECT_EQ(hands, (std::vector<int16_t>{1, 2, 3, 3, 4, 5, 5}));
    EXPECT_EQ(posesWithHand, (std::vector<int16_t>{11, 12, 12}));
    EXPECT_EQ(SceneManager::Instance().sceneNumber, 0);
}

// A step needs strictly more than 200 ms; the frames in between change nothing of the film and
// only the book's page-turn picture moves on.
TEST_F(EndingTest, FramesBetweenStepsOnlyRedraw) {
    CEnding* e = StartEnding();
    ASSERT_NE(e, nullptr);
    headless::AdvanceClock(CEnding::kStepMs);
    RunFrame();
    EXPECT_EQ(e->smokeFrame, 0) << "a step at exactly 200 ms";
    headless::AdvanceClock(1);
    Common().flipAnim = 0;
    Common().turnFrame = 0;
    Common().turnTick = 0; // the book steps its flip in the step's own frame
    RunFrame();
    ASSERT_EQ(e->smokeFrame, 1);
    const uint32_t stepTick = e->stepTick;
    EXPECT_EQ(stepTick, GetTickCount());

    // The flip asked for by the step plays out over the following frames; the film stands.
    const FilmState before = Snapshot(*e);
    const size_t plays = headless::PlayLog().size();
    std::vector<int32_t> turnFrames;
    for (int i = 0; i < 3; ++i) {
        headless::AdvanceClock(51);
        RunFrame();
        EXPECT_EQ(Snapshot(*e), before);
        turnFrames.push_back(Common().turnFrame);
    }
    EXPECT_EQ(e->stepTick, stepTick);
    EXPECT_EQ(headless::PlayLog().size(), plays);
    EXPECT_EQ(turnFrames, (std::vector<int32_t>{2, 3, 0})) << "UpdateBook ran every frame";

    // Once the flip is over, a frame between steps draws exactly what the last one drew.
    headless::AdvanceClock(20);
    headless::RecordDraws(true);
    RunFrame();
    const std::vector<headless::DrawRecord> first = headless::DrawLog();
    headless::RecordDraws(true);
    headless::AdvanceClock(20);
    RunFrame();
    const std::vector<headless::DrawRecord>& second = headless::DrawLog();
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].texture, second[i].texture);
        EXPECT_EQ(first[i].x, second[i].x);
        EXPECT_EQ(first[i].y, second[i].y);
    }
    headless::RecordDraws(false);
}

// The closing clip starts on the first step of the fade, once, however many steps follow; the
// step that finds 30 leaves for the title's main menu, which opens without the splash.
TEST_F(EndingTest, ClosingClipStartsOnceAndTheFilmEndsAtTheMainMenu) {
    CEnding* e = StartEnding();
    ASSERT_NE(e, nullptr);
    ASSERT_EQ(Common().introDone, 0);
    for (int i = 0; i < kFilmSteps - kPhaseSteps[11]; ++i)
        StepFrame();
    ASSERT_EQ(e->endPhase, 11);
    EXPECT_EQ(e->closePlayed, 0);
    EXPECT_EQ(Plays("close.ogg"), 0);

    StepFrame();
    EXPECT_EQ(e->closePlayed, 1);
    ASSERT_EQ(Plays("close.ogg"), 1);
    EXPECT_FALSE(headless::PlayLog().back().loop);
    for (int i = 1; i < kPhaseSteps[11] - 1; ++i) {
        StepFrame();
        ASSERT_EQ(Ending(), e);
    }
    EXPECT_EQ(e->fadeAlpha, CEnding::kFadeTo);
    EXPECT_EQ(Plays("close.ogg"), 1);

    StepFrame();
    EXPECT_EQ(SceneManager::Instance().sceneNumber, 0);
    auto* title = dynamic_cast<CStage_Title*>(SceneManager::Instance().current);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(Common().introDone, 1);
    EXPECT_EQ(Common().titlePhase, 1) << "the title's first Update opened its menu";
    EXPECT_EQ(title->menuAlpha, 255);
    bool looped = false;
    for (const headless::PlayRecord& r : headless::PlayLog())
        if (r.path.find("menu.ogg") != std::string::npos) looped = r.loop;
    EXPECT_TRUE(looped) << "the menu music plays again";
    EXPECT_EQ(Plays("close.ogg"), 1);

    // A new ending starts from its first picture again.
    CEnding* again = StartEnding();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(Snapshot(*again), (FilmState{0, 0, 0, 0, 0, 255, 0, 0}));
}

// The film reads no keys: Escape and the page keys change nothing.
TEST_F(EndingTest, KeysDoNotSkipOrTurnTheFilm) {
    CEnding* e = StartEnding();
    ASSERT_NE(e, nullptr);
    Common().flipAnim = 0;
    for (int code : {DIK_ESCAPE, DIK_RETURN, DIK_RIGHT, DIK_LEFT, DIK_SPACE}) {
        headless::SetKey(code, true);
        headless::AdvanceClock(10);
        RunFrame();
        headless::SetKey(code, false);
        RunFrame();
    }
    EXPECT_EQ(Ending(), e);
    EXPECT_EQ(e->smokeFrame, 0);
    EXPECT_EQ(Common().flipAnim, 0);
    EXPECT_EQ(Plays("page.ogg"), 0);
}

// Past its last phase the film neither steps nor draws more than the turn picture.
TEST_F(EndingTest, PhaseBeyondTheLastRunsNoStep) {
    CEnding* e = StartEnding();
    ASSERT_NE(e, nullptr);
    e->endPhase = 12;
    headless::RecordDraws(true);
    StepFrame();
    StepFrame();
    EXPECT_EQ(Ending(), e);
    EXPECT_EQ(e->endPhase, 12);
    EXPECT_EQ(Plays("page.ogg") + Plays("close.ogg"), 0);
    EXPECT_TRUE(headless::DrawLog().empty()); // no flip runs, so not even the turn picture
    headless::RecordDraws(false);
}

// Init starts the film afresh whatever the object held: an ending shown a second time plays its
// closing clip again.
TEST_F(EndingTest, InitStartsTheFilmAfreshOnAUsedEnding) {
    CEnding e;
    e.window = window;
    e.blinkStep = 3, e.holdStep = 2, e.smokeFrame = 6, e.charFrame = 15, e.handFrame = 5;
    e.fadeAlpha = CEnding::kFadeTo, e.endPhase = CEnding::kLastPhase, e.closePlayed = 1;
    e.Init();
    EXPECT_EQ(Snapshot(e), (FilmState{0, 0, 0, 0, 0, CEnding::kFadeFrom, 0, 0}));
    e.Release();
}
