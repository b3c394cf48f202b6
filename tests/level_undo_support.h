#pragma once
// The undo checks' tests: a stage with every background object hidden, and the gates' states.
#include "level_turns.h"

class LevelUndoTest : public HiddenStageTest {
  protected:
    // Collision object `slot` afresh in `state` at (x, 200), with `frames` pictures and `step`.
    CollObj& Wake(int slot, int32_t x, int32_t state, int32_t frames, int32_t step) {
        CollObj& c = L.colls[slot];
        c = CollObj{};
        c.x = x;
        c.y = 200;
        c.frames = frames;
        c.step = step;
        c.state = state;
        return c;
    }
    bool AllOpen() const {
        return common.backGate && common.itemGate && common.collGate && common.placedGate;
    }
    bool AllClosed() const {
        return !common.backGate && !common.itemGate && !common.collGate && !common.placedGate;
    }
    // One page turned back, phase by phase in the turn's order.
    // One page turned forward, phase by phase, without the character's.
    void TurnForwardByPhases() {
        stage.CollisionReleaseChecks();
        stage.CollisionsForward();
        stage.ItemsForward();
        stage.BackgroundsForward();
        stage.FollowUpChecks();
        ++common.page;
    }
    void TurnBackByPhases() {
        stage.FirstUndoChecks();
        stage.CollisionsBackward();
        stage.C11GoingUndo();
        stage.B4EndCheck();
        stage.ItemsBackward();
        stage.BackgroundsBackward();
        stage.SecondUndoChecks();
        --common.page;
    }
};
