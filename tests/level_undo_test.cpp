// The backward turn's undo checks: their order, the sequences they reopen, and the events of the
// playing frame they take back.
#include "level_undo_support.h"

TEST_F(LevelUndoTest, AssembledC6StaysUntilTheTurnBackOverItsOwnPage) {
    Show(stage, 14, 0, 5, 2);
    CollObj& c6 = L.colls[6];
    c6.state = 1;
    c6.x = 300;
    c6.y = 400;
    c6.step = 0; // its drift belongs to the collision objects' turn
    for (int item : kPieceItems) {
        bag.items[item].state = ItemPlaced;
        SecondPlacementFlag(bag, item) = 1;
    }
    // Where it shows, so that hiding it again is exact.
    L.backs[14].x = 300 - 8;
    L.backs[14].y = 400 - 16;
    const std::vector<WorldSnapshot> seen = ForwardThenBack(stage, 8);
    const WorldSnapshot& assembled = seen[1];
    EXPECT_EQ(assembled.level.colls[6].state, 5);
    EXPECT_EQ(assembled.level.colls[6].pageStamp, 10);
    EXPECT_EQ(assembled.level.backs[14].state, 1);
    for (int item : kPieceItems)
        EXPECT_EQ(assembled.items[item].state, ItemUsedUp);
    EXPECT_EQ(seen[3].level.counters.b14Count, 2);

    // Eight pages on, one turn back keeps the assembly.
    for (int i = 0; i < 8; ++i)
        TurnBackgrounds(stage, Forward);
    TurnBackgrounds(stage, Backward);
    EXPECT_EQ(L.backs[14].state, 1);
    EXPECT_EQ(c6.state, 5);
    EXPECT_EQ(L.counters.b14Count, 2);
}

// C6 assembled on a turn the world stood still (the hero dismounting, say): it parks where it
// stands (no drift to take back), and the turn back, on which B14's own rule does not run, still
// takes the assembly back. With the world moving, it parks where it stood before its drift.
TEST_F(LevelUndoTest, C6AssembledWhileTheWorldStandsStillIsTakenBack) {
    for (const bool worldMoves : {true, false}) {
        SCOPED_TRACE(worldMoves ? "the world moves" : "the world stands still");
        HideAll(stage);
        for (CollObj& c : L.colls)
            c.state = 5;
        CollObj& c6 = L.colls[6];
        c6 = CollObj{};
        c6.state = 1;
        c6.x = 300;
        c6.y = 400;
        c6.step = 20;
        for (TearObj& it : bag.items)
            it.state = ItemInBag;
        for (int item : kPieceItems) {
            bag.items[item].state = ItemPlaced;
            SecondPlacementFlag(bag, item) = 1;
        }
        Show(stage, 14, 300 - 8, 0, 2, 400 - 16);
        if (!worldMoves) CloseThreeGates(common);
        const WorldSnapshot before = WorldSnapshot::Take(stage);
        // The objects' phases of the two turns (the pieces, in the air here, would fall).
        stage.CollisionReleaseChecks();
        stage.CollisionsForward();
        stage.BackgroundsForward();
        stage.FollowUpChecks();
        ++common.page;
        EXPECT_EQ(c6.state, 5);
        EXPECT_EQ(c6.x, 300);
        EXPECT_EQ(L.backs[14].state, 1);
        stage.FirstUndoChecks();
        stage.CollisionsBackward();
        stage.BackgroundsBackward();
        stage.SecondUndoChecks();
        --common.page;
        EXPECT_EQ(WorldSnapshot::Take(stage).Diff(before), "");
    }
}

// Turned back before the page its pieces were put down on, C6 may be off the page with every
// piece still marked as sitting on it. It drifts on with them and nothing is used up (no B14 shows
// for them there), and the turn back gives the world back.
TEST_F(LevelUndoTest, C6OffThePageWithItsPiecesDriftsOnWithThem) {
    SetAllAside(stage);
    CollObj& c6 = L.colls[6];
    c6.state = 0;
    c6.x = 1203;
    c6.y = 250;
    c6.step = 20;
    int32_t x = 842; // the first piece has come onto the page, ahead of C6
    for (int item : kPieceItems) {
        TearObj& piece = bag.items[item];
        piece.state = x < 860 ? ItemPlaced : ItemPlacedOff;
        piece.x = x;
        piece.step = 20;
        x += 60;
    }
    for (uint8_t& flag : bag.placementFlags) // both flags of every piece: on its place on C6
        flag = 1;
    const WorldSnapshot before = WorldSnapshot::Take(stage);
    TurnForwardByPhases();
    EXPECT_EQ(c6.x, 1183);
    EXPECT_EQ(c6.state, 0);
    EXPECT_EQ(L.backs[14].state, 2);
    EXPECT_EQ(bag.items[1].state, ItemPlaced);
    EXPECT_EQ(bag.items[1].x, 822);

    TurnBackByPhases();
    EXPECT_EQ(WorldSnapshot::Take(stage).Diff(before), "");
}

TEST_F(LevelUndoTest, B14HandsC7OverToItsPath) {
    Show(stage, 14, 200, 5);
    L.counters.b14Count = 2;
    CollObj& c7 = L.colls[7];
    c7.state = 1;
    c7.x = 123;
    c7.y = 45;
    TurnBackgrounds(stage, Forward);
    EXPECT_EQ(c7.state, 2);
    EXPECT_EQ(L.values.c7StartX, 123);
    EXPECT_EQ(L.values.c7StartY, 45);
}

TEST_F(LevelUndoTest, B12SequenceEndsTheLeverAndTurnsBackIntoIt) {
    // One count in: the character's lever animation has done its part.
    Show(stage, 12, 300, 0, 3, 200);
    Show(stage, 13, 300 + 72, 0, 2, 200);
    L.counters.b12Count = 1;
    L.charState = CharLever;
    L.chars[CharLever].frame = L.chars[CharLever].frames - 1; // the lever at its end
    L.flags.state11Done = 1;
    bag.items[5].state = ItemNotInPlay;
    bag.items[5].x = 450;
    bag.items[5].y = 372;
    CloseAllGates(common);
    const std::vector<WorldSnapshot> seen = ForwardThenBack(stage, 5);
    const WorldSnapshot& ended = seen[4];
    EXPECT_EQ(ended.level.backs[12].state, 2);
    EXPECT_EQ(ended.level.backs[13].state, 1);
    EXPECT_EQ(ended.level.charState, CharWalk);
    EXPECT_EQ(ended.items[5].state, ItemVisible);
    EXPECT_EQ(ended.level.stamps.b12End, 13);
    EXPECT_TRUE(ended.gates[0] && ended.gates[3]);
    TurnBackgrounds(stage, Backward); // the first count
    EXPECT_EQ(L.counters.b12Count, 0);
    EXPECT_FALSE(L.flags.state11Done);
}

// The lever's end hangs the lantern (item 5) out beside B12, on the page or, with B12 near the
// right edge, beyond it, where the frame after the turn makes it loose. The turn back over the end
// takes the lantern out of play either way.
TEST_F(LevelUndoTest, Item5HungOutByB12GoesOutOfPlayOnTheTurnBackOnOrOffThePage) {
    const struct {
        int32_t b12X;
        int32_t stateAfterFrame;
    } kCases[] = {{300, ItemVisible}, {740, ItemLoose}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(::testing::Message() << "B12 at " << c.b12X);
        HideAll(stage);
        L.stamps = PageStamps{};
        Show(stage, 12, c.b12X, 0, 3, 200);
        Show(stage, 13, c.b12X + 72, 0, 2, 200); // where the end shows it
        L.counters.b12Count = 4;                 // the lever's part is done: this turn ends it
        L.charState = CharLever;
        L.chars[CharLever].frame = L.chars[CharLever].frames - 1;
        L.flags.state11Done = 1;
        PutItemsAway();
        TearObj& lantern = bag.items[5];
        lantern.state = ItemNotInPlay;
        lantern.x = 450;
        lantern.y = 372;
        lantern.dw = 60;
        CloseAllGates(common);
        const WorldSnapshot start = WorldSnapshot::Take(stage);

        TurnBackgrounds(stage, Forward);
        bag.HandleInput(); // the frame after the turn
        ASSERT_EQ(lantern.x, c.b12X + 150);
        ASSERT_EQ(lantern.state, c.stateAfterFrame);

        TurnBackgrounds(stage, Backward);
        bag.HandleInput();
        EXPECT_EQ(lantern.state, ItemNotInPlay);
        // Out of play, where it hangs is not drawn: the lever's end places it anew.
        WorldSnapshot back = WorldSnapshot::Take(stage);
        back.items[5].x = start.items[5].x;
        back.items[5].y = start.items[5].y;
        EXPECT_EQ(back.Diff(start), "");
    }
}

TEST_F(LevelUndoTest, B17SequenceSwapsC7ForC8AndBack) {
    Show(stage, 17, 300, 0, 3, 200);
    Show(stage, 18, 300, 0, 2, 200);
    CollObj& c7 = L.colls[7];
    CollObj& c8 = L.colls[8];
    c7.state = 1;
    c7.x = 500;
    c7.y = 300;
    c8.state = 6;
    c8.x = 600;
    c8.y = 300;
    CloseAllGates(common); // as the start of the sequence left them
    const std::vector<WorldSnapshot> seen = ForwardThenBack(stage, 6);
    const LevelState& ended = seen[5].level;
    EXPECT_EQ(ended.backs[17].state, 2);
    EXPECT_EQ(ended.backs[18].state, 1);
    EXPECT_EQ(ended.colls[7].state, 5);
    EXPECT_EQ(ended.colls[8].state, 1);
    EXPECT_EQ(ended.counters.b18Frame, 0); // shown one step back, then stepped on
    EXPECT_EQ(seen[5].gates[0], 1);
}

TEST_F(LevelUndoTest, B93LiftsTheLoadAndTurningBackLowersIt) {
    Show(stage, 93, 300, 0, 3, 200);
    Show(stage, 92, 296, 4, 3, 203);
    CollObj& c20 = L.colls[20];
    c20.state = 2;
    c20.x = 298;
    c20.y = 341;
    L.backs[93].x = c20.x + 2;
    L.backs[93].y = c20.y - 141;
    CloseAllGates(common);
    const std::vector<WorldSnapshot> seen = ForwardThenBack(stage, 12);
    EXPECT_EQ(seen[4].level.counters.b93Count, 4);
    EXPECT_TRUE(seen[4].level.flags.b93Reversing);
    const WorldSnapshot& rested = seen[9];
    EXPECT_EQ(rested.level.backs[93].state, 7);
    EXPECT_EQ(rested.level.backs[92].state, 5);
    EXPECT_EQ(rested.level.colls[20].state, 3);
    EXPECT_EQ(rested.level.stamps.b93b94End, 18);
    EXPECT_EQ(rested.gates[0], 1);
    EXPECT_EQ(seen[12].level.backs[92].x, 296 - 12);
}

// C11 handed over to C12 on the turn before; C12 may have walked off the page since (state 0).
TEST_F(LevelUndoTest, C11HandOverIsTakenBackAfterC12LeftThePage) {
    for (int32_t c12State : {1, 0}) {
        SCOPED_TRACE(c12State);
        HideAll(stage);
        common.page = 20;
        L.stamps.c11HandOver = 19;
        CollObj& c11 = L.colls[11];
        c11.state = 5;
        CollObj& c12 = L.colls[12];
        c12.state = c12State;
        c12.x = -200;
        c12.y = 300;
        stage.SecondUndoChecks();
        EXPECT_EQ(c12.state, 6);
        EXPECT_EQ(c11.state, 1);
        EXPECT_EQ(c11.x, -180);
        EXPECT_EQ(c11.y, 268);
        EXPECT_EQ(L.stamps.c11HandOver, kNoStamp);
    }
}

TEST_F(LevelUndoTest, SecondListRestoresTheLiftAfterTheBackgroundLoop) {
    common.page = 20;
    L.stamps.b93b94End = 19;
    CollObj& c20 = L.colls[20];
    c20.state = 3;
    c20.x = 100;
    c20.y = 400;
    Show(stage, 92, 50, 4, 5);
    Show(stage, 93, 0, 0, 7);
    Show(stage, 94, 0, 0, 7);
    stage.BackgroundsBackward(); // B92 drifts back
    stage.SecondUndoChecks();
    EXPECT_EQ(L.backs[92].state, 3);
    EXPECT_EQ(L.backs[92].x, 50);
    EXPECT_EQ(L.backs[93].state, 3);
    EXPECT_EQ(L.backs[93].x, 102);
    EXPECT_EQ(L.backs[94].y, 264);
    EXPECT_EQ(c20.state, 2);
    EXPECT_EQ(L.stamps.b93b94End, kNoStamp);
}

TEST_F(LevelUndoTest, BagLossIsUndoneOnItsOwnPage) {
    common.page = 15;
    L.stamps.bagLoss = 15;
    L.flags.bagLossDone = 1;
    stage.FirstUndoChecks(); // before the items' phase
    EXPECT_FALSE(L.flags.bagLossDone);
    EXPECT_EQ(L.stamps.bagLoss, kNoStamp);

    L.stamps.bagLoss = 14; // another page: kept
    L.flags.bagLossDone = 1;
    stage.FirstUndoChecks();
    EXPECT_TRUE(L.flags.bagLossDone);
}

TEST_F(LevelUndoTest, UsesBesideCopiesOfB11ComeBack) {
    common.page = 15;
    L.backs[11].step = 0;
    struct Used {
        int coll, copy, dx, dy;
    };
    // Positions as the uses left them (the copy placed from the object).
    for (Used u :
         {Used{5, 0, 0, 6}, Used{21, 1, 14, 50}, Used{22, 2, 0, 26}, Used{23, 3, -8, 56}}) {
        CollObj& c = L.colls[u.coll];
        c.state = 5;
        c.x = 300;
        c.y = 200;
        c.frames = 3;
        c.frame = 0;
        L.back11Copies[u.copy] = Back11Copy{1, 300 + u.dx, 200 + u.dy};
    }
    L.stamps.c5Used = 15;
    L.colls[21].pageStamp = 15;
    L.colls[22].pageStamp = 15;
    L.colls[23].pageStamp = 15;
    // C8 used where B11 shows (B11 placed at C8 x + 50, y + 106).
    CollObj& c8 = L.colls[8];
    c8.state = 5;
    c8.x = 300;
    c8.y = 200;
    L.backs[11].state = 1;
    L.backs[11].x = 350;
    L.backs[11].y = 306;
    L.stamps.c8Used = 15;
    // The world held still on the turn taken back: no drift to take back.
    common.collGate = 0;
    common.backGate = 0;
    stage.SecondUndoChecks();
    // Each comes back exactly where it was used.
    for (int k : {5, 8, 21, 22, 23}) {
        EXPECT_EQ(L.colls[k].state, 1) << "C" << k;
        EXPECT_EQ(L.colls[k].x, 300) << "C" << k;
        EXPECT_EQ(L.colls[k].y, 200) << "C" << k;
    }
    EXPECT_EQ(L.colls[21].frame, 0);
    for (int copy : {0, 1, 2, 3})
        EXPECT_EQ(L.back11Copies[copy].shown, 2);
    EXPECT_EQ(L.stamps.c5Used, kNoStamp);
}

TEST_F(LevelUndoTest, C21WithFewerFramesStepsBackInsideThem) {
    common.page = 15;
    CollObj& c21 = L.colls[21];
    c21.state = 5;
    c21.frames = 2;
    c21.frame = 0;
    c21.pageStamp = 15;
    L.back11Copies[1].shown = 1;
    stage.SecondUndoChecks();
    EXPECT_EQ(c21.frame, 1);
}

TEST_F(LevelUndoTest, C7UsedBesideB11ComesBackExactly) {
    common.page = 15;
    Show(stage, 11, 374, 0, 1, 406);
    CollObj& c7 = L.colls[7];
    c7.state = 5;
    L.stamps.c7Used = 15;
    stage.SecondUndoChecks();
    EXPECT_EQ(c7.state, 1);
    EXPECT_EQ(c7.x, 300);
    EXPECT_EQ(c7.y, 300);
    EXPECT_EQ(L.backs[11].state, 2);
}

// B16 led C7 onto the page on the turn before, and C7 was used up beside B11 in a frame of this
// page. The turn back takes both back: C7 waits off-stage again (not given back onto the page,
// where the frame's rules would use it up again), B11 hides, B16 comes back beside it.
TEST_F(LevelUndoTest, C7UsedOnThePageB16LedItOntoGoesBackToWaiting) {
    common.page = 337;
    L.stamps.b16Follow = 336;
    Show(stage, 16, 563, 0, 2, 300);
    CollObj& c7 = L.colls[7];
    c7.state = 5;
    c7.x = 547;
    c7.y = 300;
    L.stamps.c7Used = 337;
    Show(stage, 11, 547 + 74, 0, 1, 406);
    stage.FirstUndoChecks();
    stage.SecondUndoChecks();
    EXPECT_EQ(c7.state, 6);
    EXPECT_EQ(L.stamps.c7Used, kNoStamp);
    EXPECT_EQ(L.backs[11].state, 2);
    EXPECT_EQ(L.backs[16].state, 4);
    EXPECT_EQ(L.backs[16].x, 563);
}

// A lantern's flare ended on the turn before and put a newcomer in the place of the object it
// frightened (B17: the fleeing troll C8 for C7; B57: C15 for C14), and the newcomer was used up in
// a frame of this page. The turn back takes both back, the use first: the newcomer waits
// off-stage again (given back onto the page instead, the frame's rules would use it up again on
// every page turned back, with the frightened object still parked), what its use showed hides,
// and the frightened object stands where it stood.
TEST_F(LevelUndoTest, NewcomerUsedOnThePageAFlareEndLedItOntoGoesBackToWaiting) {
    const struct {
        const char* name;
        int flare, follower, frightened, newcomer;
        int32_t followerDx, followerDy; // where the flare's end shows its follower
        int32_t LevelCounters::*count;
        int32_t newcomerDx; // from the frightened object
        int shown;          // the background object the newcomer's use shows
        int32_t shownDx, shownDy;
        int32_t PageStamps::*used;
    } kCases[] = {
        {"C8 used beside B11", 17, 18, 7, 8, 0, 0, &LevelCounters::b17Count, 100, 11, 50, 106,
         &PageStamps::c8Used},
        {"C15 used, B59 shown", 57, 58, 14, 15, 60, -35, &LevelCounters::b57Count, 0, 59, -122, 4,
         &PageStamps::c15Used},
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(k.name);
        HideAll(stage);
        Show(stage, k.flare, 300, 0, 3, 200);
        L.counters.*k.count = 4; // the flare ends on the next turn
        // Hidden where the flare's end shows it: hidden again, it keeps that place.
        Show(stage, k.follower, 300 + k.followerDx, 0, 2, 200 + k.followerDy);
        CollObj& frightened = L.colls[k.frightened];
        CollObj& newcomer = L.colls[k.newcomer];
        frightened.state = 1;
        frightened.x = 500;
        frightened.y = 300;
        newcomer.state = 6;
        newcomer.x = 500 + k.newcomerDx;
        newcomer.y = 300;
        newcomer.frame = 0;
        CloseAllGates(common); // as the flare's start left them
        const WorldSnapshot before = WorldSnapshot::Take(stage);

        TurnBackgrounds(stage, Forward);
        ASSERT_EQ(frightened.state, 5);
        ASSERT_EQ(newcomer.state, 1);
        // Used up in a frame of the page the flare's end led it onto.
        newcomer.state = 5;
        Show(stage, k.shown, newcomer.x + k.shownDx, 0, 1, newcomer.y + k.shownDy);
        L.stamps.*k.used = common.page;

        TurnBackgrounds(stage, Backward);
        EXPECT_EQ(newcomer.state, 6);
        EXPECT_EQ(frightened.state, 1);
        EXPECT_EQ(L.backs[k.shown].state, 2);
        EXPECT_EQ(L.stamps.*k.used, kNoStamp);
        // Hidden, the shown object keeps its last place: not drawn, placed anew when shown.
        WorldSnapshot after = WorldSnapshot::Take(stage);
        after.level.backs[k.shown].x = before.level.backs[k.shown].x;
        after.level.backs[k.shown].y = before.level.backs[k.shown].y;
        EXPECT_EQ(after.Diff(before), "");
    }
}

// C7 or C8 (the troll, standing or fleeing) sets B16 going whatever the gates, also on a turn the
// world stands still (the lantern's flare holding it). The turn back over that turn hides B16
// again where it was and puts the troll back in the lane, though B16's own backward rule does not
// run while the world stands still; done a turn late, the turn back over B16 leading C7 in would
// find C7 still gone and leave B16 in the lane. With the world moving, B16's own rule does it.
TEST_F(LevelUndoTest, B16SetGoingIsTakenBackOnItsOwnTurnWhetherTheWorldMovesOrNot) {
    const struct {
        const char* name;
        int from;       // the collision object that sets B16 going
        bool moves;     // the gates stay open
        int turnsAfter; // further turns before turning back, all alike
        int32_t trollX = 547;
    } kCases[] = {
        {"C7, the world still for four turns", 7, false, 3},
        {"C8, the world still", 8, false, 0},
        {"C7, the world moving", 7, true, 0},
        // Set going from C8's far side, B16 starts off the page and walks away from it.
        {"C8 at the page's right edge, the world moving", 8, true, 1, 807},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        HideAll(stage);
        for (CollObj& o : L.colls)
            o.state = 5;
        common.page = 335;
        L.flags.b16Released = 0;
        L.draw.b16ScaleX = 2.0f;
        L.counters.b16Count = 2;
        L.values.b16HiddenX = 543; // as the release saves it, which no turn back clears
        L.stamps = PageStamps{};
        Show(stage, 16, 543, 20, 2, 264); // hidden behind the troll it led in
        CollObj& troll = L.colls[c.from];
        troll.state = 1;
        troll.x = c.trollX;
        troll.y = 264;
        troll.w = 90;
        troll.dw = 180;
        troll.step = 20;
        TearObj& sun = bag.items[9];
        sun.state = ItemPlaced;
        sun.x = 400;
        sun.y = 100;
        sun.dw = 40;
        bag.tearingObj[9].placePage = 330;
        if (!c.moves) CloseAllGates(common);

        std::vector<WorldSnapshot> seen{WorldSnapshot::Take(stage)};
        for (int i = 0; i <= c.turnsAfter; ++i) {
            TurnForwardByPhases();
            stage.UpdateOnScreenStates(); // as the frame after the turn does
            seen.push_back(WorldSnapshot::Take(stage));
        }
        const LevelState& set = seen[1].level;
        ASSERT_EQ(set.colls[c.from].state, 5);
        ASSERT_TRUE(set.flags.b16Released);
        ASSERT_EQ(set.backs[16].state, set.backs[16].x < 800 ? 1 : 0);
        EXPECT_EQ(set.stamps.b16SetGoing, 335);
        for (int i = c.turnsAfter; i >= 0; --i) {
            TurnBackByPhases();
            stage.UpdateOnScreenStates();
            const std::string diff = WorldSnapshot::Take(stage).Diff(seen[i]);
            EXPECT_EQ(diff, "") << "back to step " << i;
            if (!diff.empty()) break;
        }
    }
}

// Released, B16 walks on and drops the umbrella (item 10) at its feet. Walking left it drops it
// on the page; mirrored (carried off by C8) it walks right and drops it beyond the page's right
// edge, where the frame after the turn makes it a loose item off the page. Either way the turn back
// over the drop takes the umbrella out of play again: left loose, it would drift onto the page on
// the next turns back and could be torn out before B16 ever dropped it.
TEST_F(LevelUndoTest, Item10DroppedByB16GoesOutOfPlayOnTheTurnBackOnOrOffThePage) {
    const struct {
        const char* name;
        float scaleX;
        int32_t b16X;
        int32_t droppedX;        // B16 a step on, then at its feet
        int32_t stateAfterFrame; // as the frame after the turn shows it
    } kCases[] = {
        {"walking left, on the page", 2.0f, 300, 280 + 8, ItemVisible},
        {"mirrored, beyond the right edge", -2.0f, 976, 996 - 100 + 8, ItemLoose},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        HideAll(stage);
        common.page = 350;
        L.stamps = PageStamps{};
        L.flags.b16Released = 1;
        L.draw.b16ScaleX = c.scaleX;
        L.counters.b16Count = 0; // the last step before the drop
        Show(stage, 16, c.b16X, 20, 1, 264);
        SetAllAside(stage);
        TearObj& umbrella = bag.items[10];
        umbrella.state = ItemNotInPlay;
        umbrella.x = 331;
        umbrella.y = 458;
        umbrella.dw = 60;
        umbrella.step = 20;
        const WorldSnapshot start = WorldSnapshot::Take(stage);

        TurnForwardByPhases();
        bag.HandleInput(); // the frame after the turn
        ASSERT_EQ(L.stamps.b16Release, 350);
        ASSERT_EQ(umbrella.x, c.droppedX);
        ASSERT_EQ(umbrella.state, c.stateAfterFrame);

        TurnBackByPhases();
        bag.HandleInput();
        EXPECT_EQ(umbrella.state, ItemNotInPlay);
        // Out of play, where it lies is not drawn: the drop places it anew.
        WorldSnapshot back = WorldSnapshot::Take(stage);
        back.items[10].x = start.items[10].x;
        back.items[10].y = start.items[10].y;
        EXPECT_EQ(back.Diff(start), "");
    }
}

// B25 closes over the walker on the turn it makes a step home (back from the carried path): the
// turn back over it shows the walker again where it stood, not a step short of it.
TEST_F(LevelUndoTest, WalkerHiddenByB25ComesBackWithItsStepHome) {
    common.page = 90;
    L.stamps.carriedEnd = 40;
    Show(stage, 25, 400, 0);
    L.counters.b25Count = 2;
    CharObj& carried = L.chars[CharCarried];
    carried.frames = 3;
    carried.frame = 2;
    CharObj& walker = L.chars[CharWalk];
    walker.frames = 5;
    walker.frame = 1;
    walker.x = 195;
    L.head.x = 229;
    L.charState = CharWalk;
    stage.TurnPage(Forward);
    ASSERT_EQ(L.charState, CharHidden);
    ASSERT_EQ(walker.x, 175);
    stage.TurnPage(Backward);
    EXPECT_EQ(L.charState, CharWalk);
    EXPECT_EQ(walker.frame, 1);
    EXPECT_EQ(walker.x, 195);
    EXPECT_EQ(L.head.x, 229);
}

// The rider meets the dropped load and begins the dismount in a frame of this page; in a later
// frame the put-down boulder, now under the dismount's first picture, throws the hero off. The
// turn back from this page takes back the throw and the dismount's start with the riding turn
// that led here: the hero rides again, a picture back, with every gate open as before that turn
// (not at the dismount's last picture, which the throw had never reached).
TEST_F(LevelUndoTest, ThrownAtTheDismountsFirstPictureRidesAgainOnTheTurnBack) {
    common.page = 256;
    CharObj& rider = L.chars[CharRide];
    rider.frames = 5;
    rider.frame = 1;
    rider.x = 70;
    rider.y = 232;
    L.chars[CharDismount].frames = 5;
    L.chars[CharThrown].frames = 2;
    L.charState = CharRide;
    const LevelState before = L;
    stage.CharacterForward();
    ++common.page;
    ASSERT_EQ(rider.frame, 2);

    CollObj& load = L.colls[3]; // the dropped load, at its last picture
    load.state = 3;
    load.frame = 2;
    load.hit = RECT{100, 250, 160, 300};
    L.hitB = RECT{90, 240, 130, 280};
    stage.Interact();
    ASSERT_EQ(L.charState, CharDismount);
    TearObj& boulder = bag.items[0]; // put down pages ago
    boulder.state = ItemPlaced;
    boulder.hit = RECT{30, 380, 70, 420};
    bag.tearingObj[0].placePage = 250;
    L.hitA = RECT{40, 350, 120, 450}; // the dismount's picture reaches it
    stage.Interact();
    ASSERT_EQ(L.charState, CharThrown);
    ASSERT_TRUE(AllClosed());

    stage.CharacterBackward();
    --common.page;
    EXPECT_EQ(L.charState, CharRide);
    EXPECT_EQ(rider, before.chars[CharRide]);
    EXPECT_EQ(L.chars[CharDismount].frame, 0);
    EXPECT_EQ(L.flags.viaState10, 0);
    EXPECT_EQ(L.stamps.state10End, kNoStamp);
    EXPECT_TRUE(AllOpen());
}

// B25 closes over the walker on the very turn the carried path ends: the turn back over it gives
// the hero back to the path's last step, as walking's own turn back would, and forgets the end.
TEST_F(LevelUndoTest, WalkerHiddenByB25AsTheCarriedPathEndsGoesBackOntoIt) {
    common.page = 90;
    Show(stage, 25, 400, 0);
    L.counters.b25Count = 2;
    L.counters.carryStep = 9; // the path's last step
    L.chars[CharCarried].frames = 3;
    L.chars[CharCarried].frame = 2;
    L.chars[CharWalk].frames = 5;
    L.charState = CharCarried;
    stage.TurnPage(Forward);
    ASSERT_EQ(L.charState, CharHidden);
    ASSERT_EQ(L.stamps.carriedEnd, 90);
    stage.TurnPage(Backward);
    EXPECT_EQ(L.charState, CharCarried);
    EXPECT_EQ(L.stamps.carriedEnd, kNoStamp);
    EXPECT_EQ(L.counters.carryStep, 9);
}

// C13 used up in a frame of this page showed B29 where it stood. Turning back over the page
// hides B29 and gives C13 back there, also while the world holds still (the hero knocked down):
// B29's own rule, which does it when the world moves, does not run then.
TEST_F(LevelUndoTest, C13UsedOnThisPageComesBackWhileTheWorldHoldsStill) {
    for (const bool worldMoves : {true, false}) {
        SCOPED_TRACE(worldMoves);
        HideAll(stage);
        common.page = 30;
        if (!worldMoves) CloseAllGates(common);
        Show(stage, 29, 300, 0, 1, 464);
        L.values.b29StartY = 464;
        L.stamps.c13Used = 30;
        CollObj& c13 = L.colls[13];
        c13 = CollObj{};
        c13.state = 5;
        c13.frames = 3;
        c13.frame = 1;
        c13.step = 0;
        TurnBackByPhases();
        EXPECT_EQ(L.backs[29].state, 2);
        EXPECT_EQ(c13.state, 1);
        EXPECT_EQ(c13.x, 329);
        EXPECT_EQ(c13.y, 460);
        EXPECT_EQ(L.stamps.c13Used, kNoStamp);
    }
}

// C10, C14 and C15 used up in a frame of this page showed B31, B56 or B59 where they stood. Turning
// back over the page while the world held still hides it and gives the object back there, on the
// frame it had: its path did not step on that turn, and the background's own rule did not run.
TEST_F(LevelUndoTest, RevealUsedOnThisPageComesBackWhileTheWorldHoldsStill) {
    struct Case {
        int coll, back;
        int32_t PageStamps::*stamp;
        int32_t backX, backY, collX, collY;
    };
    const Case cases[] = {
        {10, 31, &PageStamps::c10Used, 300, 400, 314, 422},
        {14, 56, &PageStamps::c14Used, 300, 464, 291, 460},
        {15, 59, &PageStamps::c15Used, 300, 464, 422, 460},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.coll);
        HideAll(stage);
        common.page = 30;
        CloseAllGates(common);
        Show(stage, k.back, k.backX, 1, 1, k.backY);
        L.stamps.*k.stamp = 30;
        CollObj& c = L.colls[k.coll];
        c = CollObj{};
        c.state = 5;
        c.frames = 4;
        c.frame = 2;
        c.step = 0;
        TurnBackByPhases();
        EXPECT_EQ(L.backs[k.back].state, 2);
        EXPECT_EQ(L.backs[k.back].x, k.backX);
        EXPECT_EQ(c.state, 1);
        EXPECT_EQ(c.x, k.collX);
        EXPECT_EQ(c.y, k.collY);
        EXPECT_EQ(c.frame, 2);
        EXPECT_EQ(L.stamps.*k.stamp, kNoStamp);
    }
}

// C1 used in a frame of this page comes back where it stood before the turn that led here, and
// in the state it had there: off the page (it was used in its first frame on it), it waits off it
// again, or the next frame's rules would meet it on the page and use it once more.
TEST_F(LevelUndoTest, C1UseTakenBackLeavesItOnOrOffThePageAsItWas) {
    struct Case {
        int32_t x;
        uint8_t primed;
        int32_t state;
    } const cases[] = {{600, 0, 1}, {600, 1, 3}, {843, 0, 0}, {843, 1, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + (c.primed ? " primed" : ""));
        common.page = 40;
        OpenAllGates(common);
        CollObj& c1 = L.colls[1];
        c1 = CollObj{};
        c1.x = c.x;
        c1.dw = 100;
        c1.step = 20;
        c1.state = 5;
        L.flags.c1Primed = c.primed;
        L.stamps.c1Used = 40;
        L.backs[2].state = 1;
        stage.SecondUndoChecks();
        EXPECT_EQ(c1.x, c.x + 20);
        EXPECT_EQ(c1.state, c.state);
        EXPECT_EQ(L.backs[2].state, 2);
        EXPECT_EQ(L.stamps.c1Used, kNoStamp);
    }
}

// Item 13 loaded onto C20 in a frame of this page, turned back before B91 made a step: the
// badger is given back as the load found him, waving or stamping, at his place and in his cycle,
// and turned back with the world on this turn exactly as if nothing had been loaded (the world
// may stand: knocked down, the hero holds it still). C20 moves back likewise, and the load's page
// goes with it: kept, the turn back over the next page would take back a load that did not
// happen in the new play, opening the world while the hero holds it.
TEST_F(LevelUndoTest, LoadTurnedBackOnItsPageGivesTheBadgerBackAsTheLoadFoundHim) {
    struct Case {
        const char* name;
        int32_t b90State, b90Count, b91State, b91Step, b91SubStep;
        // Turned back with the world moving: the one shown, where, and its count (B90) or step.
        int shown;
        int32_t shownX, shownCount;
        // Item 10 too (it stays in the bag when the pages turn back, so both may come on one
        // page): one turn back takes both back, the badger and C20 stepping back once.
        bool bothItems = false;
        // C24's sequence ended on the turn to the load's page: C20, before it in the collision
        // loop, found the world shut on that turn and did not move.
        bool c24Ended = false;
    };
    const Case cases[] = {
        {"waving, between his pictures", 1, 1, 2, 0, 0, 90, 420, 0},
        {"waving, at his last picture", 1, 2, 2, 0, 0, 90, 420, 1},
        {"waving, just handed back by B91", 1, 0, 2, 0, 0, 91, 451, 5},
        {"stamping", 7, 0, 1, 3, 0, 91, 470, 2},
        {"stamping, at its first step", 7, 0, 1, 0, 0, 90, 449, 2},
        {"stamping, both items", 7, 0, 1, 3, 0, 91, 470, 2, true},
        {"waving, both items", 1, 1, 2, 0, 0, 90, 420, 0, true},
        {"waving, C24's end on the turn before", 1, 1, 2, 0, 0, 90, 420, 0, false, true},
    };
    for (const Case& c : cases) {
        for (const bool worldMoves : {true, false}) {
            SCOPED_TRACE(::testing::Message() << c.name << (worldMoves ? "" : ", world held"));
            HideAll(stage);
            common.page = 19;
            SetAllAside(stage);
            if (c.c24Ended) {
                L.colls[24].state = 2;
                L.colls[24].pageStamp = 18;
            }
            if (!worldMoves) CloseAllGates(common);
            Show(stage, 90, 400, 20, c.b90State, 302);
            Show(stage, 91, c.b91State == 1 ? 450 : 0, 20, c.b91State, 300);
            L.counters.b90Count = c.b90Count;
            L.counters.b91Step = c.b91Step;
            L.counters.b91SubStep = c.b91SubStep;
            CollObj& c20 = L.colls[20];
            c20 = CollObj{};
            c20.state = 1;
            c20.x = 482;
            c20.step = 20;
            c20.hit = RECT{482, 300, 582, 400};
            // The turn back as it goes with nothing loaded.
            CStage_One unloaded;
            unloaded.level = L;
            unloaded.BackgroundsBackward();
            const LevelState& expected = unloaded.level;

            TearObj& egg = bag.items[13];
            egg.state = ItemPlaced;
            egg.hit = RECT{500, 320, 520, 340};
            bag.tearingObj[13].placePage = 19;
            if (c.bothItems) {
                TearObj& umbrella = bag.items[10];
                umbrella.state = ItemPlaced;
                umbrella.hit = RECT{530, 320, 550, 340};
                bag.tearingObj[10].placePage = 19;
            }
            stage.Interact();
            ASSERT_EQ(L.flags.itemUse10, c.bothItems ? 1 : 0);
            ASSERT_EQ(L.flags.itemUse13, 1);
            ASSERT_EQ(L.backs[91].state, 3);
            ASSERT_EQ(L.backs[90].state, 7);

            stage.BackgroundsBackward();
            EXPECT_EQ(c20.pageStamp, kNoStamp);
            EXPECT_EQ(L.flags.itemUse13, 0);
            EXPECT_EQ(L.flags.itemUse10, 0);
            for (int slot : {90, 91}) {
                EXPECT_EQ(L.backs[slot].state, expected.backs[slot].state) << "B" << slot;
                EXPECT_EQ(L.backs[slot].x, expected.backs[slot].x) << "B" << slot;
                EXPECT_EQ(L.backs[slot].y, expected.backs[slot].y) << "B" << slot;
            }
            EXPECT_EQ(L.counters.b90Count, expected.counters.b90Count);
            EXPECT_EQ(L.counters.b91Step, expected.counters.b91Step);
            EXPECT_EQ(L.counters.b91SubStep, expected.counters.b91SubStep);
            EXPECT_TRUE(L.values.badgerBeforeLoad == LevelValues::BadgerBeforeLoad{});
            EXPECT_EQ(c20.state, 1);
            EXPECT_EQ(c20.x, 482 + (worldMoves && !c.c24Ended ? 20 : 0));
            if (!worldMoves) continue;
            EXPECT_EQ(L.backs[c.shown].state, 1);
            EXPECT_EQ(L.backs[c.shown].x, c.shownX);
            EXPECT_EQ(c.shown == 90 ? L.counters.b90Count : L.counters.b91Step, c.shownCount);
        }
    }
}

TEST_F(LevelUndoTest, C9UseIsTakenBack) {
    common.page = 15;
    Show(stage, 22, 276, 0, 1, 295);
    Show(stage, 23, 400, 0, 2);
    CollObj& c9 = L.colls[9];
    c9.state = 5;
    c9.pageStamp = 15;
    // Item 12 went on scrolling with the world while used up: it comes back where it stands.
    bag.items[12].state = ItemUsedUp;
    bag.items[12].x = 276 + 24 + 292;
    bag.items[12].y = 295 + 5 + 198;
    stage.FirstUndoChecks();
    EXPECT_EQ(L.backs[22].state, 2);
    EXPECT_EQ(c9.state, 1);
    EXPECT_EQ(c9.x, 300);
    EXPECT_EQ(c9.y, 300);
    EXPECT_EQ(L.backs[23].state, 1);
    EXPECT_EQ(bag.items[12].state, ItemVisible);
    EXPECT_EQ(bag.items[12].x, 276 + 24 + 292);
    EXPECT_EQ(bag.items[12].y, 295 + 5 + 198);
    EXPECT_EQ(c9.pageStamp, kNoStamp);
}

// B30 is shown on the first frame after item 11's put-down page; the backward turn onto that
// page hides it again and gives the item back where it was put down. B30's loop stepped back
// with the scenery on that turn only when the scenery moved.
// Item 11 put down outside the pit lay at x 300 after the turn that led to its use, and B30 came
// on there (27 px left). The turn back gives it back where it lay before that turn: a step right
// if the put-down items moved on it. Its put-down point is where it lay only if no turn had moved
// it since: turned back before its page and forward again while the world held still, it is not.
TEST_F(LevelUndoTest, ItemPutDownOutsideThePitComesBackWhereItLay) {
    struct Case {
        const char* what;
        uint8_t backGate, placedGate;
        int32_t putDownX, expectedX;
    } const cases[] = {
        {"the world moved", 1, 1, 320, 320},
        {"the world held still, the item off its put-down point", 0, 0, 260, 300},
        {"only the put-down items moved", 0, 1, 320, 320},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HideAll(stage);
        common.page = 21;
        common.backGate = common.itemGate = common.collGate = c.backGate;
        common.placedGate = c.placedGate;
        TearingObj& tearing = bag.tearingObj[11];
        tearing.placePage = 20;
        tearing.x = c.putDownX - tearing.offX;
        tearing.y = 208 - tearing.offY;
        Show(stage, 30, 300 - 27, 20, 1, 200);
        L.counters.b30Count = 7;
        TearObj& i11 = bag.items[11];
        i11.state = ItemUsedUp;
        i11.x = 300;
        i11.y = 208;
        i11.step = 20;
        stage.BackgroundsBackward();
        stage.SecondUndoChecks();
        EXPECT_EQ(L.backs[30].state, 2);
        EXPECT_EQ(L.counters.b30Count, 7);
        EXPECT_EQ(i11.state, ItemPlaced);
        EXPECT_EQ(i11.x, c.expectedX);
        EXPECT_EQ(i11.y, 208);
    }
}

// The hare (C5) used beside copy 0 goes back on the turn back to what it was: running (a frame
// back) or done. The turn taken back may have woken it (item 7 torn into the bag on the page
// before): it had not run yet and goes back to sleeping. Or it may have ended its run: it runs
// again, on its last frame, for the next turn back to step. Its place is the copy's, which steps
// back with B11 whatever the gates: not running, with the world standing still on that turn, it
// had not drifted, and comes back a step short of the copy; the run's last step moved it whatever
// the gates, so one ended on that turn comes back at the copy.
TEST_F(LevelUndoTest, C5UsedGoesBackToWhatItWasBeforeTheTurnTakenBack) {
    struct Case {
        int32_t usedState, woke, ended;
        bool worldStill;
        int32_t state, frame, wake, stamp, x;
    };
    constexpr Case kCases[] = {
        {2, 181, kNoStamp, false, 1, 2, kNoStamp, kNoStamp, 170}, // woken on the turn taken back
        {2, 170, kNoStamp, false, 2, 1, 170, kNoStamp, 170},      // running: a frame back
        {3, 170, 175, false, 3, 2, 170, 175, 170},                // done earlier: still done
        {3, 170, 181, false, 2, 2, 170, kNoStamp, 170},           // done on the turn taken back
        {1, 170, kNoStamp, true, 1, 2, 170, kNoStamp, 150},       // waiting, the world still
        {2, 170, kNoStamp, true, 2, 1, 170, kNoStamp, 170},       // running, whatever the gates
        {3, 170, 181, true, 2, 2, 170, kNoStamp, 170},            // ended then, whatever the gates
        {3, 170, 175, true, 3, 2, 170, 175, 150},                 // done earlier, the world still
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(::testing::Message() << "used in state " << c.usedState << ", woke " << c.woke
                                          << ", ended " << c.ended << ", still " << c.worldStill);
        HideAll(stage);
        if (c.worldStill) CloseThreeGates(common);
        L.backs[11].step = 20;
        common.page = 182;
        CollObj& c5 = L.colls[5];
        c5 = CollObj{};
        c5.state = 5;
        c5.frames = 5;
        c5.frame = 2;
        c5.dw = 80;
        c5.pageStamp = c.ended;
        L.stamps.c5Used = 182;
        L.values.c5UsedState = c.usedState;
        L.stamps.c5Wake = c.woke;
        Back11Copy& copy = L.back11Copies[0];
        copy.shown = 1;
        copy.x = 170;
        copy.y = 406;
        stage.SecondUndoChecks();
        EXPECT_EQ(c5.x, c.x);
        EXPECT_EQ(c5.y, 400);
        EXPECT_EQ(c5.state, c.state);
        EXPECT_EQ(c5.frame, c.frame);
        EXPECT_EQ(c5.pageStamp, c.stamp);
        EXPECT_EQ(L.stamps.c5Wake, c.wake);
        EXPECT_EQ(copy.shown, 2);
    }
}

// The hare (C5) woken by item 7 in the bag on a forward turn goes back to sleeping on the turn
// back, where it was: it drifted on the turn that woke it only if the world moved then.
TEST_F(LevelUndoTest, C5WokenOnATurnComesBackWhereItSleptWhateverTheGate) {
    for (const uint8_t gate : {uint8_t{1}, uint8_t{0}}) {
        HideAll(stage);
        common.page = 20;
        common.backGate = common.itemGate = common.placedGate = 1;
        common.collGate = gate;
        CollObj& c5 = L.colls[5];
        c5 = CollObj{};
        c5.state = 1;
        c5.x = 300;
        c5.step = 20;
        c5.frames = 5;
        bag.items[7].state = ItemInBag;
        stage.CollisionsForward();
        stage.C5WakeCheck();
        ++common.page;
        EXPECT_EQ(c5.state, 2) << "gate " << int(gate);
        stage.FirstUndoChecks();
        stage.CollisionsBackward();
        --common.page;
        EXPECT_EQ(c5.state, 1) << "gate " << int(gate);
        EXPECT_EQ(c5.x, 300) << "gate " << int(gate);
    }
}

// The first meeting with the falling C19 (item 5 put down, or C13 rolling into it) is kept with
// its page: turning back over that page clears it, turning back over a later meeting does not.
TEST_F(LevelUndoTest, C19MeetingIsTakenBackOnlyOverTheFirstMeetingsPage) {
    struct Case {
        const char* what;
        bool item5, c13;
        int32_t metEarlier; // page of an earlier meeting, or kNoStamp
    } const cases[] = {
        {"item 5 meets it", true, false, kNoStamp},
        {"C13 meets it", false, true, kNoStamp},
        {"C13 meets it after item 5 did", false, true, 28},
        {"item 5 meets it again", true, false, 28},
    };
    const RECT c19Hit{300, 300, 340, 340};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HideAll(stage);
        common.page = 30;
        L.flags.c19Hit = c.metEarlier == kNoStamp ? 0 : 1;
        L.stamps.c19Hit = c.metEarlier;
        CollObj& c19 = L.colls[19];
        c19 = CollObj{};
        c19.state = 1; // falling, on its first frame
        c19.hit = c19Hit;
        if (c.item5) {
            TearObj& i5 = bag.items[5];
            i5.state = ItemPlaced;
            i5.hit = RECT{310, 310, 330, 330};
            bag.tearingObj[5].placePage = 25;
        }
        if (c.c13) {
            CollObj& c13 = L.colls[13];
            c13 = CollObj{};
            c13.state = 1;
            c13.hit = RECT{320, 320, 360, 360};
        }
        stage.Interact();
        const int32_t firstMeeting = c.metEarlier == kNoStamp ? 30 : c.metEarlier;
        EXPECT_EQ(L.flags.c19Hit, 1);
        EXPECT_EQ(L.stamps.c19Hit, firstMeeting);
        TurnBackByPhases();
        EXPECT_EQ(L.flags.c19Hit, c.metEarlier == kNoStamp ? 0 : 1);
        EXPECT_EQ(L.stamps.c19Hit, c.metEarlier);
    }
}
