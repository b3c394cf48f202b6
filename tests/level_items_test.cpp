// The bag's items on page turns, on hand-made layouts: falls, drifts, paths and hops, each
// taken back turn by turn.
#include "TestSupport.h"
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"
#include "scenes/level/LevelSnapshot.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

class ItemsTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Reset();
    }
    void Reset() {
        stage.level = LevelState{};
        for (CollObj& o : stage.level.colls)
            o.state = 5;
        InventoryBag::Instance().ResetBag();
        CCommon::Instance().ResetPlay();
        OpenAllGates(Common());
        Common().page = 10;
        for (TearObj& it : Bag().items)
            it.state = ItemInBag; // out of the way
    }

    CStage_One stage;
    static CCommon& Common() { return CCommon::Instance(); }
    static InventoryBag& Bag() { return InventoryBag::Instance(); }
    TearObj& Item(int k) { return Bag().items[k]; }

    // An item put down at (x, y) on page placePage; it rests on the ground at y = 530.
    TearObj& PutDown(int k, int32_t x, int32_t y, int32_t step, int32_t placePage = 10) {
        TearingObj& t = Bag().tearingObj[k];
        t.x = x - 5;
        t.y = y - 7;
        t.offX = 5;
        t.offY = 7;
        t.placePage = placePage;
        TearObj& it = Item(k);
        it.x = x;
        it.y = y;
        it.step = step;
        it.dh = 40;
        it.state = ItemPlaced;
        return it;
    }
    TearObj& Loose(int k, int32_t x, int32_t y, int32_t step, int32_t state = ItemVisible) {
        TearObj& it = Item(k);
        it.x = x;
        it.y = y;
        it.step = step;
        it.state = state;
        return it;
    }

    void WaitingC11(int32_t x, int32_t y) {
        CollObj& c11 = stage.level.colls[11];
        c11.x = x;
        c11.y = y;
        c11.frames = 3;
        c11.state = 6;
    }

    void Forward() {
        stage.CollisionsForward();
        stage.ItemsForward();
        ++Common().page;
    }
    void Backward() {
        stage.CollisionsBackward();
        stage.ItemsBackward();
        --Common().page;
    }

    void ExpectRetrace(int n, const char* what) {
        std::vector<LevelSnapshot> seen;
        for (int i = 0; i < n; ++i) {
            seen.push_back(TakeSnapshot(stage));
            Forward();
        }
        for (int i = n - 1; i >= 0; --i) {
            Backward();
            const LevelSnapshot now = TakeSnapshot(stage);
            ASSERT_TRUE(now == seen[i])
                << what << ", back to turn " << i << ": " << FirstDifference(seen[i], now);
        }
    }
};

TEST_F(ItemsTest, Item2FallsDriftsChangesPictureAndRisesBack) {
    PutDown(2, 100, 300, 10, 11);
    Forward(); // not yet: it was put down on the next page
    EXPECT_EQ(Item(2).y, 300);
    for (int i = 0; i < 12; ++i)
        Forward();
    EXPECT_EQ(Item(2).y, 540);
    EXPECT_EQ(Item(2).x, 100);
    for (int i = 0; i < 4; ++i)
        Forward();
    EXPECT_EQ(Item(2).x, 60);
    EXPECT_EQ(Bag().item2Frame, 3); // three changes, then it keeps its last picture
    EXPECT_EQ(stage.level.stamps.item2FrameAt[3], 25);

    Reset();
    PutDown(2, 100, 300, 10, 11);
    ExpectRetrace(20, "item 2");
    EXPECT_EQ(stage.level.stamps.item2FrameAt[1], kNoStamp);
    Backward(); // at its put-down point: nothing left to undo
    EXPECT_EQ(Item(2).y, 300);
    EXPECT_EQ(Item(2).x, 100);
}

// The world may stand still (the gates shut, nothing stepped) between two picture changes of a
// drifting item; turning back over both must give back each change on its own page.
TEST_F(ItemsTest, PictureChangesWithTheWorldStillBetweenThemAreTakenBackOnTheirPages) {
    for (int k : {2, 5}) {
        SCOPED_TRACE(k);
        Reset();
        PutDown(k, 300, 530, 10);
        Bag().tearingObj[k].y = 300;       // item 2 changes its picture only when put down high
        stage.level.stamps.item5Extra = 3; // set once and kept (a bound for the closing rules)
        Forward();                         // put down on the next page
        std::vector<LevelSnapshot> seen;
        std::vector<bool> moved;
        auto turn = [&](bool worldMoves) {
            seen.push_back(TakeSnapshot(stage));
            moved.push_back(worldMoves);
            if (worldMoves)
                Forward();
            else
                ++Common().page;
        };
        turn(true); // first change
        for (int i = 0; i < 4; ++i)
            turn(false);
        turn(true); // second change
        turn(false);
        turn(true); // third (item 2) or item 5's last picture
        ASSERT_EQ(k == 2 ? Bag().item2Frame : Bag().item5Frame, k == 2 ? 3 : 2);
        for (int i = static_cast<int>(seen.size()) - 1; i >= 0; --i) {
            if (moved[i])
                Backward();
            else
                --Common().page;
            const LevelSnapshot now = TakeSnapshot(stage);
            ASSERT_TRUE(now == seen[i])
                << "back to turn " << i << ": " << FirstDifference(seen[i], now);
        }
    }
}

TEST_F(ItemsTest, FallingKindsRetraceForEveryItemThatUsesThem) {
    for (int k : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10}) {
        SCOPED_TRACE(k);
        Reset();
        PutDown(k, 200, 400, 10);
        // Item 5's extra stamp is set once and kept: the closing rules read it as a bound.
        stage.level.stamps.item5Extra = 3;
        const bool driftsRight = k == 0;
        ExpectRetrace(14, "fall and drift");
        for (int i = 0; i < 14; ++i)
            Forward();
        EXPECT_EQ(Item(k).y, 540);
        EXPECT_EQ(Item(k).x, driftsRight ? 270 : 130);
    }
    EXPECT_EQ(Bag().item5Frame, 0); // only item 5's own frame changes with item 5
    Reset();
    PutDown(5, 200, 520, 10);
    for (int i = 0; i < 5; ++i)
        Forward();
    EXPECT_EQ(Bag().item5Frame, 2);
    EXPECT_EQ(stage.level.stamps.item5Extra, 13); // the turn after its last picture, once
    Backward();
    EXPECT_EQ(stage.level.stamps.item5Extra, 13);
    Reset();
    PutDown(0, 200, 400, 10);
    for (int i = 0; i < 14; ++i)
        Forward();
    EXPECT_FLOAT_EQ(Bag().item0Rotation, 3.5f); // item 0 rolls as it goes
}

// Between turns the page switches a put-down item between states 3 and 4 by whether it is in
// view; a rolling item that crosses the page's edge must still turn back as far as it turned.
TEST_F(ItemsTest, RollingItemsTurnBackAcrossThePageEdge) {
    for (int k : {0, 12}) {
        SCOPED_TRACE(k);
        Reset();
        TearObj& it = PutDown(k, 800, 530, 20);
        it.dw = 40;
        auto view = [&] {
            if (it.state == ItemPlaced && it.x >= 860) it.state = ItemPlacedOff;
            if (it.state == ItemPlacedOff && it.x < 860) it.state = ItemPlaced;
        };
        std::vector<float> rotations;
        for (int i = 0; i < 8; ++i) {
            rotations.push_back(k == 0 ? Bag().item0Rotation : Bag().item12Rotation);
            Forward();
            view();
        }
        EXPECT_EQ(it.state, ItemPlacedOff);
        for (int i = 7; i >= 0; --i) {
            Backward();
            view();
            EXPECT_EQ(k == 0 ? Bag().item0Rotation : Bag().item12Rotation, rotations[i])
                << "back to turn " << i;
        }
        EXPECT_EQ(it.x, 800);
    }
}

// Coming on the page forward, an item is seen by the rules only from the frame after the first
// (the page switches it after them); leaving it backward, it is off at once, so the first frame
// after the turn sees the page as the forward turn onto it did.
TEST_F(ItemsTest, ItemsLeavingThePageOnATurnBackAreOffItAtOnce) {
    TearObj& loose = Loose(13, 850, 200, 20);
    loose.dw = 40;
    TearObj& placed = PutDown(11, 845, 530, 20, 5);
    placed.dw = 40;
    TearObj& away = Loose(4, 880, 200, 20); // already off the page: left to the page's switch
    away.dw = 40;
    Backward();
    EXPECT_EQ(loose.x, 870);
    EXPECT_EQ(loose.state, ItemLoose);
    EXPECT_EQ(placed.x, 865);
    EXPECT_EQ(placed.state, ItemPlacedOff);
    EXPECT_EQ(away.state, ItemVisible);
}

TEST_F(ItemsTest, PiecesInTheirPlaceMoveWithTheCollisionGate) {
    PutDown(4, 200, 400, 10);
    FirstPlacementFlag(Bag(), 4) = 1;
    Forward();
    EXPECT_EQ(Item(4).x, 190);
    EXPECT_EQ(Item(4).y, 400); // held in place: no fall
    Common().collGate = 0;
    Forward();
    EXPECT_EQ(Item(4).x, 190);
    Common().collGate = 1;
    ExpectRetrace(3, "piece");
}

// I12's hop keyframes (offset from the landing point, by hop step) and I9's path (x, y, item
// frame, by path step), each step checked on its turn.
const POINT kI12Hop[17] = {{0, 0},      {18, -88},  {52, -165}, {110, -223}, {197, -196},
                           {254, -142}, {291, -71}, {329, 0},   {373, -61},  {419, -111},
                           {479, -105}, {518, -54}, {559, 2},   {622, -34},  {681, -23},
                           {724, 2},    {769, -3}};
const struct {
    int32_t x, y, frame;
} kI9Path[10] = {{750, 154, 0}, {627, 45, 1}, {500, -40, 0}, {355, -80, 1}, {275, 35, 0},
                 {161, 124, 1}, {85, 58, 0},  {25, 100, 1},  {-74, 164, 0}, {-150, 164, 1}};

TEST_F(ItemsTest, Item12HopsAlongItsPathAndBack) {
    TearObj& i12 = PutDown(12, 100, 490, 10);
    Forward();
    Forward(); // 530: on the ground now
    EXPECT_FALSE(stage.level.flags.i12Landed);
    Forward(); // lands: first hop
    EXPECT_TRUE(stage.level.flags.i12Landed);
    EXPECT_EQ(stage.level.values.i12LandX, 100);
    EXPECT_EQ(stage.level.values.i12LandY, 530);
    for (int step = 1; step <= 16; ++step) {
        if (step > 1) Forward();
        EXPECT_EQ(stage.level.values.i12HopStep, step);
        EXPECT_EQ(i12.x, 100 + kI12Hop[step].x) << "hop step " << step;
        EXPECT_EQ(i12.y, 530 + kI12Hop[step].y) << "hop step " << step;
    }
    Forward();
    EXPECT_TRUE(stage.level.flags.i12PastPath);
    EXPECT_EQ(i12.x, 899);
    Forward();
    EXPECT_EQ(i12.x, 929);

    Reset();
    PutDown(12, 100, 490, 10);
    ExpectRetrace(22, "item 12's hop");
    EXPECT_EQ(Bag().item12Rotation, 0.0f);
}

TEST_F(ItemsTest, Item9TakesItsPathOnceItHasComeInAndBack) {
    // 20 px a page from x 790: at x 750 it has come in far enough (759) and takes its path.
    TearObj& i9 = Loose(9, 790, 154, 20);
    Forward();
    Forward();
    EXPECT_EQ(i9.x, 750);
    for (int step = 1; step <= 9; ++step) {
        Forward();
        EXPECT_EQ(i9.x, kI9Path[step].x) << "path step " << step;
        EXPECT_EQ(i9.y, kI9Path[step].y) << "path step " << step;
        EXPECT_EQ(Bag().item9Frame, kI9Path[step].frame) << "path step " << step;
    }
    Forward(); // past its path: scrolls with the world
    EXPECT_EQ(i9.x, -170);
    // Turning back walks the path backwards, step by step, to where it took it.
    for (int step = 9; step >= 1; --step) {
        Backward();
        EXPECT_EQ(i9.x, kI9Path[step].x) << "back to path step " << step;
        EXPECT_EQ(i9.y, kI9Path[step].y) << "back to path step " << step;
    }
    Backward();
    EXPECT_EQ(i9.x, kI9Path[0].x);
    EXPECT_EQ(i9.y, kI9Path[0].y);
    EXPECT_EQ(Bag().item9Frame, kI9Path[0].frame);

    Reset();
    Loose(9, 790, 154, 20);
    ExpectRetrace(14, "item 9's path"); // back off the path at x 750, where it took it
    Common().itemGate = 0;
    Forward();
    EXPECT_EQ(Item(9).x, 790);
}

TEST_F(ItemsTest, LooseItemsScrollWithTheWorld) {
    Loose(3, 400, 100, 10);
    Loose(12, 400, 100, 10, ItemNotInPlay);
    Loose(6, 400, 100, 10, ItemUsedUp);
    Forward();
    EXPECT_EQ(Item(3).x, 390);
    EXPECT_EQ(Item(12).x, 410); // item 12 runs the other way, flapping
    EXPECT_EQ(Bag().item12Frame, 2);
    EXPECT_EQ(Item(6).x, 390);
    ExpectRetrace(3, "loose");
}

TEST_F(ItemsTest, LooseItem13SetsC11GoingAndTurningBackReturnsIt) {
    // Waiting C11 stands where item 13 will set it going: where it waited is not kept.
    for (int32_t step : {20, 30}) { // the egg comes back where it was, whatever its step
        SCOPED_TRACE(step);
        Reset();
        WaitingC11(420, 219);
        Loose(13, 700, 200, step);
        ExpectRetrace(3, "loose item 13");
    }
    Reset();
    WaitingC11(420, 219);
    Loose(13, 700, 200, 30);
    Forward();
    EXPECT_EQ(Item(13).state, ItemUsedUp);
    EXPECT_EQ(Item(13).x, 670);
    EXPECT_EQ(stage.level.colls[11].state, 1);
    EXPECT_EQ(stage.level.colls[11].x, 420);
    EXPECT_EQ(stage.level.colls[11].y, 219);
}

TEST_F(ItemsTest, PutDownItem13LandsAndSetsC11GoingOrShowsB27) {
    stage.level.colls[11].state = 6;
    stage.level.colls[11].frames = 3;
    Bag().item13Torn = 1;
    PutDown(13, 500, 400, 30);
    for (int i = 0; i < 7; ++i)
        Forward();
    EXPECT_EQ(Item(13).y, 540);
    EXPECT_EQ(Item(13).state, ItemPlaced);
    Forward(); // on the ground, unmet
    EXPECT_EQ(Item(13).state, ItemUsedUp);
    EXPECT_EQ(stage.level.colls[11].state, 1);
    EXPECT_EQ(stage.level.colls[11].x, 220);
    Backward(); // C11 gives it back where it lay, then it lies there placed again
    EXPECT_EQ(Item(13).state, ItemPlaced);
    EXPECT_EQ(Item(13).x, 500);
    EXPECT_EQ(Item(13).y, 540);

    Reset();
    WaitingC11(220, 559);
    Bag().item13Torn = 1;
    PutDown(13, 500, 400, 30);
    ExpectRetrace(10, "put-down item 13");

    Reset(); // put down high: B27 shows instead
    stage.level.backs[27].state = 2;
    PutDown(13, 500, 300, 30);
    for (int i = 0; i < 13; ++i)
        Forward();
    EXPECT_EQ(Item(13).state, ItemUsedUp);
    EXPECT_EQ(stage.level.backs[27].state, 4);
    EXPECT_EQ(stage.level.backs[27].x, 466);
    EXPECT_EQ(stage.level.backs[27].y, 242);

    Reset(); // met: it drifts on like the other items
    Bag().item13Frame = 1;
    PutDown(13, 500, 500, 30);
    ExpectRetrace(5, "met item 13");
    for (int i = 0; i < 3; ++i)
        Forward();
    EXPECT_EQ(Item(13).x, 470);
}

TEST_F(ItemsTest, Item14SetsC13GoingWhateverTheGates) {
    CollObj& c13 = stage.level.colls[13];
    c13.state = 6;
    PutDown(14, 300, 420, 10, 11);
    CloseAllGates(Common());
    Forward();
    EXPECT_EQ(Item(14).state, ItemPlaced);
    Forward();
    EXPECT_EQ(Item(14).state, ItemUsedUp);
    EXPECT_EQ(c13.state, 1);
    EXPECT_EQ(c13.x, 300);
    EXPECT_EQ(c13.y, 420);
    Forward(); // once only: it is out of play
    EXPECT_EQ(c13.x, 300);
}

TEST_F(ItemsTest, PlacedItem9AndItem11DriftAndFramesStayInside) {
    PutDown(9, 300, 200, 10);
    PutDown(11, 300, 200, 10);
    ExpectRetrace(3, "item 9 and item 11");
    Forward();
    EXPECT_EQ(Item(9).x, 290);
    EXPECT_EQ(Item(11).x, 290);
    EXPECT_EQ(Bag().item9Frame, 1);
    Bag().item9Frame = 7; // beyond its two pictures
    Backward();
    EXPECT_EQ(Bag().item9Frame, 0);
    Common().placedGate = 0;
    Forward();
    EXPECT_EQ(Item(9).x, 300);
}

} // namespace
