// The undo checks of a backward turn: events stamped on a page are undone when turning back over
// it. A stamp equal to `page` marks an event of the playing frame on this page; `page` equal to
// stamp + 1 marks one of the forward turn made from the page before. `page` is the value before
// the turn's decrement. Each check clears its stamp unless it says otherwise.
#include "scenes/level/LevelBackgroundRules.h"
#include "services/OnScreen.h"

namespace {

bool Now(int32_t stamp, int32_t page) {
    return stamp != kNoStamp && stamp == page;
}
bool TurnBefore(int32_t stamp, int32_t page) {
    return stamp != kNoStamp && stamp + 1 == page;
}

// A record's frame steps back cyclically, staying inside its frames whatever it held.
void FrameBack(CollObj& c) {
    if (c.frames <= 0)
        c.frame = 0;
    else
        CycleDown(c.frame, c.frames);
}

// The on-page state (0 off, 1 on) an object had when the forward turn taken back was made. The
// page switches states only in the frame after a turn, so an object that this turn moved back
// across the page's edge (by `moved`) still has the state of the far side: the state of its place
// now is the one it had then. Otherwise, or on a switching edge, the state it has is that one.
int32_t ShownWhenTurned(int32_t state, int32_t x, int32_t dw, int32_t moved) {
    if (state != 0 && state != 1) return state;
    auto side = [dw](int32_t at) {
        const bool on = ComesOnScreen(at, dw), off = GoesOffScreen(at, dw);
        return on == off ? -1 : (on ? 1 : 0);
    };
    const int now = side(x), before = side(x - moved);
    return now >= 0 && before >= 0 && now != before ? now : state;
}

void Show(CollObj& c, int32_t x, int32_t y) {
    c.state = 1;
    c.x = x;
    c.y = y;
}

// --- Before the collision objects ---

void B12EndUndo(BackTurn& t) {
    if (!TurnBefore(t.L.stamps.b12End, t.page)) return;
    t.L.stamps.b12End = kNoStamp;
    CloseAllGates(t.common);
    t.L.charState = CharLever;
    if (t.B(12).state == 2) t.B(12).state = 4;
    if (t.B(13).state == 1) {
        // B13's picture loop stepped once on the turn that showed it; its own step back no
        // longer sees it once hidden.
        t.B(13).state = 2;
        CycleDown(t.L.counters.b13Frame, 3);
    }
    // Hung out on the page or, with B12 near the right edge, beyond it (loose): out of play again.
    TearObj& i5 = t.I(5);
    if (i5.state == ItemVisible || i5.state == ItemLoose) i5.state = ItemNotInPlay;
}

void B17EndUndo(BackTurn& t) {
    if (!TurnBefore(t.L.stamps.b17End, t.page)) return;
    t.L.stamps.b17End = kNoStamp;
    CloseAllGates(t.common);
    if (t.B(17).state != 2) return;
    t.B(17).state = 4;
    if (t.B(18).state == 1) t.B(18).state = 2;
    CollObj& c8 = t.C(8);
    // Used up beside B11 in a frame of the very page the flare's end led it onto: that use goes
    // back with it (given back by the second list, C8 would stand on the page, C7 still parked,
    // and be used up again on every page turned back).
    if (c8.state == 5 && Now(t.L.stamps.c8Used, t.page)) {
        t.L.stamps.c8Used = kNoStamp;
        if (t.B(11).state == 1) t.B(11).state = 2;
        c8.state = 1;
    }
    if (c8.state != 1) return;
    c8.state = 6;
    t.L.draw.b16ScaleX = 2.0f;
    CollObj& c7 = t.C(7);
    if (c7.state == 5) Show(c7, c8.x - 100, c8.y);
}

void B57EndUndo(BackTurn& t) {
    if (!TurnBefore(t.L.stamps.b57End, t.page)) return;
    t.L.stamps.b57End = kNoStamp;
    CloseAllGates(t.common);
    BackObj& b58 = t.B(58);
    if (b58.state == 1) b58.state = 2;
    BackObj& b57 = t.B(57);
    if (b57.state == 2) {
        b57.state = 4;
        b57.x = b58.x - 60;
        b57.y = b58.y + 35;
    }
    CollObj& c15 = t.C(15);
    // Used up in a frame of the very page the flare's end led it onto: that use goes back with it,
    // as C8's does above.
    if (c15.state == 5 && Now(t.L.stamps.c15Used, t.page)) {
        t.L.stamps.c15Used = kNoStamp;
        if (t.B(59).state == 1) t.B(59).state = 2;
        c15.state = 1;
    }
    if (c15.state == 1) {
        c15.frame = 0;
        c15.state = 6;
        CollObj& c14 = t.C(14);
        if (c14.state == 5) Show(c14, c15.x, c15.y);
    }
}

// Item 5 reached its last picture on the turn before. Only if that also started B17's or B57's
// sequence did the turn shut the gates (at its very end); only then is there a start to take back
// and do the gates open for it. Otherwise the world stood as it stands.
void Item5ExtraUndo(BackTurn& t) {
    if (!TurnBefore(t.L.stamps.item5Extra, t.page)) return;
    t.L.stamps.item5Extra = kNoStamp;
    for (int slot : {17, 57}) {
        if (t.B(slot).state != 3) continue;
        OpenAllGates(t.common);
        t.B(slot).state = 2;
        return;
    }
}

void B16ReleaseUndo(BackTurn& t) {
    BackObj& b16 = t.B(16);
    if (!TurnBefore(t.L.stamps.b16Release, t.page) || b16.state != 2) return;
    t.L.stamps.b16Release = kNoStamp;
    b16.state = 4;
    b16.x += t.L.draw.b16ScaleX < 0.0f ? -b16.step : b16.step;
    // Dropped on or off the page (walking away to the right it drops the umbrella beyond the
    // edge, where the page shows it as loose): either way it goes back out of play.
    TearObj& i10 = t.I(10);
    if (i10.state == ItemVisible || i10.state == ItemLoose) i10.state = ItemNotInPlay;
}

void B16FollowUndo(BackTurn& t) {
    if (!TurnBefore(t.L.stamps.b16Follow, t.page)) return;
    t.L.stamps.b16Follow = kNoStamp;
    CollObj& c7 = t.C(7);
    // Used up beside B11 in a frame of the very page B16 led it onto: that use goes back with it
    // (given back by the second list, C7 would stand on the page and be used up again).
    if (c7.state == 5 && Now(t.L.stamps.c7Used, t.page)) {
        t.L.stamps.c7Used = kNoStamp;
        if (t.B(11).state == 1) t.B(11).state = 2;
        c7.state = 1;
    }
    if (c7.state == 1) c7.state = 6;
    BackObj& b16 = t.B(16);
    if (b16.state == 2) {
        b16.state = 4;
        b16.x = c7.x + 16;
        b16.y = c7.y;
    }
}

void C9UseUndo(BackTurn& t) {
    CollObj& c9 = t.C(9);
    if (!Now(c9.pageStamp, t.page)) return;
    c9.pageStamp = kNoStamp;
    BackObj& b22 = t.B(22);
    if (b22.state == 1) b22.state = 2;
    if (c9.state == 5) Show(c9, b22.x + 24, b22.y + 5);
    if (t.B(23).state == 2) t.B(23).state = 1;
    // Item 12 went on scrolling with the world while used up, so it comes back where it is (B22
    // + (308, 199) would put it 8 px left of and 4 px above its place beside C9).
    TearObj& i12 = t.I(12);
    if (i12.state == ItemUsedUp) i12.state = ItemVisible;
}

// C11 and C12 showed B26 when they were used.
void C11UseUndo(BackTurn& t) {
    CollObj& c11 = t.C(11);
    if (!Now(c11.pageStamp, t.page) || t.B(26).state != 1) return;
    c11.pageStamp = kNoStamp;
    t.B(26).state = 2;
    if (c11.state == 5) c11.state = 1;
}

void C12UseUndo(BackTurn& t) {
    CollObj& c12 = t.C(12);
    BackObj& b26 = t.B(26);
    if (!Now(c12.pageStamp, t.page) || b26.state != 1) return;
    c12.pageStamp = kNoStamp;
    b26.state = 2;
    if (c12.state == 5) Show(c12, b26.x, b26.y + 38);
}

void C17EndUndo(BackTurn& t) {
    CollObj& c17 = t.C(17);
    CollObj& c18 = t.C(18);
    if (!TurnBefore(t.L.stamps.c18Taken, t.page) || c18.state != 1) return;
    t.L.stamps.c18Taken = kNoStamp;
    c17.pageStamp = kNoStamp;
    t.L.flags.c17Done = 0;
    // C18 goes back to where it was parked; C17 stays where it ended, and its waiting rule
    // (state 7) later in this turn takes back the end's step and shows it again.
    const LevelValues& v = t.L.values;
    c18.state = 5;
    c18.x = v.c18ParkedX;
    c18.y = v.c18ParkedY;
    c18.frame = v.c18ParkedFrame;
    if (c17.state == 5) c17.state = 7;
}

// The lift held the world on the turn taken back as it found it: all shut, as B91's last step
// left it, or, from the turn on which the character's turn had opened it again, shut only where
// it was still shut then. It only closes: what else held the world keeps it shut.
void HoldAsTheLiftFoundIt(BackTurn& t) {
    const int32_t open = t.L.stamps.liftFoundOpen == kNoStamp ? 0 : t.L.values.liftGates;
    SetGates(t.common, GateBits(t.common) & open);
}

// --- After the background objects ---

void LiftEndUndo(BackTurn& t) {
    if (!TurnBefore(t.L.stamps.b93b94End, t.page)) return;
    t.L.stamps.b93b94End = kNoStamp;
    CollObj& c20 = t.C(20);
    if (c20.state == 3) c20.state = 2;
    BackObj& b92 = t.B(92);
    if (b92.state == 5) {
        b92.state = 3;
        b92.x -= b92.step; // its drift this turn ran before the check
    }
    struct Lifter {
        int slot;
        int32_t dx, dy;
    };
    for (const Lifter& l : {Lifter{93, 2, -141}, Lifter{94, 10, -136}}) {
        BackObj& b = t.B(l.slot);
        if (b.state != 7) continue;
        b.state = 3;
        b.x = c20.x + l.dx;
        b.y = c20.y + l.dy;
    }
}

void StateBackAfter(BackTurn& t, int32_t PageStamps::*stamp, int slot, int32_t from, int32_t to) {
    if (!TurnBefore(t.L.stamps.*stamp, t.page)) return;
    t.L.stamps.*stamp = kNoStamp;
    if (t.B(slot).state == from) t.B(slot).state = to;
}

// The done flags are set on a forward turn, so the turn back over it clears them.
struct DoneFlag {
    int32_t PageStamps::*stamp;
    uint8_t LevelFlags::*flag;
};
constexpr DoneFlag kDoneFlags[] = {
    {&PageStamps::stripDone, &LevelFlags::stripDone}, {&PageStamps::b67Done, &LevelFlags::b67Done},
    {&PageStamps::b68Done, &LevelFlags::b68Done},     {&PageStamps::b69Done, &LevelFlags::b69Done},
    {&PageStamps::b70Done, &LevelFlags::b70Done},     {&PageStamps::b71Done, &LevelFlags::b71Done},
};

void ClearDoneFlags(BackTurn& t) {
    for (const DoneFlag& d : kDoneFlags) {
        if (!TurnBefore(t.L.stamps.*d.stamp, t.page)) continue;
        t.L.stamps.*d.stamp = kNoStamp;
        t.L.flags.*d.flag = 0;
    }
    if (TurnBefore(t.L.stamps.b29Done, t.page)) {
        t.L.stamps.b29Done = kNoStamp;
        t.L.flags.b29Done = 0;
    }
}

void B31EndUndo(BackTurn& t) {
    if (!TurnBefore(t.L.stamps.b31End, t.page)) return;
    t.L.stamps.b31End = kNoStamp;
    BackObj& b31 = t.B(31);
    if (b31.state == 7) {
        b31.state = 1;
        b31.x += b31.step;
    }
}

// Item 14 put down turned into C13; item 11 put down outside the pit turned into B30.
void Item14PlaceUndo(BackTurn& t) {
    CollObj& c13 = t.C(13);
    if (!TurnBefore(PlacePage(t.bag, 14), t.page) || c13.state != 1) return;
    c13.state = 6;
    c13.frame = 0; // where the put-down started its loop
    TearObj& i14 = t.I(14);
    if (i14.state == ItemUsedUp) {
        // Back where it was put down (C13 came on there, and may have moved since or not, as the
        // world moved or held still): the put-down trace keeps that place.
        const TearingObj& trace = t.bag.tearingObj[14];
        i14.state = ItemPlaced;
        i14.x = trace.x + trace.offX;
        i14.y = trace.y + trace.offY;
    }
}

void Item11PlaceUndo(BackTurn& t) {
    BackObj& b30 = t.B(30);
    if (!TurnBefore(PlacePage(t.bag, 11), t.page) || b30.state != 1) return;
    // B30 was shown before its loop had stepped: take back the step it made with the scenery on
    // this turn, if the scenery moved.
    if (t.common.backGate) CycleUp(t.L.counters.b30Count, 8);
    b30.state = 2;
    TearObj& i11 = t.I(11);
    if (i11.state == ItemUsedUp) {
        // Back where it lay before the turn taken back. B30 came on where it lay after that turn
        // (27 px left), which is not always its put-down point: turned back before that page and
        // forward again, it drifted with the world meanwhile. Each of them moved on that turn as
        // its own gate let it, and B30 has moved back since.
        i11.state = ItemPlaced;
        i11.x =
            b30.x + 27 - (t.common.backGate ? b30.step : 0) + (t.common.placedGate ? i11.step : 0);
        i11.y = b30.y + 8;
    }
}

void B25HidesUndo(BackTurn& t) {
    if (t.B(25).state == 1 && t.L.counters.b25Count == 2 && t.L.charState == CharHidden) {
        // The turn that hid the walker is taken back as walking takes it back: it also took its
        // step left home, if it was strolling back, and may have ended the carried path.
        t.L.charState = CharWalk;
        t.stage.WalkingTurnBack();
    }
}

void C12ReachedUndo(BackTurn& t) {
    if (!Now(t.L.stamps.c12Reached, t.page)) return;
    t.L.stamps.c12Reached = kNoStamp;
    CollObj& c12 = t.C(12);
    if (c12.state != 5) return;
    BackObj& b25 = t.B(25);
    Show(c12, b25.x + 26, b25.y + 208);
    // Its picture stepped on the turn taken back only if it drifted then.
    if (CollGateFound(t, 12)) FrameBack(c12);
    // B25, come down for it and not counting yet, hides again by its own rule when the world
    // moves; while the world stood still that rule did not run.
    if (!t.stage.backgroundsMoved && b25.state == 1 && t.L.counters.b25Count == 0) b25.state = 2;
}

void C11HandOverUndo(BackTurn& t) {
    if (!TurnBefore(t.L.stamps.c11HandOver, t.page)) return;
    t.L.stamps.c11HandOver = kNoStamp;
    // C12 walked on from the hand-over: in state 1, or 0 once it has left the page.
    CollObj& c12 = t.C(12);
    if (c12.state != 1 && c12.state != 0) return;
    c12.state = 6;
    CollObj& c11 = t.C(11);
    if (c11.state == 5) Show(c11, c12.x + 20, c12.y - 32);
}

// B23's throw: back to the top of its wind-up.
void C10ThrowUndo(BackTurn& t) {
    CollObj& c10 = t.C(10);
    if (!TurnBefore(c10.pageStamp, t.page)) return;
    c10.pageStamp = kNoStamp;
    if (t.L.values.b23Mode == 2) {
        t.L.values.b23Mode = 1;
        t.L.counters.b23Count = 7;
    }
}

// C1 stepped back from frame 2 to 1 on this turn: item 2, which it took on the step from frame
// 1, lies again where C1 was primed with it (put down, or never torn out). Given back after the
// items' phase, which moved nothing of it on the turn taken back.
void C1TakesItem2Undo(BackTurn& t) {
    const CollObj& c1 = t.C(1);
    TearObj& i2 = t.I(2);
    if (c1.state != 2 || c1.frame != 1 || i2.state != ItemUsedUp) return;
    i2.state = PlacePage(t.bag, 2) >= 0 ? ItemPlaced : ItemVisible;
}

void C1UseUndo(BackTurn& t) {
    if (!Now(t.L.stamps.c1Used, t.page)) return;
    t.L.stamps.c1Used = kNoStamp;
    CollObj& c1 = t.C(1);
    // It drifted with the world on the turn that led to its use, before the hero met it; parked,
    // it sat out this turn's collision phase, so that drift is taken back here.
    if (CollGateFound(t, 1)) c1.x += c1.step;
    // Used in its first frame on the page, it was off it before that turn: it waits there again
    // (in its off-page state), or the next frame's rules would see it on the page and use it again.
    const bool off = GoesOffScreen(c1.x, c1.dw);
    c1.state = t.L.flags.c1Primed ? (off ? 4 : 3) : (off ? 0 : 1);
    t.B(2).state = 2;
}

// C1 used in a frame of the page its sequence ended on: it is done again (primed, so 3, or 4 off
// the page) before this turn's collision phase, whose rule for a done object then takes the end
// back with the world. Given back after that phase, it would stay done with the world shut.
void C1UsedAtItsEndUndo(BackTurn& t) {
    CollObj& c1 = t.C(1);
    if (!Now(t.L.stamps.c1Used, t.page) || c1.state != 5 || !TurnBefore(c1.pageStamp, t.page))
        return;
    t.L.stamps.c1Used = kNoStamp;
    c1.state = GoesOffScreen(c1.x, c1.dw) ? 4 : 3;
    t.B(2).state = 2;
}

// A collision object used up beside a copy of B11 (or B11 itself) comes back where it was used:
// the copy was placed there at a fixed offset, and has since moved with the world forward and back
// again, except for its own step on this turn, made before these checks. From there the object
// takes back its own drift on the turn undone here (made while it was still active), which its
// parked state kept it from doing in this turn's collision phase.
struct CopyUse {
    int coll;
    int copy;
    int32_t dx, dy;    // from the copy back to the object
    int32_t driftBack; // the object's backward drift, in its steps: -1 left, 1 right
    bool frameBack;    // its drift also steps its frame
};
constexpr CopyUse kCopyUses[] = {
    {21, 1, -14, -50, -1, true},
    {22, 2, 0, -26, 1, true},
    {23, 3, 8, -56, 1, false},
};

void GiveBackUsed(BackTurn& t, int coll, int32_t x, int32_t y, int32_t driftBack, bool frameBack) {
    CollObj& c = t.C(coll);
    Show(c, x, y);
    if (driftBack != 0 && CollGateFound(t, coll)) {
        c.x += driftBack * c.step;
        if (frameBack) FrameBack(c);
    }
}

void CopyUseUndo(BackTurn& t, int32_t& stamp, CollObj& c, Back11Copy& copy, const CopyUse& u) {
    if (!Now(stamp, t.page)) return;
    stamp = kNoStamp;
    if (c.state == 5) {
        const int32_t copyMoved = copy.shown == 0 || copy.shown == 1 ? t.B(11).step : 0;
        GiveBackUsed(t, u.coll, copy.x + u.dx - copyMoved, copy.y + u.dy, u.driftBack, u.frameBack);
        // Given back beyond the page's edge, it is off the page at once, as it was before its
        // use: on it, the frame's rules would see it and use it up again.
        if (GoesOffScreen(c.x, c.dw)) c.state = 0;
    }
    // Each copy is shown by its own object's use alone, and the page may have switched it off
    // since (an object used near the page's edge): either way it goes back to waiting.
    copy.shown = 2;
}

// C5 used beside copy 0: it comes back where the copy shows it.
void C5UseUndo(BackTurn& t, int32_t& stamp, CollObj& c, Back11Copy& copy) {
    if (!Now(stamp, t.page)) return;
    stamp = kNoStamp;
    if (c.state == 5) {
        // Used while it ran (2) or after (3), it goes back to that: its run's step of the turn
        // taken back is taken back too (the copy's own step back gave the place).
        // Woken on the turn taken back (item 7 went into the bag on the page before), it had not
        // run yet: it goes back to sleeping, as its own running rule would have put it.
        const int32_t used = t.L.values.c5UsedState;
        int32_t& woken = t.L.stamps.c5Wake;
        const bool wokenOnThatTurn = used == 2 && woken != kNoStamp && woken >= t.page - 1;
        // Its run ended on that turn: the last step of the run moved it whatever the gates.
        const bool endedOnThatTurn = used == 3 && TurnBefore(c.pageStamp, t.page);
        // Not running, it drifted on that turn only with the world moving, while the copy steps
        // back with B11 whatever the gates.
        const bool ran = (used == 2 && !wokenOnThatTurn) || endedOnThatTurn;
        const int32_t copyStep = !ran && !CollGateFound(t, 5) ? t.B(11).step : 0;
        Show(c, copy.x - copyStep, copy.y - 6);
        if (wokenOnThatTurn) woken = kNoStamp;
        if ((used == 2 || used == 3) && !wokenOnThatTurn) {
            c.state = used;
            if (used == 2 && c.frame >= 1) --c.frame;
            // Its run ended on the turn taken back (parked, it sat out the collision objects'
            // rule that takes that end back): it runs again, on its last frame.
            if (endedOnThatTurn) {
                c.state = 2;
                c.pageStamp = kNoStamp;
            }
        } else if (GoesOffScreen(c.x, c.dw)) {
            c.state = 0;
        }
    }
    copy.shown = 2;
}

// C7 or C8 used up where B11 shows (B11 placed at the object + (-dx, 106)).
void B11UseUndo(BackTurn& t, int32_t& stamp, int coll, int32_t dx, int32_t driftBack) {
    if (!Now(stamp, t.page)) return;
    stamp = kNoStamp;
    BackObj& b11 = t.B(11);
    CollObj& c = t.C(coll);
    if (c.state == 5) {
        const bool b11Moved = (b11.state == 0 || b11.state == 1) && t.common.backGate;
        GiveBackUsed(t, coll, b11.x + dx - (b11Moved ? b11.step : 0), b11.y - 106, driftBack, true);
    }
    if (b11.state == 1) b11.state = 2;
}

// The character's ends that a backward turn takes back (the character rule put it back into
// the state on this turn). The end opened the gates at the start of its forward turn, so the
// whole world moved on it and moves back now; the gates the state holds close last.
struct CharacterEnd {
    int32_t PageStamps::*stamp;
    int32_t state;
    bool allGates; // else the three gates
};
constexpr CharacterEnd kCharacterEnds[] = {
    {&PageStamps::carriedEnd, CharCarried, false},  {&PageStamps::state4End, CharFailedClimb, true},
    {&PageStamps::state3End, CharMount, true},      {&PageStamps::state9End, CharJump, false},
    {&PageStamps::state10End, CharDismount, false},
};

void CharacterEndsUndo(BackTurn& t) {
    for (const CharacterEnd& end : kCharacterEnds) {
        int32_t& stamp = t.L.stamps.*end.stamp;
        if (!TurnBefore(stamp, t.page) || t.L.charState != end.state) continue;
        stamp = kNoStamp;
        if (end.allGates)
            CloseAllGates(t.common);
        else
            CloseThreeGates(t.common);
    }
}

// The three gates as the turn that ended C0's, C1's or C24's sequence found them: shut while it
// held the world, unless the lift's end had opened them on the turn before.
void GiveSequenceEndGates(BackTurn& t, int coll) {
    const int32_t found = SequenceEndGates(t.L.values, coll);
    SetGates(t.common, (GateBits(t.common) & ~7) | (found & 7));
}

} // namespace

bool CharacterEndTakenBack(const LevelState& L, int32_t page) {
    for (const CharacterEnd& end : kCharacterEnds)
        if (TurnBefore(L.stamps.*end.stamp, page) && L.charState == end.state) return true;
    return false;
}

// The gates stand now as the collision phase left them for what comes after it. But an end of
// C0's, C1's or C24's sequence on the turn taken back opened them only when its own turn in the
// loop came: the objects before it found them shut, and did not drift (the gates stay open for
// the rest of this turn, so that what moved after it moves back, and close last).
bool CollGateFound(const BackTurn& t, int k) {
    for (int held : {0, 1, 24}) {
        const CollObj& c = t.L.colls[held];
        if (k < held && c.state == 2 && TurnBefore(c.pageStamp, t.page)) return false;
    }
    return t.common.collGate != 0;
}

void CStage_One::FirstUndoChecks() {
    BackTurn t = MakeBackTurn(*this);
    const int32_t page = t.page;
    LevelState& L = level;
    // What C14 took from the bag in a frame of this page goes back first: the item, loose since,
    // then sits out this turn's items' phase as it sat out the turn that led here.
    if (Now(L.stamps.bagLoss, page)) {
        L.stamps.bagLoss = kNoStamp;
        L.flags.bagLossDone = 0;
        UndoBagLoss();
    }
    // Item 0 set C4 going with the world in a frame of this page: it is back on its own before
    // this turn's collision phase, which moves it back only as the turn that led here moved it.
    CollObj& c4 = L.colls[4];
    if (Now(c4.pageStamp, page)) {
        c4.pageStamp = kNoStamp;
        c4.state = 1;
    }
    // A later step of B91 that found the world opened again moved it until B91 shut it: the turn
    // back gives the gates it found, before the sequences below shut what they held.
    const bool b91StepFoundOpen = B91StepFoundTheWorldOpen(L, page);
    if (b91StepFoundOpen) SetGates(t.common, L.values.b91StepGates);
    // C0, C1 and C24 are about to go back into their sequences: the objects before them did not
    // move on the turn that ended it, unless the lift's end had opened the world (their stamps
    // stay: the collision objects' state-3 rule takes that turn back and opens the gates again,
    // the second list gives back the ones it found).
    if (TurnBefore(L.colls[0].pageStamp, page)) GiveSequenceEndGates(t, 0);
    if (TurnBefore(L.colls[1].pageStamp, page)) GiveSequenceEndGates(t, 1);
    C1UsedAtItsEndUndo(t);
    if (TurnBefore(L.stamps.b93b94End, page)) { // the stamp is reset after the loop
        HoldAsTheLiftFoundIt(t);
        // C20 sat out that turn's collision phase loaded, the lift's end unloading it after: it is
        // loaded again before this turn's, which moves it back only if it had moved.
        if (L.colls[20].state == 3) L.colls[20].state = 2;
    }
    // C20's stamp is the page its load was put on, in a frame of that page: turning back over
    // the turn after it keeps it (B91 takes the whole load back only on the turn back from that
    // page). C20 may still hold the load then: the egg lay on the ground and rolled off before
    // B91 came to it, and C11's undo has just given it back.
    if (TurnBefore(L.colls[20].pageStamp, page)) {
        // The world moved on that turn until B91 stopped it, as far as the gates let it: not at
        // all while the hero lay lost, fell or blinked (its rewind has just shut them again).
        // Walking, they were open, and B91's shutting is taken back. B91 may not have taken the
        // load on that turn at all: then it shut nothing, and there is nothing to give back.
        if (TurnBefore(L.stamps.c20Taken, page)) SetGates(t.common, L.values.c20TakenGates);
        L.stamps.c20Taken = kNoStamp;
        L.values.c20TakenGates = 0;
    }
    // Later steps of B91 carrying a load began with the world shut by the step before: the turn
    // taken back held it still, whatever the character's turn back opened (a knock-down begun on
    // this page opens all the gates as it rewinds to walking).
    if (LoadHoldsTheWorld(L, page)) CloseAllGates(t.common);
    // So did the turns after B91's last step, while B93 or B94 lifts the load, until the lift
    // found the world opened again (B91's last step, which set the lift waiting, may have found
    // it so).
    if (Lifting(L) && !b91StepFoundOpen) HoldAsTheLiftFoundIt(t);
    if (TurnBefore(L.stamps.liftFoundOpen, page)) {
        L.stamps.liftFoundOpen = kNoStamp;
        L.values.liftGates = 0;
    }
    if (b91StepFoundOpen) {
        L.stamps.b91StepFoundOpen = kNoStamp;
        L.values.b91StepGates = 0;
    }
    B12EndUndo(t);
    B17EndUndo(t);
    B57EndUndo(t);
    Item5ExtraUndo(t);
    // After the flare's start is taken back, which opens the world as it stood at the end of that
    // turn: C24's end opened it only when its own turn in the loop came.
    if (TurnBefore(L.colls[24].pageStamp, page)) GiveSequenceEndGates(t, 24);
    C5WakeCheck();
    B16ReleaseUndo(t);
    B16FollowUndo(t);
    if (Now(L.stamps.c7PathEnd, page)) {
        if (L.colls[7].state == 5) L.colls[7].state = 2;
        L.stamps.c7PathEnd = kNoStamp;
    }
    C9UseUndo(t);
    c9LeavingTakenBack = C9LeavingUndo(t, false);
    C11UseUndo(t);
    C12UseUndo(t);
    C17EndUndo(t);
    // C19 parked on its last frame: the collision objects' parked rule takes that turn back
    // whole (state 1, the frame before, its place); waiting here would skip the frame.
}

// B4's path ended on the turn before: B4 swings again, C5 and item 7 go back out of play.
void CStage_One::B4EndCheck() {
    BackTurn t = MakeBackTurn(*this);
    if (!TurnBefore(level.stamps.b4End, t.page)) return;
    level.stamps.b4End = kNoStamp;
    if (t.B(4).state == 2) t.B(4).state = 1;
    CollObj& c5 = t.C(5);
    TearObj& i7 = t.I(7);
    // The showing started C5's blink at its first frame (and it may have blinked once since,
    // on or off the page): it goes back to waiting there.
    if (c5.state == 0 || c5.state == 1) {
        c5.state = 6;
        c5.frame = 0;
    }
    if (i7.state == ItemLoose || i7.state == ItemVisible) i7.state = ItemNotInPlay;
}

void CStage_One::SecondUndoChecks() {
    BackTurn t = MakeBackTurn(*this);
    const int32_t page = t.page;
    LevelState& L = level;
    C6AssemblyUndo(t); // with the world standing still (B14's own rule did not run)
    LiftEndUndo(t);
    StateBackAfter(t, &PageStamps::b56End, 56, 4, 1);
    StateBackAfter(t, &PageStamps::b59End, 59, 4, 1);
    ClearDoneFlags(t);
    B31EndUndo(t);
    // C13, C10, C14 or C15 used up in a frame of this page: the background object shown there
    // is hidden again by its own backward rule when the world moves; while the world held still
    // that rule did not run, so it is hidden here (B29 before C13, given back, may go back into
    // item 14).
    const struct {
        int32_t PageStamps::*stamp;
        int back;
        void (*hide)(BackTurn&, BackObj&);
    } kReveals[] = {{&PageStamps::c13Used, 29, HideB29AtItsStart},
                    {&PageStamps::c10Used, 31, HideB31AtItsStart},
                    {&PageStamps::c14Used, 56, HideB56AtItsStart},
                    {&PageStamps::c15Used, 59, HideB59AtItsStart}};
    for (const auto& r : kReveals) {
        if (!Now(L.stamps.*r.stamp, page)) continue;
        L.stamps.*r.stamp = kNoStamp;
        if (L.backs[r.back].state == 1) r.hide(t, L.backs[r.back]);
    }
    Item14PlaceUndo(t);
    Item11PlaceUndo(t);
    if (TurnBefore(L.stamps.b27End, page)) {
        L.stamps.b27End = kNoStamp;
        L.flags.b27Done = 0;
    }
    // C7 or C8 set B16 going on the turn before. B16's own backward rule takes that back when the
    // world moves; while it stood still (the lantern's flare holding it, say) that rule did not
    // run, and B16 would be hidden again a turn late, after the turn that led C7 in was taken back.
    if (TurnBefore(L.stamps.b16SetGoing, page)) {
        L.stamps.b16SetGoing = kNoStamp;
        if (L.flags.b16Released) B16SetGoingUndo(t, L.backs[16]);
    }
    // Item 13 turned into B27 on the turn before. B27's own backward rule gives the item back
    // when the world moves; while only the put-down items' gate was open (the world held still)
    // that rule did not run, so the item is given back here.
    if (TurnBefore(L.stamps.b27Shown, page)) {
        L.stamps.b27Shown = kNoStamp;
        BackObj& b27 = L.backs[27];
        TearObj& i13 = t.I(13);
        if (b27.state != 2 && i13.state == ItemUsedUp) {
            b27.state = 2;
            L.counters.b27Count = 0;
            i13.state = ItemPlaced;
            i13.x = b27.x + 34;
            i13.y = b27.y + 298;
        }
    }
    B25HidesUndo(t);
    C12ReachedUndo(t);
    C11HandOverUndo(t);
    C10ThrowUndo(t);
    StateBackAfter(t, &PageStamps::b22End, 22, 5, 1);
    C1UseUndo(t);
    C1TakesItem2Undo(t);
    if (Now(L.stamps.c2Marked, page)) {
        L.stamps.c2Marked = kNoStamp;
        L.colls[2].frame = 0;
    }
    if (Now(L.stamps.item7Met, page)) {
        L.stamps.item7Met = kNoStamp;
        if (t.bag.item7Frame == 1) t.bag.item7Frame = 0;
    }
    if (Now(L.stamps.item13Met, page)) {
        L.stamps.item13Met = kNoStamp;
        t.bag.item13Frame = 0;
    }
    C5UseUndo(t, L.stamps.c5Used, L.colls[5], L.back11Copies[0]);
    B11UseUndo(t, L.stamps.c7Used, 7, -74, 1);
    for (const CopyUse& u : kCopyUses) {
        CollObj& c = L.colls[u.coll];
        CopyUseUndo(t, c.pageStamp, c, L.back11Copies[u.copy], u);
    }
    B11UseUndo(t, L.stamps.c8Used, 8, -50, -1);
    struct PictureLoop {
        int slot;
        int32_t LevelCounters::*frame;
        int32_t frames;
    };
    for (const PictureLoop& p : {PictureLoop{13, &LevelCounters::b13Frame, 3},
                                 PictureLoop{18, &LevelCounters::b18Frame, 3},
                                 PictureLoop{58, &LevelCounters::b58Frame, 4}}) {
        const BackObj& b = L.backs[p.slot];
        if (ShownWhenTurned(b.state, b.x, b.dw, t.common.backGate ? b.step : 0) == 1)
            CycleDown(L.counters.*p.frame, p.frames);
    }
    if (Now(L.stamps.item11Zone, page)) {
        L.stamps.item11Zone = kNoStamp;
        L.flags.pitCovered = 0;
    }
    if (Now(L.stamps.c19Hit, page)) {
        L.stamps.c19Hit = kNoStamp;
        L.flags.c19Hit = 0;
    }
    // B23's throw taken back: C10 waits again where the world had carried it, a step back (it
    // drifted on that turn before the throw), whatever its path's first step back made of it
    // (the rule there makes it done when C9 has a picture other than its first).
    if (TurnBefore(L.stamps.c10Thrown, page)) {
        L.stamps.c10Thrown = kNoStamp;
        CollObj& c10 = L.colls[10];
        if (c10.frame == 0 && (c10.state == 1 || c10.state == 5 || c10.state == 6)) {
            c10.state = 6;
            c10.x = L.values.c10WaitX + c10.step;
            c10.y = L.values.c10WaitY;
        }
        L.values.c10WaitX = L.values.c10WaitY = 0;
    }
    CollObj& c5 = L.colls[5];
    const TearObj& i7 = t.I(7);
    if (ShownWhenTurned(i7.state, i7.x, i7.dw, t.common.itemGate ? i7.step : 0) == ItemVisible &&
        ShownWhenTurned(c5.state, c5.x, c5.dw, t.common.collGate ? c5.step : 0) == 1)
        c5.frame = c5.frame <= 0 ? 1 : c5.frame - 1;
    // Only while the world moves: C9 left on a backward turn stays put while the world stands still
    // (B21 and B24 count the turns the world moved away from it), and a forward turn crossing it
    // then does not take it back either.
    if (!c9LeavingTakenBack && backgroundsMoved) C9LeavesCheck(t, false);
    c9LeavingTakenBack = false;
    CharacterEndsUndo(t);
    // Back inside the sequences of C0, C1 and C24 whose ends were taken back: the gates they hold,
    // as the turn that ended it found them (open only when the lift's end had opened them).
    for (int k : {0, 1, 24}) {
        CollObj& c = L.colls[k];
        if (!TurnBefore(c.pageStamp, page) || c.state != 2) continue;
        c.pageStamp = kNoStamp;
        GiveSequenceEndGates(t, k);
        SequenceEndGates(L.values, k) = 0;
    }
    // The lost animation, the landing's blinks or the lever rewound to the first picture: the
    // world stood still on the turn taken back and on this one, and now rests with the gates it
    // had there (the troll's knock-down leaves them open; C4 starting the lever shuts three, or
    // all four when another rule in that frame shut them), last, over whatever this turn shut.
    if (lostGatesToGiveBack >= 0) SetGates(t.common, lostGatesToGiveBack);
    lostGatesToGiveBack = -1;
}
