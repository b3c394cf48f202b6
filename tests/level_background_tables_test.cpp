// Background objects outside their playing states, each alone on the page, against our own copy of
// the level's tables: the one-turn transitions of state 4 and the drifters of states 5 and 6.
#include "level_turns.h"
#include <map>

namespace {

// What one turn does to an object: close all gates, take a new state (-1: keep it), scroll by its
// step (left forward, right backward).
struct Move {
    bool closeAll = false;
    int32_t state = -1;
    bool scroll = false;
};
struct TransitionRow {
    int slot;
    Move forward, backward;
};
// State 4. Objects not listed do nothing in it.
const TransitionRow kTransitions[] = {
    {12, {true, 3, false}, {true, 3, false}},
    {16, {false, 1, false}, {false, 1, false}},
    {17, {}, {true, 3, false}},
    {25, {}, {false, 1, false}},
    {27, {false, 1, false}, {}},
    {56, {false, -1, true}, {false, -1, true}},
    {57, {}, {true, 3, false}},
    {59, {false, -1, true}, {false, -1, true}},
    {90, {false, 1, true}, {}},
    {91, {false, 1, true}, {false, 1, true}},
    {93, {false, 3, false}, {}},
    {94, {false, 3, false}, {}},
};

class LevelBackgroundTablesTest : public HiddenStageTest {
  protected:
    // One turn of the background objects alone (no follow-up or undo checks).
    void Turn(TurnDirection direction) {
        if (direction == Forward)
            stage.BackgroundsForward();
        else
            stage.BackgroundsBackward();
    }
};

TEST_F(LevelBackgroundTablesTest, StateFourTakesOneTurnByItsRow) {
    std::map<int, TransitionRow> rows;
    for (const TransitionRow& row : kTransitions)
        rows[row.slot] = row;
    for (int slot = 0; slot < LevelState::kBacks; ++slot) {
        for (TurnDirection direction : {Forward, Backward}) {
            HideAll(stage);
            Show(stage, slot, 300, 7, 4);
            Turn(direction);
            const Move want = !rows.count(slot)      ? Move{}
                              : direction == Forward ? rows[slot].forward
                                                     : rows[slot].backward;
            const BackObj& b = stage.level.backs[slot];
            const char* way = direction == Forward ? "forward" : "backward";
            EXPECT_EQ(b.state, want.state >= 0 ? want.state : 4) << "B" << slot << " " << way;
            const int32_t dx = !want.scroll ? 0 : direction == Forward ? -7 : 7;
            EXPECT_EQ(b.x, 300 + dx) << "B" << slot << " " << way;
            EXPECT_EQ(common.backGate, want.closeAll ? 0 : 1) << "B" << slot << " " << way;
        }
    }
}

// In states 5 and 6 only B22 and B92 drift (left forward, right backward); in 2 and 7 nothing
// moves at all.
TEST_F(LevelBackgroundTablesTest, OnlyB22AndB92DriftOutOfPlay) {
    for (int slot = 0; slot < LevelState::kBacks; ++slot) {
        for (int32_t state : {2, 5, 6, 7}) {
            for (TurnDirection direction : {Forward, Backward}) {
                HideAll(stage);
                Show(stage, slot, 300, 7, state);
                Turn(direction);
                const bool drifts = (slot == 22 || slot == 92) && (state == 5 || state == 6);
                const int32_t dx = !drifts ? 0 : direction == Forward ? -7 : 7;
                EXPECT_EQ(stage.level.backs[slot].x, 300 + dx)
                    << "B" << slot << " in state " << state
                    << (direction == Forward ? " forward" : " backward");
                EXPECT_EQ(stage.level.backs[slot].state, state) << "B" << slot;
            }
        }
    }
}

// The keyframes of B4's swing, B19's flight and B24's hops away from B21, each step forward and
// each step back.
struct Key {
    int x, y;
    float rotation; // B4; B19's picture counter
};
const Key kB4Path[] = {{200, 63, 0.0f},  {240, 63, 0.2f},  {280, 78, 0.4f},  {330, 93, 0.5f},
                       {380, 88, 0.3f},  {440, 113, 0.5f}, {520, 148, 0.3f}, {580, 153, 0.4f},
                       {620, 160, 0.2f}, {680, 165, 0.3f}, {730, 170, 0.4f}, {760, 175, 0.3f},
                       {800, 180, 0.4f}, {850, 185, 0.0f}};
const Key kB19Path[] = {{-80, 143, 0}, {44, 79, 1},   {173, 37, 0}, {311, 6, 1}, {459, -23, 0},
                        {602, 28, 1},  {721, -14, 0}, {760, 50, 1}, {790, 80, 0}};
const Key kB24FromB21[] = {{91, 59, 0}, {313, -88, 0}, {529, -17, 0}, {607, 181, 0}};

TEST_F(LevelBackgroundTablesTest, KeyframesOfB4B19AndB24BothWays) {
    for (int n = 1; n <= 13; ++n) {
        for (TurnDirection direction : {Forward, Backward}) {
            HideAll(stage);
            Show(stage, 4, 200, 7);
            L.counters.b4PathStep = direction == Forward ? n - 1 : n;
            Turn(direction);
            const int k = direction == Forward ? n : n - 1;
            EXPECT_EQ(L.counters.b4PathStep, k);
            EXPECT_EQ(L.backs[4].x, kB4Path[k].x) << "B4 step " << k;
            EXPECT_EQ(L.backs[4].y, kB4Path[k].y) << "B4 step " << k;
            EXPECT_FLOAT_EQ(L.draw.b4Rotation, kB4Path[k].rotation) << "B4 step " << k;
        }
    }
    for (int n = 1; n <= 8; ++n) {
        for (TurnDirection direction : {Forward, Backward}) {
            HideAll(stage);
            Show(stage, 19, 0, 7);
            L.counters.b19PathStep = direction == Forward ? n - 1 : n;
            Turn(direction);
            const int k = direction == Forward ? n : n - 1;
            EXPECT_EQ(L.counters.b19PathStep, k);
            EXPECT_EQ(L.backs[19].x, kB19Path[k].x) << "B19 step " << k;
            EXPECT_EQ(L.backs[19].y, kB19Path[k].y) << "B19 step " << k;
            EXPECT_EQ(L.counters.b19Picture, int(kB19Path[k].rotation)) << "B19 step " << k;
        }
    }
    // B24 hops away from B21 on the turns away from the one C9 left on, whichever way that was,
    // and hops back on the turns towards it; B21 stays hidden where it is.
    for (int n = 1; n <= 3; ++n) {
        for (TurnDirection away : {Forward, Backward}) {
            const TurnDirection towards = away == Forward ? Backward : Forward;
            HideAll(stage);
            Show(stage, 21, 300, 7, 2, 200);
            Show(stage, 24, 0, 7);
            L.values.c9LeftBackward = away == Backward;
            L.values.b24Turns = n - 1;
            Turn(away);
            EXPECT_EQ(L.counters.b24Count, n);
            EXPECT_EQ(L.backs[24].x, 300 + kB24FromB21[n].x) << "B24 step " << n;
            EXPECT_EQ(L.backs[24].y, 200 + kB24FromB21[n].y) << "B24 step " << n;
            Turn(towards);
            EXPECT_EQ(L.counters.b24Count, n - 1);
            EXPECT_EQ(L.backs[24].x, 300 + kB24FromB21[n - 1].x) << "B24 back to " << n - 1;
            EXPECT_EQ(L.backs[24].y, 200 + kB24FromB21[n - 1].y) << "B24 back to " << n - 1;
        }
    }
}

// The three counted sequences of state 3: four closed turns, then the end stamp on every turn
// after; turning back counts down with the world held, and the count's return to 0 takes the
// stamp away.
TEST_F(LevelBackgroundTablesTest, SequencesCountStampTheirEndAndTurningBackClearsIt) {
    struct Sequence {
        int slot;
        int32_t LevelCounters::*count;
        int32_t PageStamps::*end;
    };
    for (const Sequence& q : {Sequence{12, &LevelCounters::b12Count, &PageStamps::b12End},
                              Sequence{17, &LevelCounters::b17Count, &PageStamps::b17End},
                              Sequence{57, &LevelCounters::b57Count, &PageStamps::b57End}}) {
        for (int32_t count = 0; count <= 4; ++count) {
            HideAll(stage);
            Show(stage, q.slot, 300, 7, 3);
            L.counters.*q.count = count;
            Turn(Forward);
            EXPECT_EQ(L.counters.*q.count, count < 4 ? count + 1 : 4) << "B" << q.slot;
            EXPECT_EQ(common.backGate, count < 4 ? 0 : 1) << "B" << q.slot << " from " << count;
            EXPECT_EQ(L.stamps.*q.end, count < 4 ? kNoStamp : common.page) << "B" << q.slot;
            EXPECT_EQ(L.backs[q.slot].state, count < 4 ? 3 : 2) << "B" << q.slot;
        }
        for (int32_t count = 0; count <= 4; ++count) {
            HideAll(stage);
            Show(stage, q.slot, 300, 7, 3);
            L.counters.*q.count = count;
            L.stamps.*q.end = 5;
            L.flags.state11Done = 1;
            Turn(Backward);
            EXPECT_EQ(L.counters.*q.count, count > 0 ? count - 1 : 0) << "B" << q.slot;
            EXPECT_EQ(common.backGate, count > 0 ? 0 : 1) << "B" << q.slot << " from " << count;
            EXPECT_EQ(L.stamps.*q.end, count == 1 ? kNoStamp : 5)
                << "B" << q.slot << " from " << count;
            // Only B12's return to 0 ends the lever's state 11.
            EXPECT_EQ(L.flags.state11Done, q.slot == 12 && count == 1 ? 0 : 1) << "B" << q.slot;
            EXPECT_EQ(L.backs[q.slot].state, 3) << "B" << q.slot;
        }
    }
}

// Turning back over the page C12 was used on: only while B26 shows is B26 hidden again and C12
// put back under it.
TEST_F(LevelBackgroundTablesTest, C12sUseIsUndoneOnlyWhileB26Shows) {
    for (int32_t b26State : {1, 2}) {
        HideAll(stage);
        Show(stage, 26, 300, 0, b26State);
        CollObj& c12 = stage.level.colls[12];
        c12.state = 5;
        c12.pageStamp = common.page;
        TurnBackgrounds(stage, Backward);
        const bool undone = b26State == 1;
        EXPECT_EQ(stage.level.backs[26].state, 2) << "B26 in state " << b26State;
        EXPECT_EQ(c12.state, undone ? 1 : 5) << "B26 in state " << b26State;
        if (undone) {
            EXPECT_EQ(c12.pageStamp, kNoStamp);
            EXPECT_EQ(c12.x, 300);
            EXPECT_EQ(c12.y, 100 + 38);
        }
    }
}

} // namespace
