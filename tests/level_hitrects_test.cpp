// Where the playing frame places the rectangles its rules test, on small hand-built layouts.
#include "TestSupport.h"
#include "scenes/level/CStage_One.h"
#include "services/InventoryBag.h"
#include <gtest/gtest.h>

namespace {

constexpr RECT kOld{1, 2, 3, 4}; // a value left by an earlier frame

class LevelHitRectsTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        L.hitA = L.hitB = L.hitC = kOld;
        for (RECT& z : L.zones)
            z = kOld;
        for (CollObj& c : L.colls)
            c.hit = kOld;
        for (TearObj& item : InventoryBag::Instance().items)
            item.state = ItemLoose;
    }
    void PlaceChar(int state, int32_t x, int32_t y, int32_t dw, int32_t dh, int32_t frame = 0) {
        CharObj& c = L.chars[state];
        c.x = x;
        c.y = y;
        c.dw = dw;
        c.dh = dh;
        c.frames = 5;
        c.frame = frame;
        L.charState = state;
    }
    CollObj& Coll(int k, int32_t state, int32_t x, int32_t y, int32_t frame = 0) {
        CollObj& c = L.colls[k];
        c.state = state;
        c.x = x;
        c.y = y;
        c.w = 40;
        c.dw = 80;
        c.dh = 60;
        c.frame = frame;
        return c;
    }

    CStage_One stage;
    LevelState& L = stage.level;
};

TEST_F(LevelHitRectsTest, WalkerRectanglesFollowItsPictureAndHead) {
    PlaceChar(CharWalk, 75, 450, 100, 120);
    L.head.x = 109;
    L.head.y = 395;
    L.head.dh = 50;
    stage.PlaceHitRects();
    EXPECT_EQ(L.hitA, (RECT{85, 450, 165, 570}));
    EXPECT_EQ(L.hitB, (RECT{119, 405, 159, 455}));
    EXPECT_EQ(L.hitC, (RECT{185, 450, 195, 570}));
}

TEST_F(LevelHitRectsTest, RiderFeetOnlyWhileC3OffersTheDismount) {
    PlaceChar(CharRide, 100, 200, 300, 300);
    L.colls[3].frame = 1;
    stage.PlaceHitRects();
    EXPECT_EQ(L.hitA, (RECT{204, 230, 240, 324}));
    EXPECT_EQ(L.hitB, kOld);
    EXPECT_EQ(L.hitC, (RECT{158, 320, 404, 536}));
    L.colls[3].frame = 2;
    stage.PlaceHitRects();
    EXPECT_EQ(L.hitB, (RECT{301, 483, 360, 546}));
}

TEST_F(LevelHitRectsTest, StatesThatPlaceNothingKeepTheLastRectangles) {
    for (int state : {1, 3, 4, 6, 7, 8, 11, 13, 14, 15, 16, 20}) {
        if (state < LevelState::kChars) PlaceChar(state, 100, 100, 50, 50);
        L.charState = state;
        stage.PlaceHitRects();
        EXPECT_EQ(L.hitA, kOld) << "state " << state;
        EXPECT_EQ(L.hitB, kOld) << "state " << state;
        EXPECT_EQ(L.hitC, kOld) << "state " << state;
    }
}

// Frames the data may hold beyond the tables (or a broken record's negative frame) must not read
// past them: the rectangles stay as they were (the dismount's legs, placed from the ride's
// record whatever the frame, excepted).
TEST_F(LevelHitRectsTest, FramesOutsideTheJumpAndDismountTablesChangeNothing) {
    L.chars[CharRide].x = 40;
    L.chars[CharRide].y = 60;
    for (int state : {CharJump, CharDismount}) {
        for (int frame : {5, 6, 1000, -1}) {
            PlaceChar(state, 100, 200, 0, 0, frame);
            stage.PlaceHitRects();
            EXPECT_EQ(L.hitA, kOld) << state << " frame " << frame;
            EXPECT_EQ(L.hitB, kOld) << state << " frame " << frame;
            EXPECT_EQ(L.hitC, state == CharJump ? kOld : (RECT{98, 180, 344, 396}))
                << state << " frame " << frame;
        }
    }
}

TEST_F(LevelHitRectsTest, ZoneZeroOnlyWhileItemTwoIsPlacedAndC1Waits) {
    InventoryBag& bag = InventoryBag::Instance();
    Coll(1, 1, 100, 50);
    bag.items[2].state = ItemVisible;
    stage.PlaceHitRects();
    EXPECT_EQ(L.zones[0], kOld);
    EXPECT_EQ(L.colls[1].hit, (RECT{100, 100, 423, 245}));

    bag.items[2].state = ItemPlaced;
    stage.PlaceHitRects();
    EXPECT_EQ(L.zones[0], (RECT{351, 255, 427, 315}));

    // Primed (state 2): the zone stays where it was last placed while C1 moves on.
    L.colls[1].state = 2;
    L.colls[1].x = 0;
    stage.PlaceHitRects();
    EXPECT_EQ(L.zones[0], (RECT{351, 255, 427, 315}));
    EXPECT_EQ(L.colls[1].hit, (RECT{100, 100, 423, 245}));
}

TEST_F(LevelHitRectsTest, C4FollowsAtFrameZeroInAnyStateAndInStateThreeAtAnyFrame) {
    for (int state : {0, 1, 2, 5, 6}) {
        Coll(4, state, 10 * state, 7, 0);
        stage.PlaceHitRects();
        EXPECT_EQ(L.colls[4].hit, (RECT{10 * state, 7, 10 * state + 80, 67})) << state;
    }
    Coll(4, 1, 300, 7, 1).hit = kOld;
    stage.PlaceHitRects();
    EXPECT_EQ(L.colls[4].hit, kOld);
    Coll(4, 3, 300, 7, 4);
    stage.PlaceHitRects();
    EXPECT_EQ(L.colls[4].hit, (RECT{300, 7, 380, 67}));
}

TEST_F(LevelHitRectsTest, CollisionRectanglesOnlyInTheirStates) {
    Coll(0, 1, 10, 20, 1); // not at rest
    Coll(2, 1, 10, 20, 0);
    Coll(7, 5, 10, 20);
    Coll(10, 1, 10, 20); // one strip frame wide, not drawn width
    Coll(13, 1, 10, 20);
    Coll(20, 1, 10, 20);
    Coll(21, 6, 10, 20);
    Coll(24, 1, 10, 20);
    stage.PlaceHitRects();
    EXPECT_EQ(L.colls[0].hit, kOld);
    EXPECT_EQ(L.colls[2].hit, (RECT{10, 50, 90, 110}));
    EXPECT_EQ(L.colls[7].hit, kOld);
    EXPECT_EQ(L.colls[10].hit, (RECT{10, 20, 50, 80}));
    EXPECT_EQ(L.colls[13].hit, (RECT{18, 34, 78, 94}));
    EXPECT_EQ(L.colls[20].hit, (RECT{10, 20, 90, 80}));
    EXPECT_EQ(L.colls[21].hit, kOld);
    EXPECT_EQ(L.colls[24].hit, (RECT{66, 136, 456, 354}));
    EXPECT_EQ(L.zones[7], (RECT{290, 120, 300, 420}));
}

TEST_F(LevelHitRectsTest, C11OpensByFrameAndKeepsItsAreaBeyondTheTable) {
    const RECT expected[] = {{350, 0, 446, 60},
                             {304, 0, 446, 60},
                             {208, 0, 446, 60},
                             {138, 0, 448, 60},
                             {100, 0, 180, 60}};
    for (int frame = 0; frame < 5; ++frame) {
        Coll(11, 1, 100, 0, frame);
        stage.PlaceHitRects();
        EXPECT_EQ(L.colls[11].hit, expected[frame]) << "frame " << frame;
    }
    Coll(11, 1, 0, 0, 5);
    stage.PlaceHitRects();
    EXPECT_EQ(L.colls[11].hit, expected[4]);
}

} // namespace
