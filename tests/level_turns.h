#pragma once
// Page turns restricted to the background objects and the undo checks, on hand-built layouts,
// and the page-for-page comparison of forward and backward turns.
#include "TestSupport.h"
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

// What a turn may touch outside the level's own state: the bag's items and frames, the gates.
struct WorldSnapshot {
    LevelState level;
    struct Item {
        int32_t x, y, state;
        bool operator==(const Item&) const = default;
    };
    Item items[InventoryBag::kItems];
    int32_t item5Frame, item7Frame, item13Frame;
    uint8_t gates[4];
    int32_t page;

    static WorldSnapshot Take(const CStage_One& stage) {
        WorldSnapshot s;
        s.level = stage.level;
        const InventoryBag& bag = InventoryBag::Instance();
        for (int i = 0; i < InventoryBag::kItems; ++i)
            s.items[i] = Item{bag.items[i].x, bag.items[i].y, bag.items[i].state};
        s.item5Frame = bag.item5Frame;
        s.item7Frame = bag.item7Frame;
        s.item13Frame = bag.item13Frame;
        const CCommon& c = CCommon::Instance();
        s.gates[0] = c.backGate;
        s.gates[1] = c.itemGate;
        s.gates[2] = c.collGate;
        s.gates[3] = c.placedGate;
        s.page = c.page;
        return s;
    }

    // The first part that differs, for the failure message; empty when equal.
    std::string Diff(const WorldSnapshot& o) const {
        const LevelState& a = level;
        const LevelState& b = o.level;
        if (a.charState != b.charState) return "charState";
        for (int i = 0; i < LevelState::kBacks; ++i)
            if (!(a.backs[i] == b.backs[i]))
                return "backs[" + std::to_string(i) + "] x " + std::to_string(a.backs[i].x) +
                       " vs " + std::to_string(b.backs[i].x) + ", state " +
                       std::to_string(a.backs[i].state) + " vs " + std::to_string(b.backs[i].state);
        for (int i = 0; i < LevelState::kColls; ++i)
            if (!(a.colls[i] == b.colls[i])) return "colls[" + std::to_string(i) + "]";
        for (int i = 0; i < LevelState::kBack11Copies; ++i)
            if (!(a.back11Copies[i] == b.back11Copies[i]))
                return "back11Copies[" + std::to_string(i) + "]";
        if (!(a.counters == b.counters)) return "counters";
        if (!(a.values == b.values)) return "values";
        if (!(a.draw == b.draw)) return "draw";
        if (!(a.flags == b.flags)) return "flags";
        if (!(a.stamps == b.stamps)) return "stamps";
        if (!(a == b)) return "level (other)";
        for (int i = 0; i < InventoryBag::kItems; ++i)
            if (!(items[i] == o.items[i])) return "bag item " + std::to_string(i);
        if (item5Frame != o.item5Frame || item7Frame != o.item7Frame ||
            item13Frame != o.item13Frame)
            return "bag item frames";
        for (int g = 0; g < 4; ++g)
            if (gates[g] != o.gates[g]) return "gate " + std::to_string(g);
        if (page != o.page) return "page";
        return "";
    }
};

// The background part of a page turn, in the order the page-turn frame runs it.
inline void TurnBackgrounds(CStage_One& stage, TurnDirection direction) {
    CCommon& c = CCommon::Instance();
    if (direction == Forward) {
        stage.BackgroundsForward();
        stage.FollowUpChecks();
        ++c.page;
    } else {
        stage.FirstUndoChecks();
        stage.B4EndCheck();
        stage.BackgroundsBackward();
        stage.SecondUndoChecks();
        --c.page;
    }
}

// Turns forward n times, then back n times; every backward turn must give back the world as it
// was on that page going forward. Answers the snapshots taken going forward (index 0 = start).
inline std::vector<WorldSnapshot> ForwardThenBack(CStage_One& stage, int n) {
    std::vector<WorldSnapshot> seen;
    seen.push_back(WorldSnapshot::Take(stage));
    for (int i = 0; i < n; ++i) {
        TurnBackgrounds(stage, Forward);
        seen.push_back(WorldSnapshot::Take(stage));
    }
    for (int i = n - 1; i >= 0; --i) {
        TurnBackgrounds(stage, Backward);
        const std::string diff = WorldSnapshot::Take(stage).Diff(seen[i]);
        EXPECT_EQ(diff, "") << "turning back to step " << i << " of " << n;
        if (!diff.empty()) break;
    }
    return seen;
}

// A stage whose background objects are all hidden (state 2) and still, at page 10 with the
// gates open, so that a test shows only the objects it sets up.
inline void HideAll(CStage_One& stage) {
    for (BackObj& b : stage.level.backs) {
        b.state = 2;
        b.dw = 100;
        b.dh = 100;
    }
    for (CollObj& c : stage.level.colls)
        c.state = 0;
    for (Back11Copy& copy : stage.level.back11Copies)
        copy.shown = 2;
    CCommon& c = CCommon::Instance();
    c.page = 10;
    OpenAllGates(c);
    InventoryBag& bag = InventoryBag::Instance();
    for (TearObj& item : bag.items)
        item = TearObj{};
    for (TearingObj& t : bag.tearingObj)
        t.placePage = -1;
    for (uint8_t& f : bag.placementFlags)
        f = 0;
    bag.item5Frame = bag.item7Frame = bag.item13Frame = 0;
}

// The fixture of the tests built on HideAll: the stage and the singletons a turn touches.
class HiddenStageTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        HideAll(stage);
    }
    CStage_One stage;
    LevelState& L = stage.level;
    CCommon& common = CCommon::Instance();
    InventoryBag& bag = InventoryBag::Instance();
};

// Every item in the bag, the balloon (item 7) out of play: in the bag it would wake C5.
inline void PutItemsAway() {
    InventoryBag& bag = InventoryBag::Instance();
    for (TearObj& it : bag.items)
        it.state = ItemInBag;
    bag.items[7].state = ItemNotInPlay;
}

// Every collision object done with and every item away: only what a test sets up takes part.
inline void SetAllAside(CStage_One& stage) {
    for (CollObj& c : stage.level.colls)
        c.state = 5;
    PutItemsAway();
}

inline BackObj& Show(CStage_One& stage, int slot, int32_t x, int32_t step, int32_t state = 1,
                     int32_t y = 100) {
    BackObj& b = stage.level.backs[slot];
    b.x = x;
    b.y = y;
    b.step = step;
    b.state = state;
    return b;
}
