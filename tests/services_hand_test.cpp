// The player's hand: the badge over a piece that can be torn now, and the shake with a knock for
// a click on the page that does nothing.
#include "TestSupport.h"
#include "app/SceneManager.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include <gtest/gtest.h>

namespace {

constexpr int kApple = 1; // loose in the picture at the start

class HandTest : public HeadlessTest {
  protected:
    void SetUp() override {
        headless::SetClock(1000);
        HeadlessTest::SetUp();
        if (HasFatalFailure()) return;
        SceneManager::Instance().window = window;
        common.ResetPlay();
        bag.ResetBag();
        common.autoFlip = 0; // the player has the mouse
        headless::SetLeftButton(false);
        buttonWasDown = 0;
        bag.seenPresses = common.mousePresses;
        Frame();
        ASSERT_EQ(bag.items[kApple].state, ItemVisible);
    }
    void Frame() {
        bag.UpdateRects();
        bag.HandleInput();
    }
    // A click as the window reports it: the press message, then the device state for a frame.
    void ClickAt(int x, int y) {
        cursorX = x;
        cursorY = y;
        ++common.mousePresses;
        headless::SetLeftButton(true);
        Frame();
        headless::SetLeftButton(false);
        Frame();
    }
    POINT AppleCentre() const {
        const TearObj& t = bag.items[kApple];
        return POINT{t.x + t.dw / 2, t.y + t.dh / 2};
    }
    CCommon& common = CCommon::Instance();
    InventoryBag& bag = InventoryBag::Instance();
};

TEST_F(HandTest, TheBadgeShowsOnlyOverAPieceThatCanBeTornNow) {
    const POINT apple = AppleCentre();
    cursorX = apple.x;
    cursorY = apple.y;
    Frame();
    EXPECT_EQ(common.hoverTearable, 1);
    cursorX = 790;
    cursorY = 10;
    Frame();
    EXPECT_EQ(common.hoverTearable, 0);
    cursorX = apple.x;
    cursorY = apple.y;
    common.forwardLock = 1; // the locked page tears nothing
    Frame();
    EXPECT_EQ(common.hoverTearable, 0);
    common.forwardLock = 0;
    common.autoFlip = 1; // nor do pages turning by themselves
    Frame();
    EXPECT_EQ(common.hoverTearable, 0);
}

TEST_F(HandTest, AClickThatDoesNothingShakesTheCursorAndOneThatTearsDoesNot) {
    ClickAt(790, 10); // the sky
    EXPECT_EQ(common.refusing, 1);
    EXPECT_EQ(common.refuseTick, GetTickCount());

    common.refusing = 0;
    const POINT apple = AppleCentre();
    ClickAt(apple.x, apple.y);
    EXPECT_EQ(bag.tearingObj[kApple].playing, 1);
    EXPECT_EQ(common.refusing, 0) << "a tear answered with a shake";

    // While a tear plays, and while the pages turn by themselves, clicks are not answered.
    ClickAt(790, 10);
    EXPECT_EQ(common.refusing, 0);
    for (int i = 0; i < 20 && bag.tearingObj[kApple].playing; ++i) {
        headless::AdvanceClock(51);
        Frame();
    }
    common.autoFlip = 1;
    ClickAt(790, 10);
    EXPECT_EQ(common.refusing, 0);

    // A press with no button down when the frame comes (a tap) still gets its answer.
    common.autoFlip = 0;
    ++common.mousePresses;
    Frame();
    EXPECT_EQ(common.refusing, 1);
}

TEST_F(HandTest, TheShakeSwingsFourPixelsForAQuarterSecondAndTheBadgeFollows) {
    Texture rockPicture, badgePicture; // stand-ins: only their addresses are compared
    Texture* rock = &rockPicture;
    Texture* badge = &badgePicture;
    Texture* const savedRock = common.cursorRock;
    Texture* const savedBadge = common.cursorTear;
    common.cursorRock = rock;
    common.cursorTear = badge;
    cursorX = 300;
    cursorY = 200;
    common.hoverTearable = 1;
    common.RefuseClick();
    struct Sample {
        uint32_t after;
        int rockX;
    };
    // Left for the first 40 ms, right for the next 40, and so on; still after 250 ms.
    const Sample samples[] = {{0, 296}, {45, 304}, {85, 296}, {245, 296}, {250, 300}};
    const uint32_t start = GetTickCount();
    for (const Sample& s : samples) {
        headless::SetClock(start + s.after);
        headless::RecordDraws(true);
        common.DrawCursor();
        const auto& log = headless::DrawLog();
        ASSERT_EQ(log.size(), 2u) << s.after << " ms";
        EXPECT_EQ(log[0].texture, rock);
        EXPECT_EQ(log[0].x, s.rockX) << s.after << " ms";
        EXPECT_EQ(log[1].texture, badge);
        EXPECT_EQ(log[1].x, s.rockX + 22);
        EXPECT_EQ(log[1].y, 220);
    }
    headless::RecordDraws(false);
    common.cursorRock = savedRock;
    common.cursorTear = savedBadge;
}

} // namespace
