// The playing frame's puzzle rules on small hand-built layouts: each rule fires, fires once, and
// the rules of a group run in order.
#include "TestSupport.h"
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

constexpr int32_t kPage = 10;

RECT Box(int32_t x, int32_t y, int32_t size = 20) {
    return RECT{x, y, x + size, y + size};
}

class LevelRulesTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        ResetWorld();
    }
    // A quiet world: no object in play, every item out of play, an empty bag, all gates open.
    void ResetWorld() {
        L = LevelState{};
        CCommon& common = CCommon::Instance();
        common.page = kPage;
        OpenAllGates(common);
        lossResult = 0;
        for (int k = 0; k < InventoryBag::kItems; ++k) {
            bag.items[k].state = ItemLoose;
            bag.items[k].hit = RECT{};
            bag.tearingObj[k].placePage = -1;
            bag.tearingObj[k].playing = 0;
            bag.slots[k].occupied = 0;
            bag.slots[k].item = -1;
        }
        for (RECT& r : bag.hotspot)
            r = RECT{};
        for (uint8_t& f : bag.placementFlags)
            f = 0;
        bag.count = 0;
        bag.item2Frame = bag.item7Frame = bag.item13Frame = 0;
    }

    void PutDown(int item, RECT hit, int32_t placePage = kPage - 1) {
        bag.items[item].state = ItemPlaced;
        bag.items[item].hit = hit;
        bag.items[item].x = hit.left;
        bag.items[item].y = hit.top;
        bag.tearingObj[item].placePage = placePage;
    }
    void SetHotspot(int item, RECT r) {
        for (int i = 0; i < 7; ++i)
            if (kHotspotItems[i] == item) bag.hotspot[i] = r;
    }
    CollObj& Coll(int k, int32_t state, RECT hit, int32_t x = 0, int32_t y = 0) {
        CollObj& c = L.colls[k];
        c.state = state;
        c.hit = hit;
        c.x = x;
        c.y = y;
        c.frame = 0;
        return c;
    }
    void Walker(RECT hitA, int32_t x = 75, int32_t y = 450) {
        L.charState = CharWalk;
        L.chars[CharWalk].x = x;
        L.chars[CharWalk].y = y;
        L.hitA = hitA;
    }
    void Store(int slot, int item) {
        bag.slots[slot].item = item;
        bag.slots[slot].occupied = 1;
        bag.items[item].state = ItemInBag;
        ++bag.count;
    }
    // A rule that changes what its own condition needs fires once: a second frame changes nothing.
    void ExpectSecondFrameChangesNothing() {
        LevelState before = L;
        stage.Interact();
        EXPECT_TRUE(before == L);
    }
    static bool AllGatesOpen() {
        CCommon& c = CCommon::Instance();
        return c.placedGate && c.backGate && c.itemGate && c.collGate;
    }

    CStage_One stage;
    LevelState& L = stage.level;
    InventoryBag& bag = InventoryBag::Instance();
};

TEST_F(LevelRulesTest, ItemZeroUsesObjectsOnlyOnceAndOnlyAfterItsOwnPage) {
    PutDown(0, Box(0, 0, 1), kPage);
    SetHotspot(0, Box(300, 300, 100));
    Coll(21, 1, Box(350, 350), 290, 280);
    L.back11Copies[1].shown = 2;
    LevelState before = L;
    stage.Interact(); // put down on this very page: not yet at work
    EXPECT_TRUE(before == L);

    bag.tearingObj[0].placePage = kPage - 1;
    stage.Interact();
    EXPECT_EQ(L.colls[21].state, 5);
    EXPECT_EQ(L.colls[21].pageStamp, kPage);
    EXPECT_EQ(L.back11Copies[1].shown, 1);
    EXPECT_EQ(L.back11Copies[1].x, 304);
    EXPECT_EQ(L.back11Copies[1].y, 330);
    ExpectSecondFrameChangesNothing();
}

// Item 0 meets item 7 lying loose, or put down on an earlier page: item 7's frame turns to 1 and
// the meeting is stamped with the page (turning back over it undoes it).
TEST_F(LevelRulesTest, ItemZeroMeetsItemSevenLooseOrPutDownEarlier) {
    const struct {
        int32_t state, placePage;
        bool meets;
    } cases[] = {{ItemVisible, -1, true},
                 {ItemPlaced, kPage - 1, true},
                 {ItemPlaced, kPage, false},
                 {ItemInBag, -1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "item 7 in state " << c.state);
        ResetWorld();
        PutDown(0, Box(0, 0, 1));
        SetHotspot(0, Box(300, 300, 100));
        bag.items[7].state = c.state;
        bag.items[7].hit = Box(350, 350);
        bag.tearingObj[7].placePage = c.placePage;
        stage.Interact();
        EXPECT_EQ(bag.item7Frame, c.meets ? 1 : 0);
        EXPECT_EQ(L.stamps.item7Met, c.meets ? kPage : kNoStamp);
        ExpectSecondFrameChangesNothing();
    }
}

TEST_F(LevelRulesTest, UseAndRevealShowsOnlyAWaitingBackgroundObject) {
    PutDown(0, Box(0, 0, 1));
    SetHotspot(0, Box(300, 300, 100));
    Coll(14, 1, Box(310, 310), 500, 100);
    Coll(15, 1, Box(320, 320), 600, 100);
    Coll(13, 1, Box(330, 330), 200, 150);
    L.backs[56] = BackObj{.x = 5, .y = 6, .state = 0}; // not waiting: left alone
    L.backs[59].state = 2;
    L.backs[29].state = 2;
    stage.Interact();
    EXPECT_EQ(L.colls[14].state, 5);
    EXPECT_EQ(L.backs[56].state, 0);
    EXPECT_EQ(L.backs[56].x, 5);
    EXPECT_EQ(L.backs[56].y, 6);
    EXPECT_EQ(L.backs[59].state, 1);
    EXPECT_EQ(L.backs[59].x, 478);
    EXPECT_EQ(L.backs[59].y, 104);
    EXPECT_EQ(L.backs[29].x, 171);
    EXPECT_EQ(L.values.b29StartY, 154);
    // These four stamp nothing.
    EXPECT_EQ(L.colls[14].pageStamp, kNoStamp);
    EXPECT_EQ(L.colls[13].pageStamp, kNoStamp);
}

TEST_F(LevelRulesTest, ItemZeroAgainstTheCharacterInEachState) {
    PutDown(0, Box(100, 100, 50));
    L.chars[CharWalk].x = 75;
    L.chars[CharWalk].y = 450;
    L.charState = CharWalk;
    L.hitB = Box(120, 120);
    stage.Interact();
    EXPECT_EQ(L.charState, CharKnockedDown);
    EXPECT_EQ(L.chars[CharKnockedDown].x, 77);
    EXPECT_EQ(L.chars[CharKnockedDown].y, 394);
    EXPECT_FALSE(AllGatesOpen());
    ExpectSecondFrameChangesNothing();

    L.charState = CharCarried;
    L.hitA = Box(110, 110);
    L.chars[CharCarried].x = 200;
    L.chars[CharCarried].y = 300;
    stage.Interact();
    EXPECT_EQ(L.charState, CharFall);
    EXPECT_EQ(L.chars[CharFall].x, 194);
    EXPECT_EQ(L.chars[CharFall].y, 284);
    EXPECT_EQ(L.stamps.fallStart, kPage);

    L.charState = CharFly;
    L.chars[CharFly].frame = 0;
    stage.Interact();
    EXPECT_EQ(L.chars[CharFly].frame, 1);
    EXPECT_EQ(L.stamps.flyFrame, kPage);
    ExpectSecondFrameChangesNothing();
}

TEST_F(LevelRulesTest, ItemZeroThrowsFromTheJumpAndTheDismountByFrame) {
    PutDown(0, Box(100, 100, 50));
    L.hitC = Box(110, 110);
    CharObj& jump = L.chars[CharJump];
    jump.x = 200;
    jump.y = 300;
    jump.frame = 2;
    L.charState = CharJump;
    stage.Interact();
    EXPECT_EQ(L.charState, CharThrown);
    EXPECT_EQ(L.chars[CharThrown].x, 176);
    EXPECT_EQ(L.chars[CharThrown].y, 300);

    // A frame past the table still throws, from where the thrown picture was.
    L.chars[CharThrown].x = L.chars[CharThrown].y = 7;
    jump.frame = 9;
    L.charState = CharJump;
    stage.Interact();
    EXPECT_EQ(L.charState, CharThrown);
    EXPECT_EQ(L.chars[CharThrown].x, 7);

    CharObj& dismount = L.chars[CharDismount];
    dismount.x = 200;
    dismount.y = 300;
    dismount.frame = 3;
    L.backs[3].state = 2;
    L.charState = CharDismount;
    stage.Interact();
    EXPECT_EQ(L.charState, CharKnockedDown);
    EXPECT_EQ(L.chars[CharKnockedDown].x, 434);
    EXPECT_EQ(L.chars[CharKnockedDown].y, 434);
    EXPECT_EQ(L.backs[3].state, 1);
    EXPECT_EQ(L.backs[3].x, 206);
    EXPECT_EQ(L.backs[3].y, 472);

    // Past the table only the gates close.
    OpenAllGates(CCommon::Instance());
    dismount.frame = 5;
    L.charState = CharDismount;
    stage.Interact();
    EXPECT_EQ(L.charState, CharDismount);
    EXPECT_FALSE(AllGatesOpen());
}

TEST_F(LevelRulesTest, ItemElevenCoversThePitOrFallsOutOfPlay) {
    L.zones[5] = Box(500, 500, 8);
    L.backs[30].state = 2;
    PutDown(11, Box(100, 100), kPage);
    bag.items[11].x = 100;
    bag.items[11].y = 90;
    stage.Interact(); // still its own page
    EXPECT_EQ(bag.items[11].state, ItemPlaced);

    bag.tearingObj[11].placePage = kPage - 1;
    stage.Interact();
    EXPECT_EQ(bag.items[11].state, ItemUsedUp);
    EXPECT_EQ(L.backs[30].state, 1);
    EXPECT_EQ(L.backs[30].x, 73);
    EXPECT_EQ(L.backs[30].y, 82);

    PutDown(11, Box(495, 495));
    stage.Interact();
    EXPECT_EQ(bag.items[11].state, ItemPlaced);
    EXPECT_EQ(L.flags.pitCovered, 1);
    EXPECT_EQ(L.stamps.item11Zone, kPage);
    ExpectSecondFrameChangesNothing();
}

// The group's entry is tested once: C13 used up by its first rule still meets C19 in the second.
TEST_F(LevelRulesTest, C13GroupEntryIsTestedOnce) {
    Coll(13, 1, Box(100, 100), 100, 100);
    Coll(10, 1, Box(110, 110));
    Coll(19, 1, Box(90, 90));
    L.backs[29].state = 2;
    stage.Interact();
    EXPECT_EQ(L.colls[10].state, 5);
    EXPECT_EQ(L.colls[13].state, 5);
    EXPECT_EQ(L.flags.c19Hit, 1);
    EXPECT_EQ(L.backs[29].state, 1);
    EXPECT_EQ(L.backs[29].x, 71);
}

TEST_F(LevelRulesTest, ItemsFiveAndTwelveUseObjectsAndTheWalker) {
    PutDown(5, Box(100, 100));
    Coll(10, 1, Box(105, 105));
    Coll(19, 1, Box(110, 110));
    stage.Interact();
    EXPECT_EQ(L.colls[10].state, 5);
    EXPECT_EQ(L.flags.c19Hit, 1);
    EXPECT_EQ(L.colls[19].state, 1); // c19Hit stops nothing

    PutDown(12, Box(300, 300));
    Coll(14, 1, Box(305, 305), 50, 60);
    L.backs[56].state = 2;
    Walker(Box(310, 310));
    stage.Interact();
    EXPECT_EQ(L.colls[14].state, 5);
    EXPECT_EQ(L.backs[56].x, 59);
    EXPECT_EQ(L.charState, CharKnockedDown);
}

// Several walking rules can fire in one frame; the last one decides the state.
TEST_F(LevelRulesTest, TheLastWalkingRuleDecides) {
    Walker(Box(100, 100));
    bag.items[0].state = ItemVisible; // item 0 lying on the lane
    bag.items[0].hit = Box(110, 110);
    Coll(0, 1, Box(105, 105));
    stage.Interact();
    EXPECT_EQ(L.notices.armGameover1, 1);
    EXPECT_EQ(L.charState, CharCarried);
    EXPECT_EQ(CCommon::Instance().placedGate, 0); // the knock-down closed all four
}

TEST_F(LevelRulesTest, WalkerFallsIntoTheUncoveredPitOnly) {
    Walker(Box(100, 100));
    L.zones[5] = Box(110, 110, 8);
    L.backs[20].state = 1;
    L.flags.pitCovered = 1;
    stage.Interact();
    EXPECT_EQ(L.charState, CharWalk);
    L.flags.pitCovered = 0;
    stage.Interact();
    EXPECT_EQ(L.charState, CharPit);
    EXPECT_EQ(L.chars[CharPit].x, 109);
    EXPECT_EQ(L.chars[CharPit].y, 431);
    EXPECT_FALSE(AllGatesOpen());
}

TEST_F(LevelRulesTest, MountNeedsC1PrimedAndBothClimbsAtRest) {
    Walker(Box(100, 100));
    Coll(1, 3, Box(105, 105));
    L.chars[CharMount].frame = 1;
    stage.Interact();
    EXPECT_EQ(L.charState, CharWalk);
    L.chars[CharMount].frame = 0;
    stage.Interact();
    EXPECT_EQ(L.charState, CharFailedClimb);
    L.charState = CharWalk;
    L.flags.c1Primed = 1;
    stage.Interact();
    EXPECT_EQ(L.charState, CharMount);
}

TEST_F(LevelRulesTest, BagLossWithTheFirstTenSlotsEmptyTakesNothing) {
    Store(12, 4); // out of C14's reach
    Walker(Box(100, 100));
    Coll(14, 1, Box(105, 105));
    stage.Interact();
    EXPECT_EQ(lossResult, 1);
    EXPECT_EQ(L.headIndex, 1);
    EXPECT_EQ(L.flags.bagLossDone, 1);
    EXPECT_EQ(L.stamps.bagLoss, kPage);
    EXPECT_EQ(L.values.bagLossSlot, -1);
    EXPECT_EQ(bag.count, 1);
    EXPECT_EQ(bag.slots[12].occupied, 1);
    stage.UndoBagLoss(); // nothing was taken: nothing to give back
    EXPECT_EQ(bag.count, 1);
}

// The fox's card tells the player it grabs from the bag's first two pages: whatever the draw, the
// tenth piece can be taken and the eleventh never.
TEST_F(LevelRulesTest, BagLossReachesTheTenthSlotAndNeverTheEleventh) {
    Walker(Box(100, 100));
    Coll(14, 1, Box(105, 105));
    for (unsigned seed = 1; seed <= 40; ++seed) {
        bag.count = 0;
        Store(9, 3);
        Store(10, 4);
        L.flags.bagLossDone = 0;
        L.headIndex = 0;
        std::srand(seed);
        stage.Interact();
        EXPECT_EQ(bag.slots[9].occupied, 0) << "seed " << seed;
        EXPECT_EQ(bag.slots[10].occupied, 1) << "seed " << seed;
        EXPECT_EQ(L.values.bagLossItem, 3) << "seed " << seed;
    }
}

TEST_F(LevelRulesTest, BagLossTakesTheItemOutProperlyAndOnlyOnce) {
    Store(3, 6);
    Walker(Box(100, 100));
    Coll(14, 1, Box(105, 105));
    std::srand(7);
    stage.Interact();
    EXPECT_EQ(lossResult, 5);
    EXPECT_EQ(L.headIndex, 5);
    EXPECT_EQ(bag.slots[3].occupied, 0);
    EXPECT_EQ(bag.slots[3].item, -1);
    EXPECT_EQ(bag.count, 0);
    EXPECT_EQ(bag.items[6].state, ItemUsedUp);
    EXPECT_EQ(L.values.bagLossSlot, 3);
    EXPECT_EQ(L.values.bagLossItem, 6);

    // Still touching C14: no second draw, only the head follows the outcome again.
    Store(4, 8);
    L.headIndex = 0;
    stage.Interact();
    EXPECT_EQ(L.headIndex, 5);
    EXPECT_EQ(bag.slots[4].occupied, 1);
    EXPECT_EQ(bag.count, 1);
}

// Turning back over the loss page gives the item back: bag and level as before the draw (the
// stamp and the done flag are the undo check's to clear).
TEST_F(LevelRulesTest, UndoingTheBagLossPutsTheItemBackInItsSlot) {
    Store(0, 2);
    Store(5, 9);
    Walker(Box(100, 100));
    Coll(14, 1, Box(105, 105));
    const LevelValues valuesBefore = L.values;
    const int32_t countBefore = bag.count;
    std::srand(1);
    stage.Interact();
    ASSERT_EQ(bag.count, countBefore - 1);
    const int slot = L.values.bagLossSlot;
    const int item = L.values.bagLossItem;
    ASSERT_TRUE((slot == 0 && item == 2) || (slot == 5 && item == 9));

    stage.UndoBagLoss();
    // The picture the loss put on the head is taken back by the page turn, not here.
    LevelValues valuesAfter = L.values;
    std::copy(std::begin(valuesBefore.headChanges), std::end(valuesBefore.headChanges),
              std::begin(valuesAfter.headChanges));
    valuesAfter.headChangeCount = valuesBefore.headChangeCount;
    EXPECT_TRUE(valuesBefore == valuesAfter);
    EXPECT_EQ(bag.count, countBefore);
    EXPECT_EQ(bag.slots[slot].occupied, 1);
    EXPECT_EQ(bag.slots[slot].item, item);
    EXPECT_EQ(bag.items[item].state, ItemInBag);
    stage.UndoBagLoss(); // twice gives nothing twice
    EXPECT_EQ(bag.count, countBefore);
}

TEST_F(LevelRulesTest, UndoingTheBagLossFindsAnotherSlotWhenItsOwnWasRefilled) {
    Store(3, 6);
    Walker(Box(100, 100));
    Coll(14, 1, Box(105, 105));
    stage.Interact();
    Store(3, 11); // stored after the loss, into the emptied slot
    stage.UndoBagLoss();
    EXPECT_EQ(bag.slots[3].item, 11);
    EXPECT_EQ(bag.slots[0].item, 6);
    EXPECT_EQ(bag.slots[0].occupied, 1);
    EXPECT_EQ(bag.count, 2);
    EXPECT_EQ(bag.items[6].state, ItemInBag);
}

// An item stored while its tearing animation still plays must not come back into the bag when the
// animation ends: the loss ends the tear at once.
TEST_F(LevelRulesTest, BagLossOfAnItemStillBeingTornEndsTheTear) {
    Store(2, 1);
    bag.items[1].state = ItemVisible;
    bag.tearingObj[1].playing = 1;
    bag.tearingObj[1].x = 40;
    bag.tearingObj[1].y = 50;
    CCommon::Instance().tearing = 1;
    Walker(Box(100, 100));
    Coll(14, 1, Box(105, 105));
    stage.Interact();
    EXPECT_EQ(bag.items[1].state, ItemUsedUp);
    EXPECT_EQ(bag.tearingObj[1].playing, 0);
    EXPECT_EQ(CCommon::Instance().tearing, 0);
    EXPECT_EQ(bag.holes[1].page, kPage);
    EXPECT_EQ(bag.holes[1].x, 40);
}

// Pieces of C6 act loose only while they lie above their limits and are not in their place.
TEST_F(LevelRulesTest, LoosePiecesActOnlyAboveTheirLimitsAndOutOfTheirPlace) {
    const struct {
        int item;
        int32_t limit;
    } pieces[] = {{1, 440}, {3, 405}, {4, 405}, {6, 410}, {8, 390}};
    for (const auto& p : pieces) {
        ResetWorld();
        Walker(Box(100, 100));
        PutDown(p.item, Box(110, 110));
        bag.items[p.item].y = p.limit;
        stage.Interact();
        EXPECT_EQ(L.charState, CharWalk) << "item " << p.item << " at its limit";

        bag.items[p.item].y = p.limit - 1;
        FirstPlacementFlag(bag, p.item) = 1;
        stage.Interact();
        EXPECT_EQ(L.charState, CharWalk) << "item " << p.item << " in its place";

        FirstPlacementFlag(bag, p.item) = 0;
        bag.tearingObj[p.item].placePage = kPage;
        stage.Interact();
        EXPECT_EQ(L.charState, CharWalk) << "item " << p.item << " put down here";

        bag.tearingObj[p.item].placePage = kPage - 1;
        stage.Interact();
        EXPECT_EQ(L.charState, CharKnockedDown) << "item " << p.item;
    }
}

TEST_F(LevelRulesTest, OnlyItemsSixAndEightStopC24) {
    Coll(24, 1, Box(100, 100));
    PutDown(3, Box(105, 105));
    stage.Interact();
    EXPECT_EQ(L.colls[24].state, 1);
    PutDown(8, Box(105, 105));
    stage.Interact();
    EXPECT_EQ(L.colls[24].state, 2);
    CCommon& common = CCommon::Instance();
    EXPECT_EQ(common.backGate, 0);
    EXPECT_EQ(common.placedGate, 1);
}

TEST_F(LevelRulesTest, PlacedPieceUsesC11AndHatchesItemThirteen) {
    PutDown(4, Box(100, 100));
    Coll(11, 1, Box(105, 105));
    L.backs[26].state = 2;
    bag.items[13].state = ItemVisible;
    bag.items[13].hit = Box(90, 90);
    stage.Interact();
    EXPECT_EQ(L.colls[11].state, 5);
    EXPECT_EQ(L.colls[11].pageStamp, kPage);
    EXPECT_EQ(L.backs[26].x, 105); // at the left, top of C11's hit area
    EXPECT_EQ(L.backs[26].y, 105);
    EXPECT_EQ(bag.item13Frame, 1);
    EXPECT_EQ(L.stamps.item13Met, kPage);
}

TEST_F(LevelRulesTest, RiderJumpsOverC2AndDismountsAtC3) {
    L.charState = CharRide;
    L.hitC = Box(100, 100);
    Coll(2, 1, Box(105, 105));
    stage.Interact();
    EXPECT_EQ(L.charState, CharJump);
    EXPECT_EQ(L.flags.viaState9, 1);
    EXPECT_EQ(CCommon::Instance().placedGate, 1);
    EXPECT_EQ(CCommon::Instance().collGate, 0);
    ExpectSecondFrameChangesNothing();

    L.charState = CharRide;
    L.colls[2].state = 5;
    L.chars[CharRide].x = 300;
    L.chars[CharRide].y = 200;
    L.hitB = Box(400, 400);
    Coll(3, 3, Box(405, 405)).frame = 1;
    stage.Interact();
    EXPECT_EQ(L.charState, CharRide);
    L.colls[3].frame = 2;
    stage.Interact();
    EXPECT_EQ(L.charState, CharDismount);
    EXPECT_EQ(L.chars[CharDismount].x, 300);
    EXPECT_EQ(L.chars[CharDismount].y, 204);
}

// C20 takes item 13 or item 10 put down on it, each on its own page only, with its own flag;
// another item put down on it does nothing.
TEST_F(LevelRulesTest, ItemsThirteenAndTenLoadC20OnlyOnTheirOwnPage) {
    for (int item : {13, 10, 0}) {
        SCOPED_TRACE(::testing::Message() << "item " << item);
        ResetWorld();
        Coll(20, 1, Box(100, 100));
        L.backs[90] = BackObj{.x = 500, .y = 300, .state = 1};
        L.backs[91].state = 2;
        L.counters.b91Step = 4;
        PutDown(item, Box(105, 105));
        LevelState before = L;
        stage.Interact();
        EXPECT_TRUE(before == L);

        bag.tearingObj[item].placePage = kPage;
        stage.Interact();
        if (item == 0) {
            EXPECT_EQ(L.colls[20].state, 1);
            EXPECT_EQ(L.flags.itemUse13 + L.flags.itemUse10, 0);
            continue;
        }
        EXPECT_EQ(L.colls[20].state, 2);
        EXPECT_EQ(L.colls[20].pageStamp, kPage);
        EXPECT_EQ(L.flags.itemUse13, item == 13 ? 1 : 0);
        EXPECT_EQ(L.flags.itemUse10, item == 10 ? 1 : 0);
        EXPECT_EQ(L.backs[90].state, 7);
        EXPECT_EQ(L.backs[91].state, 3);
        EXPECT_EQ(L.backs[91].x, 521);
        EXPECT_EQ(L.backs[91].y, 298);
        EXPECT_EQ(L.counters.b91Step, 0);
        ExpectSecondFrameChangesNothing();
    }
}

TEST_F(LevelRulesTest, PiecesMarkTheirPlaceOnC6AndForgetItInTheBag) {
    Coll(6, 1, Box(0, 0));
    L.zones[1] = Box(200, 200);
    PutDown(3, Box(0, 0, 1));
    SetHotspot(3, Box(205, 205, 5));
    stage.Interact(); // put down earlier: no mark
    EXPECT_EQ(FirstPlacementFlag(bag, 3), 0);
    bag.tearingObj[3].placePage = kPage;
    stage.Interact();
    EXPECT_EQ(FirstPlacementFlag(bag, 3), 1);
    EXPECT_EQ(SecondPlacementFlag(bag, 3), 1);
    bag.items[3].state = ItemInBag;
    stage.Interact();
    EXPECT_EQ(FirstPlacementFlag(bag, 3), 0);
    EXPECT_EQ(SecondPlacementFlag(bag, 3), 0);
}

TEST_F(LevelRulesTest, ItemTwoOnZoneZeroPrimesC1) {
    Coll(1, 1, Box(0, 0, 1));
    L.zones[0] = Box(200, 200);
    PutDown(2, Box(205, 205), kPage);
    stage.Interact();
    EXPECT_EQ(L.flags.c1Primed, 0);
    bag.tearingObj[2].placePage = kPage - 1;
    bag.item2Frame = 1;
    stage.Interact();
    EXPECT_EQ(L.flags.c1Primed, 0);
    bag.item2Frame = 0;
    stage.Interact();
    EXPECT_EQ(L.flags.c1Primed, 1);
    EXPECT_EQ(L.colls[1].state, 2);
    EXPECT_EQ(CCommon::Instance().backGate, 0);
    ExpectSecondFrameChangesNothing();
}

} // namespace

// Item 0 at work uses C1 waiting (state 1) or done (3): B2 shows where C1 stands, whatever state
// B2 was in. C1 playing its sequence (2) is left alone, or the sequence would never end and the
// world would stay still; so is C1 in any other state.
TEST_F(LevelRulesTest, ItemZeroUsesC1WaitingOrDone) {
    for (int32_t state = 0; state <= 6; ++state) {
        SCOPED_TRACE(::testing::Message() << "C1 in state " << state);
        ResetWorld();
        PutDown(0, Box(0, 0, 1));
        SetHotspot(0, Box(300, 300, 100));
        Coll(1, state, Box(350, 350), 310, 290);
        L.backs[2].state = 3;
        L.backs[2].x = L.backs[2].y = 7;
        const bool used = state == 1 || state == 3;
        stage.Interact();
        EXPECT_EQ(L.colls[1].state, used ? 5 : state);
        EXPECT_EQ(L.stamps.c1Used, used ? kPage : kNoStamp);
        EXPECT_EQ(L.backs[2].state, used ? 1 : 3);
        EXPECT_EQ(L.backs[2].x, used ? 310 : 7);
        EXPECT_EQ(L.backs[2].y, used ? 290 : 7);
    }
}
