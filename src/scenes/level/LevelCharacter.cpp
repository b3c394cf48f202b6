// The character's state machine: one step per page turn, forward and backward. The rules of the
// playing frame send the character into most special states; these steps play them out and
// lead it back to walking, and a backward turn runs each step's inverse.
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"
#include <cstddef>

namespace {

// --- Keyframes ---

struct CarriedKey {
    int32_t frame, x, y;
    enum Back1 { None, Hide, Show, Attach } back1; // what B1 (the carrier's grip) does
    int32_t back1Image;
};
// The carried path, by carry step: the character's frame and place, and B1.
constexpr CarriedKey kCarriedPath[] = {
    {0, 79, 424, CarriedKey::None, 0},    {1, 79, 448, CarriedKey::None, 0},
    {2, 87, 205, CarriedKey::Hide, 0},    {3, 138, 118, CarriedKey::Show, 0},
    {4, 229, 157, CarriedKey::Attach, 1}, {0, 264, 226, CarriedKey::Attach, 2},
    {1, 264, 226, CarriedKey::Attach, 2}, {2, 392, 134, CarriedKey::Attach, 1},
    {3, 490, 212, CarriedKey::Show, 0},   {4, 520, 330, CarriedKey::Hide, 0},
};
constexpr int kCarrySteps = 9; // the last step of the path

constexpr POINT kState3Path[] = {{126, 334}, {168, 237}, {200, 193}, {212, 203}, {212, 203}};
constexpr POINT kState4Path[] = {{124, 339}, {168, 275}, {182, 309}, {124, 366}, {87, 364}};
constexpr POINT kState9Path[] = {{75, 205}, {173, 148}, {294, 120}, {443, 140}, {531, 205}};

template <size_t N> void ApplyPath(const POINT (&path)[N], CharObj& c, int32_t n) {
    if (n < 0 || n >= static_cast<int32_t>(N)) return; // outside the table: stays put
    c.x = path[n].x;
    c.y = path[n].y;
}

// Where the walker stands when it walks again after a special state.
constexpr POINT kWalkStart{75, 450};
constexpr POINT kHeadAtWalkStart{109, 395};
constexpr POINT kWalkAfterCarry{555, 450};
constexpr POINT kHeadOnWalker{34, -55}; // the head's place on the walker
constexpr POINT kHeadAfterCarry{589, 395};
constexpr int32_t kWalkerHome = 75; // the walker steps back left to here
constexpr int32_t kStep = 20;       // pixels per page of the walk-backs and falls

struct Turn {
    CStage_One& s;
    LevelState& level;
    CCommon& common;
    InventoryBag& bag;
    int32_t page; // the page before this turn's change

    CharObj& Char(int k) { return level.chars[k]; }
    CharObj& Walker() { return level.chars[CharWalk]; }
    void PlaceWalker(POINT at, POINT head) {
        Walker().x = at.x;
        Walker().y = at.y;
        level.head.x = head.x;
        level.head.y = head.y;
    }
    // The dismount's end takes the walker from where it waited while the hero rode.
    void UnparkWalker(POINT at, POINT head) {
        LevelValues& v = level.values;
        v.walkerParkedX = Walker().x;
        v.walkerParkedY = Walker().y;
        v.headParkedX = level.head.x;
        v.headParkedY = level.head.y;
        PlaceWalker(at, head);
    }
    void ParkWalker() {
        const LevelValues& v = level.values;
        PlaceWalker(POINT{v.walkerParkedX, v.walkerParkedY}, POINT{v.headParkedX, v.headParkedY});
    }
    void ShiftWalker(int32_t dx) {
        Walker().x += dx;
        level.head.x += dx;
    }
    bool FrameBelowLast(int k) { return Char(k).frame < Char(k).frames - 1; }
};

// --- Walking (0) ---

void WalkingForward(Turn& t) {
    t.s.WalkForward();
    CharObj& walker = t.Walker();
    // After the carried path and after the dismount the walker strolls back left to its home.
    if (t.Char(CharDismount).frame == 0 && t.Char(CharCarried).AtLastFrame() &&
        walker.x > kWalkerHome) {
        t.ShiftWalker(-kStep);
        t.level.stamps.walkLeftA = t.page;
    }
    if (t.level.counters.b12Count == 0 && t.Char(CharDismount).AtLastFrame() &&
        walker.x > kWalkerHome) {
        t.ShiftWalker(-kStep);
        t.level.stamps.walkLeftB = t.page;
    }
}

void WalkingBackward(Turn& t) {
    t.s.WalkBackward();
    PageStamps& stamps = t.level.stamps;
    const bool carriedBack = t.page == stamps.carriedEnd + 1;
    const bool failedClimbBack = t.page == stamps.state4End + 1;
    const bool dismountBack = t.page == stamps.state10End + 1;
    if (carriedBack) {
        // Back on the carried path's last step. The walker waits, not drawn, where the path's
        // undo gives it back; its place after the path no longer holds.
        t.level.charState = CharCarried;
        t.PlaceWalker(kWalkStart, kHeadAtWalkStart);
    }
    if (failedClimbBack) t.level.charState = CharFailedClimb;
    if (dismountBack) {
        t.level.flags.viaState10 = 1;
        t.level.backs[3].state = 2;
        t.level.charState = CharDismount;
        t.ParkWalker();
    }
    t.s.WalkBackRules();
}

// --- One-shot lost states (1, 13..16) ---

// Forward: the animation plays to its end and the world stands still.
void LostForward(Turn& t) {
    const int k = t.level.charState;
    if (t.FrameBelowLast(k)) {
        if (t.Char(k).frame == 0) t.level.values.lostFirstGates = GateBits(t.common);
        CloseAllGates(t.common);
        ++t.Char(k).frame;
    }
}

// Backward: the animation plays back; true when it was already at its first frame.
bool LostRewind(Turn& t) {
    CharObj& c = t.Char(t.level.charState);
    if (c.frame >= 1) {
        CloseAllGates(t.common);
        --c.frame;
        if (c.frame == 0) { // the world stands still on this turn too: they come back at its end
            t.s.lostGatesToGiveBack = t.level.values.lostFirstGates;
            t.level.values.lostFirstGates = 0;
        }
        return false;
    }
    return true;
}

void KnockedDownBackward(Turn& t) {
    if (!LostRewind(t)) return;
    const int32_t walkingGates = t.level.values.knockDownGates;
    t.level.values.knockDownGates = kAllGateBits;
    CharObj& dismount = t.Char(CharDismount);
    BackObj& dropped = t.level.backs[3];
    const bool dismountBack = t.page == t.level.stamps.state10End + 1;
    if (dismountBack) {
        // Knocked down just after the dismount's end: the turn back over that end takes back its
        // walking step and its clearing of viaState10 as well, as the walking turn back does.
        OpenAllGates(t.common);
        t.s.WalkBackward();
        t.level.flags.viaState10 = 1;
        if (dropped.state == 1) dropped.state = 2;
        dismount.frame = dismount.frames > 0 ? dismount.frames - 1 : 0;
        t.level.charState = CharDismount;
        t.ParkWalker();
    } else if (t.level.flags.viaState10 && dismount.frame > 1) {
        t.common.placedGate = 1;
        if (dropped.state == 1) dropped.state = 2;
        --dismount.frame;
        t.level.charState = CharDismount;
    } else {
        // Back to walking, with the gates the walk had, and the walking turn from the page
        // before is taken back as walking takes it back: knocked down just after the carried
        // path (or the failed climb), the walker goes back onto it.
        SetGates(t.common, walkingGates);
        t.level.charState = CharWalk;
        WalkingBackward(t);
        return;
    }
    t.s.WalkBackRules();
}

void BackToWalkingBackward(Turn& t) {
    if (!LostRewind(t)) return;
    OpenAllGates(t.common);
    t.level.charState = CharWalk;
    WalkingBackward(t); // as for the knock-down
}

void FlyBackward(Turn& t);
void RideBackward(Turn& t);
void DismountBackward(Turn& t);

void RunRule(CStage_One& s, bool forward);

void CaughtBackward(Turn& t) {
    if (!LostRewind(t)) return;
    OpenAllGates(t.common);
    BackObj& catcher = t.level.backs[25];
    if (catcher.state == 7) {
        catcher.state = 4;
        catcher.x = t.Char(CharCaught).x - 20;
        catcher.y = t.Char(CharCaught).y - 30;
        // B25 took the hero from under it (hidden), flying past it, or in whatever state it was
        // in; the turn it was taken on also made a step of that state (the flight's, the ride's,
        // the walk's), taken back too. Not a lost state's: at its last picture that step changed
        // nothing, and the picture it lies at cannot tell.
        const int32_t from = t.level.values.caughtFrom;
        t.level.charState = from;
        t.level.values.caughtFrom = CharHidden;
        if (!IsLostState(from)) RunRule(t.s, false);
    }
}

// --- Carried along a path (2) ---

void CarriedForward(Turn& t) {
    int32_t& step = t.level.counters.carryStep;
    if (step < kCarrySteps) {
        CloseThreeGates(t.common);
        ++step;
        t.s.ApplyCarriedKeyframe(step);
        return;
    }
    t.level.charState = CharWalk;
    t.level.stamps.carriedEnd = t.page;
    t.s.WalkForward();
    t.PlaceWalker(kWalkAfterCarry, kHeadAfterCarry);
    OpenThreeGates(t.common);
}

void CarriedBackward(Turn& t) {
    int32_t& step = t.level.counters.carryStep;
    if (step > 0) {
        CloseThreeGates(t.common);
        --step;
        t.s.ApplyCarriedKeyframe(step);
        return;
    }
    // Back over the sail's pick-up: the walking turn that led here moved the whole world. The
    // put-down items' gate is open while the sail carries the hero, unless a knock-down in the
    // same frame shut it first; it opens with the other three.
    t.level.charState = CharWalk;
    t.level.stamps.carriedEnd = kNoStamp;
    t.s.WalkBackward();
    t.PlaceWalker(kWalkStart, kHeadAtWalkStart);
    OpenAllGates(t.common);
}

// --- Climbing onto the mount (3) and the failed climb (4) ---

void MountForward(Turn& t) {
    CharObj& c = t.Char(CharMount);
    if (t.FrameBelowLast(CharMount)) {
        ++c.frame;
        t.s.ApplyState3Keyframe();
        CloseAllGates(t.common);
        return;
    }
    t.level.colls[1].state = 5;
    t.level.charState = CharRide;
    t.level.stamps.state3End = t.page;
    StepCyclicForward(t.Char(CharRide).frame, t.Char(CharRide).frames);
    OpenAllGates(t.common);
}

void MountBackward(Turn& t) {
    CharObj& c = t.Char(CharMount);
    if (c.frame >= 1) {
        CloseAllGates(t.common);
        --c.frame;
        t.s.ApplyState3Keyframe();
        return;
    }
    // The head sits where it sits on the walker everywhere else (34, -55 from it), which is
    // where it was when the climb began.
    const POINT walker{c.x - 51, c.y + 116};
    t.PlaceWalker(walker, POINT{walker.x + kHeadOnWalker.x, walker.y + kHeadOnWalker.y});
    t.level.charState = CharWalk;
    t.level.stamps.state3End = kNoStamp;
    t.s.WalkBackward();
    OpenAllGates(t.common);
}

void FailedClimbForward(Turn& t) {
    if (t.FrameBelowLast(CharFailedClimb)) {
        ++t.Char(CharFailedClimb).frame;
        t.s.ApplyState4Keyframe();
        CloseAllGates(t.common);
        return;
    }
    t.level.charState = CharWalk;
    t.level.stamps.state4End = t.page;
    t.s.WalkForward();
    OpenAllGates(t.common);
}

void FailedClimbBackward(Turn& t) {
    CharObj& c = t.Char(CharFailedClimb);
    if (c.frame >= 1) {
        CloseAllGates(t.common);
        --c.frame;
        t.s.ApplyState4Keyframe();
        return;
    }
    t.level.charState = CharWalk;
    t.level.stamps.state4End = kNoStamp;
    t.s.WalkBackward();
    OpenAllGates(t.common);
}

// --- Riding (5) ---

void RideForward(Turn& t) {
    CharObj& rider = t.Char(CharRide);
    StepCyclicForward(rider.frame, rider.frames);
    // After the climb and after the jump the rider drifts back left.
    if (t.Char(CharJump).frame == 0 && t.Char(CharMount).AtLastFrame() && rider.x > kWalkerHome) {
        rider.x -= kStep;
        t.level.stamps.driftLeftA = t.page;
    }
    if (t.Char(CharJump).AtLastFrame() && rider.x > kWalkerHome) {
        rider.x -= kStep;
        t.level.stamps.driftLeftB = t.page;
    }
}

void RideBackward(Turn& t) {
    CharObj& rider = t.Char(CharRide);
    StepCyclicBackward(rider.frame, rider.frames);
    const bool mountBack = t.page == t.level.stamps.state3End + 1;
    const bool jumpBack = t.page == t.level.stamps.state9End + 1;
    if (mountBack) {
        // The climb's end parked C1; it waits done again, unless item 0 had used it up before.
        CollObj& mount = t.level.colls[1];
        if (t.level.stamps.c1Used == kNoStamp) {
            mount.state = 3;
            mount.x -= mount.step;
        }
        t.level.charState = CharMount;
    }
    if (jumpBack) {
        t.level.flags.viaState9 = 1;
        t.level.charState = CharJump;
    }
    t.s.DriftBackRules();
}

// --- Falling (6) and landed, blinking (7) ---

void FallForward(Turn& t) {
    CharObj& c = t.Char(CharFall);
    if (c.y < 530 - 2 * c.h) {
        CloseAllGates(t.common);
        c.y += kStep;
        return;
    }
    t.level.charState = CharBlink;
    t.Char(CharBlink).x = c.x + 38;
    t.Char(CharBlink).y = c.y + 106;
}

void FallBackward(Turn& t) {
    if (t.level.stamps.fallStart < t.page) {
        CloseAllGates(t.common);
        t.Char(CharFall).y -= kStep;
        return;
    }
    int32_t& step = t.level.counters.carryStep;
    if (step > 0) --step; // a fall from the first step goes back to that step
    t.s.ApplyCarriedKeyframe(step);
    // The path holds three gates; the put-down items' gate as the fall found it.
    t.common.placedGate = (t.level.values.fallStartGates & 8) ? 1 : 0;
    t.level.values.fallStartGates = kAllGateBits;
    t.level.charState = CharCarried;
    t.level.stamps.fallStart = kNoStamp; // back before the fall began
}

void ToggleBlink(CharObj& c) {
    c.frame = c.frame == 0 ? 1 : 0;
}

void BlinkForward(Turn& t) {
    int32_t& blinks = t.level.counters.blinkCount;
    if (blinks <= 2) {
        if (blinks == 0) t.level.values.blinkFirstGates = GateBits(t.common);
        CloseAllGates(t.common);
        ToggleBlink(t.Char(CharBlink));
        ++blinks;
    }
}

void BlinkBackward(Turn& t) {
    int32_t& blinks = t.level.counters.blinkCount;
    if (blinks >= 1) {
        CloseAllGates(t.common);
        ToggleBlink(t.Char(CharBlink));
        if (--blinks == 0) { // the world stands still on this turn too: they come back at its end
            t.s.lostGatesToGiveBack = t.level.values.blinkFirstGates;
            t.level.values.blinkFirstGates = 0;
        }
        return;
    }
    // Landing did not touch the blink frame, so going back up leaves it as it is.
    t.level.charState = CharFall;
}

// --- Thrown off the mount (8) ---

void ThrownForward(Turn& t) {
    if (t.FrameBelowLast(CharThrown)) ++t.Char(CharThrown).frame;
}

void ThrownBackward(Turn& t) {
    CharObj& c = t.Char(CharThrown);
    if (c.frame >= 1) {
        CloseAllGates(t.common);
        --c.frame;
        return;
    }
    CharObj& jump = t.Char(CharJump);
    CharObj& dismount = t.Char(CharDismount);
    const bool jumpBack = t.page == t.level.stamps.state9End + 1;
    if (jumpBack) {
        // Thrown on the page the jump ended: the riding turn that led here is taken back as riding
        // takes it back over the jump's end (the rider's picture a step back, the jump again).
        OpenAllGates(t.common);
        t.level.charState = CharRide;
        RideBackward(t);
        t.s.ApplyState9Keyframe();
        return;
    } else if (!t.level.flags.viaState10 || dismount.frame > 1) {
        if (t.level.flags.viaState9) {
            t.common.placedGate = 1;
            StepCyclicBackward(jump.frame, jump.frames);
            t.s.ApplyState9Keyframe();
            t.level.charState = CharJump;
        } else {
            // Back to riding, and the riding turn that led here is taken back as riding takes it
            // back (it may have ended the climb onto the mount).
            OpenAllGates(t.common);
            t.level.charState = CharRide;
            RideBackward(t);
            return;
        }
    } else if (dismount.frame == 0) {
        // Thrown at the dismount's first picture: the dismount began on this very page, and the
        // turn that led here was a riding one. Turning back takes both back, as the dismount's own
        // turn back from its first picture does; the throw shut the put-down items' gate too.
        t.common.placedGate = 1;
        t.level.charState = CharDismount;
        DismountBackward(t);
        return;
    } else {
        t.common.placedGate = 1;
        StepCyclicBackward(dismount.frame, dismount.frames);
        t.level.charState = CharDismount;
    }
    t.s.DriftBackRules();
}

// --- The jump (9) and the dismount (10) ---

void JumpForward(Turn& t) {
    CharObj& jump = t.Char(CharJump);
    if (t.FrameBelowLast(CharJump)) {
        ++jump.frame;
        t.s.ApplyState9Keyframe();
        CloseThreeGates(t.common);
        return;
    }
    t.level.flags.viaState9 = 0;
    t.level.charState = CharRide;
    t.level.stamps.state9End = t.page;
    CharObj& rider = t.Char(CharRide);
    StepCyclicForward(rider.frame, rider.frames);
    rider.x = jump.x - 1;
    rider.y = jump.y + 27;
    OpenThreeGates(t.common);
}

void JumpBackward(Turn& t) {
    CharObj& jump = t.Char(CharJump);
    if (jump.frame > 0) {
        CloseThreeGates(t.common);
        --jump.frame;
        t.s.ApplyState9Keyframe();
        return;
    }
    t.level.flags.viaState9 = 0;
    t.level.charState = CharRide;
    t.level.stamps.state9End = kNoStamp;
    CharObj& rider = t.Char(CharRide);
    StepCyclicBackward(rider.frame, rider.frames);
    rider.x = jump.x;
    rider.y = jump.y + 27;
    OpenThreeGates(t.common);
}

void DismountForward(Turn& t) {
    CharObj& c = t.Char(CharDismount);
    if (t.FrameBelowLast(CharDismount)) {
        ++c.frame;
        CloseThreeGates(t.common);
        return;
    }
    t.level.flags.viaState10 = 0;
    t.level.charState = CharWalk;
    BackObj& dropped = t.level.backs[3]; // what the hero leaves behind on dismounting
    dropped.state = 1;
    dropped.x = c.x + 7;
    dropped.y = c.y + 169;
    t.level.stamps.state10End = t.page;
    t.s.WalkForward();
    t.UnparkWalker(POINT{c.x + 265, c.y + 214}, POINT{c.x + 299, c.y + 159});
    OpenThreeGates(t.common);
}

void DismountBackward(Turn& t) {
    CharObj& c = t.Char(CharDismount);
    if (c.frame > 0) {
        // The jump's record is not in use here: it keeps the place it ended on.
        CloseThreeGates(t.common);
        --c.frame;
        return;
    }
    t.level.flags.viaState10 = 0;
    t.level.charState = CharRide;
    t.level.stamps.state10End = kNoStamp;
    CharObj& rider = t.Char(CharRide);
    StepCyclicBackward(rider.frame, rider.frames);
    rider.x = c.x;
    rider.y = c.y - 4;
    OpenThreeGates(t.common);
}

// --- The lever (11) ---

void LeverForward(Turn& t) {
    if (t.level.flags.state11Done) return;
    CharObj& c = t.Char(CharLever);
    if (!t.FrameBelowLast(CharLever)) {
        t.level.stamps.state11End = t.page;
        t.level.flags.state11Done = 1;
        return; // background object 12's sequence leads the walker on
    }
    if (c.frame == 0) t.level.values.leverFirstGates = GateBits(t.common);
    CloseAllGates(t.common);
    ++c.frame;
    CollObj& lever = t.level.colls[4];
    if (c.frame == 3) lever.frame = 1;
    if (c.frame == 4) {
        BackObj& lift = t.level.backs[12];
        lift.x = lever.x + 90;
        lift.y = lever.y - 196;
        lift.state = 4;
    }
}

void LeverBackward(Turn& t) {
    if (t.level.flags.state11Done) return;
    CharObj& c = t.Char(CharLever);
    if (c.frame >= 1) {
        CloseAllGates(t.common);
        if (c.frame == 4) t.level.backs[12].state = 2;
        if (c.frame == 3) t.level.colls[4].frame = 0;
        --c.frame;
        if (c.frame == 0) { // the gates come back at the turn's end, as for the lost states
            t.s.lostGatesToGiveBack = t.level.values.leverFirstGates;
            t.level.values.leverFirstGates = 0;
        }
        return;
    }
    t.level.charState = CharWalk;
    t.level.stamps.state11End = kNoStamp;
    t.s.WalkBackward();
    OpenAllGates(t.common);
}

// --- Flying away (12) ---

void FlyForward(Turn& t) {
    CharObj& c = t.Char(CharFly);
    c.x += 9;
    c.y -= 12;
}

void FlyBackward(Turn& t) {
    CharObj& c = t.Char(CharFly);
    PageStamps& stamps = t.level.stamps;
    // The flight began in a frame of the fly-start page, after the turn that led there: every turn
    // back from a later page takes back one step of the flight, and the turn back from that page
    // takes back its start with the walking turn that led there, as walking takes it back (that
    // turn may have ended the failed climb, say).
    if (stamps.flyStart < t.page) {
        c.x -= 9;
        c.y += 12;
    } else {
        // A knock-down in the same frame (the pine cone, say) shut the gates before the balloon
        // took over, and the world stood still for the whole flight. The walking turn that led
        // here moved it all the same: open the gates, as the knock-down's own turn back does
        // (what held the world on that turn shuts them again later in the turn back).
        OpenAllGates(t.common);
        stamps.flyStart = kNoStamp;
        t.level.charState = CharWalk;
        // The walker waited where the balloon took the hero, not always at its start: after the
        // dismount or the carried path it may have been strolling back left.
        t.bag.items[7].state = ItemPlaced;
        WalkingBackward(t);
    }
    if (stamps.flyFrame == t.page) {
        OpenAllGates(t.common);
        stamps.flyFrame = kNoStamp;
        if (c.frame == 1) c.frame = 0;
    }
}

struct StateRule {
    void (*forward)(Turn&);
    void (*backward)(Turn&);
};
// By character state 0..16.
constexpr StateRule kStateRules[] = {
    {WalkingForward, WalkingBackward},         // 0 walking
    {LostForward, KnockedDownBackward},        // 1 knocked down
    {CarriedForward, CarriedBackward},         // 2 carried
    {MountForward, MountBackward},             // 3 climbing onto the mount
    {FailedClimbForward, FailedClimbBackward}, // 4 failed climb
    {RideForward, RideBackward},               // 5 riding
    {FallForward, FallBackward},               // 6 falling
    {BlinkForward, BlinkBackward},             // 7 landed, blinking
    {ThrownForward, ThrownBackward},           // 8 thrown off
    {JumpForward, JumpBackward},               // 9 jump
    {DismountForward, DismountBackward},       // 10 dismount
    {LeverForward, LeverBackward},             // 11 lever
    {FlyForward, FlyBackward},                 // 12 flying away
    {LostForward, BackToWalkingBackward},      // 13 into the pit
    {LostForward, CaughtBackward},             // 14 caught
    {LostForward, BackToWalkingBackward},      // 15 slipped
    {LostForward, BackToWalkingBackward},      // 16 swept away
};
constexpr int kRuledStates = sizeof kStateRules / sizeof kStateRules[0];

void RunRule(CStage_One& s, bool forward) {
    Turn t{s, s.level, CCommon::Instance(), InventoryBag::Instance(), CCommon::Instance().page};
    const int32_t state = s.level.charState;
    if (state < 0 || state >= kRuledStates) return; // hidden (20): nothing
    const StateRule& rule = kStateRules[state];
    (forward ? rule.forward : rule.backward)(t);
}

} // namespace

void CStage_One::WalkingTurnBack() {
    Turn t{*this, level, CCommon::Instance(), InventoryBag::Instance(), CCommon::Instance().page};
    WalkingBackward(t);
}

void CStage_One::CharacterForward() {
    RunRule(*this, true);
}

void CStage_One::CharacterBackward() {
    // C14 showed its loss on the head in a frame of this page, after the turn that led here:
    // that comes back first, before the walk's wrap is taken back.
    TakeHeadChangeBack(level, CCommon::Instance().page, false);
    // The flight began in a frame of this page, but a later rule of that frame (the climb onto
    // the mount) took the character over: item 7, used up by the flight's start, comes back all
    // the same, as the flight's own turn back gives it back.
    PageStamps& stamps = level.stamps;
    if (level.charState != CharFly && stamps.flyStart == CCommon::Instance().page) {
        stamps.flyStart = kNoStamp;
        TearObj& i7 = InventoryBag::Instance().items[7];
        if (i7.state == ItemUsedUp) i7.state = ItemPlaced;
    }
    RunRule(*this, false);
}

void CStage_One::ApplyCarriedKeyframe(int32_t step) {
    if (step < 0 || step > kCarrySteps) return;
    const CarriedKey& key = kCarriedPath[step];
    CharObj& c = level.chars[CharCarried];
    c.frame = key.frame < c.frames ? key.frame : (c.frames > 0 ? c.frames - 1 : 0);
    c.x = key.x;
    c.y = key.y;
    BackObj& grip = level.backs[1];
    if (key.back1 == CarriedKey::Hide && grip.state == 1) grip.state = 2;
    if (key.back1 == CarriedKey::Show && grip.state == 2) grip.state = 1;
    if (key.back1 == CarriedKey::Show || key.back1 == CarriedKey::Attach) {
        const CollObj& carrier = level.colls[0];
        grip.x = carrier.x + 104;
        grip.y = carrier.y + 126;
        level.counters.b1Image = key.back1Image;
    }
}

void CStage_One::ApplyState3Keyframe() {
    CharObj& c = level.chars[CharMount];
    ApplyPath(kState3Path, c, c.frame);
}

void CStage_One::ApplyState4Keyframe() {
    CharObj& c = level.chars[CharFailedClimb];
    ApplyPath(kState4Path, c, c.frame);
}

void CStage_One::ApplyState9Keyframe() {
    CharObj& c = level.chars[CharJump];
    ApplyPath(kState9Path, c, c.frame);
}

void CStage_One::WalkForward() {
    CharObj& walker = level.chars[CharWalk];
    StepCyclicForward(walker.frame, walker.frames);
    if (walker.frame != 0) return;
    if (level.headIndex != 0) RecordHeadChange(level, CCommon::Instance().page, true);
    level.headIndex = 0;
}

void CStage_One::WalkBackward() {
    CharObj& walker = level.chars[CharWalk];
    const bool wraps = walker.frame == 0;
    StepCyclicBackward(walker.frame, walker.frames);
    if (!wraps) return;
    // The wrap taken back gives back the picture it cleared.
    if (!TakeHeadChangeBack(level, CCommon::Instance().page - 1, true)) level.headIndex = 0;
}

void CStage_One::WalkBackRules() {
    CharObj& walker = level.chars[CharWalk];
    const PageStamps& stamps = level.stamps;
    const int32_t page = CCommon::Instance().page;
    const CharObj& carried = level.chars[CharCarried];
    const CharObj& dismount = level.chars[CharDismount];
    // Each rule takes back a step left made on the turn from page - 1, and such steps are made
    // only on turns after the one that ended the path (or the dismount), not on that turn itself.
    if (dismount.frame == 0 && carried.AtLastFrame() && stamps.walkLeftA >= page - 1 &&
        page - 1 > stamps.carriedEnd) {
        walker.x += kStep;
        level.head.x += kStep;
    }
    if (level.counters.b12Count == 0 && dismount.AtLastFrame() && stamps.walkLeftB >= page - 1 &&
        page - 1 > stamps.state10End) {
        walker.x += kStep;
        level.head.x += kStep;
    }
}

void CStage_One::DriftBackRules() {
    CharObj& rider = level.chars[CharRide];
    const PageStamps& stamps = level.stamps;
    const int32_t page = CCommon::Instance().page;
    const CharObj& jump = level.chars[CharJump];
    // As the walk-back rules: only steps made on turns after the mount's or the jump's end.
    if (jump.frame == 0 && level.chars[CharMount].AtLastFrame() && stamps.driftLeftA >= page - 1 &&
        page - 1 > stamps.state3End && rider.x < 155)
        rider.x += kStep;
    if (jump.AtLastFrame() && stamps.driftLeftB >= page - 1 && page - 1 > stamps.state9End &&
        rider.x < 531)
        rider.x += kStep;
}
