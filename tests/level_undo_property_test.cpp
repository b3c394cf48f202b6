// The level's promise: turning back undoes, page for page, what turning forward did. From many
// states reached by seeded random play on the shipped level, N forward turns with no input (each
// followed by the frames the game runs between turns), then as many backward turns, give back
// the same world.
#include "level_support.h"
#include <cmath>
#include <cstdlib>
#include <map>
#include <random>

namespace {

// Fields that a round trip may leave different, each with its reason.
void ForgiveAcceptedDifferences(LevelSnapshot& after, const LevelSnapshot& before) {
    LevelState& a = after.level;
    const LevelState& b = before.level;
    // Rectangles are placed anew from positions on every playing frame; one that is not placed
    // in the current situation keeps a stale value that no rule reads there.
    a.hitA = b.hitA;
    a.hitB = b.hitB;
    a.hitC = b.hitC;
    for (int z = 0; z < LevelState::kZones; ++z)
        a.zones[z] = b.zones[z];
    for (int k = 0; k < LevelState::kColls; ++k)
        a.colls[k].hit = b.colls[k].hit;
    for (int i = 0; i < InventoryBag::kItems; ++i)
        after.bag.items[i].hit = before.bag.items[i].hit;
    for (int h = 0; h < 7; ++h)
        after.bag.hotspot[h] = before.bag.hotspot[h];
    // The walk-back bounds are bounds: the last page a step left was made on, never reset.
    a.stamps.walkLeftA = b.stamps.walkLeftA;
    a.stamps.walkLeftB = b.stamps.walkLeftB;
    a.stamps.driftLeftA = b.stamps.driftLeftA;
    a.stamps.driftLeftB = b.stamps.driftLeftB;
    // The notices' arming flags are latches: set when the character is knocked down, cleared by
    // no rule; a notice rises only while the character is lost and its object's condition holds.
    a.notices.armGameover1 = b.notices.armGameover1;
    a.notices.armGameover2 = b.notices.armGameover2;
    a.notices.armGameover3 = b.notices.armGameover3;
    // While the character plays a lost animation past its first frame (states 1, 13 to 16), every
    // turn from here closes all four gates before anything reads them (forward while it plays,
    // backward while it rewinds), and at its last frame forward turns are refused: the gates'
    // values at rest there, which other objects' ends may have set, are never read.
    auto restsLost = [](const LevelState& l) {
        const int32_t s = l.charState;
        return (s == 1 || (s >= 13 && s <= 16)) && l.chars[s].frame >= 1;
    };
    if (restsLost(a) && restsLost(b) && a.charState == b.charState &&
        a.chars[a.charState].frame == b.chars[b.charState].frame) {
        after.common.backGate = before.common.backGate;
        after.common.itemGate = before.common.itemGate;
        after.common.collGate = before.common.collGate;
        after.common.placedGate = before.common.placedGate;
    }
    // An object resting exactly on a switching edge of the page (x = -60 - its width, or 860)
    // is switched on and off by every frame: which of the two it shows depends on the frame.
    auto onEdge = [](int32_t x, int32_t dw) { return x == -60 - dw || x == 860; };
    auto sameBut0Or1 = [](int32_t s, int32_t t) {
        return (s == 0 || s == 1) && (t == 0 || t == 1);
    };
    for (int k = 0; k < LevelState::kBacks; ++k) {
        BackObj& o = a.backs[k];
        if (o.x == b.backs[k].x && onEdge(o.x, o.dw) && sameBut0Or1(o.state, b.backs[k].state))
            o.state = b.backs[k].state;
    }
    for (int k = 0; k < LevelState::kColls; ++k) {
        CollObj& o = a.colls[k];
        if (o.x == b.colls[k].x && onEdge(o.x, o.dw) && sameBut0Or1(o.state, b.colls[k].state))
            o.state = b.colls[k].state;
    }
    for (int i = 0; i < InventoryBag::kItems; ++i) {
        ItemPlay& o = after.bag.items[i];
        const ItemPlay& p = before.bag.items[i];
        const bool pair = sameBut0Or1(o.state, p.state) ||
                          ((o.state == 3 || o.state == 4) && (p.state == 3 || p.state == 4));
        if (o.x == p.x && onEdge(o.x, InventoryBag::Instance().items[i].dw) && pair)
            o.state = p.state;
    }
    // A request for the page-flip picture, and the one-way "a page has been turned" flag.
    after.common.flipAnim = before.common.flipAnim;
    after.common.pageTurned = before.common.pageTurned;
    // Rotations are sums of float steps: equal up to rounding.
    if (std::fabs(after.bag.item0Rotation - before.bag.item0Rotation) < 1e-3f)
        after.bag.item0Rotation = before.bag.item0Rotation;
    if (std::fabs(after.bag.item12Rotation - before.bag.item12Rotation) < 1e-3f)
        after.bag.item12Rotation = before.bag.item12Rotation;
    // B90 while B91 holds it (state 7) and B91 while hidden (state 2) keep the place and counts
    // they were last seen with: every hand-over sets them anew for the one it shows, and nothing
    // reads them before.
    if (a.backs[90].state == 7 && b.backs[90].state == 7) {
        a.backs[90].x = b.backs[90].x;
        a.backs[90].y = b.backs[90].y;
    }
    if (a.backs[91].state == 2 && b.backs[91].state == 2) {
        a.counters.b91SubStep = b.counters.b91SubStep;
        a.counters.b91Step = b.counters.b91Step;
    }
    // Hidden background objects (state 2) that every rule showing them places anew: where they
    // were last seen is not drawn and not read.
    for (int k : {1, 25, 26, 27, 30, 91, 92, 93, 94}) {
        if (a.backs[k].state == 2 && b.backs[k].state == 2) {
            a.backs[k].x = b.backs[k].x;
            a.backs[k].y = b.backs[k].y;
        }
    }
    // The goose's catch (state 14) is placed where B25 takes the character, the fall (6) where
    // the carried path drops it and the landing (7) where the fall lands; out of those states
    // their places are not drawn and not read.
    if (a.charState != 14 && b.charState != 14) {
        a.chars[14].x = b.chars[14].x;
        a.chars[14].y = b.chars[14].y;
    }
    auto falling = [](int32_t s) { return s == 6 || s == 7; };
    if (!falling(a.charState) && !falling(b.charState)) {
        for (int k : {6, 7}) {
            a.chars[k].x = b.chars[k].x;
            a.chars[k].y = b.chars[k].y;
        }
    }
    // Collision objects waiting off-stage (state 6) are not drawn and no rule reads their place;
    // every rule that brings one of these in places it anew, so where it waited is not kept.
    for (int k : {5, 7, 8, 10, 11, 12, 13, 15, 17, 19}) {
        if (a.colls[k].state == 6 && b.colls[k].state == 6) {
            a.colls[k].x = b.colls[k].x;
            a.colls[k].y = b.colls[k].y;
        }
    }
    // Undoing the uses of C21 and C8 puts them back 60 px left of where they were used: the
    // level accepts that offset.
    for (int k : {8, 21}) {
        if (a.colls[k].state == b.colls[k].state && a.colls[k].y == b.colls[k].y &&
            std::abs(a.colls[k].x - b.colls[k].x) == 60)
            a.colls[k].x = b.colls[k].x;
    }
}

class UndoPropertyTest : public ShippedLevelTest {
  protected:
    // A turn and the frames after it. Objects come on the page in the frame after the one whose
    // rules first see them there, so a single frame leaves a state that the next frame still
    // changes; the game runs many frames between turns.
    void Step(int32_t direction) {
        Turn(direction);
        PlayFrame();
    }

    // Failures counted by the differing field, so that one report shows every kind of fault.
    std::map<std::string, int> failuresByField;
    std::string FieldSummary() const {
        std::string out;
        for (const auto& [field, count] : failuresByField)
            out += "\n  " + field + ": " + std::to_string(count);
        return out;
    }

    // N forward turns (fewer when the character gets lost and forward turns are refused), then
    // as many backward turns. Answers the first difference, "" when the world came back.
    std::string RoundTrip(int n) {
        const LevelSnapshot before = TakeSnapshot(*stage);
        int forward = 0;
        while (forward < n && !Locked()) {
            Step(Forward);
            ++forward;
        }
        for (int i = 0; i < forward; ++i)
            Step(Backward);
        LevelSnapshot after = TakeSnapshot(*stage);
        ForgiveAcceptedDifferences(after, before);
        std::string difference = FirstDifference(before, after);
        RestoreSnapshot(before, *stage);
        if (!difference.empty()) ++failuresByField[difference.substr(0, difference.find(':'))];
        if (!difference.empty())
            difference += " (after " + std::to_string(forward) + " turns from page " +
                          std::to_string(before.common.page) + ")";
        return difference;
    }

    // Where a put-down item may land: anywhere on the picture, or, so that the rules about
    // items meeting things actually fire, on an object in view or on the walker.
    POINT PutDownSpot(std::mt19937& rng) {
        const int kind = int(rng() % 3);
        if (kind == 1) {
            for (int tries = 0; tries < 25; ++tries) {
                const CollObj& c = Level().colls[rng() % LevelState::kColls];
                if (c.state < 1 || c.state > 3 || c.x < 0 || c.x > 760) continue;
                return POINT{c.x + int(rng() % 80), c.y - 60 + int(rng() % 120)};
            }
        } else if (kind == 2) {
            const CharObj& walker = Level().chars[CharWalk];
            return POINT{walker.x + 40 + int(rng() % 160), 150 + int(rng() % 400)};
        }
        return POINT{100 + int(rng() % 600), 150 + int(rng() % 400)};
    }

    // One random action of a player: turns most of the time, sometimes tearing an item out,
    // putting one down, or waiting a while on the page.
    void RandomAction(std::mt19937& rng) {
        const int roll = int(rng() % 100);
        if (roll < 60) {
            if (!Locked()) Step(Forward);
        } else if (roll < 76) {
            if (Common().page > 0) Step(Backward);
        } else if (roll < 84) {
            for (int i = 0; i < InventoryBag::kItems; ++i) {
                const int item = int(rng() % InventoryBag::kItems);
                if (TearOut(item)) break;
            }
            PlayFrame();
            PlayFrame();
        } else if (roll < 96) {
            const POINT at = PutDownSpot(rng);
            for (int i = 0; i < InventoryBag::kItems; ++i) {
                const int item = int(rng() % InventoryBag::kItems);
                if (PutDown(item, at.x, at.y)) break;
            }
            PlayFrame();
            PlayFrame();
        } else {
            for (int i = 0; i < 10; ++i) // a pause on the page
                PlayFrame();
        }
    }
};

TEST_F(UndoPropertyTest, ForwardThenBackwardGivesBackTheWorldFromRandomPlay) {
    const LevelSnapshot fresh = TakeSnapshot(*stage);
    int cases = 0;
    std::string failures;
    int failureCount = 0;
    for (uint32_t seed = 1; seed <= 100; ++seed) {
        RestoreSnapshot(fresh, *stage);
        std::mt19937 rng(seed);
        for (int step = 0; step < 120; ++step) {
            RandomAction(rng);
            if (step % 4 != 3) continue;
            const int n = 1 + int(rng() % 30);
            const std::string difference = RoundTrip(n);
            ++cases;
            if (!difference.empty() && ++failureCount <= 5)
                failures += "\n  seed " + std::to_string(seed) + ", step " + std::to_string(step) +
                            ", N " + std::to_string(n) + ": " + difference;
        }
    }
    EXPECT_EQ(failureCount, 0) << failureCount << " of " << cases
                               << " round trips differed:" << failures
                               << "\nby field:" << FieldSummary();
    EXPECT_GE(cases, 3000);
}

TEST_F(UndoPropertyTest, HandsOffRoundTripsFromEveryPageUntilTheFirstStop) {
    std::string failures;
    int failureCount = 0;
    int page = 0;
    while (!Locked() && page < 200) {
        for (int n : {1, 7, 30}) {
            const std::string difference = RoundTrip(n);
            if (!difference.empty() && ++failureCount <= 5)
                failures += "\n  N " + std::to_string(n) + ": " + difference;
        }
        Step(Forward);
        ++page;
    }
    EXPECT_EQ(failureCount, 0) << failures << "\nby field:" << FieldSummary();
}

} // namespace
