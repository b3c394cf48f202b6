// The background objects' own rules in states 0 and 1 (scenery in or out of view), one small
// function per direction, picked by slot from a table. Objects without a rule just scroll.
#include "scenes/level/LevelBackgroundRules.h"
#include <algorithm>
#include <array>

namespace {

// --- Keyframe tables ---

struct PathKey {
    int32_t x, y;
    float rotation;
};
// B4 swings along this path (by path step).
constexpr PathKey kB4Path[14] = {
    {200, 63, 0.0f},  {240, 63, 0.2f},  {280, 78, 0.4f},  {330, 93, 0.5f},  {380, 88, 0.3f},
    {440, 113, 0.5f}, {520, 148, 0.3f}, {580, 153, 0.4f}, {620, 160, 0.2f}, {680, 165, 0.3f},
    {730, 170, 0.4f}, {760, 175, 0.3f}, {800, 180, 0.4f}, {850, 185, 0.0f},
};
constexpr int32_t kB4LastStep = 13;

struct PictureKey {
    int32_t x, y, picture;
};
// B19 flies along this path, flapping between its two pictures.
constexpr PictureKey kB19Path[9] = {
    {-80, 143, 0}, {44, 79, 1},   {173, 37, 0}, {311, 6, 1},  {459, -23, 0},
    {602, 28, 1},  {721, -14, 0}, {760, 50, 1}, {790, 80, 0},
};
constexpr int32_t kB19LastStep = 8;

struct Offset {
    int32_t dx, dy;
};
// B24 hops away from B21 (by B24's counter).
constexpr Offset kB24FromB21[4] = {{91, 59}, {313, -88}, {529, -17}, {607, 181}};
constexpr int32_t kB24LastStep = 3;

void ApplyB4Key(BackTurn& t, int32_t step) {
    if (step < 0 || step > kB4LastStep) return;
    BackObj& b = t.B(4);
    b.x = kB4Path[step].x;
    b.y = kB4Path[step].y;
    t.L.draw.b4Rotation = kB4Path[step].rotation;
}

void ApplyB19Key(BackTurn& t, int32_t step) {
    if (step < 0 || step > kB19LastStep) return;
    BackObj& b = t.B(19);
    b.x = kB19Path[step].x;
    b.y = kB19Path[step].y;
    t.L.counters.b19Picture = kB19Path[step].picture;
}

void ApplyB24Key(BackTurn& t, int32_t step) {
    if (step < 0 || step > kB24LastStep) return;
    t.B(24).x = t.B(21).x + kB24FromB21[step].dx;
    t.B(24).y = t.B(21).y + kB24FromB21[step].dy;
}

void ScrollLeft(BackObj& b) {
    b.x -= b.step;
}
void ScrollRight(BackObj& b) {
    b.x += b.step;
}

// --- B4: comes in to x 200, then swings along its path; at its end C5 (and item 7) appear ---

void B4Forward(BackTurn& t, BackObj& b) {
    int32_t& step = t.L.counters.b4PathStep;
    if (b.x < 200) {
        ScrollRight(b);
        return;
    }
    if (step < kB4LastStep) {
        ++step;
        ApplyB4Key(t, step);
    }
    // The end comes on the turn that reaches the last keyframe (off the page's right edge), so
    // that turning back over it both hides C5 again and steps the path back. Ended a turn later,
    // on a turn that makes no step, the turn back over the end would step the path back a step
    // it never made, and B4 would come back a step off for the rest of the lane.
    if (step < kB4LastStep) return;
    t.L.stamps.b4End = t.page;
    if (b.state == 1) b.state = 2;
    CollObj& c5 = t.C(5);
    if (c5.state == 6) {
        c5.state = 1;
        c5.x = b.x + 600;
        c5.y = 395;
        c5.frame = 0; // its blink starts afresh: where it stood when last hidden is not kept
    }
    TearObj& i7 = t.I(7);
    if (i7.state == ItemNotInPlay) {
        i7.state = ItemVisible;
        i7.x = c5.x + 82;
        i7.y = c5.y + 53;
    }
}

void B4Backward(BackTurn& t, BackObj& b) {
    int32_t& step = t.L.counters.b4PathStep;
    if (step > 0) {
        --step;
        ApplyB4Key(t, step);
    } else if (b.x <= 200) {
        ScrollLeft(b);
    }
}

// --- B6 counts while item 3 is in the bag ---

// Each count keeps the page its turn was made from, so that turning back over that turn takes
// the count back (the pear may have been torn out since, or put down again).
void B6Forward(BackTurn& t, BackObj& b) {
    int32_t& count = t.L.counters.b6Count;
    if (t.I(3).state == ItemInBag && count >= 0 && count < 3) t.L.stamps.b6Counts[count++] = t.page;
    ScrollLeft(b);
}
void B6Backward(BackTurn& t, BackObj& b) {
    int32_t& count = t.L.counters.b6Count;
    if (count > 0 && count <= 3 && t.L.stamps.b6Counts[count - 1] == t.page - 1)
        t.L.stamps.b6Counts[--count] = kNoStamp;
    ScrollRight(b);
}

// --- B14: the assembled C6. Two counts, then it hands C7 over to its path ---
// Each count keeps its own page, and C6's stamp keeps the assembly's page, so turning back
// undoes the counts and the assembly on exactly the pages they happened on.

void B14Forward(BackTurn& t, BackObj& b) {
    int32_t& count = t.L.counters.b14Count;
    CollObj& c7 = t.C(7);
    if (count < 2) {
        ++count;
        (count == 1 ? t.L.stamps.b14FirstCount : t.L.stamps.b14SecondCount) = t.page;
    } else if (c7.state == 1) {
        c7.state = 2;
        t.L.values.c7StartX = c7.x;
        t.L.values.c7StartY = c7.y;
    }
    ScrollLeft(b);
}

} // namespace

bool C6AssemblyUndo(BackTurn& t) {
    CollObj& c6 = t.C(6);
    if (t.L.counters.b14Count != 0 || c6.state != 5 || t.page != c6.pageStamp + 1) return false;
    // The turn that assembled C6: its pieces go back on their places, B14 hides where it was
    // shown (the assembly turn did not scroll it).
    t.B(14).state = 2;
    c6.state = 1;
    c6.pageStamp = kNoStamp;
    for (int item : kPieceItems)
        t.I(item).state = ItemPlaced;
    return true;
}

namespace {

void B14Backward(BackTurn& t, BackObj& b) {
    int32_t& count = t.L.counters.b14Count;
    PageStamps& s = t.L.stamps;
    if (count == 2 && t.page == s.b14SecondCount + 1) {
        count = 1;
        s.b14SecondCount = kNoStamp;
    } else if (count == 1 && t.page == s.b14FirstCount + 1) {
        count = 0;
        s.b14FirstCount = kNoStamp;
    } else if (C6AssemblyUndo(t)) {
        return;
    }
    ScrollRight(b);
}

// --- B16: walks in, leads C7 in; later carries C7 (or C8) off and drops item 10 ---

int32_t B16Direction(const BackTurn& t) {
    return t.L.draw.b16ScaleX < 0.0f ? 1 : -1; // mirrored: it came from C8 and walks right
}

void B16Forward(BackTurn& t, BackObj& b) {
    int32_t& count = t.L.counters.b16Count;
    if (t.L.flags.b16Released) {
        b.x += B16Direction(t) * b.step;
        if (count > 0) {
            --count;
            return;
        }
        TearObj& i10 = t.I(10);
        if (i10.state == ItemNotInPlay) {
            i10.state = ItemVisible;
            i10.x = t.L.draw.b16ScaleX < 0.0f ? b.x - b.dw + 8 : b.x + 8;
            i10.y = b.y + 194;
        }
        b.state = 2;
        t.L.stamps.b16Release = t.page;
        return;
    }
    if (b.x > 620) {
        ScrollLeft(b);
    } else if (count < 2) {
        ++count;
        ScrollLeft(b);
    } else {
        t.L.stamps.b16Follow = t.page;
        CollObj& c7 = t.C(7);
        if (c7.state == 6) {
            c7.state = 1;
            c7.x = b.x - 16;
            c7.y = b.y;
        }
        if (b.state == 1) b.state = 2;
        ScrollLeft(b);
    }
}

void B16Backward(BackTurn& t, BackObj& b) {
    int32_t& count = t.L.counters.b16Count;
    if (!t.L.flags.b16Released) {
        if (count > 0) --count;
        ScrollRight(b);
        return;
    }
    if (count < 2) {
        b.x -= B16Direction(t) * b.step;
        ++count;
        return;
    }
    B16SetGoingUndo(t, b);
}

} // namespace

void B16SetGoingUndo(BackTurn& t, BackObj& b) {
    t.L.flags.b16Released = 0;
    // Shown, on the page or off it: set going from C8's far side, it starts off the page.
    if (b.state != 1 && b.state != 0) return;
    b.state = 2;
    if (t.L.draw.b16ScaleX >= 0.0f) {
        CollObj& c7 = t.C(7);
        if (c7.state == 5) {
            c7.state = 1;
            c7.x = b.x + 46;
            c7.y = b.y;
        }
    } else {
        CollObj& c8 = t.C(8);
        if (c8.state == 5) {
            c8.state = 1;
            c8.x = b.x - c8.dw - 9;
            c8.y = b.y;
        }
        // C8's release mirrored B16; undoing it restores the normal scale, or a later release
        // by C7 would carry B16 the wrong way.
        t.L.draw.b16ScaleX = 2.0f;
    }
    b.x = t.L.values.b16HiddenX; // hidden again where the release found it
}

namespace {

// --- B19: comes in, flies its path, then leaves to the right ---

void B19Forward(BackTurn& t, BackObj& b) {
    int32_t& step = t.L.counters.b19PathStep;
    if (b.x < -109) {
        ScrollRight(b);
    } else if (step < kB19LastStep) {
        ++step;
        ApplyB19Key(t, step);
    } else {
        ScrollRight(b);
    }
}

void B19Backward(BackTurn& t, BackObj& b) {
    int32_t& step = t.L.counters.b19PathStep;
    if (b.x > 809) {
        ScrollLeft(b);
    } else if (step > 0) {
        --step;
        ApplyB19Key(t, step);
    } else {
        ScrollLeft(b);
    }
}

// --- B21 and B24: C9's leaving plays once, away from the turn it left on ---
// Each counts the turns it has played, away from that turn, and shows up to its third picture;
// B24 then rests beside B21 and scrolls. Turning towards the leaving plays them back.

bool AwayFromC9Leaving(const BackTurn& t, bool forward) {
    return forward == !t.L.values.c9LeftBackward;
}

void B21Turn(BackTurn& t, BackObj& b, bool forward) {
    int32_t& turns = t.L.values.b21Turns;
    turns += AwayFromC9Leaving(t, forward) ? 1 : (turns > 0 ? -1 : 0);
    t.L.counters.b21Count = std::min(turns, kB24LastStep);
    if (forward)
        ScrollLeft(b);
    else
        ScrollRight(b);
}
void B21Forward(BackTurn& t, BackObj& b) {
    B21Turn(t, b, true);
}
void B21Backward(BackTurn& t, BackObj& b) {
    B21Turn(t, b, false);
}

void B24Turn(BackTurn& t, BackObj& b, bool forward) {
    int32_t& turns = t.L.values.b24Turns;
    const bool scrolls = AwayFromC9Leaving(t, forward) ? turns++ >= kB24LastStep
                                                       : (turns > 0 && turns-- > kB24LastStep);
    if (scrolls) {
        if (forward)
            ScrollLeft(b);
        else
            ScrollRight(b);
        return;
    }
    t.L.counters.b24Count = turns;
    ApplyB24Key(t, turns);
}
void B24Forward(BackTurn& t, BackObj& b) {
    B24Turn(t, b, true);
}
void B24Backward(BackTurn& t, BackObj& b) {
    B24Turn(t, b, false);
}

// --- B22: counts twice, then drifts on its own (state 5) ---

void B22Forward(BackTurn& t, BackObj& b) {
    int32_t& count = t.L.counters.b22Count;
    if (count < 2) {
        ++count;
    } else {
        b.state = 5;
        t.L.stamps.b22End = t.page;
    }
    ScrollLeft(b);
}
void B22Backward(BackTurn& t, BackObj& b) {
    if (t.L.counters.b22Count > 0) --t.L.counters.b22Count;
    ScrollRight(b);
}

// --- B23: idles, winds up, throws C10 (the follow-up check sees the counter at 7) ---

constexpr int32_t kB23Frames = 8; // its strip in the frame table
enum B23Mode : int32_t { B23Idle = 0, B23Winding = 1, B23Thrown = 2 };

void B23Forward(BackTurn& t, BackObj& b) {
    int32_t& count = t.L.counters.b23Count;
    int32_t& mode = t.L.values.b23Mode;
    if (mode == B23Winding) {
        if (count >= 0 && count < 7) {
            ++count; // at 7 it stays one turn, for the throw
        } else {
            mode = B23Thrown;
            const CollObj& c9 = t.C(9);
            count = c9.frame >= 0 && c9.frame < kB23Frames ? c9.frame : 0;
            t.C(10).pageStamp = t.page;
        }
    } else {
        const int32_t before = count;
        CycleUp(count, 3);
        if (mode == B23Idle && before == 1 && count == 2 && b.x > 200) mode = B23Winding;
    }
    ScrollRight(b);
}

void B23Backward(BackTurn& t, BackObj& b) {
    int32_t& count = t.L.counters.b23Count;
    int32_t& mode = t.L.values.b23Mode;
    if (mode == B23Winding) {
        // Winding up started on the idle count's step from 1 to 2: stepping back below 2 is
        // idle again at 1, where the idle cycle left it.
        if (count > 2 && count <= 7) {
            --count;
        } else {
            count = 1;
            mode = B23Idle;
        }
    } else {
        CycleDown(count, 3);
    }
    ScrollLeft(b);
}

// --- B25: counts, then takes the character ---

void B25Forward(BackTurn& t, BackObj& b) {
    int32_t& count = t.L.counters.b25Count;
    if (count < 4) {
        ++count;
    } else if (b.state == 1) {
        b.state = 7;
        t.L.values.caughtFrom = t.L.charState; // hidden under it, or flying past it
        t.L.charState = CharCaught;
        t.L.chars[CharCaught].x = b.x + 20;
        t.L.chars[CharCaught].y = b.y + 30;
    }
    ScrollLeft(b);
}
void B25Backward(BackTurn& t, BackObj& b) {
    int32_t& count = t.L.counters.b25Count;
    if (count == 0)
        b.state = 2;
    else
        --count;
    ScrollRight(b);
}

// --- B27: rises away (item 13 left on the ground turns into it) ---

void B27Forward(BackTurn& t, BackObj& b) {
    if (!t.L.flags.b27Done) {
        if (t.L.counters.b27Count < 4) {
            ++t.L.counters.b27Count;
        } else {
            t.L.flags.b27Done = 1;
            t.L.stamps.b27End = t.page;
        }
    }
    b.x -= 5;
    b.y -= b.step;
}
void B27Backward(BackTurn& t, BackObj& b) {
    if (!t.L.flags.b27Done) {
        if (t.L.counters.b27Count > 0) {
            --t.L.counters.b27Count;
        } else if (b.state == 1) {
            b.state = 2;
            TearObj& i13 = t.I(13);
            if (i13.state == ItemUsedUp) {
                i13.state = ItemPlaced;
                i13.x = b.x + 34;
                i13.y = b.y + 298;
            }
        }
    }
    b.x += 5;
    b.y += b.step;
}

// --- B29: drops to the ground and slides away; turning back lifts it to where C13 was ---

void B29Forward(BackTurn& t, BackObj& b) {
    int32_t& count = t.L.counters.b29Count;
    if (b.y > 479) {
        if (t.L.values.b29ReturnX == kNoReturnPoint) t.L.values.b29ReturnX = b.x;
        if (count == 2) count = 3;
        b.x -= 30;
        return;
    }
    if (!t.L.flags.b29Done) {
        if (count < 2) {
            ++count;
        } else {
            t.L.flags.b29Done = 1;
            t.L.stamps.b29Done = t.page;
        }
    }
    b.y += 30;
    b.x -= 30;
}

void B29Backward(BackTurn& t, BackObj& b) {
    int32_t& count = t.L.counters.b29Count;
    LevelValues& v = t.L.values;
    if (b.x < v.b29ReturnX) {
        b.x += 30;
        // Back on the turn that reached the ground: that turn also counted to 3 and stored the
        // return point.
        if (b.x >= v.b29ReturnX) {
            if (count == 3) count = 2;
            v.b29ReturnX = kNoReturnPoint;
        }
        return;
    }
    if (count == 3) count = 2;
    if (b.y > v.b29StartY) {
        if (!t.L.flags.b29Done && count > 0) --count;
        b.x += 30;
        b.y -= 30;
        return;
    }
    HideB29AtItsStart(t, b);
}

// --- B30: an eight-picture loop ---

void B30Forward(BackTurn& t, BackObj& b) {
    CycleUp(t.L.counters.b30Count, 8);
    ScrollLeft(b);
}
void B30Backward(BackTurn& t, BackObj& b) {
    CycleDown(t.L.counters.b30Count, 8);
    ScrollRight(b);
}

// --- B31: shown where C10 was used up; counts, then rests (state 7) ---

void B31Forward(BackTurn& t, BackObj& b) {
    if (t.L.counters.b31Count < 4) {
        ++t.L.counters.b31Count;
    } else {
        t.L.stamps.b31End = t.page;
        b.state = 7;
    }
    ScrollLeft(b);
}
void B31Backward(BackTurn& t, BackObj& b) {
    if (t.L.counters.b31Count > 0) {
        --t.L.counters.b31Count;
        ScrollRight(b);
        return;
    }
    HideB31AtItsStart(t, b);
    ScrollRight(b);
}

// --- B56 and B59: shown where C14 / C15 were used up; count, then a one-turn transition ---

// Counts two turns, then starts its one-turn transition; the first turn that does is stamped.
void CountThenTransition(BackTurn& t, BackObj& b, int32_t& count, int32_t& end) {
    if (count < 2) {
        ++count;
    } else {
        b.state = 4;
        if (end == kNoStamp) end = t.page;
    }
    ScrollLeft(b);
}

void B56Forward(BackTurn& t, BackObj& b) {
    CountThenTransition(t, b, t.L.counters.b56Count, t.L.stamps.b56End);
}
void B56Backward(BackTurn& t, BackObj& b) {
    if (t.L.counters.b56Count > 0) {
        --t.L.counters.b56Count;
        ScrollRight(b);
        return;
    }
    HideB56AtItsStart(t, b);
    ScrollRight(b);
}

void B59Forward(BackTurn& t, BackObj& b) {
    CountThenTransition(t, b, t.L.counters.b59Count, t.L.stamps.b59End);
}
void B59Backward(BackTurn& t, BackObj& b) {
    if (t.L.counters.b59Count == 0) {
        HideB59AtItsStart(t, b);
    } else {
        --t.L.counters.b59Count;
    }
    ScrollRight(b);
}

// --- B58 drifts the other way ---

void B58Forward(BackTurn&, BackObj& b) {
    ScrollRight(b);
}
void B58Backward(BackTurn&, BackObj& b) {
    ScrollLeft(b);
}

// --- Picture toggles and loops ---

void Flip(int32_t& toggle) {
    toggle = toggle == 0 ? 1 : 0;
}
void B73Forward(BackTurn& t, BackObj& b) {
    Flip(t.L.counters.b73Toggle);
    ScrollLeft(b);
}
void B73Backward(BackTurn& t, BackObj& b) {
    Flip(t.L.counters.b73Toggle);
    ScrollRight(b);
}
void B75Forward(BackTurn& t, BackObj& b) {
    Flip(t.L.counters.b75Toggle);
    ScrollLeft(b);
}
void B75Backward(BackTurn& t, BackObj& b) {
    Flip(t.L.counters.b75Toggle);
    ScrollRight(b);
}
void B74Forward(BackTurn& t, BackObj& b) {
    CycleUp(t.L.counters.b74Count, 3);
    ScrollLeft(b);
}
void B74Backward(BackTurn& t, BackObj& b) {
    CycleDown(t.L.counters.b74Count, 3);
    ScrollRight(b);
}

// --- B90 and B91 hand over to each other ---
// Turning back over a hand-over puts the one shown again exactly where the forward hand-over
// found it: B90 is visited before B91, so the shown object's own step on that turn (B91's
// one-turn transition, or none for B90) is allowed for in the offset.

constexpr int32_t kB91FromB90 = 21;  // forward: B91 appears at B90 x + 21 ...
constexpr int32_t kB90FromB91 = -51; // ... and B90 comes back at B91 x - 51

void ShowB91(BackTurn& t, const BackObj& b90, int32_t subStep, int32_t step, int32_t dx) {
    BackObj& b91 = t.B(91);
    if (b91.state != 2) return;
    b91.state = 4;
    t.L.counters.b91SubStep = subStep;
    t.L.counters.b91Step = step;
    b91.x = b90.x + dx;
    b91.y = b90.y - 2;
}

void ShowB90(BackTurn& t, const BackObj& b91, int32_t count, int32_t dx) {
    BackObj& b90 = t.B(90);
    if (b90.state != 7) return;
    b90.state = 1;
    t.L.counters.b90Count = count;
    b90.x = b91.x + dx;
    b90.y = b91.y + 2;
}

void B90Forward(BackTurn& t, BackObj& b) {
    if (t.L.counters.b90Count < 2) {
        ++t.L.counters.b90Count;
    } else {
        t.L.counters.b90Count = 0;
        b.state = 7;
        ShowB91(t, b, 0, 0, kB91FromB90);
    }
    ScrollLeft(b);
}
void B90Backward(BackTurn& t, BackObj& b) {
    if (t.L.counters.b90Count > 0) {
        --t.L.counters.b90Count;
    } else {
        // Held with the count the forward hand-over left (0); B91 sets it to 2 when it hands
        // B90 back.
        b.state = 7;
        ShowB91(t, b, 2, 5, -kB90FromB91 - t.B(91).step);
    }
    ScrollRight(b);
}

void B91Forward(BackTurn& t, BackObj& b) {
    if (t.L.counters.b91Step <= 4) {
        CycleUp(t.L.counters.b91SubStep, 3);
        ++t.L.counters.b91Step;
    } else {
        b.state = 2;
        ShowB90(t, b, 0, kB90FromB91);
    }
    ScrollLeft(b);
}
void B91Backward(BackTurn& t, BackObj& b) {
    if (t.L.counters.b91Step > 0) {
        CycleDown(t.L.counters.b91SubStep, 3);
        --t.L.counters.b91Step;
    } else {
        b.state = 2;
        ShowB90(t, b, 2, b.step - kB91FromB90);
    }
    ScrollRight(b);
}

// --- The table ---

struct SlotRule {
    int slot;
    BackRulePair rule;
};
constexpr SlotRule kRules[] = {
    {4, {B4Forward, B4Backward}},    {6, {B6Forward, B6Backward}},
    {14, {B14Forward, B14Backward}}, {16, {B16Forward, B16Backward}},
    {19, {B19Forward, B19Backward}}, {21, {B21Forward, B21Backward}},
    {22, {B22Forward, B22Backward}}, {23, {B23Forward, B23Backward}},
    {24, {B24Forward, B24Backward}}, {25, {B25Forward, B25Backward}},
    {27, {B27Forward, B27Backward}}, {29, {B29Forward, B29Backward}},
    {30, {B30Forward, B30Backward}}, {31, {B31Forward, B31Backward}},
    {56, {B56Forward, B56Backward}}, {58, {B58Forward, B58Backward}},
    {59, {B59Forward, B59Backward}}, {73, {B73Forward, B73Backward}},
    {74, {B74Forward, B74Backward}}, {75, {B75Forward, B75Backward}},
    {90, {B90Forward, B90Backward}}, {91, {B91Forward, B91Backward}},
};

constexpr std::array<BackRulePair, LevelState::kBacks> BuildRuleTable() {
    std::array<BackRulePair, LevelState::kBacks> table{};
    for (const SlotRule& r : kRules)
        table[r.slot] = r.rule;
    return table;
}
constexpr std::array<BackRulePair, LevelState::kBacks> kRuleTable = BuildRuleTable();

} // namespace

const BackRulePair& BackObjectRule(int slot) {
    static constexpr BackRulePair kNone{};
    if (slot < 0 || slot >= LevelState::kBacks) return kNone;
    return kRuleTable[slot];
}

void C9LeavesCheck(BackTurn& t, bool forward) {
    const int32_t i12 = t.I(12).state;
    CollObj& c9 = t.C(9);
    if (i12 == ItemLoose || i12 == ItemVisible || c9.state != 1) return;
    c9.state = 5;
    LevelValues& v = t.L.values;
    t.L.stamps.c9Left = forward ? t.page : t.page - 1;
    v.c9LeftBackward = forward ? 0 : 1;
    v.c9LeftTookB23 = 0;
    BackObj& b21 = t.B(21);
    if (b21.state == 2) {
        b21.state = 1;
        b21.x = c9.x + 22;
        b21.y = c9.y - 79;
        v.b21Turns = 0;
        t.L.counters.b21Count = 0;
    }
    BackObj& b23 = t.B(23);
    if (b23.state == 1) {
        b23.state = 2;
        v.c9LeftTookB23 = 1;
        BackObj& b24 = t.B(24);
        if (b24.state == 2) {
            b24.state = 1;
            b24.x = b21.x + kB24FromB21[0].dx;
            b24.y = b21.y + kB24FromB21[0].dy;
            v.b24Turns = 0;
            t.L.counters.b24Count = 0;
        }
    }
}

bool C9LeavingUndo(BackTurn& t, bool forward) {
    int32_t& left = t.L.stamps.c9Left;
    LevelValues& v = t.L.values;
    // A leaving made on a backward turn is crossed forward only while the world moves, as it was
    // made (see SecondUndoChecks).
    const bool crosses = forward ? (left == t.page && v.c9LeftBackward && t.common.backGate)
                                 : (left != kNoStamp && left == t.page - 1 && !v.c9LeftBackward);
    if (!crosses) return false;
    // Before the objects' phases, so that C9 and B23 take back their own steps of that turn.
    left = kNoStamp;
    v.c9LeftBackward = 0;
    CollObj& c9 = t.C(9);
    if (c9.state == 5) c9.state = 1;
    t.B(21).state = 2;
    if (v.c9LeftTookB23) {
        v.c9LeftTookB23 = 0;
        if (t.B(23).state == 2) t.B(23).state = 1;
        t.B(24).state = 2;
    }
    return true;
}
