// Collision objects on page turns: drifts, sequences and keyframed paths. Each slot has its own
// role, so the rules are small functions picked from tables by slot number.
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelBackgroundRules.h"
#include "scenes/level/LevelCommon.h"
#include "services/OnScreen.h"
#include <cstddef>

namespace {

// --- Keyframes ---

struct C7Key {
    int32_t x, y;
    float scale, rotation;
};
// C7's flight along its path, by path step; step 0 is its saved start (filled in at use).
constexpr C7Key kC7Path[] = {
    {0, 0, 2.0f, 0.0f},     {150, 100, 1.8f, 2.0f}, {200, 100, 1.6f, 3.0f},
    {250, 200, 1.4f, 4.0f}, {200, 380, 1.2f, 5.0f}, {210, 150, 1.0f, 6.0f},
    {350, 250, 0.8f, 7.0f}, {300, 250, 0.6f, 8.0f}, {320, 300, 0.4f, 9.0f},
};
constexpr int32_t kC7LastStep = 8;

struct C10Key {
    int32_t x, y;
    float rotation;
};
// C10 thrown across the page, by its frame.
constexpr C10Key kC10Path[] = {
    {558, 74, 0.0f},   {445, 40, 0.0f},   {320, 110, -0.2f}, {240, 200, -0.4f},
    {195, 290, -0.6f}, {140, 390, -0.7f}, {120, 450, -0.7f}, {100, 550, 0.0f},
};
constexpr int32_t kC10LastFrame = 7;

template <size_t N> constexpr bool InTable(const auto(&)[N], int32_t n) {
    return n >= 0 && n < static_cast<int32_t>(N);
}

// --- Frame stepping that stays inside the record's frames whatever the data holds ---

void CycleForward(CollObj& o) {
    o.frame = (o.frame >= 0 && o.frame < o.frames - 1) ? o.frame + 1 : 0;
}
void CycleBackward(CollObj& o) {
    const int32_t last = o.frames > 0 ? o.frames - 1 : 0;
    o.frame = (o.frame >= 1 && o.frame <= last) ? o.frame - 1 : last;
}
// One-shot animations: stop at the last frame going forward and at 0 going backward.
bool AtOrPastLast(const CollObj& o) {
    return o.frame >= o.frames - 1;
}

struct Turn {
    CStage_One& s;
    LevelState& level;
    CCommon& common;
    InventoryBag& bag;
    int32_t page; // the page before this turn's change

    CollObj& C(int k) { return level.colls[k]; }
    TearObj& Item(int k) { return bag.items[k]; }
    BackObj& B(int k) { return level.backs[k]; }
};

using Rule = void (*)(Turn&, CollObj&);

void Place(CollObj& o, int32_t x, int32_t y) {
    o.x = x;
    o.y = y;
}

// --- Drift rules (states 0, 1, 3 and 4 forward; 0, 1 and 4 backward; collGate open) ---

void DriftLeft(Turn&, CollObj& o) {
    o.x -= o.step;
}
void DriftRight(Turn&, CollObj& o) {
    o.x += o.step;
}
void CycleLeft(Turn&, CollObj& o) {
    CycleForward(o);
    o.x -= o.step;
}
void CycleBackRight(Turn&, CollObj& o) {
    CycleBackward(o);
    o.x += o.step;
}
void CycleRight(Turn&, CollObj& o) {
    CycleForward(o);
    o.x += o.step;
}
void CycleBackLeft(Turn&, CollObj& o) {
    CycleBackward(o);
    o.x -= o.step;
}

void C10Forward(Turn& t, CollObj& o) {
    if (o.frame >= kC10LastFrame) { // the throw has landed
        o.state = 5;
        BackObj& b31 = t.B(31);
        if (b31.state == 2) {
            b31.state = 1;
            b31.x = o.x - 14;
            b31.y = o.y - 22;
        }
        return;
    }
    o.frame = o.frame < 0 ? 0 : o.frame + 1;
    t.s.ApplyC10Keyframe(o.frame);
}
void C10Backward(Turn& t, CollObj& o) {
    if (t.s.StepC10PathBack()) return;
    o.state = t.C(9).frame != 0 ? 5 : 6;
}

// Back to waiting: item 13 returns to where it stood when it set C11 going.
void C11BackToWaiting(Turn& t, CollObj& o) {
    o.state = 6;
    t.level.stamps.c11Going = kNoStamp;
    TearObj& i13 = t.Item(13);
    if (i13.state != ItemUsedUp) return;
    // Both rules set C11 going at (item 13 x - 280, y + 19). A put-down egg lies still this turn;
    // a loose one scrolls back by its step in the items' phase right after (when that phase's
    // gate is open), so it is put that much short of the place.
    const bool torn = t.bag.item13Torn != 0;
    const bool scrollsBack = !torn && t.common.itemGate;
    i13.state = torn ? ItemFallen : ItemVisible;
    i13.x = o.x + 280 - (scrollsBack ? i13.step : 0);
    i13.y = o.y - 19;
}

void C11Forward(Turn& t, CollObj& o) {
    if (!AtOrPastLast(o)) {
        ++o.frame;
        return;
    }
    CollObj& c12 = t.C(12);
    if (c12.state != 6) return;
    t.level.stamps.c11HandOver = t.page;
    c12.state = 1;
    Place(c12, o.x - 20, o.y + 32);
    if (o.state == 1) o.state = 5;
}
void C11Backward(Turn& t, CollObj& o) {
    if (o.frame >= 1) {
        --o.frame;
        return;
    }
    if (o.state != 1) return;
    C11BackToWaiting(t, o);
}

void C15Forward(Turn&, CollObj& o) {
    // The walk cycle wraps to frame 1: frame 0 is its standing picture, shown only at first.
    if (o.frames < 2)
        o.frame = 0;
    else
        o.frame = (o.frame >= 0 && o.frame < o.frames - 1) ? o.frame + 1 : 1;
    o.x += o.step;
}
void C15Backward(Turn&, CollObj& o) {
    if (o.frames < 2)
        o.frame = 0;
    else
        o.frame = (o.frame >= 2 && o.frame <= o.frames - 1) ? o.frame - 1 : o.frames - 1;
    o.x -= o.step;
}

void C17Forward(Turn& t, CollObj& o) {
    if (!AtOrPastLast(o)) {
        const bool fromFirst = o.frame == 0;
        o.frame = o.frame < 0 ? 0 : o.frame + 1;
        CollObj& c19 = t.C(19);
        if (fromFirst && c19.state == 6) {
            c19.state = 1;
            Place(c19, o.x + 16, o.y + 119);
        }
    } else {
        o.pageStamp = t.page;
        t.level.flags.c17Done = 1;
        if (o.state == 1) {
            o.state = 5;
            CollObj& c18 = t.C(18);
            if (c18.state == 5) {
                LevelValues& v = t.level.values;
                v.c18ParkedX = c18.x;
                v.c18ParkedY = c18.y;
                v.c18ParkedFrame = c18.frame;
                t.level.stamps.c18Taken = t.page;
                c18.frame = 0;
                c18.state = 7;
                Place(c18, o.x, o.y);
            }
        }
    }
    o.x -= o.step;
}
void C17Backward(Turn& t, CollObj& o) {
    if (o.frame >= 1) {
        const bool fromSecond = o.frame == 1;
        --o.frame;
        CollObj& c19 = t.C(19);
        if (fromSecond && c19.state == 1) c19.state = 6;
    } else {
        t.level.flags.c17Done = 0;
        if (o.state == 1) {
            o.state = 6;
            // C18 parked where it stood on the turn that showed C17, with the frame it had: its
            // own state-7 rule, later in this loop, takes back that turn's step.
            CollObj& c18 = t.C(18);
            if (c18.state == 5) c18.state = 7;
        }
    }
    o.x += o.step;
}

void C18Forward(Turn& t, CollObj& o) {
    if (t.level.flags.c17Done || t.level.chars[CharWalk].x + 80 < o.x) {
        CycleForward(o);
    } else if (o.state == 1) {
        o.state = 5;
        CollObj& c17 = t.C(17);
        if (c17.state == 6) {
            c17.state = 1;
            Place(c17, o.x - 30, o.y);
        }
    }
    o.x -= o.step;
}

constexpr int32_t kC19Ground = 530;

void C19Forward(Turn& t, CollObj& o) {
    if (!t.level.flags.c19Landed) {
        o.y += o.step;
        if (o.y > kC19Ground) t.level.flags.c19Landed = 1;
        return;
    }
    if (o.frame < o.frames - 1) o.frame = o.frame < 0 ? 0 : o.frame + 1;
    if (AtOrPastLast(o)) {
        o.pageStamp = t.page;
        o.state = 5;
    }
    o.x -= o.step;
}
void C19Backward(Turn& t, CollObj& o) {
    if (!t.level.flags.c19Landed) {
        o.y -= o.step;
    } else if (o.frame <= 0) {
        t.level.flags.c19Landed = 0;
        o.y -= o.step;
    } else {
        --o.frame;
        o.x += o.step;
    }
}

// By slot: what an active object does on a forward and on a backward turn.
struct DriftRule {
    Rule forward, backward;
};
constexpr DriftRule kWorld{DriftLeft, DriftRight};
constexpr DriftRule kCycleLeft{CycleLeft, CycleBackRight};
constexpr DriftRule kCycleRight{CycleRight, CycleBackLeft};
constexpr DriftRule kDrift[LevelState::kColls] = {
    kWorld,
    kWorld,
    kWorld,
    kWorld,
    kWorld,
    kWorld,
    kWorld,
    kCycleLeft, // 0..7
    kCycleRight,
    kCycleRight,
    {C10Forward, C10Backward},
    {C11Forward, C11Backward}, // 8..11
    kCycleLeft,
    kCycleLeft,
    kCycleLeft,
    {C15Forward, C15Backward}, // 12..15
    kCycleLeft,
    {C17Forward, C17Backward},
    {C18Forward, CycleBackRight}, // 16..18
    {C19Forward, C19Backward},
    kWorld,
    kCycleRight,
    kCycleLeft,
    kWorld,
    kWorld, // 19..24
};

// --- Sequences (state 2) ---

// A sequence undone to its start gives the object back to waiting in the state it waited in:
// off the page it was 0 (the page switches it only after the frame's rules), so that the rules
// of the frame after the turn see it as they did before the sequence started. It drifted on the
// turn that led to the start unless the world stood still then.
void BackToWaiting(CollObj& o, bool drifted = true) {
    o.pageStamp = kNoStamp;
    if (drifted) o.x += o.step;
    o.state = GoesOffScreen(o.x, o.dw) ? 0 : 1;
}

// C0, C1 and C24 back at their start: the world moves again, as on the turn that led there,
// unless it already stood still then. True when it moved on that turn.
bool ReleaseWorldAtStart(Turn& t, int coll) {
    uint8_t& still = StartedStill(t.level.flags, coll);
    const bool moved = still == 0;
    still = 0;
    if (moved) OpenThreeGates(t.common);
    return moved;
}

// Shared by C0, C1 and C24: a one-shot that holds the world still while it plays. The turn that
// reaches the last frame ends it; the stamp lets the next backward turn take that turn back.
void EndSequence(Turn& t, CollObj& o) {
    o.pageStamp = t.page;
    o.state = 3;
    o.x -= o.step;
}

void C0Forward(Turn& t, CollObj& o) {
    if (o.frame < o.frames - 1) {
        o.frame = o.frame < 0 ? 0 : o.frame + 1;
        CloseThreeGates(t.common);
        TearObj& i2 = t.Item(2);
        if (o.frame == 1 && (i2.state == ItemLoose || i2.state == ItemVisible))
            i2.state = ItemUsedUp; // the carrier picks item 2 up
    }
    if (AtOrPastLast(o)) {
        OpenThreeGates(t.common);
        EndSequence(t, o);
    }
}
void C0Backward(Turn& t, CollObj& o) {
    if (o.frame >= 1) {
        CloseThreeGates(t.common);
        const bool fromFirst = o.frame == 1;
        --o.frame;
        TearObj& i2 = t.Item(2);
        if (fromFirst && i2.state == ItemUsedUp) i2.state = ItemVisible;
        return;
    }
    BackToWaiting(o, ReleaseWorldAtStart(t, 0));
}

void C1Forward(Turn& t, CollObj& o) {
    if (o.frame < o.frames - 1) {
        if (o.frame == 1) t.Item(2).state = ItemUsedUp;
        o.frame = o.frame < 0 ? 0 : o.frame + 1;
        CloseThreeGates(t.common);
    }
    if (AtOrPastLast(o)) {
        OpenThreeGates(t.common);
        CollObj& c0 = t.C(0);
        c0.x -= c0.step;
        EndSequence(t, o);
    }
}
void C1Backward(Turn& t, CollObj& o) {
    if (o.frame >= 1) {
        // Item 2, taken on the step from frame 1, is given back by the second undo checks,
        // after the items' phase: it did not move on the turn taken back.
        CloseThreeGates(t.common);
        --o.frame;
        return;
    }
    t.level.flags.c1Primed = 0;
    // C0 ran before C1 in this turn: it drifted back already if the gates were open then (the
    // character's own turn back may have opened them, say out of the failed climb).
    const bool c0DriftedBack = t.common.collGate != 0;
    const bool moved = ReleaseWorldAtStart(t, 1);
    // When the turn taken back here was made with the gates open, C0 drifted on it.
    CollObj& c0 = t.C(0);
    if (moved && !c0DriftedBack &&
        (c0.state == 0 || c0.state == 1 || c0.state == 3 || c0.state == 4))
        c0.x += c0.step;
    BackToWaiting(o, moved);
}

void C3Forward(Turn& t, CollObj& o) {
    if (o.frame < o.frames - 1) o.frame = o.frame < 0 ? 0 : o.frame + 1;
    if (AtOrPastLast(o)) EndSequence(t, o);
}
void C3Backward(Turn&, CollObj& o) {
    if (o.frame >= 1) {
        --o.frame;
        return;
    }
    BackToWaiting(o);
}

// C5 counts its frames up to 4 while it moves, then drifts on.
constexpr int32_t kC5LastFrame = 4;
void C5Forward(Turn& t, CollObj& o) {
    if (o.frame >= kC5LastFrame) {
        o.state = 3;
        o.pageStamp = t.page;
    } else {
        o.frame = o.frame < 0 ? 0 : o.frame + 1;
    }
    o.x -= o.step;
}
void C5Backward(Turn& t, CollObj& o) {
    if (t.level.stamps.c5Wake >= t.page - 1) { // this turn (or the one undone) woke it
        // Awake, it drifted on that turn as any active object does: only with the gate open.
        if (t.common.collGate) o.x += o.step;
        o.state = 1;
        t.level.stamps.c5Wake = kNoStamp;
        return;
    }
    o.x += o.step;
    if (o.frame >= 1) --o.frame;
}

void C7Forward(Turn& t, CollObj& o) {
    int32_t& step = t.level.values.c7PathStep;
    if (step >= kC7LastStep) {
        o.state = 5;
        t.level.stamps.c7PathEnd = t.page;
        return;
    }
    step = step < 0 ? 1 : step + 1;
    t.s.ApplyC7Keyframe(step);
}
void C7Backward(Turn& t, CollObj& o) {
    int32_t& step = t.level.values.c7PathStep;
    if (step <= 0) {
        // Undo the turn on which it was handed over: it drifted as an active object then.
        o.state = 1;
        step = 0;
        if (t.common.collGate) CycleBackRight(t, o);
        return;
    }
    --step;
    t.s.ApplyC7Keyframe(step);
}

void C24Forward(Turn& t, CollObj& o) {
    if (o.frame < o.frames - 1) {
        o.frame = o.frame < 0 ? 0 : o.frame + 1;
        CloseThreeGates(t.common);
    }
    if (AtOrPastLast(o)) {
        OpenThreeGates(t.common);
        EndSequence(t, o);
    }
}
void C24Backward(Turn& t, CollObj& o) {
    if (o.frame >= 1) {
        CloseThreeGates(t.common);
        --o.frame;
        return;
    }
    BackToWaiting(o, ReleaseWorldAtStart(t, 24));
}

struct SequenceRule {
    Rule forward = nullptr, backward = nullptr;
    bool endStepsFrame = false; // the turn that ends it also steps the frame (not C5's)
    bool holdsGates = false;    // it keeps the three gates closed while it plays
};
constexpr SequenceRule kSequence[LevelState::kColls] = {
    {C0Forward, C0Backward, true, true},
    {C1Forward, C1Backward, true, true},
    {},
    {C3Forward, C3Backward, true},
    {},
    {C5Forward, C5Backward, false},
    {},
    {C7Forward, C7Backward, false},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {C24Forward, C24Backward, true, true},
};

bool HasSequence(int k) {
    return kSequence[k].forward != nullptr;
}

// State 3 backward. For a sequence object the turn that ended its sequence is taken back whole:
// state 2, the frame it had, its place, no stamp.
void DoneBackward(Turn& t, int k, CollObj& o) {
    if (HasSequence(k) && k != 7 && o.pageStamp != kNoStamp && o.pageStamp >= t.page - 1) {
        o.state = 2;
        if (kSequence[k].endStepsFrame && o.frame >= 1) --o.frame;
        o.x += o.step;
        if (k == 1) t.C(0).x += t.C(0).step;
        if (kSequence[k].holdsGates) {
            // The end opened the gates here, so everything after it moved on that turn: it moves
            // back now, and the second undo checks close the gates and clear the stamp last.
            OpenThreeGates(t.common);
            return;
        }
        o.pageStamp = kNoStamp;
        return;
    }
    if (!HasSequence(k) && o.pageStamp >= t.page) {
        o.state = 2;
        return;
    }
    if (t.common.collGate) o.x += o.step;
}

// State 5 backward: parked objects whose last forward turn parked them take that turn back.
void ParkedBackward(Turn& t, int k, CollObj& o) {
    if (k == 7 && t.level.stamps.c7PathEnd != kNoStamp && t.level.stamps.c7PathEnd >= t.page - 1) {
        o.state = 2; // its path ended on the turn undone
        t.level.stamps.c7PathEnd = kNoStamp;
    } else if (k == 19 && t.level.flags.c19Landed && o.pageStamp != kNoStamp &&
               o.pageStamp >= t.page - 1) {
        o.state = 1; // it played its last frame on the turn undone
        o.pageStamp = kNoStamp;
        if (o.frame >= 1) --o.frame;
        o.x += o.step;
    }
}

Turn MakeTurn(CStage_One& s) {
    CCommon& common = CCommon::Instance();
    return Turn{s, s.level, common, InventoryBag::Instance(), common.page};
}

} // namespace

void CStage_One::CollisionReleaseChecks() {
    BackTurn leaving = MakeBackTurn(*this);
    c9LeavingTakenBack = C9LeavingUndo(leaving, true);
    Turn t = MakeTurn(*this);
    const TearObj& i9 = t.Item(9);
    if (i9.state != ItemPlaced || PlacePage(t.bag, 9) >= t.page) return;
    BackObj& b16 = t.B(16);
    CollObj& c7 = t.C(7);
    if (c7.state == 1) {
        c7.state = 5;
        if (b16.state == 2) {
            b16.state = 4;
            level.values.b16HiddenX = b16.x;
            b16.x = c7.x - 46;
            b16.y = c7.y;
            level.flags.b16Released = 1;
            level.stamps.b16SetGoing = t.page;
        }
    }
    CollObj& c8 = t.C(8);
    if (c8.state == 1) {
        c8.state = 5;
        if (b16.state == 2) {
            level.draw.b16ScaleX = -2.0f; // B16 came from C8's side: drawn mirrored
            b16.state = 4;
            level.values.b16HiddenX = b16.x;
            b16.x = c8.x + 2 * c8.w + 9;
            b16.y = c8.y;
            level.flags.b16Released = 1;
            level.stamps.b16SetGoing = t.page;
        }
    }
}

void CStage_One::CollisionsForward() {
    Turn t = MakeTurn(*this);
    const int32_t gatesAtStart = GateBits(t.common);
    for (int k = 0; k < kColls; ++k) {
        CollObj& o = level.colls[k];
        switch (o.state) {
        case 0:
        case 1:
        case 3:
        case 4:
            if (t.common.collGate) kDrift[k].forward(t, o);
            break;
        case 2:
            if (!HasSequence(k)) break;
            kSequence[k].forward(t, o);
            if (o.state == 3 && kSequence[k].holdsGates)
                SequenceEndGates(level.values, k) = gatesAtStart;
            break;
        case 6: // carried by the world whatever the gates
            o.x -= o.step;
            break;
        case 7:
            if (k == 18) {
                o.state = 1;
                o.x -= o.step;
            }
            break;
        default:
            break;
        }
    }
}

void CStage_One::CollisionsBackward() {
    Turn t = MakeTurn(*this);
    // C1 or C24 playing its sequence held the world still on the turn taken back, but comes late
    // in the loop: the objects before it see the gates shut already, whatever the character's
    // turn back opened (a lost state begun on this page opens them all as it rewinds to walking).
    // Except when that turn ended one of the character's states: the end opened them before the
    // collision objects' phase, and the objects before C1 or C24 moved on it.
    const bool endOpened = CharacterEndTakenBack(level, t.page);
    for (int k : {1, 24}) {
        const CollObj& held = level.colls[k];
        if (held.state != 2 || held.frame < 1) continue;
        if (endOpened)
            OpenThreeGates(t.common);
        else
            CloseThreeGates(t.common);
    }
    // C24 met on this page (the frame's rules closed the gates and started it): the turn that led
    // here moved the objects before it with the gates open, unless the world already stood still,
    // and its own backward rule opens them only when its turn in the loop comes.
    const CollObj& c24 = level.colls[24];
    if (c24.state == 2 && c24.frame <= 0 && !level.flags.c24StartedStill) OpenThreeGates(t.common);
    for (int k = 0; k < kColls; ++k) {
        CollObj& o = level.colls[k];
        const bool wasOnPage = !GoesOffScreen(o.x, o.dw);
        switch (o.state) {
        case 4:
            // Its sequence ended on the turn undone and the page then switched it off (3 off
            // the page is 4): that end is taken back as in state 3.
            if (HasSequence(k) && k != 7 && o.pageStamp != kNoStamp && o.pageStamp >= t.page - 1) {
                DoneBackward(t, k, o);
                break;
            }
            [[fallthrough]];
        case 0:
        case 1:
            if (t.common.collGate) kDrift[k].backward(t, o);
            break;
        case 2:
            if (HasSequence(k)) kSequence[k].backward(t, o);
            break;
        case 3:
            DoneBackward(t, k, o);
            break;
        case 5:
            ParkedBackward(t, k, o);
            break;
        case 6:
            o.x += o.step;
            break;
        case 7:
            if (k == 17 || k == 18 || k == 19) {
                o.state = 1;
                o.x += o.step;
            }
            break;
        default:
            break;
        }
        // Going forward, an object that comes on the page is seen by the rules only from the
        // second frame on (the page switches it after the frame's rules). Turning back, one that
        // leaves the page on this turn is off it at once, so no rule sees it on the frame after.
        if (wasOnPage && GoesOffScreen(o.x, o.dw)) {
            if (o.state == 1) o.state = 0;
            if (o.state == 3) o.state = 4;
        }
    }
}

// C11 was set going on the turn before while the collision objects' gate was shut (the world
// held still, only put-down items moving): its own backward rule has not run, so it goes back to
// waiting here.
void CStage_One::C11GoingUndo() {
    Turn t = MakeTurn(*this);
    const int32_t page = CCommon::Instance().page;
    if (level.stamps.c11Going == kNoStamp || level.stamps.c11Going + 1 != page) return;
    CollObj& c11 = level.colls[11];
    if (c11.state == 1 && c11.frame <= 0)
        C11BackToWaiting(t, c11);
    else
        level.stamps.c11Going = kNoStamp;
}

void CStage_One::C5WakeCheck() {
    CollObj& c5 = level.colls[5];
    if ((c5.state == 0 || c5.state == 1) && InventoryBag::Instance().items[7].state == ItemInBag) {
        c5.state = 2;
        level.stamps.c5Wake = CCommon::Instance().page;
    }
}

bool CStage_One::StepC10PathBack() {
    CollObj& c10 = level.colls[10];
    if (c10.frame < 1) return false;
    c10.frame = c10.frame > kC10LastFrame ? kC10LastFrame : c10.frame - 1;
    ApplyC10Keyframe(c10.frame);
    return true;
}

void CStage_One::ApplyC7Keyframe(int32_t step) {
    if (!InTable(kC7Path, step)) return; // outside the path: stays as it is
    CollObj& c7 = level.colls[7];
    const C7Key& key = kC7Path[step];
    if (step == 0) {
        c7.x = level.values.c7StartX;
        c7.y = level.values.c7StartY;
    } else {
        c7.x = key.x;
        c7.y = key.y;
    }
    level.draw.c7Scale = key.scale;
    level.draw.c7Rotation = key.rotation;
}

void CStage_One::ApplyC10Keyframe(int32_t frame) {
    if (!InTable(kC10Path, frame)) return;
    CollObj& c10 = level.colls[10];
    c10.x = kC10Path[frame].x;
    c10.y = kC10Path[frame].y;
    level.draw.collRotation = kC10Path[frame].rotation;
}
