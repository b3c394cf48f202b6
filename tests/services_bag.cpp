#include "TestSupport.h"
#include "app/SceneManager.h"
#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

constexpr int kApple = 1;   // a small loose piece that starts in the picture (data/Text/Bag/Tear)
constexpr int kBoulder = 0; // another one: the boulder on the lane

// The bag on the headless platform, driven directly: each Frame() is the bag's part of a level
// frame (UpdateRects, then HandleInput).
class BagTest : public HeadlessTest {
  protected:
    void SetUp() override {
        headless::SetClock(1000);
        HeadlessTest::SetUp();
        SceneManager::Instance().window = window;
        CCommon::Instance().autoFlip = 0; // the player has the mouse
        Frame();                          // loose pieces in the picture become tearable
        ASSERT_EQ(Bag().items[kApple].state, ItemVisible);
    }

    static InventoryBag& Bag() { return InventoryBag::Instance(); }

    static void Frame() {
        Bag().UpdateRects();
        Bag().HandleInput();
    }
    static void MoveTo(int x, int y) {
        cursorX = x;
        cursorY = y;
    }
    // The cursor rests on (x, y) for a frame, then the button goes down for one frame and up for
    // the next. (The button's edge memory only moves where something asks for it.)
    static void ClickAt(int x, int y) {
        MoveTo(x, y);
        Frame();
        headless::SetLeftButton(true);
        Frame();
        headless::SetLeftButton(false);
        Frame();
    }
    static POINT CentreOf(int item) {
        const TearObj& t = Bag().items[item];
        return POINT{t.x + t.dw / 2, t.y + t.dh / 2};
    }
    // Tears the item out and lets its animation run to the end.
    static void TearOut(int item) {
        POINT p = CentreOf(item);
        ClickAt(p.x, p.y);
        for (int i = 0; i < 20 && Bag().tearingObj[item].playing; ++i) {
            headless::AdvanceClock(51);
            Frame();
        }
    }
};

} // namespace

TEST_F(BagTest, TearingAnimatesThenStoresThePieceAndLeavesItsHole) {
    InventoryBag& bag = Bag();
    const TearObj before = bag.items[kApple];
    POINT p = CentreOf(kApple);
    headless::ClearPlayLog();
    ClickAt(p.x, p.y);

    const TearingObj& tearing = bag.tearingObj[kApple];
    EXPECT_EQ(tearing.playing, 1);
    EXPECT_EQ(CCommon::Instance().tearing, 1);
    EXPECT_EQ(tearing.x, before.x - tearing.offX);
    EXPECT_EQ(tearing.y, before.y - tearing.offY);
    EXPECT_EQ(bag.items[kApple].x, -before.dw); // out of the picture while it tears
    EXPECT_EQ(bag.items[kApple].state, ItemVisible);
    EXPECT_EQ(bag.slots[0].item, kApple); // the slot is taken at once
    EXPECT_EQ(bag.count, 1);
    ASSERT_FALSE(headless::PlayLog().empty());
    EXPECT_EQ(headless::PlayLog().back().path, "Data/Sound/tear.ogg");

    // One step each time more than 50 ms have passed: 50 are not enough.
    int steps = 0;
    while (tearing.playing && steps < 50) {
        const int32_t frameBefore = bag.tearFrame;
        headless::AdvanceClock(50);
        Frame();
        ASSERT_EQ(bag.tearFrame, frameBefore) << "step " << steps << " came after 50 ms";
        ASSERT_EQ(tearing.playing, 1);
        headless::AdvanceClock(1);
        Frame();
        ++steps;
    }
    EXPECT_EQ(steps, tearing.frames); // frames - 1 advances, then the end
    EXPECT_EQ(bag.items[kApple].state, ItemInBag);
    EXPECT_EQ(CCommon::Instance().tearing, 0);
    EXPECT_EQ(bag.tearFrame, 0);
    EXPECT_EQ(bag.holes[kApple].x, tearing.x);
    EXPECT_EQ(bag.holes[kApple].y, tearing.y);
    EXPECT_EQ(bag.holes[kApple].page, CCommon::Instance().page);
}

// Pieces share one tearing frame and tick: a second tear during the first would end both early
// and stamp its hole on whatever page is current, so it is refused until the first one ends.
TEST_F(BagTest, SecondTearIsRefusedWhileOneIsPlaying) {
    InventoryBag& bag = Bag();
    CCommon& common = CCommon::Instance();
    POINT apple = CentreOf(kApple);
    ClickAt(apple.x, apple.y);
    ASSERT_EQ(bag.tearingObj[kApple].playing, 1);

    const TearObj boulder = bag.items[kBoulder];
    POINT p = CentreOf(kBoulder);
    ClickAt(p.x, p.y);
    EXPECT_EQ(bag.tearingObj[kBoulder].playing, 0);
    EXPECT_EQ(bag.items[kBoulder].x, boulder.x);
    EXPECT_EQ(bag.count, 1);
    EXPECT_TRUE(common.tearSound.IsPlaying()); // hovering the refused piece leaves the tear on

    for (int i = 0; i < 20 && bag.tearingObj[kApple].playing; ++i) {
        headless::AdvanceClock(51);
        Frame();
    }
    ASSERT_EQ(common.tearing, 0);
    ClickAt(p.x, p.y);
    EXPECT_EQ(bag.tearingObj[kBoulder].playing, 1);
    EXPECT_EQ(common.tearing, 1);
    EXPECT_EQ(bag.count, 2);
}

// The slot is filled when the tear starts, but its piece cannot be taken out before it ends.
TEST_F(BagTest, SlotOfAPieceStillTearingCannotBeTaken) {
    InventoryBag& bag = Bag();
    POINT apple = CentreOf(kApple);
    ClickAt(apple.x, apple.y);
    bag.open = 1;
    Frame();
    const BagSlot& slot = bag.slots[0];
    ASSERT_EQ(slot.item, kApple);
    ClickAt(slot.restX + 10, slot.restY + 10);
    EXPECT_EQ(bag.items[kApple].state, ItemVisible);
    EXPECT_EQ(bag.open, 1);
    EXPECT_EQ(slot.x, slot.restX); // not raised under the cursor either

    for (int i = 0; i < 20 && bag.tearingObj[kApple].playing; ++i) {
        headless::AdvanceClock(51);
        Frame();
    }
    ClickAt(slot.restX + 10, slot.restY + 10);
    EXPECT_EQ(bag.items[kApple].state, ItemCarried);
}

TEST_F(BagTest, SecondPieceGoesToTheFirstFreeSlot) {
    InventoryBag& bag = Bag();
    bag.slots[0].occupied = 1; // slot 0 holds something already
    bag.slots[0].item = 14;
    bag.count = 1;
    TearOut(kApple);
    EXPECT_EQ(bag.slots[1].item, kApple);
    EXPECT_EQ(bag.count, 2);
}

TEST_F(BagTest, FullBagShowsTheNoticeAndLeavesThePiece) {
    InventoryBag& bag = Bag();
    for (BagSlot& slot : bag.slots)
        slot.occupied = 1;
    bag.count = 15;
    const TearObj before = bag.items[kApple];
    POINT p = CentreOf(kApple);
    ClickAt(p.x, p.y);
    EXPECT_EQ(bag.full, 1);
    EXPECT_EQ(bag.items[kApple].x, before.x);
    EXPECT_EQ(bag.items[kApple].state, ItemVisible);
    EXPECT_EQ(bag.tearingObj[kApple].playing, 0);
    EXPECT_EQ(bag.count, 15);

    headless::AdvanceClock(500);
    Frame();
    EXPECT_EQ(bag.full, 1);
    headless::AdvanceClock(1);
    Frame();
    EXPECT_EQ(bag.full, 0);
}

TEST_F(BagTest, TakenPieceIsPutDownCentredOnTheNextClick) {
    InventoryBag& bag = Bag();
    TearOut(kApple);
    bag.open = 1;
    Frame();
    const BagSlot& slot = bag.slots[0];
    MoveTo(slot.restX + 10, slot.restY + 10);
    Frame();
    EXPECT_EQ(slot.x, slot.restX + 2); // hovered slots shift
    ClickAt(slot.restX + 10, slot.restY + 10);
    EXPECT_EQ(bag.open, 0);
    EXPECT_EQ(bag.items[kApple].state, ItemCarried);
    EXPECT_EQ(bag.takenSlot, 0);

    CCommon::Instance().page = 3;
    ClickAt(400, 300);
    const TearObj& item = bag.items[kApple];
    EXPECT_EQ(item.state, ItemPlaced);
    EXPECT_EQ(item.x, 400 - item.dw / 2);
    EXPECT_EQ(item.y, 300 - item.dh / 2);
    EXPECT_EQ(bag.tearingObj[kApple].placePage, 3);
    EXPECT_EQ(bag.tearingObj[kApple].x, item.x - bag.tearingObj[kApple].offX);
    EXPECT_EQ(bag.slots[0].occupied, 0);
    EXPECT_EQ(bag.slots[0].item, -1);
    EXPECT_EQ(bag.count, 0);
}

TEST_F(BagTest, PutDownPieceCanBePickedUpOnlyOnItsOwnPage) {
    InventoryBag& bag = Bag();
    TearOut(kApple);
    bag.open = 1;
    Frame();
    ClickAt(bag.slots[0].restX + 10, bag.slots[0].restY + 10);
    ClickAt(400, 300);
    ASSERT_EQ(bag.items[kApple].state, ItemPlaced);

    CCommon::Instance().page = 1;
    ClickAt(400, 300);
    EXPECT_EQ(bag.items[kApple].state, ItemPlaced);
    CCommon::Instance().page = 0;
    ClickAt(400, 300);
    EXPECT_EQ(bag.items[kApple].state, ItemInBag);
    EXPECT_EQ(bag.slots[0].item, kApple);
    EXPECT_EQ(bag.count, 1);
}

TEST_F(BagTest, HoveringATearablePieceStopsTheTearSound) {
    CCommon& common = CCommon::Instance();
    common.StartTear();
    ASSERT_TRUE(common.tearSound.IsPlaying());
    MoveTo(10, 590); // over nothing
    Frame();
    EXPECT_TRUE(common.tearSound.IsPlaying());
    POINT p = CentreOf(kApple);
    MoveTo(p.x, p.y);
    Frame();
    EXPECT_FALSE(common.tearSound.IsPlaying());
    EXPECT_EQ(common.tearSoundOn, 0);
}

TEST_F(BagTest, PiecesCannotBeTornWhilePagesTurnByThemselvesOrUnderTheOpenBag) {
    InventoryBag& bag = Bag();
    POINT p = CentreOf(kApple);
    CCommon::Instance().autoFlip = 1;
    ClickAt(p.x, p.y);
    EXPECT_EQ(bag.tearingObj[kApple].playing, 0);
    CCommon::Instance().autoFlip = 0;

    // Put the piece under the bag window and open the bag.
    bag.items[kApple].x = 150;
    bag.items[kApple].y = 150;
    bag.open = 1;
    Frame();
    MoveTo(160, 160);
    Frame(); // the cursor is now known to be over the bag
    ClickAt(160, 160);
    EXPECT_EQ(bag.tearingObj[kApple].playing, 0);
}

TEST_F(BagTest, BagPagesCycleAndResetWhenTheBagCloses) {
    InventoryBag& bag = Bag();
    bag.open = 1;
    Frame();
    const RECT& button = InventoryBag::kPageButtonRect;
    ClickAt(button.left + 5, button.top + 5);
    EXPECT_EQ(bag.bagPage, 1);
    ClickAt(button.left + 5, button.top + 5);
    ClickAt(button.left + 5, button.top + 5);
    EXPECT_EQ(bag.bagPage, 0);
    ClickAt(button.left + 5, button.top + 5);
    ASSERT_EQ(bag.bagPage, 1);
    bag.open = 0;
    Frame();
    EXPECT_EQ(bag.bagPage, 0);
    EXPECT_EQ(bag.overBag, 0);
}

TEST_F(BagTest, PiecesScrollingOutOfThePictureGoLooseAndComeBack) {
    InventoryBag& bag = Bag();
    TearObj& apple = bag.items[kApple];
    apple.x = 860; // on the bound: still in the picture
    Frame();
    EXPECT_EQ(apple.state, ItemVisible);
    apple.x = 861;
    Frame();
    EXPECT_EQ(apple.state, ItemLoose);
    apple.x = 860;
    Frame();
    EXPECT_EQ(apple.state, ItemVisible);
    apple.x = -60 - apple.dw;
    Frame();
    EXPECT_EQ(apple.state, ItemVisible);
    apple.x = -61 - apple.dw;
    Frame();
    EXPECT_EQ(apple.state, ItemLoose);
}

TEST_F(BagTest, ResetBagRestoresTheStartAfterAGame) {
    InventoryBag& bag = Bag();
    TearOut(kApple);
    bag.open = 1;
    bag.bagPage = 2;
    bag.ResetBag();
    EXPECT_EQ(bag.count, 0);
    EXPECT_EQ(bag.open, 0);
    EXPECT_EQ(bag.slots[0].occupied, 0);
    EXPECT_EQ(bag.holes[kApple].page, -1);
    EXPECT_EQ(bag.items[kApple].state, ItemLoose);
    EXPECT_EQ(bag.items[5].state, ItemNotInPlay);
    EXPECT_EQ(bag.items[7].state, ItemNotInPlay);
    EXPECT_EQ(bag.items[10].state, ItemNotInPlay);
    EXPECT_EQ(bag.item12Frame, 1);
    EXPECT_EQ(bag.tearingObj[kApple].placePage, -1);
    EXPECT_EQ(bag.items[kApple].dw, 2 * bag.items[kApple].w);
    // The animated pieces' strip frames are cut from their own frame size.
    const TearObj& bird = bag.items[2];
    EXPECT_EQ(bag.ItemFrameTable[3].left, 3 * bird.w);
    EXPECT_EQ(bag.ItemFrameTable[3].bottom, bird.h);
}

// Bad numbers in a piece's property files end the game with a message naming the file, not a
// crash or a huge allocation.
class BagDataTest : public HeadlessTest {};

TEST_F(BagDataTest, ImplausibleFrameCountOrSizeIsRefusedNamingTheFile) {
    namespace fs = std::filesystem;
    const fs::path root = TempDir();
    fs::create_directories(root / "Data");
    fs::copy("Data/Address", root / "Data/Address", fs::copy_options::recursive);
    fs::copy("Data/Text", root / "Data/Text", fs::copy_options::recursive);
    std::ofstream(root / "Data/Text/Bag/Tearing/egg.txt")
        << "x_offset 8\ny_offset 8\nframe_width 38\nframe_height 44\nframes 2147483647\n";
    std::ofstream(root / "Data/Text/Bag/Tear/key.txt")
        << "x 1\ny 2\nwidth -40\nheight 20\nstep 12\n";
    const fs::path previous = fs::current_path();
    fs::current_path(root);
    // The bag exists already (the fixture made it): ResetBag reads the property files again.
#ifdef GTEST_USES_POSIX_RE
    EXPECT_EXIT(InventoryBag::Instance().ResetBag(), ::testing::ExitedWithCode(1),
                "Tear/key.txt.*width -40|Tearing/egg.txt.*frame count");
#else // GoogleTest's own expressions (Windows) have no alternatives
    EXPECT_EXIT(InventoryBag::Instance().ResetBag(), ::testing::ExitedWithCode(1), "Tear");
#endif
    fs::current_path(previous);
}
