// The title's flow on the virtual clock: splash timings, keys, the menu, the opening film,
// help pages, credits, quit, and returning to the title.
#include "services/InventoryBag.h"
#include "title_support.h"
#include <algorithm>
#include <utility>
#include <vector>

namespace {

struct SplashState {
    int32_t phase, logoA, logoB, barReveal, menuAlpha;
    bool operator==(const SplashState&) const = default;
};

SplashState Snapshot() {
    const CStage_Title* t = TitleTest::Title();
    return {CCommon::Instance().titlePhase, t->logoFrameA, t->logoFrameB, t->menuBarReveal,
            t->menuAlpha};
}

// How long each splash phase waits between its steps.
constexpr uint32_t kSplashStepMs[] = {4000, 100, 1000, 100, 2000, 100, 2000, 100, 1000, 10, 10};

} // namespace

// Every splash step waits strictly longer than its duration; the logos count 0..6 forwards and
// back, the tear clip plays once in each of the three tearing phases, the bar is drawn in to
// 800 and the items fade to 252, then the menu takes over.
TEST_F(TitleTest, SplashRunsEveryPhaseOnItsOwnClock) {
    Common().flipAnim = 1; // the end of the splash clears it
    std::vector<SplashState> steps;
    std::vector<std::pair<int32_t, uint8_t>> tearByPhase;
    while (Common().introDone == 0 && steps.size() < 400) {
        const int32_t phase = Common().titlePhase;
        ASSERT_GE(phase, 0);
        ASSERT_LT(phase, 11);
        const SplashState before = Snapshot();
        AdvanceAndFrame(kSplashStepMs[phase]);
        ASSERT_EQ(Snapshot(), before) << "phase " << phase << " stepped at exactly its duration";
        tearByPhase.emplace_back(phase, Common().tearSoundOn);
        if (phase == 9) {
            EXPECT_EQ(Title()->menuBarRect.right, Title()->menuBarReveal);
            EXPECT_EQ(Title()->menuBarRect.bottom, 600);
        }
        AdvanceAndFrame(1);
        if (Common().introDone) break;
        steps.push_back(Snapshot());
        ASSERT_FALSE(steps.back() == before) << "phase " << phase << " did not step 1 ms later";
    }
    ASSERT_EQ(Common().introDone, 1);

    // The narrative of the splash, step by step.
    std::vector<SplashState> expected;
    SplashState s{0, 0, 0, 0, 0};
    auto push = [&] { expected.push_back(s); };
    s.phase = 1, push();
    for (s.logoA = 1; s.logoA <= 6; ++s.logoA)
        push();
    s.logoA = 6, s.phase = 2, push();
    s.phase = 3, push();
    for (s.logoA = 5; s.logoA >= 0; --s.logoA)
        push();
    s.logoA = 0, s.phase = 4, push();
    s.phase = 5, push();
    for (s.logoB = 1; s.logoB <= 6; ++s.logoB)
        push();
    s.logoB = 6, s.phase = 6, push();
    s.phase = 7, push();
    for (s.logoB = 5; s.logoB >= 0; --s.logoB)
        push();
    s.logoB = 0, s.phase = 8, push();
    s.phase = 9, push();
    for (s.barReveal = 20; s.barReveal <= 800; s.barReveal += 20)
        push();
    s.barReveal = 800, s.phase = 10, push();
    for (s.menuAlpha = 3; s.menuAlpha <= 252; s.menuAlpha += 3)
        push();
    EXPECT_EQ(steps, expected);

    EXPECT_EQ(Common().titlePhase, 0);
    EXPECT_EQ(Common().flipAnim, 0);
    EXPECT_EQ(Title()->menuAlpha, 252);
    EXPECT_EQ(PlayCount("tear.ogg"), 3);
    for (auto [phase, tearOn] : tearByPhase) {
        if (phase == 3 || phase == 7 || phase == 9) {
            EXPECT_EQ(tearOn, 1) << "phase " << phase;
        } else if (phase == 4 || phase == 8 || phase == 10) {
            EXPECT_EQ(tearOn, 0) << "phase " << phase;
        }
    }

    Frame(); // menu phase 0 -> 1 at full alpha
    EXPECT_EQ(Common().titlePhase, 1);
    EXPECT_EQ(Title()->menuAlpha, 255);
}

TEST_F(TitleTest, MenuMusicStartsOnceLoopingOnTheFirstFrame) {
    EXPECT_EQ(PlayCount("menu.ogg"), 0);
    for (int i = 0; i < 5; ++i)
        AdvanceAndFrame(7);
    bool looped = false;
    EXPECT_EQ(PlayCount("menu.ogg", &looped), 1);
    EXPECT_TRUE(looped);
    EXPECT_TRUE(Title()->menuMusic.IsPlaying());
}

// Escape or Return skip the splash from any phase: the menu shows on the next frame at full
// alpha. Only while the game window is active.
TEST_F(TitleTest, EscapeAndReturnSkipTheSplashToTheMenu) {
    AdvanceAndFrame(4001);
    AdvanceAndFrame(101);
    ASSERT_EQ(Common().titlePhase, 1);

    headless::SetActive(false);
    TapKey(DIK_ESCAPE);
    TapKey(DIK_RETURN);
    EXPECT_EQ(Common().introDone, 0) << "keys counted while another window had the focus";
    headless::SetActive(true);

    headless::SetKey(DIK_ESCAPE, true);
    Frame();
    EXPECT_EQ(Common().introDone, 1);
    EXPECT_EQ(Common().titlePhase, 0);
    Frame(); // still held: Held, not Pressed
    EXPECT_EQ(Common().titlePhase, 1);
    EXPECT_EQ(Title()->menuAlpha, 255);
    headless::SetKey(DIK_ESCAPE, false);
}

TEST_F(TitleTest, ReturnSkipsTheSplashLikeEscape) {
    headless::SetKey(DIK_RETURN, true);
    Frame();
    EXPECT_EQ(Common().introDone, 1);
    Frame();
    EXPECT_EQ(Common().titlePhase, 1);
    EXPECT_EQ(Title()->menuAlpha, 255);
}

// The volume keys work on the title as in the level, and the title shows the same card for the
// same moment and a half: in the splash and in the menu alike.
TEST_F(TitleTest, TheTitleShowsTheVolumeCardAfterAVolumeKey) {
    auto cardRow = [] {
        headless::RecordDraws(true);
        Title()->Render();
        int32_t row = -1;
        for (const headless::DrawRecord& d : headless::DrawLog())
            if (d.texture == CCommon::Instance().volumeCards) row = d.source.top / 44;
        headless::RecordDraws(false);
        return row;
    };
    ASSERT_NE(CCommon::Instance().volumeCards, nullptr);
    Frame();
    EXPECT_EQ(cardRow(), -1);
    headless::TapKey(DIK_MINUS);
    Frame();
    EXPECT_EQ(cardRow(), 9);
    headless::AdvanceClock(1501);
    EXPECT_EQ(cardRow(), -1);
    TapKey(DIK_ESCAPE); // on to the menu
    AdvanceAndFrame(1500);
    ASSERT_EQ(Common().introDone, 1);
    headless::TapKey(DIK_M);
    Frame();
    EXPECT_EQ(cardRow(), 11);
}

TEST_F(TitleTest, ReturnAndF2InTheMenuDoNothing) {
    OpenMenu();
    TapKey(DIK_RETURN);
    TapKey(DIK_F2);
    TapKey(DIK_ESCAPE);
    EXPECT_EQ(Common().titlePhase, 1);
    EXPECT_EQ(Title()->openingStep, 0);
    EXPECT_EQ(SceneManager::Instance().sceneNumber, 0);
}

// F2 during the splash stops the menu music and starts the game two opening steps later,
// without the opening clip.
TEST_F(TitleTest, F2StartsTheGameTwoStepsLaterWithoutTheOpening) {
    AdvanceAndFrame(10);
    ASSERT_TRUE(Title()->menuMusic.IsPlaying());
    headless::SetKey(DIK_F2, true);
    Frame();
    headless::SetKey(DIK_F2, false);
    ASSERT_EQ(Common().introDone, 1);
    ASSERT_EQ(Common().titlePhase, 2);
    EXPECT_EQ(Title()->openingStep, 6);
    EXPECT_FALSE(Title()->menuMusic.IsPlaying());

    AdvanceAndFrame(241);
    ASSERT_EQ(SceneManager::Instance().sceneNumber, 0);
    EXPECT_EQ(Title()->openingFrame, 1);
    AdvanceAndFrame(241);
    EXPECT_EQ(SceneManager::Instance().sceneNumber, 1);
    EXPECT_EQ(PlayCount("Opening.ogg"), 0);
}

// The start item: click and opening clips, the music stops, the cursor hides, and the whole
// film runs 51 steps of 240 ms through its frame ranges before the game starts with
// fresh play flags and bag.
TEST_F(TitleTest, OpeningFilmRunsItsStepsThenStartsANewGame) {
    OpenMenu();
    ClickAt(kStartItem.x, kStartItem.y);
    ASSERT_EQ(Common().titlePhase, 2);
    EXPECT_EQ(Common().autoFlip, 1);
    bool looped = true;
    EXPECT_EQ(PlayCount("click.ogg", &looped), 1);
    EXPECT_FALSE(looped) << "the click plays once";
    looped = true;
    EXPECT_EQ(PlayCount("Opening.ogg", &looped), 1);
    EXPECT_FALSE(looped);
    EXPECT_FALSE(Title()->menuMusic.IsPlaying());

    Common().page = 5; // left over from an earlier game
    InventoryBag::Instance().count = 3;

    int32_t maxFrame[7] = {-1, -1, -1, -1, -1, -1, -1};
    int steps = 0;
    AdvanceAndFrame(240);
    ASSERT_EQ(Title()->openingStep, 0) << "stepped at exactly 240 ms";
    while (SceneManager::Instance().sceneNumber == 0 && steps < 100) {
        AdvanceAndFrame(1);
        ++steps;
        if (SceneManager::Instance().sceneNumber != 0) break;
        CStage_Title* t = Title();
        ASSERT_GE(t->openingStep, 0);
        ASSERT_LE(t->openingStep, 6);
        maxFrame[t->openingStep] = std::max(maxFrame[t->openingStep], t->openingFrame);
        AdvanceAndFrame(240);
    }
    EXPECT_EQ(steps, 51);
    EXPECT_EQ(SceneManager::Instance().sceneNumber, 1);
    EXPECT_EQ(maxFrame[1], 2);  // opening pictures 1..3
    EXPECT_EQ(maxFrame[3], 23); // hand frames 1..24
    EXPECT_EQ(maxFrame[4], 40);
    EXPECT_EQ(maxFrame[5], 41); // the last hand frame
    EXPECT_EQ(maxFrame[6], 1);  // the two end pictures
    EXPECT_EQ(Common().page, 0);
    EXPECT_EQ(InventoryBag::Instance().count, 0);
}

// Escape during the first two opening steps is ignored; later it jumps to the end pictures and
// the game starts about half a second after.
TEST_F(TitleTest, EscapeSkipsTheOpeningOnlyAfterItsFirstSecond) {
    OpenMenu();
    ClickAt(kStartItem.x, kStartItem.y);
    ASSERT_EQ(Common().titlePhase, 2);
    headless::ReleaseMouse(kStartItem.x, kStartItem.y);

    TapKey(DIK_ESCAPE); // step 0
    EXPECT_EQ(Title()->openingStep, 0);
    AdvanceAndFrame(241);
    AdvanceAndFrame(241);
    ASSERT_EQ(Title()->openingStep, 1);
    TapKey(DIK_ESCAPE);
    EXPECT_EQ(Title()->openingStep, 1);
    EXPECT_EQ(Title()->openingFrame, 1);
    AdvanceAndFrame(241);
    AdvanceAndFrame(241);
    ASSERT_EQ(Title()->openingStep, 2);

    TapKey(DIK_ESCAPE);
    EXPECT_EQ(Title()->openingStep, 6);
    EXPECT_EQ(Title()->openingFrame, 0);
    const uint32_t skipped = GetTickCount();
    RunUntil([] { return SceneManager::Instance().sceneNumber == 1; }, 1, 1000);
    EXPECT_EQ(SceneManager::Instance().sceneNumber, 1);
    EXPECT_EQ(GetTickCount() - skipped, 482u); // two steps of 241 ms
}

// The areas are built from last frame's positions: a hovered item moves 2 px right and down at
// once, its area one frame later.
TEST_F(TitleTest, HoverMovesAnItemAndItsAreaFollowsAFrameLater) {
    OpenMenu();
    headless::MoveMouse(400, 389); // the start item's bottom row
    Frame();
    CStage_Title* t = Title();
    EXPECT_EQ(t->menuItemPos[0].x, 302);
    EXPECT_EQ(t->menuItemPos[0].y, 342);
    EXPECT_EQ(t->menuHitRect[0].left, 300);
    EXPECT_EQ(t->menuHitRect[0].bottom, 390);
    Frame();
    EXPECT_EQ(t->menuHitRect[0].left, 302);
    EXPECT_EQ(t->menuHitRect[0].top, 342);
    EXPECT_EQ(t->menuHitRect[0].right, 502);
    EXPECT_EQ(t->menuHitRect[0].bottom, 392);
    EXPECT_EQ(t->menuItemPos[0].y, 342);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(t->menuItemPos[i].x, 300) << "item " << i;

    // Just past the rest area's right edge: the shifted area takes it from the next frame on.
    headless::MoveMouse(501, 380);
    Frame();
    EXPECT_EQ(t->menuItemPos[0].x, 302);
    headless::MoveMouse(10, 10);
    Frame();
    EXPECT_EQ(t->menuItemPos[0].x, 300);
    Frame();
    headless::MoveMouse(501, 380);
    Frame();
    EXPECT_EQ(t->menuItemPos[0].x, 300) << "an item at rest took a point outside its rest area";
}

// The button is asked only over an item: a press elsewhere keeps its edge, so moving onto an
// item with the button still held triggers it.
TEST_F(TitleTest, PressOutsideThenMovingOntoAnItemTriggersIt) {
    OpenMenu();
    headless::PressMouse(100, 100);
    Frame();
    Frame();
    EXPECT_EQ(Common().titlePhase, 1);
    headless::MoveMouse(kCreditsItem.x, kCreditsItem.y);
    Frame();
    EXPECT_EQ(Common().titlePhase, 4);
    EXPECT_EQ(PlayCount("click.ogg"), 1);
}

TEST_F(TitleTest, ClicksOnItemsCountOnlyWhileTheWindowIsActive) {
    OpenMenu();
    headless::SetActive(false);
    ClickAt(kQuitItem.x, kQuitItem.y);
    EXPECT_EQ(Common().titlePhase, 1);
    headless::SetActive(true);
    // Released while asked above, so a fresh press is an edge again.
    ClickAt(kQuitItem.x, kQuitItem.y);
    EXPECT_EQ(Common().titlePhase, 5);
    EXPECT_EQ(Common().autoFlip, 1);
}

// Help: page 1 drawn in, then each click tears a page away (with the tear clip) until the menu
// shows again. Clicks during a draw-in or tear are not seen.
TEST_F(TitleTest, HelpPagesAreTornAwayPageByPageBackToTheMenu) {
    OpenMenu();
    ClickAt(kHelpItem.x, kHelpItem.y);
    ASSERT_EQ(Common().titlePhase, 3);
    CStage_Title* t = Title();
    auto stepIs = [t](int32_t s) { return [t, s] { return t->helpPageStep == s; }; };

    RunUntil(stepIs(1), 11);
    ASSERT_EQ(t->helpPageStep, 1);
    EXPECT_EQ(t->helpReveal, 800);
    EXPECT_EQ(t->helpRect.right, 800);

    for (int32_t waiting : {1, 3, 5}) {
        const int tearsBefore = PlayCount("tear.ogg");
        AdvanceAndFrame(500);
        EXPECT_EQ(t->helpPageStep, waiting) << "moved on without a click";
        EXPECT_EQ(Common().tearSoundOn, 0);
        ClickAt(200, 200);
        EXPECT_EQ(t->helpPageStep, waiting + 1);
        EXPECT_EQ(t->helpReveal, 800);
        EXPECT_EQ(PlayCount("tear.ogg"), tearsBefore + 1);
        // The tear moves 800 px in 40 steps of 20 and ends on the step after the one reaching 0.
        const int steps = waiting == 5
                              ? RunUntil([] { return CCommon::Instance().titlePhase == 1; }, 11)
                              : RunUntil(stepIs(waiting + 2), 11);
        EXPECT_EQ(steps, 41) << "tear of help step " << waiting + 1;
        EXPECT_EQ(t->helpReveal, 0);
        if (waiting < 5) {
            ASSERT_EQ(t->helpPageStep, waiting + 2);
        }
    }
    EXPECT_EQ(Common().titlePhase, 1);
    EXPECT_EQ(t->helpPageStep, 0);
}

// Right turns a help page on as a click does (the tear plays); Left shows the page before at once
// and does nothing on the first page; keys pressed while a page tears are not seen.
TEST_F(TitleTest, RightAndLeftTurnTheHelpPagesForwardAndBack) {
    OpenMenu();
    ClickAt(kHelpItem.x, kHelpItem.y);
    ASSERT_EQ(Common().titlePhase, 3);
    CStage_Title* t = Title();
    RunUntil([t] { return t->helpPageStep == 1; }, 11);
    ASSERT_EQ(t->helpPageStep, 1);
    struct Row {
        int key;
        int32_t step;  // helpPageStep right after the key
        int32_t shown; // the shown page's step once any tear has ended
        bool tears;
    };
    const Row rows[] = {
        {DIK_LEFT, 1, 1, false},  // nothing before page 1
        {DIK_RIGHT, 2, 3, true},  // page 1 torn away, page 2
        {DIK_LEFT, 1, 1, false},  // back to page 1
        {DIK_RIGHT, 2, 3, true},  // page 2 again
        {DIK_RIGHT, 4, 5, true},  // page 3
        {DIK_LEFT, 3, 3, false},  // back to page 2
        {DIK_RIGHT, 4, 5, true},  // page 3 again
        {DIK_RIGHT, 6, -1, true}, // page 3 torn away: the menu
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.step);
        const int tears = PlayCount("tear.ogg");
        TapKey(row.key);
        EXPECT_EQ(t->helpPageStep, row.step);
        EXPECT_EQ(PlayCount("tear.ogg"), tears + (row.tears ? 1 : 0));
        if (row.tears) { // a key during the tear is not seen
            TapKey(row.key == DIK_RIGHT ? DIK_LEFT : DIK_RIGHT);
            EXPECT_EQ(t->helpPageStep, row.step);
        }
        if (row.shown < 0) break;
        RunUntil([t, &row] { return t->helpPageStep == row.shown; }, 11);
        ASSERT_EQ(t->helpPageStep, row.shown);
        // The next tear starts from a whole page.
        if (row.step == 1) {
            EXPECT_EQ(t->helpReveal, 800);
        }
        EXPECT_EQ(Common().titlePhase, 3);
    }
    RunUntil([] { return CCommon::Instance().titlePhase == 1; }, 11);
    EXPECT_EQ(Common().titlePhase, 1);
    EXPECT_EQ(t->helpPageStep, 0);
}

TEST_F(TitleTest, CreditsAreDrawnInFromTheTopAndTornAwayOnAClick) {
    OpenMenu();
    ClickAt(kCreditsItem.x, kCreditsItem.y);
    ASSERT_EQ(Common().titlePhase, 4);
    CStage_Title* t = Title();
    RunUntil([t] { return t->creditsStep == 1; }, 11);
    ASSERT_EQ(t->creditsStep, 1);
    EXPECT_EQ(t->creditsReveal, 600);
    EXPECT_EQ(t->creditsRect.bottom, 600);
    EXPECT_EQ(t->creditsRect.right, 800);

    ClickAt(100, 100);
    EXPECT_EQ(t->creditsStep, 2);
    RunUntil([] { return CCommon::Instance().titlePhase == 1; }, 11);
    EXPECT_EQ(Common().titlePhase, 1);
    EXPECT_EQ(t->creditsStep, 0);

    // The menu works again afterwards.
    ClickAt(kHelpItem.x, kHelpItem.y);
    EXPECT_EQ(Common().titlePhase, 3);
}

// Quit fades the menu 2 alpha per frame, whatever the clock does, and posts the quit message
// when the alpha is at or below 10: the frame loop ends after 124 frames.
TEST_F(TitleTest, QuitFadesOverFramesThenEndsTheLoop) {
    OpenMenu();
    headless::MoveMouse(kQuitItem.x, kQuitItem.y);
    headless::ReleaseMouse(kQuitItem.x, kQuitItem.y);
    Frame();
    headless::PressMouse(kQuitItem.x, kQuitItem.y);
    int frames = 0;
    while (Frame() && frames < 1000)
        ++frames; // no clock advance
    EXPECT_EQ(frames, 124);
    EXPECT_EQ(Title()->menuAlpha, 9);
    EXPECT_EQ(Common().autoFlip, 1);
}

TEST_F(TitleTest, QuitEndsTheRealMessageLoop) {
    OpenMenu();
    ClickAt(kQuitItem.x, kQuitItem.y);
    ASSERT_EQ(Common().titlePhase, 5);
    MessageLoop(); // returns once the fade posted the quit message
    EXPECT_LE(Title()->menuAlpha, 10);
}

// The level (or the ending) returns with introDone 1 and titlePhase 0: the fresh title opens at
// the menu, with its own music started again.
TEST_F(TitleTest, ANewTitleAfterAGameOpensAtTheMenuWithMusic) {
    AdvanceAndFrame(10);
    headless::SetKey(DIK_F2, true);
    Frame();
    headless::SetKey(DIK_F2, false);
    RunUntil([] { return SceneManager::Instance().sceneNumber == 1; }, 241);
    ASSERT_EQ(SceneManager::Instance().sceneNumber, 1);

    Common().introDone = 1;
    Common().titlePhase = 0;
    SceneManager::Instance().ChangeStage(0);
    ASSERT_NE(Title(), nullptr);
    EXPECT_EQ(Common().titlePhase, 1); // ChangeStage ran one Update
    EXPECT_EQ(Title()->menuAlpha, 255);
    EXPECT_EQ(PlayCount("menu.ogg"), 2);
    EXPECT_TRUE(Title()->menuMusic.IsPlaying());
    for (int i = 0; i < 3; ++i)
        AdvanceAndFrame(5000);
    EXPECT_EQ(Common().titlePhase, 1);
    EXPECT_EQ(Common().autoFlip, 0);
}

// ---- The menu by keyboard ----

namespace {

// Which items sit at their hover place; -1 when none, -2 when more than one.
int LitItem(const CStage_Title* t) {
    constexpr POINT kHover[] = {{302, 342}, {302, 402}, {302, 462}, {302, 522}};
    int lit = -1;
    for (int i = 0; i < CStage_Title::kMenuItems; ++i) {
        if (t->menuItemPos[i] == kHover[i])
            lit = lit == -1 ? i : -2;
        else
            EXPECT_EQ(t->menuItemPos[i], CStage_Title::kMenuRestPos[i]) << "item " << i;
    }
    return lit;
}

} // namespace

// Nothing is lit before the first key; the first Down (or Up) lights the top item; W and S move
// like Up and Down; the highlight stops at both ends and looks like the mouse's hover.
TEST_F(TitleTest, UpAndDownMoveAHighlightThatStopsAtTheEnds) {
    OpenMenu();
    Frame();
    EXPECT_EQ(LitItem(Title()), -1);
    const std::pair<int, int> steps[] = {
        {DIK_DOWN, 0}, {DIK_S, 1}, {DIK_DOWN, 2}, {DIK_DOWN, 3}, {DIK_S, 3},
        {DIK_UP, 2},   {DIK_W, 1}, {DIK_UP, 0},   {DIK_UP, 0},   {DIK_W, 0},
    };
    for (const auto& [key, lit] : steps) {
        TapKey(key);
        EXPECT_EQ(LitItem(Title()), lit) << "after key " << key;
    }
    EXPECT_EQ(Common().titlePhase, 1);

    // Up first, on a fresh menu, lights the top item too.
    Title()->menuKeys.Reset();
    Frame();
    TapKey(DIK_UP);
    EXPECT_EQ(LitItem(Title()), 0);
}

// Return or Space chooses the lit item just as a click does; Escape or Return closes the help
// pages and the credits at once, and the menu answers again afterwards.
TEST_F(TitleTest, ReturnOrSpaceChoosesTheLitItemAndEscapeOrReturnCloses) {
    OpenMenu();
    struct Row {
        int downs, choose, phase, close;
    };
    const Row rows[] = {
        {2, DIK_RETURN, 3, DIK_ESCAPE}, // help
        {1, DIK_SPACE, 4, DIK_RETURN},  // credits (the highlight stayed on help)
        {0, DIK_RETURN, 4, DIK_ESCAPE}, // credits again, closed before it is drawn in
        {-1, DIK_SPACE, 3, DIK_RETURN}, // help, closed on its second page
    };
    CStage_Title* t = Title();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.phase);
        for (int i = 0; i < row.downs; ++i)
            TapKey(DIK_DOWN);
        for (int i = 0; i < -row.downs; ++i)
            TapKey(DIK_UP);
        const int clicks = PlayCount("click.ogg");
        TapKey(row.choose);
        ASSERT_EQ(Common().titlePhase, row.phase);
        EXPECT_EQ(PlayCount("click.ogg"), clicks + 1);
        if (row.phase == 3 && row.close == DIK_RETURN) { // on to page 2, tearing
            RunUntil([t] { return t->helpPageStep == 1; }, 11);
            ClickAt(200, 200);
            ASSERT_EQ(t->helpPageStep, 2);
            headless::MoveMouse(10, 10);
        } else if (row.close == DIK_RETURN) {
            RunUntil([t] { return t->creditsStep == 1; }, 11);
        }
        TapKey(row.close);
        EXPECT_EQ(Common().titlePhase, 1);
        EXPECT_EQ(Common().tearSoundOn, 0);
        EXPECT_EQ(t->helpPageStep, 0);
        EXPECT_EQ(t->creditsStep, 0);
        if (row.downs < 0) break;
        // The next visit starts afresh.
        EXPECT_EQ(t->helpReveal, 0);
        EXPECT_EQ(t->creditsReveal, 0);
    }
    // Quit by keyboard fades out like the click.
    TapKey(DIK_DOWN);
    TapKey(DIK_DOWN);
    TapKey(DIK_RETURN);
    EXPECT_EQ(Common().titlePhase, 5);
}

TEST_F(TitleTest, SpaceOnStartPlaysTheOpeningFilm) {
    OpenMenu();
    TapKey(DIK_S);
    TapKey(DIK_SPACE);
    EXPECT_EQ(Common().titlePhase, 2);
    EXPECT_EQ(PlayCount("Opening.ogg"), 1);
    EXPECT_EQ(Title()->openingStep, 0) << "the choosing key also skipped the film";
}

// Moving the mouse takes the menu back: its hover shows, the keyboard's highlight is gone and
// Return chooses nothing until a key lights an item again. Keys count only in the active window.
TEST_F(TitleTest, MovingTheMouseTakesTheMenuBackFromTheKeys) {
    OpenMenu();
    headless::MoveMouse(kStartItem.x, kStartItem.y);
    Frame();
    EXPECT_EQ(LitItem(Title()), 0);
    TapKey(DIK_DOWN);
    TapKey(DIK_DOWN);
    EXPECT_EQ(LitItem(Title()), 1) << "the mouse's hover shows beside the keyboard's highlight";
    headless::MoveMouse(kQuitItem.x, kQuitItem.y);
    Frame();
    EXPECT_EQ(LitItem(Title()), 3);
    headless::MoveMouse(10, 10);
    Frame();
    TapKey(DIK_RETURN);
    EXPECT_EQ(Common().titlePhase, 1);
    EXPECT_EQ(LitItem(Title()), -1);

    headless::SetActive(false);
    TapKey(DIK_DOWN);
    EXPECT_EQ(LitItem(Title()), -1);
    headless::SetActive(true);
    TapKey(DIK_DOWN);
    headless::SetActive(false);
    TapKey(DIK_RETURN);
    EXPECT_EQ(Common().titlePhase, 1);
}
