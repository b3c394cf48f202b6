// The page keys, the automatic page turn, the pause key and the frame of a page turn.
#include "TestSupport.h"
#include "platform/Sound.h"
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"
#include <gtest/gtest.h>

namespace {

class PageKeysTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        headless::SetClock(10000);
        for (int code = 0; code < 256; ++code) { // keys left held by an earlier test
            headless::SetKey(code, false);
            keyWasDown[code] = 0;
        }
        CCommon::Instance().ResetPlay();
        InventoryBag::Instance().ResetBag();
        CCommon::Instance().helpStep = 0;
        stage.window = window;
        stage.level.chars[CharWalk].frames = 5;
        stage.level.chars[CharWalk].x = 75;
        stage.autoFlipTick = stage.pacingTick = GetTickCount();
    }

    CCommon& Common() { return CCommon::Instance(); }
    InventoryBag& Bag() { return InventoryBag::Instance(); }

    // One frame of key handling with the key held.
    void Hold(int code) {
        headless::SetKey(code, true);
        stage.HandlePageKeys();
    }
    void Let(int code) {
        headless::SetKey(code, false);
        stage.HandlePageKeys();
    }
    void Tap(int code) {
        Hold(code);
        Let(code);
    }
    void Manual() { Common().autoFlip = 0; }
    int PagePlays() {
        int n = 0;
        for (const headless::PlayRecord& r : headless::PlayLog())
            if (r.path.find("page.ogg") != std::string::npos) ++n;
        return n;
    }

    CStage_One stage;
};

TEST_F(PageKeysTest, EachPressTurnsOnePageAndAHeldKeyDoesNotRepeat) {
    Manual();
    Common().pageSound.OnCreate(window);
    Common().pageSound.OpenOgg("Data/Sound/page.ogg");
    Hold(DIK_D);
    EXPECT_EQ(Common().page, 1);
    EXPECT_EQ(Common().pageTurned, 1) << "the first turn from page 0";
    for (int i = 0; i < 5; ++i)
        Hold(DIK_D);
    EXPECT_EQ(Common().page, 1);
    Let(DIK_D);
    Tap(DIK_RIGHT);
    EXPECT_EQ(Common().page, 2);
    Tap(DIK_A);
    Tap(DIK_LEFT);
    EXPECT_EQ(Common().page, 0);
    Tap(DIK_LEFT);
    EXPECT_EQ(Common().page, 0) << "never below page 0";
    EXPECT_EQ(PagePlays(), 4) << "the page clip before every turn, none for the refused one";
}

// A key pressed and let go between two frames (a quick tap, a slow machine, the browser's
// animation frames) still turns one page; a tap in an earlier frame turns none.
TEST_F(PageKeysTest, ATapShorterThanAFrameTurnsOnePage) {
    Manual();
    headless::TapKey(DIK_D);
    stage.HandlePageKeys();
    EXPECT_EQ(Common().page, 1);
    EndInputFrame();
    stage.HandlePageKeys();
    EXPECT_EQ(Common().page, 1);
    headless::TapKey(DIK_D);
    EndInputFrame();
    stage.HandlePageKeys();
    EXPECT_EQ(Common().page, 1);
}

TEST_F(PageKeysTest, ForwardRunsBeforeBackwardWhenBothArePressed) {
    Manual();
    Common().page = 3;
    headless::SetKey(DIK_D, true);
    headless::SetKey(DIK_A, true);
    stage.HandlePageKeys();
    EXPECT_EQ(Common().page, 3);
    EXPECT_EQ(Common().flipAnim, 1) << "the forward flip was asked for first";
}

TEST_F(PageKeysTest, AutoFlipTurnsEvery200msEvenInTheBackgroundAndSStopsIt) {
    headless::AdvanceClock(200);
    stage.HandlePageKeys();
    EXPECT_EQ(Common().page, 0) << "strictly more than 200 ms";
    headless::AdvanceClock(1);
    stage.HandlePageKeys();
    EXPECT_EQ(Common().page, 1);
    headless::SetActive(false);
    headless::AdvanceClock(201);
    Tap(DIK_S);
    EXPECT_EQ(Common().page, 2);
    EXPECT_EQ(Common().autoFlip, 1) << "S is ignored while the window is not active";
    headless::SetActive(true);
    Tap(DIK_SPACE);
    EXPECT_EQ(Common().autoFlip, 0);
    EXPECT_EQ(Bag().open, 1) << "the pages stop and the bag opens";
    // Manual mode: S starts the pages again and rolls the help panel away.
    Common().helpStep = 3;
    Tap(DIK_S);
    EXPECT_EQ(Common().autoFlip, 1);
    EXPECT_EQ(Common().helpStep, 4);
}

TEST_F(PageKeysTest, PagesWaitWhileTheHelpPanelMoves) {
    Manual();
    Common().helpStep = 2;
    Tap(DIK_D);
    EXPECT_EQ(Common().page, 0);
    Common().helpStep = 3;
    Tap(DIK_D);
    EXPECT_EQ(Common().page, 1);
}

TEST_F(PageKeysTest, BagKeysOnlyAfterPageZeroAndNotWhileLocked) {
    Manual();
    Tap(DIK_W);
    EXPECT_EQ(Bag().open, 0);
    Common().page = 2;
    Tap(DIK_W);
    EXPECT_EQ(Bag().open, 1);
    Tap(DIK_I);
    EXPECT_EQ(Bag().open, 0);
    Common().forwardLock = 1;
    Tap(DIK_I);
    EXPECT_EQ(Bag().open, 0);
    Tap(DIK_D);
    EXPECT_EQ(Common().page, 2) << "no forward turn while locked";
    Tap(DIK_A);
    EXPECT_EQ(Common().page, 1) << "backward turns stay open";
}

TEST_F(PageKeysTest, EscapePausesDroppingHeldItemsAndClosingGatesThenResumes) {
    Manual();
    Bag().items[4].state = ItemCarried;
    Bag().overBag = 1;
    Tap(DIK_ESCAPE);
    EXPECT_EQ(Common().paused, 1);
    EXPECT_EQ(Common().autoFlip, 0);
    EXPECT_EQ(Bag().items[4].state, ItemInBag);
    EXPECT_EQ(Bag().overBag, 0);
    EXPECT_EQ(Common().placedGate + Common().backGate + Common().itemGate + Common().collGate, 0);
    Tap(DIK_D);
    EXPECT_EQ(Common().page, 0) << "no pages while paused";
    Tap(DIK_ESCAPE);
    EXPECT_EQ(Common().paused, 0);
    EXPECT_EQ(Common().autoFlip, 1);
    EXPECT_EQ(Common().placedGate + Common().backGate + Common().itemGate + Common().collGate, 4);
}

// The browser hides the page: the level pauses as Escape pauses it, once; a hidden page never
// resumes a paused game, and the request does not outlive the frame that takes it.
TEST_F(PageKeysTest, AHiddenPagePausesAsEscapeDoesAndNeverResumes) {
    Bag().items[4].state = ItemCarried;
    Common().pauseForHiddenPage = 1;
    stage.HandlePageKeys();
    EXPECT_EQ(Common().paused, 1);
    EXPECT_EQ(Common().autoFlip, 0);
    EXPECT_EQ(Bag().items[4].state, ItemInBag);
    EXPECT_EQ(Common().placedGate + Common().backGate + Common().itemGate + Common().collGate, 0);
    EXPECT_EQ(Common().pauseForHiddenPage, 0);

    Common().pauseForHiddenPage = 1;
    stage.HandlePageKeys();
    EXPECT_EQ(Common().paused, 1) << "hidden again while paused: still paused";
    EXPECT_EQ(Common().pauseForHiddenPage, 0);

    Tap(DIK_ESCAPE);
    EXPECT_EQ(Common().paused, 0);
    stage.HandlePageKeys();
    EXPECT_EQ(Common().paused, 0) << "the request taken while paused is gone";
}

TEST_F(PageKeysTest, TurnFrameStepsTheSunDropsHeldItemsClosesTheBagAndIgnoresOtherDirections) {
    Bag().sunFrame = 0;
    Bag().open = 1;
    Bag().items[9].state = ItemCarried;
    stage.TurnPage(Forward);
    EXPECT_EQ(Bag().sunFrame, 1);
    EXPECT_EQ(Bag().open, 0);
    EXPECT_EQ(Bag().items[9].state, ItemInBag);
    stage.TurnPage(Forward);
    stage.TurnPage(Forward);
    EXPECT_EQ(Bag().sunFrame, 0);
    Common().flipAnim = 0;
    stage.TurnPage(Backward);
    EXPECT_EQ(Bag().sunFrame, 2);
    EXPECT_EQ(Common().flipAnim, 2);
    EXPECT_EQ(Common().page, 2);
    const LevelState before = stage.level;
    stage.TurnPage(7);
    EXPECT_EQ(Common().page, 2);
    EXPECT_TRUE(stage.level == before);
}

} // namespace
