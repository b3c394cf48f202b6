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

class LevelBackgroundTablesTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        HideAll(stage);
    }
    // One turn of the background objects alone (no follow-up or undo checks).
    void Turn(TurnDirection direction) {
        if (direction == Forward)
            stage.BackgroundsForward();
        else
            stage.BackgroundsBackward();
    }
    CStage_One stage;
    CCommon& common = CCommon::Instance();
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

} // namespace
