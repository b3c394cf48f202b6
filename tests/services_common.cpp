#include "TestSupport.h"
#include "app/SceneManager.h"
#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "services/CCommon.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

// The book overlay on the headless platform, driven directly on the virtual clock.
class CommonTest : public HeadlessTest {
  protected:
    void SetUp() override {
        headless::SetClock(1000);
        HeadlessTest::SetUp();
        SceneManager::Instance().window = window;
    }

    static CCommon& Common() { return CCommon::Instance(); }

    // Advances the clock by ms and runs one UpdateBook.
    static void Step(uint32_t ms) {
        headless::AdvanceClock(ms);
        Common().UpdateBook();
    }

    // A click at (x, y): the button goes down and HandleHelpClick asks for it.
    static void ClickHelp(int x, int y) {
        cursorX = x;
        cursorY = y;
        headless::SetLeftButton(true);
        Common().HandleHelpClick();
        headless::SetLeftButton(false);
        Common().HandleHelpClick();
    }

    // Runs UpdateBook every 11 ms until helpStep reaches want (or gives up); records offsets.
    static std::vector<int> RunHelpUntil(int want, int maxSteps = 100) {
        std::vector<int> offsets;
        for (int i = 0; i < maxSteps && Common().helpStep != want; ++i) {
            Step(11);
            offsets.push_back(Common().helpOffset);
        }
        return offsets;
    }
};

} // namespace

TEST_F(CommonTest, ForwardTurnsShowThreePicturesEachAndAdvanceTheFront) {
    CCommon& c = Common();
    c.flipAnim = 1;
    Step(50); // exactly 50 ms is not yet a step
    EXPECT_EQ(c.turnFrame, 0);
    std::vector<int> frames;
    for (int i = 0; i < 4; ++i) {
        Step(51);
        frames.push_back(c.turnFrame);
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(c.flipAnim, 0);
    EXPECT_EQ(c.frontIndex, 1);

    c.flipAnim = 1;
    frames.clear();
    for (int i = 0; i < 4; ++i) {
        Step(51);
        frames.push_back(c.turnFrame);
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(c.frontIndex, 2);

    c.flipAnim = 1; // wraps to the first front picture
    for (int i = 0; i < 4; ++i)
        Step(51);
    EXPECT_EQ(c.frontIndex, 0);
}

TEST_F(CommonTest, BackwardTurnAfterForwardTurnEndsAtOnceWithoutATurnPicture) {
    CCommon& c = Common();
    c.flipAnim = 1;
    for (int i = 0; i < 4; ++i)
        Step(51);
    ASSERT_EQ(c.frontIndex, 1);

    c.flipAnim = 2;
    Step(51);
    EXPECT_EQ(c.flipAnim, 0);
    EXPECT_EQ(c.frontIndex, 0);
    EXPECT_EQ(c.turnFrame, 4);

    // A second backward turn runs 3, 2, 1 from there and wraps the front to the last picture.
    c.flipAnim = 2;
    std::vector<int> frames;
    for (int i = 0; i < 4; ++i) {
        Step(51);
        frames.push_back(c.turnFrame);
    }
    EXPECT_EQ(frames, (std::vector<int>{3, 2, 1, 4}));
    EXPECT_EQ(c.frontIndex, 2);
}

TEST_F(CommonTest, HelpPanelOpensAndClosesOnClicksWithTheSpecifiedTiming) {
    CCommon& c = Common();
    c.HandleHelpClick(); // the first call places the tab's click area
    EXPECT_EQ(c.helpHitRect.right, 29);

    headless::ClearPlayLog();
    ClickHelp(10, 50);
    ASSERT_EQ(c.helpStep, 1);
    Step(10); // 10 ms is not a step
    EXPECT_EQ(c.helpFrame, 0);
    // The panel's own sound plays while it opens.
    ASSERT_FALSE(headless::PlayLog().empty());
    EXPECT_EQ(headless::PlayLog()[0].path, "Data/Sound/help.ogg");
    for (int f = 1; f <= 12; ++f) {
        Step(11);
        EXPECT_EQ(c.helpFrame, f);
    }
    Step(11);
    EXPECT_EQ(c.helpStep, 2);
    EXPECT_EQ(c.helpOffset, -365);
    std::vector<int> offsets = RunHelpUntil(3);
    ASSERT_EQ(c.helpStep, 3);
    ASSERT_GE(offsets.size(), 14u);
    EXPECT_EQ(offsets[0], -335);
    EXPECT_EQ(offsets[12], 25); // 13 slides of 30 end at 25, not 0
    EXPECT_EQ(c.helpOffset, 25);

    c.HandleHelpClick(); // places the open panel's area
    // Only a click on the open panel (29, 23)-(345, 238) closes it: not beside or below it.
    for (POINT p : {POINT{20, 100}, POINT{350, 100}, POINT{200, 15}, POINT{200, 245}}) {
        ClickHelp(p.x, p.y);
        ASSERT_EQ(c.helpStep, 3) << "a click at " << p.x << ", " << p.y;
    }
    ClickHelp(200, 100);
    ASSERT_EQ(c.helpStep, 4);
    RunHelpUntil(5);
    EXPECT_EQ(c.helpOffset, -365);
    RunHelpUntil(0);
    EXPECT_EQ(c.helpStep, 0);
    EXPECT_EQ(c.helpFrame, 0);
}

TEST_F(CommonTest, HelpClicksAreIgnoredWhileThePanelMoves) {
    CCommon& c = Common();
    c.HandleHelpClick();
    ClickHelp(10, 50);
    Step(11);
    ASSERT_EQ(c.helpStep, 1);
    ClickHelp(10, 50);
    ClickHelp(100, 100);
    EXPECT_EQ(c.helpStep, 1);
    RunHelpUntil(2);
    Step(11);
    ClickHelp(100, 100);
    EXPECT_EQ(c.helpStep, 2);
}

TEST_F(CommonTest, HelpClickNeedsTheGameWindowActive) {
    CCommon& c = Common();
    c.HandleHelpClick();
    headless::SetActive(false);
    ClickHelp(10, 50);
    EXPECT_EQ(c.helpStep, 0);
    headless::SetActive(true);
    ClickHelp(10, 200); // below the tab
    EXPECT_EQ(c.helpStep, 0);
}

TEST_F(CommonTest, StartTearPlaysOnceUntilStopTear) {
    CCommon& c = Common();
    headless::ClearPlayLog();
    for (int i = 0; i < 5; ++i)
        c.StartTear();
    ASSERT_EQ(headless::PlayLog().size(), 1u);
    EXPECT_EQ(headless::PlayLog()[0].path, "Data/Sound/tear.ogg");
    EXPECT_FALSE(headless::PlayLog()[0].loop);
    headless::AdvanceClock(40);
    EXPECT_GT(c.tearSound.PositionFrames(), 0u);

    c.StopTear();
    EXPECT_EQ(c.tearSound.PositionFrames(), 0u); // rewound
    EXPECT_FALSE(c.tearSound.IsPlaying());
    c.StartTear();
    EXPECT_EQ(headless::PlayLog().size(), 2u);
    EXPECT_TRUE(c.tearSound.IsPlaying());
}

TEST_F(CommonTest, ResetPlayRestoresPlayFlagsButKeepsTitleProgress) {
    CCommon& c = Common();
    c.page = 12;
    c.autoFlip = 0;
    c.backGate = 0;
    c.paused = 1;
    c.introDone = 1;
    c.titlePhase = 2;
    c.ResetPlay();
    EXPECT_EQ(c.page, 0);
    EXPECT_EQ(c.autoFlip, 1);
    EXPECT_EQ(c.backGate, 1);
    EXPECT_EQ(c.paused, 0);
    EXPECT_EQ(c.turnTrigger, 1);
    EXPECT_EQ(c.introDone, 1);
    EXPECT_EQ(c.titlePhase, 2);
}

TEST_F(CommonTest, CursorFollowsTheButtonAndHidesWhilePagesTurnByThemselves) {
    CCommon& c = Common();
    ASSERT_NE(c.cursorRock, nullptr) << "Data/image/Support/Cursor_Rock.png did not load";
    ASSERT_NE(c.cursorFist, nullptr) << "Data/image/Support/Cursor_Fist.png did not load";
    auto drawCursorAt = [&](int x, int y) {
        cursorX = x;
        cursorY = y;
        Graphics& g = Graphics::Instance();
        g.Clear();
        g.BeginScene();
        c.DrawCursor();
        g.EndScene();
        g.Present();
    };
    // Somewhere in each picture there is an opaque pixel; find the first one of the rock.
    c.autoFlip = 0;
    c.mouseDown = 0;
    drawCursorAt(100, 100);
    int litRock = 0;
    for (int y = 100; y < 100 + c.cursorRock->height; ++y)
        for (int x = 100; x < 100 + c.cursorRock->width; ++x)
            if (headless::Pixel(x, y) & 0x00FFFFFF) ++litRock;
    EXPECT_GT(litRock, 0);
    EXPECT_EQ(headless::Pixel(99, 99) & 0x00FFFFFF, 0u); // its top-left corner is the hotspot

    c.autoFlip = 1;
    drawCursorAt(100, 100);
    int lit = 0;
    for (int y = 100; y < 100 + c.cursorRock->height; ++y)
        for (int x = 100; x < 100 + c.cursorRock->width; ++x)
            if (headless::Pixel(x, y) & 0x00FFFFFF) ++lit;
    EXPECT_EQ(lit, 0);
}
