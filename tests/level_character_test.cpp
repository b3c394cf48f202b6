// The character's state machine, one page turn at a time, on a hand-made set of animations.
#include "TestSupport.h"
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

class CharacterTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        CCommon::Instance().page = 10;
        // Animations with the frame counts the shipped data has.
        const int frames[17] = {5, 3, 5, 5, 5, 5, 3, 2, 2, 5, 5, 5, 2, 2, 2, 2, 2};
        for (int k = 0; k < 17; ++k) {
            CharObj& c = stage.level.chars[k];
            c.frames = frames[k];
            c.w = 40;
            c.h = 60;
            c.dw = 80;
            c.dh = 120;
        }
        Walker().x = 75;
        Walker().y = 450;
        stage.level.head = HeadObj{109, 395, 25, 20, 50, 40};
        stage.level.chars[CharRide].x = 155;
        stage.level.chars[CharRide].y = 232;
        stage.level.colls[1].step = 20;
        stage.level.colls[1].state = 3;
        stage.level.backs[1].state = 2;
        stage.level.backs[3].state = 2;
    }

    CharObj& Walker() { return stage.level.chars[CharWalk]; }
    CharObj& Char(int k) { return stage.level.chars[k]; }
    int32_t& Page() { return CCommon::Instance().page; }

    // The character's part of a page turn, with the page moving as the whole turn moves it.
    void Forward() {
        stage.CharacterForward();
        ++Page();
    }
    void Backward() {
        stage.CharacterBackward();
        --Page();
    }

    struct Gates {
        uint8_t placed, back, item, coll;
        bool operator==(const Gates&) const = default;
    };
    static Gates GatesNow() {
        const CCommon& c = CCommon::Instance();
        return Gates{c.placedGate, c.backGate, c.itemGate, c.collGate};
    }

    // A forward turn then a backward turn gives back the whole level state and the gates.
    void ExpectRoundTrip(const char* what) {
        const LevelState before = stage.level;
        const Gates gates = GatesNow();
        Forward();
        Backward();
        EXPECT_EQ(stage.level.charState, before.charState) << what;
        for (int k = 0; k < 17; ++k) {
            EXPECT_EQ(stage.level.chars[k], before.chars[k]) << what << ": animation " << k;
        }
        EXPECT_TRUE(stage.level == before) << what;
        EXPECT_EQ(GatesNow(), gates) << what;
    }

    CStage_One stage;
};

TEST_F(CharacterTest, EveryStateUndoesItsForwardStepMidAnimation) {
    struct Case {
        int32_t state;
        int32_t frame;
        uint8_t gatesOpen; // the gates as the state keeps them while it plays
    };
    const Case cases[] = {
        {CharWalk, 2, 1},     {CharKnockedDown, 1, 0}, {CharMount, 1, 0},  {CharFailedClimb, 2, 0},
        {CharRide, 3, 1},     {CharBlink, 0, 0},       {CharThrown, 0, 0}, {CharJump, 2, 0},
        {CharDismount, 1, 0}, {CharPit, 0, 0},         {CharCaught, 0, 0}, {CharSlip, 0, 0},
        {CharSwept, 0, 0},
    };
    for (const Case& c : cases) {
        stage.level.charState = c.state;
        Char(c.state).frame = c.frame;
        if (c.state == CharBlink) stage.level.counters.blinkCount = 1;
        if (c.state == CharMount) stage.ApplyState3Keyframe();
        if (c.state == CharFailedClimb) stage.ApplyState4Keyframe();
        if (c.state == CharJump) stage.ApplyState9Keyframe();
        CCommon& common = CCommon::Instance();
        if (c.gatesOpen)
            OpenAllGates(common);
        else if (c.state == CharJump || c.state == CharDismount)
            CloseThreeGates(common), common.placedGate = 1;
        else
            CloseAllGates(common);
        ExpectRoundTrip(("state " + std::to_string(c.state)).c_str());
    }
}

TEST_F(CharacterTest, CarriedPathFollowsItsKeyframesAndEndsWalkingAtTheFarSide) {
    stage.level.charState = CharCarried;
    CloseThreeGates(CCommon::Instance());
    stage.level.colls[0].x = 300;
    stage.level.colls[0].y = 20;
    Forward(); // step 1
    EXPECT_EQ(Char(CharCarried).x, 79);
    EXPECT_EQ(Char(CharCarried).y, 448);
    Forward(); // step 2: the grip is hidden until the carrier holds the hero
    EXPECT_EQ(stage.level.backs[1].state, 2);
    Forward(); // step 3: shown and attached to the carrier
    EXPECT_EQ(stage.level.backs[1].state, 1);
    EXPECT_EQ(stage.level.backs[1].x, 404);
    EXPECT_EQ(stage.level.backs[1].y, 146);
    EXPECT_EQ(stage.level.counters.b1Image, 0);
    // A step forward then back shows the same keyframe again.
    const LevelState atStep3 = stage.level;
    Forward();
    EXPECT_EQ(stage.level.counters.b1Image, 1);
    Backward();
    EXPECT_TRUE(stage.level == atStep3);

    for (int i = 0; i < 6; ++i)
        Forward();
    EXPECT_EQ(stage.level.counters.carryStep, 9);
    EXPECT_EQ(Char(CharCarried).x, 520);
    EXPECT_EQ(Char(CharCarried).y, 330);
    EXPECT_EQ(Char(CharCarried).frame, 4);
    EXPECT_EQ(stage.level.backs[1].state, 2);

    const int32_t endPage = Page();
    Forward();
    EXPECT_EQ(stage.level.charState, CharWalk);
    EXPECT_EQ(stage.level.stamps.carriedEnd, endPage);
    EXPECT_EQ(Walker().x, 555);
    EXPECT_EQ(stage.level.head.x, 589);
    EXPECT_EQ(CCommon::Instance().backGate, 1);
    // Turning back over the end puts the hero back on the last step of the path.
    Backward();
    EXPECT_EQ(stage.level.charState, CharCarried);
    EXPECT_EQ(stage.level.counters.carryStep, 9);
    // And all the way back to the start of the path: walking at home again.
    for (int i = 0; i < 10; ++i)
        Backward();
    EXPECT_EQ(stage.level.charState, CharWalk);
    EXPECT_EQ(stage.level.stamps.carriedEnd, kNoStamp);
    EXPECT_EQ(Walker().x, 75);
    EXPECT_EQ(Walker().y, 450);
}

TEST_F(CharacterTest, WalkerStrollsBackHomeAfterTheCarryAndTurningBackRetracesIt) {
    // After the carried path: its animation rests on its last frame.
    Char(CharCarried).frame = 4;
    stage.level.stamps.carriedEnd = 5;
    Walker().x = 135;
    stage.level.head.x = 169;
    const LevelState start = stage.level;
    for (int i = 0; i < 5; ++i)
        Forward();
    EXPECT_EQ(Walker().x, 75) << "95 steps to 75 and stops";
    EXPECT_EQ(stage.level.head.x, 109);
    for (int i = 0; i < 5; ++i)
        Backward();
    EXPECT_EQ(Walker().x, start.chars[CharWalk].x);
    EXPECT_EQ(stage.level.head.x, start.head.x);
    EXPECT_EQ(Walker().frame, start.chars[CharWalk].frame);
}

// The steps left after the carried path and after the jump are made on the turns that follow
// the end, never on the end's own turn: turning back over the end takes back no step, puts the
// walker where the path's undo expects it, and the end's stamp goes.
TEST_F(CharacterTest, TurningBackOverTheEndOfThePathOrTheJumpTakesNoStepBack) {
    stage.level.charState = CharCarried;
    stage.level.counters.carryStep = 9;
    stage.ApplyCarriedKeyframe(9);
    OpenAllGates(CCommon::Instance());
    CloseThreeGates(CCommon::Instance());
    std::vector<LevelState> seen;
    for (int i = 0; i < 4; ++i) { // the end, then three steps left
        seen.push_back(stage.level);
        Forward();
    }
    EXPECT_EQ(Walker().x, 495);
    // The undo lists close the gates the path holds and clear its end once the world has moved
    // back on that turn.
    auto backward = [&] {
        stage.CharacterBackward();
        stage.SecondUndoChecks();
        --Page();
    };
    for (int i = 3; i >= 0; --i) {
        backward();
        EXPECT_EQ(stage.level.charState, seen[i].charState) << "back to turn " << i;
        EXPECT_EQ(Walker(), seen[i].chars[CharWalk]) << "back to turn " << i;
        EXPECT_EQ(stage.level.head, seen[i].head) << "back to turn " << i;
        EXPECT_EQ(stage.level.stamps.carriedEnd, seen[i].stamps.carriedEnd) << "turn " << i;
    }
    EXPECT_FALSE(CCommon::Instance().backGate);
    EXPECT_TRUE(CCommon::Instance().placedGate);

    stage.level.charState = CharJump;
    Char(CharJump).frame = 4;
    stage.ApplyState9Keyframe();
    Forward(); // the jump ends: riding at x 530
    Forward(); // and drifts left
    EXPECT_EQ(Char(CharRide).x, 510);
    backward();
    backward();
    EXPECT_EQ(stage.level.charState, CharJump);
    EXPECT_EQ(Char(CharRide).x, 530);
    EXPECT_EQ(stage.level.stamps.state9End, kNoStamp);
}

TEST_F(CharacterTest, WalkingFrameWrapsBothWaysAndResetsTheHead) {
    Walker().frame = 4;
    stage.level.headIndex = 5;
    Forward();
    EXPECT_EQ(Walker().frame, 0);
    EXPECT_EQ(stage.level.headIndex, 0);
    Backward(); // the wrap taken back gives back the picture it cleared
    EXPECT_EQ(Walker().frame, 4);
    EXPECT_EQ(stage.level.headIndex, 5);
    Walker().frame = 0;
    stage.level.headIndex = 3; // no wrap of ours cleared it
    Backward();
    EXPECT_EQ(Walker().frame, 4);
    EXPECT_EQ(stage.level.headIndex, 0);
}

TEST_F(CharacterTest, FallLandsAtTheGroundThenBlinksThreeTimesAndTurningBackClimbsUp) {
    stage.level.charState = CharCarried;
    stage.level.counters.carryStep = 4;
    stage.ApplyCarriedKeyframe(4);
    // Knocked off the path: the fall starts from the carried place.
    stage.level.charState = CharFall;
    Char(CharFall).x = 229 - 6;
    Char(CharFall).y = 157 - 16;
    stage.level.stamps.fallStart = Page();
    const LevelState atFall = stage.level;
    const int32_t limit = 530 - 2 * Char(CharFall).h;
    int turns = 0;
    while (stage.level.charState == CharFall && turns < 100) {
        const int32_t y = Char(CharFall).y;
        Forward();
        ++turns;
        if (stage.level.charState == CharFall) {
            EXPECT_EQ(Char(CharFall).y, y + 20);
            EXPECT_EQ(CCommon::Instance().placedGate, 0);
        } else {
            EXPECT_GE(y, limit);
        }
    }
    ASSERT_EQ(stage.level.charState, CharBlink);
    EXPECT_EQ(Char(CharBlink).x, Char(CharFall).x + 38);
    EXPECT_EQ(Char(CharBlink).y, Char(CharFall).y + 106);
    for (int i = 0; i < 3; ++i)
        Forward();
    EXPECT_EQ(stage.level.counters.blinkCount, 3) << "three blinks: lost";
    const LevelState lost = stage.level;
    Forward(); // (the lock refuses this turn in the game) nothing more happens
    EXPECT_TRUE(stage.level == lost);
    --Page();
    for (int i = 0; i < turns + 3; ++i)
        Backward();
    EXPECT_EQ(stage.level.charState, CharFall);
    EXPECT_EQ(Char(CharFall).y, atFall.chars[CharFall].y);
    Backward();
    EXPECT_EQ(stage.level.charState, CharCarried);
    EXPECT_EQ(stage.level.counters.carryStep, 3);
    EXPECT_EQ(stage.level.stamps.fallStart, kNoStamp); // back before the fall began
}

TEST_F(CharacterTest, MountRideJumpAndDismountPlayOutAndRewind) {
    // Climbing onto the primed mount.
    stage.level.charState = CharMount;
    stage.ApplyState3Keyframe();
    CloseAllGates(CCommon::Instance());
    const LevelState atMount = stage.level;
    const int32_t mountPage = Page();
    for (int i = 0; i < 4; ++i)
        Forward();
    EXPECT_EQ(Char(CharMount).x, 212);
    EXPECT_EQ(Char(CharMount).y, 203);
    Forward(); // the last frame: riding
    EXPECT_EQ(stage.level.charState, CharRide);
    EXPECT_EQ(stage.level.colls[1].state, 5);
    EXPECT_EQ(stage.level.stamps.state3End, mountPage + 4);
    // The rider drifts back to 75 and the backward turns retrace it exactly.
    const LevelState riding = stage.level;
    for (int i = 0; i < 6; ++i)
        Forward();
    EXPECT_EQ(Char(CharRide).x, 75);
    for (int i = 0; i < 6; ++i)
        Backward();
    EXPECT_EQ(Char(CharRide).x, riding.chars[CharRide].x);
    EXPECT_EQ(Char(CharRide).frame, riding.chars[CharRide].frame);
    // Back over the end of the climb, then to its start.
    Backward();
    EXPECT_EQ(stage.level.charState, CharMount);
    EXPECT_EQ(stage.level.colls[1].state, 3);
    for (int i = 0; i < 4; ++i)
        Backward();
    EXPECT_EQ(Char(CharMount).frame, 0);
    EXPECT_EQ(Char(CharMount).x, atMount.chars[CharMount].x);
    Backward();
    EXPECT_EQ(stage.level.charState, CharWalk);
    EXPECT_EQ(Walker().x, 126 - 51);
    EXPECT_EQ(Walker().y, 334 + 116);
}

TEST_F(CharacterTest, JumpEndsBesideItsLastKeyframeAndDismountLeavesTheMountBehind) {
    stage.level.charState = CharJump;
    stage.ApplyState9Keyframe();
    for (int i = 0; i < 4; ++i)
        Forward();
    EXPECT_EQ(Char(CharJump).x, 531);
    EXPECT_EQ(Char(CharJump).y, 205);
    const int32_t endPage = Page();
    Forward();
    EXPECT_EQ(stage.level.charState, CharRide);
    EXPECT_EQ(stage.level.stamps.state9End, endPage);
    EXPECT_EQ(Char(CharRide).x, 530);
    EXPECT_EQ(Char(CharRide).y, 232);
    Backward();
    EXPECT_EQ(stage.level.charState, CharJump);
    EXPECT_EQ(stage.level.flags.viaState9, 1);
    Forward();

    // The dismount: the walker steps down beside the mount, which stays behind (B3).
    stage.level.charState = CharDismount;
    Char(CharDismount).x = 60;
    Char(CharDismount).y = 236;
    Char(CharDismount).frame = 4;
    const LevelState beforeEnd = stage.level;
    Forward();
    EXPECT_EQ(stage.level.charState, CharWalk);
    EXPECT_EQ(stage.level.backs[3].state, 1);
    EXPECT_EQ(stage.level.backs[3].x, 67);
    EXPECT_EQ(Walker().x, 325);
    EXPECT_EQ(Walker().y, 450);
    Backward();
    EXPECT_EQ(stage.level.charState, CharDismount);
    EXPECT_EQ(stage.level.backs[3].state, 2);
    EXPECT_EQ(stage.level.flags.viaState10, 1);
    // Rewinding the dismount leaves the jump's record where the jump ended.
    const CharObj jump = Char(CharJump);
    for (int i = 0; i < 4; ++i)
        Backward();
    EXPECT_EQ(Char(CharJump), jump);
    EXPECT_EQ(beforeEnd.chars[CharDismount].x, Char(CharDismount).x);
}

// The turn back over the dismount's end gives back the dismount as it stood, walking on from it
// or knocked down in a frame of the page it ended on: the walker's step, its place and the flag
// that tells the lost states the hero came down from the mount.
TEST_F(CharacterTest, TurningBackOverTheDismountsEndGivesItBackWhateverFollowed) {
    for (const int32_t after : {int32_t(CharWalk), int32_t(CharKnockedDown)}) {
        SCOPED_TRACE(after);
        stage.level.charState = CharDismount;
        stage.level.flags.viaState10 = 1;
        Char(CharDismount).x = 60;
        Char(CharDismount).y = 236;
        Char(CharDismount).frame = 4;
        Char(CharKnockedDown).frame = 0;
        Walker().frame = 2;
        const LevelState beforeEnd = stage.level;
        Forward();
        ASSERT_EQ(stage.level.charState, CharWalk);
        stage.level.charState = after; // a frame of the page the dismount ended on
        Backward();
        EXPECT_EQ(stage.level.charState, CharDismount);
        EXPECT_EQ(stage.level.flags.viaState10, 1);
        EXPECT_EQ(Walker(), beforeEnd.chars[CharWalk]);
        EXPECT_EQ(stage.level.head, beforeEnd.head);
        EXPECT_EQ(Char(CharDismount), beforeEnd.chars[CharDismount]);
    }
}

TEST_F(CharacterTest, LeverPlacesTheLiftAndFlyingAwayReturnsTheItemWhenUndone) {
    stage.level.charState = CharLever;
    stage.level.colls[4].x = 400;
    stage.level.colls[4].y = 300;
    for (int i = 0; i < 4; ++i)
        Forward();
    EXPECT_EQ(stage.level.colls[4].frame, 1);
    EXPECT_EQ(stage.level.backs[12].state, 4);
    EXPECT_EQ(stage.level.backs[12].x, 490);
    EXPECT_EQ(stage.level.backs[12].y, 104);
    const int32_t lastPage = Page();
    Forward();
    EXPECT_EQ(stage.level.flags.state11Done, 1);
    EXPECT_EQ(stage.level.stamps.state11End, lastPage);
    Forward(); // done: nothing more until the lift's sequence leads on
    EXPECT_EQ(Char(CharLever).frame, 4);

    stage.level = LevelState{};
    stage.level.chars[CharWalk].frames = 5;
    stage.level.charState = CharFly;
    stage.level.stamps.flyStart = Page();
    Char(CharFly).x = 9;
    Char(CharFly).y = 388;
    InventoryBag::Instance().items[7].state = ItemUsedUp;
    Forward();
    Forward();
    EXPECT_EQ(Char(CharFly).x, 27);
    EXPECT_EQ(Char(CharFly).y, 364);
    Backward();
    EXPECT_EQ(Char(CharFly).x, 18);
    Backward(); // back on the page the flight began on, at its start
    EXPECT_EQ(stage.level.charState, CharFly);
    EXPECT_EQ(Char(CharFly).x, 9);
    Backward(); // and the turn back from that page takes the start back
    EXPECT_EQ(stage.level.charState, CharWalk);
    EXPECT_EQ(InventoryBag::Instance().items[7].state, ItemPlaced);
}

TEST_F(CharacterTest, LostStatesStopAtTheirLastFrameAndHiddenDoesNothing) {
    for (int state : {CharKnockedDown, CharPit, CharSlip, CharSwept, CharThrown}) {
        stage.level.charState = state;
        Char(state).frame = 0;
        for (int i = 0; i < 6; ++i)
            Forward();
        EXPECT_TRUE(Char(state).AtLastFrame()) << state;
    }
    stage.level.charState = CharHidden;
    const LevelState before = stage.level;
    Forward();
    Backward();
    EXPECT_TRUE(stage.level == before);
    // Animations without frames never index outside anything and stay at 0.
    stage.level.charState = CharWalk;
    Walker().frames = 0;
    Forward();
    Backward();
    EXPECT_EQ(Walker().frame, 0);
}

// The hero walking with some gates shut (a sequence or a load may hold part of the world) is
// knocked down in a frame; the turn back over the knock-down's first picture gives the walk the
// gates it had, whichever rule knocked him down, and the first of two in one frame is the one
// that counts. A state begun over a knock-down in the same frame leaves nothing kept.
TEST_F(CharacterTest, KnockDownTurnedBackToWalkingGivesTheGatesTheWalkHad) {
    InventoryBag& bag = InventoryBag::Instance();
    const RECT hero{100, 300, 140, 340};
    auto placeEarlier = [&](int item) {
        bag.items[item].state = ItemPlaced;
        bag.items[item].hit = hero;
        bag.tearingObj[item].placePage = 9;
    };
    auto collOnHero = [&](int k) {
        stage.level.colls[k].state = 1;
        stage.level.colls[k].frame = 0;
        stage.level.colls[k].hit = hero;
    };
    struct Way {
        const char* name;
        int boulder;      // item 0 visible on the hero
        int placed;       // an item put down on the page before, on the hero (-1: none)
        int colls[2];     // objects at rest on the hero (-1: none)
        bool leavesGates; // the troll knocks down without shutting anything
    } const ways[] = {
        {"boulder", 1, -1, {-1, -1}, false},   {"snowball", 0, -1, {10, -1}, false},
        {"pine cone", 0, -1, {19, -1}, false}, {"falling piece", 0, 1, {-1, -1}, false},
        {"troll", 0, -1, {7, -1}, true},       {"snowball, then the troll", 0, -1, {10, 7}, false},
    };
    for (const Way& way : ways) {
        for (const int32_t walkGates : {kAllGateBits, 7, 8, 0}) {
            SCOPED_TRACE(::testing::Message() << way.name << ", gates " << walkGates);
            LevelState& L = stage.level;
            for (CollObj& c : L.colls)
                c = CollObj{};
            for (int k = 0; k < InventoryBag::kItems; ++k) {
                bag.items[k] = TearObj{};
                bag.items[k].state = ItemLoose;
                bag.tearingObj[k].placePage = -1;
            }
            Page() = 10;
            L.charState = CharWalk;
            Char(CharKnockedDown).frame = 0;
            L.hitA = L.hitB = L.hitC = hero;
            SetGates(CCommon::Instance(), walkGates);
            if (way.boulder) {
                bag.items[0].state = ItemVisible;
                bag.items[0].hit = hero;
            }
            if (way.placed >= 0) placeEarlier(way.placed);
            for (int k : way.colls)
                if (k >= 0) collOnHero(k);
            const int32_t keptBefore = L.values.knockDownGates;

            stage.Interact();
            ASSERT_EQ(L.charState, CharKnockedDown);
            EXPECT_EQ(GateBits(CCommon::Instance()), way.leavesGates ? walkGates : 0);
            Forward();
            EXPECT_EQ(GateBits(CCommon::Instance()), 0);
            Backward();
            Backward(); // over the knock-down's first picture: walking, a step back
            EXPECT_EQ(L.charState, CharWalk);
            EXPECT_EQ(GateBits(CCommon::Instance()), walkGates);
            EXPECT_EQ(L.values.knockDownGates, keptBefore);
        }
    }

    // Knocked down, then taken by the balloon in the same frame: the flight's turn back has its
    // own way to walking, and the kept gates go.
    SetGates(CCommon::Instance(), 7);
    Page() = 10;
    stage.level.charState = CharWalk;
    stage.level.colls[10].state = 1;
    stage.level.colls[10].hit = hero;
    placeEarlier(7);
    bag.item7Frame = 0;
    bag.hotspot[6] = hero; // item 7's
    stage.Interact();
    EXPECT_EQ(stage.level.charState, CharFly);
    EXPECT_EQ(stage.level.values.knockDownGates, kAllGateBits);
}

// Item 0 knocks the hero off the carried path, which holds three gates and leaves the put-down
// items' gate as it found it (shut when a rule in the frame the path began shut all four). The
// turn back over the fall's start gives that gate back as the fall found it.
TEST_F(CharacterTest, FallsStartTurnedBackGivesThePathThePutDownItemsGateItHad) {
    InventoryBag& bag = InventoryBag::Instance();
    const RECT hero{100, 300, 140, 340};
    for (const int32_t pathGates : {8, 0}) {
        SCOPED_TRACE(pathGates);
        Page() = 10;
        stage.level.charState = CharCarried;
        stage.level.counters.carryStep = 2;
        Char(CharCarried).frames = 5;
        stage.ApplyCarriedKeyframe(2);
        stage.level.hitA = stage.level.hitB = stage.level.hitC = hero;
        for (int k = 0; k < InventoryBag::kItems; ++k) {
            bag.items[k] = TearObj{};
            bag.items[k].state = ItemLoose;
            bag.tearingObj[k].placePage = -1;
        }
        bag.items[0].state = ItemPlaced; // put down on the page before, on the hero
        bag.items[0].hit = hero;
        bag.tearingObj[0].placePage = 9;
        SetGates(CCommon::Instance(), pathGates);

        stage.Interact();
        ASSERT_EQ(stage.level.charState, CharFall);
        EXPECT_EQ(GateBits(CCommon::Instance()), 0);
        Backward();
        EXPECT_EQ(stage.level.charState, CharCarried);
        EXPECT_EQ(CCommon::Instance().placedGate, pathGates ? 1 : 0);
        EXPECT_EQ(stage.level.values.fallStartGates, kAllGateBits);
    }
}

} // namespace

// Item 7 met the walker in the same frame as the mount, whose rule came later and took the
// character: the turn back over that page takes the climb back and gives item 7 back too.
TEST_F(CharacterTest, FlightOverriddenByTheClimbStillGivesItem7Back) {
    InventoryBag& bag = InventoryBag::Instance();
    bag.items[7].state = ItemUsedUp;
    stage.level.stamps.flyStart = Page();
    stage.level.charState = CharMount;
    Char(CharMount).frame = 0;
    Backward();
    EXPECT_EQ(stage.level.charState, CharWalk);
    EXPECT_EQ(bag.items[7].state, ItemPlaced);
    EXPECT_EQ(stage.level.stamps.flyStart, kNoStamp);
}

// The flight begun in a frame of a page is taken back by the turn back from that page, with the
// turn that led there as walking takes it back: that turn may have ended the failed climb, which
// then plays again from its last frame.
TEST_F(CharacterTest, FlightsStartTakesBackTheTurnThatLedToIt) {
    for (const bool climbEndedThen : {false, true}) {
        SCOPED_TRACE(climbEndedThen ? "the climb ended on that turn" : "walking on that turn");
        stage.level = LevelState{};
        Walker().frames = 5;
        Char(CharFailedClimb).frames = 5;
        Char(CharFailedClimb).frame = 4;
        stage.level.charState = CharFly;
        stage.level.stamps.flyStart = Page();
        if (climbEndedThen) stage.level.stamps.state4End = Page() - 1;
        InventoryBag::Instance().items[7].state = ItemUsedUp;
        Backward();
        EXPECT_EQ(stage.level.charState, climbEndedThen ? CharFailedClimb : CharWalk);
        EXPECT_EQ(Char(CharFailedClimb).frame, 4);
        EXPECT_EQ(InventoryBag::Instance().items[7].state, ItemPlaced);
        EXPECT_EQ(stage.level.stamps.flyStart, kNoStamp);
    }
}

// The balloon takes the hero wherever it meets the walker: at its start, or while it strolls back
// left after the carried path or after the dismount. Turning back over the flight's start leaves
// the walker where the balloon found it and takes back the stroll's step that led there.
TEST_F(CharacterTest, FlightsStartGivesTheWalkerBackWhereTheBalloonFoundIt) {
    struct Case {
        const char* what;
        int32_t walkerX;
        bool afterCarry, afterDismount;
    } const cases[] = {{"at the start", 75, false, false},
                       {"strolling after the carried path", 475, true, false},
                       {"strolling after the dismount", 280, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Page() = 260;
        stage.level.charState = CharWalk;
        Walker().x = c.walkerX;
        Walker().frame = 2;
        stage.level.head.x = c.walkerX + 34;
        stage.level.head.y = Walker().y - 55;
        Char(CharCarried).frame = c.afterCarry ? Char(CharCarried).frames - 1 : 0;
        Char(CharDismount).frame = c.afterDismount ? Char(CharDismount).frames - 1 : 0;
        stage.level.stamps.carriedEnd = c.afterCarry ? Page() - 4 : kNoStamp;
        stage.level.stamps.state10End = c.afterDismount ? Page() - 4 : kNoStamp;
        InventoryBag::Instance().items[7].state = ItemPlaced;
        const LevelState before = stage.level;

        Forward(); // a step of the stroll, then the balloon lifts the hero in that page's frame
        stage.level.stamps.flyStart = Page();
        stage.level.charState = CharFly;
        Char(CharFly).x = Walker().x - 66;
        Char(CharFly).y = Walker().y - 62;
        InventoryBag::Instance().items[7].state = ItemUsedUp;
        Forward();
        Forward();
        for (int i = 0; i < 3; ++i)
            Backward();

        EXPECT_EQ(Walker().x, c.walkerX);
        EXPECT_EQ(stage.level.head.x, c.walkerX + 34);
        EXPECT_EQ(InventoryBag::Instance().items[7].state, ItemPlaced);
        LevelState after = stage.level;
        // The flight's place is read only while it flies; the strolls' stamps are bounds.
        after.chars[CharFly] = before.chars[CharFly];
        after.stamps.walkLeftA = before.stamps.walkLeftA;
        after.stamps.walkLeftB = before.stamps.walkLeftB;
        EXPECT_TRUE(after == before);
    }
}

// Thrown off the ride: turning back over the throw's first picture gives the ride back, with the
// riding turn that led there as riding takes it back. That turn may have ended the climb onto the
// mount, which then comes back at its last picture, with C1 waiting done under it again, unless
// item 0 had used C1 up before (it stays used up); or it may have ended the jump, which then comes
// back at its last picture, the rider's picture a step back as well.
TEST_F(CharacterTest, ThrownOffTheRideTakesBackTheTurnThatLedToIt) {
    struct Case {
        bool climbEndedThen, c1UsedBefore, jumpEndedThen;
        int32_t state, c1State;
    } const cases[] = {{false, false, false, CharRide, 5},
                       {true, false, false, CharMount, 3},
                       {true, true, false, CharMount, 5},
                       {false, false, true, CharJump, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "climb ended " << c.climbEndedThen << ", C1 used "
                                          << c.c1UsedBefore << ", jump ended " << c.jumpEndedThen);
        stage.level = LevelState{};
        Char(CharRide).frames = 4;
        Char(CharRide).frame = 1;
        Char(CharRide).x = 155;
        Char(CharMount).frames = 5;
        Char(CharMount).frame = 4;
        stage.level.colls[1].state = 5;
        stage.level.colls[1].x = 183;
        stage.level.colls[1].step = 20;
        stage.level.charState = CharThrown;
        if (c.climbEndedThen) stage.level.stamps.state3End = Page() - 1;
        if (c.c1UsedBefore) stage.level.stamps.c1Used = Page() - 3;
        Char(CharJump).frames = 5;
        Char(CharJump).frame = 4;
        if (c.jumpEndedThen) stage.level.stamps.state9End = Page() - 1;
        Backward();
        EXPECT_EQ(stage.level.charState, c.state);
        EXPECT_EQ(stage.level.flags.viaState9, c.jumpEndedThen ? 1 : 0);
        EXPECT_EQ(Char(CharJump).frame, 4);
        EXPECT_EQ(Char(CharMount).frame, 4);
        EXPECT_EQ(Char(CharRide).frame, 0);
        EXPECT_EQ(Char(CharRide).x, 155);
        EXPECT_EQ(stage.level.colls[1].state, c.c1State);
        EXPECT_EQ(stage.level.colls[1].x, c.c1State == 3 ? 163 : 183);
    }
}

// B25 takes the hero where it finds it: hidden under it, flying past it, riding or walking. The
// turn back over the catch gives back the state it took, and the step that state made on that
// turn (the flight's place, the ride's or the walk's picture).
TEST_F(CharacterTest, TurningBackOverB25sCatchGivesBackTheStateItTook) {
    for (const int32_t from :
         {int32_t(CharHidden), int32_t(CharFly), int32_t(CharRide), int32_t(CharWalk)}) {
        SCOPED_TRACE(from);
        stage.level.charState = from;
        stage.level.stamps.flyStart = Page() - 5;
        Char(CharFly).x = 45;
        Char(CharFly).y = 328;
        Char(CharRide).frame = 4; // the ride's last picture: the turn wraps it to the first
        Walker().frame = 2;
        const CharObj rider = Char(CharRide), walker = Walker();
        BackObj& b25 = stage.level.backs[25];
        b25.state = 1;
        b25.x = 100;
        b25.y = 200;
        stage.level.counters.b25Count = 4;
        Forward(); // the character's own step first, as the whole turn makes it
        stage.BackgroundsForward();
        ASSERT_EQ(stage.level.charState, CharCaught);
        Backward();
        EXPECT_EQ(stage.level.charState, from);
        EXPECT_EQ(Char(CharFly).x, 45);
        EXPECT_EQ(Char(CharFly).y, 328);
        EXPECT_EQ(Char(CharRide), rider);
        EXPECT_EQ(Walker(), walker);
        EXPECT_EQ(b25.state, 4);
    }
}
