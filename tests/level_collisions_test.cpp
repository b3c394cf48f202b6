// Collision objects on page turns, on hand-made layouts: each rule fires, fires once, and the
// backward turn takes it back.
#include "TestSupport.h"
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"
#include "scenes/level/LevelSnapshot.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

class CollisionsTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Reset();
    }
    // A fresh level, book and bag (also between the cases of one test).
    void Reset() {
        stage.level = LevelState{};
        InventoryBag::Instance().ResetBag();
        CCommon::Instance().ResetPlay();
        OpenAllGates(Common());
        Common().page = 10;
        // Every object parked out of the way; each test wakes the ones it needs.
        for (CollObj& o : stage.level.colls)
            o.state = 5;
    }

    CStage_One stage;

    static CCommon& Common() { return CCommon::Instance(); }
    static InventoryBag& Bag() { return InventoryBag::Instance(); }
    CollObj& C(int k) { return stage.level.colls[k]; }
    CollObj& Wake(int k, int32_t x, int32_t y, int32_t frames, int32_t step, int32_t state = 1) {
        CollObj& o = C(k);
        o.x = x;
        o.y = y;
        o.frames = frames;
        o.step = step;
        o.state = state;
        o.frame = 0;
        return o;
    }

    // The collision phases of a turn, in the order the page turn runs them.
    void Forward() {
        stage.CollisionReleaseChecks();
        stage.CollisionsForward();
        stage.C5WakeCheck();
        ++Common().page;
    }
    // The undo lists run around the collision phase, as on a page turn: some of the collision
    // objects' undos are shared between them.
    void Backward() {
        stage.FirstUndoChecks();
        stage.CollisionsBackward();
        stage.SecondUndoChecks();
        --Common().page;
    }

    // The gates lag one turn behind on the way back (they hold what the turn being undone ran
    // with), so the retrace compares everything else and gates are checked where they matter.
    LevelSnapshot WithoutGates() {
        LevelSnapshot s = TakeSnapshot(stage);
        s.common.backGate = s.common.itemGate = s.common.collGate = s.common.placedGate = 1;
        return s;
    }

    // n forward turns, then n backward turns each giving back the world of the page before.
    void ExpectRetrace(int n, const char* what) {
        std::vector<LevelSnapshot> seen;
        for (int i = 0; i < n; ++i) {
            seen.push_back(WithoutGates());
            Forward();
        }
        for (int i = n - 1; i >= 0; --i) {
            Backward();
            const LevelSnapshot now = WithoutGates();
            ASSERT_TRUE(now == seen[i])
                << what << ", back to turn " << i << ": " << FirstDifference(seen[i], now);
        }
    }
};

// With collGate closed, every object by the state table: active ones (1) and parked ones (5) stand,
// carried ones (6) move with the world both ways, waiting ones (7) are let go (18 forward; 17, 18
// and 19 backward), unknown states (8) do nothing.
TEST_F(CollisionsTest, ClosedGateStateTableForEveryObject) {
    for (int k = 0; k < LevelState::kColls; ++k) {
        for (int32_t state : {1, 5, 6, 7, 8}) {
            for (bool forward : {true, false}) {
                Reset();
                Wake(k, 300, 100, 4, 10, state).frame = 2;
                Common().collGate = 0;
                if (forward)
                    stage.CollisionsForward();
                else
                    stage.CollisionsBackward();
                const bool released = state == 7 && (forward ? k == 18 : k >= 17 && k <= 19);
                const bool moves = state == 6 || released;
                EXPECT_EQ(C(k).x, moves ? (forward ? 290 : 310) : 300)
                    << "C" << k << " in state " << state << (forward ? " forward" : " backward");
                EXPECT_EQ(C(k).state, released ? 1 : state) << "C" << k << " in state " << state;
                EXPECT_EQ(C(k).frame, 2) << "C" << k << " in state " << state;
            }
        }
    }
}

TEST_F(CollisionsTest, EveryDriftRuleMovesAndTurnsBack) {
    for (int k = 0; k < LevelState::kColls; ++k) {
        SCOPED_TRACE(k);
        Reset();
        Wake(k, 300, 100, 3, 7).frame = 1;
        if (k == 10) { // C10 follows its path: start on its keyframe
            C(10).x = 445;
            C(10).y = 40;
        }
        const LevelState before = stage.level;
        Forward();
        EXPECT_FALSE(before == stage.level) << "slot " << k << " did not move";
        Backward();
        EXPECT_TRUE(before == stage.level)
            << FirstDifference(LevelSnapshot{before, {}, {}}, LevelSnapshot{stage.level, {}, {}});
    }
}

TEST_F(CollisionsTest, C15LeavesFrameZeroForGood) {
    Wake(15, 100, 100, 4, 3);
    for (int i = 0; i < 9; ++i) {
        Forward();
        EXPECT_NE(C(15).frame, 0) << "turn " << i;
        EXPECT_LT(C(15).frame, 4);
    }
    EXPECT_EQ(C(15).x, 127);
    for (int frames : {0, 1}) { // too few frames to wrap: it stays on its only picture
        C(15).frames = frames;
        C(15).frame = 0;
        Forward();
        EXPECT_EQ(C(15).frame, 0);
        Backward();
        EXPECT_EQ(C(15).frame, 0);
    }
}

TEST_F(CollisionsTest, C19FallsThenPlaysAndDriftsAndTurnsBackInReverse) {
    Wake(19, 400, 480, 3, 20);
    Forward(); // 500
    Forward(); // 520
    EXPECT_FALSE(stage.level.flags.c19Landed);
    Forward(); // 540: landed where it stands
    EXPECT_TRUE(stage.level.flags.c19Landed);
    EXPECT_EQ(C(19).y, 540);
    EXPECT_EQ(C(19).x, 400);
    EXPECT_EQ(C(19).frame, 0);
    Forward();
    EXPECT_EQ(C(19).frame, 1);
    EXPECT_EQ(C(19).x, 380);
    Forward(); // the last frame parks it
    EXPECT_EQ(C(19).frame, 2);
    EXPECT_EQ(C(19).state, 5);
    EXPECT_EQ(C(19).pageStamp, 14);
    Forward();
    EXPECT_EQ(C(19).x, 360);

    Backward(); // parked: nothing to undo on this turn
    EXPECT_EQ(C(19).state, 5);
    Backward(); // the turn that parked it
    EXPECT_EQ(C(19).state, 1);
    EXPECT_EQ(C(19).frame, 1);
    EXPECT_EQ(C(19).x, 380);
    Backward();
    EXPECT_EQ(C(19).frame, 0);
    EXPECT_EQ(C(19).x, 400);
    EXPECT_EQ(C(19).y, 540);
    Backward(); // frames rewound: now it lifts
    EXPECT_FALSE(stage.level.flags.c19Landed);
    EXPECT_EQ(C(19).y, 520);

    Reset();
    Wake(19, 400, 480, 3, 20);
    ExpectRetrace(7, "C19");
}

TEST_F(CollisionsTest, C0SequenceEndIsTakenBackByTheNextBackwardTurn) {
    Wake(0, 200, 300, 4, 10, 2);
    Bag().items[2].state = ItemVisible;
    Forward();
    EXPECT_EQ(C(0).frame, 1);
    EXPECT_EQ(Bag().items[2].state, ItemUsedUp);
    EXPECT_FALSE(Common().collGate);
    Forward();
    Forward(); // reaches the last frame: done
    EXPECT_EQ(C(0).state, 3);
    EXPECT_EQ(C(0).frame, 3);
    EXPECT_EQ(C(0).x, 190);
    EXPECT_EQ(C(0).pageStamp, 12);
    EXPECT_TRUE(Common().collGate && Common().backGate && Common().itemGate);

    Backward();
    EXPECT_EQ(C(0).state, 2);
    EXPECT_EQ(C(0).frame, 2); // one frame before its last
    EXPECT_EQ(C(0).x, 200);
    EXPECT_EQ(C(0).pageStamp, kNoStamp);
    Backward();
    EXPECT_FALSE(Common().collGate);
    Backward();
    Backward(); // frame 0: back to waiting, the turn before it drifted
    EXPECT_EQ(C(0).state, 1);
    EXPECT_EQ(C(0).x, 210);
    EXPECT_EQ(Bag().items[2].state, ItemVisible);
    EXPECT_TRUE(Common().collGate);

    Reset();
    Wake(0, 200, 300, 4, 10, 2);
    Bag().items[2].state = ItemVisible;
    ExpectRetrace(5, "C0");
}

// The turn that ends C0's, C1's or C24's sequence opens the three gates the sequence held
// closed; the whole backward turn over it (undo checks first) closes them again.
TEST_F(CollisionsTest, TurningBackOverASequenceEndClosesTheGatesAgain) {
    for (int k : {0, 1, 24}) {
        SCOPED_TRACE(k);
        Reset();
        Wake(k, 200, 300, 4, 10, 2).frame = 2;
        if (k == 1) Wake(0, 100, 300, 4, 10, 3);
        CloseThreeGates(Common());
        Forward();
        EXPECT_EQ(C(k).state, 3);
        EXPECT_TRUE(Common().backGate && Common().itemGate && Common().collGate);
        Backward();
        EXPECT_EQ(C(k).state, 2);
        EXPECT_EQ(C(k).frame, 2);
        EXPECT_FALSE(Common().backGate || Common().itemGate || Common().collGate);
        EXPECT_TRUE(Common().placedGate);
    }
}

// A sequence started on the frame its object came on the page (an item already lying there)
// is undone back to the state the object waited in: off the page, 0, so the frame after the
// turn does not start the sequence a page early.
TEST_F(CollisionsTest, SequenceUndoneToItsStartWaitsOffThePageAgain) {
    for (int k : {0, 1, 3, 24}) {
        SCOPED_TRACE(k);
        Reset();
        CollObj& o = Wake(k, 845, 300, 4, 20, 2);
        o.dw = 100;
        Backward();
        EXPECT_EQ(o.x, 865);
        EXPECT_EQ(o.state, 0);
        Reset();
        Wake(k, 700, 300, 4, 20, 2).dw = 100;
        Backward();
        EXPECT_EQ(C(k).state, 1);
    }
}

TEST_F(CollisionsTest, C3AndC24SequencesRetrace) {
    for (int k : {3, 24}) {
        SCOPED_TRACE(k);
        Reset();
        Wake(k, 200, 300, 3, 10, 2);
        ExpectRetrace(5, "sequence");
        Forward();
        Forward();
        EXPECT_EQ(C(k).state, 3);
        EXPECT_EQ(C(k).frame, 2);
    }
}

TEST_F(CollisionsTest, C1SequenceMovesC0AtItsEndAndGivesItBack) {
    Wake(0, 500, 300, 4, 10, 5);
    Wake(1, 200, 300, 4, 10, 2);
    stage.level.flags.c1Primed = 1;
    Bag().items[2].state = ItemPlaced;
    Bag().tearingObj[2].placePage = 3;
    Forward();
    Forward();
    EXPECT_EQ(Bag().items[2].state, ItemUsedUp);
    Forward();
    EXPECT_EQ(C(1).state, 3);
    EXPECT_EQ(C(0).x, 490);
    Backward();
    EXPECT_EQ(C(0).x, 500);
    Backward();
    EXPECT_EQ(Bag().items[2].state, ItemPlaced);

    Reset();
    Wake(0, 500, 300, 4, 10, 5);
    Wake(1, 200, 300, 4, 10, 2);
    stage.level.flags.c1Primed = 1;
    Bag().items[2].state = ItemVisible; // primed with item 2 still printed on the page
    ExpectRetrace(5, "C1");
    Backward(); // at frame 0: the priming is taken back too
    EXPECT_EQ(C(1).state, 1);
    EXPECT_FALSE(stage.level.flags.c1Primed);
}

TEST_F(CollisionsTest, C5WakesWithItem7InTheBagAndWindsBack) {
    Wake(5, 400, 300, 5, 10).frame = 1;
    Bag().items[7].state = ItemInBag;
    Forward();
    EXPECT_EQ(C(5).state, 2);
    EXPECT_EQ(C(5).x, 390);
    EXPECT_EQ(C(5).frame, 1);
    for (int i = 0; i < 3; ++i)
        Forward();
    EXPECT_EQ(C(5).frame, 4);
    Forward();
    EXPECT_EQ(C(5).state, 3);

    Reset();
    Wake(5, 400, 300, 5, 10).frame = 1;
    Bag().items[7].state = ItemInBag;
    ExpectRetrace(7, "C5");
    EXPECT_EQ(C(5).state, 1);
    EXPECT_EQ(C(5).frame, 1);
}

TEST_F(CollisionsTest, C7FliesItsPathThenParks) {
    Wake(7, 400, 300, 4, 10, 2);
    stage.level.values.c7StartX = 400;
    stage.level.values.c7StartY = 300;
    Forward();
    EXPECT_EQ(C(7).x, 150);
    EXPECT_EQ(C(7).y, 100);
    EXPECT_FLOAT_EQ(stage.level.draw.c7Scale, 1.8f);
    for (int i = 0; i < 7; ++i)
        Forward();
    EXPECT_EQ(C(7).x, 320);
    EXPECT_FLOAT_EQ(stage.level.draw.c7Rotation, 9.0f);
    EXPECT_EQ(C(7).state, 2);
    Forward();
    EXPECT_EQ(C(7).state, 5);
    EXPECT_EQ(stage.level.stamps.c7PathEnd, 18);
    Forward();
    EXPECT_EQ(C(7).x, 320); // parked
    Backward();
    EXPECT_EQ(C(7).state, 5);
    Backward();
    EXPECT_EQ(C(7).state, 2);
    EXPECT_EQ(stage.level.stamps.c7PathEnd, kNoStamp);

    Reset();
    Wake(7, 400, 300, 4, 10, 2);
    stage.level.values.c7StartX = 400;
    stage.level.values.c7StartY = 300;
    ExpectRetrace(10, "C7");
    Backward(); // the turn it was handed over on: it drifted as an active object
    EXPECT_EQ(C(7).state, 1);
    EXPECT_EQ(C(7).x, 410);
}

TEST_F(CollisionsTest, C10PathEndsAfterTheEighthTurn) {
    Wake(10, 558, 74, 3, 10);
    stage.level.backs[31].state = 2;
    for (int i = 0; i < 7; ++i)
        Forward();
    EXPECT_EQ(C(10).frame, 7);
    EXPECT_EQ(C(10).state, 1);
    EXPECT_EQ(C(10).x, 100);
    EXPECT_EQ(C(10).y, 550);
    Forward();
    EXPECT_EQ(C(10).state, 5);
    EXPECT_EQ(stage.level.backs[31].state, 1);
    EXPECT_EQ(stage.level.backs[31].x, 86);
    EXPECT_EQ(stage.level.backs[31].y, 528);

    Reset();
    Wake(10, 558, 74, 3, 10);
    ExpectRetrace(7, "C10");
    Backward(); // frame 0: waits again, parked once C9 has moved on
    EXPECT_EQ(C(10).state, 6);
    Wake(10, 558, 74, 3, 10);
    C(9).frame = 1;
    Backward();
    EXPECT_EQ(C(10).state, 5);
    EXPECT_FALSE(stage.StepC10PathBack());
}

TEST_F(CollisionsTest, C11HandsOverToC12AndGivesItem13Back) {
    Wake(11, 300, 200, 3, 10);
    Wake(12, 0, 0, 3, 10, 6);
    Forward();
    Forward();
    EXPECT_EQ(C(12).state, 6);
    Forward(); // at its last frame: C12 takes over
    EXPECT_EQ(C(12).state, 1);
    EXPECT_EQ(C(12).x, 280 - 10); // placed, then it drifts this same turn (it comes after C11)
    EXPECT_EQ(C(11).state, 5);
    EXPECT_EQ(stage.level.stamps.c11HandOver, 12);

    Reset();
    Wake(11, 300, 200, 3, 10);
    Bag().items[13].state = ItemUsedUp;
    Bag().item13Torn = 1;
    Backward();
    EXPECT_EQ(C(11).state, 6);
    EXPECT_EQ(Bag().items[13].state, ItemFallen);
    EXPECT_EQ(Bag().items[13].x, 580);
    EXPECT_EQ(Bag().items[13].y, 181);
}

TEST_F(CollisionsTest, C17ReleasesC19OnItsFirstStep) {
    Wake(17, 300, 200, 3, 10);
    Wake(19, 0, 0, 3, 20, 6);
    Wake(18, 600, 200, 3, 10, 5);
    Forward();
    EXPECT_EQ(C(19).state, 1);
    EXPECT_EQ(C(19).x, 316);
    ExpectRetrace(1, "C17");
    Forward();
    Forward(); // at the last frame: done, and C18 walks on from C17's place
    EXPECT_TRUE(stage.level.flags.c17Done);
    EXPECT_EQ(C(17).state, 5);
    EXPECT_EQ(C(18).state, 1);
    EXPECT_EQ(C(18).x, 270); // placed at 280, then its own step
    Reset();
    Wake(17, 300, 200, 3, 10).frame = 1;
    Wake(19, 316, 319, 3, 20);
    Backward();
    EXPECT_EQ(C(19).state, 6);
}

TEST_F(CollisionsTest, ReleaseChecksParkC7AndC8OnceItem9IsDown) {
    Wake(7, 300, 200, 3, 10);
    Bag().items[9].state = ItemPlaced;
    Bag().tearingObj[9].placePage = 10;
    stage.level.backs[16].state = 2;
    stage.level.backs[16].x = 777;
    stage.CollisionReleaseChecks();
    EXPECT_EQ(C(7).state, 1); // not on the page it was put down on
    ++Common().page;
    stage.CollisionReleaseChecks();
    EXPECT_EQ(C(7).state, 5);
    EXPECT_EQ(stage.level.backs[16].state, 4);
    EXPECT_EQ(stage.level.backs[16].x, 254);
    EXPECT_EQ(stage.level.values.b16HiddenX, 777); // where turning back hides it again
    EXPECT_TRUE(stage.level.flags.b16Released);

    Reset();
    Wake(8, 300, 200, 3, 10).w = 40;
    Bag().items[9].state = ItemPlaced;
    Bag().tearingObj[9].placePage = 5;
    stage.level.backs[16].state = 2;
    stage.level.backs[16].x = 666;
    stage.CollisionReleaseChecks();
    EXPECT_EQ(C(8).state, 5);
    EXPECT_FLOAT_EQ(stage.level.draw.b16ScaleX, -2.0f);
    EXPECT_EQ(stage.level.backs[16].x, 389);
    EXPECT_EQ(stage.level.values.b16HiddenX, 666);
}

TEST_F(CollisionsTest, FramesStayInsideWhateverTheData) {
    for (int frames : {0, 1, 2}) {
        for (int state : {0, 1, 3, 4}) {
            Reset();
            for (int k = 0; k < LevelState::kColls; ++k)
                Wake(k, 300, 100, frames, 5, state);
            C(21).frame = 9; // out of its strip in the data
            C(22).frame = -3;
            for (int i = 0; i < 4; ++i)
                Forward();
            for (int i = 0; i < 6; ++i)
                Backward();
            for (int k : {7, 8, 9, 12, 13, 14, 15, 16, 18, 21, 22}) {
                EXPECT_GE(C(k).frame, 0) << k;
                EXPECT_LE(C(k).frame, frames > 0 ? frames - 1 : 0) << k;
            }
        }
    }
    // Keyframes outside their tables change nothing.
    Reset();
    const LevelState before = stage.level;
    for (int n : {-1, 9, 1000})
        stage.ApplyC7Keyframe(n);
    for (int n : {-1, 8, 1000})
        stage.ApplyC10Keyframe(n);
    EXPECT_TRUE(before == stage.level);
}

} // namespace

// Turning back, an object that leaves the page on this turn is off it at once, as a piece is: the
// rules of the frame after the turn must not meet it there, since going forward they first met it
// a frame after it came on. One still on the page stays on.
TEST_F(CollisionsTest, ObjectsLeavingThePageOnATurnBackAreOffAtOnce) {
    for (const auto& [x, after] : {std::pair{853, 0}, std::pair{833, 1}}) {
        Reset();
        CollObj& c2 = Wake(2, x, 300, 2, 20);
        c2.dw = 120;
        Backward();
        EXPECT_EQ(c2.x, x + 20);
        EXPECT_EQ(c2.state, after) << "from x " << x;
    }
}
