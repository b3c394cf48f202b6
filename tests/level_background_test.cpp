// Background objects on page turns: each rule fires, fires once, and turning back undoes it.
#include "level_turns.h"

using LevelBackgroundTest = HiddenStageTest;

TEST_F(LevelBackgroundTest, ClosedGateStopsSceneryButNotDriftersOrCopies) {
    Show(stage, 10, 300, 5);
    Show(stage, 50, -500, 20, 0); // the strip's first object has left on the left
    Show(stage, 22, 400, 4, 5);
    Show(stage, 92, 500, 3, 6);
    L.backs[11].step = 7;
    L.back11Copies[0] = Back11Copy{1, 200, 50};
    L.back11Copies[1] = Back11Copy{0, 210, 50};
    L.back11Copies[2] = Back11Copy{2, 220, 50}; // waiting copies stay
    common.backGate = 0;
    const WorldSnapshot before = WorldSnapshot::Take(stage);

    TurnBackgrounds(stage, Forward);
    EXPECT_EQ(L.backs[10].x, 300);
    EXPECT_EQ(L.backs[50].x, -500);
    EXPECT_EQ(L.counters.stripCount, 0);
    EXPECT_EQ(L.backs[22].x, 396);
    EXPECT_EQ(L.backs[92].x, 497);
    EXPECT_EQ(L.back11Copies[0].x, 193);
    EXPECT_EQ(L.back11Copies[1].x, 203);
    EXPECT_EQ(L.back11Copies[2].x, 220);

    TurnBackgrounds(stage, Backward);
    EXPECT_EQ(WorldSnapshot::Take(stage).Diff(before), "");
}

TEST_F(LevelBackgroundTest, StripRecyclesThirtyFiveTimesThenScrollsAwayAndTurnsBackExactly) {
    for (int i = 0; i < 6; ++i)
        Show(stage, 50 + i, 100 + 200 * i, 50);
    const std::vector<WorldSnapshot> seen = ForwardThenBack(stage, 260);

    int firstAt35 = -1, firstDone = -1;
    for (int i = 0; i < static_cast<int>(seen.size()); ++i) {
        const LevelState& s = seen[i].level;
        if (firstAt35 < 0 && s.counters.stripCount == 35) firstAt35 = i;
        if (firstDone < 0 && s.flags.stripDone) firstDone = i;
        ASSERT_LE(s.counters.stripCount, 35);
        if (i > 0) { // one recycle per object and turn at most
            ASSERT_LE(s.counters.stripCount - seen[i - 1].level.counters.stripCount, 6);
        }
    }
    ASSERT_GT(firstAt35, 0);
    EXPECT_EQ(firstDone, firstAt35 + 1); // the next turn sets the done stamp
    EXPECT_EQ(seen[firstDone].level.stamps.stripDone, seen[firstDone - 1].page);
    // Afterwards the whole strip scrolls away to the left.
    const LevelState& last = seen.back().level;
    for (int i = 50; i <= 55; ++i)
        EXPECT_LT(last.backs[i].x, -160) << i;
    EXPECT_EQ(seen[firstDone + 10].level.backs[50].x, seen[firstDone].level.backs[50].x - 500);
}

TEST_F(LevelBackgroundTest, B71ReturnsTwiceAtTwoDistancesTheOthersOnce) {
    BackObj& b60 = Show(stage, 60, 0, 50, 1, 100);
    struct Start {
        int slot, dx, dy;
    };
    for (Start s : {Start{67, 617, -46}, Start{68, 3633, 113}, Start{69, 1423, 72},
                    Start{70, 1722, 145}, Start{71, 2167, 49}})
        Show(stage, s.slot, b60.x + s.dx, 50, 0, b60.y + s.dy);

    const std::vector<WorldSnapshot> seen = ForwardThenBack(stage, 200);
    std::vector<int> b71Distances;
    for (size_t i = 1; i < seen.size(); ++i) {
        const LevelState& s = seen[i].level;
        if (s.counters.b71Returns != seen[i - 1].level.counters.b71Returns)
            b71Distances.push_back(s.backs[71].x - s.backs[60].x);
    }
    EXPECT_EQ(b71Distances, (std::vector<int>{5332, 7050}));
    const LevelState& last = seen.back().level;
    EXPECT_EQ(last.counters.b71Returns, 2);
    EXPECT_TRUE(last.flags.b71Done);
    for (int32_t returns : {last.counters.b67Returns, last.counters.b68Returns,
                            last.counters.b69Returns, last.counters.b70Returns})
        EXPECT_EQ(returns, 1);
    EXPECT_TRUE(last.flags.b67Done && last.flags.b68Done && last.flags.b69Done &&
                last.flags.b70Done);
    EXPECT_EQ(last.backs[67].x - last.backs[60].x, 7428);
}

TEST_F(LevelBackgroundTest, DoneStampSetForwardIsClearedByTheNextTurnBack) {
    Show(stage, 67, 400, 5);
    L.counters.b67Returns = 1;
    const WorldSnapshot before = WorldSnapshot::Take(stage);
    TurnBackgrounds(stage, Forward);
    EXPECT_TRUE(L.flags.b67Done);
    EXPECT_EQ(L.stamps.b67Done, 10);
    TurnBackgrounds(stage, Backward);
    EXPECT_EQ(WorldSnapshot::Take(stage).Diff(before), "");
}

TEST_F(LevelBackgroundTest, B4ComesInSwingsAndHandsOverToC5) {
    Show(stage, 4, 180, 10, 1, 63);
    CollObj& c5 = L.colls[5];
    c5.state = 6;
    c5.x = 1450; // where the end of the path shows it, so that hiding it again is exact
    c5.y = 395;
    bag.items[7].state = ItemNotInPlay;
    bag.items[7].x = 1532;
    bag.items[7].y = 448;
    const std::vector<WorldSnapshot> seen = ForwardThenBack(stage, 17);
    const LevelState& atEnd = seen[15].level;
    EXPECT_EQ(atEnd.counters.b4PathStep, 13);
    EXPECT_EQ(atEnd.backs[4].state, 2);
    EXPECT_EQ(atEnd.stamps.b4End, 24);
    EXPECT_EQ(atEnd.colls[5].state, 1);
    EXPECT_EQ(seen[15].items[7].state, ItemVisible);
    EXPECT_EQ(seen[14].level.backs[4].state, 1);
    EXPECT_FLOAT_EQ(seen[6].level.draw.b4Rotation, 0.3f);
}

TEST_F(LevelBackgroundTest, B19FliesItsPathAndBack) {
    Show(stage, 19, -200, 40, 1, 143);
    const std::vector<WorldSnapshot> seen = ForwardThenBack(stage, 13);
    EXPECT_EQ(seen[4].level.backs[19].x, 44);
    EXPECT_EQ(seen[4].level.counters.b19Picture, 1);
    EXPECT_EQ(seen[13].level.backs[19].x, 870);
}

TEST_F(LevelBackgroundTest, B16WalksInLeadsC7AndIsHiddenAgainWhenTurningBack) {
    Show(stage, 16, 700, 20);
    CollObj& c7 = L.colls[7];
    c7.state = 6;
    c7.x = 580 - 16; // where B16 leads it in, so that carrying it off again is exact
    c7.y = 100;
    const std::vector<WorldSnapshot> seen = ForwardThenBack(stage, 9);
    // 700 -> 680 -> 660 -> 640 -> 620, two counts, then C7 follows.
    EXPECT_EQ(seen[6].level.counters.b16Count, 2);
    const LevelState& led = seen[7].level;
    EXPECT_EQ(led.backs[16].state, 2);
    EXPECT_EQ(led.colls[7].state, 1);
    EXPECT_EQ(led.colls[7].x, 580 - 16);
    EXPECT_EQ(led.stamps.b16Follow, 16);
}

// Turning back over the release hides B16 again where the release found it.
TEST_F(LevelBackgroundTest, B16CarriesC8OffDropsItem10AndTurningBackRestoresTheScale) {
    // As the release by C8 leaves it: mirrored, about to turn into state 1, its hiding place kept.
    CollObj& c8 = L.colls[8];
    c8.state = 5;
    c8.dw = 40;
    c8.x = 300;
    c8.y = 200;
    Show(stage, 16, 300 + 40 + 9, 10, 4, 200);
    L.flags.b16Released = 1;
    L.draw.b16ScaleX = -2.0f;
    L.counters.b16Count = 2;
    L.values.b16HiddenX = 123;
    bag.items[10].state = ItemNotInPlay;
    bag.items[10].x = 379 - 100 + 8; // where it drops
    bag.items[10].y = 200 + 194;
    TurnBackgrounds(stage, Forward); // state 4 -> 1
    const std::vector<WorldSnapshot> seen = ForwardThenBack(stage, 5);
    const WorldSnapshot& dropped = seen[3];
    EXPECT_EQ(dropped.level.backs[16].state, 2);
    EXPECT_EQ(dropped.level.backs[16].x, 349 + 30); // walks right while mirrored
    EXPECT_EQ(dropped.items[10].state, ItemVisible);
    EXPECT_EQ(dropped.items[10].x, 379 - 100 + 8);

    TurnBackgrounds(stage, Backward); // back over the release
    EXPECT_EQ(L.backs[16].state, 2);
    EXPECT_EQ(L.backs[16].x, 123);
    EXPECT_FALSE(L.flags.b16Released);
    EXPECT_EQ(c8.state, 1);
    EXPECT_EQ(c8.x, 300);
    EXPECT_FLOAT_EQ(L.draw.b16ScaleX, 2.0f);
}

TEST_F(LevelBackgroundTest, B22CountsThenDriftsOnItsOwn) {
    Show(stage, 22, 400, 4);
    const std::vector<WorldSnapshot> seen = ForwardThenBack(stage, 6);
    EXPECT_EQ(seen[3].level.backs[22].state, 5);
    EXPECT_EQ(seen[3].level.stamps.b22End, 12);
    EXPECT_EQ(seen[6].level.backs[22].x, 400 - 24);
}

TEST_F(LevelBackgroundTest, B23WindsUpThrowsC10OnTheTurnAfterSeven) {
    Show(stage, 23, 300, 0);
    L.colls[9].frame = 2;
    CollObj& c10 = L.colls[10];
    c10.state = 6;
    std::vector<std::pair<int32_t, int32_t>> seen; // mode, counter
    seen.push_back({L.values.b23Mode, L.counters.b23Count});
    for (int i = 0; i < 9; ++i) {
        TurnBackgrounds(stage, Forward);
        seen.push_back({L.values.b23Mode, L.counters.b23Count});
        if (i == 6) { // the counter has just reached 7: the follow-up check throws C10
            EXPECT_EQ(c10.state, 1);
            EXPECT_EQ(c10.x, 558);
            EXPECT_EQ(c10.y, 74);
            EXPECT_EQ(c10.pageStamp, kNoStamp);
        }
    }
    const std::vector<std::pair<int32_t, int32_t>> want = {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {1, 4},
                                                           {1, 5}, {1, 6}, {1, 7}, {2, 2}, {2, 0}};
    EXPECT_EQ(seen, want);
    EXPECT_EQ(c10.pageStamp, 17);
    for (int i = 8; i >= 0; --i) {
        TurnBackgrounds(stage, Backward);
        EXPECT_EQ(std::make_pair(L.values.b23Mode, L.counters.b23Count), want[i]) << i;
    }
    EXPECT_EQ(c10.pageStamp, kNoStamp);
}

TEST_F(LevelBackgroundTest, B23CopiesOnlyAFrameItsStripHas) {
    Show(stage, 23, 300, 0);
    L.values.b23Mode = 1;
    L.counters.b23Count = 7;
    L.colls[9].frame = 12; // more than the eight pictures of B23
    TurnBackgrounds(stage, Forward);
    EXPECT_EQ(L.values.b23Mode, 2);
    EXPECT_GE(L.counters.b23Count, 0);
    EXPECT_LE(L.counters.b23Count, 7);
}

// C9 leaves on the first turn after item 12 is gone from its place, whichever way; B21 and B24
// play the leaving away from that turn, back towards it, and crossing it takes the leaving back.
TEST_F(LevelBackgroundTest, C9sLeavingPlaysAwayFromItsTurnAndCrossingItBackTakesItBack) {
    Show(stage, 21, 300, 5, 2);
    Show(stage, 23, 200, 0);
    Show(stage, 24, 0, 5, 2);
    L.colls[9] = CollObj{};
    L.colls[9].state = 1;
    L.colls[9].x = 250;
    L.colls[9].y = 300;
    bag.items[12].state = ItemInBag;
    TurnBackgrounds(stage, Forward); // C9 leaves, B21 and B24 appear
    EXPECT_EQ(L.colls[9].state, 5);
    EXPECT_EQ(L.backs[21].state, 1);
    EXPECT_EQ(L.backs[21].x, 272);
    EXPECT_EQ(L.backs[23].state, 2);
    EXPECT_EQ(L.backs[24].state, 1);
    EXPECT_EQ(L.backs[24].x, 272 + 91);
    for (int i = 0; i < 4; ++i)
        TurnBackgrounds(stage, Forward);
    EXPECT_EQ(L.counters.b21Count, 3);
    EXPECT_EQ(L.counters.b24Count, 3);
    EXPECT_EQ(L.backs[24].x, L.backs[21].x + 607) << "past its last picture it scrolls on";
    TurnBackgrounds(stage, Backward);
    TurnBackgrounds(stage, Backward);
    EXPECT_EQ(L.counters.b21Count, 2);
    EXPECT_EQ(L.counters.b24Count, 2);
    EXPECT_EQ(L.backs[24].x, L.backs[21].x + 529);
    TurnBackgrounds(stage, Backward);
    TurnBackgrounds(stage, Backward);
    EXPECT_EQ(L.counters.b21Count, 0);
    TurnBackgrounds(stage, Backward); // over the turn it left on: it has not left
    EXPECT_EQ(L.colls[9].state, 1);
    EXPECT_EQ(L.backs[21].state, 2);
    EXPECT_EQ(L.backs[23].state, 1);
    EXPECT_EQ(L.backs[24].state, 2);
    TurnBackgrounds(stage, Backward); // item 12 is still gone: it leaves on this turn
    EXPECT_EQ(L.colls[9].state, 5);
    TurnBackgrounds(stage, Backward);
    TurnBackgrounds(stage, Backward);
    EXPECT_EQ(L.counters.b21Count, 2) << "played away from a backward leaving as well";
    TurnBackgrounds(stage, Forward);
    TurnBackgrounds(stage, Forward);
    EXPECT_EQ(L.counters.b21Count, 0);
    stage.CollisionReleaseChecks(); // where a forward turn takes it back
    TurnBackgrounds(stage, Forward);
    EXPECT_EQ(L.colls[9].state, 1);
    EXPECT_EQ(L.backs[21].state, 2);
    EXPECT_EQ(L.backs[24].state, 2);
}

TEST_F(LevelBackgroundTest, B25ClosesOverTheWalkerAndTurningBackShowsItAgain) {
    Show(stage, 25, 400, 5);
    const std::vector<WorldSnapshot> seen = ForwardThenBack(stage, 4);
    EXPECT_EQ(seen[2].level.charState, CharWalk);
    EXPECT_EQ(seen[3].level.charState, CharHidden);
    TurnBackgrounds(stage, Forward);
    for (int i = 0; i < 5; ++i)
        TurnBackgrounds(stage, Forward);
    EXPECT_EQ(L.charState, CharCaught);
    EXPECT_EQ(L.backs[25].state, 7);
    EXPECT_EQ(L.chars[CharCaught].x, 400 - 20 + 20);
}

TEST_F(LevelBackgroundTest, B27RisesAwayAndTurningBackPutsItem13Down) {
    Show(stage, 27, 400, 6, 1, 100);
    bag.items[13].state = ItemUsedUp;
    const std::vector<WorldSnapshot> seen = ForwardThenBack(stage, 7);
    EXPECT_TRUE(seen[5].level.flags.b27Done);
    EXPECT_EQ(seen[5].level.stamps.b27End, 14);
    TurnBackgrounds(stage, Backward);
    EXPECT_EQ(L.backs[27].state, 2);
    EXPECT_EQ(bag.items[13].state, ItemPlaced);
    EXPECT_EQ(bag.items[13].x, 400 + 34);
    EXPECT_EQ(bag.items[13].y, 100 + 298);
}

TEST_F(LevelBackgroundTest, B29FallsSlidesAndTurningBackLiftsItToC13) {
    Show(stage, 29, 400, 0, 1, 300);
    L.values.b29StartY = 300;
    L.colls[13].state = 5;
    L.colls[13].step = 20;
    L.colls[13].frames = 3;
    L.colls[13].frame = 0; // as its loop stood when it was used
    const std::vector<WorldSnapshot> seen = ForwardThenBack(stage, 12);
    EXPECT_TRUE(seen[3].level.flags.b29Done);
    const LevelState& slid = seen[12].level;
    EXPECT_EQ(slid.counters.b29Count, 3);
    EXPECT_NE(slid.values.b29ReturnX, -500000);
    TurnBackgrounds(stage, Backward);
    EXPECT_EQ(L.backs[29].state, 2);
    EXPECT_EQ(L.backs[29].x, 400 + 60) << "hidden 60 px right of where it was shown";
    // C13, used 29 px right of where B29 came on, stood a step further right before that turn.
    EXPECT_EQ(L.colls[13].state, 1);
    EXPECT_EQ(L.colls[13].x, 400 + 29 + 20);
    EXPECT_EQ(L.colls[13].y, 300 - 4);
    EXPECT_EQ(L.colls[13].frame, 2);
}

TEST_F(LevelBackgroundTest, B31CountsRestsAndTurningBackBringsC10Back) {
    Show(stage, 31, 400, 5, 1, 100);
    CollObj& c10 = L.colls[10];
    c10.state = 5;
    c10.frame = 0;
    const std::vector<WorldSnapshot> seen = ForwardThenBack(stage, 7);
    EXPECT_EQ(seen[5].level.backs[31].state, 7);
    TurnBackgrounds(stage, Backward);
    EXPECT_EQ(L.backs[31].state, 2);
    EXPECT_EQ(c10.state, 6);
    EXPECT_EQ(c10.x, 414);
    EXPECT_EQ(c10.y, 122);
}

TEST_F(LevelBackgroundTest, B56AndB59CountThenMoveOnAndTurningBackBringsC14AndC15Back) {
    Show(stage, 56, 400, 5, 1, 100);
    Show(stage, 59, 500, 5, 1, 100);
    CollObj& c14 = L.colls[14];
    CollObj& c15 = L.colls[15];
    c14.state = c15.state = 5;
    c14.step = 20;
    c14.frames = 4;
    c14.frame = 0;
    c15.frames = 3;
    c15.frame = 1;
    const std::vector<WorldSnapshot> seen = ForwardThenBack(stage, 6);
    EXPECT_EQ(seen[3].level.backs[56].state, 4);
    EXPECT_EQ(seen[3].level.stamps.b59End, 12);
    TurnBackgrounds(stage, Backward);
    EXPECT_EQ(L.backs[56].state, 2);
    EXPECT_EQ(c14.state, 1);
    // Where it was used, 9 px left of B56, and a step and a frame back for the turn taken back.
    EXPECT_EQ(c14.x, 400 - 9 + 20);
    EXPECT_EQ(c14.frame, 3);
    EXPECT_EQ(c14.y, 96);
    EXPECT_EQ(c15.state, 1);
    EXPECT_EQ(c15.x, 592);
    EXPECT_EQ(c15.y, 96);
    EXPECT_EQ(c15.frame, 2); // below 2 wraps to the last frame
}

// Used beyond the page's right edge (in a frame, before the page switched it off), C14 or C15
// comes back there waiting off the page, as it was: waiting on it, the next frame's rules would
// use it again where they never met it.
TEST_F(LevelBackgroundTest, RevealedObjectGivenBackBeyondThePagesEdgeWaitsOffThePage) {
    for (const int32_t revealX : {820, 850}) {
        SCOPED_TRACE(revealX);
        Show(stage, 56, revealX, 5, 1, 100);
        Show(stage, 59, revealX - 60, 5, 1, 100);
        L.counters.b56Count = L.counters.b59Count = 0;
        CollObj& c14 = L.colls[14];
        CollObj& c15 = L.colls[15];
        c14.state = c15.state = 5;
        c14.step = 20;
        c14.frames = 4;
        c15.frames = 3;
        TurnBackgrounds(stage, Backward);
        EXPECT_EQ(c14.x, revealX - 9 + 20);
        EXPECT_EQ(c14.state, c14.x > 860 ? 0 : 1);
        EXPECT_EQ(c15.x, revealX - 60 + 92);
        EXPECT_EQ(c15.state, c15.x > 860 ? 0 : 1);
    }
}

TEST_F(LevelBackgroundTest, C15WithoutFramesKeepsFrameZero) {
    Show(stage, 59, 500, 5, 1, 100);
    CollObj& c15 = L.colls[15];
    c15.state = 5;
    c15.frames = 0;
    c15.frame = 0;
    TurnBackgrounds(stage, Backward);
    EXPECT_EQ(c15.frame, 0);
}

TEST_F(LevelBackgroundTest, B90AndB91HandOverToEachOther) {
    Show(stage, 90, 400, 5, 1, 100);
    Show(stage, 91, 0, 5, 2, 0);
    for (int i = 0; i < 3; ++i)
        TurnBackgrounds(stage, Forward);
    EXPECT_EQ(L.backs[90].state, 7);
    EXPECT_EQ(L.backs[91].state, 1); // shown in state 4, its transition runs in the same turn
    EXPECT_EQ(L.backs[91].x, 390 + 21 - 5);
    for (int i = 0; i < 6; ++i) // five steps, then back to B90
        TurnBackgrounds(stage, Forward);
    EXPECT_EQ(L.backs[91].state, 2);
    EXPECT_EQ(L.backs[90].state, 1);
    EXPECT_EQ(L.counters.b90Count, 0);
    EXPECT_EQ(L.backs[90].x, L.backs[91].x + 5 - 51);
}

// Turning back over either hand-over shows the other badger exactly where, and with the count,
// it had going forward; the one put away keeps a stale place that nothing reads.
TEST_F(LevelBackgroundTest, B90AndB91HandOversTurnBackPageForPage) {
    Show(stage, 90, 400, 5, 1, 100);
    Show(stage, 91, 0, 7, 2, 0); // its own step differs, so the offsets must allow for it
    struct Seen {
        int32_t state90, x90, count90, state91, x91, step91, sub91;
        bool operator==(const Seen&) const = default;
    };
    auto seen = [&] {
        const bool shown90 = L.backs[90].state != 7, shown91 = L.backs[91].state != 2;
        return Seen{L.backs[90].state,
                    shown90 ? L.backs[90].x : 0,
                    L.counters.b90Count,
                    L.backs[91].state,
                    shown91 ? L.backs[91].x : 0,
                    shown91 ? L.counters.b91Step : 0,
                    shown91 ? L.counters.b91SubStep : 0};
    };
    std::vector<Seen> forward{seen()};
    for (int i = 0; i < 20; ++i) { // two whole rounds of hand-overs
        TurnBackgrounds(stage, Forward);
        forward.push_back(seen());
    }
    for (int i = 19; i >= 0; --i) {
        TurnBackgrounds(stage, Backward);
        const Seen back = seen();
        EXPECT_TRUE(back == forward[i])
            << "turning back to step " << i << ": B90 " << back.state90 << " x " << back.x90
            << " count " << back.count90 << ", B91 " << back.state91 << " x " << back.x91
            << " step " << back.step91 << " (forward: B90 x " << forward[i].x90 << ", B91 x "
            << forward[i].x91 << ")";
    }
}

TEST_F(LevelBackgroundTest, PictureLoopsStepAndStepBack) {
    Show(stage, 30, 400, 5);
    Show(stage, 73, 400, 5);
    Show(stage, 74, 400, 5);
    Show(stage, 75, 400, 5);
    Show(stage, 13, 400, 5);
    Show(stage, 58, 400, 5);
    const std::vector<WorldSnapshot> seen = ForwardThenBack(stage, 9);
    EXPECT_EQ(seen[9].level.counters.b30Count, 1);
    EXPECT_EQ(seen[9].level.counters.b58Frame, 1);
    EXPECT_EQ(seen[9].level.backs[58].x, 445); // B58 drifts the other way
}

// C9 left on a backward turn (B21 showing, counting the turns the world moved away from it). A
// forward turn over that page takes the leaving back only while the world moves; while it stands
// still (the hero knocked down, say) C9 stays gone and B21 where it is, and the turn back then
// does not make C9 leave a second time, which would start B21's count over.
TEST_F(LevelBackgroundTest, C9LeftOnABackwardTurnIsCrossedOnlyWhileTheWorldMoves) {
    for (const bool worldMoves : {false, true}) {
        SCOPED_TRACE(worldMoves ? "the world moves" : "the world stands still");
        HideAll(stage);
        common.page = 115;
        CollObj& c9 = L.colls[9];
        c9 = CollObj{};
        c9.state = 5;
        c9.x = 200;
        c9.y = 300;
        bag.items[12].state = ItemPlaced; // what made C9 leave
        bag.tearingObj[12].placePage = 100;
        L.stamps.c9Left = 115;
        L.values.c9LeftBackward = 1;
        Show(stage, 21, 180, 20, 1, 221);
        L.values.b21Turns = 1;
        if (worldMoves)
            OpenAllGates(common);
        else
            CloseAllGates(common);
        const WorldSnapshot before = WorldSnapshot::Take(stage);

        stage.CollisionReleaseChecks();
        stage.CollisionsForward();
        stage.BackgroundsForward();
        stage.FollowUpChecks();
        ++common.page;
        EXPECT_EQ(c9.state, worldMoves ? 1 : 5);
        EXPECT_EQ(L.backs[21].state, worldMoves ? 2 : 1);
        EXPECT_EQ(L.backs[21].x, 180);

        stage.FirstUndoChecks();
        stage.CollisionsBackward();
        stage.BackgroundsBackward();
        stage.SecondUndoChecks();
        --common.page;
        EXPECT_EQ(c9.state, 5);
        if (!worldMoves) {
            EXPECT_EQ(WorldSnapshot::Take(stage).Diff(before), "");
        }
    }
}
