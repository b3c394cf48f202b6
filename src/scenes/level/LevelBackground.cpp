// Background objects on page turns, the copies of B11 and the forward follow-up checks.
// States: 0/1 scenery (recycling, then the object's own rule or plain scrolling, only while the
// background gate is open), 3 a sequence, 4 a one-turn transition, 5/6 drifting (B22, B92).
#include "scenes/level/LevelBackgroundRules.h"

namespace {

// --- The strip B50..B55: objects leaving on the left go to its right end ---

constexpr int kStripFirst = 50;
constexpr int kStripLast = 55;

void StripForward(BackTurn& t, int slot) {
    LevelState& L = t.L;
    if (L.flags.stripDone) return;
    int32_t& count = L.counters.stripCount;
    if (count >= StripRecycle::kMax) {
        // Done on the turn after the last recycle, checked once per turn, so that the turn
        // that sets the flag recycles nothing and turning back over it only clears the flag.
        if (slot == kStripFirst) {
            L.stamps.stripDone = t.page;
            L.flags.stripDone = 1;
        }
        return;
    }
    BackObj& b = L.backs[slot];
    if (b.x > -b.dw - 60) return;
    if (count < 0) count = 0;
    L.stamps.stripRecycles[count] = StripRecycle{t.page, slot, b.x};
    ++count;
    b.x = slot == kStripFirst ? L.backs[kStripLast].x + 200 : L.backs[slot - 1].x + 230;
}

// Turning back over a page puts each object recycled on it back where it stood (less the step
// that the object's scrolling adds back right after).
void StripBackward(BackTurn& t, int slot) {
    LevelState& L = t.L;
    if (L.flags.stripDone) return;
    int32_t& count = L.counters.stripCount;
    if (count > StripRecycle::kMax) count = StripRecycle::kMax;
    StripRecycle* recs = L.stamps.stripRecycles;
    for (int k = count - 1; k >= 0 && recs[k].page + 1 == t.page; --k) {
        if (recs[k].object != slot) continue;
        L.backs[slot].x = recs[k].x - L.backs[slot].step;
        recs[k].object = -1; // undone
    }
    while (count > 0 && recs[count - 1].object == -1) {
        recs[count - 1] = StripRecycle{};
        --count;
    }
}

// --- Objects that come back once (B67..B70) or twice (B71), placed behind B60 ---

struct ReturnRule {
    int slot;
    int32_t LevelCounters::*returns;
    uint8_t LevelFlags::*done;
    int32_t PageStamps::*doneStamp;
    int32_t aheadDx, aheadDy; // where it comes back, from B60
    int32_t startDx, startDy; // where it stood at the start, from B60
};
// In the order the rules test them.
constexpr ReturnRule kReturns[] = {
    {67, &LevelCounters::b67Returns, &LevelFlags::b67Done, &PageStamps::b67Done, 7428, -16, 617,
     -46},
    {69, &LevelCounters::b69Returns, &LevelFlags::b69Done, &PageStamps::b69Done, 3290, 86, 1423,
     72},
    {68, &LevelCounters::b68Returns, &LevelFlags::b68Done, &PageStamps::b68Done, 6341, 125, 3633,
     113},
    {70, &LevelCounters::b70Returns, &LevelFlags::b70Done, &PageStamps::b70Done, 4884, 158, 1722,
     145},
};
// B71's start and its two returns, from B60.
struct Spot {
    int32_t dx, dy;
};
constexpr int kB71 = 71;
constexpr Spot kB71Spots[3] = {{2167, 49}, {5332, 65}, {7050, 69}};

const ReturnRule* FindReturn(int slot) {
    for (const ReturnRule& r : kReturns)
        if (r.slot == slot) return &r;
    return nullptr;
}

void PlaceBehindB60(BackTurn& t, BackObj& b, int32_t dx, int32_t dy, int32_t stepSign) {
    b.x = t.B(60).x + dx + stepSign * b.step;
    b.y = t.B(60).y + dy;
}

bool LeftOnTheLeft(const BackObj& b) {
    return b.x <= -b.dw - 60;
}

void ReturnForward(BackTurn& t, const ReturnRule& r) {
    LevelState& L = t.L;
    if (L.flags.*r.done) return;
    BackObj& b = L.backs[r.slot];
    int32_t& returns = L.counters.*r.returns;
    if (returns > 0) {
        L.stamps.*r.doneStamp = t.page;
        L.flags.*r.done = 1;
    } else if (LeftOnTheLeft(b)) {
        ++returns;
        PlaceBehindB60(t, b, r.aheadDx, r.aheadDy, +1);
    }
}

void ReturnBackward(BackTurn& t, const ReturnRule& r) {
    LevelState& L = t.L;
    if (L.flags.*r.done) return;
    BackObj& b = L.backs[r.slot];
    int32_t& returns = L.counters.*r.returns;
    if (returns > 0 && b.x > 859) {
        --returns;
        PlaceBehindB60(t, b, r.startDx, r.startDy, -1);
    }
}

void B71Forward(BackTurn& t) {
    LevelState& L = t.L;
    if (L.flags.b71Done) return;
    BackObj& b = L.backs[kB71];
    int32_t& returns = L.counters.b71Returns;
    if (returns > 1) {
        L.stamps.b71Done = t.page;
        L.flags.b71Done = 1;
    } else if (LeftOnTheLeft(b)) {
        if (returns < 0) returns = 0;
        ++returns;
        if (returns == 1) L.stamps.b71FirstReturn = t.page;
        PlaceBehindB60(t, b, kB71Spots[returns].dx, kB71Spots[returns].dy, +1);
    }
}

// The second return is followed by the done turn, so it is undone right after the flag is
// cleared. After the first one B71 stays counted for many pages: that return is undone only on
// the turn back over its own page, not whenever B71 happens to be right of the page.
void B71Backward(BackTurn& t) {
    LevelState& L = t.L;
    if (L.flags.b71Done) return;
    BackObj& b = L.backs[kB71];
    int32_t& returns = L.counters.b71Returns;
    if (returns >= 2 && b.x > 859) {
        returns = 1;
        PlaceBehindB60(t, b, kB71Spots[1].dx, kB71Spots[1].dy, -1);
    } else if (returns == 1 && t.page == L.stamps.b71FirstReturn + 1) {
        returns = 0;
        L.stamps.b71FirstReturn = kNoStamp;
        PlaceBehindB60(t, b, kB71Spots[0].dx, kB71Spots[0].dy, -1);
    }
}

void RecycleForward(BackTurn& t, int slot) {
    if (slot >= kStripFirst && slot <= kStripLast) {
        StripForward(t, slot);
    } else if (slot == kB71) {
        B71Forward(t);
    } else if (const ReturnRule* r = FindReturn(slot)) {
        ReturnForward(t, *r);
    }
}

void RecycleBackward(BackTurn& t, int slot) {
    if (slot >= kStripFirst && slot <= kStripLast) {
        StripBackward(t, slot);
    } else if (slot == kB71) {
        B71Backward(t);
    } else if (const ReturnRule* r = FindReturn(slot)) {
        ReturnBackward(t, *r);
    }
}

// --- Sequences (state 3) ---

// B12 ends the character's lever animation: item 5 drops out, B13 appears, walking resumes.
void B12SequenceForward(BackTurn& t, BackObj& b) {
    int32_t& count = t.L.counters.b12Count;
    if (count <= 3) {
        CloseAllGates(t.common);
        ++count;
        return;
    }
    t.L.stamps.b12End = t.page;
    TearObj& i5 = t.I(5);
    if (i5.state == ItemNotInPlay) {
        i5.state = ItemVisible;
        i5.x = b.x + 150;
        i5.y = b.y + 172;
    }
    b.state = 2;
    BackObj& b13 = t.B(13);
    if (b13.state == 2) {
        b13.state = 1;
        b13.x = b.x + 72;
        b13.y = b.y;
    }
    t.L.charState = CharWalk;
    t.stage.WalkForward();
}

void B12SequenceBackward(BackTurn& t, BackObj&) {
    int32_t& count = t.L.counters.b12Count;
    if (count <= 0) return;
    CloseAllGates(t.common);
    --count;
    if (count == 0) {
        t.L.stamps.b12End = kNoStamp;
        t.L.flags.state11Done = 0;
        t.L.stamps.state11End = kNoStamp; // stamped with the done flag on the turn taken back
    }
}

// B17 and B57 share their shape: count, then show their follower and swap two objects.
struct SwapSequence {
    int slot;
    int32_t LevelCounters::*count;
    int32_t PageStamps::*endStamp;
    int follower; // shown where the sequence ends
    int32_t LevelCounters::*followerFrame;
    int32_t followerFrames;
    int32_t followerDx, followerDy;
    int from, to; // collision objects: `from` in state 1 is parked, `to` appears
    int32_t toDx, toDy;
};
constexpr SwapSequence kB17{17,
                            &LevelCounters::b17Count,
                            &PageStamps::b17End,
                            18,
                            &LevelCounters::b18Frame,
                            3,
                            0,
                            0,
                            7,
                            8,
                            100,
                            0};
constexpr SwapSequence kB57{57,
                            &LevelCounters::b57Count,
                            &PageStamps::b57End,
                            58,
                            &LevelCounters::b58Frame,
                            4,
                            60,
                            -35,
                            14,
                            15,
                            0,
                            0};

void SwapSequenceForward(BackTurn& t, BackObj& b, const SwapSequence& s) {
    int32_t& count = t.L.counters.*s.count;
    if (count <= 3) {
        CloseAllGates(t.common);
        ++count;
        return;
    }
    t.L.stamps.*s.endStamp = t.page;
    if (b.state != 3) return;
    b.state = 2;
    BackObj& follower = t.B(s.follower);
    if (follower.state == 2) {
        follower.state = 1;
        follower.x = b.x + s.followerDx;
        follower.y = b.y + s.followerDy;
        // The picture check after this phase steps it forward again this same turn.
        CycleDown(t.L.counters.*s.followerFrame, s.followerFrames);
    }
    CollObj& from = t.C(s.from);
    if (from.state == 1) {
        from.state = 5;
        CollObj& to = t.C(s.to);
        if (to.state == 6) {
            to.state = 1;
            to.x = from.x + s.toDx;
            to.y = from.y + s.toDy;
        }
    }
}

void SwapSequenceBackward(BackTurn& t, const SwapSequence& s) {
    int32_t& count = t.L.counters.*s.count;
    if (count <= 0) return;
    CloseAllGates(t.common);
    --count;
    if (count == 0) t.L.stamps.*s.endStamp = kNoStamp;
}

void TurnSlot(BackTurn& t, int slot, TurnDirection direction);

// B91 takes a load (item 13 or item 10) that was put on C20 and lifts it.
struct Load {
    int item;
    uint8_t LevelFlags::*use;
    int lifter; // B93 for item 13, B94 for item 10
    int32_t dx, dy;
};
constexpr Load kLoads[2] = {{13, &LevelFlags::itemUse13, 93, 2, -141},
                            {10, &LevelFlags::itemUse10, 94, 10, -136}};

void B91SequenceForward(BackTurn& t, BackObj& b) {
    CollObj& c20 = t.C(20);
    // The turn after the load: what moved on it before B91 shuts the world is what the gates
    // let move, and the turn back needs them as they are now.
    if (c20.pageStamp != kNoStamp && c20.pageStamp == t.page) {
        t.L.stamps.c20Taken = t.page;
        t.L.values.c20TakenGates = GateBits(t.common);
    } else if ((t.L.flags.itemUse13 || t.L.flags.itemUse10) && GateBits(t.common) != 0) {
        // A later step: the step before shut the world, yet the character's turn opened it again
        // (the carried path ended). It moved until this step shuts it; the turn back needs the
        // gates it found.
        t.L.stamps.b91StepFoundOpen = t.page;
        t.L.values.b91StepGates = GateBits(t.common);
    }
    for (const Load& load : kLoads) {
        if (!(t.L.flags.*load.use)) continue;
        CloseAllGates(t.common);
        TearObj& item = t.I(load.item);
        if (item.state == ItemPlaced) {
            item.state = ItemUsedUp;
            b.x -= b.step;
            c20.x -= c20.step;
        }
        if (t.L.counters.b91Step <= 4) {
            CycleUp(t.L.counters.b91SubStep, 3);
            ++t.L.counters.b91Step;
            continue;
        }
        b.state = 7;
        BackObj& b92 = t.B(92);
        if (b92.state == 2) {
            b92.state = 3;
            b92.x = b.x - 4;
            b92.y = b.y + 3;
        }
        BackObj& lifter = t.B(load.lifter);
        if (lifter.state == 2) {
            lifter.state = 4;
            lifter.x = c20.x + load.dx;
            lifter.y = c20.y + load.dy;
        }
    }
}

// Taking C20's load back: B90 and B91 as the load found them, then turned back with the world on
// this turn as they would have been without it (B90 is visited before B91, and its turn back may
// hand over to B91).
void GiveBadgerBack(BackTurn& t) {
    LevelValues::BadgerBeforeLoad& was = t.L.values.badgerBeforeLoad;
    t.B(90) = was.b90;
    t.B(91) = was.b91;
    t.L.counters.b90Count = was.b90Count;
    t.L.counters.b91Step = was.b91Step;
    t.L.counters.b91SubStep = was.b91SubStep;
    was = {};
    TurnSlot(t, 90, Backward);
    TurnSlot(t, 91, Backward);
}

void B91SequenceBackward(BackTurn& t, BackObj& b) {
    CollObj& c20 = t.C(20);
    // No step made yet: this turn goes back over the load's page. Read once: item 10 stays in the
    // bag when the pages turn back, so both items may have come on C20 on that page, and the first
    // taken back gives B91's step back with the badger.
    const bool loadPage = t.L.counters.b91Step <= 0;
    for (const Load& load : kLoads) {
        if (!(t.L.flags.*load.use)) continue;
        int32_t& step = t.L.counters.b91Step;
        if (loadPage) {
            t.L.flags.*load.use = 0;
            if (b.state != 3) continue; // the first load gave everything back
            GiveBadgerBack(t);
            c20.state = 1;
            c20.pageStamp = kNoStamp; // the load is taken back whole, its page with it
            // Likewise C20, which sat out this turn's collision phase while loaded.
            if (CollGateFound(t, 20)) c20.x += c20.step;
            continue;
        }
        CycleDown(t.L.counters.b91SubStep, 3);
        --step;
        TearObj& item = t.I(load.item);
        if (step == 0 && item.state == ItemUsedUp) {
            b.x += b.step;
            item.state = ItemPlaced;
            const POINT at = PutDownPoint(t.bag, load.item);
            item.x = at.x;
            item.y = at.y;
            c20.state = 1;
            c20.x += c20.step;
        }
    }
}

// B93 (item 13) and B94 (item 10) lift the load up and back down, then rest.
struct Lift {
    int slot;
    int32_t LevelCounters::*count;
    uint8_t LevelFlags::*reversing;
};
constexpr Lift kB93{93, &LevelCounters::b93Count, &LevelFlags::b93Reversing};
constexpr Lift kB94{94, &LevelCounters::b94Count, &LevelFlags::b94Reversing};

void LiftForward(BackTurn& t, BackObj& b, const Lift& lift) {
    int32_t& count = t.L.counters.*lift.count;
    uint8_t& reversing = t.L.flags.*lift.reversing;
    // B91's last step shut the world for the lift. When the character's turn opens it again (the
    // carried path ends), it moves from then on to the lift's end, as far as the gates found let
    // it; the turns back over the lift need them.
    if (t.L.stamps.liftFoundOpen == kNoStamp && GateBits(t.common) != 0) {
        t.L.stamps.liftFoundOpen = t.page;
        t.L.values.liftGates = GateBits(t.common);
    }
    if (!reversing) {
        ++count;
        if (count >= 4) reversing = 1;
    } else if (count > 0) {
        --count;
    } else {
        OpenAllGates(t.common);
        b.state = 7;
        t.B(92).state = 5;
        t.C(20).state = 3;
        t.L.stamps.b93b94End = t.page;
    }
}

void LiftBackward(BackTurn& t, BackObj& b, const Lift& lift) {
    int32_t& count = t.L.counters.*lift.count;
    uint8_t& reversing = t.L.flags.*lift.reversing;
    if (reversing) {
        if (count > 3) {
            reversing = 0;
            --count;
        } else {
            ++count;
        }
    } else if (count <= 0) {
        b.state = 2;
        BackObj& b92 = t.B(92);
        b92.state = 2;
        BackObj& b91 = t.B(91);
        if (b91.state == 7) {
            b91.state = 3;
            b91.x = b92.x + 4;
            b91.y = b92.y - 3;
        }
    } else {
        --count;
    }
}

void SequenceForward(BackTurn& t, int slot) {
    BackObj& b = t.B(slot);
    switch (slot) {
    case 12:
        B12SequenceForward(t, b);
        break;
    case 17:
        SwapSequenceForward(t, b, kB17);
        break;
    case 57:
        SwapSequenceForward(t, b, kB57);
        break;
    case 91:
        B91SequenceForward(t, b);
        break;
    case 93:
        LiftForward(t, b, kB93);
        break;
    case 94:
        LiftForward(t, b, kB94);
        break;
    default:
        break;
    }
}

void SequenceBackward(BackTurn& t, int slot) {
    BackObj& b = t.B(slot);
    switch (slot) {
    case 12:
        B12SequenceBackward(t, b);
        break;
    case 17:
        SwapSequenceBackward(t, kB17);
        break;
    case 57:
        SwapSequenceBackward(t, kB57);
        break;
    case 91:
        B91SequenceBackward(t, b);
        break;
    case 93:
        LiftBackward(t, b, kB93);
        break;
    case 94:
        LiftBackward(t, b, kB94);
        break;
    default:
        break;
    }
}

// --- One-turn transitions (state 4) ---

struct Transition {
    bool closeAll = false;
    int32_t newState = -1; // -1 keeps the state
    bool scroll = false;   // by the step: left forward, right backward
    bool Any() const { return closeAll || newState >= 0 || scroll; }
};
struct SlotTransition {
    int slot;
    Transition forward, backward;
};
constexpr SlotTransition kTransitions[] = {
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

void ApplyTransition(BackTurn& t, int slot, TurnDirection direction) {
    for (const SlotTransition& st : kTransitions) {
        if (st.slot != slot) continue;
        const Transition& tr = direction == Forward ? st.forward : st.backward;
        if (!tr.Any()) return;
        BackObj& b = t.B(slot);
        if (tr.closeAll) CloseAllGates(t.common);
        if (tr.newState >= 0) b.state = tr.newState;
        if (tr.scroll) b.x += direction == Forward ? -b.step : b.step;
        return;
    }
}

bool Drifts(int slot) {
    return slot == 22 || slot == 92;
}

// One background object's part of a turn.
void TurnSlot(BackTurn& t, int slot, TurnDirection direction) {
    const bool forward = direction == Forward;
    const int32_t sign = forward ? -1 : 1; // forward, the world scrolls left
    BackObj& b = t.B(slot);
    switch (b.state) {
    case 0:
    case 1: {
        if (!t.common.backGate) break;
        if (forward)
            RecycleForward(t, slot);
        else
            RecycleBackward(t, slot);
        const BackRulePair& rules = BackObjectRule(slot);
        if (BackRule rule = forward ? rules.forward : rules.backward)
            rule(t, b);
        else
            b.x += sign * b.step;
        break;
    }
    case 3:
        if (forward)
            SequenceForward(t, slot);
        else
            SequenceBackward(t, slot);
        break;
    case 4:
        ApplyTransition(t, slot, direction);
        break;
    case 5:
    case 6:
        if (Drifts(slot)) b.x += sign * b.step;
        break;
    default:
        break;
    }
}

void MoveB11Copies(LevelState& L, int32_t dx) {
    for (Back11Copy& copy : L.back11Copies)
        if (copy.shown == 0 || copy.shown == 1) copy.x += dx;
}

} // namespace

// One turn of every background object. The two directions differ only in the rules they pick
// and the way things scroll.
void CStage_One::BackgroundsTurn(TurnDirection direction) {
    BackTurn t = MakeBackTurn(*this);
    const int32_t sign = direction == Forward ? -1 : 1; // forward, the world scrolls left
    backgroundsMoved = t.common.backGate != 0;
    for (int slot = 0; slot < kBacks; ++slot)
        TurnSlot(t, slot, direction);
    MoveB11Copies(level, sign * level.backs[11].step);
}

void CStage_One::BackgroundsForward() {
    BackgroundsTurn(Forward);
}

void CStage_One::BackgroundsBackward() {
    BackgroundsTurn(Backward);
}

// --- Follow-up checks of the forward turn ---

namespace {

// Item 5 dropped on the ground in front of C7 (or else C14) starts B17's (or B57's) sequence.
void Item5StartsSequence(BackTurn& t) {
    if (t.L.stamps.item5Extra != t.page) return;
    const TearObj& i5 = t.I(5);
    if (t.C(7).state == 1) {
        BackObj& b17 = t.B(17);
        if (b17.state == 2 && t.L.counters.b17Count == 0 && i5.x + 200 < t.C(7).x &&
            t.bag.item5Frame == 2) {
            CloseAllGates(t.common);
            b17.state = 3;
            b17.x = i5.x + 94;
            b17.y = i5.y - 6;
        }
    } else if (t.C(14).state == 1) {
        BackObj& b57 = t.B(57);
        if (b57.state == 2 && t.L.counters.b57Count == 0 && i5.x + 200 < t.C(14).x &&
            t.bag.item5Frame == 2) {
            CloseAllGates(t.common);
            b57.state = 3;
            b57.x = i5.x + 45;
            b57.y = i5.y - 138;
        }
    }
}

// The five pieces on their places assemble C6: it parks and B14 shows in its stead. Only on the
// page: turned back before the page the pieces were put down on, C6 may be off it with the pieces
// still marked as sitting on it; it then drifts on with them and assembles once it is back on the
// page (assembling off it would hold C6 still, with no turn back to undo that, and use the pieces
// up with no B14 to show for them).
void AssembleC6(BackTurn& t) {
    BackObj& b14 = t.B(14);
    CollObj& c6 = t.C(6);
    if (b14.state != 2 || c6.state != 1) return;
    for (int item : kPieceItems)
        if (!SecondPlacementFlag(t.bag, item)) return;
    // It parks where it stood before this turn: its drift on it (with the world moving) is
    // taken back.
    if (t.common.collGate) c6.x += c6.step;
    c6.pageStamp = t.page;
    c6.state = 5;
    b14.state = 1;
    b14.x = c6.x - 8;
    b14.y = c6.y - 16;
    for (int item : kPieceItems)
        if (t.I(item).state == ItemPlaced) t.I(item).state = ItemUsedUp;
}

} // namespace

void CStage_One::FollowUpChecks() {
    BackTurn t = MakeBackTurn(*this);
    LevelState& L = level;
    // 1. B25 has closed over the walking character: it is hidden.
    if (L.counters.b25Count == 3 && L.charState == CharWalk) L.charState = CharHidden;
    // 2. B23 at the top of its wind-up throws C10.
    CollObj& c10 = L.colls[10];
    if (L.counters.b23Count == 7 && c10.state == 6) {
        L.stamps.c10Thrown = t.page;
        L.values.c10WaitX = c10.x;
        L.values.c10WaitY = c10.y;
        c10.state = 1;
        c10.x = 558;
        c10.y = 74;
    }
    // 3.
    Item5StartsSequence(t);
    // 4. A sequence that ended on this turn lets the world move again.
    const int32_t page = t.page;
    if (L.stamps.b12End == page || L.stamps.b17End == page || L.stamps.b57End == page)
        OpenAllGates(t.common);
    // 5. Picture loops of B13, B18 and B58.
    if (L.backs[13].state == 1) CycleUp(L.counters.b13Frame, 3);
    if (L.backs[18].state == 1) CycleUp(L.counters.b18Frame, 3);
    if (L.backs[58].state == 1) CycleUp(L.counters.b58Frame, 4);
    // 6. C5 blinks while item 7 lies beside it.
    CollObj& c5 = L.colls[5];
    if (t.I(7).state == ItemVisible && c5.state == 1) c5.frame = c5.frame == 0 ? 1 : 0;
    // 7.
    AssembleC6(t);
    // 8.
    if (!c9LeavingTakenBack) C9LeavesCheck(t, true);
    c9LeavingTakenBack = false;
}
