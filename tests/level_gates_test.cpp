// What the open pause menu holds back: the bag's hands (tearing out, putting down) do nothing
// under it, and work again once it is closed.
#include "level_support.h"

namespace {

class LevelGatesTest : public ShippedLevelTest {
  protected:
    // A click at (x, y) on the next frame, the button having been up before.
    void ClickFrame(int x, int y) {
        cursorX = x;
        cursorY = y;
        headless::SetLeftButton(false);
        InputMouse::Instance().CheckLeftButton();
        headless::SetLeftButton(true);
        PlayFrame();
        headless::SetLeftButton(false);
    }
};

TEST_F(LevelGatesTest, NoTearingOrPuttingDownWhilePaused) {
    for (bool paused : {true, false}) {
        SetUp();
        const char* when = paused ? "paused" : "playing";
        Common().autoFlip = 0;
        Common().paused = paused ? 1 : 0;
        Common().page = 2;
        // Item 3 loose in the picture, under the cursor (away from the pause menu's buttons).
        TearObj& loose = Bag().items[3];
        loose.state = ItemVisible;
        loose.x = 600;
        loose.y = 120;
        loose.hit = RECT{600, 120, 660, 180};
        ClickFrame(620, 140);
        EXPECT_EQ(Bag().tearingObj[3].playing, paused ? 0 : 1) << when;
        EXPECT_EQ(Common().tearing, paused ? 0 : 1) << when;
        TearDown();

        SetUp();
        Common().autoFlip = 0;
        Common().paused = paused ? 1 : 0;
        Common().page = 2;
        Bag().items[4].state = ItemCarried;
        ClickFrame(620, 140);
        EXPECT_EQ(Bag().items[4].state, paused ? ItemCarried : ItemPlaced) << when;
        TearDown();
    }
    SetUp();
}

} // namespace
